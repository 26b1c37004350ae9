#include <filerow/filerow.h>

#include <gtk/gtk.h>

#include <stdexcept>
#include <vector>

#include "fixture.h"
#include "screen_image.h"

using filerow::Filerow;
using filerow::Row;

namespace {

const RecordingServices::Tree theme;

bool same_font(const wxFont& a, const wxFont& b) {
  return a.GetWeight() == b.GetWeight() && a.GetStyle() == b.GetStyle();
}

// Gives a widget made and styled by wx what a row's widget has.
void style_like(wxWindow* plain, wxWindow* row) {
  plain->SetMinSize(row->GetMinSize());
  plain->SetFont(row->GetFont());
  if (row->UseBackgroundColour()) plain->SetBackgroundColour(row->GetBackgroundColour());
  if (row->UseForegroundColour()) plain->SetForegroundColour(row->GetForegroundColour());
}

}  // namespace

class RowFormat : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    filerow::replace_registries();
    Filerow::set_context({panel1, panel2, sizer1, sizer2, {}});
    head = Filerow::create({""}, nullptr, -1, -1);
  }
  Row add(const std::string& name, Row parent, int rownmb) {
    Filerow::Branch branch = parent->branch();
    branch.push_back(name);
    Row row = Filerow::create(branch, parent, static_cast<int>(branch.size()) - 1, rownmb);
    row->update_parent();
    row->setup_rightside(rownmb);
    return row;
  }
  Row head;
};

TEST_F(RowFormat, FontsAndBackgroundsFollowTheDecisionTable) {
  Row folder = add("folder", head, 0);
  Row leaf = add("leaf", folder, 1);
  for (bool collapsed : {false, true})
    for (wxCheckBoxState state : {wxCHK_UNCHECKED, wxCHK_CHECKED, wxCHK_UNDETERMINED})
      for (const Row& row : {folder, leaf})
        for (bool renamed : {false, true}) {
          SCOPED_TRACE(row->name() + (collapsed ? " collapsed" : "") + " state " +
                       std::to_string(state) + (renamed ? " renamed" : ""));
          row->set_collapsed(collapsed);
          row->checkbox()->Set3StateValue(state);
          row->proposed()->ChangeValue(renamed ? "Leaf" : row->name());
          row->format_row();
          wxFont plain = collapsed ? theme.collapsed_font() : theme.font();
          wxColour back = state == wxCHK_CHECKED ? theme.selected_background() : theme.background();
          EXPECT_TRUE(same_font(row->checkbox()->GetFont(), plain));
          EXPECT_TRUE(same_font(row->tick()->GetFont(), plain));
          EXPECT_EQ(row->checkbox()->GetBackgroundColour(), back);
          EXPECT_EQ(row->proposed()->GetBackgroundColour(), back);
          wxFont name_font = !row->leaf() ? plain : renamed ? theme.bold_font() : theme.font();
          EXPECT_TRUE(same_font(row->proposed()->GetFont(), name_font));
        }
}

TEST_F(RowFormat, FontComesBeforeTheHostsStylingAndBackgroundAfter) {
  Row leaf = add("leaf", head, 0);
  leaf->set_collapsed(true);
  leaf->checkbox()->Set3StateValue(wxCHK_CHECKED);
  services->formatted.clear();
  leaf->format_row();
  ASSERT_EQ(services->formatted.size(), 3u);
  const auto& calls = services->formatted;
  EXPECT_EQ(calls[0].widget, leaf->checkbox());
  EXPECT_EQ(calls[1].widget, leaf->tick());
  EXPECT_EQ(calls[2].widget, leaf->proposed());
  for (const auto& call : calls) {
    EXPECT_EQ(call.style, "tree");
    EXPECT_TRUE(same_font(call.font, theme.collapsed_font()));
    EXPECT_NE(call.background, theme.selected_background());
  }
  // xformat_row ends in the same state, by its own order of calls.
  leaf->proposed()->ChangeValue("other");
  leaf->format_row();
  wxFont after_format = leaf->proposed()->GetFont();
  services->formatted.clear();
  leaf->xformat_row();
  EXPECT_EQ(services->formatted.size(), 3u);
  EXPECT_TRUE(same_font(leaf->proposed()->GetFont(), after_format));
  EXPECT_EQ(leaf->checkbox()->GetBackgroundColour(), theme.selected_background());
}

