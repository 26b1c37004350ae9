#include "rowgrid.h"

#include <algorithm>
#include <climits>
#include <vector>

namespace bulkrename {

wxSize Rowgrid::CalcMin() {
  for (auto node = m_children.GetFirst(); node; node = node->GetNext()) {
    const wxGBSpan span = static_cast<wxGBSizerItem*>(node->GetData())->GetSpan();
    if (span.GetRowspan() != 1 || span.GetColspan() != 1) return wxGridBagSizer::CalcMin();
  }
  if (m_children.GetCount() == 0) return m_emptyCellSize;

  // As wx's: each line and column is as large as its largest cell shown, and
  // as the empty cell size where it has none; then (wx's AdjustForOverflow,
  // which with single cells comes down to this) a line or column that has
  // cells shrinks to its largest one, also below the empty cell size.
  m_rowHeights.Empty();
  m_colWidths.Empty();
  constexpr int none = INT_MIN;
  std::vector<int> tallest, widest;
  for (auto node = m_children.GetFirst(); node; node = node->GetNext()) {
    auto* item = static_cast<wxGBSizerItem*>(node->GetData());
    if (!item->IsShown()) continue;
    const int row = item->GetPos().GetRow();
    const int col = item->GetPos().GetCol();
    while (static_cast<int>(m_rowHeights.size()) <= row) {
      m_rowHeights.Add(m_emptyCellSize.GetHeight());
      tallest.push_back(none);
    }
    while (static_cast<int>(m_colWidths.size()) <= col) {
      m_colWidths.Add(m_emptyCellSize.GetWidth());
      widest.push_back(none);
    }
    const wxSize size = item->CalcMin();
    tallest[row] = std::max(tallest[row], size.GetHeight());
    widest[col] = std::max(widest[col], size.GetWidth());
  }
  for (std::size_t row = 0; row < tallest.size(); ++row)
    if (tallest[row] != none) m_rowHeights[row] = tallest[row];
  for (std::size_t col = 0; col < widest.size(); ++col)
    if (widest[col] != none) m_colWidths[col] = widest[col];
  AdjustForFlexDirection();

  m_rows = static_cast<int>(m_rowHeights.size());
  m_cols = static_cast<int>(m_colWidths.size());
  int width = 0;
  for (int col = 0; col < m_cols; ++col)
    width += m_colWidths[col] + (col == m_cols - 1 ? 0 : m_hgap);
  int height = 0;
  for (int row = 0; row < m_rows; ++row)
    height += m_rowHeights[row] + (row == m_rows - 1 ? 0 : m_vgap);
  return wxSize(width, height);
}

}  // namespace bulkrename
