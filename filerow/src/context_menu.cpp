// The right-click menu of a folder row, and folding: collapse hides every row
// below a row, expand shows them all again.

#include <filerow/context_menu.h>

#include <wx/sizer.h>

#include <vector>

#include "checked.h"
#include "show_many.h"

namespace filerow {

ContextMenu::ContextMenu(Row parent, Row node, wxSizer* sizer1, wxSizer* sizer2)
    : parent_(std::move(parent)), node_(std::move(node)), sizer1_(sizer1), sizer2_(sizer2) {
  collapse_id_ = add_item("Collapse", &ContextMenu::on_collapse);
  expand_id_ = add_item("Expand", &ContextMenu::on_expand);
}

wxWindowIDRef ContextMenu::add_item(const wxString& label,
                                    void (ContextMenu::*handler)(wxCommandEvent&)) {
  wxWindowIDRef id = wxIdManager::ReserveId();
  auto item = std::make_unique<wxMenuItem>(this, id, label);
  host::Services& host = host::services();
  host.format_widget(*item, *host.menu_style());
  Append(item.release());
  Bind(
      wxEVT_MENU,
      [this, handler](wxCommandEvent& event) {
        host::run_guarded([&] { (this->*handler)(event); });
      },
      id);
  return id;
}

void ContextMenu::relayout() {
  if (sizer1_ != nullptr) sizer1_->Layout();
  if (sizer2_ != nullptr) sizer2_->Layout();
}

void ContextMenu::on_collapse(wxCommandEvent&) {
  need(node_.get(), "node").collapse();
  relayout();
}

void ContextMenu::on_expand(wxCommandEvent&) {
  need(node_.get(), "node").expand();
  relayout();
}

void Filerow::collapse() {
  std::vector<wxWindow*> below;
  fold(true, below);
  show_many(below, false);
}

void Filerow::expand() {
  std::vector<wxWindow*> below;
  fold(false, below);
  show_many(below, true);
}

void Filerow::fold(bool collapse, std::vector<wxWindow*>& below) {
  if (leaf()) {
    format_row();
    return;
  }
  collapsed_ = collapse;
  if (collapse) {
    wxFont font = host::services().tree_style()->collapsed_font();
    need(checkbox(), "check box").SetFont(font);
    if (wxTextCtrl* text = proposed()) {
      need(tick(), "tick-mark control").SetFont(font);
      text->SetFont(font);
    }
  }
  for (const Row& child : child_rows()) {
    child->fold(collapse, below);
    below.push_back(&need(child->checkbox(), "check box"));
    if (wxTextCtrl* text = child->proposed()) {
      below.push_back(&need(child->tick(), "tick-mark control"));
      below.push_back(text);
    }
  }
  format_row();
}

}  // namespace filerow
