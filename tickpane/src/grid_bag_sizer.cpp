#include <tickpane/grid_bag_sizer.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tickpane {

namespace {

constexpr size_t none = SIZE_MAX;

std::uint64_t key(int row, int col) {
  return std::uint64_t(std::uint32_t(row)) << 32 | std::uint32_t(col);
}
std::uint64_t key(const wxGBPosition& pos) { return key(pos.GetRow(), pos.GetCol()); }
int row_of(std::uint64_t cell) { return int(std::uint32_t(cell >> 32)); }
int col_of(std::uint64_t cell) { return int(std::uint32_t(cell)); }

bool one_cell(const wxGBSpan& span) { return span.GetRowspan() == 1 && span.GetColspan() == 1; }
bool proper(const wxGBSpan& span) { return span.GetRowspan() >= 1 && span.GetColspan() >= 1; }

long long area(long long rows, long long cols) { return rows * cols; }

// Whether wx counts a row's own gap (vgap) when a spanning item's height
// overflows its rows, and a column's (hgap) for widths. Before 3.2.6 it
// counted the other one; asked of the library in use, which may carry the
// change or not whatever its version says.
bool wx_counts_own_gaps() {
  static const bool own = [] {
    wxGridBagSizer probe(/*vgap=*/1, /*hgap=*/5);
    probe.Add(10, 10, wxGBPosition(0, 0));
    probe.Add(10, 40, wxGBPosition(0, 1), wxGBSpan(2, 1));
    probe.CalcMin();
    // Row 0 shrinks to 10; row 1 keeps what the tall item needs below it:
    // 40 - (10 + gap), 29 with the vgap, 25 with the hgap.
    return probe.GetRowHeights()[1] == 29;
  }();
  return own;
}

}  // namespace

// The items by cell, window and sizer, as they were when last seen.
//
// Invariants, unless stale: entries_[i] is the i-th item of the sizer's list
// (the list may have grown since) with the position, span, window and sizer
// it had when filed; an item on one cell is in cells_ under that cell, every
// other item's ordinal is in spanning_; windows_ and sizers_ give the first
// item holding each.
class GridBagSizer::Index {
 public:
  /// Takes up the items appended since the last call, or files them all
  /// anew when stale or when the list has shrunk.
  void sync(const wxSizerItemList& children) {
    size_t count = children.GetCount();
    if (stale_ || count < entries_.size()) clear();
    if (count == entries_.size()) return;
    wxSizerItemList::compatibility_iterator node = children.GetLast();
    for (size_t older = count - entries_.size(); older > 1; --older) node = node->GetPrevious();
    for (; node; node = node->GetNext()) file(static_cast<wxGBSizerItem*>(node->GetData()));
  }

  void forget() { stale_ = true; }

  /// Notes that the ordinal-th item is `item` as it is now: any change the
  /// index did not see makes it stale.
  void check(size_t ordinal, wxGBSizerItem* item) {
    if (!stale_ && ordinal < entries_.size() && !(entries_[ordinal] == Entry(item)))
      stale_ = true;
  }

  /// Files the item again after a move or resize made through the sizer.
  void refile(size_t ordinal) {
    leave_grid(ordinal);
    entries_[ordinal] = Entry(entries_[ordinal].item);
    enter_grid(ordinal);
  }

  size_t size() const { return entries_.size(); }
  wxGBSizerItem* item(size_t ordinal) const {
    return ordinal == none ? nullptr : entries_[ordinal].item;
  }

  size_t find(wxWindow* window) const { return found(windows_, window); }
  size_t find(wxSizer* sizer) const { return found(sizers_, sizer); }

  /// The first item covering `pos`, as wx's FindItemAtPosition() finds it.
  size_t at(const wxGBPosition& pos) const {
    size_t first = none;
    auto [begin, end] = cells_.equal_range(key(pos));
    for (auto it = begin; it != end; ++it) first = std::min(first, it->second);
    for (size_t ordinal : spanning_)
      if (ordinal < first && entries_[ordinal].item->Intersects(pos, wxDefaultSpan))
        first = ordinal;
    return first;
  }

