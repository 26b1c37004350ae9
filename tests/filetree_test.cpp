#include <tickpane/tickpane.h>

#include <filesystem>
#include <stdexcept>

#include "fixture.h"

using tickpane::Filetree;

namespace {

// A configuration whose every getter can be made to fail.
class BrokenConfig : public host::Config {
 public:
  std::string location() const override { throw std::runtime_error("no location"); }
  std::optional<std::string> pattern() const override { return std::nullopt; }
  bool folders() const override { return false; }
  bool recursive() const override { return true; }
};

}  // namespace

class TreeObject : public PanelTest {
 protected:
  std::unique_ptr<Filetree> make(std::shared_ptr<host::Config> config,
                                 host::Transform transform = {}) {
    return std::make_unique<Filetree>(panel1, panel2, sizer1, sizer2, std::move(config),
                                      std::move(transform), nullptr);
  }
};

TEST_F(TreeObject, StartsEmptyWithItsDefaults) {
  auto tree = make(std::make_shared<host::PlainConfig>("/tmp"));
  EXPECT_EQ(tree->location(), "/tmp");
  EXPECT_EQ(tree->pattern(), "*");
  EXPECT_EQ(tree->head(), nullptr);
  EXPECT_EQ(tree->rownmb(), 0);
  EXPECT_EQ(tree->nmbleaves(), 0);
  EXPECT_EQ(tree->textwidth(), 0);
  EXPECT_EQ(tree->row_height(), 20);
  EXPECT_EQ(tree->progresscnt(), 10);
  EXPECT_FALSE(tree->on_progress());
  EXPECT_EQ(tree->wxparent1(), panel1);
  EXPECT_EQ(tree->sizer2(), sizer2);
}

TEST_F(TreeObject, PatternIsSettledOnceFromTheConfiguration) {
  auto config = std::make_shared<host::PlainConfig>("/tmp", std::nullopt, true);
  EXPECT_EQ(make(config)->pattern(), "*");
  config->set_pattern("*.jpg");
  auto tree = make(config);
  EXPECT_EQ(tree->pattern(), "*.jpg");
  config->set_pattern("");
  EXPECT_EQ(tree->pattern(), "*.jpg");
  EXPECT_EQ(make(config)->pattern(), "");
}

TEST_F(TreeObject, LocationBecomesAbsoluteAndNormalised) {
  auto here = std::filesystem::current_path().string();
  EXPECT_EQ(make(std::make_shared<host::PlainConfig>("."))->location(), here);
  EXPECT_EQ(make(std::make_shared<host::PlainConfig>("/tmp/"))->location(), "/tmp");
  EXPECT_EQ(make(std::make_shared<host::PlainConfig>("/tmp/x/../y/./"))->location(),
            "/tmp/y");
  EXPECT_EQ(make(std::make_shared<host::PlainConfig>("/"))->location(), "/");
  EXPECT_EQ(make(std::make_shared<host::PlainConfig>("/../a//b"))->location(), "/a/b");
  // POSIX gives a leading "//" a meaning of its own; three or more are one.
  EXPECT_EQ(make(std::make_shared<host::PlainConfig>("//tmp/"))->location(), "//tmp");
  EXPECT_EQ(make(std::make_shared<host::PlainConfig>("//"))->location(), "//");
  EXPECT_EQ(make(std::make_shared<host::PlainConfig>("///tmp"))->location(), "/tmp");
}

TEST_F(TreeObject, ConstructionReplacesRegistriesAndSetsTheRowContext) {
  auto first = make(std::make_shared<host::PlainConfig>("/tmp"));
  auto row = filerow::Filerow::create({"", "a"}, nullptr, 1, 0);
  auto old_nodes = filerow::nodes();
  ASSERT_EQ(old_nodes->size(), 1u);

  auto second = make(std::make_shared<host::PlainConfig>("/tmp"),
                     [](const std::string& name) { return name + ".new"; });
  EXPECT_TRUE(filerow::nodes()->empty());
  EXPECT_TRUE(filerow::propnodes()->empty());
  EXPECT_EQ(old_nodes->size(), 1u);
  auto context = filerow::Filerow::context();
  EXPECT_EQ(context.wxparent1, panel1);
  EXPECT_EQ(context.wxparent2, panel2);
  EXPECT_EQ(context.sizer1, sizer1);
  EXPECT_EQ(context.sizer2, sizer2);
  ASSERT_TRUE(context.transform);
  EXPECT_EQ(context.transform("x"), "x.new");
}

TEST_F(TreeObject, FailingConfigurationLeavesRegistriesAlone) {
  make(std::make_shared<host::PlainConfig>("/tmp"));
  auto row = filerow::Filerow::create({"", "a"}, nullptr, 1, 0);
  auto nodes = filerow::nodes();
  EXPECT_THROW(make(std::make_shared<BrokenConfig>()), std::runtime_error);
  EXPECT_EQ(filerow::nodes(), nodes);
  EXPECT_THROW(Filetree(panel1, panel2, sizer1, sizer2, nullptr, {}, {}),
               std::invalid_argument);
}

TEST_F(TreeObject, FieldsSetByTheHostAreWhatTheTreeUses) {
  TempFolder dir;
  dir.file("x.md");
  dir.file("y.txt");
  auto tree = make(std::make_shared<host::PlainConfig>("/nonexistent"));
  tree->set_location(dir.path().string());
  tree->set_pattern("*.md");
  EXPECT_EQ(tree->get_names(), std::vector<std::string>{"x.md"});
  tree->set_config(std::make_shared<host::PlainConfig>("/", std::nullopt, true));
  EXPECT_TRUE(tree->get_names().empty()) << "folder mode, and no folder there";
  EXPECT_THROW(tree->set_config(nullptr), std::invalid_argument);

  std::vector<std::string> messages;
  tree->set_on_progress([&](const std::string& text) { messages.push_back(text); });
  tree->set_progresscnt(0);
  tree->get_names();
  EXPECT_EQ(messages, std::vector<std::string>{"Processing " + dir.path().string()});

  filerow::Row head = filerow::Filerow::create({""}, nullptr, -1, -1);
  tree->set_head(head);
  tree->set_rownmb(40);
  auto [row, path] = tree->add_branch("late", {head});
  EXPECT_EQ(row->parent(), head);
  EXPECT_EQ(sizer1->FindItemAtPosition({40, 0})->GetSizer()->GetItem(1)->GetWindow(),
            row->checkbox());
  EXPECT_EQ(tree->rownmb(), 41);
  tree->set_head(nullptr);
  EXPECT_THROW(tree->set_all_checkboxes(wxCHK_CHECKED), std::logic_error);
}
