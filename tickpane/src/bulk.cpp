// Commands over every row: tick or untick all, invert, blank the tick marks;
// and the walks of teardown.

#include <tickpane/tickpane.h>

#include <wx/window.h>

#include <stdexcept>

namespace tickpane {

namespace {

wxCheckBox& box_of(const Row& row) {
  wxCheckBox* box = row->checkbox();
  if (box == nullptr)
    throw std::logic_error("Filetree: row '" + row->name() + "' has no check box");
  return *box;
}

}  // namespace

void Filetree::set_all_checkboxes(wxCheckBoxState state) {
  if (!head_) throw std::logic_error("Filetree.set_all_checkboxes: the tree is not built");
  for (const Row& row : head_->child_rows()) row->propagate_checkbox_state(state);
}

void Filetree::invert_all_selections() {
  for (const auto& [widget, row] : *filerow::nodes()) {
    wxCheckBox& box = box_of(row);
    if (box.Get3StateValue() == wxCHK_CHECKED)
      box.Set3StateValue(wxCHK_UNCHECKED);
    else if (box.Get3StateValue() == wxCHK_UNCHECKED)
      box.Set3StateValue(wxCHK_CHECKED);
  }
  if (wxWindow* left = wxparent1()) left->Refresh();
}

void Filetree::untick() {
  for (const auto& [widget, row] : *filerow::nodes()) {
    if (!row->ticked()) continue;
    wxTextCtrl* tick = row->tick();
    if (tick == nullptr)
      throw std::logic_error("Filetree.untick: row '" + row->name() + "' has no tick mark");
    tick->SetValue(" ");
  }
}

void Filetree::dump(Row node) {
  if (!node) node = head_;
  if (!node) throw std::logic_error("Filetree.dump: the tree is not built");
  for (const auto& [name, child] : node->children()) dump(child);
}

void Filetree::unbindall() {
  for (const auto& [widget, row] : *filerow::nodes()) row->unbind();
}

void Filetree::bindall_proposed() {
  for (const auto& [widget, row] : *filerow::nodes()) row->unbind();
}

}  // namespace tickpane
