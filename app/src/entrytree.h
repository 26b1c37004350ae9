#pragma once

// The file tree of the application: a Filetree that shows what the scan
// found but hidden entries (unless asked for), proposes a new name for each
// entry shown (the matching files, or folders), never for the folders that
// only hold them, and tells which proposals the user has overtyped by hand.

#include <tickpane/tickpane.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "proposal.h"
#include "renamer.h"

namespace bulkrename {

using filerow::Row;

class Entrytree : public tickpane::Filetree {
 public:
  /// As a Filetree. Rows show their own names; each entry gets its proposal
  /// from `proposal` as the build adds it. `hidden`: show hidden entries too.
  /// REQUIRES: `proposal` is not null.
  Entrytree(wxWindow* parent1, wxWindow* parent2, wxSizer* sizer1, wxSizer* sizer2,
            std::shared_ptr<const host::Config> config,
            std::shared_ptr<const Proposal> proposal, bool hidden,
            host::Progress on_progress);
  ~Entrytree() override;

  /// The rows of the scanned entries, in display order.
  const std::vector<Row>& entries() const { return entries_; }

  /// The folders the last scan could not read, so left out (scan.h).
  const std::vector<Problem>& unreadable() const { return unreadable_; }

  /// The scan's names, hidden ones left out unless shown; notes the folders
  /// it could not read.
  std::vector<std::string> get_names() override;

  /// The proposal that entries get as the build adds them.
  const std::shared_ptr<const Proposal>& proposal() const { return proposal_; }
  /// REQUIRES: `proposal` is not null.
  void set_proposal(std::shared_ptr<const Proposal> proposal) { proposal_ = std::move(proposal); }

  /// What was last proposed for the entry at `index`.
  const std::string& proposed(std::size_t index) const { return entries_.at(index)->proposal(); }
  /// Proposes `text` for the entry at `index`, unless the user has typed a
  /// name of their own there; its check box is left as it is. The row's
  /// styling (fonts, colours, bold name) waits for restyle_shown(), which
  /// must follow before the event loop runs again: GTK goes over every widget
  /// of a panel at the first text set after any widget's styling there
  /// changed, so rows styled one by one as their texts are set cost time in
  /// the rows squared.
  void show_text(std::size_t index, const std::string& text);
  /// Styles the rows shown since the last call whose styling waits.
  void restyle_shown();

  /// Whether the proposed name of the entry at `index` is one the user typed.
  bool edited(std::size_t index) const;

  /// `on_edit` runs after each change the user makes to a proposed name.
  void set_on_edit(std::function<void()> on_edit) { on_edit_ = std::move(on_edit); }

  /// The rows to rename, from changes(), with their paths and new names (the
  /// exact bytes proposed where a row shows its proposal); then the ticked
  /// entries whose proposed name is empty, for the check to refuse.
  std::vector<Entry> batch();

  /// A row's path below the location.
  static Path path_of(const Row& row);

  /// Shows the folder as it is now, after renames, in the rows there are,
  /// when that shows exactly what a new build with the same settings and
  /// proposal would: the scan's names make rows of the same shape (the same
  /// folders and entries at the same places), no row is folded, and each
  /// name that changes keeps its label as tall as before. Then each row
  /// takes the name a build would give it, a new
  /// row's state (unticked, nothing typed by hand) and its proposal, and
  /// true is returned; otherwise false, with the rows left as they were.
  /// The window lays the rows out again either way.
  bool update_in_place();

  void on_add_node(const Row& node) override;

 private:
  void propose(std::size_t index, const std::string& text);
  /// The proposal's part of propose() but the styling: its text and tick mark.
  /// Returns whether the text changed, and so the row's styling must follow.
  bool set_texts(std::size_t index, const std::string& text);
  /// Gives `row` the proposal, text and tick mark a new row proposing
  /// `proposal` has; its styling is left to the caller (see show_text()).
  void show_as_new(const Row& row, const std::string& proposal);
  void on_text(wxCommandEvent& event);

  std::shared_ptr<const Proposal> proposal_;
  bool hidden_;
  std::vector<Problem> unreadable_;
  std::vector<Row> entries_;
  std::vector<Row> unstyled_;  // shown, their styling waiting for restyle_shown()
  std::function<void()> on_edit_;
};

}  // namespace bulkrename
