#include "mappings.h"

#include <wx/window.h>

namespace mappings {

namespace {

// A registry's key is a bare address: it may become a Python object only
// while the widget lives. The row's current widget is known alive through its
// weak reference; an older one (a row set up twice) must still be a child of
// its panel.
wxWindow* live(const wxWindow* key, wxWindow* current, wxWindow* panel) {
  if (current != nullptr && key == current) return current;
  if (panel != nullptr)
    for (wxWindow* child : panel->GetChildren())
      if (child == key) return child;
  return nullptr;
}

[[noreturn]] void missing(py::handle key) {
  PyErr_SetObject(PyExc_KeyError, key.ptr());
  throw py::error_already_set();
}

}  // namespace

py::object Registry::key(std::size_t position) const {
  const auto& [widget, row] = map_->at(position);
  filerow::RowContext shared = filerow::Filerow::context();
  wxWindow* alive = kind_ == Kind::checkbox
                        ? live(widget, row->checkbox(), shared.wxparent1)
                        : live(widget, row->proposed(), shared.wxparent2);
  return wxpy::wrap(alive);
}

// A key that cannot stand for a widget or a name (a deleted widget, a str
// the file system cannot encode) is simply not there.
filerow::Row Registry::find(py::handle key) const {
  try {
    bool matched = false;
    wxWindow* widget = wxpy::unwrap<wxWindow>(key, "wxWindow", matched);
    return widget == nullptr ? nullptr : map_->find(widget);
  } catch (py::error_already_set&) {
    return nullptr;
  }
}

filerow::Row Children::find(py::handle key) const {
  try {
    py::detail::make_caster<std::string> name;
    if (!name.load(key, true)) return nullptr;
    return row_->children().find(py::detail::cast_op<const std::string&>(name));
  } catch (py::error_already_set&) {
    return nullptr;
  }
}

template <typename View>
void bind(py::module_& m, const char* name, const char* doc) {
  auto entries = [](const View& view, auto entry) {
    py::list list;
    for (std::size_t i = 0; i < view.size(); ++i) list.append(entry(view, i));
    return list;
  };
  auto key = [](const View& view, std::size_t i) { return view.key(i); };
  auto value = [](const View& view, std::size_t i) { return py::cast(view.value(i)); };
  auto item = [](const View& view, std::size_t i) {
    return py::make_tuple(view.key(i), view.value(i));
  };
  py::class_<View>(m, name, doc)
      .def("__len__", &View::size)
      .def("__getitem__",
           [](const View& view, py::handle key) {
             filerow::Row row = view.find(key);
             if (row == nullptr) missing(key);
             return row;
           })
      .def("__contains__",
           [](const View& view, py::handle key) { return view.find(key) != nullptr; })
      .def(
          "get",
          [](const View& view, py::handle key, py::object fallback) {
            filerow::Row row = view.find(key);
            return row == nullptr ? fallback : py::cast(row);
          },
          py::arg("key"), py::arg("default") = py::none())
      .def("keys", [=](const View& view) { return entries(view, key); })
      .def("values", [=](const View& view) { return entries(view, value); })
      .def("items", [=](const View& view) { return entries(view, item); })
      .def("__iter__", [=](const View& view) { return py::iter(entries(view, key)); })
      .def("__eq__",
           [=](const View& view, py::object other) {
             return py::dict(entries(view, item)).equal(other);
           })
      .def("__repr__", [name](const View& view) {
        std::string text = std::string(name) + "({";
        for (std::size_t i = 0; i < view.size(); ++i)
          text += std::string(i == 0 ? "" : ", ") + std::string(py::repr(view.key(i))) + ": " +
                  std::string(py::repr(py::cast(view.value(i))));
        return text + "})";
      });
  py::module_::import("collections.abc").attr("Mapping").attr("register")(m.attr(name));
}

template void bind<Registry>(py::module_&, const char*, const char*);
template void bind<Children>(py::module_&, const char*, const char*);

}  // namespace mappings
