#pragma once

// The host's modules and names, taken at import as `import module` and
// `from module import name` take them. A missing one fails the import of our
// module with an ImportError of the same text (raised as a C++ error, since
// pybind11 would otherwise replace the text with "initialization failed").

#include "names.h"

#include <string>

namespace imports {

namespace py = pybind11;

/// The module `name`; ImportError when it cannot be found.
inline py::module_ module(const char* name) {
  try {
    return py::module_::import(name);
  } catch (py::error_already_set& e) {
    if (!e.matches(PyExc_ImportError)) throw;
    throw py::import_error(std::string(py::str(e.value())));
  }
}

/// `module.name`; ImportError when the module has no such name.
inline py::object name_from(const py::module_& module, const char* name) {
  if (!py::hasattr(module, name))
    throw py::import_error("cannot import name '" + std::string(name) + "' from '" +
                           std::string(py::str(module.attr("__name__"))) + "'");
  return module.attr(name);
}

}  // namespace imports
