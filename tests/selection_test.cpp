#include <tickpane/tickpane.h>

#include <wx/uiaction.h>

#include <stdexcept>

#include "fixture.h"

using filerow::Row;
using tickpane::Filetree;

class Selection : public PanelTest {
 protected:
  // The folder A holding a1 and a2, and the file B beside it.
  void SetUp() override {
    PanelTest::SetUp();
    dir.file("A/a1");
    dir.file("A/a2");
    dir.file("B");
    auto config = std::make_shared<host::PlainConfig>(dir.path().string());
    tree = std::make_unique<Filetree>(panel1, panel2, sizer1, sizer2, config, nullptr, nullptr);
    tree->build();
    A = tree->head()->children().find("A");
    B = tree->head()->children().find("B");
    a1 = A->children().find("a1");
    a2 = A->children().find("a2");
  }
  static wxCheckBoxState state(const Row& row) { return row->checkbox()->Get3StateValue(); }
  // A real mouse click on the row's check box, on the virtual screen.
  void click(const Row& row) {
    wxCheckBox* box = row->checkbox();
    wxUIActionSimulator mouse;
    mouse.MouseMove(box->ClientToScreen(wxPoint(8, box->GetSize().y / 2)));
    settle();
    mouse.MouseClick();
    settle();
  }
  void show() {
    frame->Show();
    frame->Raise();
    frame->Layout();
    settle();
  }
  TempFolder dir;
  std::unique_ptr<Filetree> tree;
  Row A, B, a1, a2;
};

TEST_F(Selection, ClicksCascadeDownAndReDeriveEveryAncestor) {
  show();
  click(a1);
  EXPECT_EQ(state(a1), wxCHK_CHECKED);
  EXPECT_EQ(state(A), wxCHK_UNDETERMINED);
  EXPECT_EQ(state(B), wxCHK_UNCHECKED);
  EXPECT_EQ(wxWindow::FindFocus(), a1->checkbox());

  click(a2);
  EXPECT_EQ(state(A), wxCHK_CHECKED);
  EXPECT_EQ(A->proposed()->GetBackgroundColour(), RecordingServices::Tree().selected_background());

  click(A);
  EXPECT_EQ(state(A), wxCHK_UNCHECKED);
  EXPECT_EQ(state(a1), wxCHK_UNCHECKED);
  EXPECT_EQ(state(a2), wxCHK_UNCHECKED);
  EXPECT_EQ(A->checkbox()->GetBackgroundColour(), RecordingServices::Tree().background());

  // A mixed folder takes the toolkit's two-state answer and hands it down.
  click(a1);
  ASSERT_EQ(state(A), wxCHK_UNDETERMINED);
  click(A);
  EXPECT_NE(state(A), wxCHK_UNDETERMINED);
  EXPECT_EQ(state(a1), state(A));
  EXPECT_EQ(state(a2), state(A));
}

TEST_F(Selection, ClimbRestylesEveryAncestorEvenWhenItKeepsItsValue) {
  a1->checkbox()->Set3StateValue(wxCHK_CHECKED);
  A->checkbox()->Set3StateValue(wxCHK_UNDETERMINED);
  services->formatted.clear();
  a2->checkbox()->Set3StateValue(wxCHK_UNCHECKED);
  a2->propagate_checkbox_state(wxCHK_UNCHECKED);
  EXPECT_EQ(state(A), wxCHK_UNDETERMINED);
  // A restyled by the climb, a2 by the cascade: three widgets each.
  EXPECT_EQ(services->formatted.size(), 6u);
  EXPECT_EQ(services->formatted[0].widget, A->checkbox());
}

TEST_F(Selection, ClimbTakesOneDistinctValueAsItIsAndAnythingElseAsMixed) {
  a1->checkbox()->Set3StateValue(wxCHK_UNDETERMINED);
  a2->checkbox()->Set3StateValue(wxCHK_UNDETERMINED);
  a2->up_check(wxCHK_UNDETERMINED);
  EXPECT_EQ(state(A), wxCHK_UNDETERMINED);

  a1->checkbox()->Set3StateValue(wxCHK_CHECKED);
  a2->checkbox()->Set3StateValue(wxCHK_CHECKED);
  a2->up_check(wxCHK_CHECKED);
  EXPECT_EQ(state(A), wxCHK_CHECKED);

  // A row not entered among its parent's children finds that parent with no
  // values at all: mixed.
  auto lone = filerow::Filerow::create({"", "B", "lone"}, B, 2, tree->rownmb());
  lone->up_check(wxCHK_CHECKED);
  EXPECT_EQ(state(B), wxCHK_UNDETERMINED);
}

