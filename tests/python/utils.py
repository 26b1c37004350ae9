"""The test host's list text and diagnostics; `failure`, when set, is raised by andlist."""

calls = []
printed = []
failure = None


def andlist(names, quote='"'):
    calls.append((list(names), quote))
    if failure is not None:
        raise failure
    return ", ".join(quote + name + quote for name in names)


def dprint(*args):
    printed.append(args)
