#pragma once

// Names on screen. The rows show a name's bytes with U+FFFD for each byte that
// is not UTF-8 and control characters as their pictures (U+2400 and on); we
// write proposed names the same way, so that a proposal equal to the name
// reads as no change.

#include <wx/string.h>

#include <string>

namespace bulkrename {

wxString shown(const std::string& bytes);

}  // namespace bulkrename
