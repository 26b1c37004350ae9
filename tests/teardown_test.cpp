#include <tickpane/teardown.h>
#include <tickpane/tickpane.h>

#include <wx/checkbox.h>
#include <wx/textctrl.h>

#include <gtk/gtk.h>

#include <set>
#include <vector>

#include "fixture.h"
#include "input_contexts.h"

using tickpane::Filetree;

namespace {

// The GDK windows that `widget` made in its panel's window.
std::vector<GdkWindow*> windows_of(const wxWindow& widget) {
  std::vector<GdkWindow*> windows;
  GtkWidget* handle = widget.GetHandle();
  for (GList* child = gdk_window_peek_children(gtk_widget_get_window(handle)); child;
       child = child->next) {
    gpointer owner = nullptr;
    gdk_window_get_user_data(GDK_WINDOW(child->data), &owner);
    if (owner == handle) windows.push_back(GDK_WINDOW(child->data));
  }
  return windows;
}

// How many of the display's listeners for a seat removed are these windows'.
guint seat_listeners(const std::vector<GdkWindow*>& windows) {
  GdkDisplay* display = gdk_display_get_default();
  guint seat_removed = g_signal_lookup("seat-removed", GDK_TYPE_DISPLAY);
  auto match = GSignalMatchType(G_SIGNAL_MATCH_ID | G_SIGNAL_MATCH_DATA);
  guint found = 0;
  for (GdkWindow* window : windows) {
    found += g_signal_handlers_block_matched(display, match, seat_removed, 0, nullptr, nullptr,
                                             window);
    g_signal_handlers_unblock_matched(display, match, seat_removed, 0, nullptr, nullptr, window);
  }
  return found;
}

// The listeners the settings have for a change of input method, by id.
std::set<gulong> input_method_listeners() {
  GtkSettings* settings = gtk_settings_get_default();
  guint notify = g_signal_lookup("notify", G_TYPE_OBJECT);
  GQuark input_method = g_quark_from_static_string("gtk-im-module");
  auto match = GSignalMatchType(G_SIGNAL_MATCH_ID | G_SIGNAL_MATCH_DETAIL |
                                G_SIGNAL_MATCH_UNBLOCKED);
  std::set<gulong> found;
  auto next = [&] {
    return g_signal_handler_find(settings, match, notify, input_method, nullptr, nullptr, nullptr);
  };
  while (gulong listener = next()) {
    found.insert(listener);
    g_signal_handler_block(settings, listener);
  }
  for (gulong listener : found) g_signal_handler_unblock(settings, listener);
  return found;
}

}  // namespace

class Teardown : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    for (int file = 0; file < 4; ++file) dir.file("sub/file" + std::to_string(file) + ".txt");
    frame->Show();
  }

  std::unique_ptr<Filetree> built_tree() {
    auto config = std::make_shared<host::PlainConfig>(dir.path().string(), "*", false, true);
    auto tree = std::make_unique<Filetree>(panel1, panel2, sizer1, sizer2, config,
                                           [](const std::string& name) { return name + "~"; },
                                           host::Progress{});
    tree->build();
    return tree;
  }

  TempFolder dir;
};

TEST_F(Teardown, DestroyRowsEmptiesBothPanelsReadyForTheNextTree) {
  auto tree = built_tree();
  frame->Layout();
  pump();
  ASSERT_EQ(filerow::nodes()->size(), 5u);
  filerow::Row row = filerow::nodes()->begin()->second;

  tickpane::destroy_rows(*tree);

  EXPECT_EQ(sizer1->GetItemCount(), 0u);
  EXPECT_EQ(sizer2->GetItemCount(), 0u);
  EXPECT_TRUE(panel1->GetChildren().empty());
  EXPECT_TRUE(panel2->GetChildren().empty());
  EXPECT_TRUE(panel1->IsShown());
  EXPECT_TRUE(panel2->IsShown());
  // The rows outlive their widgets and see them as gone.
  EXPECT_EQ(row->checkbox(), nullptr);
  EXPECT_EQ(row->tick(), nullptr);
  EXPECT_EQ(row->proposed(), nullptr);

  auto next = built_tree();
  EXPECT_EQ(filerow::nodes()->size(), 5u);
  EXPECT_EQ(sizer1->GetItemCount(), 5u);
  EXPECT_EQ(sizer2->GetItemCount(), 5u);
  for (const auto& [widget, each] : *filerow::nodes()) EXPECT_TRUE(each->checkbox()->IsShown());
}

TEST_F(Teardown, DestroyRowsLeavesAHiddenPanelHidden) {
  auto tree = built_tree();
  panel2->Hide();
  tickpane::destroy_rows(*tree);
  EXPECT_TRUE(panel1->IsShown());
  EXPECT_FALSE(panel2->IsShown());
  EXPECT_TRUE(panel2->GetChildren().empty());
}

TEST_F(Teardown, DestroyRowsSkipsAPanelTheHostDestroyed) {
  auto tree = built_tree();
  panel1->Destroy();
  panel1 = nullptr;
  sizer1 = nullptr;
  tickpane::destroy_rows(*tree);
  EXPECT_EQ(sizer2->GetItemCount(), 0u);
  EXPECT_TRUE(panel2->GetChildren().empty());
  EXPECT_TRUE(panel2->IsShown());
}

TEST_F(Teardown, DestroyRowsTakesOffTheDisplayOnlyTheWindowsItDestroys) {
  auto tree = built_tree();
  // The host's own box in the left panel, outside the sizer.
  auto* own = new wxCheckBox(panel1, wxID_ANY, "own");
  frame->Layout();
  pump();
  std::vector<GdkWindow*> rows;
  for (const auto& [box, row] : *filerow::nodes())
    for (const wxWindow* widget : {static_cast<wxWindow*>(row->checkbox()),
                                   static_cast<wxWindow*>(row->tick()),
                                   static_cast<wxWindow*>(row->proposed())})
      if (widget != nullptr)
        for (GdkWindow* window : windows_of(*widget)) rows.push_back(window);
  ASSERT_EQ(seat_listeners(rows), rows.size()) << "GDK no longer has windows listen for seats";
  std::vector<GdkWindow*> owns = windows_of(*own);
  ASSERT_EQ(seat_listeners(owns), owns.size());

  tickpane::destroy_rows(*tree);

  // Only the addresses are compared: no window was made since.
  EXPECT_EQ(seat_listeners(rows), 0u);
  EXPECT_EQ(seat_listeners(owns), owns.size());
}

// GTK 3.24.49 has each realized entry listen to the settings; 3.24.38 listens
// once for all, and there this checks only that nothing is taken off. Other
// entries' listeners (wx leaves some behind) are counted as they are.
TEST_F(Teardown, DestroyRowsTakesOffTheSettingsOnlyTheEntriesItDestroys) {
  auto tree = built_tree();
  frame->Layout();
  pump();
  const std::set<gulong> with_rows = input_method_listeners();
  // The host's own entry in the right panel, outside the sizer.
  auto* own = new wxTextCtrl(panel2, wxID_ANY, "own");
  frame->Layout();
  pump();
  std::vector<gulong> owns;
  for (gulong listener : input_method_listeners())
    if (with_rows.count(listener) == 0) owns.push_back(listener);
  ASSERT_LE(owns.size(), 1u);

  tickpane::destroy_rows(*tree);

  const std::set<gulong> left = input_method_listeners();
  for (gulong listener : owns) EXPECT_EQ(left.count(listener), 1u);
  // The host's entry was known: one listener fewer.
  tickpane::leave_settings(*own);
  EXPECT_EQ(input_method_listeners().size(), left.size() - owns.size());
}
