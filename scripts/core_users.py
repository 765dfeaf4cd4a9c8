#!/usr/bin/env python3
"""Prints each core file that only the X11 front end uses, and fails then.

A core file is used by a program when its header is reachable from one of
the program's own files through #include "..." lines (a .cpp comes with its
header). The users are the two front ends, the tools and the benchmarks;
the tests are not: a core file that only the tests and the X11 front end
need belongs to the module's own part, src/x11/module.
"""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
CORE = ("src/common/", "src/settings/", "src/sim/", "src/lock/", "src/shell/")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def sources(folder):
    for base, _, names in os.walk(os.path.join(ROOT, folder)):
        for name in names:
            if name.endswith((".h", ".cpp")):
                yield os.path.relpath(os.path.join(base, name), ROOT)


def includes(path):
    with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as f:
        text = f.read()
    found = []
    for name in INCLUDE.findall(text):
        for candidate in (os.path.join("src", name), os.path.normpath(os.path.join(os.path.dirname(path), name)), name):
            if os.path.isfile(os.path.join(ROOT, candidate)):
                found.append(candidate)
                break
    return found


def reachable(starts):
    seen, todo = set(), list(starts)
    while todo:
        path = todo.pop()
        if path in seen:
            continue
        seen.add(path)
        todo.extend(includes(path))
        if path.endswith(".h") and os.path.isfile(os.path.join(ROOT, path[:-2] + ".cpp")):
            todo.append(path[:-2] + ".cpp")
    return seen


def main():
    x11 = reachable(sources("src/x11"))
    others = reachable([*sources("src/win32"), *sources("tools"), *sources("bench")])
    alone = sorted(p for p in x11 - others if p.startswith(CORE))
    for path in alone:
        print(f"layout: {path} is in the core, but only the X11 front end uses it; it belongs in src/x11/module")
    return 1 if alone else 0


if __name__ == "__main__":
    sys.exit(main())
