// tickpane::GridBagSizer against wxGridBagSizer: the same items, made by the
// same recipe in two panels, must get the same rects, lines and minimum size,
// and the same answers and assertions along the way.

#include <tickpane/grid_bag_sizer.h>

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <ostream>
#include <random>
#include <utility>
#include <vector>

static void PrintTo(const wxSize& size, std::ostream* out) {
  *out << size.x << "x" << size.y;
}

namespace {

using Answers = std::vector<long>;

// Counts the toolkit's assertions while it lives, instead of failing the test.
class Assertions {
 public:
  Assertions() : previous_(wxSetAssertHandler(&Assertions::count)) { counted = 0; }
  ~Assertions() { wxSetAssertHandler(previous_); }
  static inline int counted = 0;

 private:
  static void count(const wxString&, int, const wxString&, const wxString&, const wxString&) {
    ++counted;
  }
  wxAssertHandler_t previous_;
};

// What a recipe and three layouts give.
struct Outcome {
  Answers answers;  // what the recipe's calls returned
  int assertions = 0;
  wxSize min;
  std::vector<int> lines;     // row heights, then column widths, after each layout
  std::vector<wxRect> rects;  // each item's, its window's, its nested items', after each layout
};

void collect(wxSizer& sizer, std::vector<wxRect>& rects) {
  for (wxSizerItem* item : sizer.GetChildren()) {
    rects.push_back(item->GetRect());
    if (wxWindow* window = item->GetWindow()) rects.push_back(window->GetRect());
    if (wxSizer* nested = item->GetSizer()) collect(*nested, rects);
  }
}

template <typename Sizer, typename Recipe>
Outcome lay_out(Sizer& sizer, wxWindow* panel, const Recipe& recipe) {
  Outcome outcome;
  {
    Assertions assertions;
    recipe(sizer, panel, outcome.answers);
    outcome.assertions = Assertions::counted;
  }
  outcome.min = sizer.GetMinSize();
  for (wxSize size : {outcome.min, outcome.min + wxSize(150, 120), wxSize(40, 30)}) {
    sizer.SetDimension(wxPoint(4, 6), size);
    for (const wxArrayInt* lines : {&sizer.GetRowHeights(), &sizer.GetColWidths()})
      outcome.lines.insert(outcome.lines.end(), lines->begin(), lines->end());
    collect(sizer, outcome.rects);
  }
  return outcome;
}

class SameLayout : public ::testing::Test {
 protected:
  void SetUp() override { frame = new wxFrame(nullptr, wxID_ANY, "sizers"); }
  void TearDown() override {
    frame->Destroy();
    wxTheApp->ProcessIdle();
  }

  /// Runs `recipe` on a wxGridBagSizer and on ours, each in a panel of its
  /// own, and expects the same outcome.
  template <typename Recipe>
  void expect_same(const Recipe& recipe, int vgap = 0, int hgap = 0) {
    auto* panel_wx = new wxPanel(frame);
    auto* panel_ours = new wxPanel(frame);
    auto* wx = new wxGridBagSizer(vgap, hgap);
    auto* ours = new tickpane::GridBagSizer(vgap, hgap);
    panel_wx->SetSizer(wx);
    panel_ours->SetSizer(ours);
    Outcome expected = lay_out(*wx, panel_wx, recipe);
    Outcome got = lay_out(*ours, panel_ours, recipe);
    EXPECT_EQ(expected.answers, got.answers);
    EXPECT_EQ(expected.assertions, got.assertions);
    EXPECT_EQ(expected.min, got.min);
    EXPECT_EQ(expected.lines, got.lines);
    ASSERT_EQ(expected.rects.size(), got.rects.size());
    for (size_t i = 0; i < got.rects.size(); ++i)
      if (expected.rects[i] != got.rects[i]) {
        ADD_FAILURE() << "rect " << i << ": wx " << expected.rects[i].x << ","
                      << expected.rects[i].y << " " << expected.rects[i].width << "x"
                      << expected.rects[i].height << ", ours " << got.rects[i].x << ","
                      << got.rects[i].y << " " << got.rects[i].width << "x"
                      << got.rects[i].height;
        break;
      }
    panel_wx->Destroy();
    panel_ours->Destroy();
  }

