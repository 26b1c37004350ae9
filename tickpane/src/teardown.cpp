#include <tickpane/teardown.h>

#include <wx/sizer.h>
#include <wx/window.h>

#include <gtk/gtk.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "input_contexts.h"

namespace tickpane {

namespace {

// The GDK windows of each widget in the panels' sizers.
using WindowsOf = std::unordered_map<GtkWidget*, std::vector<GdkWindow*>>;

void add_widgets(wxSizer& sizer, WindowsOf& windows) {
  for (auto node = sizer.GetChildren().GetFirst(); node; node = node->GetNext()) {
    wxSizerItem* item = node->GetData();
    if (item->IsSizer()) add_widgets(*item->GetSizer(), windows);
    if (item->IsWindow()) windows[item->GetWindow()->GetHandle()];
  }
}

// A widget without a window of its own (check boxes and text entries) makes
// its input windows in its panel's: those are the ones found.
void find_windows(WindowsOf& windows) {
  std::vector<GdkWindow*> panels;
  for (const auto& entry : windows) {
    GtkWidget* widget = entry.first;
    GdkWindow* panel = gtk_widget_get_has_window(widget) ? nullptr : gtk_widget_get_window(widget);
    if (panel != nullptr && std::find(panels.begin(), panels.end(), panel) == panels.end())
      panels.push_back(panel);
  }
  for (GdkWindow* panel : panels) {
    // Newest first; walked from the oldest.
    for (GList* child = g_list_last(gdk_window_peek_children(panel)); child; child = child->prev) {
      gpointer owner = nullptr;
      gdk_window_get_user_data(GDK_WINDOW(child->data), &owner);
      auto found = windows.find(static_cast<GtkWidget*>(owner));
      if (found != windows.end()) found->second.push_back(GDK_WINDOW(child->data));
    }
  }
}

// GDK has every window it makes listen to its display for a seat removed,
// and a window destroyed leaves by searching every listener the display has:
// deleting N widgets searched N times through up to N listeners. Text
// entries' input method contexts do the same with the screen's settings
// (input_contexts.h). Taking the rows off both first, in the order they were
// made, finds each near the front; GDK's and GTK's own searches then run over
// the few listeners left. Nothing runs between this and the widgets'
// deletion, so no seat or input method change goes unseen.
void leave_shared_objects(const std::vector<wxSizer*>& sizers) {
  guint seat_removed = g_signal_lookup("seat-removed", GDK_TYPE_DISPLAY);
  GdkDisplay* display = gdk_display_get_default();
  if (seat_removed == 0 || display == nullptr) return;
  WindowsOf windows;
  for (wxSizer* sizer : sizers) add_widgets(*sizer, windows);
  find_windows(windows);
  auto leave = [&](const wxWindow* widget) {
    if (widget == nullptr) return;
    auto found = windows.find(widget->GetHandle());
    if (found == windows.end()) return;
    for (GdkWindow* window : found->second) {
      auto match = GSignalMatchType(G_SIGNAL_MATCH_ID | G_SIGNAL_MATCH_DATA);
      gulong listener =
          g_signal_handler_find(display, match, seat_removed, 0, nullptr, nullptr, window);
      if (listener != 0) g_signal_handler_disconnect(display, listener);
    }
    leave_settings(*widget);
  };
  // Rows make their widgets, and the widgets their windows, in this order.
  for (const auto& [box, row] : *filerow::nodes()) {
    leave(row->checkbox());
    leave(row->tick());
    leave(row->proposed());
  }
}

}  // namespace

void destroy_rows(Filetree& tree) {
  tree.unbindall();
  // A destroyed panel took its sizer and the widgets in it along.
  struct Side {
    wxWindow* panel;
    wxSizer* sizer;
    bool shown;
  } sides[] = {{tree.wxparent1(), tree.sizer1(), false}, {tree.wxparent2(), tree.sizer2(), false}};
  std::vector<wxSizer*> sizers;
  for (Side& side : sides) {
    if (side.panel == nullptr) continue;
    side.shown = side.panel->IsShown();
    if (side.shown) side.panel->Hide();
    if (side.sizer != nullptr) sizers.push_back(side.sizer);
  }
  leave_shared_objects(sizers);
  // Hidden, a panel is not resized and redrawn per widget; Clear() deletes
  // the first line first, which wx and GTK find at the front of their lists.
  for (Side& side : sides)
    if (side.panel != nullptr && side.sizer != nullptr) side.sizer->Clear(true);
  for (Side& side : sides)
    if (side.shown) side.panel->Show();
}

}  // namespace tickpane
