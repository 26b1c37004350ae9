#pragma once

// Showing or hiding many sibling widgets at once.

#include <vector>

class wxWindow;

namespace filerow {

/// Shows, or hides, every widget of `widgets` (each once, a child of some
/// panel) in an order that keeps GTK's work per widget small. As a widget
/// appears or goes, GTK looks along its siblings for the nearest shown one
/// before and after it, so going through a run of hidden siblings from one
/// end to the other crosses the rest of the run each time: time in the run
/// squared, seconds for a folder of thousands of rows. Shown middle first,
/// then the middles of each half and so on, each widget finds a shown
/// sibling within the gap it splits; hidden in the reverse order, within the
/// gaps left. The widgets end up as in any order.
void show_many(const std::vector<wxWindow*>& widgets, bool show);

}  // namespace filerow
