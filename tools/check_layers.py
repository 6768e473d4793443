#!/usr/bin/env python3
"""Checks the direction of the includes in src/: every folder is a layer and may include only
itself and the layers named for it below; no two headers include each other, directly or in
a longer circle; and no two rooms (a header with its source file) do. Exits with 1 and names every offending include when it finds one.

The layers, from the bottom up (README's source layout shows the same):
  platform   the interfaces to the operating system, nothing else
  model      the vocabulary: calendar, text forms and files, entry and dictionaries, the text
             tables, the log sink, the error box budget, the directory layout, the settings file
             and the date texts typed by the user
  schedule   event computation, reminder check, reminder texts, emitted reminders log
  input      event file reader, interval column, loader, trigger periods, initialization file
  reports    preview and look-back, export files, dictionary reports
  commands   the command menu's texts and the decisions behind the commands
  ui         the dialog's pieces: log list, hover, start position, instances, ... (only what
             draws or reads the window; the command-line program may not use it)
  app        the program: the dialog that coordinates and the parts that own its state
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
    # The command-line program draws nothing: it may not reach the dialog's pieces.
    "cli": {"commands", "reports", "input", "schedule", "model", "platform"},
    "win32": {"app", "cli", "ui", "model", "platform"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def circles(graph, what):
    """The circles of the graph (node -> the nodes it points to), each back edge of a depth-first
    search reported once; edges to nodes outside the graph are ignored."""
    found = []
    state = {}

    def visit(node, trail):
        state[node] = "open"
        for nxt in graph[node]:
            if nxt not in graph:
                continue
            if state.get(nxt) == "open":
                found.append(f"a circle of {what}: " + " -> ".join(trail[trail.index(nxt):] + [nxt]))
            elif nxt not in state:
                visit(nxt, trail + [nxt])
        state[node] = "done"

    for node in graph:
        if node not in state:
            visit(node, [node])
    return found


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

    problems += circles(graph, "includes")
    # A header and its source file are one room: two rooms whose sources include each other's
    # headers are a circle as well, though no header includes another.
    rooms = {}
    for node, targets in graph.items():
        room = rooms.setdefault(node.rsplit(".", 1)[0], [])
        room.extend(t.rsplit(".", 1)[0] for t in targets)
    for room, targets in rooms.items():
        rooms[room] = sorted(set(targets) - {room})
    problems += circles(rooms, "rooms")

    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"layers: {len(graph)} files, every include points down or sideways within its layer")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent))
