#pragma once

// Styling a row's widgets through GTK directly, where wx offers no way.

class wxTextCtrl;

namespace filerow {

/// Makes `text` take every later change of style at once instead of through
/// the theme's transitions, and forgets the best size wx cached while making
/// it. The theme animates a text control's padding for 200 ms after wx
/// removes it from a control already on screen, so a best size read at that
/// moment depends on the time; with this, it is the settled one.
void settle_style(wxTextCtrl& text);

}  // namespace filerow
