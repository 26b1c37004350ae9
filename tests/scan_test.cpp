// The directory scan on real folders, and the tree's use of it: no widgets,
// no display. The pattern's own rules are wildcard_test.cpp's.

#include <gtest/gtest.h>
#include <host/config.h>
#include <tickpane/scan.h>
#include <tickpane/tickpane.h>

#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "unprivileged.h"

namespace fs = std::filesystem;

using Names = std::vector<std::string>;

namespace {

Names sorted(Names names) {
  std::sort(names.begin(), names.end());
  return names;
}

tickpane::Filetree make_tree(std::shared_ptr<const host::Config> config,
                             host::Progress on_progress = {}) {
  return tickpane::Filetree(nullptr, nullptr, nullptr, nullptr, std::move(config), {},
                            std::move(on_progress));
}

Names names_of(const fs::path& location, const std::string& pattern = "*", bool folders = false,
               bool recursive = true) {
  return tickpane::scan(location.string(), pattern, {folders, recursive});
}

int open_descriptors() {
  return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

}  // namespace

// Each test works in a fresh folder of its own, removed afterwards.
class Scan : public ::testing::Test {
 protected:
  /// A file at `relative`, with the folders on its way.
  void file(const std::string& relative) { temp.file(relative); }
  void folder(const std::string& relative) { temp.folder(relative); }
  void link(const std::string& target, const std::string& relative) {
    fs::create_symlink(target, root / relative);
  }

  /// Runs `scan` in a child that cannot read what a plain user cannot (root
  /// gives up its privileges there); nullopt if that child could still read
  /// `unreadable`, so the test would check nothing.
  std::optional<Names> scan_without_privileges(const fs::path& unreadable,
                                               const std::function<Names()>& scan) {
    fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    std::string out;
    try {
      out = as_unprivileged([&] {
        if (access(unreadable.c_str(), R_OK) == 0)
          throw std::runtime_error(unreadable.string() + " is still readable");
        std::string names;
        for (const std::string& name : scan()) names += name + '\0';
        return names;
      });
    } catch (const std::runtime_error& error) {
      ADD_FAILURE() << error.what();
      return std::nullopt;
    }
    Names names;
    for (size_t at = 0, end; (end = out.find('\0', at)) != std::string::npos; at = end + 1)
      names.push_back(out.substr(at, end - at));
    return names;
  }

  TempFolder temp;
  const fs::path root = temp.path();
};

TEST_F(Scan, CollectsMatchingFilesAtEveryLevelSortedByByteOrder) {
  for (const char* name : {"a.txt", "B.txt", "readme", ".hidden.txt", "a-b.txt", "a/b.txt",
                           "folder.txt/inner.txt", "logs/old/deep.txt", "logs/old/deep.log"})
    file(name);
  folder("empty.txt");

  // '/' sorts like any other byte: after '-' and '.', before letters.
  Names listed;
  EXPECT_EQ(tickpane::scan(root.string(), "*.txt", {},
                           [&](const std::string& folder) { listed.push_back(folder); }),
            (Names{".hidden.txt", "B.txt", "a-b.txt", "a.txt", "a/b.txt", "folder.txt/inner.txt",
                   "logs/old/deep.txt"}));
  const std::string at = root.string();
  EXPECT_EQ(listed.front(), at);
  EXPECT_EQ(sorted(listed), sorted({at, at + "/a", at + "/empty.txt", at + "/folder.txt",
                                    at + "/logs", at + "/logs/old"}));
}

TEST_F(Scan, FolderModeCollectsEveryFolderAndNoFile) {
  for (const char* name : {"one/two/three/f", "one/g", "top"}) file(name);
  folder("four");
  folder("one/ten");

  EXPECT_EQ(names_of(root, "*", true),
            (Names{"four", "one", "one/ten", "one/two", "one/two/three"}));
  // "one" does not match, yet the folders below it are walked.
  EXPECT_EQ(names_of(root, "t*", true), (Names{"one/ten", "one/two", "one/two/three"}));
  EXPECT_EQ(names_of(root, "*", false), (Names{"one/g", "one/two/three/f", "top"}));
}

// The tree reads its config's options at every scan.
TEST_F(Scan, NonRecursiveStaysInTheLocationAndIsReadAtEveryScan) {
  for (const char* name : {"a.txt", "sub/b.txt", "sub/deeper/c.txt"}) file(name);
  for (int i = 0; i < 20; ++i) folder("many/f" + std::to_string(i));
  auto config = std::make_shared<host::PlainConfig>(root.string(), "*", false, false);
  Names reports;
  auto tree = make_tree(config, [&](const std::string& text) { reports.push_back(text); });

  EXPECT_EQ(tree.get_names(), (Names{"a.txt"}));
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(tree.progresscnt(), 9) << "only the location itself is listed";
  config->set_folders(true);
  EXPECT_EQ(tree.get_names(), (Names{"many", "sub"}));

  config->set_recursive(true);
  config->set_folders(false);
  EXPECT_EQ(tree.get_names(), (Names{"a.txt", "sub/b.txt", "sub/deeper/c.txt"}));
}

TEST_F(Scan, OddNamesAreKeptExactlyAndMatchedByTheirOwnName) {
  const std::string cafe = "caf\xc3\xa9", latin = "caf\xe9", replaced = "caf\xef\xbf\xbd";
  const std::string longest(255, 'n');
  // An encoded surrogate and an overlong '/' are three stray bytes each.
  const std::string surrogate = "\xed\xa0\x80", overlong = "\xe0\x80\xaf";
  const Names all{cafe,   latin,         replaced, "\xff",          "\xfe",   surrogate,
                  "\xc3", "line\nbreak", longest,  "\xff dir/\xfe", overlong};
  for (const std::string& name : all) file(name);

  for (const char* locale : {"C", "C.UTF-8"}) {
    SCOPED_TRACE(locale);
    ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr);
    EXPECT_EQ(names_of(root), sorted(all));
    EXPECT_EQ(names_of(root, "?"), (Names{"\xc3", "\xfe", "\xff", "\xff dir/\xfe"}));
    EXPECT_EQ(names_of(root, "[\xfe-\xff]"), (Names{"\xfe", "\xff", "\xff dir/\xfe"}));
  }
  std::setlocale(LC_ALL, "C");
}

