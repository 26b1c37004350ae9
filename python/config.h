#pragma once

// The scan settings of a wxPython host: any object with the attributes
// location, pattern, folders and recursive, read afresh at each use.

#include <host/config.h>

#include "gil.h"

#include <optional>
#include <string>

namespace config {

class PythonConfig final : public host::Config {
 public:
  explicit PythonConfig(pybind11::object settings) : settings_(std::move(settings)) {}

  /// The object the host gave. REQUIRES: the GIL.
  pybind11::object settings() const { return settings_.get(); }

  /// A str, bytes or path; TypeError otherwise.
  std::string location() const override;
  /// None, or as location.
  std::optional<std::string> pattern() const override;
  /// Taken by its truth.
  bool folders() const override;
  /// Taken by its truth.
  bool recursive() const override;

 private:
  gil::Held settings_;
};

}  // namespace config
