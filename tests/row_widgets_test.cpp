#include <filerow/filerow.h>
#include <tickpane/grid_bag_sizer.h>

#include <wx/gbsizer.h>

#include <cctype>
#include <stdexcept>

#include "fixture.h"

using filerow::Filerow;
using filerow::Row;

namespace {

// The spacer width and the widgets of a cell, left to right.
struct Cell {
  wxGBPosition position;
  int flag = 0;
  int border = 0;
  std::vector<wxSizerItem*> items;
};

Cell cell_at(wxGridBagSizer* grid, int row, int column) {
  wxGBSizerItem* item = grid->FindItemAtPosition({row, column});
  if (item == nullptr || item->GetSizer() == nullptr) return {};
  Cell cell{item->GetPos(), item->GetFlag(), item->GetBorder(), {}};
  for (wxSizerItem* inner : item->GetSizer()->GetChildren()) cell.items.push_back(inner);
  return cell;
}

}  // namespace

class RowWidgets : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    filerow::replace_registries();
    filerow::set_textwidth(0);
    use_transform({});
  }
  void use_transform(host::Transform transform) {
    Filerow::set_context({panel1, panel2, sizer1, sizer2, std::move(transform)});
  }
  Row row(const std::string& name, int indent, int rownmb) {
    Row made = Filerow::create({"", name}, nullptr, indent, rownmb);
    made->setup_rightside(rownmb);
    return made;
  }
};

TEST_F(RowWidgets, CellsSitOnTheRowsGridLineWithSpacersOf15PixelsPerLevel) {
  for (int indent : {0, 1, 3}) {
    Row made = row("f" + std::to_string(indent), indent, indent);
    Cell left = cell_at(sizer1, indent, 0);
    ASSERT_EQ(left.items.size(), 2u);
    EXPECT_EQ(left.flag, 1);
    EXPECT_EQ(left.border, 2);
    EXPECT_TRUE(left.items[0]->IsSpacer());
    EXPECT_EQ(left.items[0]->GetSize().GetWidth(), 15 * indent);
    EXPECT_EQ(left.items[1]->GetWindow(), made->checkbox());
    EXPECT_EQ(left.items[1]->GetFlag(), wxALL);

    Cell right = cell_at(sizer2, indent, 1);
    ASSERT_EQ(right.items.size(), 3u);
    EXPECT_EQ(right.flag, wxEXPAND);
    EXPECT_EQ(right.border, 2);
    EXPECT_EQ(right.items[0]->GetWindow(), made->tick());
    EXPECT_TRUE(right.items[1]->IsSpacer());
    EXPECT_EQ(right.items[1]->GetSize().GetWidth(), 15 * indent);
    EXPECT_EQ(right.items[2]->GetWindow(), made->proposed());
    EXPECT_EQ(right.items[2]->GetFlag(), wxALL | wxEXPAND);
  }
  EXPECT_EQ(sizer1->FindItemAtPosition({0, 1}), nullptr);
  EXPECT_EQ(sizer2->FindItemAtPosition({0, 0}), nullptr);
}

TEST_F(RowWidgets, WidgetsHaveTheirParentsStylesAndRegistrations) {
  Row made = row("a.txt", 1, 0);
  wxCheckBox* box = made->checkbox();
  EXPECT_EQ(box->GetParent(), panel1);
  EXPECT_TRUE(box->Is3State());
  EXPECT_FALSE(box->Is3rdStateAllowedForUser());
  EXPECT_EQ(box->Get3StateValue(), wxCHK_UNCHECKED);
  EXPECT_EQ(made->tick()->GetParent(), panel2);
  EXPECT_FALSE(made->tick()->IsEditable());
  EXPECT_EQ(made->proposed()->GetParent(), panel2);
  EXPECT_TRUE(made->proposed()->IsEditable());
  EXPECT_TRUE(made->tick()->HasFlag(wxBORDER_NONE));
  EXPECT_EQ(made->tick()->GetMinSize().GetWidth(), 20);
  EXPECT_EQ(filerow::nodes()->find(box), made);
  EXPECT_EQ(filerow::propnodes()->find(made->proposed()), made);
}

TEST_F(RowWidgets, ProposalDecidesTheTickMark) {
  Row kept = row("same", 1, 0);
  EXPECT_EQ(kept->proposed()->GetValue(), "same");
  EXPECT_FALSE(kept->ticked());
  EXPECT_EQ(kept->tick()->GetValue(), "  ");

  use_transform([](const std::string& name) { return name == "old" ? "new" : ""; });
  Row changed = row("old", 1, 1);
  EXPECT_TRUE(changed->ticked());
  EXPECT_EQ(changed->tick()->GetValue(), wxString::FromUTF8(" \u221A"));
  EXPECT_EQ(changed->proposed()->GetValue(), "new");

  Row emptied = row("other", 1, 2);
  EXPECT_FALSE(emptied->ticked());
  EXPECT_EQ(emptied->proposed()->GetValue(), "");
  EXPECT_EQ(emptied->tick()->GetValue(), "  ");
}

TEST_F(RowWidgets, TextControlsTakeTheWidestCheckBoxSoFar) {
  Row a = row("a", 1, 0);
  int first = a->checkbox()->GetSize().GetWidth();
  EXPECT_EQ(filerow::textwidth(), first);
  EXPECT_EQ(a->proposed()->GetSize().GetWidth(), first);
  Row wide = row("a much, much longer name than the first", 1, 1);
  int widest = wide->checkbox()->GetSize().GetWidth();
  ASSERT_GT(widest, first);
  Row narrow = row("b", 1, 2);
  EXPECT_EQ(filerow::textwidth(), widest);
  EXPECT_EQ(wide->proposed()->GetSize().GetWidth(), widest);
  EXPECT_EQ(narrow->proposed()->GetSize().GetWidth(), widest);
  EXPECT_EQ(a->proposed()->GetSize().GetWidth(), first);
}

