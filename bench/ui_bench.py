"""Times what a user of a wxPython host waits for, in one fresh process: the
tree built through the modules filerow and tickpane, or the plain loop that
makes the same widgets with the same font, colour and styling calls without
them; then, on what was built, the same operations done either way. Every
step runs in a shown frame and is followed by the toolkit's event processing
until idle, so layout and painting count.

usage: ui_bench.py tree|plain LOCATION
Prints step,rows,seconds lines, and memory,rows,KB (resident set after the
build).
"""
import os
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "examples"))  # the example host's modules

import wx  # noqa: E402

APP = wx.App()
LOOP = wx.GUIEventLoop()
ACTIVE = wx.EventLoopActivator(LOOP)

import config  # noqa: E402
import gizmo  # noqa: E402
import skinkit  # noqa: E402
import tickpane  # noqa: E402


def settle():
    """Processes events until the toolkit is idle."""
    while True:
        APP.ProcessPendingEvents()
        while LOOP.Pending():
            LOOP.Dispatch()
        if not LOOP.ProcessIdle():
            return


def timed(work):
    """Seconds that `work` and the event processing after it take."""
    start = time.perf_counter()
    work()
    settle()
    return time.perf_counter() - start


def resident_kb():
    with open("/proc/self/status") as status:
        return next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))


def propose(name):
    return name.lower().replace(" ", "_") + "~"


class Window:
    """Two panels with grid-bag sizers in one scrolled window, shown."""

    def __init__(self, sizer_type):
        self.frame = wx.Frame(None, size=(900, 700))
        self.scroller = wx.ScrolledWindow(self.frame)
        self.scroller.SetScrollRate(10, 10)
        self.panel1, self.panel2 = wx.Panel(self.scroller), wx.Panel(self.scroller)
        self.sizer1, self.sizer2 = sizer_type(), sizer_type()
        self.panel1.SetSizer(self.sizer1)
        self.panel2.SetSizer(self.sizer2)
        panes = wx.BoxSizer(wx.HORIZONTAL)
        panes.Add(self.panel1, 0, wx.EXPAND)
        panes.Add(self.panel2, 1, wx.EXPAND)
        self.scroller.SetSizer(panes)
        self.frame.Show()
        settle()

    def layout(self):
        self.scroller.FitInside()
        self.frame.Layout()


class PlainRow:
    """One row's widgets, made and styled by plain wx calls as a row would."""

    def __init__(self, w, name, indent, line, width, proposal, leaf):
        theme = skinkit.THEME.tree
        self.name, self.proposal, self.leaf, self.children = name, proposal, leaf, []
        self.collapsed = False
        cell1 = wx.BoxSizer(wx.HORIZONTAL)
        self.box = wx.CheckBox(w.panel1, label=name, style=wx.CHK_3STATE)
        self.width = max(width, self.box.GetSize()[0])
        cell1.AddSpacer(15 * indent)
        cell1.Add(self.box, 0, wx.ALL, 0)
        w.sizer1.Add(cell1, pos=(line, 0), flag=1, border=2)
        self.format_left()
        cell2 = wx.BoxSizer(wx.HORIZONTAL)
        changed = bool(proposal) and proposal != name
        self.tick = wx.TextCtrl(w.panel2, value=" √" if changed else "  ",
                                size=(self.width, -1), style=wx.BORDER_NONE | wx.TE_READONLY)
        self.tick.SetMinSize((20, -1))
        self.text = wx.TextCtrl(w.panel2, value=proposal, size=(self.width, -1),
                                style=wx.BORDER_NONE)
        height = max(c.GetBestSize()[1] for c in (self.box, self.tick, self.text))
        for widget in (self.box, self.tick, self.text):
            widget.SetMinSize((widget.GetMinSize()[0], height))
        cell2.Add(self.tick, 0, wx.ALL | wx.EXPAND, 0)
        cell2.AddSpacer(15 * indent)
        cell2.Add(self.text, 0, wx.ALL | wx.EXPAND, 0)
        w.sizer2.Add(cell2, pos=(line, 1), flag=wx.EXPAND, border=2)

    def finish(self):
        if not self.leaf:
            self.text.SetEditable(False)
        self.format_right()

    def format_left(self):
        theme = skinkit.THEME.tree
        self.box.SetFont(theme.collapsed_font if self.collapsed else theme.font)
        checked = self.box.Get3StateValue() == wx.CHK_CHECKED
        gizmo.format_widget(self.box, theme)
        self.box.SetBackgroundColour(theme.selected_background if checked else theme.background)

    def format_right(self):
        theme = skinkit.THEME.tree
        font = theme.collapsed_font if self.collapsed else theme.font
        self.tick.SetFont(font)
        self.text.SetFont(font)
        checked = self.box.Get3StateValue() == wx.CHK_CHECKED
        gizmo.format_widget(self.tick, theme)
        gizmo.format_widget(self.text, theme)
        self.text.SetBackgroundColour(theme.selected_background if checked else theme.background)
        if self.leaf:
            self.text.SetFont(theme.font if self.text.GetValue() == self.name
                              else theme.bold_font)

    def set_state(self, state):
        self.box.Set3StateValue(state)
        self.format_left()
        self.format_right()

    def down(self, state):
        self.set_state(state)
        for child in self.children:
            child.down(state)

    def fold(self, collapse):
        if self.leaf:
            self.format_left()
            self.format_right()
            return
        self.collapsed = collapse
        for child in self.children:
            child.fold(collapse)
            for widget in (child.box, child.tick, child.text):
                widget.Show(not collapse)
        self.format_left()
        self.format_right()


