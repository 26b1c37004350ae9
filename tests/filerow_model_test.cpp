#include <filerow/filerow.h>

#include <wx/gbsizer.h>

#include <stdexcept>

#include "fixture.h"

using filerow::Filerow;
using filerow::Row;

class RowModel : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    filerow::replace_registries();
    Filerow::set_context({panel1, panel2, sizer1, sizer2, {}});
  }
  int rownmb = 0;
};

TEST_F(RowModel, HeadRowHasNoWidgetsAndWritesItselfAsEmpty) {
  Row head = Filerow::create({""}, nullptr, -1, -1);
  EXPECT_EQ(head->name(), "");
  EXPECT_EQ(head->stem(), "");
  EXPECT_EQ(head->checkbox(), nullptr);
  EXPECT_EQ(head->tick(), nullptr);
  EXPECT_EQ(head->proposed(), nullptr);
  EXPECT_TRUE(head->leaf());
  EXPECT_FALSE(head->collapsed());
  EXPECT_FALSE(head->ticked());
  EXPECT_TRUE(filerow::nodes()->empty());
  EXPECT_EQ(head->to_string(), "<Filerow: name: '', parent: Empty (-), indent: -1\n"
                               "    children: []>");
}

TEST_F(RowModel, VisibleRowGetsItsCheckBoxAtOnceAndIsRegistered) {
  Row row = Filerow::create({"", "a.txt"}, nullptr, 0, 0);
  ASSERT_NE(row->checkbox(), nullptr);
  EXPECT_EQ(row->checkbox()->GetLabel(), "a.txt");
  EXPECT_EQ(row->tick(), nullptr);
  EXPECT_EQ(row->proposed(), nullptr);
  EXPECT_EQ(filerow::nodes()->find(row->checkbox()), row);
  EXPECT_TRUE(filerow::propnodes()->empty());
}

TEST_F(RowModel, StemJoinsAllButTheLastComponent) {
  Row head = Filerow::create({""}, nullptr, -1, -1);
  Row row = Filerow::create({"", "a", "b"}, head, 2, 0);
  EXPECT_EQ(row->stem(), "/a");
  EXPECT_EQ(row->name(), "b");
}

TEST_F(RowModel, ParentLinkFillsChildrenInOrderAndReplacesSameNames) {
  Row head = Filerow::create({""}, nullptr, -1, -1);
  Row a = Filerow::create({"", "a"}, head, 1, 0);
  Row b = Filerow::create({"", "b"}, head, 1, 1);
  head->update_parent();  // no parent: nothing happens
  a->update_parent();
  EXPECT_FALSE(head->leaf());
  b->update_parent();
  a->update_parent();  // twice: still one entry, in its first place
  ASSERT_EQ(head->children().size(), 2u);
  EXPECT_EQ(head->children().at(0).second, a);
  EXPECT_EQ(head->children().at(1).second, b);
  Row other_a = Filerow::create({"", "a"}, head, 1, 2);
  other_a->update_parent();
  EXPECT_EQ(head->children().size(), 2u);
  EXPECT_EQ(head->children().find("a"), other_a);
  EXPECT_EQ(a->parent(), head);
}

TEST_F(RowModel, TextFormShowsParentAndChildrenThroughTheHostsAndlist) {
  Row head = Filerow::create({""}, nullptr, -1, -1);
  Row folder = Filerow::create({"", "sub"}, head, 1, 0);
  folder->update_parent();
  int rownmb = 1;
  for (const char* name : {"x", "y"}) {
    Row child = Filerow::create({"", "sub", name}, folder, 2, rownmb++);
    child->update_parent();
  }
  EXPECT_EQ(folder->to_string(), "<Filerow: name: 'sub', parent:  (" +
                                     std::to_string(head->identity()) +
                                     "), indent: 1\n    children: ['x';'y';]>");
}

TEST_F(RowModel, NewnameIsTheProposedTextOrTheNameWhenEmpty) {
  Row row = Filerow::create({"", "a.txt"}, nullptr, 1, 0);
  EXPECT_THROW(row->newname(), std::logic_error);
  row->setup_rightside(0);
  EXPECT_EQ(row->newname(), "a.txt");
  row->proposed()->ChangeValue("");
  EXPECT_EQ(row->newname(), "a.txt");
  row->proposed()->ChangeValue("b.txt");
  EXPECT_EQ(row->newname(), "b.txt");
}

TEST_F(RowModel, EditedProposalGivesTheNameItShows) {
  std::string proposal;
  Filerow::set_context(
      {panel1, panel2, sizer1, sizer2, [&](const std::string&) { return proposal; }});
  auto edited = [&](const std::string& proposed, const char* shown) {
    proposal = proposed;
    Row row = Filerow::create({"", "x"}, nullptr, 1, rownmb);
    row->setup_rightside(rownmb++);
    row->proposed()->SetValue(wxString::FromUTF8(shown));
    return row->newname();
  };
  // Read back against the proposal (display_text_test.cpp has the rule).
  EXPECT_EQ(edited("a&b\t", "a&b\u2409Z"), "a&b\tZ");
  EXPECT_EQ(edited("caf\xe9\x01", "caf\uFFFD\u2401!"), "caf\xe9\x01!");
  EXPECT_EQ(edited("a&b\t", "a&\u2409b\u2409"), "a&\tb\t");
}

