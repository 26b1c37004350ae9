#pragma once

// How a name (the file system's bytes) is shown in a widget, and back.

#include <wx/string.h>

#include <string>
#include <string_view>

namespace filerow {

/// The text a widget shows for `bytes`: valid UTF-8 as it stands, each byte
/// that is not part of a valid sequence as U+FFFD, and control characters as
/// their visible pictures (U+2400 and on), so that a row stays one line high.
wxString to_display(std::string_view bytes);

/// The bytes of a widget's text: its UTF-8 form.
std::string from_display(const wxString& text);

/// to_display for a check box label, whose '&' would otherwise mark a mnemonic.
wxString to_label(std::string_view bytes);

}  // namespace filerow
