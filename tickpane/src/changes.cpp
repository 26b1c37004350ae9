#include <tickpane/tickpane.h>

#include <stdexcept>

namespace tickpane {

Changes Filetree::changes() const { return Changes(); }

filerow::Row Changes::next() {
  if (!registry_ && !over_) {
    registry_ = filerow::nodes();
    expected_size_ = registry_->size();
  }
  while (!over_) {
    if (registry_->size() != expected_size_) {
      over_ = true;
      throw std::runtime_error("changes: the row registry changed size during the walk");
    }
    if (position_ == registry_->size()) {
      over_ = true;
      break;
    }
    const filerow::Row& row = registry_->at(position_++).second;
    wxCheckBox* box = row->checkbox();
    if (box == nullptr) {
      over_ = true;
      throw std::runtime_error("changes: row '" + row->name() + "' has no check box");
    }
    if (row->ticked() && box->Get3StateValue() == wxCHK_CHECKED) return row;
  }
  return nullptr;
}

}  // namespace tickpane
