#!/usr/bin/env python3
"""Lists include cycles between the product's files and between its folders.

A header and its source file count as one unit. Prints every cycle it finds and exits
non-zero when there is one; dependencies must point one way only.
"""
import pathlib
import re
import sys

PRODUCT_FOLDERS = ("common", "host", "settings", "display", "slideshow", "images", "resources")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def unit_of(path):
    return str(path.with_suffix("")).replace("\\", "/")


def read_graph(root):
    edges = {}
    for folder in PRODUCT_FOLDERS:
        for path in sorted((root / folder).glob("*")):
            if path.suffix not in (".h", ".cpp", ".rc"):
                continue
            unit = unit_of(path.relative_to(root))
            targets = edges.setdefault(unit, set())
            for included in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
                target = pathlib.Path(included)
                if target.parts[0] not in PRODUCT_FOLDERS:
                    continue
                other = unit_of(target)
                if other != unit:
                    targets.add(other)
    return edges


def cycles(edges):
    """The strongly connected components with more than one member (Tarjan)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []
    counter = [0]

    def visit(node):
        index[node] = low[node] = counter[0]
        counter[0] += 1
        stack.append(node)
        on_stack.add(node)
        for successor in sorted(edges.get(node, ())):
            if successor not in index:
                visit(successor)
                low[node] = min(low[node], low[successor])
            elif successor in on_stack:
                low[node] = min(low[node], index[successor])
        if low[node] == index[node]:
            component = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.append(member)
                if member == node:
                    break
            if len(component) > 1:
                found.append(sorted(component))

    for node in sorted(edges):
        if node not in index:
            visit(node)
    return found


def show(kind, edges, components):
    for component in components:
        members = set(component)
        print(f"include cycle between {kind}: {' <-> '.join(component)}")
        for source in component:
            for target in sorted(edges.get(source, ()) & members):
                print(f"    {source} includes {target}")


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    file_edges = read_graph(root)
    folder_edges = {}
    for source, targets in file_edges.items():
        here = source.split("/")[0]
        folder_edges.setdefault(here, set()).update(t.split("/")[0] for t in targets if t.split("/")[0] != here)
    file_cycles = cycles(file_edges)
    folder_cycles = cycles(folder_edges)
    show("files", file_edges, file_cycles)
    show("folders", folder_edges, folder_cycles)
    if file_cycles or folder_cycles:
        return 1
    print(f"no include cycles among {len(file_edges)} product units in {len(folder_edges)} folders")
    return 0


if __name__ == "__main__":
    sys.exit(main())
