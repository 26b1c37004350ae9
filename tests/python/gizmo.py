"""The test host's widget styling: records every call; `failure`, when set, is raised."""

calls = []
failure = None


def format_widget(widget, style):
    calls.append((widget, style))
    if failure is not None:
        raise failure
