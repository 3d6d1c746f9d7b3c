#!/usr/bin/env python3
"""Turns the raw figures of bench/run into docs/performance.md and its chart.

Every number in the report comes from the files in the given folder; nothing
is typed by hand. A part whose figures are not in the folder (bench/run text
times the command line alone) keeps its section of the report as it was.
"""
import json
import os
import platform
import statistics
import subprocess
import sys


def medians(path):
    """Median time (ns) of each Google Benchmark in a JSON report: CPU time,
    or the time taken by hand for benchmarks that time themselves."""
    with open(path) as f:
        data = json.load(f)
    found = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            name = b["run_name"]
            manual = name.endswith("/manual_time")
            time = b["real_time"] if manual else b["cpu_time"]
            found[name.removesuffix("/manual_time")] = time * {"ns": 1, "us": 1e3, "ms": 1e6}[b["time_unit"]]
    return found


def quartiles(values):
    """First quartile, median and third quartile."""
    q = statistics.quantiles(values, n=4, method="inclusive")
    return q[0], q[1], q[2]


def pairs(path):
    """Measures timed in turn by bench_forms --pairs: for each pair, the median
    time (ns) of each side over the rounds and the quartiles of the rounds' ratios."""
    with open(path) as f:
        data = json.load(f)
    found = {}
    for name, p in data["pairs"].items():
        ratios = [a / b for a, b in zip(p["a"], p["b"])]
        found[name] = (statistics.median(p["a"]), statistics.median(p["b"]), quartiles(ratios), len(ratios))
    return found


def pair_row(what, pair, target, scale=1e-3, unit="µs"):
    """A row for a pair timed in turn: the ratio's median with the middle half
    of the rounds' ratios beside it. The verdict is given only when that whole
    spread is on one side of the target."""
    a, b, (low, mid, high), _ = pair
    spread = f"{mid:.2f} ({low:.2f}–{high:.2f})"
    if target is not None:
        if high <= target:
            verdict = "met"
        elif low > target:
            verdict = "not met"
        else:
            verdict = "undecided: the spread holds the target"
        spread += f" (target ≤ {target:.2f}: {verdict})"
    return f"| {what} | {a * scale:.1f} {unit} | {b * scale:.1f} {unit} | {spread} |"


def turn_row(what, ours_path, base_path, index, unit, target, scale=1.0):
    """A row for two programs run in turn, run i of one beside run i of the
    other: the medians, and the median of the runs' ratios with the middle
    half of them, the verdict only when that whole spread is on one side."""
    def values(path):
        with open(path) as f:
            return [float(line.split()[index]) for line in f if line.strip()]
    pairs = [(a, b) for a, b in zip(values(ours_path), values(base_path)) if a > 0 and b > 0]
    ratios = [a / b for a, b in pairs]
    ours = statistics.median(a for a, _ in pairs)
    base = statistics.median(b for _, b in pairs)
    return pair_row(what, (ours, base, quartiles(ratios), len(ratios)), target, scale, unit)


def column(path, index):
    """Median of one column of a whitespace-separated file (negative = failed run)."""
    with open(path) as f:
        values = [float(line.split()[index]) for line in f if line.strip()]
    good = [v for v in values if v > 0]
    return statistics.median(good), len(good), len(values)


def differences(path, later, earlier):
    """Median over runs of one column minus another (runs where either failed left out)."""
    with open(path) as f:
        rows = [line.split() for line in f if line.strip()]
    good = [float(r[later]) - float(r[earlier]) for r in rows if float(r[later]) > 0 and float(r[earlier]) > 0]
    return (statistics.median(good) if good else float("nan")), len(good), len(rows)


