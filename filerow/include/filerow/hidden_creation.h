#pragma once

#include <filerow/export.h>

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

/// While one of these lives, rows make their text controls hidden and held
/// back, and reveal() puts on screen all held back so far; the destructor
/// reveals the rest, also when an error ends the work early.
///
/// On GTK 3 every widget that appears among many siblings has all of them
/// restyled at the next size query, and wx asks GTK for a text control's size
/// as it makes it: a query per control, each over all the panel's controls.
/// Held back, a control is made at the size measured once on a control of the
/// same kind, panel and font, with that measure as its best size, so nothing
/// is asked of GTK until a batch is revealed: one restyle per batch instead of
/// one per control. Check boxes are made as usual: each needs its own width.
///
/// Held-back controls answer Show() and IsShown() as shown controls would
/// (see RowText), so once the last batch is revealed what a host sees is what
/// it would see had every control been shown as it was made.
///
/// REQUIRES: one at a time, on the GUI thread.
class FILEROW_API HiddenCreation {
 public:
  HiddenCreation();
  /// Reveals every control still held back.
  ~HiddenCreation();
  HiddenCreation(const HiddenCreation&) = delete;
  HiddenCreation& operator=(const HiddenCreation&) = delete;

  /// Puts every control held back so far on screen, as the host left it.
  void reveal();

  /// The live instance, or null: rows ask when they make a text control.
  static HiddenCreation* active();

  /// For rows: a text control as create_text would make it, held back when a
  /// control of the same style, panel and font was measured before.
  wxTextCtrl* create_text(wxWindow& parent, const wxString& value, const wxSize& size,
                          long style);

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
