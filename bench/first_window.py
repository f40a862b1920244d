#!/usr/bin/python3
"""Whole-process timing of the program to its first windows under Xvfb.

Starts the built program again and again, each time as a new process, and
takes from X the moment each of its windows is first mapped (the main window
and, with a journal file named on the command line, the journal window),
then its peak memory (VmHWM) once it has fallen idle. Every run is ended by
its process id. The runs with a journal file alternate with runs without one
(the program's own start), and with those of another build if one is
named, so that all figures are taken under the same load; medians are
printed side by side:

    main window    178.8 ms   (without journal  100.0 ms)   goal <= 250 ms

Run after a build:
    /usr/bin/python3 bench/first_window.py [--build build] [--against OTHER_BUILD]
                                           [--runs 9] [--mb 20]
Needs: xvfb, python3-xlib (and tools/damaged_data_run.py beside it, whose
Xvfb and /proc helpers it shares).
"""
import argparse
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

from Xlib import X

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import damaged_data_run  # noqa: E402
from damaged_data_run import cpu_seconds, vm_kb  # noqa: E402

MAIN_TITLE = "экзаменационные"
JOURNAL_TITLE = "журнал ошибок"
PROGRAM_FILES = ["quz", "vopros.txt", "koment.txt", "bmp", "emp.bmp", "Help.txt",
                 "Установка!!!.txt"]
INI = "[prg]\r\nfirst=0\r\nbeep=0\r\nbeepErr=0\r\nkoment=0\r\n"


class Screen(damaged_data_run.Screen):
    """A private Xvfb whose top-level maps are watched."""

    def title_of(self, window, pid):
        try:
            owner = window.get_full_property(self.PID, X.AnyPropertyType)
            if not owner or owner.value[0] != pid:
                return None
            name = window.get_full_property(self.NAME, self.UTF8)
            return name.value.decode("utf-8", "replace").lower() if name else ""
        except Exception:
            return None

    def maps(self, pid, started, wanted, limit=20.0):
        """Seconds from `started` to the first map of each title in `wanted`."""
        seen = {}
        end = time.monotonic() + limit
        while len(seen) < len(wanted) and time.monotonic() < end:
            while self.d.pending_events():
                event = self.d.next_event()
                if event.type != X.MapNotify:
                    continue
                at = time.monotonic() - started
                title = self.title_of(event.window, pid)
                for want in wanted:
                    if title is not None and title.startswith(want) and want not in seen:
                        seen[want] = at
            select.select([self.d.fileno()], [], [], 0.05)
        return seen


def page_faults(pid):
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return int(fields[7]) + int(fields[9])
    except (OSError, IndexError, ValueError):
        return 0


def wait_idle(pid, limit=20.0):
    """Until the process has used under 10 ms of processor in 200 ms."""
    end = time.monotonic() + limit
    while time.monotonic() < end:
        before = cpu_seconds(pid)
        time.sleep(0.2)
        after = cpu_seconds(pid)
        if None in (before, after) or after - before < 0.01:
            return


def journal_bytes(megabytes):
    """A journal as runs write it: a start entry, then error entries."""
    lines = []
    size = 0
    i = 0
    while size < megabytes * 1024 * 1024:
        if i % 1000 == 0:
            line = "Старт 07.12.2026 0:08:40 Билет 01"
        else:
            line = f"-> {i % 40 + 1:02d} вопрос {i % 20 + 1:02d}"
        data = (line + "\r\n").encode("cp1251")
        lines.append(data)
        size += len(data)
        i += 1
    return b"".join(lines)


