// The panels' grid-bag sizer sizes its lines and columns exactly as wx's.

#include <gtest/gtest.h>

#include <wx/gbsizer.h>

#include <functional>
#include <vector>

#include "rowgrid.h"

using bulkrename::Rowgrid;

namespace {

struct Sizes {
  wxSize min;
  std::vector<int> heights, widths;
  bool operator==(const Sizes&) const = default;
};

// Fills a sizer of each kind alike, and compares what they compute.
void expect_same(const std::function<void(wxGridBagSizer&)>& fill) {
  auto measure = [&](wxGridBagSizer& sizer) {
    fill(sizer);
    Sizes sizes;
    sizes.min = sizer.CalcMin();
    for (int height : sizer.GetRowHeights()) sizes.heights.push_back(height);
    for (int width : sizer.GetColWidths()) sizes.widths.push_back(width);
    return sizes;
  };
  wxGridBagSizer plain;
  Rowgrid ours;
  Sizes expected = measure(plain);
  Sizes got = measure(ours);
  EXPECT_EQ(got.min, expected.min);
  EXPECT_EQ(got.heights, expected.heights);
  EXPECT_EQ(got.widths, expected.widths);
}

// A row's two cells as the tree makes them: a box of fixed-size parts.
void row(wxGridBagSizer& sizer, int line, int column, int indent, wxSize part) {
  auto* cell = new wxBoxSizer(wxHORIZONTAL);
  cell->AddSpacer(indent);
  cell->Add(part.x, part.y);
  sizer.Add(cell, wxGBPosition(line, column), wxDefaultSpan, wxEXPAND, 2);
}

}  // namespace

TEST(Rowgrid, SizesLinesAndColumnsAsWxDoes) {
  expect_same([](wxGridBagSizer&) {});
  expect_same([](wxGridBagSizer& sizer) {
    for (int line = 0; line < 40; ++line)
      row(sizer, line, 1, 15 * (line % 4), {60 + line, 18 + line % 3});
  });
  // Cells smaller than the empty cell size, empty lines and columns between
  // cells, gaps, cells out of order.
  expect_same([](wxGridBagSizer& sizer) {
    sizer.SetEmptyCellSize(wxSize(30, 25));
    sizer.SetVGap(3);
    sizer.SetHGap(5);
    sizer.Add(4, 4, wxGBPosition(5, 3));
    sizer.Add(50, 10, wxGBPosition(0, 0));
    sizer.Add(8, 40, wxGBPosition(2, 0));
    row(sizer, 1, 3, 7, {12, 9});
    // A cell without a size of its own.
    sizer.Add(-1, -1, wxGBPosition(4, 1));
  });
  // Hidden cells count as none, also when they are the last ones.
  expect_same([](wxGridBagSizer& sizer) {
    for (int line = 0; line < 10; ++line)
      sizer.Add(10 + line, 5 + line, wxGBPosition(line, line % 2));
    for (int hidden : {0, 3, 9}) sizer.GetItem(hidden)->Show(false);
  });
  expect_same([](wxGridBagSizer& sizer) {
    sizer.Add(10, 5, wxGBPosition(0, 0));
    sizer.GetItem(std::size_t{0})->Show(false);
  });
  // Sizing flexibly in one direction only.
  expect_same([](wxGridBagSizer& sizer) {
    sizer.SetFlexibleDirection(wxVERTICAL);
    for (int line = 0; line < 6; ++line)
      sizer.Add(10 * line, 5 + line, wxGBPosition(line, line % 3));
  });
  // A cell over several lines or columns: wx's own computation.
  expect_same([](wxGridBagSizer& sizer) {
    sizer.Add(10, 50, wxGBPosition(0, 0), wxGBSpan(3, 1));
    sizer.Add(80, 5, wxGBPosition(3, 0), wxGBSpan(1, 2));
    sizer.Add(7, 7, wxGBPosition(1, 1));
  });
}
