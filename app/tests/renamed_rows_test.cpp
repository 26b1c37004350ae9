// After a rename or an undo the window shows the folder as it now is, in
// the rows it has where they can show it exactly as a new tree would.

#include "application.h"

class RenamedRows : public Application {
 protected:
  // What the window shows, then the same after a new build of the tree.
  void expect_as_new_build() {
    settle();
    const std::vector<std::string> kept = picture();
    const std::string kept_pixels = pixels();
    window->rebuild();
    settle();
    EXPECT_EQ(kept, picture());
    EXPECT_TRUE(kept_pixels == pixels()) << "the tree area looks different";
  }
  // Applies the rules typed and waits until every row shows them.
  void apply_rules() {
    ASSERT_EQ(window->apply_rules(), "");
    ASSERT_TRUE(eventually([&] { return control<wxButton>("rename")->IsEnabled(); }));
  }
};

TEST_F(RenamedRows, ShowWhatANewTreeWouldAfterARename) {
  for (const char* name : {"Ab.txt", "KEEP.txt", "Mid.txt", "Sub/d.txt", "Sub/e.txt", "Zz&y.txt"})
    dir.file(name);
  Options options;
  options.rules.casing = Casing::upper;
  open(options);
  const Row mid = entry("Mid.txt");
  click(mid->checkbox());
  click(window->tree()->head()->children().find("Sub")->checkbox());
  click(entry("Zz&y.txt")->checkbox());
  // Typed by hand, then left out: a new tree would propose again.
  type_into(entry("Ab.txt")->proposed(), "Abe.txt");
  ASSERT_TRUE(eventually([&] { return entry("Ab.txt")->proposed()->GetValue() == "Abe.txt"; }));

  click(control<wxButton>("rename"));
  const Listing renamed{"Ab.txt",    "KEEP.txt",  "MID.txt", "Sub/",
                        "Sub/D.txt", "Sub/E.txt", "ZZ&Y.txt"};
  ASSERT_TRUE(eventually([&] { return dir.listing() == renamed; }));
  // The rows were kept.
  EXPECT_EQ(entry("MID.txt"), mid);
  EXPECT_EQ(entry("Ab.txt")->proposed()->GetValue(), "AB.txt");
  expect_as_new_build();
}

TEST_F(RenamedRows, RenameAgainAndUndoInTheRowsKept) {
  for (const char* name : {"a.txt", "b.txt", "sub/c.txt"}) dir.file(name, name);
  Options options;
  options.rules.casing = Casing::upper;
  options.tick_all = true;
  open(options);
  const Row a = entry("a.txt");
  click(control<wxButton>("rename"));
  const Listing upper{"A.txt", "B.txt", "sub/", "sub/C.txt"};
  ASSERT_TRUE(eventually([&] { return dir.listing() == upper; }));
  ASSERT_EQ(entry("A.txt"), a);

  control<wxTextCtrl>("suffix")->ChangeValue("_2");
  apply_rules();
  click(a->checkbox());
  click(entry("sub/C.txt")->checkbox());
  click(control<wxButton>("rename"));
  const Listing again{"A_2.txt", "B.txt", "sub/", "sub/C_2.txt"};
  ASSERT_TRUE(eventually([&] { return dir.listing() == again; }));
  EXPECT_EQ(entry("A_2.txt"), a);
  EXPECT_EQ(dir.read("A_2.txt"), "a.txt");

  click(control<wxButton>("undo"));
  ASSERT_TRUE(eventually([&] { return dir.listing() == upper; }));
  EXPECT_EQ(entry("A.txt"), a);
  EXPECT_EQ(a->proposed()->GetValue(), "A_2.txt");
  expect_as_new_build();
}

TEST_F(RenamedRows, FoldersRenamedCarryTheirRowsAlong) {
  for (const char* name : {"One/x.txt", "One/Two/y.txt", "three/z.txt"}) dir.file(name);
  Options options;
  options.folders = true;
  options.rules.casing = Casing::upper;
  options.tick_all = true;
  open(options);
  const Row two = entry("One/Two");
  click(control<wxButton>("rename"));
  ASSERT_TRUE(eventually([&] { return dir.listing().front() == "ONE/"; }));
  EXPECT_EQ(entry("ONE/TWO"), two);
  EXPECT_EQ(two->stem(), "/ONE");
  expect_as_new_build();
}

TEST_F(RenamedRows, TakeTheNamesInTheirNewOrder) {
  for (const char* name : {"a.txt", "b.txt"}) dir.file(name, name);
  Options options;
  options.rules.find = "a";
  options.rules.replace = "c";
  open(options);
  const Row first = entry("a.txt");
  click(first->checkbox());
  click(control<wxButton>("rename"));
  ASSERT_TRUE(eventually([&] { return dir.listing() == Listing{"b.txt", "c.txt"}; }));
  EXPECT_EQ(entry("b.txt"), first);
  EXPECT_EQ(window->tree()->batch().size(), 0u);
  expect_as_new_build();
}

TEST_F(RenamedRows, AnotherShapeTakesANewTree) {
  for (const char* name : {"a.txt", "sub/b.txt"}) dir.file(name);
  Options options;
  options.rules.find = "a";
  options.rules.replace = "z";
  open(options);
  const Row a = entry("a.txt");
  click(a->checkbox());
  click(control<wxButton>("rename"));
  ASSERT_TRUE(eventually([&] { return dir.listing() == Listing{"sub/", "sub/b.txt", "z.txt"}; }));
  EXPECT_NE(entry("z.txt"), a);
  expect_as_new_build();
}

TEST_F(RenamedRows, NamesShownOtherThanTheirBytesToo) {
  dir.file("tab\there.txt");
  dir.file("caf\xE9.txt");
  Options options;
  options.rules.suffix = "_1";
  options.tick_all = true;
  open(options);
  const Row tab = entry("tab\there.txt");
  click(control<wxButton>("rename"));
  ASSERT_TRUE(
      eventually([&] { return dir.listing() == Listing{"caf\xE9_1.txt", "tab\there_1.txt"}; }));
  EXPECT_EQ(entry("tab\there_1.txt"), tab);
  EXPECT_EQ(tab->proposal(), "tab\there_1_1.txt");
  expect_as_new_build();
}
