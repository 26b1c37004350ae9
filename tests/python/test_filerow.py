"""The module filerow as a host sees it: module values, rows, their fields and widgets."""

import collections.abc
import os

import pytest
import wx

import filerow
import skinkit
import tickpane
import utils
from conftest import pump, rows_by_name


def test_module_binds_the_host_and_exposes_live_values(panels, folder):
    assert filerow.__version__ == "1.0"
    assert filerow.os is os and filerow.wx is wx
    assert filerow.debug is False
    assert filerow.dprint is utils.dprint
    assert filerow.THEME is skinkit.THEME
    assert issubclass(filerow.ContextMenu, wx.Menu)

    tree = panels.tree(folder)
    nodes = filerow.nodes
    assert len(nodes) == 0 and len(filerow.propnodes) == 0
    tree.build()
    assert isinstance(nodes, collections.abc.Mapping)
    assert len(nodes) == len(filerow.propnodes) == 7  # a live view
    assert [row.name for row in nodes.values()] == [
        "a.txt", "sub", "b.txt", "c.txt", "deep", "d.txt", "z.txt"]
    assert filerow.textwidth >= max(cb.GetSize()[0] for cb in nodes)
    with pytest.raises(AttributeError):
        filerow.nodes = {}


def test_registries_are_keyed_by_the_wxpython_widgets(panels, folder):
    panels.tree(folder).build()
    for checkbox, row in filerow.nodes.items():
        assert isinstance(checkbox, wx.CheckBox)
        assert checkbox is row.checkbox is row.checkbox
        assert filerow.nodes[checkbox] is row
        assert filerow.propnodes[row.proposed] is row
        assert isinstance(row.tick, wx.TextCtrl) and isinstance(row.proposed, wx.TextCtrl)
    some = next(iter(filerow.nodes))
    assert some in filerow.nodes and some not in filerow.propnodes
    assert filerow.nodes.get(panels.panel1) is None
    with pytest.raises(KeyError):
        filerow.nodes[panels.panel1]
    assert filerow.nodes == dict(filerow.nodes.items())


def test_head_row_holds_its_fields_and_writes_itself():
    head = filerow.Filerow([""], None, -1, -1)
    assert (head.branch, head.name, head.stem, head.parent, head.indent) == ([""], "", "", None, -1)
    assert (head.checkbox, head.tick, head.proposed) == (None, None, None)
    assert head.leaf and len(head.children) == 0
    assert not head.collapsed and not head.ticked
    assert str(head) == "<Filerow: name: '', parent: Empty (-), indent: -1\n    children: >"


def test_rows_link_to_their_parents_by_keyword_construction():
    head = filerow.Filerow(branch=[""], parent=None, indent=-1, rownmb=-1)
    first = filerow.Filerow(branch=["", "a"], parent=head, indent=-1, rownmb=0)
    again = filerow.Filerow(["", "a"], head, -1, 1)
    other = filerow.Filerow(["", "b"], head, -1, 2)
    deep = filerow.Filerow(["", "a", "x"], first, -1, 3)
    assert deep.stem == os.sep + "a" and deep.parent is first
    for row in (first, first, other, again):
        row.update_parent()
    assert list(head.children) == ["a", "b"] and head.children["a"] is again
    assert not head.leaf and first.leaf
    head.collapsed = True
    first.ticked = True
    assert head.collapsed and first.ticked
    text = str(other)
    assert text.startswith("<Filerow: name: 'b', parent:  (") and text.endswith(
        "), indent: -1\n    children: >")
    assert str(head).endswith("children: 'a', 'b'>")
    assert utils.calls[-1] == (["a", "b"], "'")


@pytest.mark.parametrize("arguments, error", [
    ((("", "a"), None, -1, 0), TypeError),
    (("a", None, -1, 0), TypeError),
    (([""], None, 2 ** 31, 0), OverflowError),
    (([""], None, -1, -2 ** 31 - 1), OverflowError),
    (([""], None, "1", 0), TypeError),
    (([""], "head", -1, 0), TypeError),
    (([1], None, -1, 0), TypeError),
])
def test_construction_refuses_bad_arguments(arguments, error):
    with pytest.raises(error):
        filerow.Filerow(*arguments)


