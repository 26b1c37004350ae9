#include "wildcard.h"

#include <fsname/utf8.h>

#include <algorithm>
#include <utility>

namespace tickpane {

using fsname::Character;
using fsname::character_at;
using fsname::character_before;

Wildcard::Wildcard(std::string_view pattern) {
  std::vector<char32_t> units;
  for (size_t at = 0; at < pattern.size();) {
    const Character character = character_at(pattern, at);
    units.push_back(character.code);
    at += character.size;
  }
  const size_t count = units.size();
  for (size_t i = 0; i < count;) {
    const char32_t unit = units[i++];
    if (unit == '*') {
      if (tokens_.empty() || tokens_.back().kind != Token::star) tokens_.emplace_back(Token::star);
      continue;
    }
    if (unit == '?') {
      tokens_.emplace_back(Token::any);
      continue;
    }
    if (unit != '[') {
      tokens_.emplace_back(Token::literal, unit);
      continue;
    }
    size_t end = i;
    if (end < count && units[end] == '!') ++end;
    if (end < count && units[end] == ']') ++end;
    while (end < count && units[end] != ']') ++end;
    if (end == count) {
      tokens_.emplace_back(Token::literal, unit);
      continue;
    }
    Token set(Token::set);
    set.negated = units[i] == '!';
    for (size_t k = set.negated ? i + 1 : i; k < end;) {
      if (k + 2 < end && units[k + 1] == '-') {
        set.ranges.push_back({units[k], units[k + 2]});
        k += 3;
      } else {
        set.ranges.push_back({units[k], units[k]});
        ++k;
      }
    }
    tokens_.push_back(std::move(set));
    i = end + 1;
  }
  for (size_t token = 0; token < tokens_.size(); ++token)
    if (tokens_[token].kind == Token::star) tail_ = token + 1;
}

bool Wildcard::Token::accepts(char32_t character) const {
  switch (kind) {
    case any:
      return true;
    case literal:
      return character == code;
    case set:
      return negated != std::any_of(ranges.begin(), ranges.end(), [&](const Range& range) {
               return range.first <= character && character <= range.last;
             });
    case star:
      break;
  }
  return false;
}

// The tail after the last star is matched from the end of the name, with no
// backtracking; the head, up to that star, from the start.
bool Wildcard::matches(std::string_view name) const {
  size_t end = name.size();
  for (size_t token = tokens_.size(); token > tail_; --token) {
    if (end == 0) return false;
    const Character character = character_before(name, end);
    if (!tokens_[token - 1].accepts(character.code)) return false;
    end -= character.size;
  }
  return head_matches(name.substr(0, end));
}

// The usual single-star backtracking: on a mismatch the latest `*` takes one
// more character and matching resumes after it.
bool Wildcard::head_matches(std::string_view start) const {
  constexpr size_t none = static_cast<size_t>(-1);
  size_t token = 0, at = 0;
  size_t after_star = none, star_end = 0;
  while (at < start.size()) {
    if (token < tail_) {
      if (tokens_[token].kind == Token::star) {
        after_star = ++token;
        if (after_star == tail_) return true;
        star_end = at;
        continue;
      }
      const Character character = character_at(start, at);
      if (tokens_[token].accepts(character.code)) {
        ++token;
        at += character.size;
        continue;
      }
    }
    if (after_star == none) return false;
    star_end += character_at(start, star_end).size;
    at = star_end;
    token = after_star;
  }
  while (token < tail_ && tokens_[token].kind == Token::star) ++token;
  return token == tail_;
}

}  // namespace tickpane
