// Times what a user of bulkrename waits for, in its real window on a virtual
// screen: opening a folder, a change of rules, the bulk commands, renaming
// every file and undoing it, closing; each step ends only once the toolkit
// has nothing left to do, so layout and painting count. Then the teardown
// of the window, which the program skips as it ends but a host pays. Also
// the resident memory the window holds per row once open. For the floor, a
// plain loop makes the same rows' widgets into the same window's tree area.
//
// One series a process, as bench/app.sh runs them: the heap an earlier tree
// leaves behind slows every later one. Each step's end also goes to standard
// error in seconds on the monotonic clock, to cut a profile taken with
// `perf record -k mono` into steps.

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/evtloop.h>
#include <wx/gbsizer.h>
#include <wx/init.h>
#include <wx/panel.h>
#include <wx/scrolwin.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

#include <filerow/filerow.h>
#include <host/services.h>

#include "sample_tree.h"
#include "window.h"

namespace fs = std::filesystem;
using bulkrename::Window;

namespace {

const char* const usage =
    "usage: app_bench tree ROOT FILES        makes FILES files below ROOT, prints the folder\n"
    "       app_bench use LOCATION [rebuild] the window on LOCATION: open, rules, the bulk\n"
    "                                       commands, rename, undo, [a new build,] close,\n"
    "                                       teardown\n"
    "       app_bench plain LOCATION         the plain loop in the same window: the same\n"
    "                                       widgets made, then changed as a change of\n"
    "                                       rules and Tick all change them, close,\n"
    "                                       teardown\n"
    "Prints \"step\",rows,value lines: seconds, or memory.\n";

using Clock = std::chrono::steady_clock;

std::chrono::duration<double> seconds_since(Clock::time_point start) {
  return Clock::now() - start;
}

// Runs the toolkit until it has nothing left to do: events, timers that are
// due, idle handlers, painting.
void settle() {
  for (int quiet = 0; quiet < 3;) {
    wxTheApp->ProcessPendingEvents();
    bool busy = false;
    while (wxTheApp->Pending()) {
      wxTheApp->Dispatch();
      busy = true;
    }
    busy = wxTheApp->ProcessIdle() || busy;
    if (busy) {
      quiet = 0;
    } else {
      ++quiet;
      wxMilliSleep(1);
    }
  }
}

// Runs the toolkit until `done` holds and it is idle.
void settle_until(const std::function<bool()>& done) {
  do settle();
  while (!done());
}

// The process's resident memory now (VmRSS) and at its peak (VmHWM), in KB.
struct Memory {
  long resident = 0, peak = 0;
};

Memory memory() {
  Memory kb;
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) kb.resident = std::atol(line.c_str() + 6);
    if (line.rfind("VmHWM:", 0) == 0) kb.peak = std::atol(line.c_str() + 6);
  }
  return kb;
}

template <typename Control>
Control& control(wxWindow& window, const char* name) {
  auto* found = dynamic_cast<Control*>(wxWindow::FindWindowByName(name, &window));
  if (found == nullptr) throw std::runtime_error(std::string("no control named ") + name);
  return *found;
}

void press(wxWindow& window, const char* name) {
  auto& button = control<wxButton>(window, name);
  wxCommandEvent event(wxEVT_BUTTON, button.GetId());
  event.SetEventObject(&button);
  button.ProcessWindowEvent(event);
}

// The report below the tree must say `expected`, or the figures lie.
void expect_report(wxWindow& window, const char* expected) {
  wxString report = control<wxTextCtrl>(window, "report").GetValue();
  if (report.Find(expected) == wxNOT_FOUND)
    throw std::runtime_error("expected \"" + std::string(expected) +
                             "\", the window says: " + report.utf8_string());
}

class Figures {
 public:
  void set_rows(std::size_t rows) { rows_ = rows; }

  // Times `step`, which ends once the toolkit is idle.
  void time(const char* what, const std::function<void()>& step) {
    auto start = Clock::now();
    step();
    settle();
    add(what, seconds_since(start));
  }

  // The time of a step ended now.
  void add(const char* what, std::chrono::duration<double> took) {
    std::fprintf(stderr, "step \"%s\" ended at %.6f\n", what,
                 std::chrono::duration<double>(Clock::now().time_since_epoch()).count());
    add(what, took.count());
  }

  void add(const char* what, double value) {
    char line[160];
    std::snprintf(line, sizeof line, "\"%s\",%zu,%.4f\n", what, rows_, value);
    text_ += line;
  }

