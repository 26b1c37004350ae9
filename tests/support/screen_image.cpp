#include "screen_image.h"

#include <gtk/gtk.h>

#include <algorithm>
#include <stdexcept>

wxImage screen_image(const wxRect& area) {
  GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), area.x, area.y,
                                               area.width, area.height);
  if (shot == nullptr) throw std::runtime_error("the screen could not be read");
  wxImage image(area.width, area.height);
  const int channels = gdk_pixbuf_get_n_channels(shot);
  for (int y = 0; y < area.height; ++y) {
    const guchar* line = gdk_pixbuf_get_pixels(shot) + y * gdk_pixbuf_get_rowstride(shot);
    for (int x = 0; x < area.width; ++x)
      image.SetRGB(x, y, line[x * channels], line[x * channels + 1], line[x * channels + 2]);
  }
  g_object_unref(shot);
  return image;
}

bool same_pixels(const wxImage& a, const wxImage& b) {
  return a.GetSize() == b.GetSize() &&
         std::equal(a.GetData(), a.GetData() + 3 * a.GetWidth() * a.GetHeight(), b.GetData());
}
