#include <filerow/hidden_creation.h>
#include <tickpane/tickpane.h>

#include <wx/button.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include <functional>

#include <map>

#include "captured_output.h"
#include "fixture.h"
#include "reveal_batch.h"
#include "screen_image.h"

using filerow::Row;
using tickpane::Filetree;

namespace {

// Everything a host can see of one build: its calls to our services and
// callbacks, every widget's state afterwards, and the pixels on screen.
struct Observed {
  std::vector<std::string> calls;
  std::vector<std::string> widgets;
  wxImage screen;
};

std::string describe(wxWindow* widget, wxWindow* left) {
  wxRect r = widget->GetRect();
  wxFont font = widget->GetFont();
  wxWindow* parent = widget->GetParent();
  std::string text = wxString(widget->GetLabel()).ToStdString();
  if (auto* control = dynamic_cast<wxTextCtrl*>(widget))
    text = control->GetValue().ToStdString() + " at " +
           std::to_string(control->GetInsertionPoint()) +
           (control->IsEditable() ? " editable" : " read-only");
  return wxString(widget->GetClassInfo()->GetClassName()).ToStdString() +
         (parent == left ? " left" : " right") + " child " +
         std::to_string(parent->GetChildren().IndexOf(widget)) + " '" + text + "' shown=" +
         std::to_string(widget->IsShown()) + " rect=" + std::to_string(r.x) + "," +
         std::to_string(r.y) + "," + std::to_string(r.width) + "," + std::to_string(r.height) +
         " min=" + std::to_string(widget->GetMinSize().x) + "," +
         std::to_string(widget->GetMinSize().y) + " best=" +
         std::to_string(widget->GetBestSize().x) + "," + std::to_string(widget->GetBestSize().y) +
         " font=" + font.GetNativeFontInfoDesc().ToStdString() + " back=" +
         widget->GetBackgroundColour().GetAsString().ToStdString() + " fore=" +
         widget->GetForegroundColour().GetAsString().ToStdString();
}

}  // namespace

class Reveal : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    for (int folder = 0; folder < 4; ++folder)
      for (int file = 0; file < 5; ++file)
        dir.file("f" + std::to_string(folder) + "/sub/file" + std::to_string(file) + ".txt");
    dir.file("top.txt");
    frame->SetSize(wxRect(20, 20, 600, 900));
    frame->Show();
  }

  // `also` runs in on_add_node, after the recording.
  Observed build(int batch, std::function<void(const Row&)> also = {}) {
    Observed seen;
    sizer1->Clear(true);
    sizer2->Clear(true);
    panel1->DestroyChildren();
    panel2->DestroyChildren();
    filerow::set_textwidth(0);
    auto config = std::make_shared<host::PlainConfig>(dir.path().string());
    struct Recording : Filetree {
      using Filetree::Filetree;
      void on_add_node(const Row& node) override {
        calls->push_back("added " + node->name());
        if (also) also(node);
      }
      std::vector<std::string>* calls;
      std::function<void(const Row&)> also;
    };
    Recording tree(
        panel1, panel2, sizer1, sizer2, config,
        [&](const std::string& name) {
          seen.calls.push_back("transform " + name);
          return name.size() % 2 ? name : name + "~";
        },
        [&](const std::string& text) { seen.calls.push_back("progress " + text); });
    tree.calls = &seen.calls;
    tree.also = also;
    tickpane::RevealBatch batching(batch);
    services->formatted.clear();
    {
      CapturedOutput discarded;
      tree.build();
    }

    std::map<const wxObject*, std::string> names;
    int index = 0;
    for (const auto& [widget, row] : *filerow::nodes()) {
      std::string at = "row " + std::to_string(index++);
      names[row->checkbox()] = at + " checkbox";
      names[row->tick()] = at + " tick";
      names[row->proposed()] = at + " proposed";
    }
    for (wxWindow* panel : {panel1, panel2})
      for (wxWindow* widget : panel->GetChildren())
        seen.widgets.push_back(names[widget] + " " + describe(widget, panel1));
    for (const auto& call : services->formatted)
      seen.calls.push_back("format " + names[call.widget]);

    seen.screen = screenshot();
    return seen;
  }
  TempFolder dir;
};

