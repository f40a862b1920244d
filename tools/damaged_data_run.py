#!/usr/bin/python3
"""Runs the built program on damaged and hostile files, as a user would meet
them, and checks that it never hangs, never grows large and never loses or
half-writes its settings file.

Each case copies the program folder (build/bin) to a temporary folder, plants
its damage there, starts the real program under a private Xvfb (xcb
platform, no window manager) and then:
  - closes every message box as a user would (WM_DELETE_WINDOW = its OK),
  - waits for the main window and for the program to fall idle (its
    processor time standing still while it waits for events): time to
    window,
  - performs the case's actions (click "Старт", F1 for the comment, answer),
    each followed by the same wait, so a frozen window shows as a hang,
  - closes the main window (or kills the program during the close),
  - reads the peak memory (VmHWM) while the program runs, and checks the
    settings file and the folder afterwards.
A hang is any wait above 10 s; a process above 600 MB fails too.

Run by hand (not by CI) after a build:
    /usr/bin/python3 tools/damaged_data_run.py [--build build] [--only WORD] [--kills 12]
Needs: xvfb, python3-xlib. Prints one table row per case and a summary;
exits 1 when a case failed.
"""
import argparse
import os
import random
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time

from Xlib import X, display as xdisplay, protocol, XK
from Xlib.ext import xtest

HANG_S = 10.0
LIMIT_KB = 600 * 1024
TICKET = "билет".encode("cp1251")
MAIN_TITLE = "экзаменационные билеты"
PROGRAM_FILES = ["quz", "vopros.txt", "koment.txt", "bmp", "emp.bmp", "Help.txt",
                 "Установка!!!.txt"]


# ---------------------------------------------------------------- X helpers

