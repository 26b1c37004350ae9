// The Python module tickpane: the file tree over libtickpane, for a wxPython
// host. Importing it loads filerow (and so the host services) and binds the
// host's config.Config and utils.dprint (ImportError when one is missing).

#include <pybind11/stl.h>
#include <tickpane/teardown.h>
#include <tickpane/tickpane.h>

#include "callables.h"
#include "config.h"
#include "gil.h"
#include "grid_bag_sizer.h"
#include "imports.h"
#include "integers.h"
#include "mappings.h"
#include "names.h"
#include "wxpy.h"

#include <wx/weakref.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace py = pybind11;
using gil::unlocked;
using tickpane::Filetree;
using tickpane::Row;

// Lets a Python subclass override the hooks that build() calls, and keeps the
// host's own windows and sizers: read back, the host gets its objects again,
// which know when wx has deleted them, where objects made from the tree's
// bare pointers might reach freed memory.
class PyFiletree : public Filetree {
 public:
  struct Panels {
    py::object parent1, parent2, sizer1, sizer2;
  };

  PyFiletree(const Panels& panels, std::shared_ptr<const host::Config> config,
             host::Transform transform, host::Progress on_progress)
      : Filetree(window(panels.parent1, "parent1"), window(panels.parent2, "parent2"),
                 sizer(panels.sizer1, "sizer1"), sizer(panels.sizer2, "sizer2"),
                 std::move(config), std::move(transform), std::move(on_progress)),
        parent1_(panels.parent1),
        parent2_(panels.parent2),
        sizer1_(panels.sizer1),
        sizer2_(panels.sizer2) {}

  void on_add_node(const Row& node) override {
    PYBIND11_OVERRIDE(void, Filetree, on_add_node, node);
  }
  void on_built() override { PYBIND11_OVERRIDE(void, Filetree, on_built, ); }

  /// REQUIRES: the GIL, for these eight.
  py::object parent1() const { return parent1_.get(); }
  py::object parent2() const { return parent2_.get(); }
  py::object sizer1() const { return sizer1_.get(); }
  py::object sizer2() const { return sizer2_.get(); }
  void set_parent1(py::object window) {
    set_wxparent1(this->window(window, "wxparent1"));
    parent1_ = gil::Held(std::move(window));
  }
  void set_parent2(py::object window) {
    set_wxparent2(this->window(window, "wxparent2"));
    parent2_ = gil::Held(std::move(window));
  }
  void set_sizer1(py::object sizer) {
    Filetree::set_sizer1(this->sizer(sizer, "sizer1"));
    sizer1_ = gil::Held(std::move(sizer));
  }
  void set_sizer2(py::object sizer) {
    Filetree::set_sizer2(this->sizer(sizer, "sizer2"));
    sizer2_ = gil::Held(std::move(sizer));
  }

 private:
  static wxWindow* window(py::handle object, const char* what) {
    return wxpy::expect<wxWindow>(object, "wxWindow", "wx.Window", what);
  }
  static wxSizer* sizer(py::handle object, const char* what) {
    return wxpy::expect<wxSizer>(object, "wxSizer", "wx.Sizer", what);
  }

  gil::Held parent1_, parent2_, sizer1_, sizer2_;
};

PyFiletree& host_side(Filetree& tree) { return dynamic_cast<PyFiletree&>(tree); }

py::object settings_of(const Filetree& tree) {
  auto settings = std::dynamic_pointer_cast<const config::PythonConfig>(tree.config());
  return settings ? settings->settings() : py::none();
}

void bind_changes(py::module_& m) {
  py::class_<tickpane::Changes>(m, "Changes",
                                "The rows to rename, one at a time, each judged when the "
                                "walk reaches it.")
      .def("__iter__", [](py::object self) { return self; })
      .def("__next__", [](tickpane::Changes& walk) {
        Row row = gil::released([&] { return walk.next(); });
        if (row == nullptr) throw py::stop_iteration();
        return row;
      });
}

template <typename Tree>
void integer_field(Tree& tree, const char* name, int (Filetree::*get)() const,
                   void (Filetree::*set)(int)) {
  tree.def_property(name, get, [name, set](Filetree& self, py::handle value) {
    (self.*set)(integers::int32(value, name));
  });
}

