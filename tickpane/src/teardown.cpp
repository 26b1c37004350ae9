#include <tickpane/teardown.h>

#include <wx/sizer.h>
#include <wx/window.h>

namespace tickpane {

void destroy_rows(Filetree& tree) {
  tree.unbindall();
  // A destroyed panel took its sizer and the widgets in it along.
  struct Side {
    wxWindow* panel;
    wxSizer* sizer;
    bool shown;
  } sides[] = {{tree.wxparent1(), tree.sizer1(), false}, {tree.wxparent2(), tree.sizer2(), false}};
  for (Side& side : sides) {
    if (side.panel == nullptr) continue;
    side.shown = side.panel->IsShown();
    if (side.shown) side.panel->Hide();
  }
  // Hidden, a panel is not resized and redrawn per widget; Clear() deletes
  // the first line first, which wx and GTK find at the front of their lists.
  for (Side& side : sides)
    if (side.panel != nullptr && side.sizer != nullptr) side.sizer->Clear(true);
  for (Side& side : sides)
    if (side.shown) side.panel->Show();
}

}  // namespace tickpane
