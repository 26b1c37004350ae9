#include <tickpane/teardown.h>

#include <wx/sizer.h>
#include <wx/window.h>

namespace tickpane {

void destroy_rows(Filetree& tree) {
  tree.unbindall();
  wxWindow* panels[] = {tree.wxparent1(), tree.wxparent2()};
  bool shown[2];
  for (int i = 0; i < 2; ++i) {
    shown[i] = panels[i]->IsShown();
    if (shown[i]) panels[i]->Hide();
  }
  tree.sizer1()->Clear(true);
  tree.sizer2()->Clear(true);
  for (int i = 0; i < 2; ++i)
    if (shown[i]) panels[i]->Show();
}

}  // namespace tickpane