def test_visible_row_needs_its_panels_and_name(panels):
    with pytest.raises(IndexError):
        filerow.Filerow([], None, -1, 0).name
    panels.tree(panels.frame.GetName())  # sets the shared context
    with pytest.raises(IndexError):
        filerow.Filerow([], None, 0, 0)
    row = filerow.Filerow(["", "x"], None, 0, 0)
    assert filerow.nodes[row.checkbox] is row and row.proposed is None
    with pytest.raises(RuntimeError, match="proposed"):
        row.newname
    with pytest.raises(ValueError, match="grid line 0"):
        filerow.Filerow(["", "y"], None, 0, 0)


def test_class_context_is_what_the_tree_set(panels, folder):
    def transform(name):
        return name.upper()

    panels.tree(folder, transform)
    assert filerow.Filerow.wxparent1 is panels.panel1
    assert filerow.Filerow.wxparent2 is panels.panel2
    assert filerow.Filerow.sizer1 is panels.sizer1
    assert filerow.Filerow.sizer2 is panels.sizer2
    assert filerow.Filerow.transform is transform
    filerow.Filerow.transform = None
    assert filerow.Filerow.transform is None
    with pytest.raises(TypeError):
        filerow.Filerow.transform = 42


def test_textwidth_only_grows_and_sizes_the_right_side(panels, folder):
    filerow.textwidth = 0
    panels.tree(folder).build()
    widest = max(checkbox.GetSize()[0] for checkbox in filerow.nodes)
    assert filerow.textwidth == widest
    rows = rows_by_name(None)
    assert rows["z.txt"].proposed.GetSize()[0] >= rows["a.txt"].checkbox.GetSize()[0]
    with pytest.raises(OverflowError):
        filerow.textwidth = 2 ** 40


def test_widgets_of_destroyed_panels_turn_into_errors_not_crashes(panels, folder):
    panels.tree(folder).build()
    row = rows_by_name(None)["a.txt"]
    checkbox = row.checkbox
    panels.panel1.DestroyChildren()
    pump()
    assert row.checkbox is None
    assert list(filerow.nodes)[0] is None
    with pytest.raises(RuntimeError, match="deleted"):
        checkbox.GetLabel()
    assert checkbox not in filerow.nodes and "\ud800" not in row.children
    with pytest.raises(RuntimeError):
        row.format_row()


