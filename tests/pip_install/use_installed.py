"""Builds a small tree in a frame with the modules installed in this
interpreter's environment, the host modules being the example host's.
    use_installed.py EXAMPLES_FOLDER"""

import os
import sys
import tempfile

sys.path.append(sys.argv[1])

import wx  # noqa: E402

app = wx.App()

import filerow  # noqa: E402
import tickpane  # noqa: E402
from config import Config  # noqa: E402


def installed(path):
    return os.path.realpath(path).startswith(os.path.realpath(sys.prefix) + os.sep)


for module in (filerow, tickpane):
    assert installed(module.__file__), module.__file__

with tempfile.TemporaryDirectory() as folder:
    for name in ("Holiday Photo.JPG", "Sub Dir/Read Me.md", "notes.txt"):
        path = os.path.join(folder, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        open(path, "w").close()

    frame = wx.Frame(None, size=(600, 400))
    panels = [wx.Panel(frame), wx.Panel(frame)]
    sizers = [wx.GridBagSizer(), wx.GridBagSizer()]
    for panel, sizer in zip(panels, sizers):
        panel.SetSizer(sizer)
    tree = tickpane.Filetree(*panels, *sizers, Config(folder), str.lower, lambda text: None)
    tree.build()
    frame.Show()
    app.Yield(True)

    assert tree.get_names() == ["Holiday Photo.JPG", "Sub Dir/Read Me.md", "notes.txt"]
    assert tree.rownmb == 4 and len(filerow.nodes) == 4
    tree.set_all_checkboxes(wx.CHK_CHECKED)
    assert [(row.name, row.newname) for row in tree.changes()] == [
        ("Holiday Photo.JPG", "holiday photo.jpg"), ("Sub Dir", "sub dir"),
        ("Read Me.md", "read me.md")]
    tree.unbindall()
    frame.Destroy()

# The libraries they load are the ones installed beside them, and wxWidgets
# is the one wxPython loads.
with open("/proc/self/maps") as maps:
    loaded = {line.split()[-1] for line in maps if "/lib" in line}
ours = {path for path in loaded
        if os.path.basename(path).split(".")[0] in ("libtickhost", "libfilerow", "libtickpane")}
assert len(ours) == 3 and all(installed(path) for path in ours), ours
wx_core = {path for path in loaded if os.path.basename(path).startswith("libwx_gtk3u_core")}
assert len(wx_core) == 1, wx_core
print("the installed modules built a tree of %d rows" % tree.rownmb)
