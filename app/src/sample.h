#pragma once

// The small sample folder that ships with the application, shown when no
// folder is given.

#include <string>

namespace bulkrename {

/// Where the sample folder is: beside the installed program, or else in the
/// source tree it was built from. Throws std::runtime_error when neither is.
std::string sample_folder();

/// A scratch copy of a folder, made in the temporary folder so that the
/// original stays as it ships, and removed with this object.
class Scratch {
 public:
  /// Throws std::filesystem::filesystem_error when the copy fails.
  explicit Scratch(const std::string& original);
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace bulkrename
