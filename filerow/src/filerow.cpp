// The row as a data object: construction, parent link, derived values and
// its text form.

#include <filerow/filerow.h>

#include <stdexcept>

#include "display_text.h"

namespace filerow {

namespace {

constexpr char separator = '/';

std::string join_stem(const Filerow::Branch& branch) {
  std::string stem;
  for (std::size_t i = 0; i + 1 < branch.size(); ++i) {
    if (i > 0) stem += separator;
    stem += branch[i];
  }
  return stem;
}

}  // namespace

Filerow::Filerow(Branch branch, Row parent, int indent)
    : branch_(std::move(branch)),
      stem_(join_stem(branch_)),
      parent_(parent),
      indent_(indent) {}

Row Filerow::create(Branch branch, Row parent, int indent, int rownmb) {
  Row row(new Filerow(std::move(branch), std::move(parent), indent));
  if (indent > -1) row->setup_leftside(rownmb);
  return row;
}

Filerow::~Filerow() {
  // Bound handlers point at this row; widgets that outlive it must not call
  // into a dead row.
  if (wxCheckBox* box = checkbox()) {
    box->Unbind(wxEVT_CHECKBOX, &Filerow::handle_checkbox, this);
    while (box->Unbind(wxEVT_RIGHT_DOWN, &Filerow::handle_right_click, this)) {
    }
  }
  if (wxTextCtrl* text = proposed()) {
    text->Unbind(wxEVT_TEXT, &Filerow::handle_proposed_update, this);
    while (text->Unbind(wxEVT_RIGHT_DOWN, &Filerow::handle_right_click, this)) {
    }
  }
}

const std::string& Filerow::name() const {
  if (branch_.empty()) throw std::out_of_range("Filerow.name: the branch is empty");
  return branch_.back();
}

std::string Filerow::newname() const {
  wxTextCtrl* text = proposed();
  if (text == nullptr)
    throw std::logic_error("Filerow.newname: the row has no proposed-name control");
  // A text that still reads as the name or as the proposal made for it
  // stands for their exact bytes, which its display may not hold; an edited
  // one keeps the proposal's bytes where it still reads as the proposal.
  wxString value = text->GetValue();
  if (value.empty()) return name();
  if (value == to_display(proposal_)) return proposal_;
  if (value == to_display(name())) return name();
  return from_display(value, proposal_);
}

void Filerow::update_parent() {
  if (Row up = parent()) up->children_.insert(name(), shared_from_this());
}

std::string Filerow::to_string() const {
  Row up = parent();
  std::vector<std::string> names;
  for (const auto& [child, row] : children_) names.push_back(child);
  return "<Filerow: name: '" + name() + "', parent: " + (up ? up->name() : "Empty") +
         " (" + (up ? std::to_string(up->identity()) : "-") +
         "), indent: " + std::to_string(indent_) +
         "\n    children: " + host::services().andlist(names, "'") + ">";
}

}  // namespace filerow
