#pragma once

// How a row's widgets are made.

#include <wx/checkbox.h>
#include <wx/textctrl.h>

namespace filerow {

constexpr long tick_style = wxBORDER_NONE | wxTE_READONLY;
constexpr long proposed_style = wxBORDER_NONE;

/// A row's text control held back by a build: made hidden at a size measured
/// on a control like it, which is its best size until its font changes. While
/// held back it answers and obeys Show() and IsShown() as the shown control it
/// will be, so that a host's hooks see and set what they would had it been
/// shown at once; reveal() then puts it on screen as the host left it.
class RowText : public wxTextCtrl {
 public:
  explicit RowText(const wxSize& measured) : measured_(measured) { wxTextCtrl::Show(false); }

  bool Show(bool show = true) override;
  bool IsShown() const override;
  bool SetFont(const wxFont& font) override;
  /// Ends holding back: shows the control unless the host hid it meanwhile.
  void reveal();

 protected:
  wxSize DoGetBestSize() const override;

 private:
  wxSize measured_;     // wxDefaultSize once the font changed
  bool held_ = true;
  bool wanted_ = true;  // what the host asked for while held back
};

/// A row's tri-state check box in `parent`.
wxCheckBox* create_checkbox(wxWindow& parent, const wxString& label);
/// A row's tick-mark (tick_style) or proposed-name (proposed_style) control,
/// shown at once.
wxTextCtrl* create_text(wxWindow& parent, const wxString& value, const wxSize& size,
                        long style);

}  // namespace filerow
