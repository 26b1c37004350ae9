#pragma once

// One owned file descriptor.

#include <unistd.h>

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
  /// Closes the descriptor held, if any, and takes over `fd`.
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

}  // namespace fsname