class Screen:
    """A private Xvfb and a connection to it."""

    def __init__(self, number=71, size="1280x1024"):
        self.name = f":{number}"
        self.server = subprocess.Popen(
            ["Xvfb", self.name, "-screen", "0", size + "x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
        for _ in range(100):
            try:
                self.d = xdisplay.Display(self.name)
                break
            except Exception:
                time.sleep(0.05)
        else:
            raise RuntimeError("Xvfb did not start")
        self.root = self.d.screen().root
        self.root.change_attributes(event_mask=X.SubstructureNotifyMask)
        a = self.d.intern_atom
        self.WM_PROTOCOLS = a("WM_PROTOCOLS")
        self.WM_DELETE = a("WM_DELETE_WINDOW")
        self.PID = a("_NET_WM_PID")
        self.NAME = a("_NET_WM_NAME")
        self.UTF8 = a("UTF8_STRING")
        self.TYPE = a("_NET_WM_WINDOW_TYPE")
        self.DIALOG = a("_NET_WM_WINDOW_TYPE_DIALOG")

    def stop(self):
        self.d.close()
        os.killpg(self.server.pid, signal.SIGTERM)
        self.server.wait()

    def windows(self, pid):
        """Viewable top-level windows of the process: [(window, title, is_dialog)]."""
        found = []
        try:
            children = self.root.query_tree().children
        except Exception:
            return found
        for w in children:
            try:
                prop = w.get_full_property(self.PID, X.AnyPropertyType)
                if not prop or prop.value[0] != pid:
                    continue
                if w.get_attributes().map_state != X.IsViewable:
                    continue
                name = w.get_full_property(self.NAME, self.UTF8)
                title = name.value.decode("utf-8", "replace") if name else ""
                kind = w.get_full_property(self.TYPE, X.AnyPropertyType)
                dialog = bool(kind) and self.DIALOG in list(kind.value)
                found.append((w, title, dialog))
            except Exception:
                continue
        return found

    def send(self, window, atom, extra=0):
        event = protocol.event.ClientMessage(
            window=window, client_type=self.WM_PROTOCOLS,
            data=(32, [atom, X.CurrentTime, extra or window.id, 0, 0]))
        window.send_event(event, event_mask=X.NoEventMask)
        self.d.flush()

    def close(self, window):
        self.send(window, self.WM_DELETE)

    def click(self, window, x, y):
        g = window.get_geometry()
        pos = window.translate_coords(self.root, 0, 0)
        xtest.fake_input(self.d, X.MotionNotify, x=-pos.x + x, y=-pos.y + y)
        xtest.fake_input(self.d, X.ButtonPress, 1)
        xtest.fake_input(self.d, X.ButtonRelease, 1)
        self.d.flush()
        return g

    def key(self, name):
        code = self.d.keysym_to_keycode(XK.string_to_keysym(name))
        xtest.fake_input(self.d, X.KeyPress, code)
        xtest.fake_input(self.d, X.KeyRelease, code)
        self.d.flush()


def cpu_seconds(pid):
    try:
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    except (OSError, IndexError, ValueError):
        return None


def vm_kb(pid, field="VmHWM:"):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith(field):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


# ----------------------------------------------------------- data makers

def record(t, q, answer, question, variants, blank=True):
    text = f"билет{t:02d}{q:02d}{answer}\r\n{question}\r\n" + "".join(v + "\r\n" for v in variants)
    return (text + ("\r\n" if blank else "")).encode("cp1251")


def bank():
    out = [record(t, q, 1, f"Вопрос {q} билета {t}?", ["Верно", "Неверно А", "Неверно Б"])
           for t in range(1, 41) for q in range(1, 21)]
    return b"".join(out) + "билет конец\r\n".encode("cp1251")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)  # path: str or bytes
    with open(path, "wb") as f:
        f.write(data)


def sparse(path, size):
    with open(path, "wb") as f:
        f.truncate(size)


def jpeg(path, width, height, progressive=False):
    """A real JPEG of the given size, made by ImageMagick (plain colour: small file)."""
    args = ["convert", "-size", f"{width}x{height}", "xc:#4060a0", "-quality", "50"]
    if progressive:
        args += ["-interlace", "Plane"]
    subprocess.run(args + [path], check=True)


def jpeg_header_claiming(path, source, width, height):
    data = bytearray(open(source, "rb").read())
    sof = data.find(b"\xff\xc0")
    if sof < 0:
        sof = data.find(b"\xff\xc2")
    struct.pack_into(">HH", data, sof + 5, height, width)
    write(path, bytes(data))


def settings(pd, text):
    write(os.path.join(pd, "quz.ini"), text.encode("cp1251"))


USER_INI = ("[SCR]\r\nleft=40\r\ntop=30\r\nheight=472\r\nwidth=610\r\n[prg]\r\nnBilet=01\r\n"
            "nVopros=01\r\nst=1\r\nen=20\r\nrnd=0\r\nares=0\r\nbeep=0\r\nbeepErr=0\r\n"
            "koment=0\r\nfirst=0\r\n; user's note\r\n")


# ----------------------------------------------------------------- cases

class Case:
    def __init__(self, name, plant, actions=(), args=(), expect="written", kill=False,
                 boxes=None, limit_mb=None):
        self.name = name
        self.plant = plant          # plant(pd): makes the damage
        self.actions = list(actions)
        self.args = list(args)
        # What the settings file must be after the close: "written" (a
        # complete new file), "unchanged" (byte for byte), "either" (kill
        # during the close: old or complete new).
        self.expect = expect
        self.kill = kill  # False, True (after 0..20 ms) or "writing" (see Program.finish)
        self.boxes = boxes  # the number of message boxes the case must show, when it matters
        self.limit_mb = limit_mb  # a peak memory bound of its own, below the general one


def cases(work, kills):
    c = []
    ini = lambda pd, extra="": settings(pd, USER_INI + extra)  # noqa: E731
    run = ["start", "answer", "F1", "stop"]

    c.append(Case("baseline: demonstration data", lambda pd: ini(pd), run))
    # Question files.
    c.append(Case("vopros.txt: 1 MB of random bytes",
                  lambda pd: (ini(pd), write(pd + "/vopros.txt", os.urandom(1 << 20))), run))
    c.append(Case("vopros.txt: 64 MB of random bytes (at the limit)",
                  lambda pd: (ini(pd), write(pd + "/vopros.txt", os.urandom(64 << 20))), run))
    c.append(Case("vopros.txt: 65 MB (over the limit)",
                  lambda pd: (ini(pd), sparse(pd + "/vopros.txt", 65 << 20)), run))
    c.append(Case("vopros.txt: 32 MB of NUL bytes",
                  lambda pd: (ini(pd), sparse(pd + "/vopros.txt", 32 << 20)), run))
    c.append(Case("vopros.txt: 64 MB of line feeds",
                  lambda pd: (ini(pd), write(pd + "/vopros.txt", b"\n" * (64 << 20))), run))
    c.append(Case("vopros.txt: one line of 60 MB",
                  lambda pd: (ini(pd), write(pd + "/vopros.txt",
                                             record(1, 1, 1, "x" * (60 << 20), ["a", "b"]))), run))
    c.append(Case("vopros.txt: variant list that never ends",
                  lambda pd: (ini(pd), write(pd + "/vopros.txt", record(1, 1, 1, "Q?", [])
                                             + b"plain line\r\n" * 800000)), run))
    c.append(Case("vopros.txt: a folder",
                  lambda pd: (ini(pd), os.remove(pd + "/vopros.txt"),
                              os.mkdir(pd + "/vopros.txt")), run))
    c.append(Case("vopros.txt: a named pipe",
                  lambda pd: (ini(pd), os.remove(pd + "/vopros.txt"),
                              os.mkfifo(pd + "/vopros.txt")), run))
    c.append(Case("vopros.txt: missing",
                  lambda pd: (ini(pd), os.remove(pd + "/vopros.txt")), run))
    # Comment files.
    c.append(Case("koment.txt: comment running over 60 MB",
                  lambda pd: (ini(pd), write(pd + "/koment.txt", b"t\r\n" + TICKET + b"01\r\n1. "
                                             + b"comment line\r\n" * (4 << 20) + b"2. end\r\n")),
                  run))
    c.append(Case("koment.txt: 64 MB of random bytes",
                  lambda pd: (ini(pd), write(pd + "/koment.txt", os.urandom(64 << 20))), run))
    c.append(Case("koment.txt: a folder",
                  lambda pd: (ini(pd), os.remove(pd + "/koment.txt"),
                              os.mkdir(pd + "/koment.txt")), run))
    # Pictures.
    c.append(Case("picture: header claiming 65500 x 65500",
                  lambda pd: (ini(pd), jpeg_header_claiming(pd + "/bmp/Quz_1_1.jpg",
                                                            pd + "/bmp/Quz_1_10.jpg", 65500,
                                                            65500)), run))
    c.append(Case("picture: real 8000 x 4000 baseline",
                  lambda pd: (ini(pd), jpeg(pd + "/bmp/Quz_1_1.jpg", 8000, 4000)), run))
    c.append(Case("picture: real 5700 x 5700 progressive",
                  lambda pd: (ini(pd), jpeg(pd + "/bmp/Quz_1_1.jpg", 5700, 5700, True)), run))
    c.append(Case("picture: 65 MB file",
                  lambda pd: (ini(pd), sparse(pd + "/bmp/Quz_1_1.jpg", 65 << 20)), run))
    c.append(Case("picture: random bytes, a folder for the next",
                  lambda pd: (ini(pd), write(pd + "/bmp/Quz_1_1.jpg", os.urandom(1 << 20)),
                              os.mkdir(pd + "/bmp/Quz_1_2.jpg")), run))
    c.append(Case("emp.bmp: header claiming 30000 x 30000",
                  lambda pd: (ini(pd), write(pd + "/emp.bmp", b"BM" + struct.pack(
                      "<IHHIIiiHHIIiiII", 54 + 16, 0, 0, 54, 40, 30000, 30000, 1, 24, 0, 16,
                      0, 0, 0, 0) + b"\0" * 16)), run))
    # Install notes (sample picture missing).
    no_sample = lambda pd: os.remove(pd + "/bmp/Quz_1_10.jpg")  # noqa: E731
    c.append(Case("notes: 200 lines",
                  lambda pd: (ini(pd), no_sample(pd), write(
                      pd + "/Установка!!!.txt",
                      "Скопируйте папку bmp рядом с программой.\r\n".encode("cp1251") * 200)),
                  run))
    c.append(Case("notes: 5 MB",
                  lambda pd: (ini(pd), no_sample(pd), write(
                      pd + "/Установка!!!.txt", (b"n" * 98 + b"\r\n") * 52000)), run))
    c.append(Case("notes: 16 MB of line feeds",
                  lambda pd: (ini(pd), no_sample(pd), write(pd + "/Установка!!!.txt",
                                                            b"\n" * (16 << 20))), run))
    c.append(Case("notes: 16 MB in one line",
                  lambda pd: (ini(pd), no_sample(pd), write(pd + "/Установка!!!.txt",
                                                            b"w" * (16 << 20))), run))
    c.append(Case("notes and sample picture missing: user's settings kept",
                  lambda pd: (ini(pd), no_sample(pd), os.remove(pd + "/Установка!!!.txt")),
                  [], expect="unchanged"))
    c.append(Case("notes: 17 MB (over the limit): user's settings kept",
                  lambda pd: (ini(pd), no_sample(pd), sparse(pd + "/Установка!!!.txt", 17 << 20)),
                  [], expect="unchanged"))
    # Journal on the command line.
    c.append(Case("journal: 4 MB on the command line",
                  lambda pd: (ini(pd), write(pd + "/big.quz", (b"j" * 40 + b"\r\n") * 99000)),
                  [], args=["big.quz"]))
    c.append(Case("journal: 16 MB on the command line",
                  lambda pd: (ini(pd), write(pd + "/big.quz", (b"j" * 40 + b"\r\n") * 396000)),
                  [], args=["big.quz"]))
    c.append(Case("journal: 64 MB on the command line",
                  lambda pd: (ini(pd), write(pd + "/big.quz", (b"j" * 40 + b"\r\n") * 1570000)),
                  [], args=["big.quz"]))
    c.append(Case("journal: a folder on the command line",
                  lambda pd: (ini(pd), os.mkdir(pd + "/dir.quz")), [], args=["dir.quz"]))
    # Journals with long lines: the window paints a bounded start of each
    # line, so none freezes it; memory at most about 4x the file.
    c.append(Case("journal: one line of 50 MB on the command line",
                  lambda pd: (ini(pd), write(pd + "/long.quz", b"-> 01 " + b"x" * (50 << 20)
                                             + b"\r\n")),
                  run, args=["long.quz"], boxes=0, limit_mb=40 + 4 * 50))
    c.append(Case("journal: one line of 5 MB on the command line",
                  lambda pd: (ini(pd), write(pd + "/long.quz", b"y" * (5 << 20))),
                  run, args=["long.quz"], boxes=0, limit_mb=40 + 4 * 5))
    c.append(Case("journal: 30 lines of 0.5 MB on the command line",
                  lambda pd: (ini(pd), write(pd + "/long.quz",
                                             (b"z" * (512 << 10) + b"\r\n") * 30)),
                  run, args=["long.quz"], boxes=0, limit_mb=40 + 4 * 15))
    # NUL bytes, UTF-16 and random bytes: every line loads (no NUL ends the
    # file any more), nothing freezes.
    c.append(Case("journal: NUL bytes between its lines",
                  lambda pd: (ini(pd), write(pd + "/nul.quz", ("-> 01 вопрос 02\r\n".encode("cp1251")
                                                              + b"\0" * 100 + b"\r\n") * 10000)),
                  run, args=["nul.quz"], boxes=0))
    c.append(Case("journal: UTF-16 with its mark",
                  lambda pd: (ini(pd), write(pd + "/utf16.quz", "-> 01 вопрос 02\r\nСтарт\r\n"
                                             .encode("utf-16") * 20000)),
                  run, args=["utf16.quz"], boxes=0))
    c.append(Case("journal: 64 MB of random bytes on the command line",
                  lambda pd: (ini(pd), write(pd + "/random.quz", os.urandom(64 << 20))),
                  run, args=["random.quz"], boxes=0, limit_mb=40 + 4 * 64))
    # A journal named in Windows-1251 (an archive made on Windows) loads
    # without a message.
    cp1251_name = "журнал.quz".encode("cp1251")
    c.append(Case("journal: a name in Windows-1251 on the command line",
                  lambda pd: (ini(pd), write(os.fsencode(pd) + b"/" + cp1251_name,
                                             "-> 01 вопрос 02\r\n".encode("cp1251"))),
                  run, args=[cp1251_name], boxes=0))
    # Settings files.
    c.append(Case("settings: width=999999 height=999999",
                  lambda pd: settings(pd, USER_INI.replace("height=472", "height=999999")
                                      .replace("width=610", "width=999999")), run))
    c.append(Case("settings: window far off the screen",
                  lambda pd: settings(pd, USER_INI.replace("left=40", "left=-99999")
                                      .replace("top=30", "top=99999")), run))
    c.append(Case("settings: every number at the 32-bit limits",
                  lambda pd: settings(pd, "[SCR]\r\nleft=2147483647\r\ntop=-2147483648\r\n"
                                      "height=2147483647\r\nwidth=-2147483648\r\n"
                                      "left2=2147483647\r\nwidth3=2147483647\r\n[prg]\r\n"
                                      "nBilet=2147483647\r\nnVopros=2147483647\r\n"
                                      "st=2147483647\r\nen=2147483647\r\nfirst=2147483647\r\n"),
                  run))
    c.append(Case("settings: 1 MB of random bytes: kept",
                  lambda pd: write(pd + "/quz.ini", os.urandom(1 << 20)), run, expect="unchanged"))
    c.append(Case("settings: 300 KB of random bytes",
                  lambda pd: write(pd + "/quz.ini", os.urandom(300 << 10)), run))
    c.append(Case("settings: 5 MB (over the limit): kept",
                  lambda pd: write(pd + "/quz.ini", USER_INI.encode() + b";" * (5 << 20)), run,
                  expect="unchanged"))
    c.append(Case("settings: 1 MB of line feeds: kept",
                  lambda pd: write(pd + "/quz.ini", b"\n" * (1 << 20)), run, expect="unchanged"))
    c.append(Case("settings: NUL-filled",
                  lambda pd: write(pd + "/quz.ini", b"\0" * 100000), run))
    c.append(Case("settings: a folder",
                  lambda pd: os.mkdir(pd + "/quz.ini"), run, expect="folder"))
    c.append(Case("settings: read-only: kept",
                  lambda pd: (ini(pd), os.chmod(pd + "/quz.ini", 0o444)), run,
                  expect="unchanged"))
    c.append(Case("settings: symbolic link: target written, link kept",
                  lambda pd: (os.mkdir(pd + "/cfg"), settings(pd + "/cfg", USER_INI),
                              os.symlink("cfg/quz.ini", pd + "/quz.ini")), run))
    c.append(Case("settings: on a full disk: kept",
                  lambda pd: full_disk_settings(pd, work), run, expect="unchanged"))
    c.append(Case("settings: stale temporary files of a crash",
                  lambda pd: (ini(pd), write(pd + "/quz.ini.999999-Ab12Cd.tmp", b"[SCR]\r\nle"),
                              os.utime(pd + "/quz.ini.999999-Ab12Cd.tmp", (1, 1))), run))
    # Half of the kills at a random moment of the close, half while the new
    # settings file is being written (fsync made slow by a preloaded library).
    for i in range(kills):
        writing = i % 2 == 1
        c.append(Case(f"kill during the close #{i + 1}" + (" (while writing)" if writing else ""),
                      lambda pd: ini(pd), ["start", "answer"], expect="either",
                      kill="writing" if writing else True))
    return c


MOUNTS = []

SLOW_FSYNC = r"""
#define _GNU_SOURCE
#include <dlfcn.h>
#include <unistd.h>
/* fsync() that first waits 300 ms: the program is then sure to be killed
   while its new settings file is half done. */
int fsync(int fd)
{
    static int (*real)(int);
    if (!real)
        real = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
    usleep(300000);
    return real(fd);
}
"""


def slow_fsync_library(work):
    """A preload library with a slow fsync(), or None without a C compiler."""
    source = os.path.join(work, "slow_fsync.c")
    library = os.path.join(work, "slow_fsync.so")
    with open(source, "w") as f:
        f.write(SLOW_FSYNC)
    made = subprocess.run(["cc", "-shared", "-fPIC", "-o", library, source, "-ldl"],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return library if made.returncode == 0 else None


def full_disk_settings(pd, work):
    """The settings file, through a link, on a file system that is full."""
    mount = os.path.join(work, f"full{len(MOUNTS)}")
    os.mkdir(mount)
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", mount], check=True)
    MOUNTS.append(mount)
    settings(mount, USER_INI)
    try:
        with open(os.path.join(mount, "filler"), "wb") as f:
            while True:
                f.write(b"\0" * 4096)
                f.flush()
    except OSError:
        pass
    os.symlink(os.path.join(mount, "quz.ini"), pd + "/quz.ini")


# ----------------------------------------------------------------- runner

class Result:
    def __init__(self, name):
        self.name = name
        self.window_s = None
        self.peak_kb = 0
        self.boxes = 0
        self.problems = []
        self.note = ""


def settings_state(pd):
    path = os.path.join(pd, "quz.ini")
    if os.path.isdir(path):
        return ("folder", None)
    try:
        with open(path, "rb") as f:
            return ("file", f.read())
    except OSError:
        return ("none", None)


def complete(data):
    """Whether `data` is a settings file that a close wrote whole."""
    if data is None or not data.endswith(b"\r\n"):
        return False
    for key in (b"\r\nleft=", b"\r\nwidth=", b"nBilet=", b"koment=", b"first=0\r\n"):
        if key not in b"\r\n" + data:
            return False
    return True


def temporaries(pd):
    folders = {pd, os.path.dirname(os.path.realpath(os.path.join(pd, "quz.ini")))}
    stray = []
    for folder in folders:
        if os.path.isdir(folder):
            stray += [n for n in os.listdir(folder) if re.match(r"quz\.ini\..*\.tmp$", n)]
    return stray


class Program:
    """One start of the program in `pd` on `screen`."""

    def __init__(self, screen, pd, args, result, preload=None):
        self.s = screen
        self.r = result
        self.pd = pd
        env = dict(os.environ, DISPLAY=screen.name, QT_QPA_PLATFORM="xcb",
                   XDG_RUNTIME_DIR=tempfile.gettempdir())
        if preload:
            env["LD_PRELOAD"] = preload
        self.proc = subprocess.Popen(
            [os.fsencode(os.path.join(pd, "quz"))] + [os.fsencode(a) for a in args], cwd=pd, start_new_session=True,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
        self.pid = self.proc.pid
        self.started = time.monotonic()
        self.main = None
        self.mapped_s = None  # when the main window was first seen

    def sample(self):
        self.r.peak_kb = max(self.r.peak_kb, vm_kb(self.pid))

    def pump(self, until, limit=HANG_S):
        """Closes boxes until until() holds; False on a hang or an early end."""
        end = time.monotonic() + limit
        while time.monotonic() < end:
            self.sample()
            if self.proc.poll() is not None:
                return until()
            wins = self.s.windows(self.pid)
            dialogs = [w for w, _t, d in wins if d]
            for w in dialogs:
                # Give a box a moment to be painted, as a reader would.
                time.sleep(0.05)
                self.s.close(w)
                self.r.boxes += 1
                time.sleep(0.05)
            if not dialogs:
                mains = [w for w, t, _d in wins if t.lower().startswith(MAIN_TITLE)]
                self.main = mains[0] if mains else self.main
                if self.main is not None and self.mapped_s is None:
                    self.mapped_s = time.monotonic() - self.started
                if until():
                    return True
            time.sleep(0.02)
        return False

    def responsive(self):
        """Waits until the program falls idle (under a tenth of a processor
        over 0.3 s) with its main window up, closing boxes meanwhile; False
        after HANG_S."""
        end = time.monotonic() + HANG_S
        while time.monotonic() < end:
            if not self.pump(lambda: True, limit=1) or self.proc.poll() is not None:
                return False
            before = cpu_seconds(self.pid)
            time.sleep(0.3)
            self.sample()
            after = cpu_seconds(self.pid)
            if None in (before, after):
                return False
            if self.main is not None and after - before < 0.03 \
                    and not any(d for _w, _t, d in self.s.windows(self.pid)):
                return True
        return False

    def act(self, action):
        g = self.main.get_geometry()
        if action in ("start", "stop"):
            self.s.click(self.main, g.width - 70, g.height - 38)
        elif action == "answer":
            self.s.key("1")
        else:
            self.s.key(action)
        time.sleep(0.05)

    def finish(self, kill):
        if self.proc.poll() is not None:
            return True
        if self.main is None:
            os.killpg(self.pid, signal.SIGKILL)
            self.proc.wait()
            return False
        self.s.close(self.main)
        if kill:
            # "writing": in the middle of the slowed fsync() of the new
            # settings, after it was written out and before it replaces the
            # old file.
            time.sleep(0.15 if kill == "writing" else random.uniform(0, 0.02))
            self.sample()
            os.killpg(self.pid, signal.SIGKILL)
            self.proc.wait()
            return True
        ended = self.pump(lambda: self.proc.poll() is not None)
        if not ended:
            os.killpg(self.pid, signal.SIGKILL)
            self.proc.wait()
        return ended


def run_case(screen, case, root, build_bin, slow_fsync):
    r = Result(case.name)
    pd = tempfile.mkdtemp(prefix="case-", dir=root)
    for item in PROGRAM_FILES:
        src = os.path.join(build_bin, item)
        if os.path.isdir(src):
            shutil.copytree(src, os.path.join(pd, item))
        elif os.path.exists(src):
            shutil.copy2(src, os.path.join(pd, item))
    case.plant(pd)
    before = settings_state(pd)
    link_before = os.path.islink(os.path.join(pd, "quz.ini"))

    p = Program(screen, pd, case.args, r,
                slow_fsync if case.kill == "writing" else None)
    if not p.pump(lambda: p.main is not None) or not p.responsive():
        r.problems.append("no responsive main window within 10 s")
    else:
        r.window_s = p.mapped_s
        for action in case.actions:
            p.act(action)
            if not p.responsive():
                r.problems.append(f"hang after '{action}'")
                break
    if not p.finish(case.kill):
        r.problems.append("did not end within 10 s of the close")
    if r.peak_kb > LIMIT_KB or (case.limit_mb and r.peak_kb > case.limit_mb * 1024):
        r.problems.append(f"peak {r.peak_kb // 1024} MB")
    if case.boxes is not None and r.boxes != case.boxes:
        r.problems.append(f"{r.boxes} message boxes, not {case.boxes}")

    after = settings_state(pd)
    if case.expect == "unchanged" and after != before:
        r.problems.append("settings file changed")
    elif case.expect == "written" and not (after[0] == "file" and complete(after[1])):
        r.problems.append("settings file not written whole")
    elif case.expect == "folder" and after[0] != "folder":
        r.problems.append("settings folder replaced")
    elif case.expect == "either":
        if not (after == before or (after[0] == "file" and complete(after[1]))):
            r.problems.append("settings file half-written or lost")
        r.note = "old file kept" if after == before else "new file whole"
        if temporaries(pd):
            r.note += ", temporary file left (removed by the next close)"
        # The next start and close must clean up what the kill left.
        again = Program(screen, pd, [], Result(case.name))
        if again.pump(lambda: again.main is not None) and again.responsive():
            again.finish(False)
        else:
            again.finish(True)
            r.problems.append("restart after the kill failed")
        state = settings_state(pd)
        if not (state[0] == "file" and complete(state[1])):
            r.problems.append("settings file not whole after the restart")
    if link_before and not os.path.islink(os.path.join(pd, "quz.ini")):
        r.problems.append("symbolic link replaced")
    stray = temporaries(pd)
    if stray:
        r.problems.append("stray temporary files: " + ", ".join(stray))
    shutil.rmtree(pd, ignore_errors=True)
    return r


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default=os.path.join(os.path.dirname(__file__), "..", "build"))
    parser.add_argument("--only", default="")
    parser.add_argument("--kills", type=int, default=12)
    opts = parser.parse_args()
    build_bin = os.path.join(opts.build, "bin")
    if not os.access(os.path.join(build_bin, "quz"), os.X_OK):
        sys.exit(f"no program at {build_bin}/quz: build first")

    random.seed(20040101)
    work = tempfile.mkdtemp(prefix="quz-damaged-")
    screen = Screen()
    slow_fsync = slow_fsync_library(work)
    results = []
    try:
        for case in cases(work, opts.kills):
            if opts.only and opts.only.lower() not in case.name.lower():
                continue
            r = run_case(screen, case, work, build_bin, slow_fsync)
            results.append(r)
            shown = f"{r.window_s:5.2f}" if r.window_s is not None else "   - "
            print(f"| {r.name:<55} | {shown} s | {r.peak_kb / 1024:6.1f} MB | {r.boxes:2d} | "
                  f"{('ok' + (': ' + r.note if r.note else '')) if not r.problems else 'FAIL: ' + '; '.join(r.problems)} |",
                  flush=True)
    finally:
        screen.stop()
        for mount in MOUNTS:
            subprocess.run(["umount", mount])
        shutil.rmtree(work, ignore_errors=True)
    failed = [r for r in results if r.problems]
    print(f"\n{len(results)} cases, {len(failed)} failed; slowest window "
          f"{max((r.window_s or 0) for r in results):.2f} s, largest peak "
          f"{max(r.peak_kb for r in results) / 1024:.1f} MB")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
