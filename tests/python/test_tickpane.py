"""The module tickpane as a host drives it: construction, build, user actions, commands."""

import io
import os
import sys

import pytest
import wx

import config
import filerow
import tickpane
import utils
from conftest import click, pump, rows_by_name


def test_module_binds_the_host():
    assert tickpane.__version__ == "1.0"
    assert tickpane.debug is False
    assert tickpane.dprint is utils.dprint
    assert tickpane.Config is config.Config
    assert tickpane.filerow is filerow and tickpane.Filerow is filerow.Filerow


def test_construction_settles_location_and_pattern(panels, folder, monkeypatch):
    monkeypatch.chdir(folder)
    progress = []
    tree = panels.tree(".", on_progress=progress.append)
    assert tree.location == str(folder) and tree.pattern == "*"
    assert (tree.head, tree.rownmb, tree.nmbleaves, tree.textwidth) == (None, 0, 0, 0)
    assert (tree.row_height, tree.progresscnt) == (20, 10)
    assert tree.wxparent1 is panels.panel1 and tree.wxparent2 is panels.panel2
    assert tree.sizer1 is panels.sizer1 and tree.sizer2 is panels.sizer2
    assert tree.on_progress == progress.append and tree.config.location == "."
    assert panels.tree(folder, pattern="*.txt", folders=True).pattern == "*.txt"
    assert panels.tree(folder, pattern="").pattern == ""
    assert panels.tree("//tmp/./x/..").location == "//tmp"  # as os.path.abspath keeps it
    assert panels.tree("///tmp").location == "/tmp"


def test_build_makes_one_row_per_entry_in_display_order(panels, folder, capfd):
    progress = []
    tree = panels.tree(folder, transform=lambda name: name.replace(".txt", ".md"),
                       on_progress=progress.append)
    tree.build()
    rows = rows_by_name(tree)
    assert tree.rownmb == 7 and tree.nmbleaves == 5
    assert tree.head.branch == [""] and list(tree.head.children) == ["a.txt", "sub", "z.txt"]
    assert rows["d.txt"].branch == ["", "sub", "deep", "d.txt"] and rows["d.txt"].indent == 3
    assert rows["d.txt"].parent is rows["deep"] and rows["deep"].parent is rows["sub"]
    assert rows["a.txt"].proposed.GetValue() == "a.md" and rows["a.txt"].ticked
    assert rows["a.txt"].tick.GetValue() == " \u221a"
    assert rows["sub"].proposed.GetValue() == "sub" and not rows["sub"].ticked
    assert not rows["sub"].proposed.IsEditable() and rows["a.txt"].proposed.IsEditable()
    assert progress[0] == "Building filetree for " + str(folder)
    assert "Processing sub/deep/d.txt" in progress
    assert progress[-1] == "5 files found for " + str(folder)
    assert tree.get_names() == ["a.txt", "sub/b.txt", "sub/c.txt", "sub/deep/d.txt", "z.txt"]
    assert "++++++++++ '%s' for 5 files ~ get_names: " % folder in capfd.readouterr().out


def test_tree_fields_can_be_set_and_the_tree_uses_them(panels, folder, tmp_path_factory):
    other = tmp_path_factory.mktemp("other")
    for name in ("x.md", "y.txt"):
        (other / name).write_text(name)
    progress = []
    tree = panels.tree(folder)
    tree.location = str(other)
    tree.pattern = "*.md"
    assert tree.get_names() == ["x.md"]
    tree.config = config.Config(str(folder), folders=True)
    assert tree.get_names() == [] and tree.config.folders
    tree.config = config.Config(str(folder))
    tree.on_progress = progress.append
    tree.progresscnt = 0
    tree.get_names()
    assert progress == ["Processing " + str(other)] and tree.on_progress == progress.append
    tree.textwidth, tree.row_height, tree.nmbleaves = 300, 31, 7
    assert (tree.textwidth, tree.row_height, tree.nmbleaves) == (300, 31, 7)

    tree.build()
    tree.rownmb = 40
    row, _ = tree.add_branch("late.md", [tree.head])
    assert panels.sizer1.FindItemAtPosition((40, 0)).GetSizer().GetItem(1).GetWindow() \
        is row.checkbox
    tree.head = None
    with pytest.raises(RuntimeError, match="not built"):
        tree.set_all_checkboxes(wx.CHK_CHECKED)
    tree.wxparent1 = panels.panel2
    assert tree.wxparent1 is panels.panel2
    tree.mine = "the host's own"
    assert tree.mine == "the host's own"

    for field, value, error, text in [
            ("rownmb", "1", TypeError, "rownmb must be int"),
            ("textwidth", 2 ** 40, OverflowError, "textwidth is outside"),
            ("location", 3, TypeError, "location must be str"),
            ("pattern", None, TypeError, "pattern must be str"),
            ("on_progress", 3, TypeError, "on_progress must be callable"),
            ("head", "x", TypeError, "head must be a Filerow"),
            ("wxparent1", 1, TypeError, "wxparent1 must be a wx.Window"),
            ("sizer2", panels.panel1, TypeError, "sizer2 must be a wx.Sizer")]:
        with pytest.raises(error, match=text):
            setattr(tree, field, value)


