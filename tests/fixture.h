#pragma once

#include <gtest/gtest.h>
#include <host/config.h>

#include <wx/frame.h>
#include <wx/gbsizer.h>
#include <wx/panel.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "recording_services.h"

// A frame with two panels side by side, each laid out by a wxGridBagSizer:
// the setting a host gives the tree. Recording services are installed for the
// test and the frame is destroyed after it.
class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  /// Lets the toolkit process pending events (paint, layout, input).
  static void pump();
  /// Lays the frame out, lets it paint, and returns what the screen shows
  /// of its client area.
  wxImage screenshot();

  wxFrame* frame = nullptr;
  wxPanel* panel1 = nullptr;
  wxPanel* panel2 = nullptr;
  wxGridBagSizer* sizer1 = nullptr;
  wxGridBagSizer* sizer2 = nullptr;
  std::shared_ptr<RecordingServices> services;
};

// A temporary folder removed after the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& path() const { return path_; }
  /// Makes a file (and the folders on its way) at `relative`.
  void file(const std::string& relative) const;
  /// Makes a folder (and the folders on its way) at `relative`.
  void folder(const std::string& relative) const;

 private:
  std::filesystem::path path_;
};
