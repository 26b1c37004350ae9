"""The example host's theme. Fonts and colours are made when first asked for,
since wx makes them only once the application exists."""

import wx


class TreeStyle:
    @property
    def font(self):
        return wx.SystemSettings.GetFont(wx.SYS_DEFAULT_GUI_FONT)

    @property
    def collapsed_font(self):
        return self.font.Italic()

    @property
    def bold_font(self):
        return self.font.Bold()

    @property
    def background(self):
        return wx.SystemSettings.GetColour(wx.SYS_COLOUR_WINDOW)

    selected_background = "#cfe3ff"
    foreground = "#202020"


class MenuStyle:
    foreground = "#202020"


class Theme:
    tree = TreeStyle()
    menu = MenuStyle()


THEME = Theme()
