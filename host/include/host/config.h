#pragma once

#include <host/export.h>

#include <optional>
#include <string>

namespace host {

/// The settings of one scan, as the host keeps them. The libraries only read
/// them, each time they need a value, so a host may change its answers between
/// uses. Any getter may throw (a missing value, say); the error reaches the
/// caller of the library operation that asked.
class HOST_API Config {
 public:
  virtual ~Config();

  /// The folder to show, absolute or relative to the current directory.
  virtual std::string location() const = 0;
  /// A shell-style wildcard for the names to collect; nullopt lets the tree
  /// choose its default.
  virtual std::optional<std::string> pattern() const = 0;
  /// True: collect folder names; false: file names.
  virtual bool folders() const = 0;
  /// False: only the entries directly in the location.
  virtual bool recursive() const = 0;
};

/// A configuration that simply holds its four values.
class HOST_API PlainConfig final : public Config {
 public:
  explicit PlainConfig(std::string location,
                       std::optional<std::string> pattern = std::nullopt,
                       bool folders = false, bool recursive = true);

  std::string location() const override { return location_; }
  std::optional<std::string> pattern() const override { return pattern_; }
  bool folders() const override { return folders_; }
  bool recursive() const override { return recursive_; }

  void set_location(std::string location) { location_ = std::move(location); }
  void set_pattern(std::optional<std::string> pattern) { pattern_ = std::move(pattern); }
  void set_folders(bool folders) { folders_ = folders; }
  void set_recursive(bool recursive) { recursive_ = recursive; }

 private:
  std::string location_;
  std::optional<std::string> pattern_;
  bool folders_;
  bool recursive_;
};

}  // namespace host