def run_once(screen, pd, args):
    env = dict(os.environ, DISPLAY=screen.name, QT_QPA_PLATFORM="xcb",
               XDG_RUNTIME_DIR=tempfile.gettempdir())
    wanted = [MAIN_TITLE] + ([JOURNAL_TITLE] if args else [])
    screen.d.sync()
    while screen.d.pending_events():
        screen.d.next_event()
    started = time.monotonic()
    proc = subprocess.Popen([os.path.join(pd, "quz")] + args, cwd=pd, env=env,
                            start_new_session=True, stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    try:
        seen = screen.maps(proc.pid, started, wanted)
        wait_idle(proc.pid)
        seen["cpu"] = cpu_seconds(proc.pid) or 0
        seen["faults"] = page_faults(proc.pid)
        peak = vm_kb(proc.pid)
    finally:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
    return seen, peak


def program_folder(build_bin, folder, journal):
    os.mkdir(folder)
    for item in PROGRAM_FILES:
        src = os.path.join(build_bin, item)
        if os.path.isdir(src):
            shutil.copytree(src, os.path.join(folder, item))
        elif os.path.exists(src):
            shutil.copy2(src, os.path.join(folder, item))
    with open(os.path.join(folder, "big.quz"), "wb") as f:
        f.write(journal)


def report(label, rows, size_mb):
    def median(kind, key, scale=1000):
        values = [seen[key] * scale for seen, _ in rows[kind] if key in seen]
        return statistics.median(values) if values else float("nan")

    def peak_mb(kind):
        return statistics.median(p for _, p in rows[kind]) / 1024

    extra = peak_mb("with") - peak_mb("without")
    print(label)
    print(f"  main window    {median('with', MAIN_TITLE):7.1f} ms   "
          f"(without journal {median('without', MAIN_TITLE):6.1f} ms)   goal <= 250 ms")
    print(f"  journal window {median('with', JOURNAL_TITLE):7.1f} ms")
    print(f"  processor time {median('with', 'cpu'):7.1f} ms   (without journal "
          f"{median('without', 'cpu'):6.1f} ms; until idle, at 10 ms ticks)")
    print(f"  page faults    {median('with', 'faults', 1):7.0f}      (without journal "
          f"{median('without', 'faults', 1):6.0f})")
    print(f"  peak memory    {peak_mb('with'):7.1f} MB   (without journal "
          f"{peak_mb('without'):6.1f} MB)   journal's share {extra:.1f} MB = "
          f"{extra / size_mb:.2f}x the file   goal <= 2.5x")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(os.path.dirname(__file__), "..", "build"))
    parser.add_argument("--against", help="another build folder, run in turn with this one")
    parser.add_argument("--runs", type=int, default=9)
    parser.add_argument("--mb", type=float, default=20)
    opts = parser.parse_args()
    builds = [("this build", opts.build)] + ([("against", opts.against)] if opts.against else [])
    for _, build in builds:
        if not os.access(os.path.join(build, "bin", "quz"), os.X_OK):
            sys.exit(f"no program at {build}/bin/quz: build first")

    journal = journal_bytes(opts.mb)
    work = tempfile.mkdtemp(prefix="quz-first-window-")
    folders = []
    for n, (_, build) in enumerate(builds):
        folders.append(os.path.join(work, f"program{n}"))
        program_folder(os.path.join(build, "bin"), folders[-1], journal)
    screen = Screen(number=77)
    rows = [{"with": [], "without": []} for _ in builds]
    try:
        for i in range(opts.runs + 1):
            for n, pd in enumerate(folders):
                for kind, args in (("with", ["big.quz"]), ("without", [])):
                    with open(os.path.join(pd, "quz.ini"), "wb") as f:
                        f.write(INI.encode("cp1251"))
                    seen, peak = run_once(screen, pd, args)
                    if i > 0:  # the first round warms the file cache
                        rows[n][kind].append((seen, peak))
    finally:
        screen.stop()
        shutil.rmtree(work, ignore_errors=True)

    size_mb = len(journal) / (1024 * 1024)
    print(f"journal {size_mb:.1f} MB, {opts.runs} runs each, in turn, medians")
    for (label, build), result in zip(builds, rows):
        report(f"{label} ({build})", result, size_mb)


if __name__ == "__main__":
    main()
