#pragma once

// Read-only ordered mappings over the row library's ordered maps, as a host
// reads them: the registries filerow.nodes and filerow.propnodes (wxPython
// widget to row) and a row's children (name to row). Every read goes to the
// map as it is at that moment; keys(), values(), items() and iteration take
// the entries in insertion order as they are when called.

#include <filerow/filerow.h>

#include "wxpy.h"

#include <cstddef>
#include <memory>

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

/// The children of one row, by name.
class Children {
 public:
  explicit Children(filerow::Row row) : row_(std::move(row)) {}

  std::size_t size() const { return row_->children().size(); }
  py::object key(std::size_t position) const {
    return py::cast(row_->children().at(position).first);
  }
  filerow::Row value(std::size_t position) const { return row_->children().at(position).second; }
  /// The child entered under the name `key`; null for anything else.
  filerow::Row find(py::handle key) const;

 private:
  filerow::Row row_;
};

/// Defines the Python class `name` of the view `View` in `m`, registered
/// as a collections.abc.Mapping.
template <typename View>
void bind(py::module_& m, const char* name, const char* doc);

}  // namespace mappings
