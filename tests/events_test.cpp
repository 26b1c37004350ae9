#include <filerow/context_menu.h>
#include <tickpane/tickpane.h>

#include <wx/timer.h>
#include <wx/uiaction.h>

#include <stdexcept>

#include "fixture.h"
#include "screen_image.h"

using filerow::Row;
using tickpane::Filetree;

class Events : public PanelTest {
 protected:
  // docs/ holding old/ (with x and y) and z, plus the file top.
  void SetUp() override {
    PanelTest::SetUp();
    dir.file("docs/old/x");
    dir.file("docs/old/y");
    dir.file("docs/z");
    dir.file("top");
    auto config = std::make_shared<host::PlainConfig>(dir.path().string());
    tree = std::make_unique<Filetree>(panel1, panel2, sizer1, sizer2, config, nullptr, nullptr);
    tree->build();
    docs = tree->head()->children().find("docs");
    old = docs->children().find("old");
    z = docs->children().find("z");
    x = old->children().find("x");
    frame->Show();
    frame->Raise();
    frame->Layout();
    settle();
  }
  static wxPoint inside(wxWindow* widget) {
    return widget->ClientToScreen(wxPoint(8, widget->GetSize().y / 2));
  }
  TempFolder dir;
  std::unique_ptr<Filetree> tree;
  Row docs, old, z, x;
};

TEST_F(Events, TypingAProposedNameTicksTheRowAndBoldsIt) {
  wxTextCtrl* text = z->proposed();
  text->SetFocus();
  text->SetInsertionPointEnd();
  settle();
  wxUIActionSimulator keys;
  keys.Text("2");
  settle();
  EXPECT_EQ(text->GetValue(), "z2");
  EXPECT_TRUE(z->ticked());
  EXPECT_EQ(z->tick()->GetValue(), wxString::FromUTF8(" \u221A"));
  EXPECT_EQ(text->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);

  keys.Char(WXK_BACK);
  settle();
  EXPECT_EQ(text->GetValue(), "z");
  EXPECT_FALSE(z->ticked());
  EXPECT_EQ(z->tick()->GetValue(), " ");
  EXPECT_NE(text->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);

  text->SetValue("Z");  // case alone is a change
  EXPECT_TRUE(z->ticked());
  text->SetValue("");  // empty: no tick, yet shown bold
  EXPECT_FALSE(z->ticked());
  EXPECT_EQ(z->tick()->GetValue(), " ");
  EXPECT_EQ(text->GetFont().GetWeight(), wxFONTWEIGHT_BOLD);
}

TEST_F(Events, TextEventFromAnUnregisteredControlIsIgnored) {
  auto* stranger = new wxTextCtrl(panel2, wxID_ANY, "x");
  wxCommandEvent event(wxEVT_TEXT, stranger->GetId());
  event.SetEventObject(stranger);
  EXPECT_NO_THROW(z->on_proposed_update(event));
  EXPECT_FALSE(z->ticked());
}

TEST_F(Events, RightClickOnAFolderOpensTheMenuAndCollapseHidesItsSubtree) {
  wxUIActionSimulator input;
  // Choose the first item once the menu is up; Escape as a safety net so a
  // failure never leaves a modal menu open.
  wxTimer choose, escape;
  choose.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
    input.Char(WXK_HOME);
    input.Char(WXK_RETURN);
  });
  escape.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { input.Char(WXK_ESCAPE); });
  choose.StartOnce(400);
  escape.StartOnce(2500);
  input.MouseMove(inside(docs->checkbox()));
  settle();
  input.MouseClick(wxMOUSE_BTN_RIGHT);
  settle(100);

  EXPECT_TRUE(docs->collapsed());
  EXPECT_TRUE(old->collapsed());
  for (const Row& row : {old, z, x}) {
    EXPECT_FALSE(row->checkbox()->IsShown()) << row->name();
    EXPECT_FALSE(row->proposed()->IsShown()) << row->name();
    EXPECT_FALSE(row->tick()->IsShown()) << row->name();
  }
  EXPECT_TRUE(docs->checkbox()->IsShown());
  EXPECT_EQ(docs->checkbox()->GetFont().GetStyle(), wxFONTSTYLE_ITALIC);
  EXPECT_EQ(old->checkbox()->GetFont().GetStyle(), wxFONTSTYLE_ITALIC);
  // A leaf is never collapsed itself; it keeps its plain font while hidden.
  EXPECT_FALSE(x->collapsed());
  EXPECT_EQ(x->checkbox()->GetFont().GetStyle(), wxFONTSTYLE_NORMAL);
  EXPECT_TRUE(services->handler_errors.empty());
}

TEST_F(Events, ExpandShowsEverythingAgainAndTheMenuRelaysBothPanels) {
  old->collapse();
  docs->collapse();
  filerow::ContextMenu menu(docs, docs, sizer1, sizer2);
  ASSERT_EQ(menu.GetMenuItemCount(), 2u);
  EXPECT_EQ(menu.FindItemByPosition(0)->GetItemLabelText(), "Collapse");
  EXPECT_EQ(menu.FindItemByPosition(1)->GetItemLabelText(), "Expand");
  EXPECT_NE(menu.collapse_id(), menu.expand_id());
  EXPECT_EQ(services->formatted.back().style, "menu");

  wxCommandEvent choose(wxEVT_MENU, menu.expand_id());
  menu.ProcessEvent(choose);
  for (const Row& row : {docs, old, z, x}) {
    EXPECT_FALSE(row->collapsed()) << row->name();
    EXPECT_TRUE(row->checkbox()->IsShown()) << row->name();
  }
  EXPECT_EQ(x->checkbox()->GetFont().GetStyle(), wxFONTSTYLE_NORMAL);
  // Laid out again: the rows below docs are back on their lines.
  EXPECT_GT(z->checkbox()->GetPosition().y, docs->checkbox()->GetPosition().y);

  filerow::ContextMenu left_only(docs, docs, sizer1, nullptr);
  wxCommandEvent collapse(wxEVT_MENU, left_only.collapse_id());
  EXPECT_NO_THROW(left_only.ProcessEvent(collapse));
  EXPECT_TRUE(docs->collapsed());
}

