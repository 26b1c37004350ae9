// The Python module filerow: the rows of the file tree, their registries and
// their context menu, over libfilerow, for a wxPython host.
//
// Importing it binds the host's modules utils, gizmo and skinkit (ImportError
// when one is missing) and installs the host services that forward to them.
// Every field of a row can be set; rows keep the host's own attributes.

#include <filerow/filerow.h>
#include <pybind11/stl.h>

#include "callables.h"
#include "context_menu.h"
#include "gil.h"
#include "imports.h"
#include "integers.h"
#include "mappings.h"
#include "names.h"
#include "services.h"
#include "wxpy.h"

#include <any>
#include <string>
#include <type_traits>

namespace {

namespace py = pybind11;
using filerow::Filerow;
using filerow::Row;
using filerow::RowContext;
using gil::unlocked;
using integers::int32;

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

// The attributes a host sets on a row that are none of its own. They are
// kept with the row, not with its Python object, which is made afresh when a
// row crosses again after the last one was dropped.
py::dict host_attributes(Filerow& row) {
  std::any& data = row.host_data();
  if (auto* held = std::any_cast<gil::Held>(&data)) return held->get();
  py::dict attributes;
  data = gil::Held(attributes);
  return attributes;
}

// Whether `name` is one of the row class's own (a field, an operation), as
// attribute lookup finds them: in the class or a base, not its metaclass.
bool own_attribute(py::handle self, py::handle name) {
  for (py::handle cls : py::type::of(self).attr("__mro__"))
    if (cls.attr("__dict__").contains(name)) return true;
  return false;
}

void store_attribute(py::handle self, py::str name, PyObject* value) {
  if (own_attribute(self, name)) {
    if (PyObject_GenericSetAttr(self.ptr(), name.ptr(), value) != 0) throw py::error_already_set();
    return;
  }
  py::dict attributes = host_attributes(self.cast<Filerow&>());
  if (value != nullptr) {
    attributes[name] = py::handle(value);
  } else if (PyDict_DelItem(attributes.ptr(), name.ptr()) != 0) {
    PyErr_Clear();
    PyErr_Format(PyExc_AttributeError, "'%s' object has no attribute '%U'",
                 Py_TYPE(self.ptr())->tp_name, name.ptr());
    throw py::error_already_set();
  }
}

void bind_host_attributes(py::class_<Filerow, Row>& row) {
  row.def("__getattr__",
          [](py::handle self, py::str name) -> py::object {
            py::dict attributes = host_attributes(self.cast<Filerow&>());
            if (attributes.contains(name)) return attributes[name];
            PyErr_Format(PyExc_AttributeError, "'%s' object has no attribute '%U'",
                         Py_TYPE(self.ptr())->tp_name, name.ptr());
            throw py::error_already_set();
          })
      .def("__setattr__",
           [](py::handle self, py::str name, py::handle value) {
             store_attribute(self, name, value.ptr());
           })
      .def("__delattr__",
           [](py::handle self, py::str name) { store_attribute(self, name, nullptr); });
}

template <typename Widget>
auto widget_setter(void (Filerow::*set)(Widget*), const char* cpp_class,
                   const char* python_class, const char* what) {
  return [=](Filerow& self, py::handle widget) {
    (self.*set)(wxpy::expect<Widget>(widget, cpp_class, python_class, what));
  };
}

void bind_filerow(py::module_& m) {
  py::class_<Filerow, Row> row(m, "Filerow", "Object to hold details of filetree row");
  row.def(py::init([](py::handle branch, py::handle parent, py::handle indent,
                      py::handle rownmb) {
            Filerow::Branch components = mappings::branch_from(branch, "branch");
            Row up = mappings::row_from(parent, "parent");
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
      .def(
          "__str__",
          [](const Filerow& self) {
            return names::Name{gil::released([&] { return self.to_string(); })};
          },
          "returun a string representation");

  row.def_property(
         "branch", [](const Row& self) { return mappings::Branch(self); },
         [](Filerow& self, py::handle branch) {
           self.set_branch(mappings::branch_from(branch, "branch"));
         })
      .def_property(
          "stem", [](const Filerow& self) { return names::Name{self.stem()}; },
          [](Filerow& self, py::handle stem) { self.set_stem(names::from_python(stem, "stem")); })
      .def_property("parent", &Filerow::parent,
                    [](Filerow& self, py::handle parent) {
                      self.set_parent(mappings::row_from(parent, "parent"));
                    })
      .def_property("indent", &Filerow::indent,
                    [](Filerow& self, py::handle indent) {
                      self.set_indent(int32(indent, "indent"));
                    })
      .def_property("collapsed", &Filerow::collapsed,
                    [](Filerow& self, py::object value) { self.set_collapsed(py::bool_(value)); })
      .def_property("ticked", &Filerow::ticked,
                    [](Filerow& self, py::object value) { self.set_ticked(py::bool_(value)); })
      .def_property(
          "children", [](const Row& self) { return mappings::Children(self); },
          [](Filerow& self, py::handle children) {
            self.set_children(mappings::children_from(children));
          })
      .def_property("checkbox", [](const Filerow& self) { return wxpy::wrap(self.checkbox()); },
                    widget_setter(&Filerow::set_checkbox, "wxCheckBox", "wx.CheckBox",
                                  "Filerow.checkbox"))
      .def_property("tick", [](const Filerow& self) { return wxpy::wrap(self.tick()); },
                    widget_setter(&Filerow::set_tick, "wxTextCtrl", "wx.TextCtrl",
                                  "Filerow.tick"))
      .def_property("proposed", [](const Filerow& self) { return wxpy::wrap(self.proposed()); },
                    widget_setter(&Filerow::set_proposed, "wxTextCtrl", "wx.TextCtrl",
                                  "Filerow.proposed"))
      .def_property_readonly(
          "name", [](const Filerow& self) { return names::Name{self.name()}; },
          "Return the final element of the branch")
      .def_property_readonly("leaf", &Filerow::leaf,
                             "Return true if this is a leaf node (i.e. has no children)")
      .def_property_readonly(
          "newname",
          [](const Filerow& self) {
            return names::Name{gil::released([&] { return self.newname(); })};
          },
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
  bind_host_attributes(row);
}

}  // namespace

PYBIND11_MODULE(filerow, m) {
  names::translate_errors();
  // A host reads each operation's __doc__ as its one-line description.
  py::options options;
  options.disable_function_signatures();
  m.attr("__version__") = names::to_python(filerow::version);
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
  mappings::bind<mappings::Branch>(m, "Branch", "The branch of a row, as a list.");
  context_menu::bind(m);
  bind_filerow(m);
}
