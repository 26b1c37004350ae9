#include "config.h"

#include "names.h"

namespace config {

namespace py = pybind11;

std::string PythonConfig::location() const {
  gil::Callback call;
  return names::from_python(settings_.get().attr("location"), "config.location");
}

std::optional<std::string> PythonConfig::pattern() const {
  gil::Callback call;
  py::object pattern = settings_.get().attr("pattern");
  if (pattern.is_none()) return std::nullopt;
  return names::from_python(pattern, "config.pattern");
}

bool PythonConfig::folders() const {
  gil::Callback call;
  return py::bool_(settings_.get().attr("folders"));
}

bool PythonConfig::recursive() const {
  gil::Callback call;
  return py::bool_(settings_.get().attr("recursive"));
}

}  // namespace config
