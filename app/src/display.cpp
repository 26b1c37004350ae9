#include "display.h"

#include <fsname/utf8.h>

namespace bulkrename {

wxString shown(const std::string& bytes) {
  std::wstring text = fsname::widen(bytes);
  for (wchar_t& c : text) {
    if (fsname::is_raw_byte(c))
      c = 0xFFFD;
    else if (c < 0x20)
      c += 0x2400;
    else if (c == 0x7F)
      c = 0x2421;
  }
  return wxString(text);
}

}  // namespace bulkrename
