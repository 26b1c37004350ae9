#pragma once

// The host services of a wxPython host: the theme, widget styling, list text
// and diagnostics come from the host's Python modules, read afresh at each use,
// and an error that escapes one of the libraries' event handlers is reported as
// wxPython reports one from its own handlers.

#include "names.h"

namespace services {

/// Installs, for the whole process, services that forward to the host's
/// modules: skinkit.THEME (.tree with its fonts and colours, .menu),
/// gizmo.format_widget(widget, style), utils.andlist(names, quote=...) and
/// utils.dprint(text); printed lines go to sys.stdout through print(). The
/// previous services come back when the interpreter exits, so that nothing
/// calls into Python after that.
/// REQUIRES: the GIL; wx loaded (wxpy::load); no library operation running.
void install(pybind11::module_ utils, pybind11::module_ gizmo, pybind11::module_ skinkit);

}  // namespace services