def test_row_operations_called_directly_drive_the_widgets(panels, capfd):
    panels.tree(".")  # the shared context
    head = filerow.Filerow([""], None, -1, -1)
    folder_row = filerow.Filerow(["", "d"], head, 1, 0)
    folder_row.update_parent()
    folder_row.setup_rightside(0)
    leaf = filerow.Filerow(["", "d", "f"], folder_row, 2, 1)
    leaf.update_parent()
    leaf.setup_rightside(1)
    assert filerow.propnodes[leaf.proposed] is leaf and leaf.tick.GetValue() == "  "

    leaf.set_checkbox_state(wx.CHK_CHECKED)
    leaf.up_check(wx.CHK_CHECKED)
    assert folder_row.checkbox.Get3StateValue() == wx.CHK_CHECKED
    folder_row.down_check(wx.CHK_UNCHECKED)
    assert leaf.checkbox.Get3StateValue() == wx.CHK_UNCHECKED
    leaf.propagate_checkbox_state(wx.CHK_CHECKED)
    assert folder_row.checkbox.Get3StateValue() == wx.CHK_CHECKED
    for format_call in (leaf.xformat_row, leaf.format_row_leftside, leaf.format_row_rightside):
        format_call()
    assert leaf.proposed.GetBackgroundColour()[:3] == (200, 220, 255)

    leaf.checkbox.Set3StateValue(wx.CHK_UNCHECKED)
    event = wx.CommandEvent(wx.wxEVT_CHECKBOX)
    event.SetEventObject(leaf.checkbox)
    folder_row.checkbox_click(event)  # the event's widget decides the row
    assert folder_row.checkbox.Get3StateValue() == wx.CHK_UNCHECKED
    leaf.proposed.ChangeValue("g")
    event = wx.CommandEvent(wx.wxEVT_TEXT)
    event.SetEventObject(leaf.proposed)
    folder_row.on_proposed_update(event)
    assert leaf.ticked and leaf.tick.GetValue() == " \u221a"
    event = wx.MouseEvent(wx.wxEVT_RIGHT_DOWN)
    event.SetEventObject(leaf.proposed)
    folder_row.on_right_click(event)
    assert event.GetSkipped()
    stray = wx.CommandEvent(wx.wxEVT_CHECKBOX)
    stray.SetEventObject(panels.panel1)
    with pytest.raises(RuntimeError, match="registered"):
        folder_row.checkbox_click(stray)  # called directly: the error is the caller's

    folder_row.set_right_click()
    folder_row.unbind()
    leaf.unbind()
    whole = filerow.Filerow(["", "w"], head, 1, 2)
    whole.setup(3)
    assert whole.tick.GetValue() == "  " and filerow.nodes[whole.checkbox] is whole
    assert len([row for row in filerow.nodes.values() if row is whole]) == 2
    assert capfd.readouterr().out == ""


def test_setup_makes_the_tick_mark_before_it_asks_for_the_proposal(panels):
    panels.tree(".")  # the shared context
    seen = []

    def transform(name):
        seen.append(row.tick)
        return name

    filerow.Filerow.transform = transform
    row = filerow.Filerow(["", "both"], None, -1, 0)
    row.setup(0)
    assert isinstance(seen[0], wx.TextCtrl) and seen[0] is row.tick
    row = filerow.Filerow(["", "pair"], None, 1, 1)
    row.setup_rightside(1)  # the proposal decides the tick mark: asked first
    assert seen[1] is None


@pytest.mark.parametrize("documented, text", [
    (filerow.Filerow, "Object to hold details of filetree row"),
    (filerow.ContextMenu, "define the contexr menu invoked when rightclicking on the widgets "
                          "in a row"),
    (filerow.Filerow.__str__, "returun a string representation"),
    (filerow.Filerow.setup_rightside, "set up the wideets on the righthadn side"),
    (filerow.Filerow.update_parent, "add self as child of parent"),
    (filerow.Filerow.unbind, "unbind all events for this node (called when tree is being "
                             "destroyed)"),
    (filerow.Filerow.name, "Return the final element of the branch"),
    (tickpane.Filetree, "a filetree objcct"),
    (tickpane.Filetree.add_branch, "returns the new rootnodes (the last element of which is "
                                   "the parent for the files that follow"),
    (tickpane.Filetree.on_built, "caled afer last item is added to the filetree"),
    (tickpane.Filetree.set_all_checkboxes, "sets the state of all checkboxes to the specifie "
                                           "value"),
    (tickpane.Filetree.invert_all_selections,
     "sets the state of all checkboxes to the specifie value\n"
     "undeterined state doesn't change whenj invertingit's children, so\n"
     "only checked and unchecked need tobe inverted"),
    (tickpane.Filetree.changes, "Return the next valid item, i.e. item to be renamed"),
])
def test_descriptions_are_the_documented_lines(documented, text):
    assert documented.__doc__ == text


