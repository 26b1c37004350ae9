#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

// A fresh folder under /tmp, removed with everything in it after the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

  /// Makes a file holding `content`, and the folders on its way.
  void file(const std::string& relative, const std::string& content = "x") const;
  void folder(const std::string& relative) const;
  std::string read(const std::string& relative) const;
  /// Every entry below, relative and sorted; folders end in "/".
  std::vector<std::string> listing() const;
  /// Gives the folder and everything in it to `user`.
  void give_to(uid_t user) const;

 private:
  std::string path_;
};

/// The user and group nobody.
inline constexpr uid_t nobody = 65534;

/// Runs `body` in a child process, as nobody when we are root (root ignores
/// file permissions), and returns the text it returned, or "error: ..." when
/// it threw or the child could not drop its privileges.
std::string as_unprivileged(const std::function<std::string()>& body);
