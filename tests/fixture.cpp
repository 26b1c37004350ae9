#include "fixture.h"

#include <host/services.h>

#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/utils.h>
#include <wx/sizer.h>

#include <fstream>
#include <random>

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

void PanelTest::pump() {
  wxTheApp->ProcessPendingEvents();
  while (wxTheApp->Pending()) wxTheApp->Dispatch();
  wxTheApp->ProcessIdle();
}

wxImage PanelTest::screenshot() {
  frame->Layout();
  for (int i = 0; i < 20; ++i) {
    pump();
    wxMilliSleep(10);
  }
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

TempDir::TempDir() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() /
          ("tickpane-test-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ignored;
  // Undo permission changes a test made, so the folder can go.
  for (auto it = std::filesystem::recursive_directory_iterator(
           path_, std::filesystem::directory_options::skip_permission_denied, ignored);
       it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
    if (it->is_directory(ignored) && !it->is_symlink(ignored))
      std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

void TempDir::file(const std::string& relative) const {
  std::filesystem::path target = path_ / relative;
  std::filesystem::create_directories(target.parent_path());
  std::ofstream(target) << "x";
}

void TempDir::folder(const std::string& relative) const {
  std::filesystem::create_directories(path_ / relative);
}
