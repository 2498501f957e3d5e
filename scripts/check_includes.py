#!/usr/bin/env python3
"""Fails when the includes of glotta/, toolkit/ or installer/ form a circle.

Two graphs are built from the quoted includes (rooted at the repository):
units (a header with its source: the path without its extension) and
folders (the folder a file lies in). A unit or folder that reaches itself
again through the includes is reported with one circle it lies on, e.g.
"glotta/engine -> glotta/engine/exchange -> glotta/engine", and the check
exits with status 1. Exit status 0 means no circle in either graph.

Usage: check_includes.py [repository root]
"""

import os
import re
import sys

ROOTS = ("glotta", "toolkit", "installer")
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".c")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def source_files(repo):
    for root in ROOTS:
        for folder, _dirs, files in os.walk(os.path.join(repo, root)):
            for name in sorted(files):
                if name.endswith(SOURCE_SUFFIXES):
                    yield os.path.relpath(os.path.join(folder, name), repo).replace(os.sep, "/")


def include_edges(repo):
    """(including file, included file) for every include of a file of the roots."""
    files = set(source_files(repo))
    for path in sorted(files):
        with open(os.path.join(repo, path), encoding="utf-8", errors="replace") as f:
            text = f.read()
        for target in INCLUDE.findall(text):
            if target in files:
                yield path, target


def unit_of(path):
    return os.path.splitext(path)[0]


def folder_of(path):
    return os.path.dirname(path)


def graph(edges, key):
    nodes = {}
    for a, b in edges:
        ka, kb = key(a), key(b)
        if ka != kb:
            nodes.setdefault(ka, set()).add(kb)
            nodes.setdefault(kb, set())
    return nodes


def strongly_connected(nodes):
    """Tarjan's algorithm, iterative; components with more than one node."""
    index, low, on_stack, stack, result = {}, {}, set(), [], []
    counter = 0
    for start in sorted(nodes):
        if start in index:
            continue
        work = [(start, iter(sorted(nodes[start])))]
        index[start] = low[start] = counter
        counter += 1
        stack.append(start)
        on_stack.add(start)
        while work:
            node, successors = work[-1]
            advanced = False
            for nxt in successors:
                if nxt not in index:
                    index[nxt] = low[nxt] = counter
                    counter += 1
                    stack.append(nxt)
                    on_stack.add(nxt)
                    work.append((nxt, iter(sorted(nodes[nxt]))))
                    advanced = True
                    break
                if nxt in on_stack:
                    low[node] = min(low[node], index[nxt])
            if advanced:
                continue
            work.pop()
            if work:
                parent = work[-1][0]
                low[parent] = min(low[parent], low[node])
            if low[node] == index[node]:
                component = []
                while True:
                    member = stack.pop()
                    on_stack.discard(member)
                    component.append(member)
                    if member == node:
                        break
                if len(component) > 1:
                    result.append(sorted(component))
    return sorted(result)


def one_circle(nodes, component):
    """A shortest circle through the component's first node, inside the component."""
    members = set(component)
    start = component[0]
    previous = {start: None}
    queue = [start]
    while queue:
        node = queue.pop(0)
        for nxt in sorted(nodes[node]):
            if nxt == start:
                path = [node]
                while previous[path[-1]] is not None:
                    path.append(previous[path[-1]])
                return list(reversed(path)) + [start]
            if nxt in members and nxt not in previous:
                previous[nxt] = node
                queue.append(nxt)
    return component + [start]


def witnesses(edges, key, a, b):
    """The file includes that make node a include node b."""
    return ["%s includes %s" % (x, y) for x, y in edges if key(x) == a and key(y) == b]


def main():
    repo = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), ".."))
    edges = list(include_edges(repo))
    failed = False
    for kind, key in (("unit", unit_of), ("folder", folder_of)):
        nodes = graph(edges, key)
        for component in strongly_connected(nodes):
            failed = True
            circle = one_circle(nodes, component)
            print("include circle between %ss: %s" % (kind, " -> ".join(circle)))
            if len(component) > len(circle) - 1:
                print("  (all %ss of the circle: %s)" % (kind, ", ".join(component)))
            for a, b in zip(circle, circle[1:]):
                for line in witnesses(edges, key, a, b):
                    print("    " + line)
    if not failed:
        print("no include circle between units or folders of %s" % ", ".join(ROOTS))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
