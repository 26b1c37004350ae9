#pragma once

// The grid-bag sizer of each panel of the tree: wx's own, with a minimum size
// that takes time linear in the rows.

#include <wx/gbsizer.h>

namespace bulkrename {

/// A wxGridBagSizer that computes the same minimum size and line and column
/// sizes as wx's. wx's looks up the cell at every line and column by searching
/// all cells, which makes each layout of a tree's panel take time in the
/// square of its rows; as long as every cell covers one line and one column,
/// as a row's cells do, one pass over the cells gives the same result.
class Rowgrid : public wxGridBagSizer {
 public:
  using wxGridBagSizer::wxGridBagSizer;

  wxSize CalcMin() override;
};

}  // namespace bulkrename
