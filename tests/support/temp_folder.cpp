#include "temp_folder.h"

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "tickpane-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = fs::canonical(pattern);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Undo permission changes a test made, so the folder can go.
  for (auto it = fs::recursive_directory_iterator(
           path_, fs::directory_options::skip_permission_denied, ignored);
       it != fs::recursive_directory_iterator(); it.increment(ignored))
    if (it->is_directory(ignored) && !it->is_symlink(ignored))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

void TempFolder::file(const std::string& relative, const std::string& content) const {
  fs::path target = path_ / relative;
  fs::create_directories(target.parent_path());
  std::ofstream(target) << content;
}

void TempFolder::folder(const std::string& relative) const {
  fs::create_directories(path_ / relative);
}

std::string TempFolder::read(const std::string& relative) const {
  std::ifstream in(path_ / relative);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> TempFolder::listing() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(path_)) {
    std::string name = entry.path().lexically_relative(path_).string();
    if (entry.is_directory() && !entry.is_symlink()) name += "/";
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void TempFolder::give_to(uid_t user) const {
  if (::lchown(path_.c_str(), user, user) != 0) throw std::runtime_error("lchown failed");
  for (const auto& entry : fs::recursive_directory_iterator(path_))
    if (::lchown(entry.path().c_str(), user, user) != 0)
      throw std::runtime_error("lchown failed");
}
