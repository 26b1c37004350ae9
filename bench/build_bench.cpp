// Measures Filetree::build() against the floor: a plain loop that creates the
// same widgets and sizers for the same rows without our libraries. Also times
// one click on the top folder and a full walk of changes() on the largest
// tree. Prints markdown tables on standard output.
//
// usage: build_bench [ROUNDS] [SIZE...]   (default: 3 rounds, 500 1000 2000)

#include <tickpane/tickpane.h>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/gbsizer.h>
#include <wx/init.h>
#include <wx/panel.h>
#include <wx/settings.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(const std::function<void()>& work) {
  auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// FILES files in nested folders: ten files a folder, folders three deep.
fs::path make_tree(const fs::path& root, int files) {
  fs::path top = root / ("tree" + std::to_string(files));
  fs::remove_all(top);
  for (int i = 0; i < files; ++i) {
    int folder = i / 10;
    fs::path dir = top / ("a" + std::to_string(folder / 25)) /
                   ("b" + std::to_string(folder / 5 % 5)) / ("c" + std::to_string(folder % 5));
    fs::create_directories(dir);
    std::ofstream(dir / ("file" + std::to_string(i) + ".txt")) << "x";
  }
  return top;
}

void settle() {
  wxTheApp->ProcessPendingEvents();
  while (wxTheApp->Pending()) wxTheApp->Dispatch();
}

// A shown frame with two grid-bag panels, as a host makes it.
struct Window {
  Window() {
    frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(900, 700));
    panel1 = new wxPanel(frame);
    panel2 = new wxPanel(frame);
    sizer1 = new wxGridBagSizer;
    sizer2 = new wxGridBagSizer;
    panel1->SetSizer(sizer1);
    panel2->SetSizer(sizer2);
    auto* both = new wxBoxSizer(wxHORIZONTAL);
    both->Add(panel1, 1, wxEXPAND);
    both->Add(panel2, 1, wxEXPAND);
    frame->SetSizer(both);
    frame->Show();
    settle();
  }
  ~Window() {
    frame->Destroy();
    settle();
  }
  wxFrame* frame;
  wxPanel *panel1, *panel2;
  wxGridBagSizer *sizer1, *sizer2;
};

struct RowShape {
  std::string name;
  int indent;
};

// What the floor creates per row: the same widgets, sizers, fonts and colours.
void plain_loop(Window& w, const std::vector<RowShape>& rows) {
  wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  wxColour back = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  int width = 0;
  int line = 0;
  for (const RowShape& row : rows) {
    auto* cell1 = new wxBoxSizer(wxHORIZONTAL);
    auto* box = new wxCheckBox(w.panel1, wxID_ANY, row.name, wxDefaultPosition,
                               wxDefaultSize, wxCHK_3STATE);
    width = std::max(width, box->GetSize().x);
    cell1->AddSpacer(15 * row.indent);
    cell1->Add(box, 0, wxALL, 0);
    w.sizer1->Add(cell1, wxGBPosition(line, 0), wxDefaultSpan, 1, 2);
    box->SetFont(font);
    box->SetBackgroundColour(back);

    auto* cell2 = new wxBoxSizer(wxHORIZONTAL);
    auto* tick = new wxTextCtrl(w.panel2, wxID_ANY, "  ", wxDefaultPosition,
                                wxSize(width, -1), wxBORDER_NONE | wxTE_READONLY);
    tick->SetMinSize(wxSize(20, -1));
    auto* text = new wxTextCtrl(w.panel2, wxID_ANY, row.name, wxDefaultPosition,
                                wxSize(width, -1), wxBORDER_NONE);
    cell2->Add(tick, 0, wxALL | wxEXPAND, 0);
    cell2->AddSpacer(15 * row.indent);
    cell2->Add(text, 0, wxALL | wxEXPAND, 0);
    w.sizer2->Add(cell2, wxGBPosition(line, 1), wxDefaultSpan, wxEXPAND, 2);
    tick->SetFont(font);
    text->SetFont(font);
    text->SetBackgroundColour(back);
    ++line;
  }
}

