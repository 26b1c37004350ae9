#include <host/services.h>

#include <wx/app.h>
#include <wx/settings.h>

#include <cstdio>

namespace host {

namespace {

// Blends the selection colour into the window colour, so that a checked row
// stands out while its text stays readable in the window's text colour.
wxColour tint(const wxColour& base, const wxColour& accent) {
  auto mix = [](unsigned char b, unsigned char a) {
    return static_cast<unsigned char>((3 * b + a) / 4);
  };
  return {mix(base.Red(), accent.Red()), mix(base.Green(), accent.Green()),
          mix(base.Blue(), accent.Blue())};
}

class SystemTreeStyle final : public TreeStyle {
 public:
  wxFont font() const override { return wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT); }
  wxFont collapsed_font() const override { return font().Italic(); }
  wxFont bold_font() const override { return font().Bold(); }
  wxColour background() const override {
    return wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  }
  wxColour selected_background() const override {
    return tint(background(), wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT));
  }
};

class SystemMenuStyle final : public Style {};

}  // namespace

std::shared_ptr<const TreeStyle> DefaultServices::tree_style() {
  return std::make_shared<SystemTreeStyle>();
}

std::shared_ptr<const Style> DefaultServices::menu_style() {
  return std::make_shared<SystemMenuStyle>();
}

// The system theme already styles every widget; each extra colour set here
// would cost GTK a restyle of the widget's siblings.
void DefaultServices::format_widget(wxObject&, const Style&) {}

std::string DefaultServices::andlist(const std::vector<std::string>& names,
                                     const std::string& quote) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
    text += quote + names[i] + quote;
  }
  return text;
}

void DefaultServices::dprint(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
}

void DefaultServices::print_line(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void DefaultServices::report_handler_error(std::exception_ptr error) {
  // The application's hook gets the first say, as it does for errors in the
  // toolkit's own handlers: true goes on, false ends the main loop. The
  // default hook rethrows; then the error is printed and the loop goes on.
  try {
    std::rethrow_exception(error);
  } catch (...) {
    try {
      if (wxTheApp != nullptr) {
        if (!wxTheApp->OnExceptionInMainLoop()) wxTheApp->ExitMainLoop();
        return;
      }
    } catch (...) {
    }
  }
  std::fprintf(stderr, "Error in event handler: %s\n", describe(error).c_str());
}

}  // namespace host
