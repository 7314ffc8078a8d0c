#!/usr/bin/python3
"""Turns the figures bench/run collected into one Markdown table, prints it
and writes it to the results file with the machine and the date.
Usage: report.py FIGURES-DIR RESULTS.md"""

import datetime
import json
import os
import platform
import subprocess
import sys

import targets

figures_dir, results_path = sys.argv[1], sys.argv[2]


def load(name):
    path = os.path.join(figures_dir, name)
    if not os.path.exists(path):
        return {}
    with open(path) as f:
        return json.load(f) if name.endswith(".json") else f.read()


def fmt(value, digits=2):
    return "n/a" if value is None else f"{value:.{digits}f}"


def machine():
    model = "unknown CPU"
    for line in open("/proc/cpuinfo"):
        if line.startswith("model name"):
            model = line.split(":", 1)[1].strip()
            break
    wine = subprocess.run(["sh", "-c", "${WINE:-wine} --version"], capture_output=True, text=True).stdout.strip()
    return f"{model}, {os.cpu_count()} cores, Linux {platform.release()}, {wine or 'Wine'}"


# The Windows build that ran: the shipped 32-bit one where this host runs
# 32-bit Wine, else the 64-bit build of the same sources.
BUILD = {"i686": "32-bit", "x86_64": "64-bit"}.get((load("arch.txt") or "").strip(), "64-bit")

lines = []
out = lines.append
now = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
out("# Scrivlet benchmarks")
out("")
out(f"Measured by `bench/run` on {now}: {machine()}.")
out("")

# Core
core = load("core.json")
per = {b["name"]: b for b in core.get("benchmarks", [])}
replay = load("replay.json")
out("## Core cost, native (Google Benchmark, Release)")
out("")
out("| operation | ns each |")
out("|---|---:|")
for name, label in [("PointerMoves", "pointer move, drawing on"), ("KeyStamps", "key stamp"),
                    ("WalkTicks", "walk step (auto-draw tick)")]:
    b = per.get(name)
    ns = None
    if b:
        scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]
        ns = b["cpu_time"] * scale
    out(f"| {label} | {fmt(ns, 0)} |")
if replay:
    out(f"| line replayed by `scrivlet-replay` (1,000,000-line script, whole process) | "
        f"{fmt(replay['replay_ns'] / replay['replay_lines'], 0)} |")
out("")

