#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

namespace filerow {

/// A map that remembers the order in which its keys were first entered.
/// Entering a key again replaces its value in place, as a Python dict does.
/// Removing an entry costs time in proportion to the entries after it.
template <typename Key, typename Value>
class OrderedMap {
 public:
  using Entry = std::pair<Key, Value>;
  using const_iterator = typename std::vector<Entry>::const_iterator;

  void insert(const Key& key, Value value) {
    auto [at, added] = index_.try_emplace(key, entries_.size());
    if (added)
      entries_.emplace_back(key, std::move(value));
    else
      entries_[at->second].second = std::move(value);
  }

  /// The value entered under `key`, or a default-constructed one.
  Value find(const Key& key) const {
    auto at = index_.find(key);
    return at == index_.end() ? Value{} : entries_[at->second].second;
  }

  /// Removes the entry of `key`; false when there is none.
  bool erase(const Key& key) {
    auto at = index_.find(key);
    if (at == index_.end()) return false;
    std::size_t position = at->second;
    index_.erase(at);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
    for (std::size_t i = position; i < entries_.size(); ++i) index_[entries_[i].first] = i;
    return true;
  }

  void clear() {
    entries_.clear();
    index_.clear();
  }

  bool contains(const Key& key) const { return index_.count(key) != 0; }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  /// The entry at `position` in insertion order. Throws std::out_of_range.
  const Entry& at(std::size_t position) const { return entries_.at(position); }

  const_iterator begin() const { return entries_.begin(); }
  const_iterator end() const { return entries_.end(); }

 private:
  std::vector<Entry> entries_;
  std::unordered_map<Key, std::size_t> index_;
};

}  // namespace filerow
