"""Turns bench/build.sh's measurements into markdown tables and the plot.

usage: build_report.py OUT.png TIMES.csv OPERATIONS.csv TEARDOWN.csv ALLOCATORS.csv
TIMES: files,rows,variant,seconds; OPERATIONS: what,rows,ms;
TEARDOWN: way,rows,seconds; ALLOCATORS: allocator,files,rows,variant,seconds.
Prints the tables (medians) on standard output and draws the medians of TIMES.
"""
import csv
import statistics
import sys
from collections import defaultdict

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

VARIANTS = ["plain loop", "build, shown one by one", "build", "build, as bulkrename runs it"]


def read(path):
    with open(path) as f:
        return list(csv.DictReader(f))


def medians(records, *key):
    values = defaultdict(list)
    for record in records:
        values[tuple(record[k] for k in key)].append(float(record[
            "seconds" if "seconds" in record else "ms"]))
    return {k: statistics.median(v) for k, v in values.items()}


def times_table(records):
    median = medians(records, "files", "variant")
    rows = {r["files"]: r["rows"] for r in records if r["variant"] == "build"}
    print("| files | rows | plain loop (s) | build, shown one by one (s) | build (s) | "
          "build, as bulkrename runs it (s) | build / plain loop | as bulkrename / plain loop |")
    print("|---|---|---|---|---|---|---|---|")
    for files in sorted(rows, key=int):
        plain, shown, build, app = (median[(files, v)] for v in VARIANTS)
        print(f"| {files} | {rows[files]} | {plain:.2f} | {shown:.2f} | {build:.2f} | "
              f"{app:.2f} | {build / plain:.2f} | {app / plain:.2f} |")
    return rows, median


def plot(out, rows, median):
    fig, ax = plt.subplots(figsize=(7, 4.5), dpi=100)
    for variant, marker in zip(VARIANTS, "osD^"):
        sizes = sorted((f for f, v in median if v == variant), key=int)
        ax.plot([int(rows[f]) for f in sizes], [median[(f, variant)] for f in sizes],
                marker=marker, label=variant)
    ax.set_xlabel("rows")
    ax.set_ylabel("seconds (median)")
    ax.set_title("Tree build on wxGTK 3: time against rows")
    ax.grid(True, alpha=0.3)
    ax.legend()
    fig.tight_layout()
    fig.savefig(out)


def operations_table(records):
    rows = records[0]["rows"]
    print(f"| on {rows} rows, after build | ms | per row (us) |")
    print("|---|---|---|")
    for record in records:
        ms = float(record["ms"])
        print(f"| {record['what']} | {ms:.1f} | {1000 * ms / int(rows):.1f} |")


def teardown_table(records):
    median = medians(records, "way")
    print(f"| teardown of {records[0]['rows']} laid-out, shown rows | s |")
    print("|---|---|")
    for (way,), seconds in median.items():
        print(f"| {way} | {seconds:.2f} |")


def allocator_table(records):
    median = medians(records, "allocator", "variant")
    variants = [v for v in VARIANTS if any(k[1] == v for k in median)]
    print(f"| allocator ({records[0]['rows']} rows) | "
          + " | ".join(f"{v} (s)" for v in variants) + " |")
    print("|---" * (len(variants) + 1) + "|")
    for allocator in dict.fromkeys(r["allocator"] for r in records):
        print(f"| {allocator} | "
              + " | ".join(f"{median[(allocator, v)]:.2f}" for v in variants) + " |")


def main():
    out, times, operations, teardown, allocators = sys.argv[1:]
    rows, median = times_table(read(times))
    plot(out, rows, median)
    for table, path in ((operations_table, operations), (teardown_table, teardown),
                        (allocator_table, allocators)):
        print()
        table(read(path))


main()
