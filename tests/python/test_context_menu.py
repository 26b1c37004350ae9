"""The right-click menu: a wx.Menu whose items and handlers are the row library's."""

import pytest
import wx

import filerow
import gizmo
import skinkit
from conftest import pump, rows_by_name


class HostError(Exception):
    pass


def test_menu_is_a_wx_menu_with_styled_items_that_fold_the_node(panels, folder):
    panels.tree(folder).build()
    rows = rows_by_name(None)
    gizmo.calls.clear()
    menu = filerow.ContextMenu(rows["a.txt"], rows["sub"], panels.sizer1, None)
    assert isinstance(menu, filerow.ContextMenu) and isinstance(menu, wx.Menu)
    assert menu.parent is rows["a.txt"] and menu.node is rows["sub"]
    assert menu.sizer1 is panels.sizer1 and menu.sizer2 is None
    items = menu.GetMenuItems()
    assert [item.GetItemLabelText() for item in items] == ["Collapse", "Expand"]
    assert [(type(widget), style) for widget, style in gizmo.calls] == [
        (wx.MenuItem, skinkit.THEME.menu)] * 2
    assert gizmo.calls[0][0] is items[0]

    menu.ProcessEvent(wx.CommandEvent(wx.wxEVT_MENU, items[0].GetId()))
    assert rows["sub"].collapsed and not rows["b.txt"].checkbox.IsShown()
    menu.on_expand(wx.CommandEvent())
    assert not rows["sub"].collapsed and rows["b.txt"].checkbox.IsShown()

    item = gizmo.calls[0][0]
    menu.Destroy()
    with pytest.raises(RuntimeError, match="deleted"):
        item.GetItemLabelText()


def test_menu_construction_passes_styling_errors_on(panels, folder):
    panels.tree(folder).build()
    rows = rows_by_name(None)
    gizmo.failure = HostError()
    with pytest.raises(HostError) as raised:
        filerow.ContextMenu(rows["sub"], rows["sub"], None, None)
    assert raised.value is gizmo.failure


def test_right_click_on_a_folder_opens_the_menu_at_the_row(panels, folder):
    panels.tree(folder).build()
    panels.frame.Show()
    pump()
    rows = rows_by_name(None)

    def choose_collapse():
        keys = wx.UIActionSimulator()
        for key in (wx.WXK_DOWN, wx.WXK_RETURN):
            keys.KeyDown(key)
            keys.KeyUp(key)

    wx.CallLater(300, choose_collapse)
    event = wx.MouseEvent(wx.wxEVT_RIGHT_DOWN)
    event.SetEventObject(rows["sub"].checkbox)
    rows["sub"].checkbox.GetEventHandler().ProcessEvent(event)
    assert rows["sub"].collapsed and not rows["deep"].checkbox.IsShown()

    event = wx.MouseEvent(wx.wxEVT_RIGHT_DOWN)
    event.SetEventObject(rows["a.txt"].proposed)
    rows["a.txt"].proposed.GetEventHandler().ProcessEvent(event)
    assert event.GetSkipped()  # no menu for a leaf: the click goes on to the control
