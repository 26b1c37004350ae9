"""The host services as the libraries use them: theme, styling, list text, and errors."""

import pytest
import wx

import filerow
import gizmo
import skinkit
import utils
from conftest import click, rows_by_name


class HostError(Exception):
    pass


def test_format_widget_gets_the_hosts_style_and_the_real_widgets(panels, folder):
    panels.tree(folder).build()
    row = rows_by_name(None)["b.txt"]
    styled = [(widget, style) for widget, style in gizmo.calls
              if widget in (row.checkbox, row.tick, row.proposed)]
    assert {type(widget) for widget, _ in styled} == {wx.CheckBox, wx.TextCtrl}
    assert all(style is skinkit.THEME.tree for _, style in styled)
    assert any(widget is row.checkbox for widget, _ in styled)
    assert any(widget is row.proposed for widget, _ in styled)


def test_theme_is_read_afresh_at_each_use(panels, folder):
    panels.tree(folder).build()
    row = rows_by_name(None)["a.txt"]
    skinkit.THEME.tree.background = wx.Colour(1, 2, 3)
    row.format_row()
    assert row.checkbox.GetBackgroundColour() == wx.Colour(1, 2, 3)
    skinkit.THEME = skinkit.Theme()
    skinkit.THEME.tree.background = "#0a0b0c"
    row.format_row()
    assert row.proposed.GetBackgroundColour() == wx.Colour(10, 11, 12)
    assert filerow.THEME is skinkit.THEME
    assert gizmo.calls[-1][1] is skinkit.THEME.tree
    skinkit.THEME.tree.font = object()
    with pytest.raises(TypeError, match="THEME.tree.font"):
        row.format_row()
    skinkit.THEME = skinkit.Theme()
    del skinkit.THEME.tree.background
    with pytest.raises(AttributeError):
        row.format_row()


@pytest.mark.parametrize("failing", ["transform", "on_progress", "format_widget"])
def test_errors_of_host_callables_reach_the_caller_unchanged(panels, folder, failing):
    error = HostError(failing)

    def fail(*args):
        raise error

    transform = fail if failing == "transform" else None
    on_progress = fail if failing == "on_progress" else None
    if failing == "format_widget":
        gizmo.failure = error
    tree = panels.tree(folder, transform=transform, on_progress=on_progress)
    with pytest.raises(HostError) as raised:
        tree.build()
    assert raised.value is error


def test_errors_of_andlist_and_of_results_reach_the_caller(panels, folder):
    tree = panels.tree(folder, transform=lambda name: None)
    with pytest.raises(TypeError, match="transform returns"):
        tree.build()
    head = filerow.Filerow([""], None, -1, -1)
    utils.failure = HostError("andlist")
    with pytest.raises(HostError) as raised:
        str(head)
    assert raised.value is utils.failure


def test_handler_errors_are_reported_and_the_application_goes_on(panels, folder, reported):
    panels.tree(folder).build()
    rows = rows_by_name(None)
    gizmo.failure = HostError("styling")
    click(rows["b.txt"].checkbox, wx.CHK_CHECKED)
    assert len(reported) == 1 and reported[0][1] is gizmo.failure
    gizmo.failure = None
    click(rows["c.txt"].checkbox, wx.CHK_CHECKED)
    assert len(reported) == 1
    rows["a.txt"].tick.Destroy()
    rows["a.txt"].proposed.SetValue("changed")  # the handler finds no tick mark
    assert reported[1][0] is RuntimeError and "tick-mark" in str(reported[1][1])
