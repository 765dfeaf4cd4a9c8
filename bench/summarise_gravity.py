"""Prints the gravity benchmarks of a Google Benchmark JSON file as a table of
pairs per second, with each one's ratio to the plain loop at the same size."""
import json
import sys
from collections import defaultdict

runs = json.load(open(sys.argv[1]))["benchmarks"]
rates = defaultdict(dict)  # variant -> size -> pairs/s
for run in runs:
    parts = run["name"].split("/")
    if parts[0] != "Gravity" or "pairs/s" not in run or run.get("run_type") == "aggregate":
        continue
    size = int(next(p for p in parts[1:] if p.isdigit()))
    variant = "/".join(p for p in parts[1:] if not p.isdigit() and p != "real_time")
    rates[variant][size] = run["pairs/s"]

sizes = sorted({n for r in rates.values() for n in r})
plain = rates.get("scalar loop", {})
print(f"{'variant':<22}" + "".join(f"{'N = ' + str(n):>22}" for n in sizes))
for variant, by_size in rates.items():
    cells = []
    for n in sizes:
        if n not in by_size:
            cells.append(f"{'':>22}")
            continue
        ratio = f" ({by_size[n] / plain[n]:.2f}x)" if n in plain else ""
        cells.append(f"{by_size[n] / 1e9:>12.3f}e9{ratio:>8}")
    print(f"{variant:<22}" + "".join(cells))
