"""The example host's small helpers."""

import sys


def andlist(names, quote='"'):
    """'a', 'b' and 'c'."""
    quoted = [quote + name + quote for name in names]
    if len(quoted) < 2:
        return "".join(quoted)
    return ", ".join(quoted[:-1]) + " and " + quoted[-1]


def dprint(*args):
    print(*args, file=sys.stderr)
