#pragma once

// Upper and lower case in every alphabet, whatever the process's locale: one
// character maps to one (the C library's simple case mapping for C.UTF-8).
// Bytes that are not UTF-8 (see fsname/utf8.h) have no case.

#include <string>
#include <string_view>

namespace bulkrename {

wchar_t lower(wchar_t c);
wchar_t upper(wchar_t c);
/// A letter or digit of any alphabet.
bool alphanumeric(wchar_t c);

/// `name` with every character in lower case: equal for names that a folder
/// ignoring case takes for one.
std::string folded(std::string_view name);

}  // namespace bulkrename
