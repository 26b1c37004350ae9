// Times one layout of grid lines shaped like the tree's in wxGridBagSizer and
// in tickpane::GridBagSizer, one right after the other: LINES lines in each
// of the two panels' sizers, the left one's cells in column 0, the right
// one's in column 1 with column 0 empty, as the rows place them; each cell a
// box sizer of spacers standing in for the indent and the widgets, so that
// only the sizers' own work is timed. Both must give every item the same
// rect. bench/sizer.sh runs it.

#include <tickpane/grid_bag_sizer.h>

#include <wx/gbsizer.h>
#include <wx/init.h>
#include <wx/sizer.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const usage =
    "usage: sizer_bench LINES FIRST   FIRST wx or ours: which is timed first;\n"
    "                                 prints LINES, then wx's and our seconds\n";

// Both panels' sizers, filled line by line as the rows fill them.
struct Panels {
  explicit Panels(bool ours, int lines) {
    left.reset(ours ? new tickpane::GridBagSizer : new wxGridBagSizer);
    right.reset(ours ? new tickpane::GridBagSizer : new wxGridBagSizer);
    for (int line = 0; line < lines; ++line) {
      int indent = 15 * (line % 5);
      auto* cell1 = new wxBoxSizer(wxHORIZONTAL);
      cell1->AddSpacer(indent);
      cell1->Add(60 + line % 40, 24);  // the check box with the name
      left->Add(cell1, wxGBPosition(line, 0), wxDefaultSpan, 1, 2);
      auto* cell2 = new wxBoxSizer(wxHORIZONTAL);
      cell2->Add(20, 24, 0, wxEXPAND);  // the tick mark
      cell2->AddSpacer(indent);
      cell2->Add(60 + line % 40, 24, 0, wxEXPAND);  // the proposed name
      right->Add(cell2, wxGBPosition(line, 1), wxDefaultSpan, wxEXPAND, 2);
    }
  }

  double lay_out() {
    auto start = std::chrono::steady_clock::now();
    for (wxGridBagSizer* sizer : {left.get(), right.get()})
      sizer->SetDimension(wxPoint(0, 0), wxSize(400, 26 * int(sizer->GetItemCount())));
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

  std::vector<wxRect> rects() const {
    std::vector<wxRect> all;
    for (wxGridBagSizer* sizer : {left.get(), right.get()})
      for (wxSizerItem* cell : sizer->GetChildren()) {
        all.push_back(cell->GetRect());
        for (wxSizerItem* item : cell->GetSizer()->GetChildren()) all.push_back(item->GetRect());
      }
    return all;
  }

  std::unique_ptr<wxGridBagSizer> left, right;
};

}  // namespace

int main(int argc, char** argv) {
  int lines = argc == 3 ? std::atoi(argv[1]) : 0;
  if (lines <= 0 || (std::strcmp(argv[2], "wx") != 0 && std::strcmp(argv[2], "ours") != 0)) {
    std::fputs(usage, stderr);
    return 2;
  }
  wxInitializer wx;
  Panels theirs(false, lines), ours(true, lines);
  double wx_seconds, our_seconds;
  if (std::strcmp(argv[2], "wx") == 0) {
    wx_seconds = theirs.lay_out();
    our_seconds = ours.lay_out();
  } else {
    our_seconds = ours.lay_out();
    wx_seconds = theirs.lay_out();
  }
  if (theirs.rects() != ours.rects()) {
    std::fputs("sizer_bench: the two sizers laid the lines out differently\n", stderr);
    return 1;
  }
  std::printf("%d %.6f %.6f\n", lines, wx_seconds, our_seconds);
  return 0;
}
