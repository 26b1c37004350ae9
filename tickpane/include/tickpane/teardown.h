#pragma once

// Tearing a built tree's rows down before the next build.

#include <tickpane/export.h>
#include <tickpane/tickpane.h>

namespace tickpane {

/// Unbinds every row of `tree`, then deletes every cell of both panels'
/// grid-bag sizers together with the widgets in them, with both panels hidden
/// meanwhile and shown again afterwards (a panel the host had hidden stays
/// hidden). The rows themselves live on in the registries and see their
/// widgets as null; the panels are empty and ready for the next Filetree.
/// Of the ways measured, the fastest (docs/performance.md, "Teardown").
///
/// A panel the host has destroyed already took its sizer and widgets along:
/// it is left alone, and the other one is still cleared.
///
/// REQUIRES: GUI thread.
TICKPANE_API void destroy_rows(Filetree& tree);

}  // namespace tickpane
