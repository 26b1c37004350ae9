// Measures Filetree::build() against the floor: a plain loop that creates the
// same widgets and sizers for the same rows without our libraries; our build
// both as shipped (widgets prepared and shown in batches) and showing each
// widget as it is made. On a built tree it also times what else grows with
// the rows: layout, collapse and expand of the top folder, a click on it,
// changes(), and tearing the rows down; and ways of tearing laid-out, shown
// rows down. One measurement a run; bench/build.sh runs them.

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
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "reveal_batch.h"
#include "sample_tree.h"

namespace fs = std::filesystem;

namespace {

const char* const usage =
    "usage: build_bench tree ROOT FILES          makes a tree, prints its location\n"
    "       build_bench time VARIANT LOCATION    VARIANT plain, unbatched or build;\n"
    "                                           prints rows and seconds\n"
    "       build_bench operate LOCATION         prints what,rows,ms for each operation\n"
    "       build_bench teardown WAY LOCATION    WAY 0, 1 or 2; prints way,rows,seconds\n";

using Clock = std::chrono::steady_clock;

double seconds(const std::function<void()>& work) {
  auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
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

// The rows build() makes for the scanned names, without making them: each
// name's path past the folders it shares with the name before it.
std::vector<RowShape> row_shapes(tickpane::Filetree& tree) {
  std::vector<RowShape> rows;
  std::vector<std::string> before{""};
  for (const std::string& name : tree.get_names()) {
    std::vector<std::string> path{""};
    std::size_t start = 0;
    for (std::size_t at; (at = name.find('/', start)) != std::string::npos; start = at + 1)
      path.push_back(name.substr(start, at - start));
    path.push_back(name.substr(start));
    auto shared = std::mismatch(path.begin(), path.end(), before.begin(), before.end()).first;
    for (auto it = shared; it != path.end(); ++it)
      rows.push_back({*it, static_cast<int>(it - path.begin())});
    before = std::move(path);
  }
  return rows;
}

std::unique_ptr<tickpane::Filetree> built(Window& w, const fs::path& location, int batch) {
  auto tree = make_tree(w, location);
  tickpane::RevealBatch batching(batch);
  tree->build();
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

// Each measurement runs in a process of its own: the heap an earlier tree
// leaves behind slows every later one.
int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  bool known = (command == "tree" && argc == 4) || (command == "time" && argc == 4) ||
               (command == "operate" && argc == 3) || (command == "teardown" && argc == 4);
  if (!known) {
    std::fprintf(stderr, "%s", usage);
    return 2;
  }
  if (command == "tree") {
    std::printf("%s\n", bench::write_sample_tree(argv[2], std::atoi(argv[3])).c_str());
    return 0;
  }
  fs::path location = argv[argc - 1];
  if (!fs::is_directory(location)) {
    std::fprintf(stderr, "build_bench: %s is not a folder\n", location.c_str());
    return 2;
  }
  int no_args = 1;
  wxApp::SetInstance(new wxApp);
  wxEntryStart(no_args, argv);
  wxTheApp->CallOnInit();
  wxGUIEventLoop loop;
  wxEventLoopActivator activate(&loop);

  // build()'s own summary line goes to standard error, out of the figures.
  std::fflush(stdout);
  int saved_stdout = dup(1);
  dup2(2, 1);
  std::string figures;
  {
    Window w;
    if (command == "time") {
      std::string variant = argv[2];
      double took = 0;
      std::size_t rows = 0;
      if (variant == "plain") {
        auto tree = make_tree(w, location);
        std::vector<RowShape> shapes = row_shapes(*tree);
        took = seconds([&] { plain_loop(w, shapes); });
        rows = shapes.size();
      } else {
        auto tree = make_tree(w, location);
        tickpane::RevealBatch batching(variant == "unbatched" ? 0 : 128);
        took = seconds([&] { tree->build(); });
        rows = filerow::nodes()->size();
        tree->unbindall();
      }
      figures = std::to_string(rows) + " " + std::to_string(took) + "\n";
    } else if (command == "operate") {
      auto tree = built(w, location, 128);
      Operations ops = operate(w, *tree);
      auto line = [&](const char* what, double ms) {
        figures += "\"" + std::string(what) + "\"," + std::to_string(ops.rows) + "," +
                   std::to_string(ms) + "\n";
      };
      line("layout of the frame", ops.layout);
      line("collapse of the top folder, with layout", ops.collapse);
      line("expand of the top folder, with layout", ops.expand);
      line("click on the top folder (cascade, climb, repaint)", ops.click);
      line("changes(), a full walk", ops.changes);
      line("teardown: destroy_rows()", ops.teardown);
    } else {
      std::size_t way = std::atoi(argv[2]);
      if (way >= std::size(teardowns)) {
        std::fprintf(stderr, "no teardown way %zu\n", way);
        return 2;
      }
      auto tree = built(w, location, 128);
      std::size_t rows = filerow::nodes()->size();
      w.frame->Layout();
      settle();
      double took = seconds([&] { teardowns[way].run(w, *tree); });
      figures = "\"" + std::string(teardowns[way].name) + "\"," + std::to_string(rows) + "," +
                std::to_string(took) + "\n";
    }
  }
  std::fflush(stdout);
  dup2(saved_stdout, 1);
  std::printf("%s", figures.c_str());
  wxTheApp->OnExit();
  wxEntryCleanup();
  return 0;
}