def test_printed_lines_go_through_sys_stdout_in_order(panels, folder, monkeypatch, capfd):
    out = io.StringIO()
    monkeypatch.setattr(sys, "stdout", out)
    print("before")
    panels.tree(folder).build()
    bare = filerow.Filerow([""], None, -1, -1)
    filerow.Filerow(["", "c"], bare, -1, -1).update_parent()
    bare.unbind()  # a folder without a check box: the report line
    print("after")
    lines = out.getvalue().splitlines()
    assert lines[0] == "before" and lines[3] == "after" and len(lines) == 4
    assert lines[1].startswith("++++++++++ '%s' for 5 files ~ get_names: " % folder)
    assert lines[2] == "Exception: on unbinding checkbox: Filerow: the row has no check box"
    assert capfd.readouterr().out == ""  # nothing behind Python's back
    monkeypatch.setattr(sys, "stdout", None)  # as print() does: nowhere to go, no error
    bare.unbind()


def test_settings_are_read_afresh_at_each_scan(panels, folder):
    tree = panels.tree(folder, recursive=False)
    assert tree.get_names() == ["a.txt", "z.txt"]
    tree.config.folders = True
    tree.config.recursive = True
    assert tree.get_names() == ["sub", "sub/deep"]
    del tree.config.recursive
    with pytest.raises(AttributeError):
        tree.get_names()


def test_selection_calls_cross_the_binding(panels, folder):
    """What the selection rules decide is pinned by the C++ tests; here the calls, the row
    objects, the host's theme and the errors as Python sees them."""
    tree = panels.tree(folder, transform=lambda name: "new-" + name)
    early = tree.changes()  # taken before the build, it walks the rows made later
    with pytest.raises(RuntimeError):
        tree.set_all_checkboxes(wx.CHK_CHECKED)
    tree.build()
    rows = rows_by_name(tree)

    click(rows["b.txt"].checkbox, wx.CHK_CHECKED)  # the toolkit's event reaches the rows
    assert rows["sub"].checkbox.Get3StateValue() == wx.CHK_UNDETERMINED
    with pytest.raises(ValueError, match="check-box state"):
        tree.set_all_checkboxes(3)
    tree.set_all_checkboxes(wx.CHK_CHECKED)
    assert [row.name for row in early] == [row.name for row in filerow.nodes.values()]
    walk = tree.changes()
    assert iter(walk) is walk and next(walk) is rows["a.txt"]  # the registry's own objects
    tree.invert_all_selections()
    assert list(walk) == []

    row = rows["a.txt"]
    row.proposed.SetValue("A.txt")  # typed: ticked, in the theme's bold font
    assert row.ticked is True and row.tick.GetValue() == " \u221a" and row.newname == "A.txt"
    assert row.proposed.GetFont().GetWeight() == wx.FONTWEIGHT_BOLD
    row.proposed.SetValue("")
    assert row.ticked is False and row.tick.GetValue() == " " and row.newname == "a.txt"
    tree.untick()
    assert rows["b.txt"].tick.GetValue() == " " and rows["b.txt"].ticked

    rows["sub"].collapse()  # in the theme's collapsed font
    assert rows["sub"].collapsed and not rows["b.txt"].checkbox.IsShown()
    assert rows["sub"].checkbox.GetFont().GetStyle() == wx.FONTSTYLE_ITALIC
    rows["sub"].expand()
    assert not rows["sub"].collapsed and rows["b.txt"].checkbox.IsShown()

    tree.set_all_checkboxes(wx.CHK_CHECKED)
    walk = tree.changes()
    assert next(walk) is rows["sub"]
    tree.add_branch("late.txt", [tree.head])
    with pytest.raises(RuntimeError, match="changed size"):
        next(walk)
    with pytest.raises(StopIteration):
        next(walk)


def test_an_edited_proposal_keeps_its_control_characters(panels, tmp_path):
    (tmp_path / "a").write_text("")
    tree = panels.tree(tmp_path, transform=lambda name: "a&b\t")
    tree.build()
    row = rows_by_name(tree)["a"]
    assert row.proposed.GetValue() == "a&b\u2409" and row.newname == "a&b\t"
    row.proposed.AppendText("Z")
    assert row.ticked and row.newname == "a&b\tZ"
    row.proposed.SetValue("x\u2409y")  # typed: a picture stands for its control character
    assert row.newname == "x\ty"


