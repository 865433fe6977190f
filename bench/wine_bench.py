#!/usr/bin/env python3
"""Torvane under Wine beside two floor programs (`bench`), the table of one or
more such runs against the targets (`report`), where the CPU time goes
(`trace`), or a three-minute soak of its handle, GDI, USER and memory figures
(`soak`).

`bench` runs each program in a Wine session of its own (a prefix copied from
one template, a wineserver started the same way), so the server work each
program causes is counted with it. CPU time is read in nanoseconds from
/proc/PID/task/*/schedstat, for each program alone on one core: they take
turns, the others stopped."""
import argparse
import datetime
import json
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import time
import urllib.request

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WINE = os.environ.get("WINE", "/usr/lib/wine/wine64")
BENCH_BIN = os.path.join(ROOT, "build/bench-win64")
MIB = 1024 * 1024

# Targets. Memory is compared with the feature floor (what is left is
# Torvane's own code and data); CPU and launch with the plain floor.
MEMORY_MARGIN = 3 * MIB
CPU_FACTOR = 1.5
LAUNCH_MARGIN_MS = 150.0
# How far the steady own-CPU ratio may move between runs.
RATIO_SPREAD = 0.1
# Speed level 1 raises to high.
CONFIG_INI = "[Normal]\r\nEnableSpeed=1\r\n[Speed]\r\nSpeedLevel=1\r\n[Record]\r\nEnableRecord=1\r\nRecordCount=50\r\n"
# The boost count label (LabelCount) of the main window.
BOOST_COUNT_ID = 302

# key, name in tables, window class of its main window
PROGRAMS = [
    ("floor", "plain floor", "TorvaneBenchFloor"),
    ("feature", "feature floor", "TorvaneBenchFeatureFloor"),
    ("torvane", "Torvane", "TorvaneMainWindow"),
]
# The control run: the plain floor measured against itself, in Torvane's
# place, shows how far the gauge moves for two programs that are the same.
CONTROL_NAME = "floor again"


def window_class_of(key, window_class, control):
    return "TorvaneBenchFloor" if control and key == "torvane" else window_class


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def run_wine(args, timeout, env=None):
    return subprocess.run([WINE] + args, capture_output=True, text=True, timeout=timeout, check=False,
                          stdin=subprocess.DEVNULL, env=env)


def run_wine_to_file(args, path, timeout, env=None, core=None):
    """For programs that start others: those inherit the output, so a pipe
    would stay open as long as they run. With core, the program and all it
    starts run on that core alone."""
    pin = (lambda: os.sched_setaffinity(0, {core})) if core is not None else None
    with open(path, "w+") as out:
        subprocess.run([WINE] + args, stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT,
                       timeout=timeout, check=False, env=env, preexec_fn=pin)
        out.seek(0)
        return out.read()


def prepare(base, key, torvane_exe, control=False):
    """A fresh program folder; returns the program's path."""
    folder = os.path.join(base, key)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    if key == "torvane" and control:
        key = "floor"
    elif key == "torvane":
        shutil.copy(torvane_exe, folder)
        shutil.copy(os.path.join(ROOT, "res/tv.ico"), folder)
        with open(os.path.join(folder, "config.ini"), "wb") as f:
            f.write(CONFIG_INI.encode("ascii"))
        return os.path.join(folder, os.path.basename(torvane_exe))
    if key == "feature":
        shutil.copy(os.path.join(BENCH_BIN, "tv_bench_feature_floor.exe"), folder)
        shutil.copy(os.path.join(ROOT, "res/tv.ico"), folder)
        return os.path.join(folder, "tv_bench_feature_floor.exe")
    shutil.copy(os.path.join(BENCH_BIN, "tv_bench_floor.exe"), folder)
    return os.path.join(folder, "tv_bench_floor.exe")


def launch(window_class, exe, env, core=None):
    """Starts exe through the launcher; returns (ms to visible window, Linux PID).
    A start that shows no window is reported and tried once more: it is seen
    about once in a few hundred starts under Wine, and costs the run otherwise.
    With core, the launcher and what it starts run on that core (the session's
    wineserver is the caller's to place)."""
    tool = os.path.join(BENCH_BIN, "tv_bench_launch.exe")
    needle = winpath(exe).encode()
    for attempt in (1, 2):
        out = run_wine_to_file([tool, window_class, winpath(exe), "30000"], exe + ".launch.log", timeout=60,
                               env=env, core=core)
        m = re.search(r"visible_ms=(-?[\d.]+)", out)
        ms = float(m.group(1)) if m else -1.0
        pid = None
        for _ in range(100):
            pid = linux_pid(needle)
            if pid:
                break
            time.sleep(0.05)
        if ms >= 0 and pid:
            return ms, pid
        print("start %d of %s showed no window (launcher said %r)" % (attempt, exe, out))
        if pid:
            end_and_wait(pid, needle)
    raise SystemExit("could not start %s" % exe)


