#include "window.h"

#include <filerow/display_text.h>
#include <tickpane/grid_bag_sizer.h>
#include <tickpane/teardown.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/dirdlg.h>
#include <wx/evtloop.h>
#include <wx/gbsizer.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/wupdlock.h>

#include <algorithm>
#include <sstream>

#include "journal.h"
#include "report.h"

namespace bulkrename {

namespace {

using namespace std::chrono_literals;

constexpr auto progress_interval = 100ms;
constexpr int pause_ms = 300;
constexpr std::size_t listed_at_most = 40;

wxStaticText* label(wxWindow* parent, const char* text) {
  return new wxStaticText(parent, wxID_ANY, text);
}

// The bytes a text field was made showing, kept with it: what it reads
// back keeps them where the user left the text as it was.
struct ShownBytes : wxClientData {
  explicit ShownBytes(std::string bytes) : bytes(std::move(bytes)) {}
  std::string bytes;
};

// A field for bytes that go into names, shown as the rows show names.
wxTextCtrl* text_field(wxWindow* parent, const char* name, const std::string& value,
                       int width) {
  auto* field = new wxTextCtrl(parent, wxID_ANY, filerow::to_display(value), wxDefaultPosition,
                               wxSize(width, -1), wxTE_PROCESS_ENTER, wxDefaultValidator, name);
  field->SetClientObject(new ShownBytes(value));
  return field;
}

// The bytes a text_field() stands for now.
std::string bytes_of(const wxTextCtrl* field) {
  const auto* shown = static_cast<const ShownBytes*>(field->GetClientObject());
  return filerow::from_display(field->GetValue(), shown->bytes);
}

wxCheckBox* option(wxWindow* parent, const char* name, const char* text, bool value) {
  auto* box = new wxCheckBox(parent, wxID_ANY, text, wxDefaultPosition, wxDefaultSize, 0,
                             wxDefaultValidator, name);
  box->SetValue(value);
  return box;
}

}  // namespace

Window::Window(const Options& options, const std::string& folder)
    : wxFrame(nullptr, wxID_ANY, "Bulk rename", wxDefaultPosition, wxSize(1100, 760)),
      folder_(folder),
      proposal_(std::make_shared<Proposal>(options.rules)),
      tick_after_build_(options.tick_all) {
  auto* page = new wxPanel(this);
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(make_settings(page, options), 0, wxEXPAND | wxALL, 6);
  column->Add(make_rules(page, options.rules), 0, wxEXPAND | wxLEFT | wxRIGHT, 6);
  column->Add(make_commands(page), 0, wxEXPAND | wxALL, 6);
  column->Add(make_tree_area(page), 1, wxEXPAND | wxLEFT | wxRIGHT, 6);
  report_ = new wxTextCtrl(page, wxID_ANY, "", wxDefaultPosition, wxSize(-1, 90),
                           wxTE_MULTILINE | wxTE_READONLY, wxDefaultValidator, "report");
  column->Add(report_, 0, wxEXPAND | wxALL, 6);
  page->SetSizer(column);
  CreateStatusBar();

  rule_timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { guarded([this] { apply_rules(); }); });
  slice_timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { guarded([this] { propose_slice(); }); });
  setting_timer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { guarded([this] { rebuild(); }); });
  Bind(wxEVT_CLOSE_WINDOW, &Window::on_close, this);
  Bind(wxEVT_SIZE, &Window::on_size, this);
  look_for_journal();
  report(
      "Tick the rows to rename (a folder's tick covers everything in it), set the rules or "
      "type names of your own, then Rename. Undo puts back the last rename.");
}

Window::~Window() {
  rule_timer_.Stop();
  slice_timer_.Stop();
  setting_timer_.Stop();
  // The rows' widgets go first, so that no handler outlives the rows.
  teardown();
}

