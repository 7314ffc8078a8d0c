#!/usr/bin/python3
"""The table of bench/run --native: for each native binary and each peer,
the median over the rounds of each row, with the rounds' lowest and highest
beside it. Prints it, and writes it to OUT when OUT is not empty.
Usage: report_native.py FIGURES-DIR OUT NAME..."""

import datetime
import glob
import json
import os
import sys

from targets import native_targets

figures_dir, out_path, names = sys.argv[1], sys.argv[2], sys.argv[3:]
programs = names + ["tuxpaint", "bambam"]
labels = {"tuxpaint": "Tux Paint", "bambam": "Bambam"}


def rounds(name, kind):
    found = []
    for path in sorted(glob.glob(os.path.join(figures_dir, f"{name}.{kind}.*.json"))):
        with open(path) as f:
            text = f.read().strip()
        if text:
            found.append(json.loads(text))
    return found


def values(name, kind, key, scale=1.0, part="program"):
    found = []
    for d in rounds(name, kind):
        v = d.get(key)
        if isinstance(v, dict):
            v = v.get(part)
        if v is not None:
            found.append(v * scale)
    return found


def median_of(found):
    if not found:
        return None
    found = sorted(found)
    return found[len(found) // 2] if len(found) % 2 else (found[len(found) // 2 - 1] + found[len(found) // 2]) / 2


def cell(found, digits):
    if not found:
        return ""
    found = sorted(found)
    median = median_of(found)
    if len(found) == 1:
        return f"{median:.{digits}f}"
    return f"{median:.{digits}f} ({found[0]:.{digits}f}-{found[-1]:.{digits}f})"


def row(label, kind, key, scale, digits, only=None, part="program"):
    cells = [cell(values(p, kind, key, scale, part), digits) if only is None or p in only else "" for p in programs]
    return f"| {label} | " + " | ".join(cells) + " |"


native = set(names)
tries = int(max(values(programs[0], "full", "key_latency", part="tries"), default=0))
starts = len(values(names[0], "start", "start_s")) if names else 0
full = len(rounds(names[0], "full")) if names else 0
lines = [
    f"Measured by `bench/run --native` on "
    f"{datetime.datetime.now(datetime.timezone.utc).strftime('%Y-%m-%d %H:%M UTC')}: medians of {full} rounds "
    f"({starts} for the starts), the rounds' lowest and highest in brackets; CPU is user plus system time, from "
    f"the threads' nanosecond clocks where measure.py could use them. The peers' keys are counted in their "
    f"whole runs, after the drag; Tux Paint runs with `--nosound`, Bambam with `-m`.",
    "",
    "| measure | " + " | ".join(labels.get(p, p) for p in programs) + " |",
    "|---|" + "---:|" * len(programs),
    row("start to window mapped, s", "start", "start_s", 1.0, 3),
    row("resident memory, MB", "full", "rss_mb", 1.0, 1),
    row("idle CPU over 10 s, % of a core", "full", "idle_cpu_percent", 1.0, 2),
    row("CPU-s per 1000 motion events", "full", "motion_cpu_per_1000", 1.0, 3),
    row("caught up after the 2000 events, s", "full", "catch_up_s", 1.0, 2),
    row("CPU-ms a key, key sound on (peers: muted)", "full", "keys_cpu_per_100", 10.0, 2),
    row("CPU-ms a key, key sound off", "off", "keys_cpu_per_100", 10.0, 2, native),
    row(f"key-to-pixel latency, ms, median of {tries} tries", "full", "key_latency", 1.0, 2, part="median_ms"),
    row("key-to-pixel latency, ms, 90th percentile", "full", "key_latency", 1.0, 2, part="p90_ms"),
    row(f"move-to-pixel latency, ms, median of {tries} moves", "full", "move_latency", 1.0, 2, part="median_ms"),
    row("move-to-pixel latency, ms, 90th percentile", "full", "move_latency", 1.0, 2, part="p90_ms"),
]
lines += ["", "Latency is from the XTest input sent to the first XDamage report on the program's window: for "
          "Scrivlet a key's release, for Bambam a key's press, for Tux Paint (whose keys draw nothing) a click; "
          "the moves with the left button held."]
misses = [f"{labels.get(p, p)} {kind} {sum(values(p, 'full', f'{kind}_latency', part='misses'))}"
          for p in programs for kind in ("key", "move") if sum(values(p, "full", f"{kind}_latency", part="misses"))]
if misses:
    lines += ["Tries in which nothing was drawn within a second, left out of the figures: " + ", ".join(misses) + "."]


def starts_by_round(name):
    found = {}
    for path in glob.glob(os.path.join(figures_dir, f"{name}.start.*.json")):
        with open(path) as f:
            text = f.read().strip()
        if text and "start_s" in json.loads(text):
            found[int(path.rsplit(".", 2)[1])] = json.loads(text)["start_s"]
    return found


peer_starts = {peer: starts_by_round(peer) for peer in ("tuxpaint", "bambam")}
counts = []
for name in names:
    mine = starts_by_round(name)
    parts = []
    for peer, theirs in peer_starts.items():
        both = [i for i in mine if i in theirs]
        parts.append(f"{labels[peer]}'s in {sum(mine[i] < theirs[i] for i in both)} of {len(both)}")
    counts.append(f"{name} before " + " and ".join(parts))
if counts:
    lines += ["", "Starts, round by round, window mapped: " + "; ".join(counts) + "."]


def figures(name):
    """The medians over the rounds that native_targets judges."""
    def med(kind, key, scale=1.0, part="program"):
        return median_of(values(name, kind, key, scale, part))
    return {"start_s": med("start", "start_s"), "rss_mb": med("full", "rss_mb"),
            "idle_percent": med("full", "idle_cpu_percent"),
            "key_cpu_ms": med("off" if name in native else "full", "keys_cpu_per_100", 10.0),
            "move_cpu_s": med("full", "motion_cpu_per_1000"),
            "key_median": med("full", "key_latency", part="median_ms"),
            "key_p90": med("full", "key_latency", part="p90_ms"),
            "move_median": med("full", "move_latency", part="median_ms"),
            "move_p90": med("full", "move_latency", part="p90_ms")}


peers = [figures(peer) for peer in ("tuxpaint", "bambam")]
judged = [native_targets(figures(name), peers) for name in names]
if judged:
    lines += ["", "| target | " + " | ".join(names) + " |", "|---|" + "---|" * len(names)]
    for i, (label, _, _) in enumerate(judged[0]):
        lines.append(f"| {label} | " + " | ".join(f"{rows[i][1]}: {rows[i][2]}" for rows in judged) + " |")
text = "\n".join(lines) + "\n"
print(text, end="")
if out_path:
    with open(out_path, "w") as f:
        f.write(text)