def month_section(folder):
    """Time until the month is painted on the screen, and memory with it up."""
    def path(name):
        return os.path.join(folder, f"month-{name}.txt")
    # startwatch columns: shown, rss, painted, shown painted, key (ms from the process's start)
    key = differences(path("key"), 2, 4)
    splash = column(path("key"), 3)
    nosplash, nosplash_rss = column(path("nosplash"), 2), column(path("nosplash"), 1)
    bare, bare_rss = column(path("bare"), 2), column(path("bare"), 1)
    have_before = os.path.exists(path("key-before"))
    lines = [
        "## Time to the month",
        "",
        "Whole processes on the same screen, timed from outside by the X server's damage reports: a window counts as",
        "painted at the last change of the screen before it settles (a second without change; a blinking text",
        "cursor is no change). The key is typed through the X server the moment the splash's title is on the screen.",
        "",
        "| Measure | TEMPORIA | Baseline | Ratio |",
        "|---|---|---|---|",
    ]
    runs = [("key", key), ("no splash", nosplash), ("bare calendar", bare)]
    if have_before:
        label = "before"
        if os.path.exists(os.path.join(folder, "before-label.txt")):
            with open(os.path.join(folder, "before-label.txt")) as f:
                label = f"`{f.read().strip()}`"
        key_before = differences(path("key-before"), 2, 4)
        splash_before = column(path("key-before"), 3)
        nosplash_before = column(path("nosplash-before"), 2)
        nosplash_rss_before = column(path("nosplash-before"), 1)
        lines += [
            row(f"Key on the splash to the month painted vs the build of {label}", key[0], key_before[0], "ms", 0.5),
            row(f"Start to the splash painted vs the build of {label}", splash[0], splash_before[0], "ms", None),
            row(f"`--no-splash`: start to the month painted vs the build of {label}", nosplash[0],
                nosplash_before[0], "ms", None),
            row(f"`--no-splash`: resident memory, month up, vs the build of {label}", nosplash_rss[0],
                nosplash_rss_before[0], "MB", None, 1 / 1024),
        ]
        runs += [("key before", key_before), ("no splash before", nosplash_before)]
        if os.path.exists(path("keylate")) and os.path.exists(path("keylate-before")):
            # A person's key: a moment after the splash is seen, when its idle time has been used.
            late, late_before = differences(path("keylate"), 2, 4), differences(path("keylate-before"), 2, 4)
            lines.append(row(f"Key 300 ms after the splash is painted to the month painted vs the build of {label}",
                             late[0], late_before[0], "ms", None))
            runs += [("key 300 ms", late), ("key 300 ms before", late_before)]
    lines += [
        turn_row("`--no-splash`: start to the month painted vs bare `QCalendarWidget`", path("nosplash"), path("bare"),
                 2, "ms", 1.0),
        turn_row("`--no-splash`: resident memory, month up, vs bare `QCalendarWidget`", path("nosplash"),
                 path("bare"), 1, "MB", 1.15, 1 / 1024),
    ]
    if os.path.exists(path("maximised")):
        # What any maximised window costs here, whatever it shows: the frame's floor.
        maximised = column(path("maximised"), 2)
        lines.append(row("`--no-splash`: start to the month painted vs a bare maximised Qt window painted empty",
                         nosplash[0], maximised[0], "ms", None))
        runs.append(("bare maximised", maximised))
    if os.path.exists(path("maximised-text")) and os.path.exists(path("keyfloor")):
        # The same for a maximised window with one line of text, at start and
        # on a key typed on a bare window whose fonts are loaded: no program
        # with a maximised window does better on this machine.
        maximised_text = column(path("maximised-text"), 2)
        keyfloor = differences(path("keyfloor"), 2, 4)
        lines += [
            row("`--no-splash`: start to the month painted vs a bare maximised Qt window with one line of text",
                nosplash[0], maximised_text[0], "ms", None),
            row("A bare maximised Qt window with one line of text vs bare `QCalendarWidget`, start to painted",
                maximised_text[0], bare[0], "ms", None),
            row("Key on the splash to the month painted vs a key on a bare Qt window to a bare maximised window "
                "with one line of text painted", key[0], keyfloor[0], "ms", None),
        ]
        runs += [("bare maximised text", maximised_text), ("bare key", keyfloor)]
    lines += [
        "",
        f"Key to month, absolute: {key[0]:.1f} ms; start to the splash painted: {splash[0]:.1f} ms.",
        "",
        "Runs behind each median (good/total): " + ", ".join(f"{name} {v[1]}/{v[2]}" for name, v in runs) + ".",
        "",
    ]
    return lines


