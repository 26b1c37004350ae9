#pragma once

// Names and texts cross between C++ and Python here, and only here.
//
// The libraries keep a name as the file system's bytes. Python sees it as
// os.walk gives it: decoded with the file system encoding, each undecodable
// byte as a lone surrogate (os.fsdecode); it comes back through os.fsencode.
// So every name survives the round trip byte for byte, and a host can hand it
// straight to os.rename. A binding passes each std::string the libraries
// take or give as a Name, or through from_python and to_python, never as a
// plain std::string: pybind11's own conversion of that is strict UTF-8.
//
// C++ errors become the Python exceptions pybind11 would choose, with their
// text decoded leniently, since a message may quote a name that is not UTF-8.

#include <pybind11/pybind11.h>

#include <cstring>
#include <exception>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace names {

/// A name or text as the file system's bytes, crossing as described above.
struct Name {
  std::string bytes;
};

}  // namespace names

namespace pybind11::detail {

template <>
class type_caster<names::Name> {
 public:
  PYBIND11_TYPE_CASTER(names::Name, const_name("str"));

  /// Accepts str (os.fsencode), bytes as they are, and os.PathLike objects.
  /// A str that the file system encoding cannot take raises its
  /// UnicodeEncodeError, as os.fsencode does.
  bool load(handle source, bool) {
    if (!source) return false;
    object path;
    if (!PyUnicode_Check(source.ptr()) && !PyBytes_Check(source.ptr())) {
      if (!PyObject_HasAttrString(source.ptr(), "__fspath__")) return false;
      path = reinterpret_steal<object>(PyOS_FSPath(source.ptr()));
      if (!path) throw error_already_set();
      source = path;
    }
    object bytes = PyBytes_Check(source.ptr())
                       ? reinterpret_borrow<object>(source)
                       : reinterpret_steal<object>(PyUnicode_EncodeFSDefault(source.ptr()));
    if (!bytes) throw error_already_set();
    value.bytes.assign(PyBytes_AS_STRING(bytes.ptr()),
                 static_cast<std::size_t>(PyBytes_GET_SIZE(bytes.ptr())));
    return true;
  }

  static handle cast(const names::Name& name, return_value_policy, handle) {
    PyObject* text = PyUnicode_DecodeFSDefaultAndSize(name.bytes.data(),
                                                      static_cast<Py_ssize_t>(name.bytes.size()));
    if (text == nullptr) throw error_already_set();
    return text;
  }
};

}  // namespace pybind11::detail

namespace names {

namespace py = pybind11;

/// `value` as a name: false when it is not str, bytes or a path; an error
/// from the conversion itself (UnicodeEncodeError) passes on.
inline bool load(py::handle value, std::string& name) {
  py::detail::make_caster<Name> caster;
  if (!caster.load(value, true)) return false;
  name = std::move(py::detail::cast_op<Name&>(caster).bytes);
  return true;
}

/// `value` as a name; TypeError naming `what` when it is not str, bytes or a path.
inline std::string from_python(py::handle value, const char* what) {
  std::string name;
  if (!load(value, name))
    throw py::type_error(std::string(what) + " must be str, not " +
                         Py_TYPE(value.ptr())->tp_name);
  return name;
}

/// `name` as Python sees it: a str.
inline py::object to_python(std::string name) { return py::cast(Name{std::move(name)}); }

/// `names` as Python sees them: a list of str.
inline py::list to_python(const std::vector<std::string>& names) {
  py::list list;
  for (const std::string& name : names) list.append(to_python(name));
  return list;
}

/// Sets the Python error indicator from `error`: a Python error as it was
/// raised, a C++ one as the exception type pybind11 maps it to.
/// REQUIRES: the GIL.
inline void raise_in_python(std::exception_ptr error) {
  auto set = [](PyObject* type, const char* message) {
    py::object text = py::reinterpret_steal<py::object>(
        PyUnicode_DecodeUTF8(message, static_cast<Py_ssize_t>(std::strlen(message)),
                             "backslashreplace"));
    if (!text) return;  // the decoding error is the one left set
    PyErr_SetObject(type, text.ptr());
  };
  try {
    std::rethrow_exception(error);
  } catch (py::error_already_set& e) {
    e.restore();
  } catch (const py::builtin_exception& e) {
    e.set_error();
  } catch (const std::bad_alloc&) {
    PyErr_NoMemory();
  } catch (const std::out_of_range& e) {
    set(PyExc_IndexError, e.what());
  } catch (const std::overflow_error& e) {
    set(PyExc_OverflowError, e.what());
  } catch (const std::invalid_argument& e) {
    set(PyExc_ValueError, e.what());
  } catch (const std::domain_error& e) {
    set(PyExc_ValueError, e.what());
  } catch (const std::length_error& e) {
    set(PyExc_ValueError, e.what());
  } catch (const std::range_error& e) {
    set(PyExc_ValueError, e.what());
  } catch (const std::exception& e) {
    set(PyExc_RuntimeError, e.what());
  } catch (...) {
    set(PyExc_RuntimeError, "unknown C++ error");
  }
}

/// Makes raise_in_python the translation of every C++ error that leaves a
/// function of the module being initialised.
inline void translate_errors() {
  py::register_local_exception_translator(
      [](std::exception_ptr error) { raise_in_python(error); });
}

}  // namespace names