TEST_F(RowModel, AProposalSetByTheHostIsWhatNewnameKeeps) {
  Row row = Filerow::create({"", "x"}, nullptr, 1, 0);
  row->setup_rightside(0);
  EXPECT_EQ(row->proposal(), "x");
  row->set_proposal("caf\xe9\t");
  row->proposed()->ChangeValue(L"caf\uFFFD\u2409");
  EXPECT_EQ(row->newname(), "caf\xe9\t");
  row->proposed()->ChangeValue(L"caf\uFFFD\u2409!");
  EXPECT_EQ(row->newname(), "caf\xe9\t!");
}

TEST_F(RowModel, FieldsSetByTheHostAreWhatTheRowUses) {
  Row row = Filerow::create({"", "a"}, nullptr, 1, 0);
  row->set_indent(3);
  row->setup_rightside(0);
  wxSizer* cell = sizer2->FindItemAtPosition({0, 1})->GetSizer();
  EXPECT_EQ(cell->GetItem(1)->GetSize().GetWidth(), 45);

  row->set_branch({"", "b", "c"});
  EXPECT_EQ(row->name(), "c");
  EXPECT_EQ(row->stem(), "");  // made by the constructor; a field of its own

  wxCheckBox* made = row->checkbox();
  auto* other = new wxCheckBox(panel1, wxID_ANY, "other", wxDefaultPosition, wxDefaultSize,
                               wxCHK_3STATE);
  row->set_checkbox(other);
  row->set_checkbox_state(wxCHK_CHECKED);
  EXPECT_EQ(other->Get3StateValue(), wxCHK_CHECKED);
  EXPECT_EQ(made->Get3StateValue(), wxCHK_UNCHECKED);
  EXPECT_EQ(filerow::nodes()->find(made), row);  // the registry keeps what the row made

  // The box the row made stays bound to it, and is unbound when the row goes.
  filerow::replace_registries();
  row.reset();
  wxCommandEvent click(wxEVT_CHECKBOX, made->GetId());
  click.SetEventObject(made);
  EXPECT_NO_THROW(made->ProcessWindowEvent(click));
  EXPECT_TRUE(services->handler_errors.empty());
}

TEST_F(RowModel, ChildrenAndParentsRefuseLoopsAndCanBeEmptied) {
  Row head = Filerow::create({""}, nullptr, -1, -1);
  Row folder = Filerow::create({""}, head, -1, -1);
  Row file = Filerow::create({""}, folder, -1, -1);
  head->set_child("folder", folder);
  folder->set_child("file", file);
  EXPECT_THROW(file->set_child("up", head), std::invalid_argument);
  EXPECT_THROW(folder->set_child("self", folder), std::invalid_argument);
  EXPECT_THROW(file->set_child("none", nullptr), std::invalid_argument);
  EXPECT_THROW(head->set_parent(file), std::invalid_argument);
  EXPECT_EQ(head->parent(), nullptr);
  EXPECT_TRUE(file->leaf());

  EXPECT_FALSE(folder->remove_child("none"));
  EXPECT_TRUE(folder->remove_child("file"));
  EXPECT_TRUE(folder->leaf());
  head->set_children({});
  EXPECT_TRUE(head->leaf());
  file->set_parent(head);  // no longer below folder: no loop
  EXPECT_EQ(file->parent(), head);
}

TEST_F(RowModel, BadConstructionIsRefusedWithoutARow) {
  EXPECT_THROW(Filerow::create({}, nullptr, 0, 0), std::out_of_range);
  EXPECT_TRUE(filerow::nodes()->empty());
  Row head = Filerow::create({}, nullptr, -1, -1);  // the head never reads its name
  EXPECT_THROW(head->name(), std::out_of_range);

  Filerow::set_context({panel1, panel2, nullptr, sizer2, {}});
  EXPECT_THROW(Filerow::create({"", "a"}, nullptr, 1, 0), std::logic_error);
  EXPECT_TRUE(filerow::nodes()->empty());
}

TEST_F(RowModel, ReplacedRegistriesLeaveHeldRowsIntact) {
  Row row = Filerow::create({"", "a"}, nullptr, 1, 0);
  auto old_nodes = filerow::nodes();
  filerow::replace_registries();
  EXPECT_TRUE(filerow::nodes()->empty());
  EXPECT_EQ(old_nodes->find(row->checkbox()), row);
  EXPECT_EQ(old_nodes->size(), 1u);
}

TEST_F(RowModel, RowThatOutlivesItsWidgetsAndParentSeesNull) {
  Row head = Filerow::create({""}, nullptr, -1, -1);
  Row row = Filerow::create({"", "a"}, head, 1, 0);
  row->setup_rightside(0);
  filerow::replace_registries();
  head.reset();
  EXPECT_EQ(row->parent(), nullptr);
  EXPECT_EQ(row->to_string(), "<Filerow: name: 'a', parent: Empty (-), indent: 1\n"
                              "    children: []>");
  panel1->DestroyChildren();
  panel2->DestroyChildren();
  EXPECT_EQ(row->checkbox(), nullptr);
  EXPECT_EQ(row->proposed(), nullptr);
  EXPECT_THROW(row->format_row_leftside(), std::logic_error);
}