def test_add_branch_reuses_the_rows_of_the_previous_path(panels, folder):
    tree = panels.tree(folder)
    tree.build()
    rows = rows_by_name(tree)
    before = tree.rownmb
    path = [tree.head, rows["sub"], rows["deep"], rows["d.txt"]]
    row, branch = tree.add_branch(os.path.join("sub", "deep", "e.txt"), path)
    assert row.name == "e.txt" and row.parent is rows["deep"] and tree.rownmb == before + 1
    assert branch[:3] == path[:3] and branch[3] is row and len(path) == 4
    row, branch = tree.add_branch(os.path.join("sub", "f.txt"), branch)
    assert row.parent is rows["sub"] and tree.rownmb == before + 2
    assert list(rows["sub"].children) == ["b.txt", "c.txt", "deep", "f.txt"]
    with pytest.raises(TypeError):
        tree.add_branch("x", [tree.head, None])


def test_subclass_hooks_run_during_build(panels, folder):
    class Tree(tickpane.Filetree):
        def __init__(self, *args):
            super().__init__(*args)
            self.added = []
            self.built = 0

        def on_add_node(self, node):
            self.added.append(node.name)
            super().on_add_node(node)

        def on_built(self):
            self.built += 1
            super().on_built()

    tree = panels.tree(folder, kind=Tree)
    tree.build()
    assert tree.added == ["a.txt", "b.txt", "c.txt", "d.txt", "z.txt"] and tree.built == 1


def test_hooks_see_rows_shown_and_what_they_hide_stays_hidden(panels, folder):
    class Tree(tickpane.Filetree):
        looked = []

        def on_add_node(self, node):
            widgets = (node.checkbox, node.tick, node.proposed)
            self.looked.append((node.name, all(w.IsShown() for w in widgets),
                                len(panels.panel2.GetChildren())))
            if node.name == "b.txt":
                node.tick.Hide()
            if node.name == "z.txt":
                rows_by_name(self)["sub"].collapse()

    tree = panels.tree(folder, kind=Tree)
    tree.build()
    assert tree.looked == [("a.txt", True, 2), ("b.txt", True, 6), ("c.txt", True, 8),
                           ("d.txt", True, 12), ("z.txt", True, 14)]
    rows = rows_by_name(tree)
    for name in ("b.txt", "c.txt", "deep", "d.txt"):
        assert not any(w.IsShown() for w in (rows[name].checkbox, rows[name].tick,
                                              rows[name].proposed)), name
    assert all(w.IsShown() for name in ("a.txt", "sub", "z.txt")
               for w in (rows[name].checkbox, rows[name].tick, rows[name].proposed))
    rows["sub"].expand()  # shows the whole subtree again, b.txt's tick mark too
    assert all(w.IsShown() for row in rows.values()
               for w in (row.checkbox, row.tick, row.proposed))


def test_errors_in_hooks_reach_the_caller(panels, folder):
    class Failing(tickpane.Filetree):
        def on_add_node(self, node):
            raise LookupError(node.name)

    with pytest.raises(LookupError, match="a.txt"):
        panels.tree(folder, kind=Failing).build()


def test_teardown_walks_leave_the_rows(panels, folder, capfd):
    tree = panels.tree(folder)
    tree.build()
    capfd.readouterr()
    tree.dump()
    tree.dump(tree.head.children["sub"])
    tree.unbindall()
    tree.bindall_proposed()
    assert capfd.readouterr().out == ""
    rows = rows_by_name(tree)
    click(rows["sub"].checkbox, wx.CHK_CHECKED)  # unbound: nothing propagates
    assert rows["b.txt"].checkbox.Get3StateValue() == wx.CHK_UNCHECKED
    with pytest.raises(RuntimeError):
        panels.tree(folder).dump()


def test_destroyed_panels_raise_instead_of_crashing(folder):
    from conftest import Panels

    made = Panels()
    tree = made.tree(folder)
    assert filerow.Filerow.sizer1 is made.sizer1
    made.frame.Destroy()
    pump()
    assert tree.wxparent1 is made.panel1 and tree.sizer2 is made.sizer2
    with pytest.raises(RuntimeError, match="deleted"):
        tree.sizer1.GetItemCount()
    tree.invert_all_selections()  # no rows yet, and no panel to refresh
    with pytest.raises(RuntimeError, match="destroyed"):
        tree.build()
    with pytest.raises(RuntimeError, match="destroyed"):
        filerow.Filerow(["", "x"], None, 1, 0)
    assert filerow.Filerow.wxparent1 is None
    with pytest.raises(RuntimeError, match="deleted"):
        filerow.Filerow.sizer1.GetItemCount()
    with pytest.raises(RuntimeError, match="deleted"):
        made.tree(folder)
    with pytest.raises(TypeError, match="parent1 must be a wx.Window"):
        tickpane.Filetree("panel", None, None, None, config.Config(str(folder)), None, None)
