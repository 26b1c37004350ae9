#pragma once

// Python objects held by C++, and calls across the GIL.
//
// A library operation runs without the GIL, as wxPython's own calls do, so
// that the host's other Python threads go on meanwhile; every call back into
// Python takes the GIL again. wxPython reports a failed wx assertion by leaving
// a Python error pending; it is raised at the next crossing, rather than lost
// or raised later somewhere unrelated.

#include <pybind11/pybind11.h>

#include <memory>
#include <type_traits>
#include <utility>

namespace gil {

namespace py = pybind11;

/// Raises the pending Python error, if any. REQUIRES: the GIL.
inline void raise_pending() {
  if (PyErr_Occurred()) throw py::error_already_set();
}

/// Runs `body` without the GIL, then raises what it left pending.
/// REQUIRES: the GIL.
template <typename Body>
decltype(auto) released(Body&& body) {
  using Result = std::invoke_result_t<Body&>;
  if constexpr (std::is_void_v<Result>) {
    {
      py::gil_scoped_release unlocked;
      body();
    }
    raise_pending();
  } else {
    Result result = [&]() -> Result {
      py::gil_scoped_release unlocked;
      return body();
    }();
    raise_pending();
    return result;
  }
}

/// A binding of `method` that runs it without the GIL.
template <typename Return, typename Class, typename... Args>
auto unlocked(Return (Class::*method)(Args...)) {
  return [method](Class& self, Args... args) -> Return {
    return released([&]() -> Return { return (self.*method)(std::forward<Args>(args)...); });
  };
}

template <typename Return, typename Class, typename... Args>
auto unlocked(Return (Class::*method)(Args...) const) {
  return [method](const Class& self, Args... args) -> Return {
    return released([&]() -> Return { return (self.*method)(std::forward<Args>(args)...); });
  };
}

/// The scope of a call from C++ into Python: holds the GIL, and first raises
/// what the toolkit left pending.
class Callback {
 public:
  Callback() { raise_pending(); }

 private:
  py::gil_scoped_acquire gil_;
};

/// A reference to a Python object that C++ may copy and drop anywhere, with
/// or without the GIL; once the interpreter is gone the reference is left.
class Held {
 public:
  Held() = default;
  explicit Held(py::object object) : ref_(object.release().ptr(), drop) {}

  /// REQUIRES: the GIL.
  py::object get() const { return py::reinterpret_borrow<py::object>(ref_.get()); }
  explicit operator bool() const { return ref_ != nullptr; }

 private:
  static void drop(PyObject* object) {
    if (!Py_IsInitialized()) return;
    PyGILState_STATE state = PyGILState_Ensure();
    Py_DECREF(object);
    PyGILState_Release(state);
  }

  std::shared_ptr<PyObject> ref_;
};

}  // namespace gil