def plain_rows(w, names):
    """The rows the tree makes for `names`, made by the plain loop."""
    rows, top, path_rows, width = [], [], [], 0
    before = [""]
    for name in names:
        path = [""] + name.split(os.sep)
        shared = 0
        while shared < min(len(path), len(before)) and path[shared] == before[shared]:
            shared += 1
        path_rows = path_rows[:shared - 1]
        for depth in range(shared, len(path)):
            leaf = depth == len(path) - 1
            row = PlainRow(w, path[depth], depth, len(rows), width, propose(path[depth]), leaf)
            width = row.width
            (path_rows[-1].children if path_rows else top).append(row)
            path_rows.append(row)
            rows.append(row)
        before = path
    for row in rows:
        row.finish()
    return rows, top


def main():
    variant, location = sys.argv[1], sys.argv[2]
    # The tree as the example host lays it out; the plain loop with wx's own sizers.
    w = Window(tickpane.GridBagSizer if variant == "tree" else wx.GridBagSizer)
    tree = tickpane.Filetree(w.panel1, w.panel2, w.sizer1, w.sizer2,
                             config.Config(location, "*", False, True), propose, None)
    if variant == "tree":
        seconds = timed(tree.build)
        rows = len(tickpane.filerow.nodes)
    else:
        names = tree.get_names()
        built = []
        seconds = timed(lambda: built.append(plain_rows(w, names)))
        plain, top_rows = built[0]
        rows = len(plain)
    print(f"build,{rows},{seconds:.4f}", flush=True)
    print(f"memory,{rows},{resident_kb()}", flush=True)
    print(f"layout,{rows},{timed(w.layout):.4f}", flush=True)

    if variant == "tree":
        top = tree.head.children[next(iter(tree.head.children))]

        def click():
            box = top.checkbox
            box.Set3StateValue(wx.CHK_CHECKED)
            event = wx.CommandEvent(wx.wxEVT_CHECKBOX, box.GetId())
            event.SetEventObject(box)
            box.GetEventHandler().ProcessEvent(event)

        def fold(collapse):
            (top.collapse if collapse else top.expand)()
            w.sizer1.Layout()
            w.sizer2.Layout()

        steps = [("click on the top folder", click),
                 ("invert", tree.invert_all_selections),
                 ("tick all", lambda: tree.set_all_checkboxes(wx.CHK_CHECKED)),
                 ("collapse the top folder", lambda: fold(True)),
                 ("expand the top folder", lambda: fold(False)),
                 ("teardown", lambda: tickpane.destroy_rows(tree))]
    else:
        top = top_rows[0]

        def click():
            top.box.Set3StateValue(wx.CHK_CHECKED)
            top.down(wx.CHK_CHECKED)
            w.panel2.Refresh()
            w.panel2.Update()

        def invert():
            for row in plain:
                state = row.box.Get3StateValue()
                if state != wx.CHK_UNDETERMINED:
                    row.box.Set3StateValue(wx.CHK_UNCHECKED if state == wx.CHK_CHECKED
                                           else wx.CHK_CHECKED)
            w.panel1.Refresh()

        def tick_all():
            for row in top_rows:
                row.down(wx.CHK_CHECKED)

        def fold(collapse):
            top.fold(collapse)
            w.sizer1.Layout()
            w.sizer2.Layout()

        def teardown():
            for panel in (w.panel1, w.panel2):
                panel.Hide()
            w.sizer1.Clear(True)
            w.sizer2.Clear(True)
            for panel in (w.panel1, w.panel2):
                panel.Show()

        steps = [("click on the top folder", click), ("invert", invert),
                 ("tick all", tick_all),
                 ("collapse the top folder", lambda: fold(True)),
                 ("expand the top folder", lambda: fold(False)),
                 ("teardown", teardown)]
    for step, work in steps:
        print(f"{step},{rows},{timed(work):.4f}", flush=True)
    w.frame.Destroy()
    settle()


if __name__ == "__main__":
    main()
