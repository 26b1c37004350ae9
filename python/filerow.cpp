// The Python module filerow: the rows of the file tree, their registries and
// their context menu, over libfilerow, for a wxPython host.
//
// Importing it binds the host's modules utils, gizmo and skinkit (ImportError
// when one is missing) and installs the host services that forward to them.

#include "names.h"

#include <filerow/filerow.h>
#include <pybind11/stl.h>

#include "callables.h"
#include "context_menu.h"
#include "gil.h"
#include "imports.h"
#include "mappings.h"
#include "services.h"
#include "wxpy.h"

#include <climits>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace {

namespace py = pybind11;
using filerow::Filerow;
using filerow::Row;
using filerow::RowContext;
using gil::unlocked;

int int32(py::handle value, const char* what) {
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

Filerow::Branch branch_from(py::handle branch) {
  if (!PyList_Check(branch.ptr()))
    throw py::type_error(std::string("branch must be a list of str, not ") +
                         Py_TYPE(branch.ptr())->tp_name);
  Filerow::Branch components;
  for (py::handle component : branch)
    components.push_back(names::from_python(component, "each component of branch"));
  return components;
}

Row parent_from(py::handle parent) {
  if (parent.is_none()) return nullptr;
  if (!py::isinstance<Filerow>(parent))
    throw py::type_error(std::string("parent must be a Filerow or None, not ") +
                         Py_TYPE(parent.ptr())->tp_name);
  return parent.cast<Row>();
}

// The module's live values: the registries a Filetree replaces, the running
// width, and the host's theme as skinkit holds it now.
void make_attributes_live(py::module_& m, py::module_ skinkit) {
  using mappings::Registry;
  py::object property = py::module_::import("builtins").attr("property");
  py::dict attributes;
  attributes["__module__"] = m.attr("__name__");
  attributes["nodes"] = property(py::cpp_function([](py::handle) {
    return Registry(filerow::nodes(), Registry::Kind::checkbox);
  }));
  attributes["propnodes"] = property(py::cpp_function([](py::handle) {
    return Registry(filerow::propnodes(), Registry::Kind::proposed);
  }));
  attributes["textwidth"] =
      property(py::cpp_function([](py::handle) { return filerow::textwidth(); }),
               py::cpp_function([](py::handle, py::handle width) {
                 filerow::set_textwidth(int32(width, "textwidth"));
               }));
  attributes["THEME"] = property(py::cpp_function(
      [skinkit = gil::Held(skinkit)](py::handle) { return skinkit.get().attr("THEME"); }));
  py::object module_type = py::module_::import("types").attr("ModuleType");
  py::object type = py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(&PyType_Type));
  m.attr("__class__") = type("module", py::make_tuple(module_type), attributes);
}

// The objects the host set as the shared row context, with the pointer each
// stood for. Read back while the context still holds that pointer, the host
// gets its own object again: one that knows when wx has deleted it, where a
// new one made from the library's bare sizer pointer might reach freed memory.
struct HostObject {
  const void* pointer = nullptr;
  gil::Held object;
};

template <auto member>
HostObject& set_by_host() {
  static HostObject held;
  return held;
}

template <auto member>
py::cpp_function context_getter() {
  return py::cpp_function([](py::handle) -> py::object {
    auto* current = Filerow::context().*member;
    const HostObject& held = set_by_host<member>();
    if (current != nullptr && current == held.pointer) return held.object.get();
    return wxpy::wrap(current);
  });
}

template <auto member>
py::cpp_function context_setter(const char* cpp_class, const char* python_class,
                                const char* what) {
  using Widget = std::remove_pointer_t<std::remove_reference_t<decltype(RowContext{}.*member)>>;
  return py::cpp_function([cpp_class, python_class, what](py::handle, py::object object) {
    Widget* value = wxpy::expect<Widget>(object, cpp_class, python_class, what);
    RowContext shared = Filerow::context();
    shared.*member = value;
    Filerow::set_context(shared);
    set_by_host<member>() = {value, gil::Held(object)};
  });
}