wxSizer* Window::make_settings(wxWindow* page, const Options& options) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  location_ = new wxTextCtrl(page, wxID_ANY, wxString(folder_.c_str(), *wxConvFileName),
                             wxDefaultPosition, wxDefaultSize, wxTE_PROCESS_ENTER,
                             wxDefaultValidator, "folder");
  auto* browse = new wxButton(page, wxID_ANY, "Choose...", wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, "choose");
  pattern_ = text_field(page, "pattern", options.pattern.value_or(""), 110);
  pattern_->SetHint("*");
  folders_ = option(page, "folders", "Folders", options.folders);
  recursive_ = option(page, "recursive", "Recursive", options.recursive);
  hidden_ = option(page, "hidden", "Hidden", options.hidden);
  hidden_->SetToolTip("Show hidden entries too: names starting with \".\" and everything in "
                      "folders so named");
  row->Add(label(page, "Folder:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  row->Add(location_, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  row->Add(browse, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
  row->Add(label(page, "Pattern:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  row->Add(pattern_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
  row->Add(folders_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
  row->Add(recursive_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 12);
  row->Add(hidden_, 0, wxALIGN_CENTER_VERTICAL);

  browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
    wxDirDialog dialog(this, "Choose the folder to show", location_->GetValue(),
                       wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
    if (dialog.ShowModal() != wxID_OK) return;
    location_->ChangeValue(dialog.GetPath());
    guarded([this] { rebuild(); });
  });
  location_->Bind(wxEVT_TEXT_ENTER, &Window::on_setting, this);
  pattern_->Bind(wxEVT_TEXT, &Window::on_setting, this);
  pattern_->Bind(wxEVT_TEXT_ENTER, &Window::on_setting, this);
  folders_->Bind(wxEVT_CHECKBOX, &Window::on_setting, this);
  recursive_->Bind(wxEVT_CHECKBOX, &Window::on_setting, this);
  hidden_->Bind(wxEVT_CHECKBOX, &Window::on_setting, this);
  return row;
}

wxSizer* Window::make_rules(wxWindow* page, const Rules& rules) {
  auto* box = new wxStaticBoxSizer(wxVERTICAL, page, "New names");
  wxWindow* inside = box->GetStaticBox();

  find_ = text_field(inside, "find", rules.find, 160);
  replace_ = text_field(inside, "replace", rules.replace, 160);
  regex_ = option(inside, "regex", "Regular expression", rules.regex);
  match_case_ = option(inside, "matchcase", "Match case", rules.match_case);
  auto* first = new wxBoxSizer(wxHORIZONTAL);
  first->Add(label(inside, "Find:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  first->Add(find_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
  first->Add(label(inside, "Replace with:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  first->Add(replace_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
  first->Add(regex_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
  first->Add(match_case_, 0, wxALIGN_CENTER_VERTICAL);

  const wxString casings[] = {"keep", "lower", "upper", "title"};
  casing_ = new wxChoice(inside, wxID_ANY, wxDefaultPosition, wxDefaultSize, 4, casings, 0,
                         wxDefaultValidator, "case");
  casing_->SetSelection(static_cast<int>(rules.casing));
  prefix_ = text_field(inside, "prefix", rules.prefix, 90);
  suffix_ = text_field(inside, "suffix", rules.suffix, 90);
  keep_extension_ = option(inside, "keepextension", "Keep extension", rules.keep_extension);
  auto* second = new wxBoxSizer(wxHORIZONTAL);
  second->Add(label(inside, "Case:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  second->Add(casing_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
  second->Add(label(inside, "Prefix:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  second->Add(prefix_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
  second->Add(label(inside, "Suffix:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  second->Add(suffix_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
  second->Add(keep_extension_, 0, wxALIGN_CENTER_VERTICAL);

  numbering_ = option(inside, "numbering", "Number", rules.numbering);
  start_ = new wxSpinCtrl(inside, wxID_ANY, "", wxDefaultPosition, wxDefaultSize,
                          wxSP_ARROW_KEYS, 0, 999'999'999,
                          static_cast<int>(std::min(rules.start, 999'999'999L)), "start");
  width_ = new wxSpinCtrl(inside, wxID_ANY, "", wxDefaultPosition, wxDefaultSize,
                          wxSP_ARROW_KEYS, 1, max_width, std::clamp(rules.width, 1, max_width),
                          "width");
  const wxString places[] = {"at the start", "at the end"};
  number_at_ = new wxChoice(inside, wxID_ANY, wxDefaultPosition, wxDefaultSize, 2, places, 0,
                            wxDefaultValidator, "numberat");
  number_at_->SetSelection(static_cast<int>(rules.number_at));
  auto* third = new wxBoxSizer(wxHORIZONTAL);
  third->Add(numbering_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
  third->Add(label(inside, "from"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  third->Add(start_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
  third->Add(label(inside, "digits"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
  third->Add(width_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
  third->Add(number_at_, 0, wxALIGN_CENTER_VERTICAL);

  box->Add(first, 0, wxEXPAND | wxALL, 4);
  box->Add(second, 0, wxEXPAND | wxALL, 4);
  box->Add(third, 0, wxEXPAND | wxALL, 4);

  for (wxTextCtrl* field : {find_, replace_, prefix_, suffix_})
    field->Bind(wxEVT_TEXT, &Window::on_rule, this);
  for (wxCheckBox* field : {regex_, match_case_, keep_extension_, numbering_})
    field->Bind(wxEVT_CHECKBOX, &Window::on_rule, this);
  for (wxChoice* field : {casing_, number_at_}) field->Bind(wxEVT_CHOICE, &Window::on_rule, this);
  for (wxSpinCtrl* field : {start_, width_})
    field->Bind(wxEVT_SPINCTRL, [this](wxSpinEvent&) { rule_timer_.StartOnce(pause_ms); });
  return box;
}

wxSizer* Window::make_commands(wxWindow* page) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  auto button = [&](const char* name, const char* text, std::function<void()> command) {
    auto* made = new wxButton(page, wxID_ANY, text, wxDefaultPosition, wxDefaultSize, 0,
                              wxDefaultValidator, name);
    made->Bind(wxEVT_BUTTON, [this, command](wxCommandEvent&) { guarded(command); });
    row->Add(made, 0, wxRIGHT, 6);
    return made;
  };
  button("tickall", "Tick all", [this] {
    if (tree_) tree_->set_all_checkboxes(wxCHK_CHECKED);
    scroller_->Refresh();
  });
  button("untickall", "Untick all", [this] {
    if (tree_) tree_->set_all_checkboxes(wxCHK_UNCHECKED);
    scroller_->Refresh();
  });
  button("invert", "Invert", [this] {
    if (tree_) tree_->invert_all_selections();
  });
  row->AddSpacer(12);
  rename_ = button("rename", "Rename", [this] { rename(); });
  undo_ = button("undo", "Undo last rename", [this] { undo(); });
  stop_ = button("stoprules", "Stop", [this] { stop_rules(); });
  stop_->SetToolTip("Stop applying the rules; the rows keep the names proposed before");
  stop_->Hide();
  edited_ = new wxStaticText(page, wxID_ANY, "", wxDefaultPosition, wxDefaultSize,
                             wxST_ELLIPSIZE_END, "edited");
  row->Add(edited_, 1, wxALIGN_CENTER_VERTICAL | wxLEFT, 12);
  return row;
}

wxWindow* Window::make_tree_area(wxWindow* page) {
  // One scrolled area holds both panels, so they scroll together and their
  // rows stay side by side.
  scroller_ = new wxScrolledWindow(page, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                   wxVSCROLL | wxHSCROLL | wxBORDER_THEME, "tree");
  scroller_->SetScrollRate(10, 10);
  panel1_ = new wxPanel(scroller_, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                        wxTAB_TRAVERSAL, "names");
  panel2_ = new wxPanel(scroller_, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                        wxTAB_TRAVERSAL, "proposals");
  sizer1_ = new tickpane::GridBagSizer;
  sizer2_ = new tickpane::GridBagSizer;
  panel1_->SetSizer(sizer1_);
  panel2_->SetSizer(sizer2_);
  auto* both = new wxBoxSizer(wxHORIZONTAL);
  both->Add(panel1_, 0, wxEXPAND);
  both->Add(panel2_, 1, wxEXPAND);
  scroller_->SetSizer(both);
  return scroller_;
}

Rules Window::read_rules() const {
  Rules rules;
  rules.find = bytes_of(find_);
  rules.replace = bytes_of(replace_);
  rules.regex = regex_->GetValue();
  rules.match_case = match_case_->GetValue();
  rules.casing = static_cast<Casing>(casing_->GetSelection());
  rules.prefix = bytes_of(prefix_);
  rules.suffix = bytes_of(suffix_);
  rules.numbering = numbering_->GetValue();
  rules.start = start_->GetValue();
  rules.width = width_->GetValue();
  rules.number_at = static_cast<Place>(number_at_->GetSelection());
  rules.keep_extension = keep_extension_->GetValue();
  return rules;
}

Window::Settings Window::read_settings() const {
  Settings settings;
  wxString location = location_->GetValue();
  settings.folder = location.empty() ? folder_ : std::string(location.fn_str());
  settings.pattern = bytes_of(pattern_);
  settings.folders = folders_->GetValue();
  settings.recursive = recursive_->GetValue();
  settings.hidden = hidden_->GetValue();
  return settings;
}

void Window::teardown() {
  if (tree_) tickpane::destroy_rows(*tree_);
  tree_.reset();
}

void Window::rebuild() {
  setting_timer_.Stop();
  if (building_) return;
  building_ = true;
  // The rows go; the new ones get the rules as they are now.
  slice_timer_.Stop();
  if (reproposal_) {
    reproposal_.reset();
    end_rules("");
  }
  {
    // Hidden, the tree area costs the toolkit nothing to lay out while rows
    // are added, which keeps the progress texts cheap to paint.
    wxWindowUpdateLocker frozen(scroller_);
    scroller_->Hide();
    teardown();
    shown_ = read_settings();
    folder_ = shown_.folder;
    const std::string& pattern = shown_.pattern;
    auto config = std::make_shared<host::PlainConfig>(
        folder_, pattern.empty() ? std::nullopt : std::optional<std::string>(pattern),
        shown_.folders, shown_.recursive);
    painted_ = {};
    progress_.clear();
    try {
      tree_ = std::make_unique<Entrytree>(
          panel1_, panel2_, sizer1_, sizer2_, config, proposal_, shown_.hidden,
          [this](const std::string& text) { show_progress(text); });
      tree_->set_on_edit([this] { show_edited(); });
      tree_->build();
      if (tick_after_build_) tree_->set_all_checkboxes(wxCHK_CHECKED);
      tick_after_build_ = false;
    } catch (const std::exception& error) {
      progress_ = "The folder could not be shown: " + std::string(error.what());
      report(progress_);
    }
    show_report(said_);
    SetStatusText("Arranging the rows...");
    GetStatusBar()->Update();
    fit_proposals(true);
    scroller_->Show();
    scroller_->GetParent()->Layout();
    scroller_->Scroll(0, 0);
  }
  SetStatusText(filerow::to_display(progress_));
  SetTitle("Bulk rename - " + wxString(folder_.c_str(), *wxConvFileName));
  building_ = false;
  show_edited();
  update_commands();
  if (close_after_build_) Close();
}

std::string Window::apply_rules() {
  rule_timer_.Stop();
  std::shared_ptr<const Proposal> proposal;
  try {
    proposal = std::make_shared<Proposal>(read_rules());
  } catch (const std::invalid_argument& error) {
    SetStatusText(filerow::to_display(error.what()));
    return error.what();
  }
  proposal_ = proposal;
  if (!tree_ || building_) {
    SetStatusText("");
    return {};
  }
  Reproposal job{proposal, tree_->proposal(), {}, 0, std::chrono::steady_clock::now(), {}};
  if (reproposal_) {
    job.former = reproposal_->former;
    job.before = std::move(reproposal_->before);
  }
  reproposal_ = std::move(job);
  tree_->set_proposal(proposal);
  propose_slice();
  return {};
}

void Window::propose_slice() {
  if (!reproposal_ || !tree_) return;
  Reproposal& job = *reproposal_;
  const std::vector<Row>& entries = tree_->entries();
  // Between two slices the toolkit lays out and paints what the slice
  // changed, at a cost that grows with all the rows there are, not with
  // those changed. A slice as long as that pause keeps the rules at least
  // half the time, however many rows; fixed slices made it quadratic. Each
  // slice also lasts four times the one before, since every pause costs more
  // than the rows it shows: a few pauses in all, and the first rows still
  // show at once. No slice lasts more than a second, so that Stop answers.
  constexpr std::chrono::steady_clock::duration longest = std::chrono::seconds(1);
  const auto now = std::chrono::steady_clock::now();
  std::chrono::steady_clock::duration slice = std::max<std::chrono::steady_clock::duration>(
      slice_, std::min(4 * job.last_slice, longest));
  if (job.slice_ended != std::chrono::steady_clock::time_point{})
    slice = std::max(slice, std::min(now - job.slice_ended, longest));
  const auto until = now + slice;
  try {
    while (job.next < entries.size()) {
      const std::size_t i = job.next++;
      if (i == job.before.size()) job.before.push_back(tree_->proposed(i));
      tree_->show_text(i, job.proposal->propose(entries[i]->name(), static_cast<long>(i)));
      if (std::chrono::steady_clock::now() >= until) break;
    }
  } catch (...) {
    tree_->restyle_shown();
    throw;
  }
  tree_->restyle_shown();
  if (job.next == entries.size()) {
    reproposal_.reset();
    end_rules("");
    return;
  }
  if (std::chrono::steady_clock::now() - job.started >= patience_) {
    SetStatusText(wxString::Format("Applying the rules: %zu of %zu names done. Stop gives back "
                                   "the names proposed before.",
                                   job.next, entries.size()));
    show_stop(true);
  }
  update_commands();
  job.slice_ended = std::chrono::steady_clock::now();
  job.last_slice = job.slice_ended - now;
  slice_timer_.StartOnce(1);
}

void Window::stop_rules() {
  if (!reproposal_) return;
  slice_timer_.Stop();
  Reproposal job = std::move(*reproposal_);
  reproposal_.reset();
  if (tree_) {
    for (std::size_t i = 0; i < job.before.size(); ++i) tree_->show_text(i, job.before[i]);
    tree_->restyle_shown();
    tree_->set_proposal(job.former);
  }
  proposal_ = job.former;
  end_rules("Stopped: the rows show the names proposed before; the rules as typed are not "
            "applied.");
}

void Window::end_rules(const wxString& status) {
  show_stop(false);
  // Only the rows' sizes changed: laid out once, the window need not be again.
  if (!fit_proposals(false) && layout_owed_) SendSizeEvent();
  layout_owed_ = false;
  SetStatusText(status);
  show_edited();
  update_commands();
}

void Window::set_pacing(std::chrono::milliseconds slice, std::chrono::milliseconds patience) {
  slice_ = slice;
  patience_ = patience;
}

void Window::rename() {
  if (!tree_ || building_) return;
  if (rule_timer_.IsRunning()) {
    if (std::string why = apply_rules(); !why.empty()) {
      report("Nothing was renamed: " + why);
      return;
    }
  }
  if (reproposal_) {
    report("Nothing was renamed: the new names are still being proposed. Rename once they "
           "are all shown, or Stop.");
    return;
  }
  std::vector<Entry> batch = tree_->batch();
  if (batch.empty()) {
    report("Nothing to rename: tick the rows whose new name differs from the old one.");
    return;
  }
  Outcome outcome = Renamer(tree_->location(), journal_folder()).rename(batch);
  show_summary(summary(outcome, Action::rename, tree_->location(), listed_at_most));
  if (!outcome.problems.empty()) return;
  look_for_journal();
  show_changes();
}

void Window::undo() {
  if (building_) return;
  std::optional<Journal> journal = Journal::last(journal_folder());
  if (!journal) {
    report("Nothing to put back: the last rename was put back already.");
    look_for_journal();
    return;
  }
  Outcome outcome = journal->undo();
  show_summary(summary(outcome, Action::undo, journal->folder(), listed_at_most));
  journal.reset();
  look_for_journal();
  if (!outcome.done.empty()) show_changes();
}

void Window::show_changes() {
  setting_timer_.Stop();
  if (!tree_ || building_ || read_settings() != shown_) {
    rebuild();
    return;
  }
  slice_timer_.Stop();
  if (reproposal_) {
    reproposal_.reset();
    end_rules("");
  }
  // The scan reports its progress as a build's does; what the status bar
  // says afterwards is what the build said last.
  const std::string said = progress_;
  bool kept = false;
  try {
    kept = tree_->update_in_place();
  } catch (const std::exception&) {
    kept = false;  // a new tree shows the folder as it is, or why it cannot
  }
  progress_ = said;
  if (!kept) {
    rebuild();
    return;
  }
  show_report(said_);
  fit_proposals(true);
  scroller_->Scroll(0, 0);
  SetStatusText(filerow::to_display(progress_));
  show_edited();
  update_commands();
}

std::string Window::save_screenshot(const std::string& path) const {
  wxRect area = GetScreenRect();
  wxBitmap picture(area.GetWidth(), area.GetHeight());
  {
    wxMemoryDC memory(picture);
    wxScreenDC screen;
    if (!memory.Blit(0, 0, area.GetWidth(), area.GetHeight(), &screen, area.GetX(),
                     area.GetY()))
      return "the screen could not be read";
  }
  // The reason is returned, not shown in a dialog that nobody may be there to close.
  wxLogNull quiet;
  if (!picture.ConvertToImage().SaveFile(wxString(path.c_str(), *wxConvFileName),
                                         wxBITMAP_TYPE_PNG))
    return "the picture could not be written to " + path;
  return {};
}

void Window::show_stop(bool shown) {
  if (stop_->IsShown() == shown) return;
  stop_->Show(shown);
  // Its row keeps its height, so the rows below need no layout.
  stop_->GetContainingSizer()->Layout();
}

bool Window::fit_proposals(bool rows_changed) {
  // The rows make their proposed names as wide as the widest name made before
  // them, which cuts longer proposals short: widen them all to the longest.
  int width = filerow::textwidth();
  if (tree_)
    for (const Row& row : tree_->entries())
      if (wxTextCtrl* text = row->proposed())
        width = std::max(width, text->GetTextExtent(text->GetValue()).x + text->GetCharWidth() * 3);
  // Laying out many rows takes long: only what changed.
  if (width == proposal_width_ && !rows_changed) return false;
  proposal_width_ = width;
  for (const auto& [widget, row] : *filerow::nodes())
    if (wxTextCtrl* text = row->proposed())
      text->SetMinSize(wxSize(width, text->GetMinSize().y));
  if (rows_changed) {
    panel1_->InvalidateBestSize();
    panel1_->Layout();
  }
  panel2_->InvalidateBestSize();
  panel2_->Layout();
  scroller_->Layout();
  scroller_->FitInside();
  return true;
}

void Window::show_progress(const std::string& text) {
  progress_ = text;
  auto now = std::chrono::steady_clock::now();
  if (now - painted_ < progress_interval) return;
  painted_ = now;
  SetStatusText(filerow::to_display(text));
  GetStatusBar()->Update();
  // Paint and size events only: input waits until the build is over.
  if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
}

void Window::show_edited() {
  std::vector<std::string> names;
  if (tree_)
    for (std::size_t i = 0; i < tree_->entries().size(); ++i)
      if (tree_->edited(i)) names.push_back(join(Entrytree::path_of(tree_->entries()[i])));
  if (names.empty()) {
    edited_->SetLabel("");
    return;
  }
  std::string text = "Edited by hand (kept when the rules change): ";
  for (std::size_t i = 0; i < names.size(); ++i) text += (i > 0 ? ", " : "") + names[i];
  edited_->SetLabel(filerow::to_display(text));
  edited_->SetToolTip(filerow::to_display(text));
}

void Window::report(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream input(text);
  for (std::string line; std::getline(input, line);) lines.push_back(line);
  show_report(lines);
}

void Window::show_report(const std::vector<std::string>& lines) {
  said_ = lines;
  // Folders left out stay listed below whatever the last command said.
  std::vector<std::string> shown_lines = said_;
  if (tree_) {
    std::vector<std::string> unreadable =
        describe_unreadable(tree_->unreadable(), folder_, listed_at_most);
    shown_lines.insert(shown_lines.end(), unreadable.begin(), unreadable.end());
  }
  // Line by line: a newline inside a name shows as its picture, not a break.
  wxString text;
  for (const std::string& line : shown_lines) text += filerow::to_display(line) + "\n";
  report_->SetValue(text);
}

void Window::show_summary(const Report& report) {
  show_report(report.lines);
  if (!report.status.empty()) SetStatusText(filerow::to_display(report.status));
}

void Window::update_commands() {
  rename_->Enable(!reproposal_);
  undo_->Enable(undoable_);
}

void Window::look_for_journal() {
  try {
    undoable_ = Journal::last(journal_folder()).has_value();
  } catch (const std::exception&) {
    undoable_ = true;  // Undo says what is wrong with the journal
  }
  update_commands();
}

void Window::guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    report(std::string("Error: ") + error.what());
  } catch (...) {
    report("Error: unknown error");
  }
}

void Window::on_setting(wxCommandEvent& event) {
  if (event.GetEventType() == wxEVT_TEXT)
    setting_timer_.StartOnce(pause_ms);
  else
    guarded([this] { rebuild(); });
}

void Window::on_rule(wxCommandEvent& event) {
  if (event.GetEventType() == wxEVT_TEXT)
    rule_timer_.StartOnce(pause_ms);
  else
    guarded([this] { apply_rules(); });
}

void Window::on_size(wxSizeEvent& event) {
  // wxGTK sends a size event down from the frame after every change of a
  // widget's font, to lay everything out again, also when the frame keeps
  // its size. Each slice of rules makes proposed names bold or not, and
  // the layout of thousands of rows after each slice took longer than the
  // slices; the proposed names keep their sizes, and the window lays out
  // once when the rules are done.
  if (reproposal_ && event.GetSize() == GetSize()) {
    layout_owed_ = true;
    return;
  }
  event.Skip();
}

void Window::on_close(wxCloseEvent& event) {
  if (building_ && event.CanVeto()) {
    close_after_build_ = true;
    event.Veto();
    return;
  }
  // Destroying many rows takes a while; the window goes at once.
  Hide();
  if (closing_) {
    closing_();
    return;
  }
  event.Skip();
}

}  // namespace bulkrename
