#pragma once

// Access to a row's widgets for operations that need them: a clear error
// instead of a null pointer when the widget is missing or already destroyed.

#include <stdexcept>
#include <string>

namespace filerow {

template <typename Widget>
Widget& need(Widget* widget, const char* what) {
  if (widget == nullptr)
    throw std::logic_error(std::string("Filerow: the row has no ") + what);
  return *widget;
}

}  // namespace filerow