TEST_F(RowFormat, RowWithoutRightSideFormatsItsCheckBoxOnlyCollapsedOrNot) {
  Row bare = Filerow::create({"", "bare"}, head, 1, 0);
  for (bool collapsed : {false, true}) {
    bare->set_collapsed(collapsed);
    services->formatted.clear();
    bare->format_row();
    bare->xformat_row();
    ASSERT_EQ(services->formatted.size(), 2u);
    EXPECT_EQ(services->formatted[0].widget, bare->checkbox());
  }
}

TEST_F(RowFormat, ThemeIsReadOnEveryCallAndItsErrorsReachTheCaller) {
  Row leaf = add("leaf", head, 0);
  int before = services->theme_reads;
  leaf->format_row();
  int per_call = services->theme_reads - before;
  EXPECT_GT(per_call, 0);
  leaf->format_row();
  EXPECT_EQ(services->theme_reads - before, 2 * per_call);

  services->failing = "format_widget";
  EXPECT_THROW(leaf->format_row_leftside(), std::runtime_error);
  EXPECT_TRUE(same_font(leaf->checkbox()->GetFont(), theme.font()));  // the font was set first
  services->failing = "theme";
  EXPECT_THROW(leaf->format_row(), std::runtime_error);
}

TEST_F(RowFormat, RowsLookAndMeasureAsTheSameWidgetsStyledByWx) {
  // Rows give their widgets fonts and colours through one shared style sheet;
  // each must look and measure exactly as the widget wx itself would style.
  Filerow::set_context({panel1, panel2, sizer1, sizer2,
                        [](const std::string& name) { return name == "same" ? name : "New"; }});
  Row folder = add("folder", head, 0);
  Row renamed = add("renamed.txt", folder, 1);
  Row same = add("same", folder, 2);
  renamed->set_checkbox_state(wxCHK_CHECKED);
  same->set_checkbox_state(wxCHK_UNCHECKED);
  renamed->up_check(wxCHK_CHECKED);  // the folder turns mixed
  renamed->tick()->SetForegroundColour(*wxRED);  // as a host's styling might
  for (const Row& row : {folder, renamed, same}) row->format_row_rightside();

  // The same widgets made and styled by wx, a few grid lines further down.
  std::vector<std::pair<wxWindow*, wxWindow*>> pairs;
  int line = 10;
  for (const Row& row : {folder, renamed, same}) {
    auto* box = new wxCheckBox(panel1, wxID_ANY, row->checkbox()->GetLabel(),
                               wxDefaultPosition, wxDefaultSize, wxCHK_3STATE);
    box->Set3StateValue(row->checkbox()->Get3StateValue());
    style_like(box, row->checkbox());
    sizer1->Add(box, wxGBPosition(line, 0), wxDefaultSpan, 1, 2);
    auto* cell = new wxBoxSizer(wxHORIZONTAL);
    for (wxTextCtrl* text : {row->tick(), row->proposed()}) {
      auto* plain = new wxTextCtrl(panel2, wxID_ANY, text->GetValue(), wxDefaultPosition,
                                   text->GetSize(), text->GetWindowStyleFlag());
      plain->SetEditable(text->IsEditable());
      style_like(plain, text);
      cell->Add(plain, 0, wxALL | wxEXPAND, 0);
      pairs.emplace_back(text, plain);
    }
    sizer2->Add(cell, wxGBPosition(line++, 1), wxDefaultSpan, wxEXPAND, 2);
    pairs.emplace_back(row->checkbox(), box);
  }
  frame->Show();
  screenshot();
  wxMilliSleep(500);  // the theme animates a check box's mark for 400 ms
  wxImage screen = screenshot();
  wxPoint origin = frame->ClientToScreen(wxPoint(0, 0));
  auto pixels = [&](wxWindow* widget) {
    wxRect rect(widget->GetScreenPosition() - origin, widget->GetSize());
    return screen.GetSubImage(rect);
  };
  for (auto [row_widget, plain] : pairs) {
    SCOPED_TRACE(wxString(row_widget->GetClassInfo()->GetClassName()).ToStdString() + " " +
                 row_widget->GetLabel().ToStdString());
    EXPECT_EQ(row_widget->GetBestSize(), plain->GetBestSize());
    EXPECT_EQ(row_widget->GetSize(), plain->GetSize());
    EXPECT_TRUE(same_pixels(pixels(row_widget), pixels(plain))) << "the widget looks different";
  }
}

