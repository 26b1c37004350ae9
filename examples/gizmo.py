"""The example host's widget styling."""

import wx


def format_widget(widget, style):
    """Gives a widget (or a menu item) the text colour of its theme entry."""
    if isinstance(widget, wx.Window):
        widget.SetForegroundColour(style.foreground)
    elif isinstance(widget, wx.MenuItem):
        widget.SetTextColour(style.foreground)
