#pragma once

// Which input method context each text entry was realized with, so that a
// teardown can take those contexts off the screen's settings itself.
//
// GTK 3.24.49 (3.24.38 listened once for all) has each realized entry's input
// method context listen to its screen's settings for a change of input method,
// and leave by searching every listener the settings have: deleting N entries
// searched N times through up to N listeners. The context is private to its
// entry; the only way to learn it is to be told when GTK gives it its window.

#include <tickpane/export.h>

#include <wx/window.h>

namespace tickpane {

/// From now on, notes on each text entry realized which input method context
/// it was realized with. Every later call does nothing. Entries realized
/// before are not known, and are left to GTK.
/// REQUIRES: GUI thread.
void remember_input_contexts();

/// Takes the input method context `entry` was realized with off its screen's
/// settings, if it is still on them. For a widget about to be deleted only:
/// until it is realized again it will not see the input method change.
/// Exported for the tests.
/// REQUIRES: GUI thread.
TICKPANE_API void leave_settings(const wxWindow& entry);

}  // namespace tickpane
