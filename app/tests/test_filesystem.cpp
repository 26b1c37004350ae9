#include "test_filesystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "casing.h"

using namespace bulkrename;

std::string TestFilesystem::spelled(int at, const std::string& name) {
  if (local_.lists(at, name)) return name;
  if (!case_blind) return {};
  int fd = ::openat(at, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* dir = fd < 0 ? nullptr : ::fdopendir(fd);
  if (dir == nullptr) return {};
  std::string found;
  while (dirent* entry = ::readdir(dir))
    if (folded(entry->d_name) == folded(name)) {
      found = entry->d_name;
      break;
    }
  ::closedir(dir);
  return found;
}

Descriptor TestFilesystem::open_folder(int at, const std::string& name) {
  std::string listed = spelled(at, name);
  return local_.open_folder(at, listed.empty() ? name : listed);
}

int TestFilesystem::identify(int at, const std::string& name, Identity& identity) {
  std::string listed = spelled(at, name);
  return local_.identify(at, listed.empty() ? name : listed, identity);
}

int TestFilesystem::rename(int at, const std::string& from, const std::string& to) {
  if (before_rename)
    if (int error = before_rename(++renames_, from, to); error != 0) return error;
  std::string source = spelled(at, from);
  if (source.empty()) return ENOENT;
  // Where case is ignored, any spelling of an existing name is taken, the
  // entry's own included: as a case-insensitive folder's lookup finds it.
  if (!spelled(at, to).empty()) return EEXIST;
  return local_.rename(at, source, to);
}

bool TestFilesystem::lists(int at, const std::string& name) { return local_.lists(at, name); }

Naming TestFilesystem::naming(int at) {
  return case_blind ? Naming::case_blind : local_.naming(at);
}

long TestFilesystem::name_max(int at) { return local_.name_max(at); }
