#!/usr/bin/env python3
"""A small wxPython host for tickpane: one folder as the two-panel file tree.

    python3 demo.py [FOLDER] [--pattern PATTERN] [--folders] [--flat]
                    [--screenshot FILE]

The modules filerow and tickpane must be importable (the build's python
folder on PYTHONPATH, or installed); the host modules config, skinkit, gizmo
and utils are the ones beside this script. Proposed names are the current ones
in lower case with underscores for spaces. "Show changes" lists the ticked rows
whose names would change; nothing is renamed. With --screenshot the window is
saved as a PNG once it is shown, and the program ends.
"""

import argparse
import os
import sys

import wx

import config
import tickpane


def propose(name):
    return name.lower().replace(" ", "_")


class Frame(wx.Frame):
    def __init__(self, settings):
        super().__init__(None, title="tickpane - " + os.path.abspath(settings.location),
                         size=(900, 600))
        self.CreateStatusBar()
        commands = wx.BoxSizer(wx.HORIZONTAL)
        for label, handler in (("Tick all", self.on_tick_all),
                               ("Untick all", self.on_untick_all),
                               ("Invert", self.on_invert),
                               ("Show changes", self.on_show_changes)):
            button = wx.Button(self, label=label)
            button.Bind(wx.EVT_BUTTON, handler)
            commands.Add(button, 0, wx.ALL, 4)

        # Both panels sit in one scrolled window, so they scroll together and
        # their rows stay side by side.
        self.scroller = wx.ScrolledWindow(self)
        self.scroller.SetScrollRate(10, 10)
        self.panel1 = wx.Panel(self.scroller)
        self.panel2 = wx.Panel(self.scroller)
        # Grid-bag sizers whose layout takes time linear in the rows.
        self.sizer1 = tickpane.GridBagSizer()
        self.sizer2 = tickpane.GridBagSizer()
        self.panel1.SetSizer(self.sizer1)
        self.panel2.SetSizer(self.sizer2)
        panes = wx.BoxSizer(wx.HORIZONTAL)
        panes.Add(self.panel1, 0, wx.EXPAND)
        panes.Add(self.panel2, 1, wx.EXPAND)
        self.scroller.SetSizer(panes)

        layout = wx.BoxSizer(wx.VERTICAL)
        layout.Add(commands)
        layout.Add(self.scroller, 1, wx.EXPAND)
        self.SetSizer(layout)

        self.tree = tickpane.Filetree(self.panel1, self.panel2, self.sizer1, self.sizer2,
                                      settings, propose, self.SetStatusText)
        self.tree.build()
        self.scroller.FitInside()
        self.Layout()
        self.Bind(wx.EVT_CLOSE, self.on_close)

    def refresh(self):
        self.panel1.Refresh()
        self.panel2.Refresh()

    def on_tick_all(self, event):
        self.tree.set_all_checkboxes(wx.CHK_CHECKED)
        self.refresh()

    def on_untick_all(self, event):
        self.tree.set_all_checkboxes(wx.CHK_UNCHECKED)
        self.refresh()

    def on_invert(self, event):
        self.tree.invert_all_selections()
        self.refresh()

    def on_show_changes(self, event):
        changes = ["%s -> %s" % (os.path.join(row.stem, row.name).lstrip(os.sep), row.newname)
                   for row in self.tree.changes()]
        self.SetStatusText("%d to rename: %s" % (len(changes), ", ".join(changes)))

    def on_close(self, event):
        self.tree.unbindall()  # before wx tears the rows' widgets down
        event.Skip()

    def save_screenshot(self, path):
        """Saves what the screen shows of this window as a PNG, then closes it;
        returns whether the file was written."""
        try:
            self.Update()
            area = self.GetScreenRect()
            bitmap = wx.Bitmap(area.width, area.height)
            memory = wx.MemoryDC(bitmap)
            memory.Blit(0, 0, area.width, area.height, wx.ScreenDC(), area.x, area.y)
            memory.SelectObject(wx.NullBitmap)
            return bitmap.SaveFile(path, wx.BITMAP_TYPE_PNG)
        finally:
            self.Close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("folder", nargs="?", default=".")
    parser.add_argument("--pattern", help="shell wildcard for the names shown")
    parser.add_argument("--folders", action="store_true", help="show folders, not files")
    parser.add_argument("--flat", action="store_true", help="only the folder's own entries")
    parser.add_argument("--screenshot", metavar="FILE", help="save the window as a PNG and exit")
    args = parser.parse_args()

    app = wx.App()
    frame = Frame(config.Config(args.folder, args.pattern, args.folders, not args.flat))
    frame.Show()
    saved = []
    if args.screenshot:
        wx.CallLater(500, lambda: saved.append(frame.save_screenshot(args.screenshot)))
    app.MainLoop()
    if args.screenshot and saved != [True]:
        print("demo: no screenshot written to " + args.screenshot, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
