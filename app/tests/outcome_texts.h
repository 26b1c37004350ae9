#pragma once

// What a batch's outcome says, as lines the tests compare whole.

#include <string>
#include <vector>

#include "renamer.h"

namespace bulkrename {

/// "folder/from: reason" for each rename that failed, in order.
inline std::vector<std::string> failures(const Outcome& outcome) {
  std::vector<std::string> texts;
  for (const Failure& failure : outcome.failures) {
    Path path = failure.move.folder;
    path.push_back(failure.move.from);
    texts.push_back(join(path) + ": " + failure.reason);
  }
  return texts;
}

}  // namespace bulkrename
