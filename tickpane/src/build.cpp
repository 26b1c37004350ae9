// The build: one row per folder and file on the path of each scanned name,
// made in display order, then finished as leaf or branch.

#include <filerow/hidden_creation.h>
#include <fsname/path.h>
#include <tickpane/tickpane.h>

#include <wx/utils.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

#include "input_contexts.h"
#include "reveal_batch.h"

namespace tickpane {

namespace {

// The head's "" and then the parts of `name`.
std::vector<std::string> split_path(const std::string& name) {
  std::vector<std::string> path{""};
  for (std::string& part : fsname::split(name)) path.push_back(std::move(part));
  return path;
}

// A batch large enough that GTK's restyle of all siblings happens rarely,
// small enough that a long build shows its rows as it goes.
int reveal_batch = 128;

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

RevealBatch::RevealBatch(int rows) : before_(reveal_batch) { reveal_batch = rows; }
RevealBatch::~RevealBatch() { reveal_batch = before_; }

std::pair<Row, Filetree::Branchnodes> Filetree::add_branch(
    const std::string& name, const Branchnodes& branchnodes) {
  std::vector<std::string> path = split_path(name);
  std::size_t i = 0;
  Row current = head_;
  while (i < path.size() && i < branchnodes.size() && path[i] == branchnodes[i]->name())
    current = branchnodes[i++];
  Branchnodes branch(branchnodes.begin(), branchnodes.begin() + i);
  if (i < path.size() && !branch.empty()) {
    if (Row existing = branch.back()->children().find(path[i])) {
      current = existing;
      branch.push_back(existing);
      ++i;
    }
  }
  for (; i < path.size(); ++i) {
    Filerow::Branch rowbranch(path.begin(), path.begin() + i + 1);
    current = Filerow::create(std::move(rowbranch), current, static_cast<int>(i), rownmb_);
    current->update_parent();
    current->format_row_leftside();
    current->setup_rightside(rownmb_);
    branch.push_back(current);
    ++rownmb_;
  }
  return {current, branch};
}

void Filetree::build() {
  // Before any row's entry is realized, for destroy_rows().
  remember_input_contexts();
  rownmb_ = 0;
  nmbleaves_ = 0;
  head_ = Filerow::create({""}, nullptr, -1, rownmb_ - 1);
  progress("Building filetree for " + location_);
  std::vector<std::string> names;
  {
    wxBusyCursor busy;
    Branchnodes branch{head_};
    auto start = std::chrono::steady_clock::now();
    names = get_names();
    double scan_seconds = seconds_since(start);
    start = std::chrono::steady_clock::now();
    {
      const int batch = reveal_batch;
      std::optional<filerow::HiddenCreation> hidden;
      if (batch > 0) hidden.emplace();
      int shown = rownmb_;
      for (const std::string& name : names) {
        progress("Processing " + name);
        auto [row, path] = add_branch(name, branch);
        branch = std::move(path);
        on_add_node(row);
        if (hidden && rownmb_ - shown >= batch) {
          hidden->reveal();
          shown = rownmb_;
        }
      }
    }
    double branch_seconds = seconds_since(start);
    char seconds[64];
    std::snprintf(seconds, sizeof seconds, " ~ get_names: %10.3f, branches elapsed: %10.3f",
                  scan_seconds, branch_seconds);
    host::services().print_line("++++++++++ '" + location_ + "' for " +
                                std::to_string(names.size()) + " " +
                                (config_->folders() ? "folders" : "files") + seconds);
  }
  finish_rows();
  if (on_progress_) {
    std::string what = config_->folders() ? "folders" : "files";
    if (nmbleaves_ != 0)
      progress(std::to_string(nmbleaves_) + " " + what + " found for " + location_);
    else
      progress("No " + what + " found in " + location_);
  }
  on_built();
}

void Filetree::finish_rows() {
  for (const auto& [widget, row] : *filerow::nodes()) {
    wxTextCtrl* proposed = row->proposed();
    if (proposed == nullptr)
      throw std::logic_error("Filetree.build: row '" + row->name() +
                             "' has no proposed-name control");
    if (row->leaf()) {
      row->bind_right_click(*proposed);
      ++nmbleaves_;
    } else {
      row->set_right_click();
      proposed->SetEditable(false);
      row->bind_right_click(*row->checkbox());
    }
    row->format_row_rightside();
  }
}

}  // namespace tickpane
