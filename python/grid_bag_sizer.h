#pragma once

// tickpane.GridBagSizer(vgap=0, hgap=0): a wx.GridBagSizer whose C++ object is
// a tickpane::GridBagSizer, so that its layout takes time linear in its items.
// It is wxPython's own wx.GridBagSizer object: a host passes it wherever it
// passes one, and every wx.GridBagSizer method works on it. Those methods are
// wx's own; the layout, which wx calls through virtual functions, is ours.
// Python owns it until a window takes it (SetSizer), as with wx.GridBagSizer.

#include "names.h"

namespace grid_bag_sizer {

/// Defines GridBagSizer in `m`. REQUIRES: wx loaded (wxpy::load).
void bind(pybind11::module_& m);

}  // namespace grid_bag_sizer