TEST_F(RowFormat, CheckBoxesDrawTheThemesMarksInEveryState) {
  // Rows' boxes draw their marks from images made once per colour and look;
  // in every state, in a focused window or not, under another theme too, they
  // must look as wx's own boxes do.
  struct Pair {
    wxCheckBox* row;
    wxCheckBox* plain;
  };
  std::vector<Pair> pairs;
  int line = 0;
  for (bool enabled : {true, false})
    for (bool coloured : {false, true})
      for (wxCheckBoxState state : {wxCHK_UNCHECKED, wxCHK_CHECKED, wxCHK_UNDETERMINED}) {
        Row row = add("row" + std::to_string(line), head, line);
        wxCheckBox* box = row->checkbox();
        box->Set3StateValue(state);
        row->format_row_leftside();
        if (coloured) box->SetForegroundColour(*wxRED);
        box->Enable(enabled);
        auto* plain = new wxCheckBox(panel1, wxID_ANY, box->GetLabel(), wxDefaultPosition,
                                     wxDefaultSize, wxCHK_3STATE);
        plain->Set3StateValue(state);
        style_like(plain, box);
        plain->Enable(enabled);
        sizer1->Add(plain, wxGBPosition(line++, 1), wxDefaultSpan, 1, 2);
        pairs.push_back({box, plain});
      }
  frame->Show();
  auto compare = [&](const std::string& when) {
    screenshot();
    wxMilliSleep(500);  // the theme animates a plain box's mark for 400 ms
    wxImage screen = screenshot();
    wxPoint origin = frame->ClientToScreen(wxPoint(0, 0));
    for (const Pair& pair : pairs) {
      SCOPED_TRACE(when + ", " + pair.row->GetLabel().ToStdString() + " state " +
                   std::to_string(pair.row->Get3StateValue()));
      wxRect mine(pair.row->GetScreenPosition() - origin, pair.row->GetSize());
      wxRect theirs(pair.plain->GetScreenPosition() - origin, pair.plain->GetSize());
      EXPECT_TRUE(same_pixels(screen.GetSubImage(mine), screen.GetSubImage(theirs)));
    }
  };
  compare("as shown");
  GtkWidget* window = frame->GetHandle();
  bool backdrop = gtk_widget_get_state_flags(window) & GTK_STATE_FLAG_BACKDROP;
  if (backdrop)
    gtk_widget_unset_state_flags(window, GTK_STATE_FLAG_BACKDROP);
  else
    gtk_widget_set_state_flags(window, GTK_STATE_FLAG_BACKDROP, FALSE);
  compare(backdrop ? "window focused" : "window unfocused");

  // Another built-in theme, its marks made anew.
  GtkSettings* settings = gtk_settings_get_default();
  gchar* theme = nullptr;
  g_object_get(settings, "gtk-theme-name", &theme, nullptr);
  std::string first = theme != nullptr ? theme : "";
  g_free(theme);
  g_object_set(settings, "gtk-theme-name", "HighContrast", nullptr);
  compare("another theme");
  // Some looks made anew, the others left as they were.
  for (std::size_t i = 0; i < pairs.size(); i += 2)
    for (wxCheckBox* box : {pairs[i].row, pairs[i].plain}) box->SetForegroundColour(*wxBLUE);
  compare("another theme, half styled anew");
  g_object_set(settings, "gtk-theme-name", first.empty() ? nullptr : first.c_str(), nullptr);
  compare("the first theme again");
}
