"""Loading the modules binds the host's modules, and fails cleanly when one is missing."""

import os
import shutil
import subprocess
import sys

import pytest

import filerow

HERE = os.path.dirname(os.path.abspath(__file__))
HOST = ("config", "gizmo", "skinkit", "utils")


def load(tmp_path, statement, host, replace=None):
    """Runs `statement` in a fresh interpreter whose host has the modules `host`."""
    folder = tmp_path / "host"
    folder.mkdir()
    for name in host:
        shutil.copy(os.path.join(HERE, name + ".py"), folder)
    for name, text in (replace or {}).items():
        (folder / (name + ".py")).write_text(text)
    code = "import wx\napp = wx.App()\ntry:\n    %s\nexcept ImportError as e:\n" \
           "    print(type(e).__name__, e)\nelse:\n    print('loaded')\n" % statement
    path = os.pathsep.join([os.path.dirname(filerow.__file__), str(folder)])
    result = subprocess.run([sys.executable, "-c", code], cwd=str(folder), text=True,
                            capture_output=True, env=dict(os.environ, PYTHONPATH=path),
                            timeout=60)
    assert result.returncode == 0, result.stderr
    return result.stdout.strip()


@pytest.mark.parametrize("statement, missing", [
    ("import filerow", "utils"),
    ("import filerow", "gizmo"),
    ("import filerow", "skinkit"),
    ("import tickpane", "config"),
])
def test_a_missing_host_module_fails_the_import(tmp_path, statement, missing):
    host = [name for name in HOST if name != missing]
    assert load(tmp_path, statement, host) == \
        "ImportError No module named '%s'" % missing


@pytest.mark.parametrize("statement, module, text, name", [
    ("import filerow", "skinkit", "", "THEME"),
    ("import filerow", "utils", "def andlist(names, quote=''): return ''\n", "dprint"),
    ("import tickpane", "config", "", "Config"),
])
def test_a_missing_host_name_fails_the_import(tmp_path, statement, module, text, name):
    assert load(tmp_path, statement, HOST, {module: text}) == \
        "ImportError cannot import name '%s' from '%s'" % (name, module)


def test_complete_host_loads_both(tmp_path):
    assert load(tmp_path, "import tickpane, filerow", HOST) == "loaded"
