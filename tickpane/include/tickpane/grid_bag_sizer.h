#pragma once

// A wxGridBagSizer that lays out in time linear in its items.

#include <filerow/cell_grid.h>
#include <tickpane/export.h>

#include <wx/gbsizer.h>

#include <memory>

namespace tickpane {

/// A drop-in wxGridBagSizer for hosts that opt in: every item gets the
/// position and size wxGridBagSizer would give it, and the sizer the same
/// minimum size, row heights and column widths, with everything wx supports
/// (spans, empty rows and columns, hidden items, growable rows and columns,
/// flex direction and grow mode, gaps, borders and flags, windows, sizers and
/// spacers, items moved, resized, detached or removed). Look-ups give the
/// same answers and assertions as wx's.
///
/// Layout: wx's CalcMin() asks, for every cell of the grid, which item covers
/// it by searching all items, so its time grows with cells times items (a
/// tree of N lines: N^2, worse still with an empty column). Here it grows
/// with the items and grid lines, an item counting each line it spans, and
/// each shown item's minimum size is asked once per CalcMin() (wx asks up to
/// three times, with the same answer). Spacers and sizers added as items
/// cost the same as windows. The rest of the layout (growable rows and
/// columns, placing the items) is wx's own code. wx 3.2.6 changed which gap
/// is counted when a spanning item's minimum size overflows its lines: the
/// one the wx library in use counts is found out by asking it once.
///
/// Look-ups: Add(), CheckForIntersection(), FindItem(), FindItemAtPosition(),
/// Get/SetItemPosition() and Get/SetItemSpan() called through this class use
/// an index of the items by cell, window and sizer, made at the first
/// look-up, instead of a walk over all items. wx does not make them virtual:
/// called through a wxGridBagSizer pointer, or from wxPython, they are wx's
/// own (correct, not faster). Items added that way are indexed at the next
/// look-up; Detach(), Remove(), Replace(), Clear() and DeleteWindows() from
/// anywhere have the index made again at the next look-up.
///
/// What the index cannot see: a change made on an item itself
/// (wxGBSizerItem::SetPos/SetSpan, wxSizerItem::AssignWindow/AssignSizer) or
/// through wxGridBagSizer's own SetItemPosition/SetItemSpan. Each CalcMin()
/// (every layout) notices one, and the next look-up takes it up; until then
/// the look-ups here may still see the item where it was.
///
/// wx's own code runs for what is not made fast: CalcMin() while an item
/// has a negative position or a span below one (which wx cannot lay out
/// either), CheckForIntersection() for such a span, FindItemAtPoint(),
/// FindItemWithData(), Get/SetItemPosition/Span by index look-up aside, and
/// the Add() overloads without a position.
///
/// Rows place their cells through the index too (filerow::CellGrid).
///
/// REQUIRES: GUI thread, as every sizer.
class TICKPANE_API GridBagSizer : public wxGridBagSizer, public filerow::CellGrid {
 public:
  explicit GridBagSizer(int vgap = 0, int hgap = 0);
  ~GridBagSizer() override;

  using wxGridBagSizer::Add;
  wxSizerItem* Add(wxWindow* window, const wxGBPosition& pos,
                   const wxGBSpan& span = wxDefaultSpan, int flag = 0, int border = 0,
                   wxObject* userData = nullptr);
  wxSizerItem* Add(wxSizer* sizer, const wxGBPosition& pos,
                   const wxGBSpan& span = wxDefaultSpan, int flag = 0, int border = 0,
                   wxObject* userData = nullptr);
  wxSizerItem* Add(int width, int height, const wxGBPosition& pos,
                   const wxGBSpan& span = wxDefaultSpan, int flag = 0, int border = 0,
                   wxObject* userData = nullptr);
  /// Takes the item, or returns null (with wx's assertion) and leaves it to
  /// the caller when an item is in the way.
  wxSizerItem* Add(wxGBSizerItem* item);
  wxSizerItem* add_cell(wxGBSizerItem* item) override { return Add(item); }

  wxGBPosition GetItemPosition(wxWindow* window);
  wxGBPosition GetItemPosition(wxSizer* sizer);
  wxGBPosition GetItemPosition(size_t index);
  bool SetItemPosition(wxWindow* window, const wxGBPosition& pos);
  bool SetItemPosition(wxSizer* sizer, const wxGBPosition& pos);
  bool SetItemPosition(size_t index, const wxGBPosition& pos);
  wxGBSpan GetItemSpan(wxWindow* window);
  wxGBSpan GetItemSpan(wxSizer* sizer);
  wxGBSpan GetItemSpan(size_t index);
  bool SetItemSpan(wxWindow* window, const wxGBSpan& span);
  bool SetItemSpan(wxSizer* sizer, const wxGBSpan& span);
  bool SetItemSpan(size_t index, const wxGBSpan& span);

  wxGBSizerItem* FindItem(wxWindow* window);
  wxGBSizerItem* FindItem(wxSizer* sizer);
  wxGBSizerItem* FindItemAtPosition(const wxGBPosition& pos);

  bool CheckForIntersection(wxGBSizerItem* item, wxGBSizerItem* excludeItem = nullptr);
  bool CheckForIntersection(const wxGBPosition& pos, const wxGBSpan& span,
                            wxGBSizerItem* excludeItem = nullptr);

  wxSize CalcMin() override;

  bool Remove(wxSizer* sizer) override;
  bool Remove(int index) override;
  bool Detach(wxWindow* window) override;
  bool Detach(wxSizer* sizer) override;
  bool Detach(int index) override;
  bool Replace(wxWindow* oldwin, wxWindow* newwin, bool recursive = false) override;
  bool Replace(wxSizer* oldsz, wxSizer* newsz, bool recursive = false) override;
  bool Replace(size_t index, wxSizerItem* newitem) override;
  void Clear(bool delete_windows = false) override;
  void DeleteWindows() override;

 private:
  class Index;
  class Overflow;

  /// Where in the list the item at `index`, or holding the window or sizer,
  /// is; SIZE_MAX for none.
  size_t ordinal(size_t index);
  size_t ordinal(wxWindow* window);
  size_t ordinal(wxSizer* sizer);
  /// Moves or resizes the ordinal-th item unless another item is in the way.
  bool place(size_t ordinal, const wxGBPosition& pos, const wxGBSpan& span);

  std::unique_ptr<Index> index_;
  std::unique_ptr<Overflow> overflow_;
};

}  // namespace tickpane
