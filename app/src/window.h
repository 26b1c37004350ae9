#pragma once

// The main window: what to show (folder, pattern, files or folders,
// recursive), the rules that propose new names, the commands, and the two
// panels of the tree side by side in one scrolled area.

#include <wx/frame.h>
#include <wx/timer.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "entrytree.h"
#include "options.h"
#include "renamer.h"
#include "report.h"

class wxButton;
class wxCheckBox;
class wxChoice;
class wxGridBagSizer;
class wxPanel;
class wxScrolledWindow;
class wxSpinCtrl;
class wxStaticText;
class wxTextCtrl;

namespace bulkrename {

class Window : public wxFrame {
 public:
  /// Sets the controls from `options`; shows nothing until rebuild().
  Window(const Options& options, const std::string& folder);
  ~Window() override;

  /// Shows the folder as the controls say: the old tree goes, a new one is
  /// built with the current rules. Progress texts go to the status bar.
  void rebuild();

  /// Proposes names again from the rules as the controls now say, a slice of
  /// rows at a time between looks at input; past a short while the status
  /// bar shows how far it got, beside a Stop button. Returns why the rules
  /// cannot be used (also shown in the status bar), or an empty text.
  std::string apply_rules();

  /// Stops applying rules: every row gets back what it was proposed before.
  void stop_rules();

  /// How long applying rules runs at least between two looks at input (as
  /// long as the toolkit then took to catch up, when that was longer), and
  /// how long it runs in all before it shows its progress and the Stop button.
  void set_pacing(std::chrono::milliseconds slice, std::chrono::milliseconds patience);

  /// Renames the rows the tree offers, after checking them as a batch, and
  /// shows the folder as it now is.
  void rename();

  /// Puts back what the last rename changed, as its journal records it.
  void undo();

  /// Saves a picture of the window as a PNG file; returns why it failed, or
  /// an empty text.
  std::string save_screenshot(const std::string& path) const;

  /// The tree shown; null before the first rebuild().
  Entrytree* tree() const { return tree_.get(); }

  /// With `closing` set, a close hides the window and runs `closing`
  /// instead of destroying the window: for a program that ends then, which
  /// spares it tearing thousands of widgets down one by one.
  void set_closing(std::function<void()> closing) { closing_ = std::move(closing); }

 private:
  wxSizer* make_settings(wxWindow* page, const Options& options);
  wxSizer* make_rules(wxWindow* page, const Rules& rules);
  wxSizer* make_commands(wxWindow* page);
  wxWindow* make_tree_area(wxWindow* page);

  // What the tree area shows: the folder and which of its entries.
  struct Settings {
    std::string folder;
    std::string pattern;
    bool folders = false;
    bool recursive = false;
    bool hidden = false;
    bool operator==(const Settings&) const = default;
  };

  Rules read_rules() const;
  Settings read_settings() const;
  void teardown();
  /// Shows the folder as it is after a rename or an undo: in the rows there
  /// are where they can show it as a new tree would, else in a new tree.
  void show_changes();
  /// Widens every proposed name to the longest and lays out the proposals if
  /// their width changed, or both panels if `rows_changed` (more than the
  /// proposals): true if it laid out.
  bool fit_proposals(bool rows_changed);
  /// Shows or hides Stop, laying out its row only.
  void show_stop(bool shown);
  void show_progress(const std::string& text);
  void show_edited();
  void report(const std::string& text);
  /// Shows `lines`, then the folders the tree could not read.
  void show_report(const std::vector<std::string>& lines);
  /// Shows what a rename or an undo did, in the report and the status bar.
  void show_summary(const Report& report);
  void update_commands();
  void look_for_journal();
  void propose_slice();
  void end_rules(const wxString& status);
  /// Runs a command; an error it throws is shown instead of passed on.
  void guarded(const std::function<void()>& command);

  void on_setting(wxCommandEvent& event);
  void on_rule(wxCommandEvent& event);
  void on_close(wxCloseEvent& event);
  void on_size(wxSizeEvent& event);

  std::string folder_;
  wxTextCtrl* location_ = nullptr;
  wxTextCtrl* pattern_ = nullptr;
  wxCheckBox* folders_ = nullptr;
  wxCheckBox* recursive_ = nullptr;
  wxCheckBox* hidden_ = nullptr;

  wxTextCtrl* find_ = nullptr;
  wxTextCtrl* replace_ = nullptr;
  wxCheckBox* regex_ = nullptr;
  wxCheckBox* match_case_ = nullptr;
  wxChoice* casing_ = nullptr;
  wxTextCtrl* prefix_ = nullptr;
  wxTextCtrl* suffix_ = nullptr;
  wxCheckBox* numbering_ = nullptr;
  wxSpinCtrl* start_ = nullptr;
  wxSpinCtrl* width_ = nullptr;
  wxChoice* number_at_ = nullptr;
  wxCheckBox* keep_extension_ = nullptr;

  wxButton* rename_ = nullptr;
  wxButton* undo_ = nullptr;
  wxButton* stop_ = nullptr;
  bool undoable_ = false;  // a journal had something to put back when last looked at
  wxStaticText* edited_ = nullptr;
  wxTextCtrl* report_ = nullptr;
  std::vector<std::string> said_;  // by the last command

  wxScrolledWindow* scroller_ = nullptr;
  wxPanel* panel1_ = nullptr;
  wxPanel* panel2_ = nullptr;
  wxGridBagSizer* sizer1_ = nullptr;
  wxGridBagSizer* sizer2_ = nullptr;

  std::shared_ptr<const Proposal> proposal_;
  std::unique_ptr<Entrytree> tree_;
  Settings shown_;  // that the tree was built with

  // Rules being applied to the rows, a slice at a time. `former` and
  // `before` are what the rows had before the first of several rules typed
  // in a row, for Stop to give back.
  struct Reproposal {
    std::shared_ptr<const Proposal> proposal;
    std::shared_ptr<const Proposal> former;
    std::vector<std::string> before;  // rows 0, 1, ... as far as reached
    std::size_t next = 0;
    std::chrono::steady_clock::time_point started;
    std::chrono::steady_clock::time_point slice_ended;  // of the slice before, if any
    std::chrono::steady_clock::duration last_slice{};   // how long that slice took
  };
  std::optional<Reproposal> reproposal_;
  bool layout_owed_ = false;  // a layout on_size() put off while rules were applied
  wxTimer slice_timer_;
  std::chrono::milliseconds slice_{40};
  std::chrono::milliseconds patience_{300};

  wxTimer rule_timer_;     // rules apply once typing pauses
  wxTimer setting_timer_;  // so does a new scan
  bool tick_after_build_ = false;
  bool building_ = false;
  bool close_after_build_ = false;
  std::function<void()> closing_;
  std::string progress_;
  int proposal_width_ = 0;  // of every proposed name, as fit_proposals() last set it
  std::chrono::steady_clock::time_point painted_;
};

}  // namespace bulkrename
