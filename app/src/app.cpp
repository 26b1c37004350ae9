#include "app.h"

#include <wx/image.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "window.h"

namespace bulkrename {

namespace {

// Time for the virtual screen to map and paint the window before it is read.
constexpr int settle_ms = 700;

}  // namespace

App::App(Options options, std::string folder, std::unique_ptr<Scratch> scratch)
    : options_(std::move(options)), folder_(std::move(folder)), scratch_(std::move(scratch)) {}

bool App::OnInit() {
  // The command line was read before the toolkit started; nothing of it is
  // for the toolkit.
  wxImage::AddHandler(new wxPNGHandler);
  window_ = new Window(options_, folder_);
  window_->set_closing([this] { ExitMainLoop(); });
  window_->Show();
  window_->CallAfter([this] {
    window_->rebuild();
    if (!options_.screenshot.empty()) {
      screenshot_timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { take_screenshot(); });
      screenshot_timer_.StartOnce(settle_ms);
    }
  });
  return true;
}

void App::take_screenshot() {
  window_->Raise();
  window_->Update();
  std::string error = window_->save_screenshot(options_.screenshot);
  if (!error.empty()) {
    std::cerr << "bulkrename: no screenshot: " << error << '\n';
    status_ = 1;
  }
  window_->Close(true);
}

int App::OnRun() {
  int status = wxApp::OnRun();
  if (status == 0) status = status_;
  // The window is hidden, its rows still there; nothing is left to write:
  // the journals are complete after each command.
  scratch_.reset();
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace bulkrename
