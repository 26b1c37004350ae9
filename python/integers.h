#pragma once

// Integers as the libraries take them: 32-bit, checked.

#include <pybind11/pybind11.h>

#include <climits>
#include <stdexcept>
#include <string>

namespace integers {

namespace py = pybind11;

/// `value` as a 32-bit integer: TypeError naming `what` when it is not an
/// int, OverflowError when it is outside the range.
inline int int32(py::handle value, const char* what) {
  if (!PyLong_Check(value.ptr()))
    throw py::type_error(std::string(what) + " must be int, not " + Py_TYPE(value.ptr())->tp_name);
  int overflow = 0;
  long long number = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
  if (number == -1 && PyErr_Occurred()) throw py::error_already_set();
  if (overflow != 0 || number < INT_MIN || number > INT_MAX)
    throw std::overflow_error(std::string(what) + " is outside the 32-bit range: " +
                              std::string(py::repr(value)));
  return static_cast<int>(number);
}

}  // namespace integers
