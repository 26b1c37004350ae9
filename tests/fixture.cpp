#include "fixture.h"

#include <host/services.h>

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/sizer.h>

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
  wxScreenDC screen;
  wxSize size = frame->GetClientSize();
  wxPoint origin = frame->ClientToScreen(wxPoint(0, 0));
  wxBitmap shot(size);
  wxMemoryDC memory(shot);
  memory.Blit(0, 0, size.x, size.y, &screen, origin.x, origin.y);
  memory.SelectObject(wxNullBitmap);
  return shot.ConvertToImage();
}