# Whole programs
toy = load("scrivlet.json")
tux = load("tuxpaint.json")
bam = load("bambam.json")
nat = load("native.json")
def median_of_rounds(name):
    """The round with the median together-figure, from NAME.1.json..."""
    rounds = [d for d in (load(f"{name}.{i}.json") for i in range(1, 10)) if d.get("keys_cpu_per_100")]
    if not rounds:
        return load(f"{name}.json")
    rounds.sort(key=lambda d: d["keys_cpu_per_100"]["program"] + d["keys_cpu_per_100"]["wineserver"])
    return rounds[len(rounds) // 2]


on = median_of_rounds("scrivlet_keys_sound_on")
off = median_of_rounds("scrivlet_keys_sound_off")
missing = load("scrivlet_keys_no_sound_file.json")
seg = load("scrivlet_segments.json")


def g(d, key, part="program", scale=1.0):
    v = d.get(key)
    if v is None:
        return None
    if isinstance(v, dict):
        v = v.get(part)
    return None if v is None else v * scale


out("## The whole program beside its peers")
out("")
out("One 1920x1080 Xvfb screen with openbox, the same xdotool input for all four; software rendering for the "
    "peers (`SDL_FRAMEBUFFER_ACCELERATION=0 SDL_RENDER_DRIVER=software`), Tux Paint `--windowed --1920x1080 "
    "--nosound --nolockfile`, Bambam `-m`. Scrivlet is the " + BUILD + " build under Wine; its CPU is given for its "
    "own process and, beside it, for the wineserver, which does part of every Wine program's work; Wine's "
    "other processes of the prefix (services, winedevice, plugplay, explorer...) have their own column. CPU "
    "is user plus system time. Scrivlet native is the GTK program built from the same core, with its key "
    "sound playing through the null sink.")
out("")
out("| measure | Scrivlet | + wineserver | Wine's others | Scrivlet native | Tux Paint | Bambam |")
out("|---|---:|---:|---:|---:|---:|---:|")
def starts_of(name):
    """Round number -> start of NAME.<round>.json, for the rounds measured."""
    found = {i: load(f"{name}.{i}.json") for i in range(1, 40)}
    return {i: d["start_s"] for i, d in found.items() if "start_s" in d}


def median_start(name, single):
    """The median start of NAME.1.json..., else the one start of `single`."""
    starts = sorted(starts_of(name).values())
    return starts[len(starts) // 2] if starts else g(single, "start_s")


START_ROUNDS = len(starts_of("start_native"))
out(f"| start to window mapped, s (median of {START_ROUNDS} starts in turn) | "
    f"{fmt(median_start('start_scrivlet', toy), 3)} | | | "
    f"{fmt(median_start('start_native', nat), 3)} | {fmt(median_start('start_tuxpaint', tux), 3)} | "
    f"{fmt(median_start('start_bambam', bam), 3)} |")
out(f"| resident memory, MB | {fmt(g(toy, 'rss_mb'), 1)} | | | {fmt(g(nat, 'rss_mb'), 1)} | {fmt(g(tux, 'rss_mb'), 1)} | "
    f"{fmt(g(bam, 'rss_mb'), 1)} |")
row = lambda label, key, scale, digits: out(
    f"| {label} | {fmt(g(toy, key, 'program', scale), digits)} | {fmt(g(toy, key, 'wineserver', scale), digits)} | "
    f"{fmt(g(toy, key, 'wine_other', scale), digits)} | {fmt(g(nat, key, 'program', scale), digits)} | "
    f"{fmt(g(tux, key, 'program', scale), digits)} | "
    f"{fmt(g(bam, key, 'program', scale), digits)} |")
row("idle CPU over 10 s, % of a core", "idle_cpu_percent", 1.0, 2)
row("CPU-s per 1000 motion events (2000 in a circle, left button held)", "motion_cpu_per_1000", 1.0, 3)
out(f"| caught up after the 2000 events, s | {fmt(g(toy, 'catch_up_s'))} | | | {fmt(g(nat, 'catch_up_s'))} | "
    f"{fmt(g(tux, 'catch_up_s'))} | "
    f"{fmt(g(bam, 'catch_up_s'))} |")
row("CPU-ms per key press and release (100 keys; both Scrivlets with the key sound on, Tux Paint with `--nosound`: like for like below)", "keys_cpu_per_100", 10.0, 2)


def latency_cell(d, key):
    v = d.get(key) or {}
    if v.get("median_ms") is None:
        return "n/a"
    return f"{v['median_ms']:.2f} / {v['p90_ms']:.2f}"


TRIES = (nat.get("key_latency") or {}).get("tries", 0)
for label, key in [(f"key-to-pixel latency, ms, median / 90th percentile of {TRIES} tries (what makes each draw: "
                    "a key's release for both Scrivlets, a key's press for Bambam, a click for Tux Paint)",
                    "key_latency"),
                   (f"move-to-pixel latency, ms, median / 90th percentile of {TRIES} moves, left button held",
                    "move_latency")]:
    out(f"| {label} | {latency_cell(toy, key)} | | | {latency_cell(nat, key)} | {latency_cell(tux, key)} | "
        f"{latency_cell(bam, key)} |")
out(f"| segments drawn per motion event | {fmt(g(seg, 'marks_per_move'))} | | | | | |")
out("")
out("Latency is from the XTest input sent to the first XDamage report on the program's window, the moment X "
    "carries out the drawing that changes its pixels; each try waits until the program has been quiet (no damage, "
    "no CPU) for 30 ms. Under Wine the wineserver's work counts towards the quiet.")
misses = [f"{name} {kind} {(d.get(f'{kind}_latency') or {}).get('misses')}"
          for name, d in (("Scrivlet", toy), ("Scrivlet native", nat), ("Tux Paint", tux), ("Bambam", bam))
          for kind in ("key", "move") if (d.get(f"{kind}_latency") or {}).get("misses")]
if misses:
    out("Tries in which nothing was drawn within a second, left out of the figures: " + ", ".join(misses) + ".")
out("")
out("Outside Wine the motion row's CPU is read from the threads' nanosecond clocks, as the keys' below: a "
    "native drag fills only a few 10 ms ticks. Clocks used: " + ", ".join(
        f"{name} {(d or {}).get('motion_clock', 'ticks')}" for name, d in
        (("Scrivlet native", nat), ("Tux Paint", tux), ("Bambam", bam))) + ".")
out("")


def first_in(name, other):
    """Rounds, of those in which both were measured, where NAME mapped before OTHER; and those rounds."""
    mine, theirs = starts_of(name), starts_of(other)
    both = [i for i in mine if i in theirs]
    return sum(mine[i] < theirs[i] for i in both), len(both)


if START_ROUNDS:
    out("Starts, round by round: Scrivlet native's window was mapped before Tux Paint's in {} of {} rounds and "
        "before Bambam's in {} of {}. Before each start the machine is let go quiet.".format(
            *first_in("start_native", "start_tuxpaint"), *first_in("start_native", "start_bambam")))
    out("")


def key_ms(d, part):
    return g(d, "keys_cpu_per_100", part, 10.0)


def key_total(d):
    a, b = key_ms(d, "program"), key_ms(d, "wineserver")
    return None if a is None or b is None else a + b


def median_program_keys(name):
    """The median over rounds NAME.1.json... of the program's CPU-ms a key."""
    values = sorted(key_ms(d, "program") for d in (load(f"{name}.{i}.json") for i in range(1, 10))
                    if d.get("keys_cpu_per_100"))
    return values[len(values) // 2] if values else None


out("### Key press and release natively, CPU-ms (300 keys, 20 ms apart; the median of three rounds each)")
out("")
out("Tux Paint runs with `--nosound`: Scrivlet native's row with the key sound off is the one to set beside it. "
    "With the sound on, Scrivlet's key sound plays through the PulseAudio null sink. Outside Wine the keys' CPU "
    "is read from the threads' nanosecond clocks, not the process's 10 ms ticks, which 300 keys fill only about "
    "ten times; where a thread ended meanwhile the ticks stand. Each program's figure includes its idle CPU "
    "over the seconds the keys take. Clocks used: " + ", ".join(
        f"{name} {'/'.join(sorted({load(f'{name}.{i}.json').get('keys_clock', 'ticks') for i in range(1, 4)}))}"
        for name in ("native_keys_sound_on", "native_keys_sound_off", "tuxpaint_keys")) + ".")
out("")
out("| program | CPU-ms a key |")
out("|---|---:|")
native_on = median_program_keys("native_keys_sound_on")
native_off = median_program_keys("native_keys_sound_off")
tux_keys = median_program_keys("tuxpaint_keys")
out(f"| Scrivlet native, key sound on | {fmt(native_on)} |")
out(f"| Scrivlet native, key sound off | {fmt(native_off)} |")
out(f"| Tux Paint, `--nosound` | {fmt(tux_keys)} |")
out("")

out("### Scrivlet's key press and release, CPU-ms (300 keys, 20 ms apart, PulseAudio null sink as the device; "
    "on and off: the median of three rounds each)")
out("")
out("| key sound | program | wineserver | together | Wine's others |")
out("|---|---:|---:|---:|---:|")
for label, d in [("on, the package's key.wav", on), ("on, no sound file to be found", missing), ("off", off)]:
    out(f"| {label} | {fmt(key_ms(d, 'program'))} | {fmt(key_ms(d, 'wineserver'))} | {fmt(key_total(d))} | "
        f"{fmt(key_ms(d, 'wine_other'))} |")
added = None if key_total(on) is None or key_total(off) is None else key_total(on) - key_total(off)
added_missing = None if key_total(missing) is None or key_total(off) is None else key_total(missing) - key_total(off)
out("")
out(f"The key sound adds {fmt(added)} ms a key with the package's key.wav and {fmt(added_missing)} ms when "
    "the sound file names nothing.")
out("")

# Save
out("## Save as BMP (from the command to the closed file, without the dialog; Wine)")
out("")
out("| canvas | save, ms | one buffered write of the same bytes, ms | ratio | of the save: canvas read into the "
    "file, atomic write with flush, ms | the save without the flush, ms | its ratio |")
out("|---|---:|---:|---:|---:|---:|---:|")
save_ratios = []
for size in ["1920x1080", "3840x2160"]:
    text = load(f"save_{size}.txt") or ""
    words = text.split()
    try:
        save_ms = float(words[words.index("save_ms") + 1])
        limit_ms = float(words[words.index("limit_ms") + 1])
        unflushed_ms = float(words[words.index("unflushed_save_ms") + 1])
        ratio = save_ms / limit_ms if limit_ms else None
        unflushed_ratio = unflushed_ms / limit_ms if limit_ms else None
        steps = ", ".join(fmt(float(words[words.index(k) + 1]), 1) for k in ("capture_ms", "write_ms"))
    except (ValueError, IndexError):
        save_ms = limit_ms = ratio = unflushed_ms = unflushed_ratio = None
        steps = "n/a"
    save_ratios.append(ratio)
    out(f"| {size} | {fmt(save_ms, 1)} | {fmt(limit_ms, 1)} | {fmt(ratio)} | {steps} | {fmt(unflushed_ms, 1)} "
        f"| {fmt(unflushed_ratio)} |")
out("")

# Sizes
sizes = {}
for line in (load("sizes.txt") or "").splitlines():
    name, _, value = line.partition(" ")
    sizes[name] = int(value)
out("## Sizes")
out("")
out("| what | KB |")
out("|---|---:|")
out(f"| scrivlet.exe, 32-bit, stripped | {fmt(sizes.get('exe', 0) / 1024, 0) if 'exe' in sizes else 'n/a'} |")
out(f"| the zip a parent downloads | {fmt(sizes['zip'] / 1024, 0) if 'zip' in sizes else 'n/a'} |")
for name, value in sizes.items():
    if name.startswith("package:"):
        out(f"| Debian package {name.split(':', 1)[1]}, installed | {fmt(value / 1024, 0)} |")
out("")

# Targets
motion = None
if g(toy, "motion_cpu_per_1000") is not None:
    motion = g(toy, "motion_cpu_per_1000", "program") + g(toy, "motion_cpu_per_1000", "wineserver")


def verdict(value, limit):
    if value is None:
        return "not measured"
    return "met" if value < limit else "missed"


out("## Targets")
out("")
out("| target | figure | |")
out("|---|---:|---|")
out(f"| under 0.1 CPU-s per 1000 motion events (program + wineserver) | {fmt(motion, 3)} | {verdict(motion, 0.1)} |")
out(f"| caught up within 0.2 s | {fmt(g(toy, 'catch_up_s'))} | {verdict(g(toy, 'catch_up_s'), 0.2)} |")
idle = g(toy, "idle_cpu_percent")
out(f"| idle CPU at most 0.2 % of a core (program) | {fmt(idle)} | "
    f"{'not measured' if idle is None else ('met' if round(idle, 2) <= 0.2 else 'missed')} |")
out(f"| resident memory under 40 MB | {fmt(g(toy, 'rss_mb'), 1)} | {verdict(g(toy, 'rss_mb'), 40)} |")
out(f"| the key sound adds under 1 ms to a key (package's key.wav) | {fmt(added)} | {verdict(added, 1.0)} |")
for size, ratio in zip(["1920x1080", "3840x2160"], save_ratios):
    out(f"| save {size} within 1.5 times the limit | {fmt(ratio)} | {verdict(ratio, 1.5)} |")


def judged(d, start, keys):
    """The figures targets.native_targets judges, for one program."""
    def lat(key, part):
        return (d.get(key) or {}).get(part)
    return {"start_s": start, "rss_mb": g(d, "rss_mb"), "idle_percent": g(d, "idle_cpu_percent"),
            "key_cpu_ms": keys, "move_cpu_s": g(d, "motion_cpu_per_1000"),
            "key_median": lat("key_latency", "median_ms"), "key_p90": lat("key_latency", "p90_ms"),
            "move_median": lat("move_latency", "median_ms"), "move_p90": lat("move_latency", "p90_ms")}


# Keys like for like: the native program with its key sound off beside the
# muted peers.
rows = targets.native_targets(judged(nat, median_start("start_native", nat), native_off),
                              [judged(tux, median_start("start_tuxpaint", tux), tux_keys),
                               judged(bam, median_start("start_bambam", bam), key_ms(bam, "program"))])
rows += [targets.frame_row("key-to-pixel latency", (toy.get("key_latency") or {}).get("p90_ms")),
         targets.frame_row("move-to-pixel latency", (toy.get("move_latency") or {}).get("p90_ms"))]
for label, figure, mark in rows:
    out(f"| {label} | {figure} | {mark} |")
out("")

text = "\n".join(lines) + "\n"
notes_marker = "<!-- notes -->"
if os.path.exists(results_path):
    old = open(results_path).read()
    if notes_marker in old:
        text += "\n" + old[old.index(notes_marker):]
with open(results_path, "w") as f:
    f.write(text)
print(text, end="")
