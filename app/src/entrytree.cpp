#include "entrytree.h"

#include <stdexcept>

#include "display.h"
#include "scan.h"

namespace bulkrename {

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
  proposed_.emplace_back();
  index_[control] = index;
  // Bound after the row's own handler, so it runs first and passes the event on.
  control->Bind(wxEVT_TEXT, &Entrytree::on_text, this);
  propose(index, proposal_->propose(node->name(), static_cast<long>(index)));
}

void Entrytree::show_proposal(std::size_t index, const std::string& text) {
  if (!edited(index)) propose(index, text);
}

void Entrytree::propose(std::size_t index, const std::string& text) {
  proposed_[index] = text;
  const Row& row = entries_[index];
  wxString value = shown(text);
  wxTextCtrl* control = row->proposed();
  if (control == nullptr || control->GetValue() == value) return;
  // What the row's own handler does for a new text, but without its repaint
  // of the left panel, which for every row of a tree took most of the time;
  // the window is painted once the rows are done.
  control->ChangeValue(value);
  const bool ticked = !value.empty() && value != shown(row->name());
  row->set_ticked(ticked);
  if (wxTextCtrl* mark = row->tick())
    mark->SetValue(ticked ? wxString::FromUTF8(filerow::tick_mark) : wxString(" "));
  row->format_row();
}

bool Entrytree::edited(std::size_t index) const {
  wxTextCtrl* control = entries_.at(index)->proposed();
  return control != nullptr && control->GetValue() != shown(proposed_[index]);
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
  for (const Row& row : changes()) {
    Entry entry{path_of(row), row->newname()};
    auto at = index_.find(row->proposed());
    if (at != index_.end() && !edited(at->second)) entry.newname = proposed_[at->second];
    entries.push_back(std::move(entry));
  }
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
