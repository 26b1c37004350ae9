#include "proposal.h"

#include <clocale>
#include <cwctype>
#include <stdexcept>

#include "utf8.h"

namespace bulkrename {

namespace {

constexpr long max_start = 999'999'999'999'999;

// Case mapping for all of Unicode needs a UTF-8 character type; the process's
// own locale may well be "C", which maps ASCII alone. Null when the system has
// no such locale: then only ASCII changes case.
locale_t unicode_ctype() {
  static const locale_t ctype = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t(nullptr));
  return ctype;
}

wchar_t lower(wchar_t c) {
  if (locale_t ctype = unicode_ctype()) return static_cast<wchar_t>(towlower_l(c, ctype));
  return c < 0x80 ? static_cast<wchar_t>(std::towlower(c)) : c;
}

wchar_t upper(wchar_t c) {
  if (locale_t ctype = unicode_ctype()) return static_cast<wchar_t>(towupper_l(c, ctype));
  return c < 0x80 ? static_cast<wchar_t>(std::towupper(c)) : c;
}

// Letters and digits continue a word, and so does an apostrophe ("don't").
bool continues_word(wchar_t c) {
  if (c == L'\'' || c == L'\u2019') return true;
  if (is_raw_byte(c)) return false;
  if (locale_t ctype = unicode_ctype()) return iswalnum_l(c, ctype) != 0;
  return c < 0x80 && std::iswalnum(c);
}

std::wstring folded(std::wstring text) {
  for (wchar_t& c : text) c = lower(c);
  return text;
}

std::locale regex_locale() {
  try {
    return std::locale("C.UTF-8");
  } catch (const std::runtime_error&) {
    return std::locale::classic();
  }
}

// Where the extension starts: the last dot, unless it starts the name
// (".profile" has none); npos when there is none.
std::size_t extension_at(const std::string& name) {
  std::size_t dot = name.rfind('.');
  return dot == 0 ? std::string::npos : dot;
}

}  // namespace

Proposal::Proposal(Rules rules) : rules_(std::move(rules)) {
  if (rules_.numbering && (rules_.width < 1 || rules_.width > max_width))
    throw std::invalid_argument("The number width must be from 1 to " +
                                std::to_string(max_width) + ".");
  if (rules_.numbering && (rules_.start < 0 || rules_.start > max_start))
    throw std::invalid_argument("The first number must be from 0 to " +
                                std::to_string(max_start) + ".");
  find_ = widen(rules_.find);
  replace_ = widen(rules_.replace);
  if (rules_.regex && !find_.empty()) {
    auto flags = std::regex::ECMAScript;
    if (!rules_.match_case) flags |= std::regex::icase;
    try {
      pattern_.imbue(regex_locale());
      pattern_.assign(find_, flags);
    } catch (const std::regex_error& error) {
      throw std::invalid_argument("Bad regular expression \"" + rules_.find +
                                  "\": " + error.what());
    }
  }
}

std::wstring Proposal::replace_all(const std::wstring& text) const {
  if (find_.empty()) return text;
  if (rules_.regex) return std::regex_replace(text, pattern_, replace_);
  // Case-blind matching compares folded characters; folding maps one
  // character to one, so positions carry over to the original text.
  const std::wstring haystack = rules_.match_case ? text : folded(text);
  const std::wstring needle = rules_.match_case ? find_ : folded(find_);
  std::wstring result;
  std::size_t from = 0;
  for (std::size_t at; (at = haystack.find(needle, from)) != std::wstring::npos;
       from = at + needle.size()) {
    result.append(text, from, at - from);
    result += replace_;
  }
  result.append(text, from);
  return result;
}

std::wstring Proposal::change_case(const std::wstring& text) const {
  std::wstring result = text;
  switch (rules_.casing) {
    case Casing::keep:
      break;
    case Casing::lower:
      for (wchar_t& c : result) c = lower(c);
      break;
    case Casing::upper:
      for (wchar_t& c : result) c = upper(c);
      break;
    case Casing::title:
      for (std::size_t i = 0; i < result.size(); ++i)
        result[i] = i > 0 && continues_word(text[i - 1]) ? lower(text[i]) : upper(text[i]);
      break;
  }
  return result;
}

std::string Proposal::propose(const std::string& name, long index) const {
  std::size_t dot = rules_.keep_extension ? extension_at(name) : std::string::npos;
  std::string stem = name.substr(0, dot);
  std::string extension = dot == std::string::npos ? "" : name.substr(dot);

  stem = narrow(change_case(replace_all(widen(stem))));

  std::string number;
  if (rules_.numbering) {
    number = std::to_string(rules_.start + index);
    if (number.size() < static_cast<std::size_t>(rules_.width))
      number.insert(0, rules_.width - number.size(), '0');
  }
  std::string result;
  if (rules_.number_at == Place::start) result += number;
  result += rules_.prefix + stem + rules_.suffix;
  if (rules_.number_at == Place::end) result += number;
  return result + extension;
}

}  // namespace bulkrename
