#pragma once

// Reading what the (virtual) screen shows.

#include <wx/gdicmn.h>
#include <wx/image.h>

/// The pixels the screen shows in `area` (screen coordinates), read from the
/// window system: wx's screen device context could go on giving what a window
/// destroyed earlier had drawn there.
wxImage screen_image(const wxRect& area);

/// Whether `a` and `b` have the same size and pixels.
bool same_pixels(const wxImage& a, const wxImage& b);