def test_row_fields_can_be_set_and_the_rows_use_them(panels, folder):
    tree = panels.tree(folder)
    tree.build()
    rows = rows_by_name(tree)
    b, sub, deep, d = rows["b.txt"], rows["sub"], rows["deep"], rows["d.txt"]

    assert isinstance(b.branch, collections.abc.MutableSequence)
    b.branch.append("x")  # a live view of the row's branch
    assert b.branch == ["", "sub", "b.txt", "x"] and b.name == "x"
    assert b.stem == os.sep + "sub"  # made by the constructor, a field of its own
    del b.branch[-1]
    b.branch += ["y"]
    assert b.branch[1:] == ["sub", "b.txt", "y"] and b.branch.pop() == "y"
    with pytest.raises(TypeError, match="component of branch"):
        b.branch.append(3)
    assert b.branch == ["", "sub", "b.txt"]
    b.branch = ["", "b2"]
    b.stem = "elsewhere"
    assert (b.name, b.stem) == ("b2", "elsewhere")
    with pytest.raises(TypeError, match="branch must be a list"):
        b.branch = ("", "x")

    deep.children.clear()
    assert deep.leaf and list(deep.children) == []
    deep.children = {"d.txt": d}
    assert not deep.leaf and deep.children["d.txt"] is d
    del deep.children["d.txt"]
    deep.children["again"] = d
    assert isinstance(deep.children, collections.abc.MutableMapping)
    assert deep.children.pop("again") is d and deep.leaf
    deep.children.update({"d.txt": d})
    with pytest.raises(ValueError, match="holds it"):
        d.children["loop"] = sub  # sub holds d: walking the children must end
    with pytest.raises(ValueError, match="ancestor"):
        sub.parent = d
    with pytest.raises(TypeError, match="Filerow, not NoneType"):
        deep.children["none"] = None
    with pytest.raises(KeyError):
        del deep.children["none"]
    d.parent = None
    assert d.parent is None
    d.parent = deep

    d.indent = 5
    assert d.indent == 5
    with pytest.raises(TypeError, match="indent must be int"):
        d.indent = "1"
    d.ticked = 0
    assert d.ticked is False


def test_widgets_set_by_the_host_are_the_ones_the_row_uses(panels, folder):
    tree = panels.tree(folder)
    tree.build()
    row = rows_by_name(tree)["a.txt"]
    made = row.checkbox
    other = wx.CheckBox(panels.panel1, style=wx.CHK_3STATE)
    row.checkbox = other
    assert row.checkbox is other
    row.set_checkbox_state(wx.CHK_CHECKED)
    assert other.Get3StateValue() == wx.CHK_CHECKED
    assert made.Get3StateValue() == wx.CHK_UNCHECKED
    assert filerow.nodes[made] is row  # the registry keeps what the row made
    row.proposed = wx.TextCtrl(panels.panel2, value="typed")
    assert row.newname == "typed"
    row.tick = None
    with pytest.raises(RuntimeError, match="tick-mark"):
        row.format_row()
    with pytest.raises(TypeError, match="Filerow.checkbox must be a wx.CheckBox"):
        row.checkbox = panels.panel1
    with pytest.raises(TypeError, match="Filerow.proposed must be a wx.TextCtrl"):
        row.proposed = "text"


def test_rows_keep_the_hosts_own_attributes(panels, folder):
    panels.tree(folder).build()
    for row in filerow.nodes.values():
        row.mark = row.name.upper()
    # The Python objects are gone by now; the rows still hold the marks.
    assert [row.mark for row in filerow.nodes.values()] == [
        row.name.upper() for row in filerow.nodes.values()]
    row = next(iter(filerow.nodes.values()))
    del row.mark
    with pytest.raises(AttributeError, match="has no attribute 'mark'"):
        row.mark
    with pytest.raises(AttributeError):
        row.name = "x"  # derived from branch, not a field
    with pytest.raises(AttributeError):
        row.format_row = None


def test_transform_set_on_the_class_proposes_the_next_rows(panels, folder):
    tree = panels.tree(folder, transform=lambda name: "first")
    tree.build()
    filerow.Filerow.transform = lambda name: name + "!"
    row, _ = tree.add_branch("late.txt", [tree.head])
    assert row.proposed.GetValue() == "late.txt!" and row.ticked