void bind_filetree(py::module_& m) {
  py::class_<Filetree, PyFiletree> tree(m, "Filetree", py::dynamic_attr(), "a filetree objcct");
  tree.def(py::init([](py::object parent1, py::object parent2, py::object sizer1,
                       py::object sizer2, py::object settings, py::object transform,
                       py::object on_progress) {
             auto config = std::make_shared<const config::PythonConfig>(std::move(settings));
             host::Transform propose = callables::transform(std::move(transform));
             host::Progress report = callables::progress(std::move(on_progress));
             auto made = std::make_unique<PyFiletree>(
                 PyFiletree::Panels{parent1, parent2, sizer1, sizer2}, std::move(config),
                 std::move(propose), std::move(report));
             // The rows' shared context now holds the host's objects too.
             py::object rows = py::module_::import("filerow").attr("Filerow");
             rows.attr("wxparent1") = parent1;
             rows.attr("wxparent2") = parent2;
             rows.attr("sizer1") = sizer1;
             rows.attr("sizer2") = sizer2;
             return made.release();
           }),
           py::arg("parent1"), py::arg("parent2"), py::arg("sizer1"), py::arg("sizer2"),
           py::arg("config"), py::arg("transform"), py::arg("on_progress"),
           "instantiate the object");

  tree.def_property(
          "wxparent1", [](Filetree& self) { return host_side(self).parent1(); },
          [](Filetree& self, py::object window) { host_side(self).set_parent1(window); })
      .def_property(
          "wxparent2", [](Filetree& self) { return host_side(self).parent2(); },
          [](Filetree& self, py::object window) { host_side(self).set_parent2(window); })
      .def_property(
          "sizer1", [](Filetree& self) { return host_side(self).sizer1(); },
          [](Filetree& self, py::object sizer) { host_side(self).set_sizer1(sizer); })
      .def_property(
          "sizer2", [](Filetree& self) { return host_side(self).sizer2(); },
          [](Filetree& self, py::object sizer) { host_side(self).set_sizer2(sizer); })
      .def_property("config", &settings_of,
                    [](Filetree& self, py::object settings) {
                      self.set_config(
                          std::make_shared<const config::PythonConfig>(std::move(settings)));
                    })
      .def_property(
          "location", [](const Filetree& self) { return names::Name{self.location()}; },
          [](Filetree& self, py::handle location) {
            self.set_location(names::from_python(location, "location"));
          })
      .def_property(
          "pattern", [](const Filetree& self) { return names::Name{self.pattern()}; },
          [](Filetree& self, py::handle pattern) {
            self.set_pattern(names::from_python(pattern, "pattern"));
          })
      .def_property(
          "on_progress",
          [](const Filetree& self) { return callables::to_python(self.on_progress()); },
          [](Filetree& self, py::object on_progress) {
            self.set_on_progress(callables::progress(std::move(on_progress)));
          });
  integer_field(tree, "progresscnt", &Filetree::progresscnt, &Filetree::set_progresscnt);
  integer_field(tree, "textwidth", &Filetree::textwidth, &Filetree::set_textwidth);
  integer_field(tree, "nmbleaves", &Filetree::nmbleaves, &Filetree::set_nmbleaves);
  integer_field(tree, "row_height", &Filetree::row_height, &Filetree::set_row_height);
  integer_field(tree, "rownmb", &Filetree::rownmb, &Filetree::set_rownmb);
  tree.def_property("head", &Filetree::head, [](Filetree& self, py::handle head) {
    self.set_head(mappings::row_from(head, "head"));
  });

  tree.def(
          "get_names",
          [](Filetree& self) {
            return names::to_python(gil::released([&] { return self.get_names(); }));
          },
          "collect all the file/folder names and sort them lexigraphically")
      .def(
          "add_branch",
          [](Filetree& self, const names::Name& name, const Filetree::Branchnodes& branchnodes) {
            for (const Row& node : branchnodes)
              if (node == nullptr) throw py::type_error("branchnodes must hold Filerow objects");
            return gil::released([&] { return self.add_branch(name.bytes, branchnodes); });
          },
          py::arg("name"), py::arg("branchnodes"),
          "returns the new rootnodes (the last element of which is the parent for the files "
          "that follow")
      .def(
          "build",
          [](Filetree& self) {
            gil::released([&] { self.build(); });
          },
          "build the file tree")
      .def(
          "on_add_node", [](Filetree& self, const Row& node) { self.Filetree::on_add_node(node); },
          py::arg("node"), "called when a node is added")
      .def(
          "on_built", [](Filetree& self) { self.Filetree::on_built(); },
          "caled afer last item is added to the filetree")
      .def("set_all_checkboxes", unlocked(&Filetree::set_all_checkboxes), py::arg("state"),
           "sets the state of all checkboxes to the specifie value")
      .def(
          "invert_all_selections",
          [](Filetree& self) { gil::released([&] { self.invert_all_selections(); }); },
          "sets the state of all checkboxes to the specifie value\n"
          "undeterined state doesn't change whenj invertingit's children, so\n"
          "only checked and unchecked need tobe inverted")
      .def("untick", unlocked(&Filetree::untick),
           "untick all leaves - this is called after a rename operation")
      .def("changes", unlocked(&Filetree::changes),
           "Return the next valid item, i.e. item to be renamed")
      .def("dump", unlocked(&Filetree::dump), py::arg("node") = py::none(), "dump the tree")
      .def("unbindall", unlocked(&Filetree::unbindall), "unbind all")
      .def("bindall_proposed", unlocked(&Filetree::bindall_proposed), "bind all proposed");
}

}  // namespace

PYBIND11_MODULE(tickpane, m) {
  names::translate_errors();
  // A host reads each operation's __doc__ as its one-line description.
  py::options options;
  options.disable_function_signatures();
  m.attr("__version__") = names::to_python(tickpane::version);
  wxpy::load();
  py::module_ rows = imports::module("filerow");
  py::object config_class = imports::name_from(imports::module("config"), "Config");
  py::object dprint = imports::name_from(imports::module("utils"), "dprint");

  m.attr("filerow") = rows;
  m.attr("Filerow") = rows.attr("Filerow");
  m.attr("Config") = config_class;
  m.attr("debug") = tickpane::debug;
  m.attr("dprint") = dprint;
  bind_changes(m);
  bind_filetree(m);
  grid_bag_sizer::bind(m);
  m.def(
      "destroy_rows", [](Filetree& tree) { gil::released([&] { tickpane::destroy_rows(tree); }); },
      py::arg("tree"),
        "tear a built tree's rows down before the next build");
}
