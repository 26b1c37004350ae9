// The application end to end: a real window on the virtual screen, driven by
// simulated mouse and keyboard input, renaming real files.

#include <stdio.h>

#include <chrono>

#include "application.h"

TEST_F(Application, TicksEditsRenamesAndUndoesThroughTheWindow) {
  dir.file("a.txt", "a");
  dir.file("b.txt", "b");
  dir.file("sub/c.txt", "c");
  Options options;
  options.rules.casing = Casing::upper;
  open(options);
  EXPECT_EQ(proposals(), (std::vector<std::string>{"A.txt", "B.txt", "C.txt"}));
  // A folder that only holds the files keeps its name.
  Row sub = window->tree()->head()->children().find("sub");
  EXPECT_EQ(sub->proposed()->GetValue(), "sub");
  EXPECT_FALSE(sub->ticked());

  click(entry("a.txt")->checkbox());
  EXPECT_TRUE(eventually([&] { return entry("a.txt")->checkbox()->Get3StateValue() == wxCHK_CHECKED; }));
  type_into(entry("b.txt")->proposed(), "bee.txt");
  EXPECT_TRUE(eventually([&] { return entry("b.txt")->proposed()->GetValue() == "bee.txt"; }));
  EXPECT_TRUE(entry("b.txt")->ticked());
  click(entry("b.txt")->checkbox());
  EXPECT_TRUE(eventually([&] { return entry("b.txt")->checkbox()->Get3StateValue() == wxCHK_CHECKED; }));
  EXPECT_NE(control<wxStaticText>("edited")->GetLabel().Find("b.txt"), wxNOT_FOUND);

  // A new rule proposes again, but the name typed by hand stays.
  type_into(control<wxTextCtrl>("suffix"), "_1");
  const std::vector<std::string> expected{"A_1.txt", "bee.txt", "C_1.txt"};
  EXPECT_TRUE(eventually([&] { return proposals() == expected; }));
  EXPECT_EQ(proposals(), expected);
  EXPECT_EQ(entry("b.txt")->checkbox()->Get3StateValue(), wxCHK_CHECKED);

  click(control<wxButton>("rename"));
  const Listing renamed{"A_1.txt", "bee.txt", "sub/", "sub/c.txt"};
  EXPECT_TRUE(eventually([&] { return dir.listing() == renamed; }));
  EXPECT_EQ(dir.listing(), renamed);
  EXPECT_EQ(dir.read("bee.txt"), "b");
  EXPECT_NE(control<wxTextCtrl>("report")->GetValue().Find("Renamed 2 of 2."), wxNOT_FOUND);
  // The window shows the folder as it now is, nothing ticked.
  ASSERT_NE(entry("A_1.txt"), nullptr);
  EXPECT_EQ(entry("A_1.txt")->checkbox()->Get3StateValue(), wxCHK_UNCHECKED);
  EXPECT_EQ(entry("bee.txt")->checkbox()->Get3StateValue(), wxCHK_UNCHECKED);
  EXPECT_TRUE(control<wxButton>("undo")->IsEnabled());

  click(control<wxButton>("undo"));
  const Listing restored{"a.txt", "b.txt", "sub/", "sub/c.txt"};
  EXPECT_TRUE(eventually([&] { return dir.listing() == restored; }));
  EXPECT_EQ(dir.listing(), restored);
  EXPECT_NE(control<wxTextCtrl>("report")->GetValue().Find("Put back 2 of 2."), wxNOT_FOUND);
  EXPECT_FALSE(control<wxButton>("undo")->IsEnabled());
  ASSERT_NE(entry("a.txt"), nullptr);
}

