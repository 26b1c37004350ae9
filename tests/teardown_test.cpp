#include <tickpane/teardown.h>
#include <tickpane/tickpane.h>

#include "fixture.h"

using tickpane::Filetree;

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
