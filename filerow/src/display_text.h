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

/// The bytes a widget's text stands for, once edited from to_display(shown):
/// the beginning and end it still shares with that text keep the exact bytes
/// of `shown` there (stray bytes and real pictures included); in between,
/// each control picture stands for its control character again, and the
/// rest is its UTF-8 form. So the result reads as the text the user sees.
std::string from_display(const wxString& text, std::string_view shown);

/// to_display for a check box label, whose '&' would otherwise mark a mnemonic.
wxString to_label(std::string_view bytes);

}  // namespace filerow
