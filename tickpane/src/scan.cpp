// The directory scan: the names below the location that match the pattern,
// relative to the location, sorted by byte order.

#include <tickpane/tickpane.h>

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>

namespace tickpane {

std::vector<std::string> Filetree::get_names() {
  const bool folders = config_->folders();
  const bool recursive = config_->recursive();
  std::vector<std::string> names;
  // Folders still to list, as paths relative to the location ("" for itself).
  std::vector<std::string> pending{""};
  while (!pending.empty()) {
    std::string relative = std::move(pending.front());
    pending.erase(pending.begin());
    std::string full = relative.empty() ? location_ : location_ + "/" + relative;
    if (on_progress_) {
      if (progresscnt_ == 0) {
        progress("Processing " + full);
        progresscnt_ = 10;
      }
      --progresscnt_;
    }
    DIR* dir = opendir(full.c_str());
    if (dir == nullptr) continue;
    std::vector<std::string> subfolders;
    while (dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      struct stat info;
      bool is_folder = stat((full + "/" + name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
      struct stat linfo;
      bool is_link = lstat((full + "/" + name).c_str(), &linfo) == 0 && S_ISLNK(linfo.st_mode);
      std::string path = relative.empty() ? name : relative + "/" + name;
      if (is_folder == folders && fnmatch(pattern_.c_str(), name.c_str(), 0) == 0)
        names.push_back(path);
      if (is_folder && !is_link) subfolders.push_back(path);
    }
    closedir(dir);
    if (!recursive) break;
    pending.insert(pending.begin(), subfolders.begin(), subfolders.end());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tickpane
