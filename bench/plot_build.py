"""Draws build time against rows from build_bench's CSV, and tabulates the
allocator runs.

usage: plot_build.py OUT.png MAIN.csv [LABEL=ALLOCATOR.csv ...]
Writes the plot of MAIN's medians; prints a markdown table of the medians in
each LABEL's CSV (one size each), first MAIN's figures at that size.
"""
import csv
import statistics
import sys
from collections import defaultdict

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

VARIANTS = ["plain loop", "build, shown one by one", "build"]


def medians(path):
    times = defaultdict(list)
    rows = {}
    with open(path) as f:
        for record in csv.DictReader(f):
            files = int(record["files"])
            rows[files] = int(record["rows"])
            times[(files, record["variant"])].append(float(record["seconds"]))
    return rows, {key: statistics.median(values) for key, values in times.items()}


def plot(out, rows, median):
    fig, ax = plt.subplots(figsize=(7, 4.5), dpi=100)
    for variant, marker in zip(VARIANTS, "osD"):
        sizes = sorted(files for files, v in median if v == variant)
        ax.plot([rows[f] for f in sizes], [median[(f, variant)] for f in sizes],
                marker=marker, label=variant)
    ax.set_xlabel("rows")
    ax.set_ylabel("seconds (median)")
    ax.set_title("Tree build on wxGTK 3: time against rows")
    ax.grid(True, alpha=0.3)
    ax.legend()
    fig.tight_layout()
    fig.savefig(out)


def allocator_table(main_rows, main_median, labelled):
    print("| allocator | rows | " + " | ".join(f"{v} (s)" for v in VARIANTS) + " |")
    print("|---" * (len(VARIANTS) + 2) + "|")
    for label, path in labelled:
        rows, median = medians(path)
        for files in sorted(rows):
            cells = " | ".join(f"{median[(files, v)]:.2f}" for v in VARIANTS)
            print(f"| {label} | {rows[files]} | {cells} |")


def main():
    out, main_csv, *others = sys.argv[1:]
    rows, median = medians(main_csv)
    plot(out, rows, median)
    if others:
        allocator_table(rows, median, [other.split("=", 1) for other in others])


main()
