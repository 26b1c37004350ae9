#include "captured_output.h"

#include <iostream>
#include <stdexcept>

namespace {

// Text still in a stream's buffer belongs to whichever side of the switch
// it was written on.
void flush_streams() {
  std::cout.flush();
  std::clog.flush();
  std::fflush(nullptr);
}

}  // namespace

CapturedOutput::CapturedOutput(int fd) : fd_(fd) {
  flush_streams();
  file_ = std::tmpfile();
  saved_ = ::dup(fd_);
  if (file_ == nullptr || saved_ < 0 || ::dup2(::fileno(file_), fd_) < 0) {
    if (saved_ >= 0) ::close(saved_);
    if (file_ != nullptr) std::fclose(file_);
    throw std::runtime_error("cannot capture file descriptor " + std::to_string(fd_));
  }
}

CapturedOutput::~CapturedOutput() {
  flush_streams();
  ::dup2(saved_, fd_);
  ::close(saved_);
  std::fclose(file_);
}

std::string CapturedOutput::text() const {
  flush_streams();
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::pread(::fileno(file_), buffer, sizeof buffer, text.size())) > 0;)
    text.append(buffer, static_cast<std::size_t>(n));
  return text;
}
