"""tickpane.GridBagSizer: a wx.GridBagSizer of ours, taken where wx's is, laying out as it does."""

import pytest
import wx

import tickpane
from conftest import Panels


class OurPanels(Panels):
    """The two panels, laid out by tickpane.GridBagSizer instead."""

    def __init__(self):
        super().__init__()
        self.sizer1 = tickpane.GridBagSizer()
        self.sizer2 = tickpane.GridBagSizer()
        self.panel1.SetSizer(self.sizer1)
        self.panel2.SetSizer(self.sizer2)


def test_is_a_wx_grid_bag_sizer_taking_its_arguments():
    sizer = tickpane.GridBagSizer(3, hgap=5)
    assert isinstance(sizer, wx.GridBagSizer)
    assert (sizer.GetVGap(), sizer.GetHGap()) == (3, 5)
    assert (tickpane.GridBagSizer().GetVGap(), tickpane.GridBagSizer(vgap=2).GetHGap()) == (0, 0)
    with pytest.raises(TypeError):
        tickpane.GridBagSizer("3")

    def filled(sizer):
        sizer.Add(10, 20, wx.GBPosition(1, 2), wx.GBSpan(2, 1), wx.ALL, 4)
        sizer.Add(30, 5, (0, 0))
        return sizer

    ours, theirs = filled(sizer), filled(wx.GridBagSizer(3, 5))
    assert ours.FindItemAtPosition((2, 2)).GetSpan() == wx.GBSpan(2, 1)
    assert ours.CheckForIntersection((1, 2), (1, 1))
    assert ours.GetMinSize() == theirs.GetMinSize()
    assert list(ours.GetRowHeights()) == list(theirs.GetRowHeights())


def test_a_tree_lays_out_as_with_wx_grid_bag_sizers(folder):
    for name in ("sub/deep/e.txt", "sub/f.md", "wide/" + "long name " * 4 + ".txt"):
        path = folder / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(name)

    def laid_out(panels):
        # The width of the proposed names grows with every tree of the process.
        tickpane.filerow.textwidth = 0
        tree = panels.tree(folder, transform=lambda name: name.upper())
        tree.build()
        rows = {row.name: row for row in tickpane.filerow.nodes.values()}
        menu = tickpane.filerow.ContextMenu(rows["deep"], rows["deep"], panels.sizer1,
                                            panels.sizer2)
        menu.on_collapse(wx.CommandEvent())
        menu.Destroy()
        rects = []
        for panel, sizer in ((panels.panel1, panels.sizer1), (panels.panel2, panels.sizer2)):
            # A size of its own: the frame's comes from the toolkit, in its own time.
            panel.SetSize(400, 600)
            panel.Layout()
            rects += [sizer.GetMinSize(), list(sizer.GetRowHeights()), list(sizer.GetColWidths())]
            for cell in sizer.GetChildren():
                rects.append(cell.GetRect())
                rects += [item.GetRect() for item in cell.GetSizer().GetChildren()]
                rects += [item.GetWindow().GetRect() for item in cell.GetSizer().GetChildren()
                          if item.IsWindow()]
        panels.frame.Destroy()
        return rects

    theirs = laid_out(Panels())
    ours = laid_out(OurPanels())
    assert ours == theirs
    assert len(theirs) > 60
