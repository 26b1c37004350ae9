#include "entrytree.h"

#include <filerow/display_text.h>

#include <limits>
#include <map>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "scan.h"

namespace bulkrename {

namespace {

// What a new row's tick mark shows while its proposal is its name.
const wxString blank_tick = "  ";

constexpr std::size_t no_row = std::numeric_limits<std::size_t>::max();

// A row as Filetree::build() makes it: the row one level up (no_row for the
// head) and the row's path below the location.
struct Made {
  std::size_t parent;
  Path path;
};

// The rows build() makes for `names`, in the order it makes them, as its
// add_branch() does: past the folders a name shares with the name before,
// a row made already under the last of them is found again by name, and
// every other part of the name gets a new row. `entries` gets the row of
// each name.
std::vector<Made> rows_for(const std::vector<std::string>& names,
                           std::vector<std::size_t>& entries) {
  std::vector<Made> made;
  std::map<std::pair<std::size_t, std::string>, std::size_t> child;
  std::vector<std::size_t> branch;  // the rows along the name before
  for (const std::string& name : names) {
    const Path path = split(name);
    std::size_t i = 0;
    while (i < path.size() && i < branch.size() && made[branch[i]].path.back() == path[i]) ++i;
    branch.resize(i);
    std::size_t parent = branch.empty() ? no_row : branch.back();
    if (i < path.size()) {
      if (auto found = child.find({parent, path[i]}); found != child.end()) {
        parent = found->second;
        branch.push_back(parent);
        ++i;
      }
    }
    for (; i < path.size(); ++i) {
      child[{parent, path[i]}] = made.size();
      made.push_back({parent, Path(path.begin(), path.begin() + i + 1)});
      parent = made.size() - 1;
      branch.push_back(parent);
    }
    entries.push_back(branch.empty() ? no_row : branch.back());
  }
  return made;
}

}  // namespace

Entrytree::Entrytree(wxWindow* parent1, wxWindow* parent2, wxSizer* sizer1, wxSizer* sizer2,
                     std::shared_ptr<const host::Config> config,
                     std::shared_ptr<const Proposal> proposal, bool hidden,
                     host::Progress on_progress)
    : Filetree(parent1, parent2, sizer1, sizer2, std::move(config), {},
               std::move(on_progress)),
      proposal_(std::move(proposal)),
      hidden_(hidden) {}

Entrytree::~Entrytree() {
  for (const Row& row : entries_)
    if (wxTextCtrl* control = row->proposed())
      control->Unbind(wxEVT_TEXT, &Entrytree::on_text, this);
}

std::vector<std::string> Entrytree::get_names() {
  std::vector<std::string> names = Filetree::get_names();
  unreadable_ = unreadable_folders(location(), config()->recursive(), hidden_);
  return hidden_ ? names : without_hidden(std::move(names));
}

void Entrytree::on_add_node(const Row& node) {
  wxTextCtrl* control = node->proposed();
  if (control == nullptr)
    throw std::logic_error("Entrytree: row '" + node->name() + "' has no proposed name");
  std::size_t index = entries_.size();
  entries_.push_back(node);
  // Bound after the row's own handler, so it runs first and passes the event on.
  control->Bind(wxEVT_TEXT, &Entrytree::on_text, this);
  propose(index, proposal_->propose(node->name(), static_cast<long>(index)));
}

void Entrytree::show_text(std::size_t index, const std::string& text) {
  if (!edited(index) && set_texts(index, text)) unstyled_.push_back(entries_[index]);
}

void Entrytree::restyle_shown() {
  std::vector<Row> rows = std::move(unstyled_);
  unstyled_.clear();
  for (const Row& row : rows) row->format_row();
}

bool Entrytree::update_in_place() {
  const std::vector<Problem> unreadable = unreadable_;
  std::vector<std::size_t> made_entries;
  const std::vector<Made> made = rows_for(get_names(), made_entries);

  std::vector<Row> rows;
  std::unordered_map<const filerow::Filerow*, std::size_t> row_index;
  for (const auto& [widget, row] : *filerow::nodes()) {
    row_index[row.get()] = rows.size();
    rows.push_back(row);
  }
  auto same_shape = [&] {
    if (made.size() != rows.size() || made_entries.size() != entries_.size()) return false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const Row parent = rows[i]->parent();
      auto at = row_index.find(parent.get());
      if ((at == row_index.end() ? no_row : at->second) != made[i].parent ||
          rows[i]->collapsed() || rows[i]->checkbox() == nullptr ||
          rows[i]->proposed() == nullptr || rows[i]->tick() == nullptr)
        return false;
    }
    for (std::size_t k = 0; k < entries_.size(); ++k)
      if (made_entries[k] != row_index.at(entries_[k].get())) return false;
    return true;
  };
  auto names_fit = [&] {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const std::string& before = rows[i]->name();
      const std::string& after = made[i].path.back();
      if (before == after) continue;
      wxCheckBox* box = rows[i]->checkbox();
      if (box->GetTextExtent(filerow::to_display(before)).y !=
          box->GetTextExtent(filerow::to_display(after)).y)
        return false;
    }
    return true;
  };
  if (!same_shape() || !names_fit()) {
    unreadable_ = unreadable;
    return false;
  }

  std::vector<Row> renamed_in;  // rows whose children's names change, the head among them
  std::unordered_set<const filerow::Filerow*> listed;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    filerow::Filerow::Branch branch{""};
    branch.insert(branch.end(), made[i].path.begin(), made[i].path.end());
    if (branch == row->branch()) continue;
    const bool new_name = branch.back() != row->name();
    row->set_branch(branch);
    // As the row library makes it: the branch's parts before the name, joined.
    row->set_stem(join(Path(branch.begin(), branch.end() - 1)));
    if (!new_name) continue;
    // As the row library labels and measures a new check box.
    wxCheckBox* box = row->checkbox();
    box->SetLabel(filerow::to_label(row->name()));
    filerow::set_textwidth(std::max(filerow::textwidth(), box->GetBestSize().x));
    const Row parent = row->parent();
    if (parent && listed.insert(parent.get()).second) renamed_in.push_back(parent);
  }
  for (const Row& parent : renamed_in) {
    filerow::Filerow::Children children;
    for (const Row& child : parent->child_rows()) children.insert(child->name(), child);
    parent->set_children(std::move(children));
  }
  std::vector<bool> entry(rows.size(), false);
  // Each row is styled once every text is set (see show_text()).
  try {
    for (std::size_t k = 0; k < entries_.size(); ++k) {
      entry[made_entries[k]] = true;
      unstyled_.push_back(entries_[k]);
      show_as_new(entries_[k], proposal_->propose(entries_[k]->name(), static_cast<long>(k)));
    }
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (!entry[i]) {
        unstyled_.push_back(rows[i]);
        show_as_new(rows[i], rows[i]->name());
      }
  } catch (...) {
    restyle_shown();
    throw;
  }
  restyle_shown();
  return true;
}

