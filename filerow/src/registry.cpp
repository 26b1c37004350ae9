// The row library's process-wide state: registries, running width and the
// context that all rows share.

#include <filerow/filerow.h>

#include <wx/window.h>

namespace filerow {

const char* const version = "1.0";
const char* const tick_mark = " \u221A";

namespace {

struct ModuleState {
  std::shared_ptr<Registry> nodes = std::make_shared<Registry>();
  std::shared_ptr<Registry> propnodes = std::make_shared<Registry>();
  int textwidth = 0;
  wxWeakRef<wxWindow> wxparent1;
  wxWeakRef<wxWindow> wxparent2;
  wxSizer* sizer1 = nullptr;
  wxSizer* sizer2 = nullptr;
  host::Transform transform;
};

ModuleState& state() {
  static ModuleState module;
  return module;
}

}  // namespace

void dprint(const std::string& text) { host::services().dprint(text); }

std::shared_ptr<Registry> nodes() { return state().nodes; }
std::shared_ptr<Registry> propnodes() { return state().propnodes; }

void replace_registries() {
  state().nodes = std::make_shared<Registry>();
  state().propnodes = std::make_shared<Registry>();
}

int textwidth() { return state().textwidth; }
void set_textwidth(int width) { state().textwidth = width; }

RowContext Filerow::context() {
  const ModuleState& s = state();
  return {s.wxparent1.get(), s.wxparent2.get(), s.sizer1, s.sizer2, s.transform};
}

void Filerow::set_context(const RowContext& context) {
  ModuleState& s = state();
  s.wxparent1 = context.wxparent1;
  s.wxparent2 = context.wxparent2;
  s.sizer1 = context.sizer1;
  s.sizer2 = context.sizer2;
  s.transform = context.transform;
}

}  // namespace filerow
