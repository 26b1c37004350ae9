#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>

// Captures what the process writes to a file descriptor, standard output by
// default: printf, std::cout and write() alike, from construction until
// destruction, when the descriptor is put back. The text goes to a
// temporary file, not a pipe, so a writer never blocks however much it
// writes. One capture of a descriptor at a time.
class CapturedOutput {
 public:
  /// Throws std::runtime_error when the descriptor cannot be redirected.
  explicit CapturedOutput(int fd = STDOUT_FILENO);
  ~CapturedOutput();
  CapturedOutput(const CapturedOutput&) = delete;
  CapturedOutput& operator=(const CapturedOutput&) = delete;

  /// Everything written so far.
  std::string text() const;

 private:
  int fd_;
  int saved_ = -1;
  std::FILE* file_ = nullptr;
};