TEST_F(Reveal, BatchedBuildLooksAndCallsExactlyAsOneWidgetAtATime) {
  Observed plain = build(0);
  ASSERT_EQ(plain.widgets.size(), 3u * 29);
  EXPECT_EQ(filerow::nodes()->size(), 29u);
  for (int batch : {128, 4}) {
    SCOPED_TRACE("batch " + std::to_string(batch));
    Observed batched = build(batch);
    EXPECT_EQ(batched.calls, plain.calls);
    EXPECT_EQ(batched.widgets, plain.widgets);
    ASSERT_TRUE(batched.screen.IsOk());
    EXPECT_TRUE(same_pixels(batched.screen, plain.screen)) << "the screen differs";
  }
}

TEST_F(Reveal, HostWidgetsAndRowsMadeDuringABuildKeepTheirPlaceAmongTheRows) {
  // The host adds its own widgets to both panels and a row of its own while
  // the tree builds: widgets made ahead of the rows must not end up before
  // them in the panels' children.
  auto host_additions = [&, added = 0](const Row&) mutable {
    ++added;
    if (added == 4) {
      new wxStaticText(panel1, wxID_ANY, "host's");
      new wxButton(panel2, wxID_ANY, "host's");
    }
    if (added == 11)
      filerow::Filerow::create({"", "host's row"}, nullptr, 3, 100)->setup_rightside(100);
  };
  Observed plain = build(0, host_additions);
  ASSERT_EQ(plain.widgets.size(), 3u * 30 + 2);
  for (int batch : {128, 4}) {
    SCOPED_TRACE("batch " + std::to_string(batch));
    Observed batched = build(batch, host_additions);
    EXPECT_EQ(batched.calls, plain.calls);
    EXPECT_EQ(batched.widgets, plain.widgets);
  }
}

TEST_F(Reveal, HooksSeeRowsAsShownAndWhatTheyHideStaysHidden) {
  // In on_add_node the host looks at the row just made and the panels, hides
  // one row's tick mark, and collapses a folder whose rows are all made.
  std::vector<std::string> looked;
  Row f0;
  auto host = [&](const Row& node) {
    bool shown = node->checkbox()->IsShown() && node->tick()->IsShown() &&
                 node->proposed()->IsShown();
    looked.push_back(node->name() + (shown ? " shown, " : " hidden, ") +
                     std::to_string(panel1->GetChildren().size()) + "/" +
                     std::to_string(panel2->GetChildren().size()) + " children");
    if (node->name() == "file2.txt") node->tick()->Hide();
    Row folder = node->indent() == 3 ? node->parent()->parent() : nullptr;
    if (folder && folder->name() == "f0") f0 = folder;
    if (folder && folder->name() == "f1" && f0) {
      f0->collapse();
      f0 = nullptr;
    }
  };
  Observed plain = build(0, host);
  std::vector<std::string> looked_plain = std::move(looked);
  EXPECT_EQ(looked_plain.front(), "file0.txt shown, 3/6 children");
  for (int batch : {128, 4}) {
    SCOPED_TRACE("batch " + std::to_string(batch));
    looked.clear();
    Observed batched = build(batch, host);
    EXPECT_EQ(looked, looked_plain);
    EXPECT_EQ(batched.calls, plain.calls);
    EXPECT_EQ(batched.widgets, plain.widgets);
  }
  // f0's rows below it are hidden, and one tick mark in each folder.
  int hidden = 0;
  for (wxWindow* widget : panel2->GetChildren()) hidden += !widget->IsShown();
  EXPECT_EQ(hidden, 2 * 6 + 3);
}

TEST_F(Reveal, FailedBuildStillShowsEveryWidgetItMade) {
  auto config = std::make_shared<host::PlainConfig>(dir.path().string());
  int made = 0;
  Filetree tree(panel1, panel2, sizer1, sizer2, config,
                [&](const std::string& name) -> std::string {
                  if (++made == 7) throw std::runtime_error("stop");
                  return name;
                },
                nullptr);
  tickpane::RevealBatch batching(4);
  {
    CapturedOutput discarded;
    EXPECT_THROW(tree.build(), std::runtime_error);
  }
  // None is left active: another can start.
  EXPECT_NO_THROW(filerow::HiddenCreation());
  for (wxWindow* widget : panel1->GetChildren()) EXPECT_TRUE(widget->IsShown());
  for (wxWindow* widget : panel2->GetChildren()) EXPECT_TRUE(widget->IsShown());
  EXPECT_EQ(panel1->GetChildren().size(), 7u);

  // Rows made outside a build show at once.
  auto row = filerow::Filerow::create({"", "alone"}, nullptr, 1, 100);
  EXPECT_TRUE(row->checkbox()->IsShown());
}
