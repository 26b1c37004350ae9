#pragma once

// The one place where wxPython's objects and wx's C++ objects meet.
//
// Windows, sizers, events, fonts and colours come in as wxPython objects;
// widgets, menus and menu items go out as the wxPython object of that very C++
// object. wxPython keeps one Python object per live C++ object, so a host that
// asks twice for the same widget gets the same object both times. Check-box
// states cross as the plain integers wx.CHK_UNCHECKED, wx.CHK_CHECKED and
// wx.CHK_UNDETERMINED.
//
// REQUIRES: the GIL for everything here, and load() once before.

#include "imports.h"

// wxPython's C API; its sip.h has to come first.
#include <sip.h>
#include <wxpy_api.h>

#include <wx/checkbox.h>
#include <wx/colour.h>
#include <wx/event.h>
#include <wx/font.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/tracker.h>
#include <wx/window.h>

#include <string>
#include <unordered_set>

namespace wxpy {

namespace py = pybind11;

/// Imports wx and takes its C API; ImportError when either fails.
inline void load() {
  imports::module("wx");
  if (wxPyGetAPIPtr() == nullptr) {
    if (PyErr_Occurred()) throw py::error_already_set();
    throw py::import_error("wx: wxPython's C API is not available");
  }
}

/// Raises wxPython's own error when no wx.App exists yet: wx cannot make a
/// widget or menu before one does.
inline void require_app() {
  if (!wxPyCheckForApp(true)) throw py::error_already_set();
}

/// The C++ object of `object`, a wxPython object of class `cpp_class` or of a
/// subclass; null for None and for objects of other classes. Raises
/// wxPython's error for an object whose C++ side is already deleted.
template <typename T>
T* unwrap(py::handle object, const char* cpp_class, bool& matched) {
  matched = true;
  if (object.is_none()) return nullptr;
  void* pointer = nullptr;
  bool converted = wxPyConvertWrappedPtr(object.ptr(), &pointer, cpp_class);
  // A deleted object converts "successfully", with the error set.
  if (PyErr_Occurred()) throw py::error_already_set();
  matched = converted && pointer != nullptr;
  return matched ? static_cast<T*>(pointer) : nullptr;
}

/// As unwrap, with a TypeError naming `what` for an object of another class.
template <typename T>
T* expect(py::handle object, const char* cpp_class, const char* python_class, const char* what) {
  bool matched = false;
  T* pointer = unwrap<T>(object, cpp_class, matched);
  if (!matched)
    throw py::type_error(std::string(what) + " must be a " + python_class + " or None, not " +
                         Py_TYPE(object.ptr())->tp_name);
  return pointer;
}

namespace detail {

// wxPython learns that a C++ object is deleted only for the objects Python
// made. For the others (the rows' widgets, the menus' items) it is told here,
// as sip tells it for its own: the Python object then raises RuntimeError
// ("has been deleted") instead of reaching freed memory, and a new C++ object
// at the same address gets a Python object of its own.
inline void forget(void* address) {
  if (!Py_IsInitialized()) return;
  PyGILState_STATE state = PyGILState_Ensure();
  static const auto* sip = static_cast<const sipAPIDef*>(PyCapsule_Import("wx.siplib._C_API", 0));
  if (sip != nullptr) {
    const sipTypeDef* any = sip->api_find_type("wxObject");
    while (auto* wrapper = reinterpret_cast<sipSimpleWrapper*>(sip->api_get_pyobject(address, any)))
      sip->api_instance_destroyed_ex(&wrapper);
  } else {
    PyErr_Clear();
  }
  PyGILState_Release(state);
}

// The addresses watched so far, each once.
inline std::unordered_set<const void*>& watched() {
  static std::unordered_set<const void*> addresses;
  return addresses;
}

// Forgets the wxPython objects of `address` when `anchor` is destroyed: the
// object itself, or the menu that deletes an item with it.
class Watch final : public wxTrackerNode {
 public:
  explicit Watch(void* address) : address_(address) {}
  void OnObjectDestroy() override {
    watched().erase(address_);
    forget(address_);
    delete this;
  }

