#pragma once

// How a name (the file system's bytes) is shown in a widget, and back: the
// one rule for every widget that shows a name, the rows' and a host's alike.
// Any bytes are accepted; nothing here fails.

#include <filerow/export.h>

#include <wx/string.h>

#include <string>
#include <string_view>

namespace filerow {

/// The text a widget shows for `bytes`: valid UTF-8 as it stands, each byte
/// that is not part of a valid sequence as U+FFFD, and control characters as
/// their visible pictures (U+2400 + code, U+2421 for DEL), so that a row
/// stays one line high. Two names can show alike; compare texts, not bytes,
/// to tell whether a widget still shows a name.
FILEROW_API wxString to_display(std::string_view bytes);

/// The bytes a widget's text stands for, once edited from to_display(shown):
/// the beginning and end it still shares with that text keep the exact bytes
/// of `shown` there (stray bytes and real pictures included); in between,
/// each control picture stands for its control character again, and the
/// rest is its UTF-8 form. So the result reads as the text the user sees,
/// and from_display(to_display(shown), shown) == shown.
FILEROW_API std::string from_display(const wxString& text, std::string_view shown);

/// to_display for a check box label, whose '&' would otherwise mark a mnemonic.
FILEROW_API wxString to_label(std::string_view bytes);

}  // namespace filerow
