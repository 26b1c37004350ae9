#pragma once

// filerow.ContextMenu: a Python subclass of wx.Menu whose objects are the row
// library's own menus (filerow::ContextMenu), so that the items, their styling
// and their handlers are the C++ ones. ContextMenu(parent, node, sizer1,
// sizer2) builds the library's menu and hands it out as an object of this
// class, owned by Python (deleted with its last reference or by Destroy()).

#include "names.h"

namespace context_menu {

/// Defines ContextMenu in `m`. REQUIRES: wx loaded (wxpy::load).
void bind(pybind11::module_& m);

}  // namespace context_menu
