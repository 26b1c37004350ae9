#pragma once

// Views over the row library's containers, as a host uses them, and the
// conversions of rows and branches. The registries filerow.nodes and
// filerow.propnodes (wxPython widget to row) are read-only mappings; a row's
// children (name to row) a mutable mapping, and its branch a mutable
// sequence. Every read goes to the container as it is at that moment; keys(),
// values(), items() and iteration take the entries in insertion order as they
// are when called.

#include <filerow/filerow.h>

#include "names.h"
#include "wxpy.h"

#include <cstddef>
#include <memory>
#include <string>

namespace mappings {

namespace py = pybind11;

/// One registry of rows, by the widgets they made.
class Registry {
 public:
  enum class Kind { checkbox, proposed };

  Registry(std::shared_ptr<const filerow::Registry> map, Kind kind)
      : map_(std::move(map)), kind_(kind) {}

  std::size_t size() const { return map_->size(); }
  /// The widget entered at `position`, or None once it is destroyed.
  py::object key(std::size_t position) const;
  filerow::Row value(std::size_t position) const { return map_->at(position).second; }
  /// The row entered under the widget `key`; null for anything else.
  filerow::Row find(py::handle key) const;

 private:
  std::shared_ptr<const filerow::Registry> map_;
  Kind kind_;
};

/// `value` as a row, null for None; TypeError naming `what` otherwise.
inline filerow::Row row_from(py::handle value, const char* what) {
  if (value.is_none()) return nullptr;
  if (!py::isinstance<filerow::Filerow>(value))
    throw py::type_error(std::string(what) + " must be a Filerow or None, not " +
                         Py_TYPE(value.ptr())->tp_name);
  return value.cast<filerow::Row>();
}

/// `value` as a branch: a list, or a row's branch, of str, bytes or paths;
/// TypeError naming `what` otherwise.
filerow::Filerow::Branch branch_from(py::handle value, const char* what);

/// `value`, a mapping or an iterable of pairs, as children: names to rows.
/// TypeError for anything else.
filerow::Filerow::Children children_from(py::handle value);

/// The children of one row, by name.
class Children {
 public:
  explicit Children(filerow::Row row) : row_(std::move(row)) {}

  std::size_t size() const { return row_->children().size(); }
  py::object key(std::size_t position) const {
    return names::to_python(row_->children().at(position).first);
  }
  filerow::Row value(std::size_t position) const { return row_->children().at(position).second; }
  /// The child entered under the name `key`; null for anything else.
  filerow::Row find(py::handle key) const;

  /// Enters the row `value` under the name `key`. TypeError for another kind
  /// of key or value; ValueError for a row that would end up below itself.
  void set(py::handle key, py::handle value) const;
  /// Removes the child entered under `key`; KeyError when there is none.
  void remove(py::handle key) const;
  void clear() const { row_->set_children({}); }

 private:
  filerow::Row row_;
};

/// The branch of one row as a list a host may change in place: each read
/// takes the row's branch as it is then, each change writes the whole branch
/// back, so that a change the row cannot take (a component that is not a
/// name) leaves it as it was.
class Branch {
 public:
  explicit Branch(filerow::Row row) : row_(std::move(row)) {}

  /// The components, as a new list.
  py::list list() const;
  /// Sets the row's branch to `components`, as branch_from takes them.
  void assign(py::handle components) const;

 private:
  filerow::Row row_;
};

/// Defines the Python class `name` of the view `View` in `m`, registered
/// as a collections.abc.Mapping (Children: MutableMapping; Branch:
/// MutableSequence).
template <typename View>
void bind(py::module_& m, const char* name, const char* doc);

}  // namespace mappings
