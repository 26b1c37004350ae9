"""Drives the modules as a wxPython host does: one wx.App for the session, a
fresh frame with two grid-bag panels for each test, and the host modules of
this folder (config, skinkit, gizmo, utils) in place of a real host's."""

import ctypes
import sys
import time

import pytest
import wx


def wait_for_screen(seconds=10.0):
    """Waits until the X screen takes a connection: wx.App cannot be made
    twice in one process, so one refused connection would fail every test."""
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    deadline = time.monotonic() + seconds
    while True:
        display = xlib.XOpenDisplay(None)
        if display:
            xlib.XCloseDisplay(display)
            return
        if time.monotonic() > deadline:
            raise RuntimeError("no X screen takes connections (is DISPLAY set?)")
        time.sleep(0.2)


wait_for_screen()
APP = wx.App()  # before the host's theme makes its fonts

import config  # noqa: E402
import gizmo  # noqa: E402
import skinkit  # noqa: E402
import tickpane  # noqa: E402
import utils  # noqa: E402


@pytest.fixture(autouse=True)
def host():
    """The host modules as they start, for every test."""
    gizmo.calls.clear()
    gizmo.failure = None
    utils.calls.clear()
    utils.printed.clear()
    utils.failure = None
    skinkit.THEME = skinkit.Theme()
    yield


def pump():
    """Lets the toolkit handle what is pending (layout, paint, deletions)."""
    for _ in range(3):
        APP.Yield(True)


class Panels:
    """Two panels side by side, each laid out by a wx.GridBagSizer."""

    def __init__(self):
        self.frame = wx.Frame(None, size=(800, 600))
        self.panel1 = wx.Panel(self.frame)
        self.panel2 = wx.Panel(self.frame)
        self.sizer1 = wx.GridBagSizer()
        self.sizer2 = wx.GridBagSizer()
        self.panel1.SetSizer(self.sizer1)
        self.panel2.SetSizer(self.sizer2)
        row = wx.BoxSizer(wx.HORIZONTAL)
        row.Add(self.panel1, 1, wx.EXPAND)
        row.Add(self.panel2, 1, wx.EXPAND)
        self.frame.SetSizer(row)

    def tree(self, location, transform=None, on_progress=None, kind=None, **settings):
        kind = kind or tickpane.Filetree
        return kind(self.panel1, self.panel2, self.sizer1, self.sizer2,
                    config.Config(str(location), **settings), transform, on_progress)


@pytest.fixture
def panels():
    made = Panels()
    yield made
    made.frame.Destroy()
    pump()


@pytest.fixture
def folder(tmp_path):
    """a.txt, sub/b.txt, sub/c.txt, sub/deep/d.txt and z.txt."""
    for name in ("a.txt", "sub/b.txt", "sub/c.txt", "sub/deep/d.txt", "z.txt"):
        path = tmp_path / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(name)
    return tmp_path


def rows_by_name(tree):
    import filerow
    return {row.name: row for row in filerow.nodes.values()}


def click(checkbox, state):
    """What the toolkit does when the user clicks: set the value, send the event."""
    checkbox.Set3StateValue(state)
    event = wx.CommandEvent(wx.wxEVT_CHECKBOX, checkbox.GetId())
    event.SetEventObject(checkbox)
    event.SetInt(int(state))
    checkbox.GetEventHandler().ProcessEvent(event)


@pytest.fixture
def reported(monkeypatch):
    """The errors reported through sys.excepthook, as (type, value)."""
    errors = []
    monkeypatch.setattr(sys, "excepthook", lambda kind, value, tb: errors.append((kind, value)))
    return errors
