#include "input_contexts.h"

#include <gtk/gtk.h>

namespace tickpane {

namespace {

GQuark context_key() {
  static const GQuark key = g_quark_from_static_string("tickpane-input-context");
  return key;
}

void (*gtk_set_client_window)(GtkIMContext*, GdkWindow*) = nullptr;

// Does what GTK does, then notes the context on the text entry that owns the
// window. An entry's context is its own for the entry's whole life, so the
// note never needs taking back: once the context leaves the settings,
// finding it there finds nothing.
void set_client_window(GtkIMContext* context, GdkWindow* window) {
  gtk_set_client_window(context, window);
  if (window == nullptr) return;
  gpointer owner = nullptr;
  gdk_window_get_user_data(window, &owner);
  if (owner != nullptr && GTK_IS_ENTRY(owner))
    g_object_set_qdata(G_OBJECT(owner), context_key(), context);
}

}  // namespace

void remember_input_contexts() {
  if (gtk_set_client_window != nullptr) return;
  // The class is kept for the life of the process, as GTK keeps it anyway.
  auto* context_class = static_cast<GtkIMContextClass*>(g_type_class_ref(GTK_TYPE_IM_MULTICONTEXT));
  gtk_set_client_window = context_class->set_client_window;
  context_class->set_client_window = set_client_window;
}

void leave_settings(const wxWindow& entry) {
  GtkWidget* widget = entry.GetHandle();
  gpointer context = g_object_get_qdata(G_OBJECT(widget), context_key());
  if (context == nullptr) return;
  // wx destroys its panels' and frames' own contexts without taking them off
  // the settings: such a listener may name a context that had this address
  // before, and be found first. It listens for nothing alive, and GTK's own
  // search, as the entry is unrealized, takes this one.
  static const guint notify = g_signal_lookup("notify", G_TYPE_OBJECT);
  GtkSettings* settings = gtk_widget_get_settings(widget);
  auto match = GSignalMatchType(G_SIGNAL_MATCH_ID | G_SIGNAL_MATCH_DATA);
  gulong listener = g_signal_handler_find(settings, match, notify, 0, nullptr, nullptr, context);
  if (listener != 0) g_signal_handler_disconnect(settings, listener);
}

}  // namespace tickpane
