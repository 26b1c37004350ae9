#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

// A fresh folder of the test's own under the system's temporary folder,
// removed with everything in it when the object goes, even where the test
// took permissions away.
class TempFolder {
 public:
  /// Throws std::runtime_error when no folder can be made.
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  /// Absolute, without links on the way.
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& relative) const { return path_ / relative; }

  /// Makes a file holding `content`, and the folders on its way.
  void file(const std::string& relative, const std::string& content = "x") const;
  /// Makes a folder, and the folders on its way.
  void folder(const std::string& relative) const;
  std::string read(const std::string& relative) const;
  /// Every entry below, relative and sorted; folders end in "/".
  std::vector<std::string> listing() const;
  /// Gives the folder and everything in it to `user` (and the group of the
  /// same number); throws std::runtime_error when it cannot.
  void give_to(uid_t user) const;

 private:
  std::filesystem::path path_;
};
