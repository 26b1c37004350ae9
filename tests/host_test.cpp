#include <gtest/gtest.h>
#include <host/services.h>

#include <wx/checkbox.h>
#include <wx/frame.h>

#include <stdexcept>

#include "captured_output.h"
#include "recording_services.h"

TEST(DefaultServices, AndlistJoinsWithCommasAndAFinalAnd) {
  host::DefaultServices services;
  EXPECT_EQ(services.andlist({}, "'"), "");
  EXPECT_EQ(services.andlist({"a"}, "'"), "'a'");
  EXPECT_EQ(services.andlist({"a", "b"}, "'"), "'a' and 'b'");
  EXPECT_EQ(services.andlist({"a", "b", "c"}, "'"), "'a', 'b' and 'c'");
}

TEST(DefaultServices, LinesGoToStandardOutputAtOnce) {
  host::DefaultServices services;
  CapturedOutput out;
  services.print_line("++++++++++ 'caf\xe9' for 1 files");
  EXPECT_EQ(out.text(), "++++++++++ 'caf\xe9' for 1 files\n");
}

TEST(DefaultServices, ThemeIsReadableAndStylingKeepsFontAndColours) {
  host::DefaultServices services;
  auto tree = services.tree_style();
  EXPECT_TRUE(tree->font().IsOk());
  EXPECT_EQ(tree->bold_font().GetWeight(), wxFONTWEIGHT_BOLD);
  EXPECT_EQ(tree->collapsed_font().GetStyle(), wxFONTSTYLE_ITALIC);
  EXPECT_NE(tree->background(), tree->selected_background());

  auto* frame = new wxFrame(nullptr, wxID_ANY, "x");
  auto* box = new wxCheckBox(frame, wxID_ANY, "x");
  box->SetFont(tree->bold_font());
  box->SetBackgroundColour(tree->selected_background());
  services.format_widget(*box, *tree);
  EXPECT_EQ(box->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
  EXPECT_EQ(box->GetBackgroundColour(), tree->selected_background());
  frame->Destroy();
}

TEST(Services, InstallReplacesTheProcessWideSetAndNullRestoresTheDefault) {
  auto recording = std::make_shared<RecordingServices>();
  EXPECT_EQ(host::install(recording), nullptr);
  EXPECT_EQ(&host::services(), recording.get());
  EXPECT_EQ(host::install(nullptr), recording);
  EXPECT_NE(dynamic_cast<host::DefaultServices*>(&host::services()), nullptr);
}

TEST(Services, GuardedBodyHandsItsErrorToTheReporter) {
  auto recording = std::make_shared<RecordingServices>();
  host::install(recording);
  host::run_guarded([] { throw std::runtime_error("boom"); });
  host::run_guarded([] { throw 42; });
  host::install(nullptr);
  EXPECT_EQ(recording->handler_errors,
            (std::vector<std::string>{"boom", "unknown error"}));
}

TEST(Services, DefaultReporterLetsTheProcessGoOn) {
  // wxApp's own hook rethrows; the default then prints and returns.
  CapturedOutput errors(STDERR_FILENO);
  host::run_guarded([] { throw std::runtime_error("handler broke"); });
  EXPECT_NE(errors.text().find("handler broke"), std::string::npos);
}
