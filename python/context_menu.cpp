#include "context_menu.h"

#include <filerow/context_menu.h>

#include "gil.h"
#include "wxpy.h"

#include <memory>

namespace context_menu {

namespace {

namespace py = pybind11;
using filerow::Row;

filerow::ContextMenu& menu_of(py::handle self) {
  bool matched = false;
  auto* menu = dynamic_cast<filerow::ContextMenu*>(wxpy::unwrap<wxMenu>(self, "wxMenu", matched));
  if (menu == nullptr) throw py::type_error("not a menu made by filerow.ContextMenu");
  return *menu;
}

py::object make(py::object cls, Row parent, Row node, wxSizer* sizer1, wxSizer* sizer2) {
  wxpy::require_app();
  auto menu = gil::released([&] {
    return std::make_unique<filerow::ContextMenu>(std::move(parent), std::move(node), sizer1,
                                                  sizer2);
  });
  py::object object = wxpy::adopt(menu.get(), "wxMenu");
  menu.release();
  // The C++ object is the library's menu; the Python object becomes one of
  // the class asked for, so that its methods reach that menu.
  object.attr("__class__") = cls;
  return object;
}

template <typename Getter>
py::object property(Getter getter) {
  return py::module_::import("builtins").attr("property")(py::cpp_function(
      [getter](py::handle self) { return getter(menu_of(self)); }));
}

template <typename Handler>
void method(py::object& cls, const char* name, const char* doc, Handler handler) {
  cls.attr(name) = py::cpp_function(
      [handler](py::handle self, wxCommandEvent& event) {
        filerow::ContextMenu& menu = menu_of(self);
        gil::released([&] { (menu.*handler)(event); });
      },
      py::name(name), py::is_method(cls), py::arg("event"), py::doc(doc));
}

}  // namespace

void bind(py::module_& m) {
  py::object type = py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(&PyType_Type));
  py::dict namespace_;
  namespace_["__module__"] = m.attr("__name__");
  namespace_["__doc__"] =
      "define the contexr menu invoked when rightclicking on the widgets in a row";
  py::object cls = type("ContextMenu", py::make_tuple(py::module_::import("wx").attr("Menu")),
                        namespace_);

  cls.attr("__new__") = py::module_::import("builtins").attr("staticmethod")(py::cpp_function(
      make, py::name("__new__"), py::arg("cls"), py::arg("parent"), py::arg("node"),
      py::arg("sizer1"), py::arg("sizer2")));
  // The menu is complete once __new__ returns; wx.Menu.__init__ must not run
  // again. (pybind11 takes a function named "__init__" for a constructor of its
  // own classes, hence the other name.)
  cls.attr("__init__") = py::cpp_function([](py::handle, py::args, py::kwargs) {},
                                          py::name("built"), py::is_method(cls));
  cls.attr("parent") = property([](filerow::ContextMenu& menu) { return menu.parent(); });
  cls.attr("node") = property([](filerow::ContextMenu& menu) { return menu.node(); });
  cls.attr("sizer1") =
      property([](filerow::ContextMenu& menu) { return wxpy::wrap(menu.sizer1()); });
  cls.attr("sizer2") =
      property([](filerow::ContextMenu& menu) { return wxpy::wrap(menu.sizer2()); });
  method(cls, "on_collapse", "collapse the node's subtree, then re-lay-out both panels",
         &filerow::ContextMenu::on_collapse);
  method(cls, "on_expand", "expand the node's subtree, then re-lay-out both panels",
         &filerow::ContextMenu::on_expand);
  m.attr("ContextMenu") = cls;
}

}  // namespace context_menu
