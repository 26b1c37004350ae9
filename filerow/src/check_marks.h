#pragma once

// The check marks of rows' check boxes, drawn from images made once.
//
// GTK's built-in theme draws a check box's mark from a symbolic SVG,
// recoloured, and renders that SVG anew whenever the box's style changes: a
// tick, an untick or a window losing focus re-render it for every box, about
// 2 ms each. Here each mark is rendered once per colour and scale, exactly as
// the theme renders it, and rows' boxes take it from a style rule, per look
// (shared_style.h) and state; they also change state at once rather than
// through the theme's 400 ms transition. The pixels are the theme's.
//
// Only a theme whose rules for the marks are known is served this way (GTK's
// built-in ones, light or dark); with any other theme, if anything needed
// fails, or past 64 distinct marks, the boxes are left to the theme. A change
// of theme drops every rule until the looks are applied again. A host's own
// style sheet that recolours check marks is not followed. REQUIRES: GUI
// thread.

#include <gtk/gtk.h>

#include <string>

namespace filerow {

/// Serves the marks of `check_button`, a row's check box whose name in the
/// shared style sheet is `look`. A box that loses its look name is left to
/// the theme by that alone.
void fit_check_marks(GtkWidget* check_button, const std::string& look);

}  // namespace filerow
