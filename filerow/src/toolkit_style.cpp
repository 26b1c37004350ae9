#include "toolkit_style.h"

#include <wx/textctrl.h>

#include <gtk/gtk.h>

namespace filerow {

namespace {

// One provider shared by every row's text controls, made once.
GtkStyleProvider* without_transitions() {
  static GtkCssProvider* provider = [] {
    GtkCssProvider* css = gtk_css_provider_new();
    gtk_css_provider_load_from_data(css, "* { transition: none; }", -1, nullptr);
    return css;
  }();
  return GTK_STYLE_PROVIDER(provider);
}

}  // namespace

void settle_style(wxTextCtrl& text) {
  GtkStyleContext* context = gtk_widget_get_style_context(text.GetHandle());
  gtk_style_context_add_provider(context, without_transitions(),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  text.InvalidateBestSize();
}

}  // namespace filerow
