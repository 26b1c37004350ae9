#pragma once

// The application's window on the virtual screen, on a folder of the test's
// own, with its journals in another, and ways to drive it with simulated
// input and read what it shows.

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/image.h>
#include <wx/scrolwin.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <stdlib.h>

#include <ostream>
#include <string>
#include <vector>

#include "pump_events.h"
#include "screen_image.h"
#include "temp_folder.h"
#include "window.h"

using namespace bulkrename;
using Listing = std::vector<std::string>;

class Application : public ::testing::Test {
 protected:
  // Journals go to a folder of the test's own, never to the real home.
  void SetUp() override { ::setenv("XDG_STATE_HOME", state.path().c_str(), 1); }
  void open(const Options& options) {
    window = new Window(options, dir.path());
    window->Show();
    window->Raise();
    settle();
    window->rebuild();
    settle();
  }
  void TearDown() override {
    if (window != nullptr) window->Destroy();
    settle();
  }
  // The row of the entry at `path` in the tree shown now.
  Row entry(const std::string& path) const {
    for (const Row& row : window->tree()->entries())
      if (join(Entrytree::path_of(row)) == path) return row;
    ADD_FAILURE() << "no row for " << path;
    return nullptr;
  }
  template <typename Control>
  Control* control(const char* name) const {
    auto* found = dynamic_cast<Control*>(wxWindow::FindWindowByName(name, window));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }
  // A real click, near the left end of `widget` (a check box's box) or at
  // `where` inside it.
  void click(wxWindow* widget, wxPoint where = wxDefaultPosition) {
    if (where == wxDefaultPosition) where = wxPoint(8, widget->GetSize().y / 2);
    wxUIActionSimulator input;
    input.MouseMove(widget->ClientToScreen(where));
    settle();
    input.MouseClick();
    settle();
  }
  void type_into(wxTextCtrl* text, const char* typed) {
    click(text, wxPoint(text->GetSize().x / 2, text->GetSize().y / 2));
    text->SelectAll();
    wxUIActionSimulator input;
    input.Text(typed);
    settle();
  }
  // What a row shows, as far as its proposal decides.
  struct Looks {
    wxString proposed, tick;
    bool ticked;
    wxString box_font, mark_font, text_font;
    wxColour box_background, text_background;
    bool operator==(const Looks&) const = default;
    friend void PrintTo(const Looks& looks, std::ostream* out) {
      *out << "'" << looks.proposed.utf8_string() << "' tick '" << looks.tick.utf8_string()
           << "' ticked " << looks.ticked << " fonts " << looks.box_font.utf8_string() << " / "
           << looks.mark_font.utf8_string() << " / " << looks.text_font.utf8_string()
           << " backgrounds " << looks.box_background.GetAsString().utf8_string() << " / "
           << looks.text_background.GetAsString().utf8_string();
    }
  };
  static Looks looks(const Row& row) {
    return {row->proposed()->GetValue(),
            row->tick()->GetValue(),
            row->ticked(),
            row->checkbox()->GetFont().GetNativeFontInfoDesc(),
            row->tick()->GetFont().GetNativeFontInfoDesc(),
            row->proposed()->GetFont().GetNativeFontInfoDesc(),
            row->checkbox()->GetBackgroundColour(),
            row->proposed()->GetBackgroundColour()};
  }
  // Expects each of `rows` to look as its own handler leaves it for the text
  // it shows (a row never proposed anything else has a wider blank mark).
  static void expect_as_their_handlers_leave_them(const std::vector<Row>& rows) {
    std::vector<Looks> shown;
    for (const Row& row : rows) shown.push_back(looks(row));
    for (const Row& row : rows) row->proposed()->SetValue(row->proposed()->GetValue());
    for (std::size_t i = 0; i < rows.size(); ++i)
      EXPECT_EQ(looks(rows[i]), shown[i]) << rows[i]->name();
  }
  // Everything the window shows and its tree holds, a line per widget or row:
  // two windows alike have the same picture.
  std::vector<std::string> picture() const {
    std::vector<std::string> lines;
    auto text = [](const wxString& value) { return "'" + value.utf8_string() + "'"; };
    auto rect = [](const wxRect& r) {
      return std::to_string(r.x) + "," + std::to_string(r.y) + " " + std::to_string(r.width) +
             "x" + std::to_string(r.height);
    };
    auto size = [](const wxSize& s) { return std::to_string(s.x) + "x" + std::to_string(s.y); };
    auto* scroller = control<wxScrolledWindow>("tree");
    lines.push_back("tree " + rect(scroller->GetRect()) + " virtual " +
                    size(scroller->GetVirtualSize()) + " at " +
                    std::to_string(scroller->GetViewStart().x) + "," +
                    std::to_string(scroller->GetViewStart().y));
    for (const char* name : {"names", "proposals"}) {
      wxWindow* panel = wxWindow::FindWindowByName(name, window);
      lines.push_back(std::string(name) + " " + rect(panel->GetRect()));
      for (wxWindow* widget : panel->GetChildren()) {
        std::string line = wxString(widget->GetClassInfo()->GetClassName()).utf8_string();
        line += " " + rect(widget->GetRect()) + " min " + size(widget->GetMinSize()) + " best " +
                size(widget->GetBestSize()) + " font " +
                widget->GetFont().GetNativeFontInfoDesc().utf8_string() + " colours " +
                widget->GetForegroundColour().GetAsString().utf8_string() + "/" +
                widget->GetBackgroundColour().GetAsString().utf8_string() +
                (widget->IsShown() ? " shown" : " hidden") +
                (widget->IsEnabled() ? "" : " disabled");
        if (auto* box = dynamic_cast<wxCheckBox*>(widget))
          line += " " + text(box->GetLabel()) + " state " + std::to_string(box->Get3StateValue());
        if (auto* field = dynamic_cast<wxTextCtrl*>(widget))
          line += " " + text(field->GetValue()) + (field->IsEditable() ? "" : " read-only");
        lines.push_back(line);
      }
    }
    for (const auto& [widget, row] : *filerow::nodes()) {
      std::string children;
      for (const auto& [key, child] : row->children()) children += key + "|";
      lines.push_back("row " + join(row->branch()) + " stem " + row->stem() + " indent " +
                      std::to_string(row->indent()) + (row->ticked() ? " ticked" : "") +
                      (row->collapsed() ? " collapsed" : "") + " children " + children +
                      " newname " + row->newname());
    }
    std::string head;
    for (const auto& [key, child] : window->tree()->head()->children()) head += key + "|";
    lines.push_back("head " + head);
    for (std::size_t i = 0; i < window->tree()->entries().size(); ++i)
      lines.push_back("entry " + join(Entrytree::path_of(window->tree()->entries()[i])) +
                      " proposed " + window->tree()->proposed(i) +
                      (window->tree()->edited(i) ? " edited" : ""));
    lines.push_back("status " + text(window->GetStatusBar()->GetStatusText()));
    lines.push_back("edited " + text(control<wxStaticText>("edited")->GetLabel()));
    lines.push_back("report " + text(control<wxTextCtrl>("report")->GetValue()));
    lines.push_back("title " + text(window->GetTitle()));
    lines.push_back("text width " + std::to_string(filerow::textwidth()));
    return lines;
  }
  // The tree area as it is on the screen, pixel by pixel.
  std::string pixels() const {
    wxWindow* scroller = wxWindow::FindWindowByName("tree", window);
    wxImage image = screen_image(scroller->GetScreenRect());
    return std::string(reinterpret_cast<const char*>(image.GetData()),
                       static_cast<std::size_t>(image.GetWidth()) * image.GetHeight() * 3);
  }
  std::vector<std::string> proposals() const {
    std::vector<std::string> texts;
    for (const Row& row : window->tree()->entries())
      texts.push_back(row->proposed()->GetValue().utf8_string());
    return texts;
  }

  TempFolder dir;
  TempFolder state;
  Window* window = nullptr;
};

