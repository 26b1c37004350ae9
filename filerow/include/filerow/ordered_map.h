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
/// Entries are never removed; a map is replaced as a whole instead.
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