def find_process(matches):
    """The first process whose arguments (bytes) `matches` accepts."""
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as f:
                argv = f.read().split(b"\0")
        except OSError:
            continue
        if matches(argv):
            return int(entry)
    return None


def linux_pid(needle):
    """The Wine process whose command line is the program's path."""
    return find_process(lambda argv: argv[0] == needle)


def schedstat_sum(pid, field):
    """One field of /proc/PID/task/*/schedstat summed over the process's live
    threads."""
    total = 0
    try:
        tasks = os.listdir("/proc/%d/task" % pid)
    except OSError:
        return 0
    for task in tasks:
        try:
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as f:
                total += int(f.read().split()[field])
        except (OSError, ValueError, IndexError):
            continue
    return total


def cpu_ns(pid):
    """CPU time of the process in nanoseconds (schedstat's first field)."""
    return schedstat_sum(pid, 0)


def wakeups(pid):
    """How many times the process's threads have been put on a CPU
    (schedstat's third field): each timer tick, message or server reply that
    wakes it counts once."""
    return schedstat_sum(pid, 2)


def session_server(session):
    """The PID of the session's wineserver, checked to be one."""
    with open(os.path.join(session, "wineserver.pid")) as f:
        pid = int(f.read().strip())
    if "wineserver" not in os.path.basename(os.readlink("/proc/%d/exe" % pid)):
        raise SystemExit("pid %d of %s is not a wineserver" % (pid, session))
    return pid


def display_server():
    """The Xvfb process serving $DISPLAY, if it is one."""
    display = os.environ.get("DISPLAY", "").encode()
    return find_process(lambda argv: os.path.basename(argv[0]) == b"Xvfb" and display in argv[1:])


def onto_one_core(pids):
    """Every thread of the processes onto the last core. Spread over two
    cores, the plain floor measured against itself moved by +-0.12 between
    200 s runs; on one, by +-0.03 to +-0.07. Launch is timed before, on all
    cores, and with the program and its server on one."""
    core = {os.cpu_count() - 1}
    for pid in pids:
        try:
            for tid in os.listdir("/proc/%d/task" % pid):
                os.sched_setaffinity(int(tid), core)
        except OSError:  # ended meanwhile
            continue


def prefix_processes(prefix):
    """The Wine processes running in a prefix (explorer, services, ...)."""
    wanted = ("WINEPREFIX=%s" % prefix).encode()
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            if "wine" not in os.path.basename(os.readlink("/proc/%s/exe" % entry)):
                continue
            with open("/proc/%s/environ" % entry, "rb") as f:
                if wanted in f.read().split(b"\0"):
                    found.append(int(entry))
        except OSError:
            continue
    return found


def status(pid):
    values = {}
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            key, _, rest = line.partition(":")
            if rest.strip().endswith("kB"):
                values[key] = int(rest.split()[0]) * 1024
    return values


def resident_by_kind(pid):
    """Resident KiB of each kind of mapping, from /proc/PID/smaps: a DLL or
    library by its name, font files, NLS tables, the window surface (System V
    shared memory), the Linux heap and anonymous memory (Windows heaps,
    thread stacks, bitmaps)."""
    kinds = {}
    kind = None
    with open("/proc/%d/smaps" % pid) as f:
        for line in f:
            fields = line.split()
            if re.match(r"^[0-9a-f]+-[0-9a-f]+$", fields[0]):
                path = fields[5] if len(fields) > 5 else ""
                name = os.path.basename(path)
                if not path:
                    kind = "anonymous (Windows heaps, stacks, bitmaps)"
                elif path == "[heap]":
                    kind = "Linux heap (fonts, X11, GDI objects)"
                elif path.startswith("/SYSV"):
                    kind = "window surface (shared memory)"
                elif re.search(r"\.(ttc|ttf|otf|fon)$", name, re.I):
                    kind = "font file " + name
                elif name.endswith(".nls"):
                    kind = "NLS tables"
                elif re.search(r"\.so(\.|$)", name):
                    kind = "Linux libraries"
                elif path.startswith("["):
                    kind = "other"
                else:
                    kind = name
            elif fields[0] == "Rss:":
                kinds[kind] = kinds.get(kind, 0) + int(fields[1])
    return kinds


def memory_difference(t_kinds, f_kinds, shown=12):
    """Rows (kind, Torvane KiB, floor KiB, difference), the largest
    differences first, the rest summed in one row."""
    rows = [(k, t_kinds.get(k, 0), f_kinds.get(k, 0), t_kinds.get(k, 0) - f_kinds.get(k, 0))
            for k in set(t_kinds) | set(f_kinds)]
    rows.sort(key=lambda r: -abs(r[3]))
    rest = rows[shown:]
    rows = rows[:shown]
    if rest:
        rows.append(("%d more kinds" % len(rest), sum(r[1] for r in rest), sum(r[2] for r in rest),
                     sum(r[3] for r in rest)))
    return rows