  /// Whether an item other than `exclude` meets the area, as wx's
  /// CheckForIntersection() decides it. REQUIRES: a proper span.
  bool meets(const wxGBPosition& pos, const wxGBSpan& span, wxGBSizerItem* exclude) const {
    for (size_t ordinal : spanning_) {
      wxGBSizerItem* other = entries_[ordinal].item;
      if (other != exclude && other->Intersects(pos, span)) return true;
    }
    // An item on one cell meets the area exactly when the area holds the cell.
    long long row = pos.GetRow(), col = pos.GetCol();
    long long endrow = row + span.GetRowspan(), endcol = col + span.GetColspan();
    if (area(span.GetRowspan(), span.GetColspan()) <= (long long)cells_.size()) {
      for (long long r = row; r < endrow; ++r)
        for (long long c = col; c < endcol; ++c) {
          auto [begin, end] = cells_.equal_range(key(int(r), int(c)));
          for (auto it = begin; it != end; ++it)
            if (entries_[it->second].item != exclude) return true;
        }
      return false;
    }
    for (const auto& [cell, ordinal] : cells_) {
      long long r = row_of(cell), c = col_of(cell);
      if (r >= row && r < endrow && c >= col && c < endcol && entries_[ordinal].item != exclude)
        return true;
    }
    return false;
  }

 private:
  struct Entry {
    explicit Entry(wxGBSizerItem* of)
        : item(of),
          pos(of->GetPos()),
          span(of->GetSpan()),
          window(of->GetWindow()),
          sizer(of->GetSizer()) {}
    bool operator==(const Entry& other) const {
      return item == other.item && pos == other.pos && span == other.span &&
             window == other.window && sizer == other.sizer;
    }
    wxGBSizerItem* item;
    wxGBPosition pos;
    wxGBSpan span;
    wxWindow* window;
    wxSizer* sizer;
  };

  template <typename Map, typename Key>
  static size_t found(const Map& map, Key* what) {
    auto it = map.find(what);
    return it == map.end() ? none : it->second;
  }

  void clear() {
    entries_.clear();
    cells_.clear();
    spanning_.clear();
    windows_.clear();
    sizers_.clear();
    stale_ = false;
  }

  void file(wxGBSizerItem* item) {
    size_t ordinal = entries_.size();
    entries_.emplace_back(item);
    enter_grid(ordinal);
    if (wxWindow* window = item->GetWindow()) windows_.emplace(window, ordinal);
    if (wxSizer* sizer = item->GetSizer()) sizers_.emplace(sizer, ordinal);
  }

  void enter_grid(size_t ordinal) {
    const Entry& entry = entries_[ordinal];
    if (one_cell(entry.span))
      cells_.emplace(key(entry.pos), ordinal);
    else
      spanning_.push_back(ordinal);
  }

  void leave_grid(size_t ordinal) {
    const Entry& entry = entries_[ordinal];
    if (!one_cell(entry.span)) {
      spanning_.erase(std::find(spanning_.begin(), spanning_.end(), ordinal));
      return;
    }
    auto [begin, end] = cells_.equal_range(key(entry.pos));
    cells_.erase(std::find_if(begin, end, [&](const auto& cell) { return cell.second == ordinal; }));
  }

  std::vector<Entry> entries_;
  std::unordered_multimap<std::uint64_t, size_t> cells_;
  std::vector<size_t> spanning_;
  std::unordered_map<wxWindow*, size_t> windows_;
  std::unordered_map<wxSizer*, size_t> sizers_;
  bool stale_ = false;
};

// The part of wx's CalcMin() that took its time: each row gives back what it
// holds beyond what the shown items ending in it need, cell by cell, asking
// which item covers each cell of the grid; then each column. The same answer
// comes from asking, for each shown item, whether it is the one wx finds at
// the cells of its last row (column), the first item in the list covering
// the cell, hidden or not.
class GridBagSizer::Overflow {
 public:
  struct Item {
    int row, col, endrow, endcol;
    bool shown;
    wxSize min;  // shown items only
  };

  /// The sizer's items in list order, as one CalcMin() measured them.
  std::vector<Item> items;

  void adjust(wxArrayInt& heights, wxArrayInt& widths, int vgap, int hgap) {
    find_owners();
    give_back(heights, vgap, /*rows=*/true);
    give_back(widths, hgap, /*rows=*/false);
  }

 private:
  // For every cell of a shown item's last row or column, the first item
  // covering it.
  void find_owners() {
    owners_.clear();
    for (const Item& item : items) {
      if (!item.shown) continue;
      for (int col = item.col; col <= item.endcol; ++col) owners_.emplace(key(item.endrow, col), none);
      for (int row = item.row; row < item.endrow; ++row) owners_.emplace(key(row, item.endcol), none);
    }
    const long long cells = owners_.size();
    for (size_t ordinal = 0; ordinal < items.size(); ++ordinal) {
      const Item& item = items[ordinal];
      if (area(item.endrow - item.row + 1LL, item.endcol - item.col + 1LL) <= cells) {
        for (int row = item.row; row <= item.endrow; ++row)
          for (int col = item.col; col <= item.endcol; ++col) {
            auto owner = owners_.find(key(row, col));
            if (owner != owners_.end() && owner->second == none) owner->second = ordinal;
          }
        continue;
      }
      for (auto& [cell, owner] : owners_)
        if (owner == none && row_of(cell) >= item.row && row_of(cell) <= item.endrow &&
            col_of(cell) >= item.col && col_of(cell) <= item.endcol)
          owner = ordinal;
    }
  }

