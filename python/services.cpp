#include "services.h"

#include <host/services.h>

#include "gil.h"
#include "names.h"
#include "wxpy.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace services {

namespace {

namespace py = pybind11;

// A theme entry, handed back to the host's format_widget as it came.
class PythonStyle final : public host::Style {
 public:
  explicit PythonStyle(py::object entry) : entry_(std::move(entry)) {}
  py::object entry() const { return entry_.get(); }

 private:
  gil::Held entry_;
};

// THEME.tree: each value is read from the entry when it is asked for.
class PythonTreeStyle final : public host::TreeStyle {
 public:
  explicit PythonTreeStyle(py::object entry) : entry_(std::move(entry)) {}
  py::object entry() const { return entry_.get(); }

  wxFont font() const override { return read_font("font", "THEME.tree.font"); }
  wxFont collapsed_font() const override {
    return read_font("collapsed_font", "THEME.tree.collapsed_font");
  }
  wxFont bold_font() const override { return read_font("bold_font", "THEME.tree.bold_font"); }
  wxColour background() const override {
    return read_colour("background", "THEME.tree.background");
  }
  wxColour selected_background() const override {
    return read_colour("selected_background", "THEME.tree.selected_background");
  }

 private:
  wxFont read_font(const char* name, const char* what) const {
    gil::Callback call;
    return wxpy::font(entry_.get().attr(name), what);
  }
  wxColour read_colour(const char* name, const char* what) const {
    gil::Callback call;
    return wxpy::colour(entry_.get().attr(name), what);
  }

  gil::Held entry_;
};

py::object entry_of(const host::Style& style) {
  if (auto* tree = dynamic_cast<const PythonTreeStyle*>(&style)) return tree->entry();
  if (auto* other = dynamic_cast<const PythonStyle*>(&style)) return other->entry();
  return py::none();
}

class PythonServices final : public host::Services {
 public:
  PythonServices(py::module_ utils, py::module_ gizmo, py::module_ skinkit)
      : utils_(std::move(utils)), gizmo_(std::move(gizmo)), skinkit_(std::move(skinkit)) {}

  std::shared_ptr<const host::TreeStyle> tree_style() override {
    gil::Callback call;
    return std::make_shared<PythonTreeStyle>(theme().attr("tree"));
  }

  std::shared_ptr<const host::Style> menu_style() override {
    gil::Callback call;
    return std::make_shared<PythonStyle>(theme().attr("menu"));
  }

  void format_widget(wxObject& widget, const host::Style& style) override {
    gil::Callback call;
    gizmo_.get().attr("format_widget")(wxpy::wrap(&widget), entry_of(style));
  }

  std::string andlist(const std::vector<std::string>& names,
                      const std::string& quote) override {
    gil::Callback call;
    py::list list;
    for (const std::string& name : names) list.append(names::to_python(name));
    py::object text =
        utils_.get().attr("andlist")(list, py::arg("quote") = names::to_python(quote));
    return names::from_python(text, "the text that utils.andlist returns");
  }

  void dprint(const std::string& text) override {
    gil::Callback call;
    utils_.get().attr("dprint")(names::to_python(text));
  }

  // As print() does: to sys.stdout as it is now, nothing while it is None. A
  // location that is not UTF-8 shows its odd bytes as \xNN, as in errors.
  void print_line(const std::string& line) override {
    gil::Callback call;
    py::object text = py::reinterpret_steal<py::object>(PyUnicode_DecodeUTF8(
        line.data(), static_cast<Py_ssize_t>(line.size()), "backslashreplace"));
    if (!text) throw py::error_already_set();
    py::module_::import("builtins").attr("print")(text, py::arg("flush") = true);
  }

  // As wxPython does for an error in one of its own handlers: the traceback
  // goes through sys.excepthook, and the application goes on.
  void report_handler_error(std::exception_ptr error) override {
    try {
      py::gil_scoped_acquire gil;
      if (PyErr_Occurred()) PyErr_Print();
      names::raise_in_python(error);
      PyErr_Print();
    } catch (...) {
      std::fprintf(stderr, "Error in event handler: %s\n", host::describe(error).c_str());
    }
  }

 private:
  py::object theme() const { return skinkit_.get().attr("THEME"); }

  gil::Held utils_;
  gil::Held gizmo_;
  gil::Held skinkit_;
};

}  // namespace

void install(py::module_ utils, py::module_ gizmo, py::module_ skinkit) {
  std::shared_ptr<host::Services> previous = host::install(std::make_shared<PythonServices>(
      std::move(utils), std::move(gizmo), std::move(skinkit)));
  py::module_::import("atexit").attr("register")(
      py::cpp_function([previous] { host::install(previous); }));
}

}  // namespace services