void Entrytree::show_as_new(const Row& row, const std::string& proposal) {
  wxCheckBox* box = row->checkbox();
  if (box->Get3StateValue() != wxCHK_UNCHECKED) box->Set3StateValue(wxCHK_UNCHECKED);
  row->set_proposal(proposal);
  const wxString text = filerow::to_display(proposal);
  wxTextCtrl* control = row->proposed();
  if (control->GetValue() != text) control->ChangeValue(text);
  // A row is made showing its name beside a blank mark; a proposal that
  // differs is then set as the row's own handler sets it (see propose()).
  const wxString name = filerow::to_display(row->name());
  row->set_ticked(!text.empty() && text != name);
  const wxString mark =
      text == name ? blank_tick : row->ticked() ? wxString::FromUTF8(filerow::tick_mark) : " ";
  if (row->tick()->GetValue() != mark) row->tick()->ChangeValue(mark);
}

void Entrytree::propose(std::size_t index, const std::string& text) {
  if (set_texts(index, text)) entries_[index]->format_row();
}

bool Entrytree::set_texts(std::size_t index, const std::string& text) {
  const Row& row = entries_[index];
  row->set_proposal(text);
  wxString value = filerow::to_display(text);
  wxTextCtrl* control = row->proposed();
  if (control == nullptr || control->GetValue() == value) return false;
  // What the row's own handler does for a new text, but without its repaint
  // of the left panel, which for every row of a tree took most of the time;
  // the window is painted once the rows are done.
  control->ChangeValue(value);
  const bool ticked = !value.empty() && value != filerow::to_display(row->name());
  row->set_ticked(ticked);
  if (wxTextCtrl* mark = row->tick())
    mark->ChangeValue(ticked ? wxString::FromUTF8(filerow::tick_mark) : wxString(" "));
  return true;
}

bool Entrytree::edited(std::size_t index) const {
  const Row& row = entries_.at(index);
  wxTextCtrl* control = row->proposed();
  return control != nullptr && control->GetValue() != filerow::to_display(row->proposal());
}

void Entrytree::on_text(wxCommandEvent& event) {
  event.Skip();
  if (!on_edit_) return;
  host::run_guarded([&] { on_edit_(); });
}

Path Entrytree::path_of(const Row& row) {
  const filerow::Filerow::Branch& branch = row->branch();
  return Path(branch.begin() + (branch.empty() ? 0 : 1), branch.end());
}

std::vector<Entry> Entrytree::batch() {
  std::vector<Entry> entries;
  for (const Row& row : changes()) entries.push_back({path_of(row), row->newname()});
  for (const Row& row : entries_) {
    wxCheckBox* box = row->checkbox();
    wxTextCtrl* control = row->proposed();
    if (box != nullptr && control != nullptr && box->Get3StateValue() == wxCHK_CHECKED &&
        control->GetValue().empty())
      entries.push_back({path_of(row), ""});
  }
  return entries;
}

}  // namespace bulkrename
