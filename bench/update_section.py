"""Replaces (or appends) one "## TITLE" section of a markdown file with stdin."""
import pathlib
import sys

path, title = pathlib.Path(sys.argv[1]), sys.argv[2]
body = sys.stdin.read().strip() + "\n"
text = path.read_text() if path.exists() else "# Performance\n"
lines = text.splitlines(keepends=True)
heading = f"## {title}\n"
if heading in lines:
    start = lines.index(heading)
    end = next((i for i in range(start + 1, len(lines)) if lines[i].startswith("## ")), len(lines))
    lines[start:end] = [heading, "\n", body, "\n"] if end < len(lines) else [heading, "\n", body]
else:
    lines += ["\n", heading, "\n", body]
path.write_text("".join(lines))
