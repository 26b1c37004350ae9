#pragma once

// The application object: one window on the folder given, or a screenshot of
// that window saved to a file. The program ends when the window closes,
// without tearing the window down: the operating system takes back its
// thousands of widgets at once, where the toolkit takes seconds to destroy
// them one by one (docs/performance.md, "Application on Debian 12" and "... 13").

#include <wx/app.h>
#include <wx/timer.h>

#include <memory>
#include <string>

#include "options.h"
#include "sample.h"

namespace bulkrename {

class Window;

class App : public wxApp {
 public:
  /// Shows `folder`; `scratch`, when given, is removed as the program ends.
  App(Options options, std::string folder, std::unique_ptr<Scratch> scratch = nullptr);

  bool OnInit() override;
  int OnRun() override;

 private:
  void take_screenshot();

  Options options_;
  std::string folder_;
  std::unique_ptr<Scratch> scratch_;
  Window* window_ = nullptr;
  wxTimer screenshot_timer_;
  int status_ = 0;
};

}  // namespace bulkrename
