#pragma once

#include <host/services.h>

#include <string>
#include <vector>

// Host services that answer with fixed fonts and colours and record every
// call, so tests can check which widget was styled with which entry, and in
// what order relative to fonts and colours.
class RecordingServices : public host::Services {
 public:
  struct Tree : host::TreeStyle {
    wxFont font() const override;
    wxFont collapsed_font() const override;
    wxFont bold_font() const override;
    wxColour background() const override { return {250, 250, 250}; }
    wxColour selected_background() const override { return {200, 220, 255}; }
  };
  struct Menu : host::Style {};

  std::shared_ptr<const host::TreeStyle> tree_style() override;
  std::shared_ptr<const host::Style> menu_style() override;
  void format_widget(wxObject& widget, const host::Style& style) override;
  std::string andlist(const std::vector<std::string>& names,
                      const std::string& quote) override;
  void dprint(const std::string& text) override;
  void print_line(const std::string& line) override { printed.push_back(line); }
  void report_handler_error(std::exception_ptr error) override;

  /// One entry per format_widget call, with what the widget showed then.
  struct Formatted {
    const wxObject* widget;
    std::string style;  ///< "tree" or "menu"
    wxFont font;        ///< the window's font at the call (invalid for menu items)
    wxColour background;
  };
  std::vector<Formatted> formatted;
  std::vector<std::string> handler_errors;
  std::vector<std::string> printed;
  int theme_reads = 0;
  /// When set, the named service throws std::runtime_error("<name> failed").
  std::string failing;
};
