#include "recording_services.h"

#include <wx/window.h>

#include <stdexcept>

wxFont RecordingServices::Tree::font() const {
  return wxFont(wxFontInfo(10).Family(wxFONTFAMILY_SWISS));
}
wxFont RecordingServices::Tree::collapsed_font() const {
  return wxFont(wxFontInfo(10).Family(wxFONTFAMILY_SWISS).Italic());
}
wxFont RecordingServices::Tree::bold_font() const {
  return wxFont(wxFontInfo(10).Family(wxFONTFAMILY_SWISS).Bold());
}

std::shared_ptr<const host::TreeStyle> RecordingServices::tree_style() {
  if (failing == "theme") throw std::runtime_error("theme failed");
  ++theme_reads;
  return std::make_shared<Tree>();
}

std::shared_ptr<const host::Style> RecordingServices::menu_style() {
  return std::make_shared<Menu>();
}

void RecordingServices::format_widget(wxObject& widget, const host::Style& style) {
  if (failing == "format_widget") throw std::runtime_error("format_widget failed");
  Formatted call{&widget, dynamic_cast<const Menu*>(&style) ? "menu" : "tree", {}, {}};
  if (auto* window = dynamic_cast<wxWindow*>(&widget)) {
    call.font = window->GetFont();
    call.background = window->GetBackgroundColour();
  }
  formatted.push_back(call);
}

std::string RecordingServices::andlist(const std::vector<std::string>& names,
                                       const std::string& quote) {
  if (failing == "andlist") throw std::runtime_error("andlist failed");
  std::string text = "[";
  for (const auto& name : names) text += quote + name + quote + ";";
  return text + "]";
}

void RecordingServices::dprint(const std::string&) {}

void RecordingServices::report_handler_error(std::exception_ptr error) {
  handler_errors.push_back(host::describe(error));
}
