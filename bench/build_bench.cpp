// Measures Filetree::build() against the floor: a plain loop that creates the
// same widgets and sizers for the same rows without our libraries; our build
// both as shipped (widgets shown in batches) and showing each widget as it is
// made. On the largest tree it also times what else grows with the rows:
// layout, collapse and expand of the top folder, a click on it, changes(),
// and tearing the rows down with destroy_rows(). On a middle-sized tree it
// compares ways of tearing laid-out, shown rows down. Prints markdown tables
// on standard output and the raw build times as CSV to CSV-FILE.
//
// usage: build_bench ROUNDS CSV-FILE TEARDOWN-FILES SIZE...
//   e.g. build_bench 3 times.csv 1000 500 1000 2000 4000   (TEARDOWN-FILES 0: none)

#include <filerow/context_menu.h>
#include <tickpane/teardown.h>
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

// FILES files in nested folders below one top folder: ten files a folder,
// folders four deep.
fs::path make_tree(const fs::path& root, int files) {
  fs::path top = root / ("tree" + std::to_string(files));
  fs::remove_all(top);
  for (int i = 0; i < files; ++i) {
    int folder = i / 10;
    fs::path dir = top / "all" / ("a" + std::to_string(folder / 25)) /
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
  // Destroy() only queues a frame; idle time deletes it. Without that, every
  // earlier tree's widgets would stay alive and slow every later measurement.
  ~Window() {
    frame->Destroy();
    settle();
    wxTheApp->ProcessIdle();
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

std::unique_ptr<tickpane::Filetree> build_once(Window& w, const fs::path& location, int batch,
                                               double& took) {
  auto tree = make_tree(w, location);
  tree->set_reveal_batch(batch);
  took = seconds([&] { tree->build(); });
  return tree;
}

struct Operations {
  int rows = 0;
  double layout = 0, collapse = 0, expand = 0, click = 0, changes = 0;
  double teardown = 0;
};

// Times what a user does next on a built tree, then its teardown.
Operations operate(Window& w, tickpane::Filetree& tree) {
  Operations ms;
  ms.rows = static_cast<int>(filerow::nodes()->size());
  ms.layout = 1000 * seconds([&] { w.frame->Layout(); });
  settle();
  filerow::Row top = tree.head()->children().at(0).second;
  filerow::ContextMenu menu(top, top, w.sizer1, w.sizer2);
  auto choose = [&](wxWindowID id) {
    wxCommandEvent event(wxEVT_MENU, id);
    menu.ProcessEvent(event);
  };
  ms.collapse = 1000 * seconds([&] { choose(menu.collapse_id()); });
  ms.expand = 1000 * seconds([&] { choose(menu.expand_id()); });
  settle();
  ms.click = 1000 * seconds([&] {
    top->checkbox()->Set3StateValue(wxCHK_CHECKED);
    wxCommandEvent click(wxEVT_CHECKBOX, top->checkbox()->GetId());
    click.SetEventObject(top->checkbox());
    top->checkbox()->ProcessWindowEvent(click);
  });
  int yielded = 0;
  ms.changes = 1000 * seconds([&] {
    for (const auto& row : tree.changes()) yielded += row != nullptr;
  });
  settle();
  ms.teardown = 1000 * seconds([&] { tickpane::destroy_rows(tree); });
  return ms;
}

// Ways a host can tear laid-out, shown rows down before a rebuild.
struct Teardown {
  const char* name;
  std::function<void(Window&, tickpane::Filetree&)> run;
};

const Teardown teardowns[] = {
    {"sizers' Clear(true), panels shown",
     [](Window& w, tickpane::Filetree& tree) {
       tree.unbindall();
       w.sizer1->Clear(true);
       w.sizer2->Clear(true);
     }},
    {"widgets deleted last row first, then Clear(true)",
     [](Window& w, tickpane::Filetree& tree) {
       tree.unbindall();
       std::vector<wxWindow*> widgets;
       for (const auto& [widget, row] : *filerow::nodes())
         widgets.insert(widgets.end(), {row->checkbox(), row->tick(), row->proposed()});
       for (auto it = widgets.rbegin(); it != widgets.rend(); ++it) delete *it;
       w.sizer1->Clear(true);
       w.sizer2->Clear(true);
     }},
    {"destroy_rows(): panels hidden, Clear(true)",
     [](Window&, tickpane::Filetree& tree) { tickpane::destroy_rows(tree); }},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: build_bench ROUNDS CSV-FILE TEARDOWN-FILES SIZE...\n");
    return 2;
  }
  int rounds = std::atoi(argv[1]);
  std::ofstream csv(argv[2]);
  csv << "files,rows,variant,seconds\n";
  int teardown_files = std::atoi(argv[3]);
  std::vector<int> sizes;
  for (int i = 4; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));

  int no_args = 1;
  wxApp::SetInstance(new wxApp);
  wxEntryStart(no_args, argv);
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
    double floor, unbatched, batched;
  };
  std::vector<Result> results;
  Operations ops;
  const char* variants[] = {"plain loop", "build, shown one by one", "build"};
  for (int files : sizes) {
    fs::path location = make_tree(root, files);
    std::vector<RowShape> rows;
    {  // The floor needs the rows' shapes: take them from one build.
      Window w;
      double ignored;
      auto tree = build_once(w, location, 128, ignored);
      rows = shapes_of_last_build();
      tree->unbindall();
    }
    std::vector<double> times[3];
    for (int round = 0; round < rounds; ++round) {
      // Rotate which goes first, so none always runs on a warmer machine.
      for (int turn = 0; turn < 3; ++turn) {
        int variant = (turn + round) % 3;
        Window w;
        double took;
        if (variant == 0) {
          took = seconds([&] { plain_loop(w, rows); });
        } else {
          auto tree = build_once(w, location, variant == 1 ? 0 : 128, took);
          if (variant == 2 && files == sizes.back() && round == rounds - 1)
            ops = operate(w, *tree);
          else
            tree->unbindall();
        }
        times[variant].push_back(took);
        csv << files << "," << rows.size() << ",\"" << variants[variant] << "\"," << took << "\n";
      }
    }
    results.push_back({files, static_cast<int>(rows.size()), median(times[0]), median(times[1]),
                       median(times[2])});
  }
  // Each way on a fresh tree, laid out and shown, events processed.
  std::vector<double> teardown_times[std::size(teardowns)];
  int teardown_rows = 0;
  if (teardown_files > 0) {
    fs::path location = make_tree(root, teardown_files);
    for (int round = 0; round < rounds; ++round)
      for (std::size_t turn = 0; turn < std::size(teardowns); ++turn) {
        std::size_t way = (turn + round) % std::size(teardowns);
        Window w;
        double ignored;
        auto tree = build_once(w, location, 128, ignored);
        teardown_rows = static_cast<int>(filerow::nodes()->size());
        w.frame->Layout();
        settle();
        teardown_times[way].push_back(seconds([&] { teardowns[way].run(w, *tree); }));
      }
  }
  fs::remove_all(root);

  std::fflush(stdout);
  dup2(saved_stdout, 1);
  std::printf("| files | rows | plain loop (s) | build, shown one by one (s) | build (s) | "
              "build per row (ms) | build / plain loop |\n");
  std::printf("|---|---|---|---|---|---|---|\n");
  for (const Result& r : results)
    std::printf("| %d | %d | %.2f | %.2f | %.2f | %.2f | %.2f |\n", r.files, r.rows, r.floor,
                r.unbatched, r.batched, 1000 * r.batched / r.rows, r.batched / r.floor);
  std::printf("\n| on %d rows, after build | ms | per row (us) |\n|---|---|---|\n", ops.rows);
  auto line = [&](const char* what, double ms) {
    std::printf("| %s | %.1f | %.1f |\n", what, ms, 1000 * ms / ops.rows);
  };
  line("layout of the frame", ops.layout);
  line("collapse of the top folder, with layout", ops.collapse);
  line("expand of the top folder, with layout", ops.expand);
  line("click on the top folder (cascade, climb, repaint)", ops.click);
  line("changes(), a full walk", ops.changes);
  line("teardown: destroy_rows()", ops.teardown);
  if (teardown_files > 0) {
    std::printf("\n| teardown of %d laid-out, shown rows | s |\n|---|---|\n", teardown_rows);
    for (std::size_t way = 0; way < std::size(teardowns); ++way)
      std::printf("| %s | %.2f |\n", teardowns[way].name, median(teardown_times[way]));
  }
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
