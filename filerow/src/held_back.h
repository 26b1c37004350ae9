#pragma once

// The rows' side of HiddenCreation: their text controls, made held back.

#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>
#include <wx/weakref.h>

#include <map>
#include <vector>

class wxTextCtrl;
class wxWindow;

namespace filerow {

class RowText;

/// The text controls held back while a HiddenCreation lives. A control is
/// made at the size measured once on a control of the same style, panel and
/// font, with that measure as its best size, so that wx asks GTK nothing
/// until its batch is revealed (docs/performance.md tells why that pays).
class HeldBack {
 public:
  /// The live HiddenCreation's, or null: rows ask when they make a text control.
  static HeldBack* active();

  /// A text control as create_text would make it, held back when a control of
  /// the same style, panel and font was measured before.
  wxTextCtrl* create_text(wxWindow& parent, const wxString& value, const wxSize& size,
                          long style);
  /// Puts every control held back so far on screen, as the host left it.
  void reveal();

 private:
  /// A control made shown, for those made after it: the size it was made at
  /// and its best size once made, in a panel with this font.
  struct Measured {
    wxWeakRef<wxWindow> parent;
    wxFont font;
    wxSize made;
    wxSize best;
  };

  std::vector<wxWeakRef<RowText>> held_;
  std::map<long, Measured> measured_;  // by style
};

}  // namespace filerow