TEST_F(Scan, StrayBytesSortAsTheirSurrogateEscapes) {
  // As a Python host sorts os.fsdecode's strings: \x80 is U+DC80, which comes
  // after é (U+E9) and before U+FFC4, whatever the bytes say.
  for (const char* name : {"\x80x", "\xc3\xa9x", "\xef\xbf\x84", "\xffz", "\x80/a"}) file(name);
  EXPECT_EQ(names_of(root), (Names{"\xc3\xa9x", "\x80/a", "\x80x", "\xffz", "\xef\xbf\x84"}));
}

TEST_F(Scan, LinksAreListedButNeverEntered) {
  file("real/inside.txt");
  link("real", "tofolder");
  link("real/inside.txt", "tofile");
  link("missing", "broken");
  link(".", "loop");
  link("self", "self");

  EXPECT_EQ(names_of(root), (Names{"broken", "real/inside.txt", "self", "tofile"}));
  EXPECT_EQ(names_of(root, "*", true), (Names{"loop", "real", "tofolder"}));
  // A location that is itself a link to a folder is followed.
  EXPECT_EQ(names_of(root / "tofolder"), Names{"inside.txt"});
}

TEST_F(Scan, MissingOrFileLocationGivesNoNamesAndListsNoFolder) {
  file("plain");
  for (const fs::path& location : {root / "missing", root / "plain", root / "plain" / "below"}) {
    Names listed;
    EXPECT_EQ(tickpane::scan(location.string(), "*", {},
                             [&](const std::string& folder) { listed.push_back(folder); }),
              Names{})
        << location;
    EXPECT_TRUE(listed.empty());
  }
}

TEST_F(Scan, UnreadableFolderIsLeftOutWithoutReport) {
  for (const char* name : {"b.txt", "open/a.txt", "locked/secret.txt", "locked/inner/deep.txt"})
    file(name);
  fs::permissions(root / "locked", fs::perms::none);

  const auto scan = [&](bool folders) {
    return scan_without_privileges(root / "locked", [&] {
      int listed = 0;
      Names names = tickpane::scan(root.string(), "*", {folders, true},
                                   [&](const std::string&) { ++listed; });
      // Two folders listed; the locked one is not.
      if (listed != 2) names.push_back("<listed " + std::to_string(listed) + " folders>");
      return names;
    });
  };
  const std::optional<Names> files = scan(false);
  ASSERT_TRUE(files) << "could not make a folder unreadable";
  EXPECT_EQ(*files, (Names{"b.txt", "open/a.txt"}));
  // Listed in its parent, the locked folder itself is still a name.
  EXPECT_EQ(scan(true), (Names{"locked", "open"}));
  EXPECT_EQ(scan_without_privileges(root / "locked", [&] { return names_of(root / "locked"); }),
            Names{});
}