def machine():
    def run(*cmd):
        try:
            return subprocess.run(cmd, capture_output=True, text=True, check=True).stdout.strip()
        except (OSError, subprocess.CalledProcessError):
            return "unknown"
    cpu = "unknown"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    with open("/proc/meminfo") as f:
        mem_kb = int(f.readline().split()[1])
    os_name = "unknown"
    if os.path.exists("/etc/os-release"):
        with open("/etc/os-release") as f:
            for line in f:
                if line.startswith("PRETTY_NAME="):
                    os_name = line.split("=", 1)[1].strip().strip('"')
    qt = run("dpkg-query", "-W", "-f=${Version}", "libqt6core6")
    return f"{cpu}, {os.cpu_count()} cores, {mem_kb / 1048576:.1f} GiB; {os_name}, kernel {platform.release()}; Qt {qt}"


def chart(path, groups):
    """A small SVG bar chart: one panel per group of (label, value, unit) bars."""
    width, panel_h, bar_h, left = 640, 160, 22, 190
    colours = ["#7a7a7a", "#a0a0a0", "#2a6fdb", "#d9822b"]
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{panel_h * len(groups) + 10}" '
             'font-family="Liberation Sans, Arial, sans-serif" font-size="12">',
             f'<rect width="100%" height="100%" fill="white"/>']
    for g, (title, unit, bars) in enumerate(groups):
        top = g * panel_h + 10
        parts.append(f'<text x="10" y="{top + 14}" font-weight="bold">{title}</text>')
        top_value = max(v for _, v in bars)
        for i, (label, value) in enumerate(bars):
            y = top + 26 + i * (bar_h + 6)
            w = (width - left - 90) * value / top_value
            parts.append(f'<text x="10" y="{y + 15}">{label}</text>')
            parts.append(f'<rect x="{left}" y="{y}" width="{w:.1f}" height="{bar_h}" fill="{colours[i % len(colours)]}"/>')
            parts.append(f'<text x="{left + w + 6:.1f}" y="{y + 15}">{value:.1f} {unit}</text>')
    parts.append("</svg>")
    with open(path, "w") as f:
        f.write("\n".join(parts) + "\n")


COMMAND_LINE = "## Command line"


def previous_sections(report):
    """The report as it stands, split into the main part and the command line's section."""
    if not os.path.exists(report):
        return None, None
    with open(report) as f:
        text = f.read()
    main, found, rest = text.partition(COMMAND_LINE)
    return main.rstrip("\n") + "\n", (found + rest if found else None)


# The other forms of the text and their counterparts: what each prints.
TEXT_FORMS = [
    ("temporia --text -3 2 1900", "ncal -3 -M -b 2 1900",
     "January to March 1900 side by side, Monday first (`ncal` adds the year above them)"),
    ("temporia --text -w 1900", "ncal -w -M -b 1900",
     "the year 1900 three months across, Monday first, with the ISO week numbers (`ncal`'s in a `w|` column)"),
    ("temporia --text -w 1900", "python3 -m calendar 1900",
     "the year 1900 three months across, Monday first; Python's without week numbers"),
]


