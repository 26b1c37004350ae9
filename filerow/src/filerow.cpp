// The row as a data object: construction, parent link, derived values and
// its text form.

#include <filerow/display_text.h>
#include <filerow/filerow.h>
#include <fsname/path.h>

#include <stdexcept>

namespace filerow {

namespace {

// The path of the folder the row's entry is in: its branch but the last part.
std::string join_stem(const Filerow::Branch& branch) {
  if (branch.empty()) return {};
  return fsname::join(Filerow::Branch(branch.begin(), branch.end() - 1));
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
  // into a dead row, whether or not the row still names them.
  for (wxWindow* widget : bound_) {
    if (widget == nullptr) continue;
    while (widget->Unbind(wxEVT_CHECKBOX, &Filerow::handle_checkbox, this)) {
    }
    while (widget->Unbind(wxEVT_TEXT, &Filerow::handle_proposed_update, this)) {
    }
    while (widget->Unbind(wxEVT_RIGHT_DOWN, &Filerow::handle_right_click, this)) {
    }
  }
}

void Filerow::bound_to(wxWindow* widget) {
  for (wxWindow* known : bound_)
    if (known == widget) return;
  bound_.emplace_back(widget);
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
  if (Row up = parent()) up->set_child(name(), shared_from_this());
}

void Filerow::set_parent(const Row& parent) {
  for (const Filerow* up = parent.get(); up != nullptr; up = up->parent().get())
    if (up == this)
      throw std::invalid_argument("Filerow.parent: the row '" +
                                  (branch_.empty() ? "" : branch_.back()) +
                                  "' would be its own ancestor");
  parent_ = parent;
}

std::vector<Row> Filerow::child_rows() const {
  std::vector<Row> rows;
  rows.reserve(children_.size());
  for (const auto& [name, child] : children_) rows.push_back(child);
  return rows;
}

bool Filerow::holds(const Filerow& row) const {
  if (&row == this) return true;
  for (const auto& [name, child] : children_)
    if (child->holds(row)) return true;
  return false;
}

void Filerow::set_children(Children children) {
  for (const auto& [name, child] : children)
    if (child == nullptr || child->holds(*this))
      throw std::invalid_argument("Filerow.children: '" + name + "' is " +
                                  (child ? "this row or holds it" : "no row"));
  children_ = std::move(children);
}

void Filerow::set_child(const std::string& name, Row child) {
  if (child == nullptr || child->holds(*this))
    throw std::invalid_argument("Filerow.children: '" + name + "' is " +
                                (child ? "this row or holds it" : "no row"));
  children_.insert(name, std::move(child));
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