  // One pass of wx's AdjustForOverflow(), over rows or over columns.
  void give_back(wxArrayInt& sizes, int gap, bool rows) {
    // The shown items by the line they end on, in list order.
    ending_.assign(sizes.size(), none);
    next_.assign(items.size(), none);
    for (size_t ordinal = items.size(); ordinal-- > 0;) {
      if (!items[ordinal].shown) continue;
      size_t& first = ending_[rows ? items[ordinal].endrow : items[ordinal].endcol];
      next_[ordinal] = first;
      first = ordinal;
    }
    for (size_t line = 0; line < sizes.size(); ++line) {
      const int size = sizes[line];
      int extra = INT_MAX;
      for (size_t ordinal = ending_[line]; ordinal != none; ordinal = next_[ordinal]) {
        const Item& item = items[ordinal];
        // wx takes the whole item at its first cell when it fits in the line,
        // what is left of it below (right of) the lines before at its other cells.
        bool at_first = false, elsewhere = false;
        int from = rows ? item.col : item.row, to = rows ? item.endcol : item.endrow;
        for (int across = from; across <= to; ++across) {
          int row = rows ? int(line) : across, col = rows ? across : int(line);
          if (owners_.at(key(row, col)) != ordinal) continue;
          (row == item.row && col == item.col ? at_first : elsewhere) = true;
        }
        const int need = rows ? item.min.GetHeight() : item.min.GetWidth();
        if (at_first) extra = std::min(extra, size - need);
        if (elsewhere) {
          int left = need;
          for (int before = rows ? item.row : item.col; before < int(line); ++before)
            left -= sizes[before] + gap;
          extra = std::min(extra, size - std::max(left, 0));
        }
      }
      if (extra && extra != INT_MAX) sizes[line] -= extra;
    }
  }

  std::unordered_map<std::uint64_t, size_t> owners_;
  std::vector<size_t> ending_, next_;
};

GridBagSizer::GridBagSizer(int vgap, int hgap)
    : wxGridBagSizer(vgap, hgap),
      index_(std::make_unique<Index>()),
      overflow_(std::make_unique<Overflow>()) {}

GridBagSizer::~GridBagSizer() = default;

wxSizerItem* GridBagSizer::Add(wxWindow* window, const wxGBPosition& pos, const wxGBSpan& span,
                               int flag, int border, wxObject* userData) {
  auto* item = new wxGBSizerItem(window, pos, span, flag, border, userData);
  if (Add(item)) return item;
  delete item;
  return nullptr;
}

wxSizerItem* GridBagSizer::Add(wxSizer* sizer, const wxGBPosition& pos, const wxGBSpan& span,
                               int flag, int border, wxObject* userData) {
  auto* item = new wxGBSizerItem(sizer, pos, span, flag, border, userData);
  if (Add(item)) return item;
  delete item;
  return nullptr;
}

wxSizerItem* GridBagSizer::Add(int width, int height, const wxGBPosition& pos,
                               const wxGBSpan& span, int flag, int border, wxObject* userData) {
  auto* item = new wxGBSizerItem(width, height, pos, span, flag, border, userData);
  if (Add(item)) return item;
  delete item;
  return nullptr;
}

wxSizerItem* GridBagSizer::Add(wxGBSizerItem* item) {
  wxCHECK_MSG(!CheckForIntersection(item), nullptr, wxT("An item is already at that position"));
  // What wx's Add() does once its check has passed.
  m_children.Append(item);
  item->SetGBSizer(this);
  if (item->GetWindow()) item->GetWindow()->SetContainingSizer(this);
  int row, col;
  item->GetEndPos(row, col);
  if (row + 1 > GetRows()) SetRows(row + 1);
  if (col + 1 > GetCols()) SetCols(col + 1);
  return item;
}

size_t GridBagSizer::ordinal(size_t index) {
  index_->sync(m_children);
  return index < index_->size() ? index : none;
}

size_t GridBagSizer::ordinal(wxWindow* window) {
  index_->sync(m_children);
  return index_->find(window);
}

