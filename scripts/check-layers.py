#!/usr/bin/env python3
"""Checks src/'s layers from the files and their includes: each folder includes
only its own files and those of the folders below it, no files include each
other in a loop, and no folder holds more than a quarter of src's lines.
Prints each folder's share; exits 1 on any breach."""
import os, re, sys

# Lowest first: a folder may include only itself and those before it.
LAYERS = ["settings", "tracker", "files", "aprs", "serial", "widgets", "operations", "app", "cli"]
# The window's layers and kite12 stand apart: neither includes the other.
APART = {"cli": {"widgets", "operations", "app"}}
MOST_SHARE = 0.25

src = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
home, lines, includes = {}, {}, {}
for layer in LAYERS:
    for name in sorted(os.listdir(os.path.join(src, layer))):
        if not name.endswith((".cpp", ".h")):
            continue
        path = os.path.join(src, layer, name)
        text = open(path, encoding="utf-8").read()
        home[name] = layer
        lines[name] = text.count("\n")
        includes[name] = re.findall(r'^#include "([^"]+)"', text, re.M)

faults = []
for name, wanted in includes.items():
    layer = home[name]
    for inc in wanted:
        if inc not in home:
            continue
        there = home[inc]
        if LAYERS.index(there) > LAYERS.index(layer) or there in APART.get(layer, ()):
            faults.append(f"src/{layer}/{name} includes src/{there}/{inc}, a layer it may not use")

# A unit is a header with its sources (Name.h, Name.cpp, Name_qt.cpp ...).
def unit(name):
    return re.sub(r"(_\w+)?\.(cpp|h)$", "", name)

edges = {}
for name, wanted in includes.items():
    edges.setdefault(unit(name), set()).update(unit(i) for i in wanted if i in home and unit(i) != unit(name))

def loop_from(start):
    path, seen = [start], set()
    def walk(node):
        for nxt in sorted(edges.get(node, ())):
            if nxt == start:
                return path + [start]
            if nxt not in seen:
                seen.add(nxt)
                path.append(nxt)
                found = walk(nxt)
                if found:
                    return found
                path.pop()
        return None
    return walk(start)

reported = set()
for start in sorted(edges):
    found = loop_from(start)
    if found and frozenset(found) not in reported:
        reported.add(frozenset(found))
        faults.append("include loop: " + " -> ".join(found))

total = sum(lines.values())
for layer in LAYERS:
    held = sum(n for f, n in lines.items() if home[f] == layer)
    share = held / total
    print(f"src/{layer:<11} {held:6d} lines  {100 * share:5.1f}%")
    if share > MOST_SHARE:
        faults.append(f"src/{layer} holds {100 * share:.1f}% of src's lines, over {100 * MOST_SHARE:.0f}%")
print(f"src/ in all   {total:6d} lines")
for fault in faults:
    print(fault, file=sys.stderr)
sys.exit(1 if faults else 0)
