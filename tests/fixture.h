#pragma once

#include <gtest/gtest.h>
#include <host/config.h>

#include <wx/frame.h>
#include <wx/gbsizer.h>
#include <wx/panel.h>

#include <memory>

#include "pump_events.h"
#include "recording_services.h"
#include "temp_folder.h"

// A frame with two panels side by side, each laid out by a wxGridBagSizer:
// the setting a host gives the tree. Recording services are installed for the
// test and the frame is destroyed after it.
class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

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
