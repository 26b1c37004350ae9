#include "mappings.h"

#include <wx/window.h>

#include <string>

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

filerow::Filerow::Branch branch_from(py::handle value, const char* what) {
  py::list components;
  if (PyList_Check(value.ptr()))
    components = py::reinterpret_borrow<py::list>(value);
  else if (py::isinstance<Branch>(value))
    components = value.cast<const Branch&>().list();
  else
    throw py::type_error(std::string(what) + " must be a list of str, not " +
                         Py_TYPE(value.ptr())->tp_name);
  filerow::Filerow::Branch branch;
  branch.reserve(components.size());
  for (py::handle component : components)
    branch.push_back(names::from_python(component, "each component of branch"));
  return branch;
}

filerow::Filerow::Children children_from(py::handle value) {
  py::dict entries;
  try {
    entries = py::dict(py::reinterpret_borrow<py::object>(value));
  } catch (py::error_already_set& e) {
    if (!e.matches(PyExc_TypeError) && !e.matches(PyExc_ValueError)) throw;
    throw py::type_error(std::string("children must be a mapping of names to Filerow "
                                     "objects, not ") + Py_TYPE(value.ptr())->tp_name);
  }
  filerow::Filerow::Children children;
  for (auto [key, child] : entries) {
    filerow::Row row = row_from(child, "each child");
    if (row == nullptr) throw py::type_error("each child must be a Filerow, not NoneType");
    children.insert(names::from_python(key, "each child's name"), std::move(row));
  }
  return children;
}

filerow::Row Children::find(py::handle key) const {
  try {
    std::string name;
    if (!names::load(key, name)) return nullptr;
    return row_->children().find(name);
  } catch (py::error_already_set&) {
    return nullptr;
  }
}

void Children::set(py::handle key, py::handle value) const {
  std::string name = names::from_python(key, "a child's name");
  filerow::Row child = row_from(value, "a child");
  if (child == nullptr) throw py::type_error("a child must be a Filerow, not NoneType");
  row_->set_child(name, std::move(child));
}

void Children::remove(py::handle key) const {
  std::string name;
  bool known = false;
  try {
    known = names::load(key, name) && row_->remove_child(name);
  } catch (py::error_already_set&) {
  }
  if (!known) missing(key);
}

py::list Branch::list() const {
  py::list components;
  for (const std::string& component : row_->branch())
    components.append(names::to_python(component));
  return components;
}

void Branch::assign(py::handle components) const {
  row_->set_branch(branch_from(components, "branch"));
}

namespace {

template <typename View>
void bind_mapping(py::class_<View>& cls, const char* name) {
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
  cls.def("__len__", &View::size)
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
        return names::Name{text + "})"};
      });
}

void register_as(const py::object& cls, const char* abstract) {
  py::module_::import("collections.abc").attr(abstract).attr("register")(cls);
}

// A list method, run on the branch as a list: one that changes it writes
// the list back.
void list_method(py::class_<Branch>& cls, const char* name, bool changes) {
  cls.def(name, [name, changes](const Branch& view, py::args args, py::kwargs kwargs) {
    py::list components = view.list();
    py::object result = components.attr(name)(*args, **kwargs);
    if (changes) view.assign(components);
    return result;
  });
}

}  // namespace

template <>
void bind<Registry>(py::module_& m, const char* name, const char* doc) {
  py::class_<Registry> cls(m, name, doc);
  bind_mapping(cls, name);
  register_as(cls, "Mapping");
}

template <>
void bind<Children>(py::module_& m, const char* name, const char* doc) {
  py::class_<Children> cls(m, name, doc);
  bind_mapping(cls, name);
  py::object absent = py::module_::import("builtins").attr("object")();
  cls.def("__setitem__", &Children::set)
      .def("__delitem__", &Children::remove)
      .def("clear", &Children::clear)
      .def(
          "pop",
          [absent](const Children& view, py::handle key, py::object fallback) -> py::object {
            filerow::Row row = view.find(key);
            if (row == nullptr) {
              if (fallback.is(absent)) missing(key);
              return fallback;
            }
            view.remove(key);
            return py::cast(row);
          },
          py::arg("key"), py::arg("default") = absent)
      .def("popitem",
           [](const Children& view) {
             if (view.size() == 0) {
               PyErr_SetString(PyExc_KeyError, "popitem(): the children are empty");
               throw py::error_already_set();
             }
             std::size_t last = view.size() - 1;
             py::tuple item = py::make_tuple(view.key(last), view.value(last));
             view.remove(item[0]);
             return item;
           })
      .def(
          "setdefault",
          [](const Children& view, py::handle key, py::handle fallback) -> py::object {
            if (filerow::Row row = view.find(key)) return py::cast(row);
            view.set(key, fallback);
            return py::reinterpret_borrow<py::object>(fallback);
          },
          py::arg("key"), py::arg("default") = py::none())
      .def(
          "update",
          [](const Children& view, py::object other, py::kwargs more) {
            for (auto [key, child] : py::dict(other)) view.set(key, child);
            for (auto [key, child] : more) view.set(key, child);
          },
          py::arg("other") = py::tuple());
  register_as(cls, "MutableMapping");
}

template <>
void bind<Branch>(py::module_& m, const char* name, const char* doc) {
  py::class_<Branch> cls(m, name, doc);
  for (const char* method : {"__len__", "__getitem__", "__iter__", "__reversed__", "__contains__",
                             "index", "count", "copy", "__add__", "__mul__", "__rmul__", "__lt__",
                             "__le__", "__gt__", "__ge__", "__repr__"})
    list_method(cls, method, false);
  for (const char* method : {"__setitem__", "__delitem__", "append", "extend", "insert", "pop",
                             "remove", "clear", "reverse", "sort"})
    list_method(cls, method, true);
  auto as_list = [](py::handle other) -> py::object {
    if (py::isinstance<Branch>(other)) return other.cast<const Branch&>().list();
    return py::reinterpret_borrow<py::object>(other);
  };
  cls.def("__eq__", [as_list](const Branch& view, py::handle other) {
       return view.list().equal(as_list(other));
     })
      .def("__ne__", [as_list](const Branch& view, py::handle other) {
        return view.list().not_equal(as_list(other));
      })
      .def("__radd__",
           [](const Branch& view, py::object other) { return other + view.list(); })
      .def("__iadd__", [](py::object self, py::object more) {
        const Branch& view = self.cast<const Branch&>();
        py::list components = view.list();
        components.attr("extend")(more);
        view.assign(components);
        return self;
      });
  cls.attr("__hash__") = py::none();
  register_as(cls, "MutableSequence");
}

}  // namespace mappings