def fd_count(pid):
    return len(os.listdir("/proc/%d/fd" % pid))


def stop(pid, needle):
    """Ends a program we started, after checking the PID is still it."""
    if pid and linux_pid(needle) == pid:
        os.kill(pid, signal.SIGTERM)


def end_and_wait(pid, needle):
    stop(pid, needle)
    for _ in range(100):
        if linux_pid(needle) != pid:
            return
        time.sleep(0.05)
    raise SystemExit("pid %d did not end" % pid)


def site(path):
    """A request to the local site's test endpoints; None without a site."""
    port = os.environ.get("TORVANE_SITE_PORT")
    if not port:
        return None
    with urllib.request.urlopen("http://127.0.0.1:%s%s" % (port, path), timeout=5) as answer:
        return answer.read().decode()


def median(values):
    return sorted(values)[len(values) // 2]


def end_helpers(helpers):
    """Ends the plain windows started for the switches, killing any that
    does not go within 10 s."""
    for h in helpers:
        if h.poll() is None:
            h.terminate()
    for h in helpers:
        try:
            h.wait(timeout=10)
        except subprocess.TimeoutExpired:
            h.kill()
            h.wait(timeout=10)


def boost_latency(env, switches, report=False):
    """Milliseconds from each foreground switch between two plain windows to
    the class read back as raised; with report, each switch is also reported
    as Windows reports it (Wine does not)."""
    titles = ["记事本 - 基准甲", "画图 - 基准乙"]
    tool = os.path.join(BENCH_BIN, "tv_bench_boost.exe")
    extra = ["report"] if report else []

    def switch(title):
        for _ in range(50):
            r = run_wine([tool, title, "10000"] + extra, timeout=30, env=env)
            if r.returncode != 3:  # 3: the window is not there yet
                return r
            time.sleep(0.2)
        return r

    # One window at a time, each brought forward once it is there, unmeasured,
    # and a second for the display's focus to settle: under Xvfb a window
    # just shown can take the focus back after another was brought forward.
    helpers = []
    latencies = []
    misses = 0
    missed = False
    try:
        for t in titles:
            helpers.append(subprocess.Popen([WINE, os.path.join(BENCH_BIN, "tv_bench_window.exe"), t], env=env,
                                            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                            stderr=subprocess.DEVNULL))
            switch(t)
        time.sleep(1.0)
        for i in range(switches):
            r = switch(titles[i % 2])
            m = re.search(r"boost_ms=(-?[\d.]+).*before=0x([0-9a-f]+)(?: front=(\d))?", r.stdout)
            if not m or float(m.group(1)) < 0:
                # One miss is reported and the switches go on; the figure has
                # no target, and the run's other figures stand.
                misses += 1
                print("switch %d to %r was not boosted: %r %r" % (i, titles[i % 2], r.stdout, r.stderr))
                if misses > 1:
                    raise SystemExit("more than one switch was not boosted")
                missed = True
                time.sleep(0.37)
                continue
            # After a miss the other window is still raised, as nothing
            # brought it down: that switch measures nothing.
            if missed:
                missed = False
                time.sleep(0.37)
                continue
            # A window that took the focus back (above) was rightly raised
            # while in front, and this switch switches nothing.
            if i > 0 and m.group(3) == "1":
                print("switch %d: %r was in front already: %r" % (i, titles[i % 2], r.stdout.strip()))
                time.sleep(0.37)
                continue
            if i > 0 and int(m.group(2), 16) != 0x20:
                raise SystemExit("window %r was not back at normal before its switch: %r" % (titles[i % 2], r.stdout))
            latencies.append(float(m.group(1)))
            # The next switch falls at another point of the booster's second.
            time.sleep(0.37)
    finally:
        end_helpers(helpers)
    return latencies


def bench(args):
    out_dir = os.path.join(ROOT, "build/bench")
    sessions = dict(s.split("=", 1) for s in args.session)
    envs = {key: dict(os.environ, WINEPREFIX=os.path.join(sessions[key], "prefix")) for key, _, _ in PROGRAMS}
    servers = {key: session_server(sessions[key]) for key, _, _ in PROGRAMS}
    base = os.path.join(out_dir, "programs")
    site("/__reset")
    # Nine starts each, alternating the programs, each from a fresh program
    # folder and ended before the next; the last of each keeps running.
    launches = {key: [] for key, _, _ in PROGRAMS}
    pids, exes = {}, {}
    # The same starts with the program and its wineserver sharing one core.
    # On two cores every request to the server wakes the other core, which
    # in this virtual machine costs tens of microseconds more than the
    # request itself; a start is thousands of requests (creating and showing
    # each window), so the figure on one core is the one that shows the
    # program's own start-up work.
    launches_one_core = {key: [] for key, _, _ in PROGRAMS}
    core = os.cpu_count() - 1
    for _ in range(args.launches_one_core):
        for key, _, window_class in reversed(PROGRAMS):
            exe = prepare(base, key, args.torvane, args.control)
            os.sched_setaffinity(servers[key], {core})
            try:
                ms, pid = launch(window_class_of(key, window_class, args.control), exe, envs[key], core=core)
            finally:
                os.sched_setaffinity(servers[key], set(range(os.cpu_count())))
            launches_one_core[key].append(ms)
            end_and_wait(pid, winpath(exe).encode())
    for i in range(args.launches):
        # Torvane first, so any cold start cost falls on it, not on a floor.
        for key, _, window_class in reversed(PROGRAMS):
            exe = prepare(base, key, args.torvane, args.control)
            ms, pid = launch(window_class_of(key, window_class, args.control), exe, envs[key])
            launches[key].append(ms)
            if i < args.launches - 1:
                end_and_wait(pid, winpath(exe).encode())
            else:
                pids[key], exes[key] = pid, exe
    # Past every program's start-up and its one request to the site.
    time.sleep(args.settle)
    others = {key: [p for p in prefix_processes(envs[key]["WINEPREFIX"]) if p not in (pids[key], servers[key])]
              for key, _, _ in PROGRAMS}
    onto_one_core([p for key, _, _ in PROGRAMS for p in [pids[key], servers[key]] + others[key]]
                  + [p for p in [display_server()] if p])

    # Each program is measured alone on the core: in turn, for one window
    # each, the other two are stopped. Side by side, the programs' timers
    # meet on the one core in a phase that each start sets by chance, and
    # which program pays for the meeting moved the own-CPU ratio by up to
    # +-0.15 between runs, while within a run it held steady.
    keys = [key for key, _, _ in PROGRAMS]
    samples = {key: [] for key in keys}

    def snapshot(key):
        return (cpu_ns(pids[key]), cpu_ns(servers[key]), sum(cpu_ns(p) for p in others[key]), wakeups(pids[key]),
                time.monotonic())

    try:
        for _ in range(max(1, round(args.seconds / args.window))):
            for key in keys:
                for other in keys:
                    os.kill(pids[other], signal.SIGCONT if other == key else signal.SIGSTOP)
                # Past the timer that fell due while it was stopped.
                time.sleep(args.resume)
                before = snapshot(key)
                time.sleep(args.window)
                after = snapshot(key)
                samples[key].append([a - b for a, b in zip(after, before)])
    finally:
        for key in keys:
            os.kill(pids[key], signal.SIGCONT)
    elapsed = statistics.mean(sum(s[4] for s in samples[key]) for key in keys)
    programs = {}
    for key, _, _ in PROGRAMS:
        st = status(pids[key])
        mine = samples[key]
        # Per second of the program's own windows, over the run's length.
        scale = elapsed / sum(s[4] for s in mine)
        programs[key] = {"cpu_own_ns": sum(s[0] for s in mine) * scale,
                         "cpu_server_ns": sum(s[1] for s in mine) * scale,
                         "cpu_rest_of_prefix_ns": sum(s[2] for s in mine) * scale,
                         "wakeups_per_s": sum(s[3] for s in mine) / sum(s[4] for s in mine),
                         "window_seconds": args.window,
                         "cpu_own_windows_ns_per_s": [s[0] / s[4] for s in mine],
                         "cpu_server_windows_ns_per_s": [s[1] / s[4] for s in mine],
                         "cpu_own_steady_ns_per_s": statistics.median(s[0] / s[4] for s in mine),
                         "cpu_all_steady_ns_per_s": statistics.median((s[0] + s[1]) / s[4] for s in mine),
                         "vmhwm_bytes": st["VmHWM"], "vmrss_bytes": st["VmRSS"],
                         "launch_ms": median(launches[key]), "launches_ms": launches[key],
                         "launch_one_core_ms": median(launches_one_core[key]) if launches_one_core[key] else None,
                         "launches_one_core_ms": launches_one_core[key]}
    memory_rows = memory_difference(resident_by_kind(pids["torvane"]), resident_by_kind(pids["feature"]))
    news_requests = site("/__count?path=/ad/tv/")
    for key in ("floor", "feature"):
        end_and_wait(pids[key], winpath(exes[key]).encode())
    try:
        latencies = [] if args.control else boost_latency(envs["torvane"], args.switches)
        reported = [] if args.control else boost_latency(envs["torvane"], args.switches, report=True)
    finally:
        stop(pids["torvane"], winpath(exes["torvane"]).encode())
    result = {"seconds": elapsed, "settle_seconds": args.settle, "launches": args.launches,
              "site_port": os.environ.get("TORVANE_SITE_PORT"),
              "news_requests_served": int(news_requests) if news_requests else None,
              "torvane_exe": args.torvane, "control": args.control, "programs": programs, "boost_ms": latencies,
              "boost_reported_ms": reported,
              "resident_kib_by_mapping": [{"mapping": r[0], "torvane": r[1], "feature_floor": r[2], "more": r[3]}
                                          for r in memory_rows]}
    with open(args.out, "w") as f:
        json.dump(result, f, indent=2)
    print("Where Torvane's resident memory differs from the feature floor's at the end (VmRSS %d KiB vs %d KiB):"
          % (programs["torvane"]["vmrss_bytes"] // 1024, programs["feature"]["vmrss_bytes"] // 1024))
    print("%-46s %9s %9s %9s" % ("mapping", "Torvane", "feature", "more"))
    for kind, t, f, more in memory_rows:
        print("%-46s %9d %9d %+9d" % (str(kind)[:46], t, f, more))
    print("news requests the site answered: %s; written: %s" % (news_requests or "no site", args.out))
    return 0


def checks_of(run):
    p = run["programs"]
    t, f, b = p["torvane"], p["feature"], p["floor"]
    t_all, b_all = t["cpu_own_ns"] + t["cpu_server_ns"], b["cpu_own_ns"] + b["cpu_server_ns"]

    def cpu(whole_t, whole_b, steady_t, steady_b):
        # Met when both the whole run and its median window meet it.
        return ("%.2f x, whole %.2f x" % (steady_t / steady_b, whole_t / whole_b),
                whole_t <= CPU_FACTOR * whole_b and steady_t <= CPU_FACTOR * steady_b)

    return [
        ("peak memory <= feature floor + 3 MiB", "%.2f <= %.2f MiB" % (t["vmhwm_bytes"] / MIB,
                                                                      (f["vmhwm_bytes"] + MEMORY_MARGIN) / MIB),
         t["vmhwm_bytes"] <= f["vmhwm_bytes"] + MEMORY_MARGIN),
        ("CPU with server <= 1.5 x plain floor",
         *cpu(t_all, b_all, t["cpu_all_steady_ns_per_s"], b["cpu_all_steady_ns_per_s"])),
        ("CPU own <= 1.5 x plain floor",
         *cpu(t["cpu_own_ns"], b["cpu_own_ns"], t["cpu_own_steady_ns_per_s"], b["cpu_own_steady_ns_per_s"])),
        ("launch <= plain floor + 150 ms", "%+.0f ms" % (t["launch_ms"] - b["launch_ms"]),
         t["launch_ms"] <= b["launch_ms"] + LAUNCH_MARGIN_MS),
    ]


def report(args):
    runs = []
    for path in args.runs:
        with open(path) as f:
            runs.append(json.load(f))
    print("%d run(s), %s, %d cores; CPU over %.0f s each, measured in turn on one core, from schedstat (ms, %% of one "
          "core), program alone and with "
          "its own wineserver; steady: the median %.0f s window (%% of one core, own / with server); launch: "
          "median of %d" % (len(runs), datetime.date.today().isoformat(), os.cpu_count(), runs[0]["seconds"],
                            runs[0]["programs"]["floor"]["window_seconds"], runs[0]["launches"]))
    print("%-4s %-14s %16s %16s %15s %8s %8s %9s %9s %9s %15s" % ("run", "program", "CPU own", "CPU + server",
                                                                     "steady", "rest pfx", "wakeup/s", "peak MiB",
                                                                     "launch", "on 1 core", "boost med/max"))
    for n, run in enumerate(runs, 1):
        for key, name, _ in PROGRAMS:
            p = run["programs"][key]
            name = CONTROL_NAME if run.get("control") and key == "torvane" else name
            span = run["seconds"] * 1e9 / 100.0

            def cell(ns):
                return "%7.1f %6.3f%%" % (ns / 1e6, ns / span)

            boost = "-"
            if key == "torvane" and run["boost_ms"]:
                boost = "%.0f/%.0f ms" % (statistics.median(run["boost_ms"]), max(run["boost_ms"]))
            steady = "%.3f/%.3f%%" % (p["cpu_own_steady_ns_per_s"] / 1e7, p["cpu_all_steady_ns_per_s"] / 1e7)
            one_core = p.get("launch_one_core_ms")
            print("%-4s %-14s %16s %16s %15s %8s %8s %9.2f %6.0f ms %9s %15s"
                  % (n, name, cell(p["cpu_own_ns"]), cell(p["cpu_own_ns"] + p["cpu_server_ns"]), steady,
                     "%.1f" % (p["cpu_rest_of_prefix_ns"] / 1e6), "%.1f" % p.get("wakeups_per_s", 0),
                     p["vmhwm_bytes"] / MIB, p["launch_ms"], "-" if one_core is None else "%.0f ms" % one_core,
                     boost))
    print("%-38s %s  %s" % ("target", "  ".join("%-25s" % ("run %d" % n) for n in range(1, len(runs) + 1)),
                            "result"))
    checks = [checks_of(run) for run in runs]
    all_pass = True
    summary = []
    for i, (name, _, _) in enumerate(checks[0]):
        ok = all(c[i][2] for c in checks)
        all_pass = all_pass and ok
        print("%-38s %s  %s" % (name, "  ".join("%-25s" % ("%s %s" % (c[i][1], "ok" if c[i][2] else "MISS"))
                                                 for c in checks), "PASS" if ok else "FAIL"))
        summary.append({"target": name, "runs": [{"figure": c[i][1], "met": c[i][2]} for c in checks],
                        "pass": ok})
    if len(runs) > 1:
        ratios = [r["programs"]["torvane"]["cpu_own_steady_ns_per_s"] / r["programs"]["floor"]["cpu_own_steady_ns_per_s"]
                  for r in runs]
        half = (max(ratios) - min(ratios)) / 2
        ok = half <= RATIO_SPREAD
        all_pass = all_pass and ok
        name = "steady own ratio stable to +-%.1f" % RATIO_SPREAD
        print("%-38s %-25s  %s" % (name, "%.2f .. %.2f: +-%.2f" % (min(ratios), max(ratios), half),
                                   "PASS" if ok else "FAIL"))
        summary.append({"target": name, "ratios": ratios, "pass": ok})
    boosts = [ms for run in runs for ms in run["boost_ms"]]
    result = {"date": datetime.datetime.now().isoformat(timespec="seconds"), "cores": os.cpu_count(),
              "runs": runs, "targets": summary, "pass": all_pass}
    if boosts:  # none in a control run
        print("%-38s %s  %s" % ("boost latency median / worst (figure)",
                                "  ".join("%-25s" % ("%.0f / %.0f ms" % (statistics.median(r["boost_ms"]),
                                                                         max(r["boost_ms"]))) for r in runs),
                                "(no target)"))
        result["boost_ms"] = {"median": statistics.median(boosts), "worst": max(boosts)}
    reported = [ms for run in runs for ms in run.get("boost_reported_ms", [])]
    if reported:
        print("%-38s %s  %s" % ("boost latency, switch reported",
                                "  ".join("%-25s" % ("%.0f / %.0f ms" % (statistics.median(r["boost_reported_ms"]),
                                                                         max(r["boost_reported_ms"])))
                                          for r in runs if r.get("boost_reported_ms")),
                                "(no target)"))
        result["boost_reported_ms"] = {"median": statistics.median(reported), "worst": max(reported)}
    with open(args.out, "w") as f:
        json.dump(result, f, indent=2)
    print("written: %s" % args.out)
    return 0 if all_pass else 1


def thread_cpu(pid):
    """CPU nanoseconds and times put on a CPU of each live thread:
    {(tid, name): (ns, runs)}."""
    threads = {}
    for task in os.listdir("/proc/%d/task" % pid):
        try:
            with open("/proc/%d/task/%s/comm" % (pid, task)) as f:
                name = f.read().strip()
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as f:
                fields = f.read().split()
            threads[(int(task), name)] = (int(fields[0]), int(fields[2]))
        except (OSError, ValueError, IndexError):
            continue
    return threads


def server_requests(lines):
    """Requests by name in a stretch of a wineserver's +server trace: lines
    "tid: name( fields )"; the replies, "tid: name() = status", are not
    counted."""
    counts = {}
    for line in lines:
        m = re.match(r"^[0-9a-f]{4,8}: (\w+)\((.)", line)
        if m and not line[m.end(2) - 1:].startswith(") ="):
            counts[m.group(1)] = counts.get(m.group(1), 0) + 1
    return counts


def trace(args):
    """Where the time goes: each program's threads by CPU, then the
    wineserver requests each one makes per second (WINEDEBUG=+server, traced
    by its own server into the session's wineserver.log)."""
    sessions = dict(s.split("=", 1) for s in args.session)
    base = os.path.join(ROOT, "build/bench/trace-programs")
    envs = {key: dict(os.environ, WINEPREFIX=os.path.join(sessions[key], "prefix")) for key, _, _ in PROGRAMS}
    servers = {key: session_server(sessions[key]) for key, _, _ in PROGRAMS}

    def start_all(extra_env):
        pids, exes = {}, {}
        for key, _, window_class in reversed(PROGRAMS):
            exes[key] = prepare(base, key, args.torvane)
            _, pids[key] = launch(window_class, exes[key], dict(envs[key], **extra_env))
        time.sleep(args.settle)
        return pids, exes

    def end_all(pids, exes):
        for key in pids:
            end_and_wait(pids[key], winpath(exes[key]).encode())

    pids, exes = start_all({})
    before = {key: thread_cpu(pids[key]) for key in pids}
    server_before = {key: cpu_ns(servers[key]) for key in pids}
    time.sleep(args.seconds)
    after = {key: thread_cpu(pids[key]) for key in pids}
    server_after = {key: cpu_ns(servers[key]) for key in pids}
    end_all(pids, exes)
    print("CPU per thread over %.0f s: microseconds and wakeups per second (threads under 1 us/s left out)"
          % args.seconds)
    for key, name, _ in PROGRAMS:
        rows = sorted(((after[key][t][0] - before[key].get(t, (0, 0))[0],
                        after[key][t][1] - before[key].get(t, (0, 0))[1], t) for t in after[key]), reverse=True)
        print("%-14s total %7.1f us/s %6.1f wakeups/s; its wineserver %7.1f us/s" % (
            name, sum(r[0] for r in rows) / 1e3 / args.seconds, sum(r[1] for r in rows) / args.seconds,
            (server_after[key] - server_before[key]) / 1e3 / args.seconds))
        for ns, runs, (tid, comm) in rows:
            if ns / 1e3 / args.seconds >= 1:
                print("    %-18s tid %-8d %7.1f us/s %6.1f wakeups/s" % (comm, tid, ns / 1e3 / args.seconds,
                                                                        runs / args.seconds))

    logs = {key: os.path.join(sessions[key], "wineserver.log") for key in pids}
    pids, exes = start_all({"WINEDEBUG": "+server"})
    offsets = {key: os.path.getsize(logs[key]) for key in pids}
    time.sleep(args.seconds)
    ends = {key: os.path.getsize(logs[key]) for key in pids}
    end_all(pids, exes)
    counts = {}
    for key in pids:
        with open(logs[key], "rb") as f:
            f.seek(offsets[key])
            text = f.read(ends[key] - offsets[key]).decode("utf-8", "replace")
        counts[key] = server_requests(text.splitlines())
    names = sorted(set().union(*counts.values()), key=lambda n: -counts["torvane"].get(n, 0))
    print("wineserver requests per second over %.0f s (WINEDEBUG=+server)" % args.seconds)
    print("%-32s %12s %14s %10s" % ("request", "plain floor", "feature floor", "Torvane"))
    for n in names[:args.top]:
        print("%-32s %12.1f %14.1f %10.1f" % (n, *(counts[k].get(n, 0) / args.seconds
                                                  for k in ("floor", "feature", "torvane"))))
    print("%-32s %12.1f %14.1f %10.1f" % ("all requests", *(sum(counts[k].values()) / args.seconds
                                                            for k in ("floor", "feature", "torvane"))))
    with open(os.path.join(ROOT, "build/bench/trace.json"), "w") as f:
        json.dump({"seconds": args.seconds, "requests": counts}, f, indent=2)
    return 0


def probe(env, label_id=None):
    tool = os.path.join(BENCH_BIN, "tv_bench_probe.exe")
    extra = [str(label_id)] if label_id else []
    out = run_wine([tool, "Torvane.exe"] + extra, timeout=30, env=env)
    figures = dict(re.findall(r"(\w+)=(\S*)", out.stdout))
    if "handles" not in figures:
        raise SystemExit("probe failed: %r %r" % (out.stdout, out.stderr))
    return figures


def soak(args):
    out_dir = os.path.join(ROOT, "build/bench")
    env = dict(os.environ)
    torvane_exe = prepare(os.path.join(out_dir, "soak-programs"), "torvane", args.torvane)
    _, t_pid = launch("TorvaneMainWindow", torvane_exe, env)
    titles = ["记事本 - 浸泡甲", "画图 - 浸泡乙"]
    helpers = [subprocess.Popen([WINE, os.path.join(BENCH_BIN, "tv_bench_window.exe"), t],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) for t in titles]
    samples = []
    switches = ok_switches = 0
    try:
        time.sleep(2)
        t0 = time.monotonic()
        next_sample = 0.0
        while True:
            now = time.monotonic() - t0
            if now >= next_sample - 0.05:
                p = probe(env, BOOST_COUNT_ID)
                st = status(t_pid)
                sample = {"t": round(now), "handles": int(p["handles"]), "gdi": int(p["gdi"]),
                          "user": int(p["user"]), "private_bytes": int(p["private_bytes"]),
                          "vm_rss": st["VmRSS"], "vm_data": st["VmData"], "fds": fd_count(t_pid),
                          "boosts": p.get("label", "")}
                samples.append(sample)
                print("t=%4ds handles=%3d gdi=%4d user=%3d fds=%3d VmRSS=%6d KiB VmData=%7d KiB boosts=%s"
                      % (sample["t"], sample["handles"], sample["gdi"], sample["user"], sample["fds"],
                         sample["vm_rss"] // 1024, sample["vm_data"] // 1024, sample["boosts"]), flush=True)
                sources = "handles from %s, GDI from %s, USER from %s" % (
                    p["handles_from"], p["gdi_from"], p["user_from"])
                next_sample += args.sample
                if next_sample > args.seconds + 0.5:
                    break
            title = titles[switches % 2]
            switches += 1
            r = run_wine([os.path.join(BENCH_BIN, "tv_bench_boost.exe"), title, "1500"], timeout=20, env=env)
            ok_switches += r.returncode == 0
            time.sleep(max(0.0, t0 + switches * args.switch - time.monotonic()))
    finally:
        end_helpers(helpers)
        stop(t_pid, winpath(torvane_exe).encode())

    # Zero growth after the first minute: every later sample at most the
    # sample taken at 60 s. Memory may move by a page or so as the heap
    # settles, so it gets a small allowance.
    base = next(s for s in samples if s["t"] >= args.warmup)
    later = [s for s in samples if s["t"] > base["t"]]
    allowance = {"handles": 0, "gdi": 0, "user": 0, "fds": 0, "vm_rss": 512 * 1024, "vm_data": 512 * 1024}
    checks = []
    for key, allowed in allowance.items():
        peak = max(s[key] for s in later) if later else base[key]
        checks.append({"figure": key, "at_%ds" % base["t"]: base[key], "later_max": peak,
                       "allowed_growth": allowed, "pass": peak - base[key] <= allowed})
    boosts_seen = samples[-1]["boosts"] != samples[0]["boosts"]
    checks.append({"figure": "boosts happened", "first": samples[0]["boosts"], "last": samples[-1]["boosts"],
                   "pass": boosts_seen})
    print("foreground switches boosted within 1.5 s: %d of %d; %s; private bytes: %s"
          % (ok_switches, switches, sources,
             "reported 0 by Wine (GetProcessMemoryInfo), VmData/VmRSS used instead"
             if all(s["private_bytes"] == 0 for s in samples) else "from GetProcessMemoryInfo"))
    for c in checks:
        print("%-16s %s" % (c["figure"], "PASS" if c["pass"] else "FAIL"), {k: v for k, v in c.items()
                                                                          if k not in ("figure", "pass")})
    result = {"samples": samples, "checks": checks, "switches": switches, "switches_ok": ok_switches,
              "sources": sources, "pass": all(c["pass"] for c in checks)}
    with open(os.path.join(out_dir, "soak.json"), "w") as f:
        json.dump(result, f, indent=2, ensure_ascii=False)
    print("written: %s" % os.path.join(out_dir, "soak.json"))
    return 0 if result["pass"] else 1


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    sub = parser.add_subparsers(dest="mode", required=True)
    b = sub.add_parser("bench")
    b.add_argument("--torvane", required=True, help="the Torvane.exe to measure")
    b.add_argument("--session", action="append", required=True,
                   help="KEY=DIR for floor, feature and torvane: the Wine session each runs in")
    b.add_argument("--seconds", type=float, default=100.0, help="CPU measured per program")
    b.add_argument("--settle", type=float, default=8.0)
    b.add_argument("--launches", type=int, default=9)
    b.add_argument("--launches-one-core", type=int, default=5)
    b.add_argument("--window", type=float, default=5.0)
    b.add_argument("--resume", type=float, default=1.0, help="seconds left out after a program resumes")
    b.add_argument("--switches", type=int, default=8)
    b.add_argument("--control", action="store_true",
                   help="a second plain floor in Torvane's place: the gauge's own spread")
    b.add_argument("--out", required=True)
    r = sub.add_parser("report")
    r.add_argument("--out", required=True)
    r.add_argument("runs", nargs="+")
    t = sub.add_parser("trace")
    t.add_argument("--torvane", required=True)
    t.add_argument("--session", action="append", required=True)
    t.add_argument("--seconds", type=float, default=30.0)
    t.add_argument("--settle", type=float, default=8.0)
    t.add_argument("--top", type=int, default=30)
    s = sub.add_parser("soak")
    s.add_argument("--torvane", required=True)
    s.add_argument("--seconds", type=float, default=180.0)
    s.add_argument("--sample", type=float, default=10.0)
    s.add_argument("--switch", type=float, default=2.0)
    s.add_argument("--warmup", type=float, default=60.0)
    args = parser.parse_args()
    return {"bench": bench, "report": report, "trace": trace, "soak": soak}[args.mode](args)


if __name__ == "__main__":
    sys.exit(main())
