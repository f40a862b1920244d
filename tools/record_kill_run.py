#!/usr/bin/python3
"""Kills programs that write the learning record at random moments while
they write, and checks the database after every kill.

Each round starts two writers on the same database, as quz and quz-exam
would run side by side (build/bench/record_writer: it hands an answer or a
whole exam to the record's API every 2-20 ms, far faster than a person
answers, and prints the number of every item it handed over), kills each of
them with SIGKILL at a random moment, and then opens the database as the
next program start would and checks that:
  - PRAGMA integrity_check says "ok";
  - every item a writer handed over is there, except at most the last one
    (the answer being written when it was killed), and nothing after it;
    items that are there form an unbroken run from the first;
  - every exam that is there has all its 20 answers (an exam is written as
    one transaction);
  - the per-question summaries count exactly the answers that are there.
The first round creates the database, so kills also land in its creation.

Run by hand (not by CI) after a build:
    /usr/bin/python3 tools/record_kill_run.py [--build build] [--rounds 40] [--seed N]
Prints one line per round and a summary; exits 1 when a round failed.
"""
import argparse
import os
import random
import signal
import sqlite3
import subprocess
import sys
import tempfile
import threading
import time

ROUND_SPAN = 10_000_000  # the item numbers of one writer in one round


class Writer:
    """One record_writer process and the last item number it printed."""

    def __init__(self, exe, folder, base, program, seed):
        self.base = base
        self.program = program
        self.handed = 0
        self.proc = subprocess.Popen([exe, folder, str(base), program, str(seed)],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                     text=True)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.proc.stdout:
            if line.startswith("handed "):
                self.handed = int(line.split()[1])

    def kill(self):
        self.proc.send_signal(signal.SIGKILL)
        self.proc.wait()
        self.reader.join()


def items_of(con, writer):
    """The item numbers of the writer found in the database, and the exams
    among them that lack answers."""
    low, high = writer.base, writer.base + ROUND_SPAN
    answers = {row[0] - low for row in con.execute(
        "SELECT answered_at FROM answers WHERE exam_id IS NULL AND program = ?"
        " AND answered_at > ? AND answered_at < ?", (writer.program, low, high))}
    exams = con.execute(
        "SELECT e.started_at, (SELECT count(*) FROM answers a WHERE a.exam_id = e.id)"
        " FROM exams e WHERE e.program = ? AND e.started_at > ? AND e.started_at < ?",
        (writer.program, low, high)).fetchall()
    partial = [at - low for at, count in exams if count != 20]
    return answers | {at - low for at, _ in exams}, partial


def check(path, writers):
    problems = []
    con = sqlite3.connect(path, timeout=10)
    try:
        integrity = con.execute("PRAGMA integrity_check").fetchone()[0]
        if integrity != "ok":
            problems.append("integrity_check: " + integrity)
        counted = con.execute("SELECT coalesce(sum(asked), 0) FROM question_stats").fetchone()[0]
        total = con.execute("SELECT count(*) FROM answers").fetchone()[0]
        if counted != total:
            problems.append(f"summaries count {counted} answers, the table holds {total}")
        losses = []
        for w in writers:
            items, partial = items_of(con, w)
            written = max(items) if items else 0
            if items != set(range(1, written + 1)):
                problems.append(f"{w.program}: items missing before {written}")
            if partial:
                problems.append(f"{w.program}: exams without all their answers: {partial}")
            # A writer may have handed over one item more than it printed.
            lost = w.handed - written
            if lost > 1 or written > w.handed + 1:
                problems.append(f"{w.program}: handed {w.handed}, written {written}")
            losses.append((w.program, w.handed, written, max(lost, 0)))
        return problems, losses
    except sqlite3.DatabaseError as error:
        return problems + [f"database error: {error}"], []
    finally:
        con.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--rounds", type=int, default=40)
    parser.add_argument("--seed", type=int, default=int(time.time()))
    args = parser.parse_args()
    exe = os.path.join(args.build, "bench", "record_writer")
    if not os.access(exe, os.X_OK):
        sys.exit(f"{exe} not found: build the target record_writer first")
    rng = random.Random(args.seed)
    print(f"seed {args.seed}")
    failed = 0
    worst = 0
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "quz-history.sqlite")
        for r in range(1, args.rounds + 1):
            writers = [Writer(exe, folder, (2 * r) * ROUND_SPAN, "quz", rng.randrange(1 << 30)),
                       Writer(exe, folder, (2 * r + 1) * ROUND_SPAN, "quz-exam",
                              rng.randrange(1 << 30))]
            order = writers[:]
            rng.shuffle(order)
            time.sleep(rng.uniform(0.0, 1.2))
            order[0].kill()
            time.sleep(rng.uniform(0.0, 0.4))
            order[1].kill()
            problems, losses = check(path, writers)
            worst = max([worst] + [lost for *_, lost in losses])
            summary = ", ".join(f"{p} handed {h} written {w}" for p, h, w, _ in losses)
            print(f"round {r:3d}: {'ok  ' if not problems else 'FAIL'} {summary}"
                  + ("; " + "; ".join(problems) if problems else ""))
            failed += bool(problems)
        size = os.path.getsize(path)
    print(f"{args.rounds - failed} of {args.rounds} rounds ok; at most {worst} item(s) lost"
          f" per kill; database {size / 1e6:.1f} MB")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