def command_line(folder):
    """Whole-process times of the same months from three terminal calendars (hyperfine)."""
    with open(os.path.join(folder, "text.json")) as f:
        results = {r["command"]: r for r in json.load(f)["results"]}
    ours = results["temporia --text 2 1900"]
    ncal = results["ncal -M -b 2 1900"]
    python = results["python3 -m calendar 1900 2"]
    runs = ", ".join(f"{name} {len(r['times'])}" for name, r in results.items())
    forms = [(a, b, what) for a, b, what in TEXT_FORMS if a in results and b in results]
    return [
        COMMAND_LINE,
        "",
        "February 1900 printed as text by three terminal calendars, each a whole process from start to exit,",
        "started without a shell and timed by hyperfine (medians; no display); then the other forms of the text",
        "against their nearest counterparts.",
        "",
        f"Machine: {machine()}.",
        "",
        "| Measure | TEMPORIA | Baseline | Ratio |",
        "|---|---|---|---|",
        row("`temporia --text 2 1900` vs `python3 -m calendar 1900 2`", ours["median"], python["median"], "ms", 1.0,
            1e3),
        row("`temporia --text 2 1900` vs `ncal -M -b 2 1900`", ours["median"], ncal["median"], "ms", None, 1e3),
    ] + [
        row(f"`{a}` vs `{b}`: {what}", results[a]["median"], results[b]["median"], "ms", None, 1e3)
        for a, b, what in forms
    ] + [
        "",
        f"Runs behind each median: {runs}.",
        "",
    ]


def row(what, ours, base, unit, target, scale=1.0, fmt="{:.1f}"):
    ratio = ours / base
    verdict = "" if target is None else (" (target ≤ %.2f: %s)" % (target, "met" if ratio <= target else "NOT met"))
    return (f"| {what} | {fmt.format(ours * scale)} {unit} | {fmt.format(base * scale)} {unit} | "
            f"{ratio:.2f}{verdict} |")


