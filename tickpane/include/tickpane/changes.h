#pragma once

#include <filerow/filerow.h>
#include <tickpane/export.h>

#include <cstddef>
#include <iterator>
#include <memory>

namespace tickpane {

/// The rows to rename, produced one at a time: a walk over the check-box
/// registry in creation order that hands out each row whose `ticked` is set
/// and whose check box shows checked, judged when the walk reaches it.
/// Making one does no work: the first next() takes the registry in use then
/// (filerow::nodes()), and the walk keeps its own reference to it.
///
/// Errors: if the registry gains or loses rows during the walk, the next step
/// throws std::runtime_error; so does a row without its check box. After an
/// error the walk is over.
class TICKPANE_API Changes {
 public:
  Changes() = default;

  /// The next row to rename, or null when the walk is over.
  filerow::Row next();

  /// An input iterator over the remaining rows; each increment calls next().
  class iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = filerow::Row;
    using difference_type = std::ptrdiff_t;
    using pointer = const filerow::Row*;
    using reference = const filerow::Row&;

    iterator() = default;
    explicit iterator(Changes* walk) : walk_(walk), row_(walk->next()) {
      if (!row_) walk_ = nullptr;
    }
    reference operator*() const { return row_; }
    pointer operator->() const { return &row_; }
    iterator& operator++() {
      row_ = walk_->next();
      if (!row_) walk_ = nullptr;
      return *this;
    }
    void operator++(int) { ++*this; }
    bool operator==(const iterator& other) const { return walk_ == other.walk_; }

   private:
    Changes* walk_ = nullptr;
    filerow::Row row_;
  };

  /// Starts reading: the first call of begin() reads the first change.
  iterator begin() { return iterator(this); }
  iterator end() { return iterator(); }

 private:
  std::shared_ptr<const filerow::Registry> registry_;  // null until the first step
  std::size_t expected_size_ = 0;
  std::size_t position_ = 0;
  bool over_ = false;
};

}  // namespace tickpane
