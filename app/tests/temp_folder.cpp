#include "temp_folder.h"

#include <grp.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::string pattern = "/tmp/bulkrename-test-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
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
  fs::path target = fs::path(path_) / relative;
  fs::create_directories(target.parent_path());
  std::ofstream(target) << content;
}

void TempFolder::folder(const std::string& relative) const {
  fs::create_directories(fs::path(path_) / relative);
}

std::string TempFolder::read(const std::string& relative) const {
  std::ifstream in(fs::path(path_) / relative);
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

std::string as_unprivileged(const std::function<std::string()>& body) {
  int pipe_ends[2];
  if (::pipe(pipe_ends) != 0) return "error: no pipe";
  pid_t child = ::fork();
  if (child < 0) return "error: no fork";
  if (child == 0) {
    ::close(pipe_ends[0]);
    std::string result;
    if (::getuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 ||
                            ::setuid(nobody) != 0 || ::getuid() != nobody)) {
      result = "error: could not become nobody";
    } else {
      try {
        result = body();
      } catch (const std::exception& error) {
        result = std::string("error: ") + error.what();
      }
    }
    std::size_t written = 0;
    while (written < result.size()) {
      ssize_t n = ::write(pipe_ends[1], result.data() + written, result.size() - written);
      if (n <= 0) break;
      written += static_cast<std::size_t>(n);
    }
    ::_exit(0);
  }
  ::close(pipe_ends[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0;) result.append(buffer, n);
  ::close(pipe_ends[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return result;
}
