#include "shared_style.h"

#include <wx/fontutil.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/textctrl.h>

#include <gtk/gtk.h>

#include <algorithm>
#include <map>
#include <vector>

namespace filerow {

namespace {

constexpr std::size_t most_looks = 256;

class StyleSheet {
 public:
  static StyleSheet& get() {
    static StyleSheet sheet;
    return sheet;
  }

  // The class of wx's borderless look, and of no transitions.
  const std::string& borderless() const { return borderless_; }

  // The name of a look given as its rules, written with '\1' for the name
  // (no font or colour is written with it).
  const std::string* name_for(const std::string& rules) {
    bool added = false;
    const std::string* name = add(rules, added);
    if (added) reload();
    return name;
  }

  // The name of a look, added to the sheet (and `added` set) if new; the
  // sheet takes effect at the next reload().
  const std::string* add(const std::string& rules, bool& added) {
    auto known = names_.find(rules);
    if (known != names_.end()) return &known->second;
    if (names_.size() >= most_looks) return nullptr;
    std::string name = "filerow-look-" + std::to_string(names_.size());
    for (std::size_t at = 0; at < rules.size(); ++at)
      sheet_ += rules[at] == '\1' ? name : std::string(1, rules[at]);
    added = true;
    return &(names_[rules] = name);
  }

  void reload() { gtk_css_provider_load_from_data(provider_, sheet_.c_str(), -1, nullptr); }

  void expected(const wxColour& foreground) {
    if (!has_expected(foreground)) expected_.push_back(foreground);
  }
  bool has_expected(const wxColour& foreground) const {
    return std::find(expected_.begin(), expected_.end(), foreground) != expected_.end();
  }

 private:
  StyleSheet() : provider_(gtk_css_provider_new()) {
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(),
                                              GTK_STYLE_PROVIDER(provider_),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    borderless_ = *name_for(".\1,.\1 *{border:none;border-radius:0;padding:0;transition:none}");
  }

  GtkCssProvider* provider_;
  std::string sheet_;
  std::string borderless_;
  std::map<std::string, std::string> names_;
  std::vector<wxColour> expected_;  // foregrounds; few, as a host's colours are
};

std::string css_colour(const wxColour& colour) {
  gchar* text = gdk_rgba_to_string(colour);
  std::string css = text;
  g_free(text);
  return css;
}

// A font as wx writes it in CSS for GTK 3.22 and later.
std::string css_font(const PangoFontDescription* font) {
  std::string css;
  PangoFontMask set = pango_font_description_get_set_fields(font);
  if (set & PANGO_FONT_MASK_STYLE) {
    switch (pango_font_description_get_style(font)) {
      case PANGO_STYLE_NORMAL: break;
      case PANGO_STYLE_OBLIQUE: css += "oblique "; break;
      case PANGO_STYLE_ITALIC: css += "italic "; break;
    }
  }
  if (set & PANGO_FONT_MASK_VARIANT) {
    switch (pango_font_description_get_variant(font)) {
      case PANGO_VARIANT_SMALL_CAPS: css += "small-caps "; break;
#if PANGO_VERSION_CHECK(1, 50, 0)
      case PANGO_VARIANT_ALL_SMALL_CAPS: css += "all-small-caps "; break;
      case PANGO_VARIANT_PETITE_CAPS: css += "petite-caps "; break;
      case PANGO_VARIANT_ALL_PETITE_CAPS: css += "all-petite-caps "; break;
      case PANGO_VARIANT_UNICASE: css += "unicase "; break;
      case PANGO_VARIANT_TITLE_CAPS: css += "titling-caps "; break;
#endif
      default: break;
    }
  }
  if (set & PANGO_FONT_MASK_WEIGHT) {
    int weight = pango_font_description_get_weight(font);
    if (weight != PANGO_WEIGHT_NORMAL) css += std::to_string(weight) + " ";
  }
  if (set & PANGO_FONT_MASK_STRETCH) {
    static const char* const stretches[] = {
        "ultra-condensed ", "extra-condensed ", "condensed ", "semi-condensed ", "",
        "semi-expanded ",   "expanded ",        "extra-expanded ", "ultra-expanded "};
    css += stretches[pango_font_description_get_stretch(font)];
  }
  if (set & PANGO_FONT_MASK_SIZE) {
    int size = pango_font_description_get_size(font);
    css += pango_font_description_get_size_is_absolute(font)
               ? std::to_string(size) + "px "
               : std::to_string(size / PANGO_SCALE) + "pt ";
  }
  if (set & PANGO_FONT_MASK_FAMILY)
    css += std::string("\"") + pango_font_description_get_family(font) + "\"";
  return css;
}

// What wx writes into a window's own style provider for these colours and
// font, with the widget's own sheet's "*" written as the widget named for the
// look and the nodes inside it.
std::string rules_of(const wxColour& foreground, const wxColour& background,
                     const wxFont& font) {
  std::string look;
  if (foreground.IsOk()) look += "color:" + css_colour(foreground) + ";";
  if (background.IsOk()) look += "background:" + css_colour(background) + ";";
  if (font.IsOk()) look += "font:" + css_font(font.GetNativeFontInfo()->description);
  std::string rules = "#\1,#\1 *{" + look + "}";
  if (foreground.IsOk() || background.IsOk()) {
    std::string selected =
        "{color:" + css_colour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHTTEXT)) +
        ";background:" + css_colour(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT)) + "}";
    rules += "#\1 selection" + selected + "#\1:selected,#\1 *:selected" + selected;
    if (foreground.IsOk()) rules += "#\1,#\1 *{caret-color:" + css_colour(foreground) + "}";
    if (background.IsOk()) rules += "#\1 undershoot{background:transparent}";
  }
  return rules;
}

