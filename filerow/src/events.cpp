// The row's event handlers and their bindings. Handlers find the row of the
// widget that raised the event through the registries; the row whose handler
// runs only lends the shared context.

#include <filerow/context_menu.h>
#include <filerow/display_text.h>
#include <filerow/filerow.h>

#include "checked.h"

namespace filerow {

void Filerow::handle_checkbox(wxCommandEvent& event) {
  host::run_guarded([&] { checkbox_click(event); });
}

void Filerow::handle_right_click(wxMouseEvent& event) {
  host::run_guarded([&] { on_right_click(event); });
}

void Filerow::handle_proposed_update(wxCommandEvent& event) {
  host::run_guarded([&] { on_proposed_update(event); });
}

void Filerow::set_right_click() { bind_right_click(need(checkbox(), "check box")); }

void Filerow::bind_right_click(wxWindow& widget) {
  widget.Bind(wxEVT_RIGHT_DOWN, &Filerow::handle_right_click, this);
  bound_to(&widget);
}

void Filerow::on_right_click(wxMouseEvent& event) {
  auto* widget = dynamic_cast<wxWindow*>(event.GetEventObject());
  Row node = nodes()->find(widget);
  if (node == nullptr) {
    event.Skip(true);
    return;
  }
  RowContext shared = context();
  wxWindow& left = need(shared.wxparent1, "left panel (wxparent1)");
  // Lives for this one pop-up, however it ends.
  auto menu = std::make_unique<ContextMenu>(shared_from_this(), node, shared.sizer1,
                                            shared.sizer2);
  left.PopupMenu(menu.get(), need(node->checkbox(), "check box").GetPosition());
}

void Filerow::on_proposed_update(wxCommandEvent& event) {
  auto* widget = dynamic_cast<wxTextCtrl*>(event.GetEventObject());
  Row node = propnodes()->find(widget);
  // Only registered controls are bound here; anything else is not ours.
  if (widget == nullptr || node == nullptr) return;
  wxString nname = widget->GetValue();
  node->ticked_ = !nname.empty() && nname != to_display(node->name());
  need(node->tick(), "tick-mark control").SetValue(
      node->ticked_ ? wxString::FromUTF8(tick_mark) : wxString(" "));
  node->format_row();
  if (wxWindow* left = context().wxparent1) {
    left->Refresh();
    left->Update();
  }
}

void Filerow::unbind() {
  try {
    if (wxCheckBox* box = checkbox())
      box->Unbind(wxEVT_CHECKBOX, &Filerow::handle_checkbox, this);
    if (!leaf())
      need(checkbox(), "check box")
          .Unbind(wxEVT_RIGHT_DOWN, &Filerow::handle_right_click, this);
  } catch (...) {
    host::services().print_line("Exception: on unbinding checkbox: " +
                                host::describe(std::current_exception()));
  }
}

}  // namespace filerow