TEST_F(RowWidgets, SetupBuildsBothSidesWithABlankTickAfterTheSpacer) {
  use_transform([](const std::string&) { return "changed"; });
  Row made = Filerow::create({"", "x"}, nullptr, 2, 0);
  wxCheckBox* first_box = made->checkbox();
  made->setup(1);
  EXPECT_NE(made->checkbox(), first_box);
  EXPECT_FALSE(made->ticked());
  EXPECT_EQ(made->tick()->GetValue(), "  ");
  EXPECT_EQ(made->proposed()->GetValue(), "changed");
  Cell right = cell_at(sizer2, 1, 1);
  ASSERT_EQ(right.items.size(), 3u);
  EXPECT_TRUE(right.items[0]->IsSpacer());
  EXPECT_EQ(right.items[0]->GetSize().GetWidth(), 30);
  EXPECT_EQ(right.items[1]->GetWindow(), made->tick());
  EXPECT_EQ(right.items[2]->GetWindow(), made->proposed());
  EXPECT_EQ(cell_at(sizer1, 1, 0).items.at(1)->GetWindow(), made->checkbox());
  EXPECT_EQ(filerow::nodes()->find(made->checkbox()), made);
  EXPECT_EQ(filerow::propnodes()->find(made->proposed()), made);
}

TEST_F(RowWidgets, BadPlacementOrFailingProposalIsAnErrorThatKeepsWhatWasMade) {
  Row made = row("a", 1, 0);
  EXPECT_THROW(Filerow::create({"", "b"}, nullptr, 1, 0), std::invalid_argument);
  EXPECT_THROW(Filerow::create({"", "b"}, nullptr, 1, -3), std::invalid_argument);
  EXPECT_EQ(filerow::nodes()->size(), 1u);

  use_transform([](const std::string&) -> std::string { throw std::runtime_error("no idea"); });
  Row left_only = Filerow::create({"", "c"}, nullptr, 1, 1);
  EXPECT_THROW(left_only->setup_rightside(1), std::runtime_error);
  EXPECT_EQ(left_only->proposed(), nullptr);
  EXPECT_EQ(sizer2->FindItemAtPosition({1, 1}), nullptr);
  EXPECT_NO_THROW(left_only->format_row());  // a row without its right side formats its left
}

TEST_F(RowWidgets, ALinearSizerTakesTheCellsAndRefusesATakenLineAsWxDoes) {
  panel1->SetSizer(sizer1 = new tickpane::GridBagSizer);
  panel2->SetSizer(sizer2 = new tickpane::GridBagSizer);
  use_transform({});
  Row first = row("a", 0, 0);
  Row second = row("b", 2, 1);
  EXPECT_EQ(cell_at(sizer1, 1, 0).items.at(1)->GetWindow(), second->checkbox());
  EXPECT_EQ(cell_at(sizer2, 1, 1).items.at(2)->GetWindow(), second->proposed());
  EXPECT_EQ(cell_at(sizer2, 0, 1).border, 2);
  EXPECT_THROW(Filerow::create({"", "c"}, nullptr, 1, 1), std::invalid_argument);
  EXPECT_EQ(sizer1->GetItemCount(), 2u);
  EXPECT_EQ(filerow::nodes()->size(), 2u);
}

TEST_F(RowWidgets, AwkwardNamesShowOnOneLineAndKeepTheirBytes) {
  std::string raw = "bad";
  raw += static_cast<char>(0xFF);
  raw += static_cast<char>(0xFE);
  raw += ".txt";
  Row binary = row(raw, 1, 0);
  EXPECT_EQ(binary->checkbox()->GetLabelText(), wxString::FromUTF8("bad\uFFFD\uFFFD.txt"));
  EXPECT_FALSE(binary->ticked());
  EXPECT_EQ(binary->newname(), raw);

  Row lines = row("tab\there\nnew & more", 1, 1);
  EXPECT_EQ(lines->checkbox()->GetLabelText(),
            wxString::FromUTF8("tab\u2409here\u240Anew & more"));
  EXPECT_FALSE(lines->ticked());
  EXPECT_EQ(lines->newname(), "tab\there\nnew & more");
  // One line whatever font draws the pictures, and the row's widgets share
  // one height, so both panels stay aligned.
  wxCheckBox* box = lines->checkbox();
  EXPECT_LT(box->GetSize().GetHeight(), 2 * box->GetCharHeight());
  EXPECT_EQ(lines->tick()->GetMinSize().GetHeight(), box->GetMinSize().GetHeight());
  EXPECT_EQ(lines->proposed()->GetMinSize().GetHeight(), box->GetMinSize().GetHeight());

  // A proposal keeps its own stray bytes, even one that reads like the name.
  use_transform([](const std::string& name) {
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name.back() == 'q' ? name.substr(0, name.size() - 2) + "\xE8q" : upper;
  });
  Row shouted = row(raw, 1, 2);
  EXPECT_TRUE(shouted->ticked());
  EXPECT_EQ(shouted->newname(), "BAD\xFF\xFE.TXT");
  Row lookalike = row("caf\xE9q", 1, 3);
  EXPECT_TRUE(lookalike->ticked());
  EXPECT_EQ(lookalike->newname(), "caf\xE8q");
}
