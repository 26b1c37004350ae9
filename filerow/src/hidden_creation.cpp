#include <filerow/filerow.h>
#include <filerow/hidden_creation.h>

#include <wx/platinfo.h>

#include <algorithm>
#include <deque>
#include <stdexcept>

#include "display_text.h"
#include "row_widgets.h"

namespace filerow {

namespace {

HiddenCreation* current = nullptr;

}  // namespace

// The widgets prepared in one panel, in the order rows will ask for them.
class HiddenCreation::Stock {
 public:
  struct Prepared {
    wxWeakRef<wxWindow> widget;
    wxString label;  // a check box's
    long style;      // a text control's
  };

  ~Stock() { discard(); }

  void add(wxWindow& parent, Prepared prepared) {
    parent_ = &parent;
    items_.push_back(std::move(prepared));
    children_ = parent.GetChildren().GetCount();
  }

  // The next widget when `parent` is its panel, nothing else changed the
  // panel's children and `fits` accepts it; otherwise null, with the rest
  // destroyed so that later widgets come in the order they are made.
  template <typename Fits>
  wxWindow* take(const wxWindow& parent, Fits fits) {
    if (items_.empty()) return nullptr;
    Prepared& next = items_.front();
    if (parent_.get() != &parent || parent.GetChildren().GetCount() != children_ ||
        next.widget == nullptr || !fits(next)) {
      discard();
      return nullptr;
    }
    wxWindow* widget = next.widget;
    items_.pop_front();
    return widget;
  }

  void discard() {
    for (Prepared& item : items_)
      if (item.widget != nullptr) item.widget->Destroy();
    items_.clear();
  }

 private:
  wxWeakRef<wxWindow> parent_;
  std::size_t children_ = 0;  // the panel's, once the last widget was prepared
  std::deque<Prepared> items_;
};

HiddenCreation::HiddenCreation() : left_(new Stock), right_(new Stock) {
  if (current != nullptr) throw std::logic_error("HiddenCreation: one is active already");
  current = this;
}

HiddenCreation::~HiddenCreation() {
  current = nullptr;
  left_->discard();
  right_->discard();
  reveal();
}

HiddenCreation* HiddenCreation::active() { return current; }

bool HiddenCreation::pays() {
  const wxPlatformInfo& toolkit = wxPlatformInfo::Get();
  return toolkit.GetPortId() != wxPORT_GTK || !toolkit.CheckToolkitVersion(3, 24, 39);
}

void HiddenCreation::reveal() {
  for (wxWindow* widget : pending_)
    if (widget != nullptr) widget->Show();
  pending_.clear();
}

void HiddenCreation::prepare(const std::vector<std::string>& names) {
  left_->discard();
  right_->discard();
  RowContext shared = Filerow::context();
  wxWindow* left = shared.wxparent1;
  wxWindow* right = shared.wxparent2;
  // One window for both would get its children in another order.
  if (left == nullptr || right == nullptr || left == right) return;
  // Each row's text controls are as wide as the widest check box so far.
  std::vector<int> widths;
  int width = textwidth();
  for (const std::string& name : names) {
    wxString label = to_label(name);
    wxCheckBox* box = create_checkbox(*left, label, true);
    left_->add(*left, {box, label, 0});
    width = std::max(width, box->GetSize().GetWidth());
    widths.push_back(width);
  }
  for (int row_width : widths)
    for (long style : {tick_style, proposed_style})
      right_->add(*right, {create_text(*right, "", wxSize(row_width, -1), style, true), "", style});
}

wxCheckBox* HiddenCreation::take_checkbox(const wxWindow& parent, const wxString& label) {
  return static_cast<wxCheckBox*>(
      left_->take(parent, [&](const Stock::Prepared& next) { return next.label == label; }));
}

wxTextCtrl* HiddenCreation::take_text(const wxWindow& parent, long style) {
  return static_cast<wxTextCtrl*>(
      right_->take(parent, [&](const Stock::Prepared& next) { return next.style == style; }));
}

}  // namespace filerow
