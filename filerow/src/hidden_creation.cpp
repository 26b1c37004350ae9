#include <filerow/hidden_creation.h>

#include <stdexcept>

namespace filerow {

namespace {

HiddenCreation* current = nullptr;

}  // namespace

HiddenCreation::HiddenCreation() {
  if (current != nullptr) throw std::logic_error("HiddenCreation: one is active already");
  current = this;
}

HiddenCreation::~HiddenCreation() {
  current = nullptr;
  reveal();
}

HiddenCreation* HiddenCreation::active() { return current; }

void HiddenCreation::reveal() {
  for (wxWindow* widget : pending_)
    if (widget != nullptr) widget->Show();
  pending_.clear();
}

}  // namespace filerow