  // Memory once open, and what the rows took: the growth while opening.
  void add_memory(const Memory& before, const Memory& after) {
    add("resident memory (MB)", after.resident / 1024.0);
    add("peak resident memory (MB)", after.peak / 1024.0);
    add("resident memory of the rows (KB a row)",
        static_cast<double>(after.resident - before.resident) / rows_);
  }

  const std::string& text() const { return text_; }

 private:
  std::size_t rows_ = 0;
  std::string text_;
};

// Closes the window as the user of bulkrename does: the window hides and
// the program would end there. Then destroys it, as a host that goes on
// running does, and waits until it is gone.
void close(Window* window, Figures& out) {
  bool closed = false;
  window->set_closing([&] { closed = true; });
  out.time("close", [&] {
    window->Close();
    settle_until([&] { return closed; });
  });
  wxWeakRef<wxWindow> alive(window);
  out.time("teardown of the window", [&] {
    window->Destroy();
    settle_until([&] { return alive.get() == nullptr; });
  });
}

// Opens the window on `location` as the application does and times what the
// user does with it; with `rebuild`, also a new build of the same tree.
void run_window(const fs::path& location, bool rebuild, Figures& out) {
  auto* window = new Window(bulkrename::Options{}, location.string());
  window->Show();
  settle();
  const Memory before = memory();
  const auto start = Clock::now();
  window->rebuild();
  settle();
  const auto open = Clock::now() - start;
  const Memory after = memory();
  out.set_rows(filerow::nodes()->size());
  out.add("open", open);
  auto& casing = control<wxChoice>(*window, "case");
  auto& rename = control<wxButton>(*window, "rename");
  out.time("rule change (to upper case)", [&] {
    casing.SetSelection(static_cast<int>(bulkrename::Casing::upper));
    wxCommandEvent event(wxEVT_CHOICE, casing.GetId());
    event.SetEventObject(&casing);
    casing.ProcessWindowEvent(event);
    settle_until([&] { return rename.IsEnabled(); });
  });
  out.time("Tick all", [&] { press(*window, "tickall"); });
  out.time("Untick all", [&] { press(*window, "untickall"); });
  out.time("Invert (ticks all)", [&] { press(*window, "invert"); });
  out.time("Rename of every file", [&] { press(*window, "rename"); });
  expect_report(*window, "Renamed ");
  out.time("Undo", [&] { press(*window, "undo"); });
  expect_report(*window, "Put back ");
  if (rebuild) out.time("a new build of the same tree", [&] { window->rebuild(); });
  close(window, out);
  out.add_memory(before, after);
}

// The rows build() makes for the folder's files, without making them: each
// name's path past the folders it shares with the name before it.
struct RowShape {
  std::string name;
  int indent;
  bool file;
};

std::vector<RowShape> row_shapes(const fs::path& location) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(location))
    if (!entry.is_directory()) names.push_back(fs::relative(entry.path(), location).string());
  std::sort(names.begin(), names.end());
  std::vector<RowShape> rows;
  std::vector<std::string> before;
  for (const std::string& name : names) {
    std::vector<std::string> path;
    for (const auto& part : fs::path(name)) path.push_back(part.string());
    auto shared = std::mismatch(path.begin(), path.end(), before.begin(), before.end()).first;
    for (auto it = shared; it != path.end(); ++it)
      rows.push_back({*it, static_cast<int>(it - path.begin()) + 1, it + 1 == path.end()});
    before = std::move(path);
  }
  return rows;
}