TEST_F(Application, ProposedNamesLeaveEachRowAsItsOwnHandlerWould) {
  for (const char* name : {"a.txt", "b.txt", "KEEP.txt", "sub/c.txt", "gone"}) dir.file(name);
  Options options;
  options.rules.casing = Casing::upper;
  open(options);
  // Rows in every state: ticked, inverted (left unstyled by Invert), a
  // proposal that is the name, an empty one.
  click(entry("a.txt")->checkbox());
  click(control<wxButton>("invert"));
  control<wxTextCtrl>("find")->ChangeValue("gone");
  control<wxTextCtrl>("suffix")->ChangeValue("_1");
  ASSERT_EQ(window->apply_rules(), "");
  ASSERT_TRUE(eventually([&] { return control<wxButton>("rename")->IsEnabled(); }));
  ASSERT_EQ(proposals(), (std::vector<std::string>{"KEEP_1.txt", "A_1.txt", "B_1.txt", "_1", "C_1.txt"}));
  control<wxTextCtrl>("suffix")->ChangeValue("");
  ASSERT_EQ(window->apply_rules(), "");
  ASSERT_TRUE(eventually([&] { return control<wxButton>("rename")->IsEnabled(); }));
  ASSERT_EQ(proposals(), (std::vector<std::string>{"KEEP.txt", "A.txt", "B.txt", "", "C.txt"}));
  expect_as_their_handlers_leave_them(window->tree()->entries());
}

TEST_F(Application, RenameRefusesABatchWithProblemsAndSaysWhy) {
  dir.file("x.txt");
  dir.file("y.txt");
  dir.file("keep.txt");
  Options options;
  options.rules.find = "^[xy]$";
  options.rules.replace = "z";
  options.rules.regex = true;
  open(options);

  click(control<wxButton>("tickall"));
  click(control<wxButton>("rename"));
  eventually([&] { return !control<wxTextCtrl>("report")->GetValue().StartsWith("Tick the rows"); });

  EXPECT_EQ(dir.listing(), (Listing{"keep.txt", "x.txt", "y.txt"}));
  wxString report = control<wxTextCtrl>("report")->GetValue();
  EXPECT_NE(report.Find("Nothing was renamed"), wxNOT_FOUND) << report;
  EXPECT_NE(report.Find("y.txt: it would end up at z.txt, as x.txt would"), wxNOT_FOUND)
      << report;
  EXPECT_FALSE(control<wxButton>("undo")->IsEnabled());
  // The ticks stay, for the user to fix the names.
  EXPECT_EQ(entry("x.txt")->checkbox()->Get3StateValue(), wxCHK_CHECKED);
}

TEST_F(Application, HiddenEntriesAreLeftAloneUntilShown) {
  dir.file(".git/HEAD", "ref: refs/heads/main");
  dir.file(".Hidden");
  dir.file("A.txt");
  Options options;
  options.rules.casing = Casing::lower;
  open(options);
  ASSERT_EQ(window->tree()->entries().size(), 1u);

  click(control<wxButton>("tickall"));
  click(control<wxButton>("rename"));
  const Listing renamed{".Hidden", ".git/", ".git/HEAD", "a.txt"};
  EXPECT_TRUE(eventually([&] { return dir.listing() == renamed; }));
  EXPECT_EQ(dir.listing(), renamed);
  EXPECT_NE(control<wxTextCtrl>("report")->GetValue().Find("Renamed 1 of 1."), wxNOT_FOUND);

  click(control<wxCheckBox>("hidden"));
  EXPECT_TRUE(eventually([&] { return window->tree()->entries().size() == 3; }));
  EXPECT_EQ(proposals(), (std::vector<std::string>{".hidden", "head", "a.txt"}));
}

