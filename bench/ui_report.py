"""Turns bench/ui.sh's measurements into markdown tables and a plot.

usage: ui_report.py OUT.png UI.csv   (files,variant,step,rows,value)
Prints a table per size (medians; seconds, memory in KB a row) and draws the
build time of both variants against rows.
"""
import csv
import statistics
import sys
from collections import defaultdict

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

STEPS = ["build", "layout", "click on the top folder", "invert", "tick all",
         "collapse the top folder", "expand the top folder", "teardown"]

values = defaultdict(list)
rows_of = {}
with open(sys.argv[2]) as f:
    for record in csv.DictReader(f):
        values[(record["files"], record["variant"], record["step"])].append(float(record["value"]))
        rows_of[record["files"]] = record["rows"]
median = {key: statistics.median(v) for key, v in values.items()}

print("| files (rows) | step | plain loop (s) | tree (s) | tree / plain loop |")
print("|---|---|---|---|---|")
for files in sorted(rows_of, key=int):
    for step in STEPS:
        plain, tree = median.get((files, "plain", step)), median.get((files, "tree", step))
        if plain is None or tree is None:
            continue
        print(f"| {int(files):,} ({rows_of[files]}) | {step} | {plain:.3f} | {tree:.3f} | "
              f"{tree / plain:.2f} |")
print()
print("| files (rows) | resident after the build, plain loop (KB a row) | tree (KB a row) | tree / plain loop |")
print("|---|---|---|---|")
for files in sorted(rows_of, key=int):
    rows = int(rows_of[files])
    plain, tree = median.get((files, "plain", "memory")), median.get((files, "tree", "memory"))
    if plain and tree:
        print(f"| {int(files):,} ({rows}) | {plain / rows:.1f} | {tree / rows:.1f} | "
              f"{tree / plain:.2f} |")

figure, axes = plt.subplots(figsize=(6, 4))
for variant, label in (("plain", "plain loop"), ("tree", "tree build")):
    sizes = sorted((int(rows_of[f]), median[(f, variant, "build")]) for f in rows_of
                   if (f, variant, "build") in median)
    axes.plot([r for r, _ in sizes], [s for _, s in sizes], marker="o", label=label)
axes.set_xlabel("rows")
axes.set_ylabel("seconds (build, then idle)")
axes.legend()
axes.grid(True, alpha=0.3)
figure.tight_layout()
figure.savefig(sys.argv[1], dpi=100)
