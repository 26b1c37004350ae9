#pragma once

// How many rows' text controls build() holds back before it shows them
// together. Benches and tests set it to compare batch sizes; a host need not:
// the default suits every size (docs/performance.md).

#include <tickpane/export.h>

namespace tickpane {

/// Rows per batch of the builds that start while this lives (128 while none
/// does); 0 shows each text control as it is made. The destructor restores
/// the batch before.
/// REQUIRES: GUI thread.
class TICKPANE_API RevealBatch {
 public:
  explicit RevealBatch(int rows);
  ~RevealBatch();
  RevealBatch(const RevealBatch&) = delete;
  RevealBatch& operator=(const RevealBatch&) = delete;

 private:
  int before_;
};

}  // namespace tickpane
