#include "casing.h"

#include <fsname/utf8.h>

#include <clocale>
#include <cwctype>

namespace bulkrename {

namespace {

// Case mapping for all of Unicode needs a UTF-8 character type; the process's
// own locale may well be "C", which maps ASCII alone. Null when the system has
// no such locale: then only ASCII changes case.
locale_t unicode_ctype() {
  static const locale_t ctype = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
  return ctype;
}

}  // namespace

wchar_t lower(wchar_t c) {
  if (fsname::is_raw_byte(c)) return c;
  if (locale_t ctype = unicode_ctype()) return static_cast<wchar_t>(towlower_l(c, ctype));
  return c < 0x80 ? static_cast<wchar_t>(std::towlower(c)) : c;
}

wchar_t upper(wchar_t c) {
  if (fsname::is_raw_byte(c)) return c;
  if (locale_t ctype = unicode_ctype()) return static_cast<wchar_t>(towupper_l(c, ctype));
  return c < 0x80 ? static_cast<wchar_t>(std::towupper(c)) : c;
}

bool alphanumeric(wchar_t c) {
  if (fsname::is_raw_byte(c)) return false;
  if (locale_t ctype = unicode_ctype()) return iswalnum_l(c, ctype) != 0;
  return c < 0x80 && std::iswalnum(c);
}

std::string folded(std::string_view name) {
  std::wstring text = fsname::widen(name);
  for (wchar_t& c : text) c = lower(c);
  return fsname::narrow(text);
}

}  // namespace bulkrename
