#!/usr/bin/python3
"""Measures one program on the benchmark's X screen: time to its window
mapped, idle CPU and memory, CPU per 1000 pointer moves with the left button
held and the time to catch up, CPU per 100 key presses, and, when asked,
the input-to-pixel latency of a key and of a pointer move. Under Wine the
wineserver's CPU is counted beside the program's, and Wine's other processes
of the same prefix in their own figure. Prints one JSON object."""

import argparse
import json
import math
import os
import signal
import subprocess
import sys
import time

HZ = os.sysconf("SC_CLK_TCK")


def read(path, mode="r"):
    try:
        with open(path, mode) as f:
            return f.read()
    except OSError:
        return None


def cpu_seconds(pid):
    """User plus system time of the process, its finished threads included."""
    stat = read(f"/proc/{pid}/stat")
    if not stat:
        return 0.0
    fields = stat[stat.rindex(")") + 2:].split()
    return (int(fields[11]) + int(fields[12])) / HZ


def run_nanoseconds(pid):
    """Nanoseconds on a CPU of the live threads: finer than cpu_seconds, used
    to tell when a process has gone quiet."""
    total = 0
    try:
        tasks = os.listdir(f"/proc/{pid}/task")
    except OSError:
        return 0
    for task in tasks:
        stat = read(f"/proc/{pid}/task/{task}/schedstat")
        if stat:
            total += int(stat.split()[0])
    return total


def rss_mb(pid):
    for line in (read(f"/proc/{pid}/status") or "").splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1]) / 1024
    return 0.0


def prefix_processes(prefix):
    """Processes of the Wine prefix, by their environment."""
    wanted = b"WINEPREFIX=" + prefix.encode()
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            # Only Wine's own programs: tools started with the same
            # environment (xdotool, this script) are not Wine's.
            if not os.readlink(f"/proc/{entry}/exe").startswith("/usr/lib/wine/"):
                continue
        except OSError:
            continue
        environ = read(f"/proc/{entry}/environ", "rb")
        if environ and wanted in environ.split(b"\0"):
            found.append(int(entry))
    return found


class Groups:
    """The program's process, the wineserver, and Wine's other processes."""

    def __init__(self, program_pid, prefix):
        self.program = program_pid
        self.prefix = prefix

    def members(self):
        groups = {"program": [self.program], "wineserver": [], "wine_other": []}
        if self.prefix:
            for pid in prefix_processes(self.prefix):
                if pid == self.program:
                    continue
                comm = (read(f"/proc/{pid}/comm") or "").strip()
                groups["wineserver" if comm.startswith("wineserver") else "wine_other"].append(pid)
        return groups

    def cpu(self):
        return {name: sum(cpu_seconds(pid) for pid in pids) for name, pids in self.members().items()}

    def busy_nanoseconds_by_group(self):
        members = self.members()
        return {name: sum(run_nanoseconds(pid) for pid in members[name]) for name in ("program", "wineserver")}

    def busy_nanoseconds(self):
        members = self.members()
        return sum(run_nanoseconds(pid) for pid in members["program"] + members["wineserver"])


def delta(after, before):
    return {name: after[name] - before.get(name, 0.0) for name in after}


def finer(ticks, nanoseconds):
    """The CPU of the keys or the moves from the threads' nanosecond clocks
    rather than the process's 10 ms ticks, which a few hundred keys or a
    drag of a native program fill only a few times (a tick more or less is
    0.03 ms a key, or 0.005 CPU-s per 1000 moves). The threads' clocks miss
    a thread that ended meanwhile: where the ticks say more than a few
    ticks' worth beyond them, the ticks stand."""
    seconds = nanoseconds["program"] / 1e9
    if ticks["program"] > seconds + 3 / HZ:
        return ticks, "ticks"
    return dict(ticks, program=seconds), "threads"


def xdotool(*words):
    subprocess.run(["xdotool", *map(str, words)], check=True, stdout=subprocess.DEVNULL)


def wait_quiet(groups, since, quiet=0.3, limit=30.0):
    """Seconds from `since` to the last moment the program and the
    wineserver together were busy, once they have been quiet for `quiet`
    seconds. Busy means more than a tenth of a core over a 10 ms look, so a
    timer tick's fraction of a millisecond does not count."""
    last_busy = since
    last = groups.busy_nanoseconds()
    while time.monotonic() - last_busy < quiet and time.monotonic() - since < limit:
        time.sleep(0.01)
        now = groups.busy_nanoseconds()
        if now - last > 1_000_000:
            last_busy = time.monotonic()
        last = now
    return max(0.0, last_busy - since)


def count_lines(path, text):
    if not path:
        return 0
    with open(path, errors="replace") as f:
        return sum(1 for line in f if text in line)


def circle(count, centre_x, centre_y, radius):
    words = []
    for i in range(count):
        angle = 2 * math.pi * i / 200
        words += ["mousemove", round(centre_x + radius * math.cos(angle)), round(centre_y + radius * math.sin(angle))]
    return words


