#pragma once

// The main window: what to show (folder, pattern, files or folders,
// recursive), the rules that propose new names, the commands, and the two
// panels of the tree side by side in one scrolled area.

#include <wx/frame.h>
#include <wx/timer.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "entrytree.h"
#include "options.h"
#include "renamer.h"

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

  /// Proposes names again from the rules as the controls now say. Returns
  /// why the rules cannot be used (also shown in the status bar), or an
  /// empty text.
  std::string apply_rules();

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

 private:
  wxSizer* make_settings(wxWindow* page, const Options& options);
  wxSizer* make_rules(wxWindow* page, const Rules& rules);
  wxSizer* make_commands(wxWindow* page);
  wxWindow* make_tree_area(wxWindow* page);

  Rules read_rules() const;
  void teardown();
  void fit_proposals();
  void show_progress(const std::string& text);
  void show_edited();
  void report(const std::string& text);
  /// Shows `lines`, then the folders the tree could not read.
  void show_report(const std::vector<std::string>& lines);
  void update_commands();
  /// Runs a command; an error it throws is shown instead of passed on.
  void guarded(const std::function<void()>& command);

  void on_setting(wxCommandEvent& event);
  void on_rule(wxCommandEvent& event);
  void on_close(wxCloseEvent& event);

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

  wxButton* undo_ = nullptr;
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

  wxTimer rule_timer_;     // rules apply once typing pauses
  wxTimer setting_timer_;  // so does a new scan
  bool tick_after_build_ = false;
  bool building_ = false;
  bool close_after_build_ = false;
  std::string progress_;
  int proposal_width_ = 0;  // of every proposed name, as fit_proposals() last set it
  std::chrono::steady_clock::time_point painted_;
};

}  // namespace bulkrename
