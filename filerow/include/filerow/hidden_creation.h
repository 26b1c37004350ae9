#pragma once

#include <filerow/export.h>

#include <memory>

namespace filerow {

class HeldBack;

/// While one of these lives, the rows made hold their text controls back,
/// hidden, and reveal() puts on screen all held back so far; the destructor
/// reveals the rest, also when an error ends the work early. Once the last
/// are revealed, what a host sees is what it would see had every control been
/// shown as it was made; held back, a control already answers Show() and
/// IsShown() as it will then. A build of many rows is faster this way
/// (docs/performance.md, "What build() does about the floor").
///
/// REQUIRES: one at a time, on the GUI thread. Making a second while one
/// lives throws std::logic_error.
class FILEROW_API HiddenCreation {
 public:
  HiddenCreation();
  /// Reveals every control still held back.
  ~HiddenCreation();
  HiddenCreation(const HiddenCreation&) = delete;
  HiddenCreation& operator=(const HiddenCreation&) = delete;

  /// Puts every control held back so far on screen, as the host left it.
  void reveal();

 private:
  std::unique_ptr<HeldBack> held_;
};

}  // namespace filerow
