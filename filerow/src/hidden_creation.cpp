#include <filerow/hidden_creation.h>

#include <wx/textctrl.h>

#include <memory>
#include <stdexcept>

#include "held_back.h"
#include "row_widgets.h"

namespace filerow {

namespace {

HeldBack* current = nullptr;

}  // namespace

HiddenCreation::HiddenCreation() {
  if (current != nullptr) throw std::logic_error("HiddenCreation: one is active already");
  held_ = std::make_unique<HeldBack>();
  current = held_.get();
}

HiddenCreation::~HiddenCreation() {
  current = nullptr;
  held_->reveal();
}

void HiddenCreation::reveal() { held_->reveal(); }

HeldBack* HeldBack::active() { return current; }

void HeldBack::reveal() {
  for (RowText* text : held_)
    if (text != nullptr) text->reveal();
  held_.clear();
}

wxTextCtrl* HeldBack::create_text(wxWindow& parent, const wxString& value, const wxSize& size,
                                  long style) {
  auto known = measured_.find(style);
  if (known == measured_.end() || known->second.parent.get() != &parent ||
      known->second.font != parent.GetFont()) {
    wxTextCtrl* text = filerow::create_text(parent, value, size, style);
    measured_[style] = {&parent, parent.GetFont(), text->GetSize(), text->GetBestSize()};
    return text;
  }
  // Given the whole size it would have been made at, wx asks GTK nothing; the
  // control then gets back the minimum size it would have had.
  const Measured& like = known->second;
  auto text = std::make_unique<RowText>(like.best);
  wxSize full(size.x == wxDefaultCoord ? like.made.x : size.x,
              size.y == wxDefaultCoord ? like.made.y : size.y);
  if (!filerow::create(*text, parent, value, full, style))
    throw std::runtime_error("Filerow: the toolkit could not create a widget");
  text->SetMinSize(size);
  held_.emplace_back(text.get());
  return text.release();
}

}  // namespace filerow
