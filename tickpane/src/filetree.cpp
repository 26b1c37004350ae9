// The tree object: settings of one scan, the shared row context, the hooks.

#include <fsname/path.h>
#include <tickpane/scan.h>
#include <tickpane/tickpane.h>

#include <stdexcept>

namespace tickpane {

const char* const version = "1.0";

void dprint(const std::string& text) { host::services().dprint(text); }

namespace {

std::string settle_pattern(const host::Config& config) {
  if (std::optional<std::string> pattern = config.pattern()) return *pattern;
  // Windows would take "*.*" for files; everywhere else both modes take "*".
  config.folders();
  return default_pattern;
}

}  // namespace

Filetree::Filetree(wxWindow* parent1, wxWindow* parent2, wxSizer* sizer1, wxSizer* sizer2,
                   std::shared_ptr<const host::Config> config, host::Transform transform,
                   host::Progress on_progress)
    : wxparent1_(parent1),
      wxparent2_(parent2),
      sizer1_(sizer1),
      sizer2_(sizer2),
      config_(std::move(config)),
      on_progress_(std::move(on_progress)) {
  if (!config_) throw std::invalid_argument("Filetree: no configuration given");
  location_ = fsname::absolute_path(config_->location());
  pattern_ = settle_pattern(*config_);
  filerow::replace_registries();
  filerow::Filerow::set_context({parent1, parent2, sizer1, sizer2, std::move(transform)});
}

Filetree::~Filetree() = default;

void Filetree::set_config(std::shared_ptr<const host::Config> config) {
  if (!config) throw std::invalid_argument("Filetree: no configuration given");
  config_ = std::move(config);
}

void Filetree::progress(const std::string& text) const {
  if (on_progress_) on_progress_(text);
}

std::vector<std::string> Filetree::get_names() {
  const ScanOptions options{config_->folders(), config_->recursive()};
  // on_progress may clear itself midway, which stops the count; nothing else
  // runs during the scan that could set it.
  FolderListed count_down;
  if (on_progress_)
    count_down = [this](const std::string& folder) {
      if (!on_progress_) return;
      if (progresscnt_ == 0) {
        progress("Processing " + folder);
        progresscnt_ = 10;
      }
      --progresscnt_;
    };
  return scan(location_, pattern_, options, count_down);
}

void Filetree::on_add_node(const Row&) {}

void Filetree::on_built() {}

}  // namespace tickpane
