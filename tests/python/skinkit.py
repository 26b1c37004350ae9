"""The test host's theme: fixed fonts and colours, so tests can tell them apart."""

import wx


class TreeStyle:
    def __init__(self):
        self.font = wx.Font(wx.FontInfo(10).Family(wx.FONTFAMILY_SWISS))
        self.collapsed_font = wx.Font(wx.FontInfo(10).Family(wx.FONTFAMILY_SWISS).Italic())
        self.bold_font = wx.Font(wx.FontInfo(10).Family(wx.FONTFAMILY_SWISS).Bold())
        self.background = wx.Colour(250, 250, 250)
        self.selected_background = (200, 220, 255)  # wx.Colour() takes a tuple too


class MenuStyle:
    pass


class Theme:
    def __init__(self):
        self.tree = TreeStyle()
        self.menu = MenuStyle()


THEME = Theme()
