#pragma once

// How a row's widgets are made.

#include <wx/checkbox.h>
#include <wx/textctrl.h>

#include <string>

namespace filerow {

constexpr long tick_style = wxBORDER_NONE | wxTE_READONLY;
constexpr long proposed_style = wxBORDER_NONE;

/// A row's check box: wx's, with its font and colours given through the
/// shared style sheet (shared_style.h) and, once it has a look, its marks
/// drawn from images made once (check_marks.h).
class RowCheckBox : public wxCheckBox {
 protected:
  void DoApplyWidgetStyle(GtkRcStyle* style) override;

 private:
  std::string look_;  // its name in the shared style sheet
};

/// A row's text control: wx's, with its font and colours given through the
/// shared style sheet, and, when a build holds it back, made hidden at a size
/// measured on a control like it, which is its best size until its font
/// changes. While held back it answers and obeys Show() and IsShown() as the
/// shown control it will be, so that a host's hooks see and set what they
/// would had it been shown at once; reveal() then puts it on screen as the
/// host left it.
class RowText : public wxTextCtrl {
 public:
  RowText() = default;
  /// Held back.
  explicit RowText(const wxSize& measured)
      : measured_(measured), held_(true) { wxTextCtrl::Show(false); }

  bool Show(bool show = true) override;
  bool IsShown() const override;
  bool SetFont(const wxFont& font) override;
  /// Ends holding back: shows the control unless the host hid it meanwhile.
  void reveal();

 protected:
  wxSize DoGetBestSize() const override;
  void DoApplyWidgetStyle(GtkRcStyle* style) override;

 private:
  wxSize measured_ = wxDefaultSize;  // wxDefaultSize once the font changed
  bool held_ = false;
  bool wanted_ = true;  // what the host asked for while held back
  std::string look_;
};

/// A row's tri-state check box in `parent`.
wxCheckBox* create_checkbox(wxWindow& parent, const wxString& label);
/// A row's tick-mark (tick_style) or proposed-name (proposed_style) control,
/// shown at once.
RowText* create_text(wxWindow& parent, const wxString& value, const wxSize& size, long style);
/// Makes `text` in `parent` as create_text does, at `size`; wxBORDER_NONE
/// in `style` is given through the shared style sheet, not wx's own provider.
bool create(RowText& text, wxWindow& parent, const wxString& value, const wxSize& size,
            long style);

}  // namespace filerow
