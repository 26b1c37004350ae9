#include "proposal.h"

#include <fsname/utf8.h>
#include <re2/re2.h>

#include <algorithm>
#include <stdexcept>

#include "casing.h"

namespace bulkrename {

namespace {

constexpr long max_start = 999'999'999'999'999;

// Letters and digits continue a word, and so does an apostrophe ("don't").
bool continues_word(wchar_t c) {
  return c == L'\'' || c == L'\u2019' || alphanumeric(c);
}

std::wstring folded(std::wstring text) {
  for (wchar_t& c : text) c = lower(c);
  return text;
}

// RE2 reads UTF-8 and does not match bytes outside it the same way from one
// version to the next. During matching each such byte B stands as the
// private-use character U+10FF00 + B (U+10FF80..U+10FFFF), which nothing else
// in the text can produce unless the name itself holds one; propose() leaves
// such a name alone when the two could be confused.
constexpr char32_t stand_in_base = 0x10FF00;

bool is_stand_in(wchar_t c) {
  auto code = static_cast<char32_t>(c);
  return code >= stand_in_base + 0x80 && code <= stand_in_base + 0xFF;
}

std::string with_stand_ins(const std::string& bytes) {
  std::wstring text = fsname::widen(bytes);
  for (wchar_t& c : text)
    if (fsname::is_raw_byte(c))
      c = static_cast<wchar_t>(stand_in_base + (c - fsname::raw_byte_base));
  return fsname::narrow(text);
}

std::string without_stand_ins(const std::string& utf8) {
  std::wstring text = fsname::widen(utf8);
  for (wchar_t& c : text)
    if (is_stand_in(c)) c = static_cast<wchar_t>(fsname::raw_byte_base + (c - stand_in_base));
  return fsname::narrow(text);
}

bool holds_stand_ins(const std::string& bytes) {
  for (wchar_t c : fsname::widen(bytes))
    if (is_stand_in(c)) return true;
  return false;
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
  find_ = fsname::widen(rules_.find);
  replace_ = fsname::widen(rules_.replace);
  if (rules_.regex && !find_.empty()) {
    RE2::Options options;
    options.set_encoding(RE2::Options::EncodingUTF8);
    options.set_case_sensitive(rules_.match_case);
    options.set_log_errors(false);
    auto pattern = std::make_shared<RE2>(with_stand_ins(rules_.find), options);
    if (!pattern->ok())
      throw std::invalid_argument("Bad regular expression \"" + rules_.find +
                                  "\": " + pattern->error());
    pattern_ = std::move(pattern);
    rules_hold_raw_bytes_ = !fsname::valid_utf8(rules_.find) || !fsname::valid_utf8(rules_.replace);
    parse_replacement(with_stand_ins(rules_.replace), pattern_->NumberOfCapturingGroups());
  }
}

// ECMAScript's rules: "$nn" is a group when it names one (two digits first,
// then one), "$0" and any other "$" stand for themselves.
void Proposal::parse_replacement(const std::string& text, int groups) {
  auto literal = [&](std::string piece) {
    if (replacement_.empty() || replacement_.back().kind != Piece::text)
      replacement_.push_back({Piece::text, {}});
    replacement_.back().literal += piece;
  };
  auto digit = [&](std::size_t at) {
    return at < text.size() && text[at] >= '0' && text[at] <= '9' ? text[at] - '0' : -1;
  };
  for (std::size_t at = 0; at < text.size();) {
    if (text[at] != '$' || at + 1 == text.size()) {
      literal(text.substr(at++, 1));
      continue;
    }
    const char next = text[at + 1];
    if (next == '$') {
      literal("$");
      at += 2;
    } else if (next == '&' || next == '`' || next == '\'') {
      replacement_.push_back(
          {next == '&' ? Piece::group : next == '`' ? Piece::before : Piece::after, {}});
      at += 2;
    } else if (int first = digit(at + 1), second = digit(at + 2);
               first >= 0 && second >= 0 && first * 10 + second >= 1 &&
               first * 10 + second <= groups) {
      replacement_.push_back({Piece::group, {}, first * 10 + second});
      at += 3;
    } else if (first >= 1 && first <= groups) {
      replacement_.push_back({Piece::group, {}, first});
      at += 2;
    } else {
      literal("$");
      ++at;
    }
  }
}

std::string Proposal::replace_all(const std::string& stem) const {
  if (!pattern_) return fsname::narrow(replace_plain(fsname::widen(stem)));
  if (!holds_stand_ins(stem)) return without_stand_ins(replace_matches(with_stand_ins(stem)));
  // A real U+10FF80..U+10FFFF could not be told from a byte's stand-in.
  if (!fsname::valid_utf8(stem) || rules_hold_raw_bytes_) return stem;
  return replace_matches(stem);
}

// Every match, left to right; an empty match takes the next character along,
// as in ECMAScript and Python.
std::string Proposal::replace_matches(const std::string& text) const {
  // Only the groups the replacement uses: asking for every group of a
  // pattern with thousands costs memory in proportion.
  int groups = 0;
  for (const Piece& piece : replacement_)
    if (piece.kind == Piece::group) groups = std::max(groups, piece.number);
  std::vector<re2::StringPiece> match(groups + 1);
  std::string result;
  std::size_t copied = 0;
  for (std::size_t from = 0; from <= text.size();) {
    if (!pattern_->Match(text, from, text.size(), RE2::UNANCHORED, match.data(), groups + 1))
      break;
    const std::size_t start = match[0].data() - text.data();
    const std::size_t end = start + match[0].size();
    result.append(text, copied, start - copied);
    for (const Piece& piece : replacement_) {
      switch (piece.kind) {
        case Piece::text:
          result += piece.literal;
          break;
        case Piece::group:
          if (match[piece.number].data() != nullptr)
            result.append(match[piece.number].data(), match[piece.number].size());
          break;
        case Piece::before:
          result.append(text, 0, start);
          break;
        case Piece::after:
          result.append(text, end);
          break;
      }
    }
    copied = end;
    if (end > start) {
      from = end;
    } else {
      if (start == text.size()) break;
      // `text` is UTF-8 throughout: the character is one sequence.
      from = start + fsname::character_at(text, start).size;
      result.append(text, start, from - start);
      copied = from;
    }
  }
  result.append(text, copied);
  return result;
}

std::wstring Proposal::replace_plain(const std::wstring& text) const {
  if (find_.empty()) return text;
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

  stem = fsname::narrow(change_case(fsname::widen(replace_all(stem))));

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
