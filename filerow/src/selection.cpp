// Tri-state selection: a value goes down to the whole subtree, and every
// ancestor is re-derived from its children (one distinct value: that value;
// otherwise mixed). The state lives only in the check boxes.

#include <filerow/filerow.h>

#include <wx/window.h>

#include <set>

#include "checked.h"

namespace filerow {

void Filerow::set_checkbox_state(wxCheckBoxState state) {
  need(checkbox(), "check box").Set3StateValue(state);
  format_row();
}

void Filerow::up_check(wxCheckBoxState state) {
  Row up = parent();
  for (; up != nullptr; up = up->parent()) {
    std::set<wxCheckBoxState> values;
    for (const auto& [name, child] : up->children())
      values.insert(need(child->checkbox(), "check box").Get3StateValue());
    if (values.size() != 1) state = wxCHK_UNDETERMINED;
    // The head has no check box: the climb ends there.
    if (up->checkbox() == nullptr) return;
    up->set_checkbox_state(state);
  }
}

void Filerow::down_check(wxCheckBoxState state) {
  set_checkbox_state(state);
  for (const Row& child : child_rows()) child->down_check(state);
}

void Filerow::propagate_checkbox_state(wxCheckBoxState state) {
  up_check(state);
  down_check(state);
}

void Filerow::checkbox_click(wxCommandEvent& event) {
  auto* cbox = dynamic_cast<wxCheckBox*>(event.GetEventObject());
  Row node = nodes()->find(cbox);
  if (cbox == nullptr || node == nullptr)
    throw std::logic_error("checkbox_click: the check box is not a registered row's");
  node->propagate_checkbox_state(cbox->Get3StateValue());
  if (wxWindow* right = context().wxparent2) {
    right->Refresh();
    right->Update();
  }
  cbox->SetFocus();
}

}  // namespace filerow
