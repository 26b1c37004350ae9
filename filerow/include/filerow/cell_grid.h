#pragma once

// A grid-bag sizer that takes a row's cell without searching its items.

#include <filerow/export.h>

class wxGBSizerItem;
class wxSizerItem;

namespace filerow {

/// Implemented by a wxGridBagSizer that can tell in constant time whether an
/// item is in the way, where wxGridBagSizer::Add() searches every item (a
/// tree of N rows then costs N^2). Rows place their cells through it when
/// their panel's sizer is one, through wxGridBagSizer::Add() otherwise.
class FILEROW_API CellGrid {
 public:
  /// As wxGridBagSizer::Add(wxGBSizerItem*): takes the item, or returns null
  /// (with wx's assertion) and leaves it to the caller when an item is in
  /// the way.
  virtual wxSizerItem* add_cell(wxGBSizerItem* item) = 0;

 protected:
  ~CellGrid() = default;
};

}  // namespace filerow