def main():
    folder, report, svg = sys.argv[1:4]
    old_main, old_command_line = previous_sections(report)
    if os.path.exists(os.path.join(folder, "text.json")):
        text_section = "\n".join(command_line(folder))
    else:
        text_section = old_command_line
    if not os.path.exists(os.path.join(folder, "engine.json")):
        if old_main is None:
            sys.exit(f"{report}: no figures for it in {folder} and no report to keep them from")
        with open(report, "w") as f:
            f.write(old_main + ("\n" + text_section if text_section else ""))
        return
    def within(name):
        return os.path.join(folder, f"{name}.txt")

    engine = medians(os.path.join(folder, "engine.json"))
    forms = medians(os.path.join(folder, "forms.json"))
    paired = pairs(os.path.join(folder, "pairs.json"))
    rounds = next(iter(paired.values()))[3]
    with open(os.path.join(folder, "pairs.json")) as f:
        calls = json.load(f)["calls"]
    start = {k: column(os.path.join(folder, f"start-{k}.txt"), 0) for k in ("program", "bare", "text", "linked")}
    memory = {k: column(os.path.join(folder, f"memory-{k}.txt"), 1) for k in ("program", "bare", "linked")}
    page = {k: column(os.path.join(folder, f"page-{k}.txt"), 0) for k in ("browser", "bare")}
    page_whole = {k: column(os.path.join(folder, f"page-{k}.txt"), 1) for k in ("browser", "bare")}
    with open(os.path.join(folder, "size.txt")) as f:
        size = int(f.read())

    lines = [
        "# Performance",
        "",
        "Made by `bench/run` from one run of every benchmark, side by side; nothing here is typed by hand.",
        "The engine and the slideshow tick are Google Benchmark medians (CPU time). The drawing, the month step, the",
        "button, the typed date and their baselines are timed by hand around the measured calls alone, each pair in",
        f"turn in the same process: {rounds} rounds of {calls} calls of each, the order swapped every round. Their ratio is the median of the",
        "rounds' ratios, with the middle half of them in brackets; a target is said met or not met only when that",
        "whole spread is on its side. Whole-process figures are medians of separate runs on a private Xvfb screen",
        "(1280x800) with openbox, programs started in turn; where such a row has a target, its ratio is the median",
        "of the runs' ratios (each run beside the other program's run of the same turn) with the middle half of",
        "them, judged the same way.",
        "",
        f"Machine: {machine()}.",
        "",
        "| Measure | TEMPORIA | Baseline | Ratio |",
        "|---|---|---|---|",
        row("Engine, all 120,000 months vs `<chrono>`", engine["engineAllMonths"], engine["chronoAllMonths"],
            "ms", 1.0, 1e-6, "{:.3f}"),
        pair_row("One drawing (`go_Click`) vs 42 bare `QLineEdit::setText`", paired["drawing/bareSetText"], 1.2),
        pair_row("A month step by key (PageDown: key event to grid drawn) vs one press of the button "
                 "(mouse press and release)", paired["stepByKey/pressButton"], 1.1),
        pair_row("A month step by key vs the button's `click()` (no mouse events)", paired["stepByKey/clickButton"],
                 None),
        pair_row("One drawing (`go_Click`) with the week numbers shown vs one without",
                 paired["drawingWithWeeks/drawing"], 1.15),
        pair_row("Going to a typed date (the text read by `readDate`, then `chooseDay`: grid drawn, day marked and "
                 "focused) vs a month step by key", paired["goToDate/stepByKey"], 1.1),
        turn_row("Start-up to the splash window shown vs bare Qt window with the same texts", within("start-program"),
                 within("start-text"), 0, "ms", 1.05),
        turn_row("Resident memory, frame and calendar up vs bare maximised window", within("memory-program"),
                 within("memory-bare"), 1, "MB", 1.3, 1 / 1024),
        row("Start-up to the splash window shown vs bare Qt window painted empty", start["program"][0],
            start["bare"][0], "ms", None),
        row("Start-up vs the program with the web engine linked in", start["program"][0], start["linked"][0],
            "ms", None),
        row("Resident memory vs the program with the web engine linked in", memory["program"][0],
            memory["linked"][0], "MB", None, 1 / 1024),
        turn_row("Browser made visible to home page loaded vs bare `QWebEngineView`", within("page-browser"),
                 within("page-bare"), 0, "ms", 1.2),
        row("Process start to home page loaded: browser only vs bare `QWebEngineView`", page_whole["browser"][0],
            page_whole["bare"][0], "ms", None),
        "",
        f"One slideshow tick: {forms['slideshowTick'] / 1e3:.1f} µs (it hands over the photograph decoded ahead"
        " between ticks; no pixels copied, no file read).",
        "",
        f"Executable: {size:,} bytes (stripped release build, photographs included).",
        "",
        "Runs behind each whole-process median (good/total): "
        + ", ".join(f"start-up {k} {v[1]}/{v[2]}" for k, v in start.items()) + "; "
        + ", ".join(f"memory {k} {v[1]}/{v[2]}" for k, v in memory.items()) + "; "
        + ", ".join(f"first page {k} {v[1]}/{v[2]}" for k, v in page.items()) + ".",
        "",
        "![Start-up and memory](performance.svg)",
        "",
    ]
    if os.path.exists(os.path.join(folder, "month-key.txt")):
        lines += month_section(folder)
    with open(report, "w") as f:
        f.write("\n".join(lines) + ("\n" + text_section if text_section else ""))
    chart(svg, [
        ("Start-up to first window (ms)", "ms",
         [("bare Qt window", start["bare"][0]), ("bare, one line of text", start["text"][0]),
          ("TEMPORIA", start["program"][0]),
          ("engine linked in", start["linked"][0])]),
        ("Resident memory with the main window up (MB)", "MB",
         [("bare Qt window", memory["bare"][0] / 1024), ("TEMPORIA", memory["program"][0] / 1024),
          ("engine linked in", memory["linked"][0] / 1024)]),
    ])


if __name__ == "__main__":
    main()