  wxFrame* frame = nullptr;
};

// A spacer item, for short recipes.
template <typename Sizer>
wxSizerItem* put(Sizer& sizer, int row, int col, int width, int height, int rowspan = 1,
                 int colspan = 1, int flag = 0, int border = 0) {
  return sizer.Add(width, height, wxGBPosition(row, col), wxGBSpan(rowspan, colspan), flag,
                   border);
}

// Grid lines shaped like the tree's: one cell a line in `column`, a box of an
// indent and a name (a check box on every ninth), and runs of lines
// collapsed away.
auto tree_lines(int column, int lines) {
  return [=](auto& sizer, wxWindow* panel, Answers&) {
    for (int line = 0; line < lines; ++line) {
      auto* cell = new wxBoxSizer(wxHORIZONTAL);
      cell->AddSpacer(15 * (line % 6));
      if (line % 9 == 0)
        cell->Add(new wxCheckBox(panel, wxID_ANY, wxString::Format("row %d", line)));
      else
        cell->Add(40 + line % 37, 18 + line % 4);
      sizer.Add(cell, wxGBPosition(line, column), wxDefaultSpan, column == 0 ? 1 : wxEXPAND, 2);
      if (line % 11 > 7) cell->ShowItems(false);
    }
  };
}

TEST_F(SameLayout, TreeLinesInEitherColumn) {
  for (int column : {0, 1}) {
    SCOPED_TRACE(column);
    expect_same(tree_lines(column, 300));
    expect_same(tree_lines(column, 300), 2, 5);
  }
}

TEST_F(SameLayout, SpansOverflowingTheirLinesWithUnequalGaps) {
  auto tall = [](auto& sizer, wxWindow*, Answers&) {
    put(sizer, 0, 0, 10, 10);
    put(sizer, 0, 1, 10, 40, 2, 1);
    put(sizer, 1, 0, 30, 15);
  };
  auto wide = [](auto& sizer, wxWindow*, Answers&) {
    put(sizer, 0, 0, 100, 10, 1, 3);
    for (int col = 0; col < 3; ++col) put(sizer, 1, col, 12 + col, 9);
    put(sizer, 2, 1, 70, 5, 1, 2);
  };
  auto both_ways = [](auto& sizer, wxWindow*, Answers&) {
    put(sizer, 0, 0, 90, 95, 3, 3);
    put(sizer, 3, 0, 10, 10);
    put(sizer, 0, 3, 10, 10);
    put(sizer, 3, 3, 50, 50);
    put(sizer, 1, 4, 7, 60, 3, 2);
  };
  auto ending_together = [](auto& sizer, wxWindow*, Answers&) {
    put(sizer, 0, 0, 10, 100, 3, 1);
    put(sizer, 1, 1, 10, 80, 2, 1);
    put(sizer, 2, 2, 10, 10);
    put(sizer, 0, 3, 200, 3, 1, 3);
    put(sizer, 1, 3, 10, 3, 1, 2);
  };
  auto smaller_than_lines = [](auto& sizer, wxWindow*, Answers&) {
    put(sizer, 0, 0, 40, 40);
    put(sizer, 1, 0, 40, 40);
    put(sizer, 0, 1, 5, 5, 2, 1);
  };
  auto sparse = [](auto& sizer, wxWindow*, Answers&) {
    sizer.SetEmptyCellSize(wxSize(3, 4));
    put(sizer, 0, 0, 10, 10);
    put(sizer, 5, 7, 20, 30, 2, 2);
    put(sizer, 9, 2, 15, 5);
  };
  // Spacers left without a height or width: wx takes their -1 at their own
  // cell, and 0 at their other cells.
  auto unspecified = [](auto& sizer, wxWindow*, Answers&) {
    put(sizer, 0, 0, 30, 30);
    put(sizer, 1, 0, 20, wxDefaultCoord);
    put(sizer, 2, 0, wxDefaultCoord, 10, 1, 2);
    put(sizer, 3, 1, wxDefaultCoord, wxDefaultCoord, 2, 1);
  };
  for (auto [vgap, hgap] : std::vector<std::pair<int, int>>{{0, 0}, {1, 5}, {6, 2}}) {
    SCOPED_TRACE(testing::Message() << "gaps " << vgap << "," << hgap);
    expect_same(tall, vgap, hgap);
    expect_same(wide, vgap, hgap);
    expect_same(both_ways, vgap, hgap);
    expect_same(ending_together, vgap, hgap);
    expect_same(smaller_than_lines, vgap, hgap);
    expect_same(sparse, vgap, hgap);
    expect_same(unspecified, vgap, hgap);
  }
}

TEST_F(SameLayout, HiddenItems) {
  auto hidden_line = [](auto& sizer, wxWindow* panel, Answers&) {
    put(sizer, 0, 0, 20, 20);
    put(sizer, 1, 0, 30, 50)->Show(false);
    put(sizer, 2, 0, 20, 20);
    put(sizer, 1, 1, 8, 8, 3, 1)->Show(false);  // spans past the last shown line
    auto* box = new wxCheckBox(panel, wxID_ANY, "hidden");
    sizer.Add(box, wxGBPosition(2, 2));
    box->Hide();
    auto* empty = new wxBoxSizer(wxVERTICAL);
    empty->Add(40, 40)->Show(false);
    sizer.Add(empty, wxGBPosition(0, 3));
  };
  auto space_kept = [](auto& sizer, wxWindow*, Answers&) {
    put(sizer, 0, 0, 20, 20);
    put(sizer, 0, 1, 30, 50, 1, 1, wxRESERVE_SPACE_EVEN_IF_HIDDEN)->Show(false);
  };
  auto all_hidden = [](auto& sizer, wxWindow*, Answers&) {
    put(sizer, 0, 0, 20, 20)->Show(false);
    put(sizer, 1, 1, 20, 20)->Show(false);
  };
  for (auto [vgap, hgap] : std::vector<std::pair<int, int>>{{0, 0}, {3, 1}}) {
    expect_same(hidden_line, vgap, hgap);
    expect_same(space_kept, vgap, hgap);
    expect_same(all_hidden, vgap, hgap);
  }
  expect_same([](auto&, wxWindow*, Answers&) {});
}

// Where items overlap, wx's overflow pass sees at each cell only the first
// item in the list covering it, hidden or not.
TEST_F(SameLayout, ItemsOverOthers) {
  // wx lets this one in: its check only looks at the corners.
  auto crossing = [](auto& sizer, wxWindow*, Answers& answers) {
    answers.push_back(put(sizer, 0, 1, 10, 90, 3, 1) != nullptr);
    answers.push_back(put(sizer, 1, 0, 90, 10, 1, 3) != nullptr);
    put(sizer, 3, 0, 5, 5);
  };
  auto hidden_over_shown = [](auto& sizer, wxWindow*, Answers&) {
    put(sizer, 0, 1, 10, 90, 3, 1)->Show(false);
    put(sizer, 1, 0, 90, 33, 1, 3);
    put(sizer, 2, 0, 4, 4);
  };
  // Replace() puts an item anywhere, unchecked: the tall one widens row 0
  // and column 0 but is never seen after, and they shrink back.
  auto replaced_onto_another = [](auto& sizer, wxWindow*, Answers& answers) {
    put(sizer, 0, 0, 20, 20);
    put(sizer, 3, 3, 5, 5);
    put(sizer, 2, 0, 8, 8, 1, 2);
    answers.push_back(sizer.Replace(1, new wxGBSizerItem(30, 50, wxGBPosition(0, 0))));
    answers.push_back(sizer.Replace(2, new wxGBSizerItem(9, 9, wxGBPosition(1, 0), wxGBSpan(2, 2))));
  };
  for (auto [vgap, hgap] : std::vector<std::pair<int, int>>{{0, 0}, {3, 1}}) {
    expect_same(crossing, vgap, hgap);
    expect_same(hidden_over_shown, vgap, hgap);
    expect_same(replaced_onto_another, vgap, hgap);
  }
}

TEST_F(SameLayout, GrowableLinesInEveryFlexMode) {
  for (int direction : {wxBOTH, wxVERTICAL, wxHORIZONTAL})
    for (auto mode : {wxFLEX_GROWMODE_NONE, wxFLEX_GROWMODE_SPECIFIED, wxFLEX_GROWMODE_ALL}) {
      SCOPED_TRACE(testing::Message() << "direction " << direction << ", mode " << mode);
      expect_same(
          [=](auto& sizer, wxWindow*, Answers&) {
            for (int row = 0; row < 4; ++row)
              for (int col = 0; col < 4; col += 1 + (row == 2))
                put(sizer, row, col, 10 + 7 * col, 8 + 5 * row, 1, 1 + (row == 2), wxEXPAND);
            put(sizer, 4, 0, 60, 70, 1, 4, wxALIGN_CENTER);
            sizer.AddGrowableRow(1, 2);
            sizer.AddGrowableRow(4, 1);
            sizer.AddGrowableCol(0);
            sizer.AddGrowableCol(3, 3);
            sizer.SetFlexibleDirection(direction);
            sizer.SetNonFlexibleGrowMode(mode);
          },
          2, 3);
    }
}

TEST_F(SameLayout, FlagsBordersWindowsSizersAndSpacers) {
  expect_same(
      [](auto& sizer, wxWindow* panel, Answers&) {
        int flags[] = {wxALL, wxALIGN_RIGHT | wxTOP, wxALIGN_CENTER, wxALIGN_BOTTOM | wxLEFT,
                       wxEXPAND | wxRIGHT, wxSHAPED, wxFIXED_MINSIZE | wxBOTTOM};
        int row = 0;
        for (int flag : flags) {
          sizer.Add(new wxStaticText(panel, wxID_ANY, wxString('x', 3 + row)),
                    wxGBPosition(row, 0), wxDefaultSpan, flag, 4);
          sizer.Add(new wxCheckBox(panel, wxID_ANY, "check"), wxGBPosition(row, 1),
                    wxGBSpan(1, 1 + row % 2), flag, row);
          auto* nested = new wxBoxSizer(row % 2 ? wxVERTICAL : wxHORIZONTAL);
          nested->Add(new wxStaticText(panel, wxID_ANY, "in"), 1, wxEXPAND);
          nested->AddStretchSpacer();
          nested->Add(12, 30);
          sizer.Add(nested, wxGBPosition(row, 3), wxDefaultSpan, flag, 3);
          put(sizer, row, 4, 25, 10 + row, 1, 1, flag, 5);
          ++row;
        }
        sizer.AddGrowableCol(3);
      },
      1, 2);
}

TEST_F(SameLayout, ItemsMovedResizedRemovedAndCleared) {
  expect_same([](auto& sizer, wxWindow* panel, Answers& answers) {
    auto* a = new wxCheckBox(panel, wxID_ANY, "a");
    auto* b = new wxCheckBox(panel, wxID_ANY, "bb");
    auto* nested = new wxBoxSizer(wxVERTICAL);
    nested->Add(30, 30);
    sizer.Add(a, wxGBPosition(0, 0));
    sizer.Add(b, wxGBPosition(0, 1));
    sizer.Add(nested, wxGBPosition(1, 0), wxGBSpan(1, 2));
    for (int row = 2; row < 6; ++row) put(sizer, row, row % 3, 20 + row, 10);
    answers.push_back(sizer.SetItemPosition(a, wxGBPosition(0, 1)));  // b is there
    answers.push_back(sizer.SetItemPosition(b, wxGBPosition(6, 3)));
    answers.push_back(sizer.SetItemSpan(nested, wxGBSpan(2, 3)));  // runs into row 2
    answers.push_back(sizer.SetItemSpan(nested, wxGBSpan(1, 4)));
    answers.push_back(sizer.SetItemPosition(size_t(4), wxGBPosition(7, 0)));
    answers.push_back(sizer.SetItemSpan(size_t(3), wxGBSpan(3, 1)));
    answers.push_back(sizer.GetItemPosition(b).GetRow());
    answers.push_back(sizer.GetItemSpan(nested).GetColspan());
    answers.push_back(sizer.Detach(a));
    answers.push_back(sizer.Add(a, wxGBPosition(0, 0)) != nullptr);
    answers.push_back(sizer.Remove(2));
    answers.push_back(put(sizer, 1, 1, 44, 44) != nullptr);
    answers.push_back(sizer.FindItemAtPosition(wxGBPosition(1, 1)) != nullptr);
    answers.push_back(sizer.FindItem(b) != nullptr);
  });
  expect_same([](auto& sizer, wxWindow* panel, Answers& answers) {
    for (int row = 0; row < 5; ++row) put(sizer, row, 0, 10, 10 * row);
    sizer.Clear();
    answers.push_back(put(sizer, 0, 0, 33, 22) != nullptr);
    sizer.Add(new wxStaticText(panel, wxID_ANY, "again"), wxGBPosition(1, 1));
  });
}

// Grids of random items, sizes, spans, hidden items and changes; every call
// through the sizer's own type.
TEST_F(SameLayout, RandomGrids) {
  for (unsigned seed = 1; seed <= 150; ++seed) {
    SCOPED_TRACE(seed);
    auto recipe = [seed](auto& sizer, wxWindow*, Answers& answers) {
      std::mt19937 random(seed);
      auto pick = [&](int below) { return int(random() % below); };
      for (int n = 0; n < 40; ++n) {
        wxSizerItem* item = put(sizer, pick(12), pick(8), pick(60), pick(40), 1 + pick(3) / 2,
                                1 + pick(4) / 3, pick(2) ? int(wxEXPAND) : int(wxALIGN_CENTER), pick(3));
        answers.push_back(item != nullptr);
        if (item && pick(5) == 0) item->Show(false);
      }
      for (int n = 0; n < 10 && sizer.GetItemCount() > 1; ++n) {
        size_t index = pick(sizer.GetItemCount());
        if (pick(2))
          answers.push_back(sizer.SetItemPosition(index, wxGBPosition(pick(14), pick(9))));
        else
          answers.push_back(sizer.SetItemSpan(index, wxGBSpan(1 + pick(3), 1 + pick(3))));
        if (pick(4) == 0) answers.push_back(sizer.Detach(int(pick(sizer.GetItemCount()))));
      }
      if (sizer.GetRows() > 3) sizer.AddGrowableRow(2, pick(3));
      sizer.SetEmptyCellSize(wxSize(pick(15), pick(25)));
    };
    expect_same(recipe, seed % 4, seed % 3);
  }
}

// Our look-ups against wx's own, run on the same sizer.
TEST(GridBagSizerIndex, AnswersAsWxSearchingAllItems) {
  std::mt19937 random(7);
  auto pick = [&](int below) { return int(random() % below); };
  tickpane::GridBagSizer ours;
  wxGridBagSizer& wx = ours;
  Assertions quiet;
  auto expect_agreement = [&] {
    for (int row = -1; row < 52; ++row)
      for (int col = -1; col < 10; ++col) {
        wxGBPosition pos(row, col);
        ASSERT_EQ(ours.FindItemAtPosition(pos), wx.FindItemAtPosition(pos)) << row << "," << col;
        wxGBSpan span(1 + pick(4), 1 + pick(4));
        wxGBSizerItem* exclude = ours.FindItemAtPosition(wxGBPosition(pick(12), pick(8)));
        ASSERT_EQ(ours.CheckForIntersection(pos, span, exclude),
                  wx.CheckForIntersection(pos, span, exclude));
      }
    for (wxSizerItem* item : ours.GetChildren())
      if (wxSizer* nested = item->GetSizer()) {
        ASSERT_EQ(ours.FindItem(nested), wx.FindItem(nested));
      }
  };
  for (int round = 0; round < 30; ++round) {
    for (int n = 0; n < 8; ++n) {
      wxGBPosition pos(pick(12), pick(8));
      wxGBSpan span(1 + pick(5) / 3, 1 + pick(5) / 3);
      if (pick(3)) {
        ours.Add(new wxBoxSizer(wxVERTICAL), pos, span);
      } else {
        // Added behind our back, through wx's Add().
        wx.Add(new wxBoxSizer(wxVERTICAL), pos, span);
      }
    }
    ASSERT_NO_FATAL_FAILURE(expect_agreement());
    size_t count = ours.GetItemCount();
    if (count == 0) continue;
    switch (pick(5)) {
      case 0: ours.SetItemPosition(size_t(pick(count)), wxGBPosition(pick(12), pick(8))); break;
      case 1: ours.SetItemSpan(size_t(pick(count)), wxGBSpan(1 + pick(3), 1 + pick(2))); break;
      case 2:
        // As many items as before, other ones.
        ours.Detach(pick(count));
        wx.Add(new wxBoxSizer(wxVERTICAL), wxGBPosition(20 + round, 0));
        break;
      case 3:
        if (wxSizer* nested = ours.GetItem(size_t(pick(count)))->GetSizer())
          ours.Replace(nested, new wxBoxSizer(wxHORIZONTAL));
        break;
      default:
        // A move the index cannot see, taken up by the next layout.
        static_cast<wxGBSizerItem*>(ours.GetItem(size_t(pick(count))))
            ->SetPos(wxGBPosition(pick(12), pick(8)));
        ours.CalcMin();
    }
    ASSERT_NO_FATAL_FAILURE(expect_agreement());
  }
}

}  // namespace