TEST_F(Application, NamesThatAreNotUtf8KeepTheirBytesUnlessTypedOver) {
  const std::string cafe = "caf\xE9.txt", the = "th\xE9.txt";  // Latin-1
  dir.file(cafe, "c");
  dir.file(the, "t");
  Options options;
  options.rules.suffix = "_x";
  open(options);
  // Typed at the end of a proposal shown with U+FFFD for the byte: the byte
  // itself is untouched.
  wxTextCtrl* typed = entry(the)->proposed();
  click(typed, wxPoint(typed->GetSize().x - 6, typed->GetSize().y / 2));
  typed->SetInsertionPointEnd();
  wxUIActionSimulator().Text("2");
  EXPECT_TRUE(eventually([&] { return typed->GetValue() == L"th\uFFFD_x.txt2"; }));
  // Pasted over, the U+FFFD no longer stands for the byte.
  entry(cafe)->proposed()->SetValue(L"\uFFFD-caf.txt");

  click(control<wxButton>("tickall"));
  click(control<wxButton>("rename"));
  auto report = [&] { return control<wxTextCtrl>("report")->GetValue(); };
  EXPECT_TRUE(eventually([&] { return report().StartsWith("Nothing was renamed"); }));
  EXPECT_NE(report().Find("which only stands on screen for bytes of the name that are not UTF-8"),
            wxNOT_FOUND)
      << report();
  EXPECT_EQ(dir.listing(), (Listing{cafe, the}));

  // The one typed at the end keeps the name's exact bytes.
  click(entry(cafe)->checkbox());
  EXPECT_TRUE(
      eventually([&] { return entry(cafe)->checkbox()->Get3StateValue() == wxCHK_UNCHECKED; }));
  click(control<wxButton>("rename"));
  const Listing renamed{cafe, "th\xE9_x.txt2"};
  EXPECT_TRUE(eventually([&] { return dir.listing() == renamed; }));
  EXPECT_EQ(dir.listing(), renamed);
  EXPECT_EQ(dir.read("th\xE9_x.txt2"), "t");
}

