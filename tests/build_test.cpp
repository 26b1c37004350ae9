#include <tickpane/tickpane.h>

#include <wx/utils.h>

#include <stdexcept>

#include "fixture.h"

using filerow::Row;
using tickpane::Filetree;

namespace {

// A tree that records its hooks, and optionally fails in on_add_node.
class HookedTree : public Filetree {
 public:
  using Filetree::Filetree;
  void on_add_node(const Row& node) override { added.push_back(node->name()); }
  void on_built() override { built = true; }
  std::vector<std::string> added;
  bool built = false;
};

std::vector<std::string> names_of(const Row& row) {
  std::vector<std::string> names;
  for (const auto& [name, child] : row->children()) names.push_back(name);
  return names;
}

}  // namespace

class Build : public PanelTest {
 protected:
  std::unique_ptr<HookedTree> make(const std::string& pattern = "*", bool folders = false,
                                   host::Transform transform = {}) {
    config = std::make_shared<host::PlainConfig>(dir.path().string(), pattern, folders, true);
    return std::make_unique<HookedTree>(
        panel1, panel2, sizer1, sizer2, config, std::move(transform),
        [this](const std::string& text) { messages.push_back(text); });
  }
  TempFolder dir;
  std::shared_ptr<host::PlainConfig> config;
  std::vector<std::string> messages;
};

TEST_F(Build, RowsComeInDisplayOrderWithParentsIndentsAndGridLines) {
  dir.file("a.txt");
  dir.file("sub/b.txt");
  dir.file("sub/c.txt");
  auto tree = make();
  tree->build();
  ASSERT_EQ(services->printed.size(), 1u);
  const std::string& summary = services->printed[0];

  const std::string location = dir.path().string();
  EXPECT_EQ(tree->rownmb(), 4);
  EXPECT_EQ(tree->nmbleaves(), 3);
  Row head = tree->head();
  EXPECT_EQ(head->indent(), -1);
  EXPECT_EQ(names_of(head), (std::vector<std::string>{"a.txt", "sub"}));
  Row sub = head->children().find("sub");
  EXPECT_EQ(names_of(sub), (std::vector<std::string>{"b.txt", "c.txt"}));
  EXPECT_EQ(sub->children().find("c.txt")->branch(),
            (filerow::Filerow::Branch{"", "sub", "c.txt"}));
  EXPECT_EQ(sub->children().find("c.txt")->indent(), 2);

  std::vector<std::string> order;
  int line = 0;
  for (const auto& [widget, row] : *filerow::nodes()) {
    order.push_back(row->name());
    EXPECT_EQ(sizer1->FindItemAtPosition({line, 0})->GetSizer()->GetItem(1)->GetWindow(),
              row->checkbox());
    EXPECT_EQ(sizer2->FindItemAtPosition({line, 1})->GetSizer()->GetItem(2)->GetWindow(),
              row->proposed());
    ++line;
  }
  EXPECT_EQ(order, (std::vector<std::string>{"a.txt", "sub", "b.txt", "c.txt"}));
  EXPECT_FALSE(sub->proposed()->IsEditable());
  EXPECT_TRUE(sub->children().find("b.txt")->proposed()->IsEditable());

  EXPECT_EQ(messages, (std::vector<std::string>{
                          "Building filetree for " + location, "Processing a.txt",
                          "Processing sub/b.txt", "Processing sub/c.txt",
                          "3 files found for " + location}));
  EXPECT_EQ(tree->added, (std::vector<std::string>{"a.txt", "b.txt", "c.txt"}));
  EXPECT_TRUE(tree->built);
  EXPECT_EQ(summary.rfind("++++++++++ '" + location + "' for 3 files ~ get_names: ", 0), 0u)
      << summary;
  EXPECT_NE(summary.find(", branches elapsed: "), std::string::npos);
  // Both times in a ten-character field with three decimals.
  std::size_t first = summary.find("get_names: ") + 11;
  EXPECT_EQ(summary.substr(first, 10).size(), 10u);
  EXPECT_EQ(summary[first + 6], '.');
}

TEST_F(Build, EmptyFolderGivesOnlyTheHeadAndSaysSo) {
  auto tree = make("*", true);
  tree->build();
  EXPECT_TRUE(tree->head()->leaf());
  EXPECT_TRUE(filerow::nodes()->empty());
  EXPECT_EQ(tree->rownmb(), 0);
  EXPECT_EQ(messages.back(), "No folders found in " + dir.path().string());
  ASSERT_EQ(services->printed.size(), 1u);
  EXPECT_NE(services->printed[0].find("' for 0 folders ~ "), std::string::npos);
}