TEST_F(Selection, BulkCommandsSetInvertAndUntick) {
  tree->set_all_checkboxes(wxCHK_CHECKED);
  for (const Row& row : {A, B, a1, a2}) EXPECT_EQ(state(row), wxCHK_CHECKED);
  tree->set_all_checkboxes(wxCHK_UNDETERMINED);
  for (const Row& row : {A, B, a1, a2}) EXPECT_EQ(state(row), wxCHK_UNDETERMINED);

  tree->set_all_checkboxes(wxCHK_UNCHECKED);
  a1->checkbox()->Set3StateValue(wxCHK_CHECKED);
  a1->propagate_checkbox_state(wxCHK_CHECKED);
  wxColour mixed_background = A->checkbox()->GetBackgroundColour();
  tree->invert_all_selections();
  EXPECT_EQ(state(a1), wxCHK_UNCHECKED);
  EXPECT_EQ(state(a2), wxCHK_CHECKED);
  EXPECT_EQ(state(B), wxCHK_CHECKED);
  EXPECT_EQ(state(A), wxCHK_UNDETERMINED);
  EXPECT_EQ(A->checkbox()->GetBackgroundColour(), mixed_background);
  tree->invert_all_selections();
  EXPECT_EQ(state(a1), wxCHK_CHECKED);
  EXPECT_EQ(state(a2), wxCHK_UNCHECKED);

  a1->proposed()->SetValue("renamed");
  ASSERT_TRUE(a1->ticked());
  tree->untick();
  EXPECT_EQ(a1->tick()->GetValue(), " ");
  EXPECT_TRUE(a1->ticked());
  EXPECT_EQ(a2->tick()->GetValue(), "  ");
}

TEST_F(Selection, ChangesAreTheCheckedTickedRowsReadAsTheWalkGoes) {
  A->proposed()->ChangeValue("A2");
  A->set_ticked(true);
  a1->proposed()->SetValue("one");
  a2->proposed()->SetValue("two");
  B->proposed()->SetValue("B");  // unchanged: never a change
  tree->set_all_checkboxes(wxCHK_CHECKED);

  tickpane::Changes walk = tree->changes();
  EXPECT_EQ(walk.next(), A);
  a2->checkbox()->Set3StateValue(wxCHK_UNCHECKED);  // seen: not reached yet
  EXPECT_EQ(walk.next(), a1);
  EXPECT_EQ(walk.next(), nullptr);
  EXPECT_EQ(walk.next(), nullptr);

  std::vector<Row> all;
  for (const Row& row : tree->changes()) all.push_back(row);
  EXPECT_EQ(all, (std::vector<Row>{A, a1}));

  A->checkbox()->Set3StateValue(wxCHK_UNDETERMINED);
  EXPECT_EQ(tree->changes().next(), a1);
}

TEST_F(Selection, ChangesTakenBeforeTheBuildWalkTheRowsItMade) {
  sizer1->Clear(true);
  sizer2->Clear(true);
  auto config = std::make_shared<host::PlainConfig>(dir.path().string());
  Filetree fresh(panel1, panel2, sizer1, sizer2, config,
                 [](const std::string& name) { return name + ".new"; }, nullptr);
  tickpane::Changes early = fresh.changes();
  fresh.build();
  fresh.set_all_checkboxes(wxCHK_CHECKED);
  std::vector<std::string> names;
  for (const Row& row : early) names.push_back(row->name());
  EXPECT_EQ(names, (std::vector<std::string>{"A", "a1", "a2", "B"}));
}

TEST_F(Selection, ChangesEndWithAnErrorWhenTheRegistryChangesSize) {
  a1->proposed()->SetValue("one");
  a2->proposed()->SetValue("two");
  tree->set_all_checkboxes(wxCHK_CHECKED);
  tickpane::Changes walk = tree->changes();
  EXPECT_EQ(walk.next(), a1);
  auto extra = filerow::Filerow::create({"", "extra"}, tree->head(), 1, tree->rownmb());
  EXPECT_THROW(walk.next(), std::runtime_error);
  EXPECT_EQ(walk.next(), nullptr);
}

TEST_F(Selection, OperationsBeforeBuildAreClearErrorsOrNothing) {
  sizer1->Clear(true);
  sizer2->Clear(true);
  auto config = std::make_shared<host::PlainConfig>(dir.path().string());
  Filetree fresh(panel1, panel2, sizer1, sizer2, config, nullptr, nullptr);
  EXPECT_THROW(fresh.set_all_checkboxes(wxCHK_CHECKED), std::logic_error);
  EXPECT_THROW(fresh.dump(), std::logic_error);
  EXPECT_NO_THROW(fresh.invert_all_selections());
  EXPECT_NO_THROW(fresh.untick());
  EXPECT_NO_THROW(fresh.unbindall());
  EXPECT_EQ(fresh.changes().next(), nullptr);
}

TEST_F(Selection, DestroyedPanelsGiveErrorsNotCrashes) {
  frame->Destroy();
  pump();
  frame = new wxFrame(nullptr, wxID_ANY, "after");  // for TearDown
  EXPECT_EQ(tree->wxparent1(), nullptr);
  EXPECT_THROW(tree->invert_all_selections(), std::logic_error);  // its rows are gone too
  EXPECT_THROW(filerow::Filerow::create({"", "late"}, nullptr, 1, 50), std::logic_error);
  EXPECT_THROW(a1->setup_rightside(51), std::logic_error);
}
