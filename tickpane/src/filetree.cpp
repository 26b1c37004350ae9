// The tree object: settings of one scan, the shared row context, the hooks.

#include <tickpane/tickpane.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace tickpane {

const char* const version = "1.0";

void dprint(const std::string& text) { host::services().dprint(text); }

namespace {

// The absolute, normalised form of a location: relative ones are taken
// against the current directory; "." and empty components dropped, ".."
// folded (above the root it stays at the root), no trailing separator. A
// leading "//" stays, since POSIX leaves its meaning to the system; three or
// more leading separators are one.
std::string absolute_location(const std::string& location) {
  std::string path = location;
  if (path.empty() || path.front() != '/') {
    std::string here = std::filesystem::current_path().string();
    path = path.empty() ? here : here + '/' + path;
  }
  const bool double_root = path.compare(0, 2, "//") == 0 && path.compare(0, 3, "///") != 0;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = std::min(path.find('/', start), path.size());
    std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(std::move(part));
    }
    start = end + 1;
  }
  std::string text = double_root ? "/" : "";
  for (const std::string& part : parts) {
    text += '/';
    text += part;
  }
  if (parts.empty()) text += '/';
  return text;
}

std::string settle_pattern(const host::Config& config) {
  if (std::optional<std::string> pattern = config.pattern()) return *pattern;
  // Windows would take "*.*" for files; everywhere else both modes take "*".
  config.folders();
  return "*";
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
  location_ = absolute_location(config_->location());
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

void Filetree::on_add_node(const Row&) {}

void Filetree::on_built() {}

}  // namespace tickpane