void bind_filerow(py::module_& m) {
  py::class_<Filerow, Row> row(m, "Filerow", "Object to hold details of filetree row");
  row.def(py::init([](py::handle branch, py::handle parent, py::handle indent,
                      py::handle rownmb) {
            Filerow::Branch components = branch_from(branch);
            Row up = parent_from(parent);
            int depth = int32(indent, "indent");
            int line = int32(rownmb, "rownmb");
            return gil::released([&] {
              return Filerow::create(std::move(components), std::move(up), depth, line);
            });
          }),
          py::arg("branch"), py::arg("parent"), py::arg("indent"), py::arg("rownmb"),
          "instantiate the object")
      .def("update_parent", unlocked(&Filerow::update_parent), "add self as child of parent");

  auto setup = [](void (Filerow::*step)(int)) {
    return [step](Filerow& self, py::handle rownmb) {
      int line = int32(rownmb, "rownmb");
      gil::released([&] { (self.*step)(line); });
    };
  };
  row.def("setup", setup(&Filerow::setup), py::arg("rownmb"), "set up the node")
      .def("setup_leftside", setup(&Filerow::setup_leftside), py::arg("rownmb"),
           "set up the node")
      .def("setup_rightside", setup(&Filerow::setup_rightside), py::arg("rownmb"),
           "set up the wideets on the righthadn side")
      .def("__str__", unlocked(&Filerow::to_string), "returun a string representation");

  row.def_property_readonly("branch", &Filerow::branch)
      .def_property_readonly("stem", &Filerow::stem)
      .def_property_readonly("parent", &Filerow::parent)
      .def_property_readonly("indent", &Filerow::indent)
      .def_property("collapsed", &Filerow::collapsed, &Filerow::set_collapsed)
      .def_property("ticked", &Filerow::ticked, &Filerow::set_ticked)
      .def_property_readonly("children",
                             [](const Row& self) { return mappings::Children(self); })
      .def_property_readonly("checkbox",
                             [](const Filerow& self) { return wxpy::wrap(self.checkbox()); })
      .def_property_readonly("tick", [](const Filerow& self) { return wxpy::wrap(self.tick()); })
      .def_property_readonly("proposed",
                             [](const Filerow& self) { return wxpy::wrap(self.proposed()); })
      .def_property_readonly("name", &Filerow::name, "Return the final element of the branch")
      .def_property_readonly("leaf", &Filerow::leaf,
                             "Return true if this is a leaf node (i.e. has no children)")
      .def_property_readonly("newname", unlocked(&Filerow::newname),
                             "the proposed text if not empty, else name");

  row.def_property_static(
         "wxparent1", context_getter<&RowContext::wxparent1>(),
         context_setter<&RowContext::wxparent1>("wxWindow", "wx.Window", "Filerow.wxparent1"))
      .def_property_static(
          "wxparent2", context_getter<&RowContext::wxparent2>(),
          context_setter<&RowContext::wxparent2>("wxWindow", "wx.Window", "Filerow.wxparent2"))
      .def_property_static(
          "sizer1", context_getter<&RowContext::sizer1>(),
          context_setter<&RowContext::sizer1>("wxSizer", "wx.Sizer", "Filerow.sizer1"))
      .def_property_static(
          "sizer2", context_getter<&RowContext::sizer2>(),
          context_setter<&RowContext::sizer2>("wxSizer", "wx.Sizer", "Filerow.sizer2"))
      .def_property_static(
          "transform",
          py::cpp_function(
              [](py::handle) { return callables::to_python(Filerow::context().transform); }),
          py::cpp_function([](py::handle, py::object transform) {
            RowContext shared = Filerow::context();
            shared.transform = callables::transform(std::move(transform));
            Filerow::set_context(shared);
          }));

  row.def("set_right_click", unlocked(&Filerow::set_right_click),
          "set the binding for right click")
      .def("xformat_row", unlocked(&Filerow::xformat_row), "format the row of widgets")
      .def("format_row", unlocked(&Filerow::format_row), "format the row of widgets")
      .def("format_row_leftside", unlocked(&Filerow::format_row_leftside),
           "Format the lefthand pane")
      .def("format_row_rightside", unlocked(&Filerow::format_row_rightside),
           "Format the righthand pane")
      .def("set_checkbox_state", unlocked(&Filerow::set_checkbox_state), py::arg("state"),
           "set this row's check box to state and restyle the row")
      .def("up_check", unlocked(&Filerow::up_check), py::arg("state"),
           "re-derive every ancestor from its children")
      .def("down_check", unlocked(&Filerow::down_check), py::arg("state"),
           "give state to this row and every row beneath it")
      .def("propagate_checkbox_state", unlocked(&Filerow::propagate_checkbox_state),
           py::arg("state"), "up_check, then down_check")
      .def("checkbox_click", unlocked(&Filerow::checkbox_click), py::arg("event"),
           "propagate the clicked check box's new value")
      .def("on_right_click", unlocked(&Filerow::on_right_click), py::arg("event"),
           "on right click")
      .def("on_proposed_update", unlocked(&Filerow::on_proposed_update), py::arg("event"),
           "newname changed")
      .def("unbind", unlocked(&Filerow::unbind),
           "unbind all events for this node (called when tree is being destroyed)")
      .def("collapse", unlocked(&Filerow::collapse), "hide every row below this one")
      .def("expand", unlocked(&Filerow::expand), "show every row below this one");
}

}  // namespace

PYBIND11_MODULE(filerow, m) {
  names::translate_errors();
  // A host reads each operation's __doc__ as its one-line description.
  py::options options;
  options.disable_function_signatures();
  m.attr("__version__") = filerow::version;
  wxpy::load();
  py::module_ utils = imports::module("utils");
  py::module_ gizmo = imports::module("gizmo");
  py::module_ skinkit = imports::module("skinkit");
  imports::name_from(skinkit, "THEME");
  py::object dprint = imports::name_from(utils, "dprint");

  m.attr("os") = py::module_::import("os");
  m.attr("wx") = py::module_::import("wx");
  m.attr("utils") = utils;
  m.attr("gizmo") = gizmo;
  m.attr("debug") = filerow::debug;
  m.attr("dprint") = dprint;
  services::install(utils, gizmo, skinkit);
  make_attributes_live(m, skinkit);

  mappings::bind<mappings::Registry>(m, "Registry",
                                     "A registry: rows by the widgets they made.");
  mappings::bind<mappings::Children>(m, "Children", "The children of a row, by name.");
  context_menu::bind(m);
  bind_filerow(m);
}