TEST_F(Events, LeafFoldingOnlyRestylesAndRowsWithoutRightSideFoldTheirCheckBox) {
  z->collapse();
  EXPECT_FALSE(z->collapsed());
  auto bare = filerow::Filerow::create({"", "top", "bare"}, tree->head()->children().find("top"),
                                       2, tree->rownmb());
  bare->update_parent();
  Row top = tree->head()->children().find("top");
  top->collapse();
  EXPECT_FALSE(bare->checkbox()->IsShown());
  top->expand();
  EXPECT_TRUE(bare->checkbox()->IsShown());
}

TEST_F(Events, RightClickOffTheRegistryIsPassedOn) {
  wxMouseEvent event(wxEVT_RIGHT_DOWN);
  event.SetEventObject(z->proposed());
  z->on_right_click(event);
  EXPECT_TRUE(event.GetSkipped());
}

TEST_F(Events, UnbindDetachesCheckBoxHandlersAndReportsItsOwnFailures) {
  services->printed.clear();  // the build's summary
  tree->unbindall();
  wxCommandEvent click(wxEVT_CHECKBOX, x->checkbox()->GetId());
  click.SetEventObject(x->checkbox());
  x->checkbox()->Set3StateValue(wxCHK_CHECKED);
  x->checkbox()->ProcessWindowEvent(click);
  EXPECT_EQ(old->checkbox()->Get3StateValue(), wxCHK_UNCHECKED);  // no climb any more

  tree->bindall_proposed();  // the same walk: nothing left to remove, nothing printed
  auto bare = filerow::Filerow::create({""}, nullptr, -1, -1);
  auto child = filerow::Filerow::create({"", "c"}, bare, 1, tree->rownmb());
  child->update_parent();
  EXPECT_TRUE(services->printed.empty());
  bare->unbind();
  EXPECT_EQ(services->printed, std::vector<std::string>{
                                   "Exception: on unbinding checkbox: Filerow: the row has "
                                   "no check box"});
}

TEST_F(Events, ErrorInAHandlerGoesToTheHostAndTheLoopGoesOn) {
  services->failing = "theme";
  wxCommandEvent click(wxEVT_CHECKBOX, x->checkbox()->GetId());
  click.SetEventObject(x->checkbox());
  x->checkbox()->Set3StateValue(wxCHK_CHECKED);
  EXPECT_NO_THROW(x->checkbox()->ProcessWindowEvent(click));
  ASSERT_EQ(services->handler_errors, std::vector<std::string>{"theme failed"});

  wxCommandEvent typed(wxEVT_TEXT, z->proposed()->GetId());
  typed.SetEventObject(z->proposed());
  EXPECT_NO_THROW(z->proposed()->ProcessWindowEvent(typed));
  EXPECT_EQ(services->handler_errors.size(), 2u);
  // Called directly, the operation passes its error on.
  EXPECT_THROW(x->checkbox_click(click), std::runtime_error);
}

TEST_F(PanelTest, FoldingManyRowsHidesAndShowsEachAndLeavesThePanelsAsTheyWere) {
  TempFolder dir;
  for (int i = 0; i < 40; ++i) dir.file("top/" + std::string(i < 20 ? "a/" : "b/") +
                                        "f" + std::to_string(i));
  auto config = std::make_shared<host::PlainConfig>(dir.path().string());
  Filetree tree(panel1, panel2, sizer1, sizer2, config, nullptr, nullptr);
  tree.build();
  auto* shown = new wxTextCtrl(panel2, wxID_ANY, "host's");
  auto* hidden = new wxTextCtrl(panel2, wxID_ANY, "host's hidden");
  hidden->Hide();
  frame->Show();
  const wxImage before = screenshot();
  auto children = [&] {
    std::vector<wxWindow*> all;
    for (wxPanel* panel : {panel1, panel2})
      for (wxWindow* child : panel->GetChildren()) all.push_back(child);
    return all;
  };
  const std::vector<wxWindow*> order = children();

  Row top = tree.head()->children().find("top");
  top->collapse();
  for (const auto& [box, row] : *filerow::nodes()) {
    const bool visible = row == top || row == tree.head();
    EXPECT_EQ(box->IsShown(), visible) << row->name();
    EXPECT_EQ(row->proposed()->IsShown(), visible) << row->name();
    EXPECT_EQ(row->tick()->IsShown(), visible) << row->name();
  }
  top->expand();
  for (const auto& [box, row] : *filerow::nodes())
    EXPECT_TRUE(box->IsShown() && row->proposed()->IsShown() && row->tick()->IsShown())
        << row->name();
  EXPECT_TRUE(shown->IsShown());
  EXPECT_FALSE(hidden->IsShown());
  EXPECT_EQ(children(), order);
  EXPECT_TRUE(same_pixels(screenshot(), before)) << "the panels look different after folding";
  hidden->Destroy();
  shown->Destroy();
}