std::unique_ptr<tickpane::Filetree> make_tree(Window& w, const fs::path& location) {
  auto config = std::make_shared<host::PlainConfig>(location.string(), "*", false, true);
  return std::make_unique<tickpane::Filetree>(
      w.panel1, w.panel2, w.sizer1, w.sizer2, config,
      [](const std::string& name) { return "new-" + name; }, [](const std::string&) {});
}

std::vector<RowShape> shapes_of_last_build() {
  std::vector<RowShape> rows;
  for (const auto& [widget, row] : *filerow::nodes()) rows.push_back({row->name(), row->indent()});
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
  std::vector<int> sizes;
  for (int i = 2; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {500, 1000, 2000};

  wxApp::SetInstance(new wxApp);
  wxEntryStart(argc, argv);
  wxTheApp->CallOnInit();
  wxGUIEventLoop loop;
  wxEventLoopActivator activate(&loop);
  fs::path root = fs::temp_directory_path() / "tickpane-bench";

  // The summary lines of build() go to standard error, out of the tables.
  std::fflush(stdout);
  int saved_stdout = dup(1);
  dup2(2, 1);

  struct Result {
    int files, rows;
    double floor, ours;
  };
  std::vector<Result> results;
  double click_ms = 0, changes_ms = 0;
  int click_rows = 0, changes_rows = 0;
  for (int files : sizes) {
    fs::path location = make_tree(root, files);
    std::vector<double> floor, ours;
    std::vector<RowShape> rows;
    for (int round = 0; round < rounds; ++round) {
      // Alternate which goes first, so neither always runs on a warmer machine.
      for (int turn = 0; turn < 2; ++turn) {
        bool library = (turn + round) % 2 == 0;
        Window w;
        if (library) {
          auto tree = make_tree(w, location);
          ours.push_back(seconds([&] { tree->build(); }));
          rows = shapes_of_last_build();
          if (files == sizes.back() && round == rounds - 1) {
            auto top = tree->head()->children().at(0).second;
            click_rows = static_cast<int>(filerow::nodes()->size());
            click_ms = 1000 * seconds([&] {
              top->checkbox()->Set3StateValue(wxCHK_CHECKED);
              wxCommandEvent click(wxEVT_CHECKBOX, top->checkbox()->GetId());
              click.SetEventObject(top->checkbox());
              top->checkbox()->ProcessWindowEvent(click);
            });
            tree->set_all_checkboxes(wxCHK_CHECKED);
            changes_ms = 1000 * seconds([&] {
              for (const auto& row : tree->changes()) changes_rows += row != nullptr;
            });
          }
          tree->unbindall();
        } else {
          if (rows.empty()) {  // the floor needs the rows' shapes: take them from one build
            auto tree = make_tree(w, location);
            tree->build();
            rows = shapes_of_last_build();
            tree->unbindall();
            --turn;
            continue;
          }
          floor.push_back(seconds([&] { plain_loop(w, rows); }));
        }
      }
    }
    results.push_back({files, static_cast<int>(rows.size()), median(floor), median(ours)});
  }
  fs::remove_all(root);

  std::fflush(stdout);
  dup2(saved_stdout, 1);
  std::printf("| files | rows | plain loop (s) | build() (s) | build() per row (ms) | ratio to the loop |\n");
  std::printf("|---|---|---|---|---|---|\n");
  for (const Result& r : results)
    std::printf("| %d | %d | %.2f | %.2f | %.2f | %.2f |\n", r.files, r.rows, r.floor, r.ours,
                1000 * r.ours / r.rows, r.ours / r.floor);
  std::printf("\n| operation on %d rows | ms | per row (us) |\n|---|---|---|\n", click_rows);
  std::printf("| click on the top folder (cascade and climb, repaint) | %.1f | %.1f |\n", click_ms,
              1000 * click_ms / click_rows);
  std::printf("| changes(): full walk, %d yielded | %.2f | %.2f |\n", changes_rows, changes_ms,
              1000 * changes_ms / click_rows);
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
