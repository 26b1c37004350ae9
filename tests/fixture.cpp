#include "fixture.h"

#include <host/services.h>

#include <wx/sizer.h>

#include "screen_image.h"

void PanelTest::SetUp() {
  services = std::make_shared<RecordingServices>();
  host::install(services);
  frame = new wxFrame(nullptr, wxID_ANY, "test", wxDefaultPosition, wxSize(800, 600));
  panel1 = new wxPanel(frame);
  panel2 = new wxPanel(frame);
  sizer1 = new wxGridBagSizer;
  sizer2 = new wxGridBagSizer;
  panel1->SetSizer(sizer1);
  panel2->SetSizer(sizer2);
  auto* both = new wxBoxSizer(wxHORIZONTAL);
  both->Add(panel1, 1, wxEXPAND);
  both->Add(panel2, 1, wxEXPAND);
  frame->SetSizer(both);
}

void PanelTest::TearDown() {
  frame->Destroy();
  pump();
  host::install(nullptr);
}

wxImage PanelTest::screenshot() {
  frame->Layout();
  settle(20);
  // The screen, not the window, holds what GTK 3 drew.
  return screen_image(wxRect(frame->ClientToScreen(wxPoint(0, 0)), frame->GetClientSize()));
}