TEST_F(Application, RulesApplyASliceAtATimeAndStopGivesBackTheFormerNames) {
  std::vector<std::string> names{std::string(20, 'a') + ".txt"};
  for (int i = 0; i < 60; ++i) names.push_back(wxString::Format("f%03d.txt", i).ToStdString());
  for (const std::string& name : names) dir.file(name);
  Options options;
  open(options);
  // One row a slice, progress at once.
  window->set_pacing(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
  control<wxTextCtrl>("find")->ChangeValue("a");
  control<wxTextCtrl>("replace")->ChangeValue("b");
  ASSERT_EQ(window->apply_rules(), "");

  // Back to the event loop after a slice, with progress and Stop shown.
  wxButton* stop = control<wxButton>("stoprules");
  EXPECT_TRUE(stop->IsShown());
  EXPECT_FALSE(control<wxButton>("rename")->IsEnabled());
  EXPECT_TRUE(window->GetStatusBar()->GetStatusText().StartsWith("Applying the rules: 1 of 61"))
      << window->GetStatusBar()->GetStatusText();
  EXPECT_EQ(proposals()[0], std::string(20, 'b') + ".txt");
  wxCommandEvent press(wxEVT_BUTTON, stop->GetId());
  press.SetEventObject(stop);
  stop->ProcessWindowEvent(press);
  EXPECT_FALSE(stop->IsShown());
  EXPECT_EQ(proposals(), names);
  EXPECT_TRUE(control<wxButton>("rename")->IsEnabled());
  EXPECT_TRUE(window->GetStatusBar()->GetStatusText().StartsWith("Stopped"));
  // The row the slice changed is styled for its former name again.
  expect_as_their_handlers_leave_them({window->tree()->entries().front()});

  // Let run, slices end by themselves; a pattern that backtracked for
  // minutes takes no time.
  control<wxCheckBox>("regex")->SetValue(true);
  control<wxTextCtrl>("find")->ChangeValue("(a*)*b|^(a*)*$");
  control<wxTextCtrl>("replace")->ChangeValue("x");
  ASSERT_EQ(window->apply_rules(), "");
  EXPECT_TRUE(eventually([&] { return !stop->IsShown(); }));
  EXPECT_EQ(proposals().front(), "x.txt");
  EXPECT_EQ(proposals().back(), "f059.txt");
  EXPECT_TRUE(control<wxButton>("rename")->IsEnabled());
  expect_as_their_handlers_leave_them({window->tree()->entries().front()});
}

TEST_F(Application, RulesAppliedInSlicesLeaveTheWindowLaidOut) {
  for (int i = 0; i < 30; ++i) dir.file(wxString::Format("f%02d.txt", i).ToStdString());
  Options options;
  open(options);
  window->set_pacing(std::chrono::milliseconds(0), std::chrono::milliseconds(0));
  control<wxTextCtrl>("prefix")->ChangeValue("a much longer prefix than any name ");
  ASSERT_EQ(window->apply_rules(), "");
  ASSERT_TRUE(eventually([&] { return control<wxButton>("rename")->IsEnabled(); }));
  settle();
  const std::vector<std::string> shown = picture();
  window->SendSizeEvent();
  settle();
  EXPECT_EQ(shown, picture());
}

TEST_F(Application, UndoOutlivesTheWindowAndPutsBackWhatItCan) {
  dir.file("a.txt", "a");
  dir.file("b.txt", "b");
  Options options;
  options.rules.casing = Casing::upper;
  options.tick_all = true;
  open(options);
  click(control<wxButton>("rename"));
  const Listing renamed{"A.txt", "B.txt"};
  EXPECT_TRUE(eventually([&] { return dir.listing() == renamed; }));
  window->Destroy();
  window = nullptr;
  settle();

  // Saved over by an editor meanwhile: another file of that name.
  dir.file("B.new", "new");
  ASSERT_EQ(::rename((dir / "B.new").c_str(), (dir / "B.txt").c_str()), 0);
  open(Options{});
  ASSERT_TRUE(control<wxButton>("undo")->IsEnabled());
  click(control<wxButton>("undo"));
  const Listing undone{"B.txt", "a.txt"};
  EXPECT_TRUE(eventually([&] { return dir.listing() == undone; }));
  wxString report = control<wxTextCtrl>("report")->GetValue();
  EXPECT_NE(report.Find("Put back 1 of 2."), wxNOT_FOUND) << report;
  EXPECT_NE(report.Find("B.txt -> b.txt: it is no longer the entry renamed"), wxNOT_FOUND)
      << report;
  EXPECT_EQ(dir.read("B.txt"), "new");
}

TEST_F(Application, BytesThatAreNotUtf8KeepThemInTheRulesAndInProposalsTypedOn) {
  dir.file("caf\xE9.txt", "c");
  Options options;
  options.rules.casing = Casing::upper;
  options.rules.prefix = "\xE9-";
  open(options);
  const std::string proposed = "\xE9-CAF\xE9.txt";
  ASSERT_EQ(window->tree()->proposed(0), proposed);
  // The rules read back from their fields, left as they were: the same bytes.
  ASSERT_EQ(window->apply_rules(), "");
  ASSERT_TRUE(eventually([&] { return control<wxButton>("rename")->IsEnabled(); }));
  EXPECT_EQ(window->tree()->proposed(0), proposed);

  // Typed on at the end: the proposal's bytes stay, though the name's differ.
  wxTextCtrl* typed = entry("caf\xE9.txt")->proposed();
  click(typed, wxPoint(typed->GetSize().x - 6, typed->GetSize().y / 2));
  typed->SetInsertionPointEnd();
  wxUIActionSimulator().Text("2");
  ASSERT_TRUE(eventually([&] { return typed->GetValue() == L"\uFFFD-CAF\uFFFD.txt2"; }));
  click(entry("caf\xE9.txt")->checkbox());
  click(control<wxButton>("rename"));
  EXPECT_TRUE(eventually([&] { return dir.listing() == Listing{proposed + "2"}; }));
  EXPECT_EQ(dir.listing(), Listing{proposed + "2"});
}
