#pragma once

// One owned file descriptor.

#include <errno.h>
#include <unistd.h>

#include <string>
#include <utility>

namespace fsname {

/// Owns an open file descriptor, closing it when destroyed or replaced; -1
/// holds none (as when opening failed, errno then telling why). Move-only.
class Descriptor {
 public:
  /// Takes over `fd`, which may be -1.
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    reset(std::exchange(other.fd_, -1));
    return *this;
  }
  ~Descriptor() { reset(); }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  /// Gives the descriptor up without closing it: the caller keeps it open.
  int release() { return std::exchange(fd_, -1); }
  /// Closes the descriptor held, if any, and takes over `fd`.
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

/// Writes all of `bytes` to `fd`, again after an interruption; false when a
/// write fails (errno then telling why) or writes nothing.
inline bool write_all(int fd, const std::string& bytes) {
  for (std::size_t written = 0; written < bytes.size();) {
    ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace fsname
