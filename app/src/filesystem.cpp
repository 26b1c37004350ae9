#include "filesystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif
#ifndef FS_CASEFOLD_FL
#define FS_CASEFOLD_FL 0x40000000
#endif

namespace bulkrename {

namespace {

constexpr int folder_flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

// File systems that ignore case in every folder, by their statfs magic.
constexpr long case_blind_systems[] = {
    0x4d44,      // vfat, msdos
    0x2011BAB0,  // exfat
    0x517B,      // smb
    0xFF534D42,  // cifs
    0xFE534D42,  // smb2
    0x482b,      // hfsplus
};

int identity_of(int at, const char* name, int flags, Identity& identity) {
  struct statx info;
  if (::statx(at, name, flags, STATX_TYPE | STATX_INO | STATX_BTIME, &info) != 0) return errno;
  identity = {makedev(info.stx_dev_major, info.stx_dev_minor), info.stx_ino,
              static_cast<mode_t>(info.stx_mode & S_IFMT), 0};
  if (info.stx_mask & STATX_BTIME)
    identity.born = info.stx_btime.tv_sec * std::int64_t{1'000'000'000} + info.stx_btime.tv_nsec;
  return 0;
}

class Local final : public Filesystem {
 public:
  Descriptor open_folder(int at, const std::string& name) override {
    return Descriptor(::openat(at, name.c_str(), folder_flags | O_NOFOLLOW));
  }

  int identify(int at, const std::string& name, Identity& identity) override {
    return identity_of(at, name.c_str(), AT_SYMLINK_NOFOLLOW, identity);
  }

  int rename(int at, const std::string& from, const std::string& to) override {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 28))
    int result = ::renameat2(at, from.c_str(), at, to.c_str(), RENAME_NOREPLACE);
#else
    int result = static_cast<int>(
        ::syscall(SYS_renameat2, at, from.c_str(), at, to.c_str(), RENAME_NOREPLACE));
#endif
    return result == 0 ? 0 : errno;
  }

  bool lists(int at, const std::string& name) override {
    // A descriptor of its own: reading moves the offset it shares with copies.
    int fd = ::openat(at, ".", folder_flags);
    if (fd < 0) return true;
    DIR* dir = ::fdopendir(fd);
    if (dir == nullptr) {
      ::close(fd);
      return true;
    }
    bool found = false;
    while (dirent* entry = ::readdir(dir))
      if (name == entry->d_name) {
        found = true;
        break;
      }
    ::closedir(dir);
    return found;
  }

  Naming naming(int at) override {
    int flags = 0;
    if (::ioctl(at, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL) != 0)
      return Naming::case_blind;
    struct statfs system;
    if (::fstatfs(at, &system) == 0)
      for (long magic : case_blind_systems)
        if (static_cast<unsigned long>(system.f_type) == static_cast<unsigned long>(magic))
          return Naming::case_blind;
    return Naming::exact;
  }

  long name_max(int at) override {
    long longest = ::fpathconf(at, _PC_NAME_MAX);
    return longest > 0 ? longest : 255;
  }
};

}  // namespace

bool plain_name(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string("/\0", 2)) == std::string::npos;
}

Filesystem::~Filesystem() = default;

Filesystem& Filesystem::local() {
  static Local local;
  return local;
}

int Folders::reach(const Path& path, std::string& why) {
  for (std::size_t depth = 0; depth < path.size(); ++depth) {
    const std::string& name = path[depth];
    const int parent = depth == 0 ? root_ : open_[depth - 1].fd.get();
    if (!plain_name(name)) {
      open_.resize(depth);
      why = "the path holds \"" + name + "\"; only names inside the folder are followed";
      return -1;
    }
    if (depth < open_.size()) {
      Identity now;
      if (open_[depth].name == name && fs_.identify(parent, name, now) == 0 &&
          now == open_[depth].identity)
        continue;
      open_.resize(depth);
    }
    Descriptor next = fs_.open_folder(parent, name);
    Identity identity;
    if (!next.valid() || !identify(next.get(), identity)) {
      int error = errno;
      const std::string shown = join(Path(path.begin(), path.begin() + depth + 1));
      if ((error == ELOOP || error == ENOTDIR) && fs_.identify(parent, name, identity) == 0 &&
          identity.type == S_IFLNK)
        why = "the folder " + shown + " is now a symbolic link, which is not followed";
      else if (error == ENOTDIR)
        why = shown + " is no longer a folder";
      else if (error == ENOENT)
        why = "the folder " + shown + " is no longer there";
      else
        why = "the folder " + shown + " cannot be opened: " + std::strerror(error);
      return -1;
    }
    open_.push_back({name, std::move(next), identity});
  }
  open_.resize(path.size());
  return path.empty() ? root_ : open_.back().fd.get();
}

Descriptor open_folder(const std::string& path) {
  return Descriptor(::open(path.c_str(), folder_flags));
}

bool identify(int fd, Identity& identity) {
  return identity_of(fd, "", AT_EMPTY_PATH, identity) == 0;
}

std::string reason(int error) {
  switch (error) {
    case EEXIST:
    case ENOTEMPTY:
      return "an entry of that name already exists";
    case ENOENT:
      return "it is no longer there";
    case EINVAL:
    case ENOSYS:
      return "this file system cannot rename without the risk of replacing a file";
    default:
      return std::strerror(error);
  }
}

}  // namespace bulkrename