// The tree makes its location absolute, and reports folders by that path.
TEST_F(Scan, LocationMayBeRelativeOrEndInASeparator) {
  for (int i = 0; i < 10; ++i) file("s" + std::to_string(i) + "/x.txt");
  file("y.txt");
  Names expected{"y.txt"};
  for (int i = 0; i < 10; ++i) expected.push_back("s" + std::to_string(i) + "/x.txt");
  expected = sorted(expected);

  const fs::path before = fs::current_path();
  fs::current_path(root);
  for (const std::string& location : {root.string() + "/", std::string("."), std::string("./")}) {
    Names reports;
    auto tree = make_tree(std::make_shared<host::PlainConfig>(location, "*"),
                          [&](const std::string& text) { reports.push_back(text); });
    EXPECT_EQ(tree.get_names(), expected) << location;
    // The eleventh folder is reported, by its absolute path.
    ASSERT_EQ(reports.size(), 1u) << location;
    EXPECT_EQ(reports[0].rfind("Processing " + root.string() + "/s", 0), 0u) << reports[0];
    EXPECT_EQ(reports[0].size(), std::string("Processing ").size() + root.string().size() + 3);
  }
  fs::current_path(before);

  // The file system's root: names keep their first character.
  const Names top = names_of("/", "*", true, false);
  EXPECT_NE(std::find(top.begin(), top.end(), "tmp"), top.end());
}

TEST_F(Scan, DeepTreeIsWalkedToTheBottomAndBack) {
  // 70 nested folders, then two branches of 130 more: the second branch is
  // opened on the way back up, long after the folders above were left.
  Names files, folders;
  const auto descend = [&](std::string path, int levels) {
    for (int level = 0; level < levels; ++level) {
      path += "d";
      folders.push_back(path);
      file(path + "/g.txt");
      files.push_back(path + "/g.txt");
      path += "/";
    }
    return path;
  };
  const std::string fork = descend("", 70);
  for (const char* branch : {"a", "b"}) {
    folder(fork + branch);
    folders.push_back(fork + branch);
    descend(fork + branch + "/", 130);
  }

  const int before = open_descriptors();
  int peak = before;
  EXPECT_EQ(tickpane::scan(root.string(), "*.txt", {},
                           [&](const std::string&) { peak = std::max(peak, open_descriptors()); }),
            sorted(files));
  EXPECT_LT(peak - before, 100) << "folders held open all the way down";
  EXPECT_EQ(names_of(root, "*", true), sorted(folders));
}

TEST_F(Scan, ProgressReportsOneFolderInTenAcrossScans) {
  folder("c1/c2/c3/c4/c5/c6");
  Names reports;
  auto config = std::make_shared<host::PlainConfig>(root.string(), "*");
  auto tree = make_tree(config, [&](const std::string& text) { reports.push_back(text); });

  tree.get_names();
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ(tree.progresscnt(), 3);
  tree.get_names();
  EXPECT_EQ(reports, Names{"Processing " + root.string() + "/c1/c2/c3"});
  EXPECT_EQ(tree.progresscnt(), 6);
  tree.get_names();
  EXPECT_EQ(reports.back(), "Processing " + root.string() + "/c1/c2/c3/c4/c5/c6");
  EXPECT_EQ(reports.size(), 2u);

  auto quiet = make_tree(config);
  quiet.get_names();
  quiet.get_names();
  EXPECT_EQ(quiet.progresscnt(), 10);
}

TEST_F(Scan, ErrorsFromProgressOrConfigurationReachTheCallerAndReleaseFolders) {
  folder("a/b/c/d/e/f/g/h/i/j/k");
  const int before = open_descriptors();
  const auto fail = [](const std::string&) { throw std::runtime_error("sink gone"); };
  EXPECT_THROW(tickpane::scan(root.string(), "*", {}, fail), std::runtime_error);
  EXPECT_EQ(open_descriptors(), before);
  auto tree = make_tree(std::make_shared<host::PlainConfig>(root.string(), "*"), fail);
  EXPECT_THROW(tree.get_names(), std::runtime_error);

  class NoRecursion : public host::Config {
   public:
    explicit NoRecursion(std::string location) : location_(std::move(location)) {}
    std::string location() const override { return location_; }
    std::optional<std::string> pattern() const override { return "*"; }
    bool folders() const override { return false; }
    bool recursive() const override { throw std::runtime_error("no recursive"); }

   private:
    std::string location_;
  };
  auto broken = make_tree(std::make_shared<NoRecursion>(root.string()));
  EXPECT_THROW(broken.get_names(), std::runtime_error);
}