def latency(xlatency, window_class, mode, tries, pids):
    """Median and 90th percentile, in ms, of `tries` tries of xlatency's
    MODE, and the tries in which nothing was drawn within a second."""
    out = subprocess.run([xlatency, window_class, mode, str(tries), "960", "540", *map(str, pids)],
                         check=True, stdout=subprocess.PIPE, text=True).stdout.split()
    drawn = sorted(float(word) for word in out if word != "miss")
    result = {"input": mode, "tries": len(out), "misses": len(out) - len(drawn), "ms": drawn}
    if drawn:
        result["median_ms"] = drawn[len(drawn) // 2] if len(drawn) % 2 else \
            (drawn[len(drawn) // 2 - 1] + drawn[len(drawn) // 2]) / 2
        result["p90_ms"] = drawn[math.ceil(0.9 * len(drawn)) - 1]
    return result


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--window-class", required=True)
    parser.add_argument("--wine-prefix", default="")
    parser.add_argument("--xmapwatch", required=True)
    parser.add_argument("--idle", type=float, default=10.0)
    parser.add_argument("--moves", type=int, default=2000)
    parser.add_argument("--keys", type=int, default=100)
    parser.add_argument("--key-delay", type=int, default=20, help="milliseconds between keys")
    parser.add_argument("--latency", type=int, default=0, help="tries of each latency measure, after the "
                        "keys (0: none)")
    parser.add_argument("--latency-key", default="release", choices=["release", "press", "click"],
                        help="the input that makes the program draw in place of a key")
    parser.add_argument("--xlatency", default="", help="the latency tool, bench/xlatency.c")
    parser.add_argument("--skip", default="", help="comma-separated steps to skip: idle,motion,keys")
    parser.add_argument("--cwd", default=None)
    parser.add_argument("--count-log", default="", help="a file the program's standard error goes to, with a "
                        "line per segment")
    parser.add_argument("--count-text", default="", help="the text that marks such a line")
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()
    skip = set(filter(None, args.skip.split(",")))

    watcher = subprocess.Popen([args.xmapwatch, args.window_class, "90"], stdout=subprocess.PIPE, text=True)
    if watcher.stdout.readline().strip() != "ready":
        sys.exit("measure: the map watcher did not start")
    started = time.monotonic()
    errors = open(args.count_log, "w") if args.count_log else subprocess.DEVNULL
    program = subprocess.Popen(args.command, cwd=args.cwd, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=errors, start_new_session=True)
    result = {}
    try:
        mapped = watcher.stdout.readline().strip()
        watcher.wait()
        if not mapped:
            sys.exit("measure: the program's window was never mapped")
        result["start_s"] = float(mapped) - started
        groups = Groups(program.pid, args.wine_prefix)
        start_only = skip >= {"idle", "motion", "keys"}
        if not start_only:
            time.sleep(3)  # let start-up work settle

        if "idle" not in skip:
            # Threads seldom end while idle, so the finer per-thread clock
            # serves here; a timer tick is well under the 10 ms of a tick.
            before = groups.cpu()
            busy_before = groups.busy_nanoseconds_by_group()
            time.sleep(args.idle)
            used = delta(groups.cpu(), before)
            busy = delta(groups.busy_nanoseconds_by_group(), busy_before)
            result["idle_cpu_percent"] = {k: 100 * v / args.idle for k, v in used.items()}
            result["idle_cpu_percent"].update({k: 100 * v / 1e9 / args.idle for k, v in busy.items()})
            result["rss_mb"] = rss_mb(program.pid)

        # The pointer starts on the window; a click there gives it the focus.
        if not start_only:
            xdotool("mousemove", 960, 540)
            time.sleep(0.5)
        if "motion" not in skip:
            counted = count_lines(args.count_log, args.count_text)
            before = groups.cpu()
            busy_before = groups.busy_nanoseconds_by_group()
            xdotool("mousedown", 1, *circle(args.moves, 960, 540, 300), "mouseup", 1)
            sent = time.monotonic()
            result["catch_up_s"] = wait_quiet(groups, sent)
            used = delta(groups.cpu(), before)
            if not args.wine_prefix:
                used, result["motion_clock"] = finer(used, delta(groups.busy_nanoseconds_by_group(), busy_before))
            result["motion_cpu_per_1000"] = {k: v * 1000 / args.moves for k, v in used.items()}
            if args.count_log:
                result["marks_per_move"] = (count_lines(args.count_log, args.count_text) - counted) / args.moves
            time.sleep(1)

        if "keys" not in skip:
            before = groups.cpu()
            busy_before = groups.busy_nanoseconds_by_group()
            remaining = args.keys
            while remaining > 0:
                count = min(50, remaining)
                xdotool("key", "--delay", args.key_delay, *(["b"] * count))
                remaining -= count
            wait_quiet(groups, time.monotonic())
            used = delta(groups.cpu(), before)
            if not args.wine_prefix:
                used, result["keys_clock"] = finer(used, delta(groups.busy_nanoseconds_by_group(), busy_before))
            result["keys_cpu_per_100"] = {k: v * 100 / args.keys for k, v in used.items()}

        if args.latency:
            # Last, so that the rows above are measured as they were without it.
            members = groups.members()
            pids = members["program"] + members["wineserver"]
            wait_quiet(groups, time.monotonic())
            result["key_latency"] = latency(args.xlatency, args.window_class, args.latency_key, args.latency, pids)
            result["move_latency"] = latency(args.xlatency, args.window_class, "move", args.latency, pids)
        result["rss_mb_end"] = rss_mb(program.pid)
    finally:
        try:
            os.killpg(program.pid, signal.SIGKILL)
        except OSError:
            pass
        program.wait()
        if watcher.poll() is None:
            watcher.kill()
    print(json.dumps(result))


if __name__ == "__main__":
    main()
