#pragma once

// How a row's widgets are made: by rows, and ahead of them by HiddenCreation.

#include <wx/checkbox.h>
#include <wx/textctrl.h>

namespace filerow {

constexpr long tick_style = wxBORDER_NONE | wxTE_READONLY;
constexpr long proposed_style = wxBORDER_NONE;

/// A row's tri-state check box in `parent`, hidden when `hidden`.
wxCheckBox* create_checkbox(wxWindow& parent, const wxString& label, bool hidden);
/// A row's tick-mark (tick_style) or proposed-name (proposed_style) control.
wxTextCtrl* create_text(wxWindow& parent, const wxString& value, const wxSize& size,
                        long style, bool hidden);

}  // namespace filerow
