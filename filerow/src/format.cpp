// Row formatting: fonts, the host's styling and background colours follow the
// row's state (collapsed, checked, a leaf's changed name). The theme is read
// afresh on every call. A font is always set before the host's styling, a
// background after it, and a leaf's bold name last.

#include <filerow/display_text.h>
#include <filerow/filerow.h>

#include "checked.h"
#include "shared_style.h"

namespace filerow {

namespace {

bool is_checked(wxCheckBox* box) {
  return need(box, "check box").Get3StateValue() == wxCHK_CHECKED;
}

}  // namespace

void Filerow::format_row() {
  format_row_leftside();
  format_row_rightside();
}

void Filerow::format_row_leftside() {
  host::Services& host = host::services();
  wxCheckBox& box = need(checkbox(), "check box");
  box.SetFont(collapsed_ ? host.tree_style()->collapsed_font() : host.tree_style()->font());
  bool checked = box.Get3StateValue() == wxCHK_CHECKED;
  host.format_widget(box, *host.tree_style());
  auto style = host.tree_style();
  box.SetBackgroundColour(checked ? style->selected_background() : style->background());
}

void Filerow::format_row_rightside() {
  host::Services& host = host::services();
  wxTextCtrl* text = proposed();
  // A row without right-hand widgets has nothing to format; collapsed or not.
  if (text == nullptr) return;
  wxTextCtrl& mark = need(tick(), "tick-mark control");
  wxFont font = collapsed_ ? host.tree_style()->collapsed_font() : host.tree_style()->font();
  mark.SetFont(font);
  text->SetFont(font);
  bool checked = is_checked(checkbox());
  host.format_widget(mark, *host.tree_style());
  host.format_widget(*text, *host.tree_style());
  auto style = host.tree_style();
  text->SetBackgroundColour(checked ? style->selected_background() : style->background());
  if (leaf()) {
    // A name may turn bold and be ticked later: those looks join the style
    // sheet now, before the rows show, once per colour of the host's.
    wxColour foreground = text->UseForegroundColour() ? text->GetForegroundColour() : wxColour();
    if (!looks_expected(foreground))
      expect_looks(foreground, {style->background(), style->selected_background()},
                   {style->font(), style->bold_font()});
    embolden_if_changed();
  }
}

void Filerow::embolden_if_changed() {
  auto style = host::services().tree_style();
  wxTextCtrl& text = need(proposed(), "proposed-name control");
  text.SetFont(text.GetValue() == to_display(name()) ? style->font() : style->bold_font());
}

void Filerow::xformat_row() {
  host::Services& host = host::services();
  wxCheckBox& box = need(checkbox(), "check box");
  wxTextCtrl* text = proposed();
  wxTextCtrl* mark = tick();
  if (collapsed_) {
    wxFont font = host.tree_style()->collapsed_font();
    box.SetFont(font);
    if (mark != nullptr) mark->SetFont(font);
    if (text != nullptr) text->SetFont(font);
  } else {
    box.SetFont(host.tree_style()->font());
    if (text != nullptr) {
      need(mark, "tick-mark control").SetFont(host.tree_style()->font());
      text->SetFont(host.tree_style()->font());
    }
  }
  bool checked = box.Get3StateValue() == wxCHK_CHECKED;
  auto background = [&] {
    auto style = host.tree_style();
    return checked ? style->selected_background() : style->background();
  };
  host.format_widget(box, *host.tree_style());
  box.SetBackgroundColour(background());
  if (text != nullptr) {
    host.format_widget(need(mark, "tick-mark control"), *host.tree_style());
    host.format_widget(*text, *host.tree_style());
    text->SetBackgroundColour(background());
    if (leaf()) embolden_if_changed();
  }
}

}  // namespace filerow