size_t GridBagSizer::ordinal(wxSizer* sizer) {
  index_->sync(m_children);
  return index_->find(sizer);
}

wxGBPosition GridBagSizer::GetItemPosition(wxWindow* window) {
  wxGBSizerItem* item = index_->item(ordinal(window));
  wxCHECK_MSG(item, wxGBPosition(-1, -1), wxT("Failed to find item."));
  return item->GetPos();
}

wxGBPosition GridBagSizer::GetItemPosition(wxSizer* sizer) {
  wxGBSizerItem* item = index_->item(ordinal(sizer));
  wxCHECK_MSG(item, wxGBPosition(-1, -1), wxT("Failed to find item."));
  return item->GetPos();
}

wxGBPosition GridBagSizer::GetItemPosition(size_t index) {
  wxGBSizerItem* item = index_->item(ordinal(index));
  wxCHECK_MSG(item, wxGBPosition(-1, -1), wxT("Failed to find item."));
  return item->GetPos();
}

wxGBSpan GridBagSizer::GetItemSpan(wxWindow* window) {
  wxGBSizerItem* item = index_->item(ordinal(window));
  wxCHECK_MSG(item, wxGBSpan::Invalid(), wxT("Failed to find item."));
  return item->GetSpan();
}

wxGBSpan GridBagSizer::GetItemSpan(wxSizer* sizer) {
  wxGBSizerItem* item = index_->item(ordinal(sizer));
  wxCHECK_MSG(item, wxGBSpan::Invalid(), wxT("Failed to find item."));
  return item->GetSpan();
}

wxGBSpan GridBagSizer::GetItemSpan(size_t index) {
  wxGBSizerItem* item = index_->item(ordinal(index));
  wxCHECK_MSG(item, wxGBSpan::Invalid(), wxT("Failed to find item."));
  return item->GetSpan();
}

bool GridBagSizer::SetItemPosition(wxWindow* window, const wxGBPosition& pos) {
  size_t found = ordinal(window);
  wxCHECK_MSG(found != none, false, wxT("Failed to find item."));
  return place(found, pos, index_->item(found)->GetSpan());
}

bool GridBagSizer::SetItemPosition(wxSizer* sizer, const wxGBPosition& pos) {
  size_t found = ordinal(sizer);
  wxCHECK_MSG(found != none, false, wxT("Failed to find item."));
  return place(found, pos, index_->item(found)->GetSpan());
}

bool GridBagSizer::SetItemPosition(size_t index, const wxGBPosition& pos) {
  size_t found = ordinal(index);
  wxCHECK_MSG(found != none, false, wxT("Failed to find item."));
  return place(found, pos, index_->item(found)->GetSpan());
}

bool GridBagSizer::SetItemSpan(wxWindow* window, const wxGBSpan& span) {
  size_t found = ordinal(window);
  wxCHECK_MSG(found != none, false, wxT("Failed to find item."));
  return place(found, index_->item(found)->GetPos(), span);
}

bool GridBagSizer::SetItemSpan(wxSizer* sizer, const wxGBSpan& span) {
  size_t found = ordinal(sizer);
  wxCHECK_MSG(found != none, false, wxT("Failed to find item."));
  return place(found, index_->item(found)->GetPos(), span);
}

bool GridBagSizer::SetItemSpan(size_t index, const wxGBSpan& span) {
  size_t found = ordinal(index);
  wxCHECK_MSG(found != none, false, wxT("Failed to find item."));
  return place(found, index_->item(found)->GetPos(), span);
}

bool GridBagSizer::place(size_t ordinal, const wxGBPosition& pos, const wxGBSpan& span) {
  wxGBSizerItem* item = index_->item(ordinal);
  wxCHECK_MSG(!CheckForIntersection(pos, span, item), false,
              wxT("An item is already at that position"));
  // The item would run wx's own check again: it has been made.
  item->SetGBSizer(nullptr);
  item->SetPos(pos);
  item->SetSpan(span);
  item->SetGBSizer(this);
  index_->refile(ordinal);
  return true;
}

wxGBSizerItem* GridBagSizer::FindItem(wxWindow* window) { return index_->item(ordinal(window)); }

wxGBSizerItem* GridBagSizer::FindItem(wxSizer* sizer) { return index_->item(ordinal(sizer)); }

wxGBSizerItem* GridBagSizer::FindItemAtPosition(const wxGBPosition& pos) {
  index_->sync(m_children);
  return index_->item(index_->at(pos));
}

