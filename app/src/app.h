#pragma once

// The application object: one window on the folder given, or a screenshot of
// that window saved to a file.

#include <wx/app.h>
#include <wx/timer.h>

#include <string>

#include "options.h"

namespace bulkrename {

class Window;

class App : public wxApp {
 public:
  App(Options options, std::string folder);

  bool OnInit() override;
  int OnRun() override;

 private:
  void take_screenshot();

  Options options_;
  std::string folder_;
  Window* window_ = nullptr;
  wxTimer screenshot_timer_;
  int status_ = 0;
};

}  // namespace bulkrename