TEST_F(Build, FolderModeCountsFoldersWithoutSubfoldersAsLeaves) {
  dir.folder("photos/2020/jan");
  dir.folder("photos2");
  dir.file("photos/x.jpg");
  auto tree = make("*", true);
  tree->build();
  EXPECT_EQ(tree->rownmb(), 4);
  EXPECT_EQ(tree->nmbleaves(), 2);  // jan and photos2
  EXPECT_EQ(messages.back(), "2 folders found for " + dir.path().string());
}

TEST_F(Build, AddBranchReusesAFolderFoundAgainAmongItsParentsChildren) {
  // The order a backslash separator gives: a sibling sorts between a folder
  // and the folder's contents.
  auto tree = make();
  tree->build();  // empty folder: makes the head
  Filetree::Branchnodes branch{tree->head()};
  std::vector<Row> rows;
  for (const char* name : {"photos", "photos2", "photos/2020", "photos/2020/jan"}) {
    auto [row, path] = tree->add_branch(name, branch);
    branch = path;
    rows.push_back(row);
  }
  EXPECT_EQ(tree->rownmb(), 4);
  EXPECT_EQ(rows[2]->parent(), rows[0]);
  EXPECT_EQ(rows[3]->parent(), rows[2]);
  EXPECT_EQ(names_of(tree->head()), (std::vector<std::string>{"photos", "photos2"}));
  EXPECT_EQ(branch.size(), 4u);
  EXPECT_EQ(branch.back(), rows[3]);
  // The caller's list is left as it was.
  Filetree::Branchnodes before = branch;
  tree->add_branch("other", branch);
  EXPECT_EQ(branch, before);
}

TEST_F(Build, FailureMidwayKeepsTheRowsMadeAndClearsTheBusyCursor) {
  dir.file("a.txt");
  dir.file("b.txt");
  dir.file("c.txt");
  config = std::make_shared<host::PlainConfig>(dir.path().string(), "*", false, true);
  Filetree tree(panel1, panel2, sizer1, sizer2, config, {}, [](const std::string& text) {
    if (text == "Processing b.txt") throw std::runtime_error("progress sink broke");
  });
  EXPECT_THROW(tree.build(), std::runtime_error);
  EXPECT_FALSE(wxIsBusy());
  EXPECT_EQ(filerow::nodes()->size(), 1u);
  EXPECT_EQ(tree.head()->children().size(), 1u);

  sizer1->Clear(true);  // a host clears the panels before the next tree
  sizer2->Clear(true);
  auto failing = make("*", false, [](const std::string& name) -> std::string {
    if (name == "c.txt") throw std::invalid_argument("cannot propose");
    return name == "a.txt" ? "" : name;
  });
  EXPECT_THROW(failing->build(), std::invalid_argument);
  EXPECT_FALSE(wxIsBusy());
  EXPECT_FALSE(failing->built);
  Row a = failing->head()->children().find("a.txt");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->proposed()->GetValue(), "");
  EXPECT_FALSE(a->ticked());
}

TEST_F(Build, DeepFolderGivesOneRowPerLevel) {
  std::string path;
  for (int level = 0; level < 50; ++level) path += "d" + std::to_string(level) + "/";
  dir.file(path + "leaf.txt");
  auto tree = make();
  tree->build();
  EXPECT_EQ(tree->rownmb(), 51);
  Row deepest = filerow::nodes()->at(50).second;
  EXPECT_EQ(deepest->name(), "leaf.txt");
  EXPECT_EQ(deepest->indent(), 51);
  EXPECT_EQ(tree->nmbleaves(), 1);
}

TEST_F(Build, ScreenshotOfARealFolder) {
  dir.file("README.md");
  dir.file("photos/2019/beach.jpg");
  dir.file("photos/2019/sunset.jpg");
  dir.file("photos/2020/party.jpg");
  dir.file("notes/todo.txt");
  auto tree = make("*", false, [](const std::string& name) {
    return name.find(".jpg") != std::string::npos ? "holiday-" + name : name;
  });
  tree->build();
  filerow::nodes()->at(1).second->propagate_checkbox_state(wxCHK_CHECKED);
  frame->SetSize(700, 320);
  frame->Show();
  wxImage shot = screenshot();
  EXPECT_TRUE(shot.SaveFile("build-screenshot.png", wxBITMAP_TYPE_PNG));

  // Both panels keep every row on the same height.
  ASSERT_EQ(panel1->GetPosition().y, panel2->GetPosition().y);
  for (const auto& [widget, row] : *filerow::nodes())
    EXPECT_EQ(row->checkbox()->GetPosition().y, row->proposed()->GetPosition().y) << row->name();
}