// The floor: the same widgets, cells, fonts and colours for the same rows as
// bench/build_bench.cpp's plain loop, made into the window's tree area as
// it stands, then laid out.
void run_plain(const fs::path& location, Figures& out) {
  auto* window = new Window(bulkrename::Options{}, location.string());
  window->Show();
  settle();
  auto& scroller = control<wxScrolledWindow>(*window, "tree");
  auto& panel1 = control<wxPanel>(*window, "names");
  auto& panel2 = control<wxPanel>(*window, "proposals");
  auto* sizer1 = dynamic_cast<wxGridBagSizer*>(panel1.GetSizer());
  auto* sizer2 = dynamic_cast<wxGridBagSizer*>(panel2.GetSizer());
  const std::vector<RowShape> rows = row_shapes(location);
  out.set_rows(rows.size());
  const Memory before = memory();
  // Every row's check box and name, and the files' right-hand controls
  // (a change of rules changes only those).
  std::vector<std::pair<wxCheckBox*, wxTextCtrl*>> boxes;
  std::vector<std::pair<wxTextCtrl*, wxTextCtrl*>> files;
  out.time("open", [&] {
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    wxColour back = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    int width = 0;
    int line = 0;
    for (const RowShape& row : rows) {
      auto* cell1 = new wxBoxSizer(wxHORIZONTAL);
      auto* box = new wxCheckBox(&panel1, wxID_ANY, row.name, wxDefaultPosition,
                                 wxDefaultSize, wxCHK_3STATE);
      width = std::max(width, box->GetSize().x);
      cell1->AddSpacer(15 * row.indent);
      cell1->Add(box, 0, wxALL, 0);
      sizer1->Add(cell1, wxGBPosition(line, 0), wxDefaultSpan, 1, 2);
      box->SetFont(font);
      box->SetBackgroundColour(back);

      auto* cell2 = new wxBoxSizer(wxHORIZONTAL);
      auto* tick = new wxTextCtrl(&panel2, wxID_ANY, "  ", wxDefaultPosition,
                                  wxSize(width, -1), wxBORDER_NONE | wxTE_READONLY);
      tick->SetMinSize(wxSize(20, -1));
      auto* text = new wxTextCtrl(&panel2, wxID_ANY, row.name, wxDefaultPosition,
                                  wxSize(width, -1), wxBORDER_NONE);
      cell2->Add(tick, 0, wxALL | wxEXPAND, 0);
      cell2->AddSpacer(15 * row.indent);
      cell2->Add(text, 0, wxALL | wxEXPAND, 0);
      sizer2->Add(cell2, wxGBPosition(line, 1), wxDefaultSpan, wxEXPAND, 2);
      tick->SetFont(font);
      text->SetFont(font);
      text->SetBackgroundColour(back);
      boxes.emplace_back(box, text);
      if (row.file) files.emplace_back(tick, text);
      ++line;
    }
    scroller.GetParent()->Layout();
    scroller.FitInside();
  });
  // Measured as the application's is: once open.
  const Memory after = memory();
  // Each file gets a new name in bold and its tick mark, as the rows do.
  out.time("rule change (to upper case)", [&] {
    const wxFont bold = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold();
    const wxString mark = wxString::FromUTF8(filerow::tick_mark);
    for (auto [tick, text] : files) {
      text->ChangeValue(text->GetValue().Upper());
      tick->ChangeValue(mark);
      text->SetFont(bold);
    }
    settle();
  });
  // Every box ticked, and the row's colour that says so.
  out.time("Tick all", [&] {
    const wxColour selected = host::services().tree_style()->selected_background();
    for (auto [box, text] : boxes) {
      box->Set3StateValue(wxCHK_CHECKED);
      box->SetBackgroundColour(selected);
      text->SetBackgroundColour(selected);
    }
    settle();
  });
  close(window, out);
  out.add_memory(before, after);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  const bool rebuild = argc == 4 && std::string(argv[3]) == "rebuild";
  const bool known = (command == "tree" && argc == 4) ||
                     (command == "use" && (argc == 3 || rebuild)) ||
                     (command == "plain" && argc == 3);
  if (!known) {
    std::fprintf(stderr, "%s", usage);
    return 2;
  }
  if (command == "tree") {
    std::printf("%s\n", bench::write_sample_tree(argv[2], std::atoi(argv[3])).c_str());
    return 0;
  }
  const fs::path location = argv[2];
  if (!fs::is_directory(location)) {
    std::fprintf(stderr, "app_bench: %s is not a folder\n", location.c_str());
    return 2;
  }
  int no_args = 1;
  wxApp::SetInstance(new wxApp);
  wxEntryStart(no_args, argv);
  wxTheApp->CallOnInit();
  // The build's own summary line goes to standard error, out of the figures.
  std::fflush(stdout);
  const int saved_stdout = dup(1);
  dup2(2, 1);
  int status = 0;
  Figures figures;
  {
    wxGUIEventLoop loop;
    wxEventLoopActivator activate(&loop);
    try {
      if (command == "plain")
        run_plain(location, figures);
      else
        run_window(location, rebuild, figures);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "app_bench: %s\n", error.what());
      status = 1;
    }
  }
  std::fflush(stdout);
  dup2(saved_stdout, 1);
  std::printf("%s", figures.text().c_str());
  wxTheApp->OnExit();
  wxEntryCleanup();
  return status;
}
