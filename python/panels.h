#pragma once

// Rows are placed through the shared row context, which holds the panels
// weakly but their sizers by bare pointer, and the row library reads a sizer
// before it looks at its panel. A destroyed panel takes its sizer with it, so
// the bindings refuse to make rows then, rather than let the library reach
// freed memory.

#include <filerow/filerow.h>

#include <stdexcept>

namespace panels {

/// Throws std::logic_error when a sizer of the row context is set while its
/// panel is destroyed (or was never set).
inline void require_live() {
  filerow::RowContext shared = filerow::Filerow::context();
  if ((shared.sizer1 != nullptr && shared.wxparent1 == nullptr) ||
      (shared.sizer2 != nullptr && shared.wxparent2 == nullptr))
    throw std::logic_error("Filerow: the panels (wxparent1, wxparent2) are destroyed or not set");
}

}  // namespace panels
