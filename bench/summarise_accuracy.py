"""Prints the accuracy benchmarks of a Google Benchmark JSON file as one table:
for each number of substeps a drawn step, the processor share at tempo 60 and
the steps a second at tempo 0 on Voyager.zel, the Sun-Earth error after 10
years and Voyager.zel's energy drift over 100 years."""
import json
import sys
from collections import defaultdict

COLUMNS = [  # (benchmark, counter, heading, format)
    ("AccuracyTempo60Voyager", "cpu %", "processor at tempo 60", "{:.2f} % of a core"),
    ("AccuracyStepsVoyager", "steps/s", "steps per processor second at tempo 0", "{:,.0f}"),
    ("AccuracyErrors", "Sun-Earth error", "Sun-Earth error after 10 years", "{:.2e}"),
    ("AccuracyErrors", "energy drift", "energy drift of Voyager.zel over 100 years", "{:.2e}"),
]

figures = defaultdict(dict)  # substeps -> (benchmark, counter) -> value
for run in json.load(open(sys.argv[1]))["benchmarks"]:
    parts = run["name"].split("/")
    if not parts[0].startswith("Accuracy") or run.get("run_type") == "aggregate":
        continue
    for name, counter, _, _ in COLUMNS:
        if parts[0] == name and counter in run:
            figures[int(parts[1])][(name, counter)] = run[counter]

print("| Accuracy | " + " | ".join(heading for _, _, heading, _ in COLUMNS) + " |")
print("|---:|" + "---:|" * len(COLUMNS))
for substeps in sorted(figures):
    cells = [form.format(figures[substeps][(name, counter)]) if (name, counter) in figures[substeps] else ""
             for name, counter, _, form in COLUMNS]
    print(f"| {substeps} | " + " | ".join(cells) + " |")
