#pragma once

// The host's callables as the libraries hold them: transform (a name in, the
// proposed name out) and on_progress (a text in). Each call takes the GIL;
// asked back, the libraries' copy gives the very Python object again.

#include <host/services.h>

#include "gil.h"
#include "names.h"

#include <string>

namespace callables {

namespace py = pybind11;

struct TransformCall {
  gil::Held function;

  std::string operator()(const std::string& name) const {
    gil::Callback call;
    py::object proposed = function.get()(names::to_python(name));
    return names::from_python(proposed, "the name that transform returns");
  }
};

struct ProgressCall {
  gil::Held function;

  void operator()(const std::string& text) const {
    gil::Callback call;
    function.get()(names::to_python(text));
  }
};

namespace detail {

// A false value (None above all) means: no callable, as the libraries test it.
template <typename Call, typename Function>
Function from_python(py::object function, const char* what) {
  if (!py::bool_(function)) return {};
  if (!PyCallable_Check(function.ptr()))
    throw py::type_error(std::string(what) + " must be callable or None, not " +
                         Py_TYPE(function.ptr())->tp_name);
  return Call{gil::Held(std::move(function))};
}

// A function of C++'s own is given as `wrapped`, which converts its names.
template <typename Call, typename Function, typename Wrapped>
py::object to_python(const Function& function, Wrapped wrapped) {
  if (!function) return py::none();
  if (const Call* call = function.template target<Call>()) return call->function.get();
  return py::cpp_function(std::move(wrapped));
}

}  // namespace detail

inline host::Transform transform(py::object function) {
  return detail::from_python<TransformCall, host::Transform>(std::move(function), "transform");
}

inline host::Progress progress(py::object function) {
  return detail::from_python<ProgressCall, host::Progress>(std::move(function), "on_progress");
}

inline py::object to_python(const host::Transform& function) {
  return detail::to_python<TransformCall>(function, [function](const names::Name& name) {
    return names::Name{function(name.bytes)};
  });
}

inline py::object to_python(const host::Progress& function) {
  return detail::to_python<ProgressCall>(
      function, [function](const names::Name& text) { function(text.bytes); });
}

}  // namespace callables
