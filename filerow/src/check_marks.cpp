#include "check_marks.h"

#include <fsname/descriptor.h>
#include <sys/mman.h>

#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace filerow {

namespace {

// GTK renders a mark at the widget's scale; the images cover scales 1 to 3.
constexpr int most_scale = 3;
// Each image keeps a file open; past this many marks (a colour and a kind
// each), further looks are left to the theme.
constexpr std::size_t most_images = 64;

// The rules of a built-in theme that draw the marks, as GTK ships them: a
// theme that states them so is served, with the assets beside its sheet.
constexpr const char* checked_rule =
    "\ncheck:checked { -gtk-icon-source: image(-gtk-recolor(url(\"assets/check-symbolic.svg\"))";
constexpr const char* mixed_rule =
    "\ncheck:indeterminate { -gtk-icon-source: "
    "image(-gtk-recolor(url(\"assets/dash-symbolic.svg\"))";

std::string resource_text(const std::string& path) {
  GBytes* bytes = g_resources_lookup_data(path.c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
  if (bytes == nullptr) return {};
  gsize size = 0;
  const char* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
  std::string text(data, size);
  g_bytes_unref(bytes);
  return text;
}

// The theme in use as GTK picks it: GTK_THEME first, then the settings; its
// name and variant ("" for none).
std::pair<std::string, std::string> theme_in_use() {
  std::string name, variant;
  const char* forced = g_getenv("GTK_THEME");
  if (forced != nullptr && *forced != '\0') {
    name = forced;
    std::size_t colon = name.rfind(':');
    if (colon != std::string::npos) {
      variant = name.substr(colon + 1);
      name.erase(colon);
    }
  } else {
    gchar* theme = nullptr;
    gboolean dark = FALSE;
    g_object_get(gtk_settings_get_default(), "gtk-theme-name", &theme,
                 "gtk-application-prefer-dark-theme", &dark, nullptr);
    name = theme != nullptr && *theme != '\0' ? theme : "Adwaita";
    g_free(theme);
    if (dark) variant = "dark";
  }
  return {name, variant};
}

// The resource folder of the marks of `theme` (a built-in one comes before
// any on disk), or "" when it is not one whose marks are known.
std::string served_assets(const std::pair<std::string, std::string>& theme) {
  const auto& [name, variant] = theme;
  std::string sheet = resource_text("/org/gtk/libgtk/theme/" + name + "/" +
                                    (variant.empty() ? "gtk" : "gtk-" + variant) + ".css");
  // A built-in theme's sheet imports its rules from one sheet.
  const std::string import = "@import url(\"resource://";
  if (sheet.compare(0, import.size(), import) != 0) return {};
  std::size_t end = sheet.find('"', import.size());
  if (end == std::string::npos) return {};
  std::string rules_path = sheet.substr(import.size(), end - import.size());
  std::string rules = resource_text(rules_path);
  std::size_t checked = rules.find(checked_rule), mixed = rules.find(mixed_rule);
  if (checked == std::string::npos || mixed == std::string::npos || mixed < checked) return {};
  std::string assets = rules_path.substr(0, rules_path.rfind('/') + 1) + "assets/";
  // A mark drawn in the foreground colour alone is the same for every palette.
  for (const char* asset : {"check-symbolic.svg", "dash-symbolic.svg"}) {
    std::string svg = resource_text(assets + asset);
    if (svg.empty() || svg.find("class=") != std::string::npos) return {};
  }
  return assets;
}

std::string png_of(GdkPixbuf* pixbuf) {
  gchar* buffer = nullptr;
  gsize size = 0;
  if (!gdk_pixbuf_save_to_buffer(pixbuf, &buffer, &size, "png", nullptr, nullptr)) return {};
  std::string png(buffer, size);
  g_free(buffer);
  return png;
}

// The theme's mark at `resource`, rendered as the theme renders it for the
// node `context` stands at, at `scale`, as PNG (empty if it cannot be).
std::string render(const std::string& resource, GtkStyleContext* context, int scale) {
  GFile* file = g_file_new_for_uri(("resource://" + resource).c_str());
  GIcon* icon = g_file_icon_new(file);
  g_object_unref(file);
  GtkIconInfo* info = gtk_icon_theme_lookup_by_gicon_for_scale(
      gtk_icon_theme_get_default(), icon, 0, scale, GtkIconLookupFlags(0));
  g_object_unref(icon);
  if (info == nullptr) return {};
  GdkPixbuf* pixbuf = gtk_icon_info_load_symbolic_for_context(info, context, nullptr, nullptr);
  g_object_unref(info);
  if (pixbuf == nullptr) return {};
  std::string png = png_of(pixbuf);
  g_object_unref(pixbuf);
  return png;
}

// Bytes kept in memory for the rest of the process, as a URL GTK can read
// whenever it loads the style sheet again (so the file is never closed).
std::string memory_url(const std::string& bytes) {
  if (bytes.empty()) return {};
  fsname::Descriptor file(memfd_create("filerow-mark", MFD_CLOEXEC));
  if (!file.valid() || !fsname::write_all(file.get(), bytes)) return {};
  std::string url = "file:///proc/self/fd/" + std::to_string(file.get());
  // Read back the way GTK will read it.
  gchar* read = nullptr;
  gsize size = 0;
  GFile* readable = g_file_new_for_uri(url.c_str());
  bool same = g_file_load_contents(readable, nullptr, &read, &size, nullptr, nullptr) &&
              std::string(read, size) == bytes;
  g_free(read);
  g_object_unref(readable);
  if (!same) return {};
  file.release();
  return url;
}

// The states whose marks are served: ticked or mixed (wx keeps a mixed box
// checked), each in a focused window or not, enabled or not; a box under the
// pointer, pressed or focused is left to the theme.
struct Toggle {
  GtkStateFlags flag;
  const char* pseudo_class;
};
constexpr Toggle served_toggles[] = {{GTK_STATE_FLAG_INCONSISTENT, ":indeterminate"},
                                     {GTK_STATE_FLAG_BACKDROP, ":backdrop"},
                                     {GTK_STATE_FLAG_INSENSITIVE, ":disabled"}};
constexpr const char* left_to_theme = ":not(:hover):not(:active):not(:focus):not(:selected)";

class Marks {
 public:
  static Marks& get() {
    static Marks marks;
    return marks;
  }

  void fit(GtkWidget* button, const std::string& look) {
    if (fitted_.count(look) == 0) serve(button, look);
  }

 private:
  Marks() : provider_(gtk_css_provider_new()) {
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider_),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    GtkSettings* settings = gtk_settings_get_default();
    for (const char* signal :
         {"notify::gtk-theme-name", "notify::gtk-application-prefer-dark-theme"})
      g_signal_connect(settings, signal, G_CALLBACK(+[](GObject*, GParamSpec*, gpointer) {
                         Marks::get().theme_changed();
                       }),
                       nullptr);
  }

  // Adds the rules of the boxes named `key`, made on `button`.
  void serve(GtkWidget* button, const std::string& key) {
    if (!assets_) {
      theme_ = theme_in_use();
      assets_ = served_assets(theme_);
    }
    if (assets_->empty()) return;
    std::string rules = "checkbutton#" + key + " check{transition:none}";
    switch (rules_for(button, key, rules)) {
      case Made::no_room:
        return;
      case Made::failed:
        assets_ = std::string();  // something GTK needs is missing: leave it all to the theme
        forget_rules();
        return;
      case Made::made:
        break;
    }
    sheet_ += rules;
    gtk_css_provider_load_from_data(provider_, sheet_.c_str(), -1, nullptr);
    fitted_.insert(key);
  }

  // GTK notifies a setting whenever it is set, to the same value too.
  void theme_changed() {
    if (!assets_ || theme_in_use() == theme_) return;
    assets_.reset();
    forget_rules();
  }

  void forget_rules() {
    fitted_.clear();
    sheet_.clear();
    gtk_css_provider_load_from_data(provider_, "", -1, nullptr);
  }

  enum class Made { made, no_room, failed };

  // Appends the rules giving the boxes named `key` their marks, rendered
  // for the colours the theme gives the mark of `button` in each state.
  Made rules_for(GtkWidget* button, const std::string& key, std::string& rules) {
    std::string boxes = "checkbutton#" + key;
    auto direction = GtkStateFlags(gtk_widget_get_state_flags(button) &
                                   (GTK_STATE_FLAG_DIR_LTR | GTK_STATE_FLAG_DIR_RTL));
    // The mark's node, as the button's child in the button's place, styled
    // apart from the button (a context given the button's as parent would
    // join the button's nodes and change how its label matches the theme);
    // the built-in themes set the colour of a mark, so nothing is inherited.
    GtkWidgetPath* path = gtk_widget_path_copy(gtk_widget_get_path(button));
    int mark = gtk_widget_path_append_type(path, G_TYPE_NONE);
    gtk_widget_path_iter_set_object_name(path, mark, "check");
    GtkStyleContext* context = gtk_style_context_new();
    gtk_style_context_set_screen(context, gtk_widget_get_screen(button));
    Made made = Made::made;
    for (unsigned subset = 0; made == Made::made && subset < 1u << std::size(served_toggles);
         ++subset) {
      auto flags = GtkStateFlags(GTK_STATE_FLAG_CHECKED | direction);
      std::string selector = ":checked";
      for (std::size_t at = 0; at < std::size(served_toggles); ++at) {
        const Toggle& toggle = served_toggles[at];
        bool on = (subset & (1u << at)) != 0;
        if (on) flags = GtkStateFlags(flags | toggle.flag);
        selector += on ? toggle.pseudo_class : std::string(":not(") + toggle.pseudo_class + ")";
      }
      gtk_widget_path_iter_set_state(path, mark, flags);
      gtk_style_context_set_path(context, path);
      gtk_style_context_set_state(context, flags);
      const char* asset =
          flags & GTK_STATE_FLAG_INCONSISTENT ? "dash-symbolic.svg" : "check-symbolic.svg";
      std::string image;
      made = image_for(*assets_ + asset, context, image);
      rules += boxes + " check" + selector + left_to_theme + "{-gtk-icon-source:" + image + "}";
    }
    g_object_unref(context);
    gtk_widget_path_unref(path);
    return made;
  }

  // The mark at `resource` for the node `context` stands at, at every scale.
  Made image_for(const std::string& resource, GtkStyleContext* context, std::string& image) {
    GdkRGBA colour;
    gtk_style_context_get_color(context, gtk_style_context_get_state(context), &colour);
    gchar* colour_text = gdk_rgba_to_string(&colour);
    std::string key = resource + " " + colour_text;
    g_free(colour_text);
    auto known = images_.find(key);
    if (known != images_.end()) {
      image = known->second;
      return Made::made;
    }
    if (images_.size() >= most_images) return Made::no_room;
    image = "-gtk-scaled(";
    for (int scale = 1; scale <= most_scale; ++scale) {
      std::string url = memory_url(render(resource, context, scale));
      if (url.empty()) return Made::failed;
      image += (scale > 1 ? ",url(\"" : "url(\"") + url + "\")";
    }
    image += ")";
    images_[key] = image;
    return Made::made;
  }

  GtkCssProvider* provider_;
  std::pair<std::string, std::string> theme_;  // whose marks the rules hold
  std::optional<std::string> assets_;  // unset: not yet asked; empty: not served
  std::string sheet_;
  std::set<std::string> fitted_;  // looks whose rules are in the sheet
  std::map<std::string, std::string> images_;  // by mark and colour; kept across themes
};

}  // namespace

void fit_check_marks(GtkWidget* check_button, const std::string& look) {
  Marks::get().fit(check_button, look);
}

}  // namespace filerow
