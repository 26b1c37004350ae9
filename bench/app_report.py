"""Turns bench/app.sh's measurements into markdown tables and the plot.

usage: app_report.py OUT.png STEPS.csv
STEPS: files,variant,step,rows,value. Prints the tables (medians) on standard
output and draws open time and memory per row against rows.
"""
import csv
import statistics
import sys
from collections import defaultdict

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

PLAIN, APP = "plain loop", "bulkrename"
STEPS = ["rule change (to upper case)", "Tick all", "Untick all", "Invert (ticks all)",
         "Rename of every file", "Undo", "a new build of the same tree"]
TEARDOWN = "teardown of the window"
PER_ROW = "resident memory of the rows (KB a row)"


def main(png, path):
    with open(path) as f:
        records = list(csv.DictReader(f))
    values, rows = defaultdict(list), {}
    for r in records:
        files = int(r["files"])
        values[(files, r["variant"], r["step"])].append(float(r["value"]))
        # The rows the application shows; the plain loop makes as many.
        if r["variant"] == APP or files not in rows:
            rows[files] = int(r["rows"])
    median = {k: statistics.median(v) for k, v in values.items()}
    count = {k: len(v) for k, v in values.items()}
    sizes = sorted({k[0] for k in median})

    def cell(files, variant, step, digits=2):
        value = median.get((files, variant, step))
        return "" if value is None else f"{value:.{digits}f}"

    print("| files | rows | plain loop: open (s) | bulkrename: open (s) | open / plain loop | "
          "bulkrename: close (s) | plain loop: teardown (s) | bulkrename: teardown (s) |")
    print("|---|---|---|---|---|---|---|---|")
    for files in sizes:
        plain, app = median.get((files, PLAIN, "open")), median.get((files, APP, "open"))
        ratio = f"{app / plain:.2f}" if plain and app else ""
        once = " (one run)" if count.get((files, APP, "open")) == 1 else ""
        print(f"| {files}{once} | {rows[files]} | {cell(files, PLAIN, 'open')} | "
              f"{cell(files, APP, 'open')} | {ratio} | {cell(files, APP, 'close', 3)} | "
              f"{cell(files, PLAIN, TEARDOWN)} | {cell(files, APP, TEARDOWN)} |")
    print()
    # The plain loop makes only the widget changes of a change of rules and
    # of Tick all: the toolkit's floor for those two.
    print("| files | | " + " | ".join(f"{s} (s)" for s in STEPS) + " |")
    print("|---|---|" + "---|" * len(STEPS))
    for files in sizes:
        for variant in (APP, PLAIN):
            print(f"| {files} | {variant} | " +
                  " | ".join(cell(files, variant, s) for s in STEPS) + " |")
    print()
    print("| files | rows | plain loop (KB a row) | bulkrename (KB a row) | "
          "bulkrename: resident (MB) | peak (MB) |")
    print("|---|---|---|---|---|---|")
    for files in sizes:
        print(f"| {files} | {rows[files]} | {cell(files, PLAIN, PER_ROW, 1)} | "
              f"{cell(files, APP, PER_ROW, 1)} | "
              f"{cell(files, APP, 'resident memory (MB)', 0)} | "
              f"{cell(files, APP, 'peak resident memory (MB)', 0)} |")

    figure, (times, memory) = plt.subplots(1, 2, figsize=(11, 4.2))
    for variant, marker in ((PLAIN, "s"), (APP, "o")):
        points = [(rows[f], median[(f, variant, "open")]) for f in sizes
                  if (f, variant, "open") in median]
        if points:
            times.plot(*zip(*points), marker=marker, label=variant)
        points = [(rows[f], median[(f, variant, PER_ROW)]) for f in sizes
                  if (f, variant, PER_ROW) in median]
        if points:
            memory.plot(*zip(*points), marker=marker, label=variant)
    times.set(xlabel="rows", ylabel="open, until idle (s)", title="Opening a folder")
    memory.set(xlabel="rows", ylabel="KB a row", title="Resident memory of the rows")
    memory.set_ylim(bottom=0)
    for axes in (times, memory):
        axes.grid(True, alpha=0.3)
        axes.legend()
    figure.tight_layout()
    figure.savefig(png, dpi=90)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
