"""The native program's targets against its peers, shared by report.py (the
table in results.md) and report_native.py (one column per binary)."""

FRAME_MS = 1000 / 60
CPU_FACTOR = 1.5


def fmt(value, digits=2):
    return "n/a" if value is None else f"{value:.{digits}f}"


def best(peers, key):
    """The lowest of the peers' figures for KEY, or None when a peer lacks it:
    a target against every peer is not judged on some of them."""
    found = [peer.get(key) for peer in peers]
    return None if not found or None in found else min(found)


def verdict(ok):
    return "not measured" if ok is None else ("met" if ok else "missed")


def latency_row(what, native, peers, key):
    median, p90 = native.get(f"{key}_median"), native.get(f"{key}_p90")
    best_median, best_p90 = best(peers, f"{key}_median"), best(peers, f"{key}_p90")
    ok = None
    if None not in (median, p90, best_median, best_p90):
        ok = median <= best_median and p90 <= best_p90 and p90 <= FRAME_MS
    return (f"{what} of Scrivlet native at or below the best peer's (median and 90th percentile) and within "
            f"one 60 Hz frame ({FRAME_MS:.1f} ms) at the 90th percentile, ms",
            f"{fmt(median)} / {fmt(p90)} (the peers' best {fmt(best_median)} / {fmt(best_p90)})", verdict(ok))


def ahead_row(what, native, peers, key, unit, digits):
    mine, theirs = native.get(key), best(peers, key)
    ok = None if mine is None or theirs is None else mine < theirs
    return (f"{what} of Scrivlet native ahead of every peer's, {unit}",
            f"{fmt(mine, digits)} (best peer {fmt(theirs, digits)})", verdict(ok))


def within_row(what, native, peers, key, unit, digits):
    mine, theirs = native.get(key), best(peers, key)
    ok = None if mine is None or theirs is None else mine <= CPU_FACTOR * theirs
    return (f"{what} of Scrivlet native within {CPU_FACTOR} times the best peer's, {unit}",
            f"{fmt(mine, digits)} (best peer {fmt(theirs, digits)})", verdict(ok))


def native_targets(native, peers):
    """Rows (target, figure, verdict) for one native program. NATIVE and each
    of PEERS map start_s, rss_mb, idle_percent, key_cpu_ms (the key sound
    off: the peers run muted), move_cpu_s (per 1000 moves) and the medians
    and 90th percentiles key_median, key_p90, move_median, move_p90 (ms) to
    figures, None where not measured."""
    return [
        latency_row("key-to-pixel latency", native, peers, "key"),
        latency_row("move-to-pixel latency", native, peers, "move"),
        ahead_row("start to window mapped", native, peers, "start_s", "s", 3),
        ahead_row("resident memory", native, peers, "rss_mb", "MB", 1),
        ahead_row("idle CPU", native, peers, "idle_percent", "% of a core", 2),
        within_row("CPU a key (key sound off)", native, peers, "key_cpu_ms", "ms", 2),
        within_row("CPU per 1000 motion events", native, peers, "move_cpu_s", "s", 3),
    ]


def frame_row(what, p90):
    return (f"{what} of Scrivlet under Wine within one 60 Hz frame ({FRAME_MS:.1f} ms) at the 90th percentile, ms",
            fmt(p90), verdict(None if p90 is None else p90 <= FRAME_MS))
