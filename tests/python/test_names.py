"""Names that are not UTF-8 reach Python as os.walk gives them and go back byte for byte."""

import os

import pytest

import filerow

RAW = b"caf\xe9.txt"  # Latin-1, not UTF-8


@pytest.fixture
def odd_folder(tmp_path):
    os.mkdir(os.path.join(os.fsencode(tmp_path), b"d\xfcr"))
    for name in (RAW, b"d\xfcr/" + RAW):
        with open(os.path.join(os.fsencode(tmp_path), name), "wb"):
            pass
    return tmp_path


def test_names_cross_as_os_walk_gives_them(panels, odd_folder):
    seen = []

    def transform(name):
        seen.append(name)
        return name.replace(".txt", ".md")

    tree = panels.tree(odd_folder, transform=transform)
    walked = sorted(os.path.relpath(os.path.join(top, name), odd_folder)
                    for top, _, files in os.walk(str(odd_folder)) for name in files)
    assert tree.get_names() == walked
    tree.build()
    name = os.fsdecode(RAW)
    assert seen == [name, os.fsdecode(b"d\xfcr"), name]
    inner = [row for row in filerow.nodes.values() if row.indent == 2][0]
    assert inner.branch == ["", os.fsdecode(b"d\xfcr"), name]
    assert os.fsencode(inner.stem) == os.sep.encode() + b"d\xfcr"
    assert inner.checkbox.GetLabel() == "caf\ufffd.txt"
    assert os.fsencode(inner.newname) == b"caf\xe9.md"  # the bytes transform gave

    inner.proposed.SetValue(inner.checkbox.GetLabel())  # shows the name: no change
    assert not inner.ticked and os.fsencode(inner.newname) == RAW

    renamed = [row for row in tree.head.children.values() if row.leaf][0]
    old = os.path.join(tree.location, renamed.stem, renamed.name)
    os.rename(old, os.path.join(tree.location, "plain.txt"))
    assert os.listdir(os.fsencode(odd_folder)).count(RAW) == 0


def test_names_come_in_as_str_bytes_or_paths(panels, odd_folder):
    tree = panels.tree(odd_folder)
    tree.build()
    by_str, _ = tree.add_branch(os.fsdecode(b"new\xff"), [tree.head])
    by_bytes, _ = tree.add_branch(b"new\xfe", [tree.head])
    assert os.fsencode(by_str.name) == b"new\xff" and os.fsencode(by_bytes.name) == b"new\xfe"
    row = filerow.Filerow(["", odd_folder / "x"], None, -1, -1)
    assert row.name == str(odd_folder / "x")
    with pytest.raises(UnicodeEncodeError):
        filerow.Filerow(["", "\ud800"], None, -1, -1)


def test_names_sort_as_python_sorts_them(panels, tmp_path):
    raw = [b"\x80x", b"\xc3\xa9x", b"\xef\xbf\x84", b"\xffz"]
    for name in raw:
        with open(os.path.join(os.fsencode(tmp_path), name), "wb"):
            pass
    tree = panels.tree(tmp_path)
    expected = sorted(os.fsdecode(name) for name in raw)
    assert expected == ["\xe9x", "\udc80x", "\udcffz", "\uffc4"]
    assert tree.get_names() == expected
    tree.build()
    assert [row.name for row in filerow.nodes.values()] == expected
