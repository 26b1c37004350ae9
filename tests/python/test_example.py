"""The example host, started end to end: it shows a folder and saves a screenshot."""

import os
import subprocess
import sys

import wx

import filerow

EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples")


def test_example_shows_a_folder_and_saves_a_screenshot(tmp_path):
    shown = tmp_path / "shown"
    for name in ("Holiday Photo.JPG", "notes.txt", "Sub Dir/Read Me.md"):
        (shown / name).parent.mkdir(parents=True, exist_ok=True)
        (shown / name).write_text(name)
    screenshot = tmp_path / "demo.png"
    result = subprocess.run(
        [sys.executable, "demo.py", str(shown), "--screenshot", str(screenshot)],
        cwd=EXAMPLES, capture_output=True, text=True, timeout=120,
        env=dict(os.environ, PYTHONPATH=os.path.dirname(filerow.__file__)))
    assert result.returncode == 0, result.stderr
    assert "++++++++++ '%s' for 3 files" % shown in result.stdout
    image = wx.Image(str(screenshot))
    assert image.IsOk() and (image.GetWidth(), image.GetHeight()) == (900, 600)
    colours = {(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y))
               for x in range(0, 900, 7) for y in range(0, 600, 7)}
    assert len(colours) > 10  # drawn, not a blank capture