 private:
  void* address_;
};

inline void watch(wxObject* object) {
  wxTrackable* anchor = dynamic_cast<wxEvtHandler*>(object);
  if (auto* item = dynamic_cast<wxMenuItem*>(object)) anchor = item->GetMenu();
  if (anchor == nullptr || !watched().insert(object).second) return;
  anchor->AddNode(new Watch(object));
}

}  // namespace detail

/// The wxPython object of `object`, of the most derived class that wxPython
/// knows for it; None for null. C++ keeps the ownership.
inline py::object wrap(wxObject* object) {
  if (object == nullptr) return py::none();
  for (const wxClassInfo* info = object->GetClassInfo(); info != nullptr;
       info = info->GetBaseClass1()) {
    if (PyObject* wrapped = wxPyConstructObject(object, info->GetClassName(), false)) {
      detail::watch(object);
      return py::reinterpret_steal<py::object>(wrapped);
    }
    if (PyErr_Occurred()) throw py::error_already_set();
  }
  throw py::type_error("wxPython knows no class of this wx object");
}

/// The wxPython object of a new `object` of class `cpp_class`, which Python
/// then owns: it is deleted with its last Python reference or its Destroy().
inline py::object adopt(wxObject* object, const char* cpp_class) {
  PyObject* wrapped = wxPyConstructObject(object, cpp_class, true);
  if (wrapped == nullptr) {
    if (PyErr_Occurred()) throw py::error_already_set();
    throw py::type_error(std::string("wxPython knows no class ") + cpp_class);
  }
  return py::reinterpret_steal<py::object>(wrapped);
}

namespace detail {

// `value` as a wx object of `cpp_class`, converted the way wxPython converts
// its own arguments when it is not one already (a colour from a name or a
// tuple, say); TypeError naming `what` otherwise.
template <typename T>
T copy_of(py::handle value, const char* cpp_class, const char* python_class,
          const char* what) {
  bool matched = false;
  T* object = unwrap<T>(value, cpp_class, matched);
  if (object != nullptr) return *object;
  py::object converted;
  try {
    converted = py::module_::import("wx").attr(python_class)(value);
  } catch (py::error_already_set& e) {
    if (!e.matches(PyExc_TypeError) && !e.matches(PyExc_ValueError)) throw;
    throw py::type_error(std::string(what) + " must be a wx." + python_class + ", not " +
                         Py_TYPE(value.ptr())->tp_name);
  }
  object = unwrap<T>(converted, cpp_class, matched);
  if (object == nullptr) throw py::type_error(std::string(what) + " is no wx." + python_class);
  return *object;
}

}  // namespace detail

/// A font given by the host; `what` names it in errors.
inline wxFont font(py::handle value, const char* what) {
  return detail::copy_of<wxFont>(value, "wxFont", "Font", what);
}

/// A colour given by the host: a wx.Colour or anything wx.Colour() takes.
inline wxColour colour(py::handle value, const char* what) {
  return detail::copy_of<wxColour>(value, "wxColour", "Colour", what);
}

}  // namespace wxpy

namespace pybind11::detail {

// Arguments of a wx class: its wxPython objects or None (null); results: the
// wxPython object, or None.
template <typename T>
struct wxpy_caster {
  bool load_as(handle source, const char* cpp_class) {
    bool matched = false;
    value = ::wxpy::unwrap<T>(source, cpp_class, matched);
    return matched;
  }
  static handle cast(T* source, return_value_policy, handle) {
    return ::wxpy::wrap(source).release();
  }
  static handle cast(T& source, return_value_policy policy, handle parent) {
    return cast(&source, policy, parent);
  }
  operator T*() { return value; }
  operator T&() {
    if (value == nullptr) throw reference_cast_error();
    return *value;
  }
  template <typename U>
  using cast_op_type = pybind11::detail::cast_op_type<U>;

 protected:
  T* value = nullptr;
};

#define WXPY_CASTER(Type, python_class)                                         \
  template <>                                                                   \
  struct type_caster<Type> : wxpy_caster<Type> {                                \
    static constexpr auto name = const_name(python_class);                      \
    bool load(handle source, bool) { return load_as(source, #Type); }           \
  };

WXPY_CASTER(wxWindow, "wx.Window")
WXPY_CASTER(wxSizer, "wx.Sizer")
WXPY_CASTER(wxCheckBox, "wx.CheckBox")
WXPY_CASTER(wxTextCtrl, "wx.TextCtrl")
WXPY_CASTER(wxMenu, "wx.Menu")
WXPY_CASTER(wxCommandEvent, "wx.CommandEvent")
WXPY_CASTER(wxMouseEvent, "wx.MouseEvent")

#undef WXPY_CASTER

template <>
struct type_caster<wxCheckBoxState> {
  PYBIND11_TYPE_CASTER(wxCheckBoxState, const_name("int"));

  /// Any int; ValueError unless it is one of the three states.
  bool load(handle source, bool) {
    if (!PyLong_Check(source.ptr())) return false;
    int overflow = 0;
    long state = PyLong_AsLongAndOverflow(source.ptr(), &overflow);
    if (state == -1 && PyErr_Occurred()) throw error_already_set();
    if (overflow != 0 || state < wxCHK_UNCHECKED || state > wxCHK_UNDETERMINED)
      throw value_error("a check-box state is wx.CHK_UNCHECKED, wx.CHK_CHECKED or "
                        "wx.CHK_UNDETERMINED, not " + std::string(repr(source)));
    value = static_cast<wxCheckBoxState>(state);
    return true;
  }

  static handle cast(wxCheckBoxState state, return_value_policy, handle) {
    return PyLong_FromLong(state);
  }
};

}  // namespace pybind11::detail
