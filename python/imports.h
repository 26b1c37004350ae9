#pragma once

// The host's modules and names, taken at import as `from module import name`
// takes them, with the same ImportError when one is missing.

#include "names.h"

#include <string>

namespace imports {

namespace py = pybind11;

/// `module.name`; ImportError when the module or the name is missing.
inline py::object name_from(const py::module_& module, const char* name) {
  if (!py::hasattr(module, name)) {
    std::string module_name = py::str(module.attr("__name__"));
    PyErr_SetString(PyExc_ImportError, ("cannot import name '" + std::string(name) +
                                        "' from '" + module_name + "'")
                                           .c_str());
    throw py::error_already_set();
  }
  return module.attr(name);
}

}  // namespace imports
