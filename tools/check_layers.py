#!/usr/bin/env python3
"""Checks the direction of the includes in src/: every folder is a layer and may include only
itself and the layers named for it below; and no two headers include each other, directly or in
a longer circle. Exits with 1 and names every offending include when it finds one.

The layers, from the bottom up (README's source layout shows the same):
  platform   the interfaces to the operating system, nothing else
  model      the vocabulary: calendar, text forms and files, entry and dictionaries, the text
             tables, the log sink, the error box budget, the directory layout
  schedule   event computation, reminder check, reminder texts, emitted reminders log
  input      event file reader, interval column, loader, trigger periods, initialization file
  reports    preview and look-back, export files, dictionary reports
  commands   the command menu's texts and the decisions behind the commands
  ui         the dialog's pieces: log list, settings file, days field, hover, instances, ...
  app        the program: its state, the dialog class that runs everything, the tick
  cli        the command-line program: arguments, the read-only program directory, check
  win32      the real platform and the window host
"""
import re
import sys
from pathlib import Path

ALLOWED = {
    "platform": set(),
    "model": {"platform"},
    "schedule": {"model", "platform"},
    "input": {"schedule", "model", "platform"},
    "reports": {"input", "schedule", "model", "platform"},
    "commands": {"reports", "input", "schedule", "model", "platform"},
    "ui": {"input", "model", "platform"},
    "app": {"commands", "reports", "ui", "input", "schedule", "model", "platform"},
    "cli": {"commands", "reports", "ui", "input", "schedule", "model", "platform"},
    "win32": {"app", "cli", "ui", "model", "platform"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def main(root):
    src = Path(root) / "src"
    problems = []
    graph = {}
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        rel = path.relative_to(src).as_posix()
        layer = rel.split("/")[0]
        if layer not in ALLOWED:
            problems.append(f"{rel}: the folder {layer}/ is no known layer")
            continue
        graph[rel] = []
        for include in INCLUDE.findall(path.read_text(encoding="utf-8")):
            if "/" not in include:
                continue  # a file beside it, resolved by the compiler relative to the file
            target = include.split("/")[0]
            if target != layer and target not in ALLOWED[layer]:
                problems.append(f"{rel}: includes {include}, but {layer}/ may not use {target}/")
            graph[rel].append(include)

    # Circles among the files: a depth-first search that reports each back edge once.
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in graph.get(node, []):
            if nxt not in graph:
                continue
            if state.get(nxt) == "open":
                circle = trail[trail.index(nxt):] + [nxt]
                problems.append("a circle of includes: " + " -> ".join(circle))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in graph:
        if node not in state:
            visit(node, [node])

    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"layers: {len(graph)} files, every include points down or sideways within its layer")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent))