// Whether wx takes the frame off a text control made with wxBORDER_NONE (it
// does from some 3.2 release on, besides its style rule): asked of wx once,
// on a control of a frame never shown.
bool wx_unframes_borderless_text() {
  static const bool unframes = [] {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "");
    auto* text = new wxTextCtrl(frame, wxID_ANY, "", wxDefaultPosition, wxDefaultSize,
                                wxBORDER_NONE);
    bool framed = gtk_entry_get_has_frame(GTK_ENTRY(text->GetHandle()));
    delete frame;
    return !framed;
  }();
  return unframes;
}

}  // namespace

bool apply_look(GtkWidget* widget, const wxColour& foreground, const wxColour& background,
                const wxFont& font, std::string& current) {
  const std::string* name = StyleSheet::get().name_for(rules_of(foreground, background, font));
  if (name == nullptr) return false;
  if (*name != current) gtk_widget_set_name(widget, name->c_str());
  current = *name;
  return true;
}

void expect_looks(const wxColour& foreground, std::initializer_list<wxColour> backgrounds,
                  std::initializer_list<wxFont> fonts) {
  StyleSheet& sheet = StyleSheet::get();
  sheet.expected(foreground);
  bool added = false;
  for (const wxColour& background : backgrounds)
    for (const wxFont& font : fonts) sheet.add(rules_of(foreground, background, font), added);
  if (added) sheet.reload();
}

bool looks_expected(const wxColour& foreground) {
  return StyleSheet::get().has_expected(foreground);
}

void drop_look(GtkWidget* widget, std::string& current) {
  if (!current.empty()) gtk_widget_set_name(widget, nullptr);
  current.clear();
}

void make_borderless(GtkWidget* entry) {
  if (wx_unframes_borderless_text()) gtk_entry_set_has_frame(GTK_ENTRY(entry), FALSE);
  gtk_style_context_add_class(gtk_widget_get_style_context(entry),
                              StyleSheet::get().borderless().c_str());
}

}  // namespace filerow
