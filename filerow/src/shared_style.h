#pragma once

// Rows' fonts, colours and borders as rules of one screen-wide style sheet.
//
// wx gives every widget whose font or colours are set a style provider of its
// own, and GTK then gives that widget a style cascade of its own that listens
// to the screen's: every such widget destroyed searches all the screen's
// listeners to leave (a teardown quadratic in the rows), and every change
// parses and cascades anew. A row's widget instead is named (its CSS id) for
// its look, one name per distinct look, whose rules are exactly those wx
// would have given it, so it looks and measures the same. A name rather than
// a class: the theme styles text entries and buttons by their previous
// siblings' classes, so a class changed on one row restyles every row after
// it in the panel. The borders, set once as a widget is made, are a class.
// REQUIRES: GTK 3.22 or later, GUI thread; nothing else names rows' widgets.

#include <wx/colour.h>
#include <wx/font.h>

#include <initializer_list>
#include <string>

namespace filerow {

/// Gives `widget` (and the nodes inside it, its label included) the look wx
/// gives a window with these colours and font, any of them unset, in place of
/// the look `current` names; `current` then names the new one. Returns false,
/// changing nothing, once the sheet holds so many looks that another would
/// cost more than a provider of the widget's own.
bool apply_look(GtkWidget* widget, const wxColour& foreground, const wxColour& background,
                const wxFont& font, std::string& current);

/// Adds to the sheet, in one go, the looks of `foreground` on each of
/// `backgrounds` in each of `fonts` that it lacks. A look added while widgets
/// show restyles every widget on the screen; one added beforehand, only the
/// widgets that take it.
void expect_looks(const wxColour& foreground, std::initializer_list<wxColour> backgrounds,
                  std::initializer_list<wxFont> fonts);
/// Whether expect_looks() had `foreground` (unset or not) already.
bool looks_expected(const wxColour& foreground);

/// Takes the look `current` names off `widget`, whose look wx gives from now
/// on; `current` is then empty.
void drop_look(GtkWidget* widget, std::string& current);

/// Gives a text control the look wx gives one with wxBORDER_NONE, and has
/// every later change of its style take effect at once rather than through
/// the theme's transitions (the theme animates a text control's padding, so
/// a size measured meanwhile would depend on the time).
void make_borderless(GtkWidget* entry);

}  // namespace filerow
