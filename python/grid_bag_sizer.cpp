#include "grid_bag_sizer.h"

#include <tickpane/grid_bag_sizer.h>

#include "wxpy.h"

#include <memory>

namespace grid_bag_sizer {

namespace py = pybind11;

void bind(py::module_& m) {
  m.def(
      "GridBagSizer",
      [](int vgap, int hgap) {
        auto sizer = std::make_unique<tickpane::GridBagSizer>(vgap, hgap);
        py::object object = wxpy::adopt(sizer.get(), "wxGridBagSizer");
        sizer.release();
        return object;
      },
      py::arg("vgap") = 0, py::arg("hgap") = 0,
      "a wx.GridBagSizer that lays out in time linear in its items");
}

}  // namespace grid_bag_sizer