bool GridBagSizer::CheckForIntersection(wxGBSizerItem* item, wxGBSizerItem* excludeItem) {
  return CheckForIntersection(item->GetPos(), item->GetSpan(), excludeItem);
}

bool GridBagSizer::CheckForIntersection(const wxGBPosition& pos, const wxGBSpan& span,
                                        wxGBSizerItem* excludeItem) {
  if (!proper(span)) return wxGridBagSizer::CheckForIntersection(pos, span, excludeItem);
  index_->sync(m_children);
  return index_->meets(pos, span, excludeItem);
}

wxSize GridBagSizer::CalcMin() {
  if (m_children.GetCount() == 0) return m_emptyCellSize;

  // What wx's CalcMin() does before its overflow pass: each shown item
  // widens the lines it spans to its share of its minimum size.
  m_rowHeights.Empty();
  m_colWidths.Empty();
  std::vector<Overflow::Item>& items = overflow_->items;
  items.clear();
  size_t ordinal = 0;
  for (wxSizerItemList::compatibility_iterator node = m_children.GetFirst(); node;
       node = node->GetNext(), ++ordinal) {
    auto* item = static_cast<wxGBSizerItem*>(node->GetData());
    index_->check(ordinal, item);
    Overflow::Item& placed = items.emplace_back();
    item->GetPos(placed.row, placed.col);
    item->GetEndPos(placed.endrow, placed.endcol);
    if (placed.row < 0 || placed.col < 0 || !proper(item->GetSpan()))
      return wxGridBagSizer::CalcMin();
    placed.shown = item->IsShown();
    if (!placed.shown) continue;
    while (int(m_rowHeights.GetCount()) <= placed.endrow)
      m_rowHeights.Add(m_emptyCellSize.GetHeight());
    while (int(m_colWidths.GetCount()) <= placed.endcol)
      m_colWidths.Add(m_emptyCellSize.GetWidth());
    placed.min = item->CalcMin();
    const int rowspan = placed.endrow - placed.row + 1, colspan = placed.endcol - placed.col + 1;
    for (int row = placed.row; row <= placed.endrow; ++row)
      m_rowHeights[row] = wxMax(m_rowHeights[row], placed.min.GetHeight() / rowspan);
    for (int col = placed.col; col <= placed.endcol; ++col)
      m_colWidths[col] = wxMax(m_colWidths[col], placed.min.GetWidth() / colspan);
  }

  const bool own = wx_counts_own_gaps();
  overflow_->adjust(m_rowHeights, m_colWidths, own ? m_vgap : m_hgap, own ? m_hgap : m_vgap);
  AdjustForFlexDirection();

  // Totals with gaps, as wx sums them.
  int width = 0;
  m_cols = m_colWidths.GetCount();
  for (int col = 0; col < m_cols; ++col) width += m_colWidths[col] + (col == m_cols - 1 ? 0 : m_hgap);
  int height = 0;
  m_rows = m_rowHeights.GetCount();
  for (int row = 0; row < m_rows; ++row)
    height += m_rowHeights[row] + (row == m_rows - 1 ? 0 : m_vgap);
  return wxSize(width, height);
}

bool GridBagSizer::Remove(wxSizer* sizer) {
  index_->forget();
  return wxGridBagSizer::Remove(sizer);
}

bool GridBagSizer::Remove(int index) {
  index_->forget();
  return wxGridBagSizer::Remove(index);
}

bool GridBagSizer::Detach(wxWindow* window) {
  index_->forget();
  return wxGridBagSizer::Detach(window);
}

bool GridBagSizer::Detach(wxSizer* sizer) {
  index_->forget();
  return wxGridBagSizer::Detach(sizer);
}

bool GridBagSizer::Detach(int index) {
  index_->forget();
  return wxGridBagSizer::Detach(index);
}

bool GridBagSizer::Replace(wxWindow* oldwin, wxWindow* newwin, bool recursive) {
  index_->forget();
  return wxGridBagSizer::Replace(oldwin, newwin, recursive);
}

bool GridBagSizer::Replace(wxSizer* oldsz, wxSizer* newsz, bool recursive) {
  index_->forget();
  return wxGridBagSizer::Replace(oldsz, newsz, recursive);
}

bool GridBagSizer::Replace(size_t index, wxSizerItem* newitem) {
  index_->forget();
  return wxGridBagSizer::Replace(index, newitem);
}

void GridBagSizer::Clear(bool delete_windows) {
  index_->forget();
  wxGridBagSizer::Clear(delete_windows);
}

void GridBagSizer::DeleteWindows() {
  index_->forget();
  wxGridBagSizer::DeleteWindows();
}

}  // namespace tickpane
