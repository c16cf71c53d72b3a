#!/usr/bin/env python3
"""Kills the record-changing driver at random moments and checks データ.txt after each kill.

Each trial starts the driver (tests/killtest/killdriver.cpp) on a fresh folder whose データ.txt
holds a few records, lets it append, edit and delete records for a random time, kills it with
SIGKILL and compares the file with what the driver had acknowledged. The expected bytes are made
here, from the driver's numbered changes, with Python's own cp932 codec and CR LF line ends.

A trial passes when the file equals the state after the last acknowledged change, or the state
after the change that was in flight when the kill came. Otherwise it counts the acknowledged
records the file lacks and the lines that are cut off or unreadable.

With --restore-trials it also kills the driver while it restores a backup over several files, then
starts it the way the program starts (which completes a restore stopped part-way), and checks that
every file is the backup's or every file is as it was, and that the state before is kept.
"""

import argparse
import os
import random
import signal
import subprocess
import sys
import tempfile
import threading
import time

ITEMS = ["プラマイ", "しりとり", "バラバラ", "四熟虫喰", "カラパニ", "ボキャブラ", "連想心理"]
FILE_NAME = "データ.txt"


def seconds_text(value):
    text = repr(float(value))
    return text[:-2] if text.endswith(".0") else text


def record_of(n):
    return (f"2024/{1 + n % 12:02d}/{1 + n % 28:02d}",
            f"{n // 3600 % 24:02d}:{n // 60 % 60:02d}:{n % 60:02d}",
            ITEMS[n % 7], (n % 720) / 4, f"答数 : {n}  ソ")


def diary_text(n):
    return f"表示 {n} ～①"


class Model:
    """The records as the driver's changes leave them, each with how its line was last written:
    a game's append ends it in a bare comma, the record book's rewrite in ""."""

    def __init__(self, records):
        self.records = list(records)

    def copy(self):
        return Model(self.records)

    def apply(self, n):
        count = len(self.records)
        if count == 0 or n % 5 not in (2, 4):
            self.records.append((record_of(n), False))
            return
        at = n % count
        if n % 5 == 2:
            date, clock, item, seconds, _ = self.records[at][0]
            self.records[at] = ((date, clock, item, seconds, diary_text(n)), True)
        else:
            del self.records[at]
        self.records = [(record, True) for record, _ in self.records]

    def lines(self):
        result = []
        for (date, clock, item, seconds, diary), rewritten in self.records:
            line = f'"{date}","{clock}","{item}",{seconds_text(seconds)},"{diary}",'
            result.append(line + ('""' if rewritten else ""))
        return result

    def bytes(self):
        return "".join(line + "\r\n" for line in self.lines()).encode("cp932")


def run_trial(driver, rng, longest):
    first = rng.randrange(1000, 100000)
    model = Model((record_of(first - 1000 + i), False) for i in range(rng.randrange(0, 12)))
    with tempfile.TemporaryDirectory(prefix="kotohana-kill-") as folder:
        path = os.path.join(folder, FILE_NAME)
        with open(path, "wb") as file:
            file.write(model.bytes())
        process = subprocess.Popen([driver, folder, str(first)], stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE)
        output = []
        reader = threading.Thread(target=lambda: output.append(process.stdout.read()))
        reader.start()
        time.sleep(rng.uniform(0, longest))
        process.send_signal(signal.SIGKILL)
        process.wait()
        reader.join()
        errors = process.stderr.read().decode("utf-8", "replace")
        process.stdout.close()
        process.stderr.close()
        if process.returncode != -signal.SIGKILL:
            raise SystemExit(f"the driver stopped by itself ({process.returncode}): {errors}")
        with open(path, "rb") as file:
            actual = file.read()

    acknowledged = [int(line.split()[1]) for line in output[0].decode().splitlines()]
    if acknowledged != list(range(first, first + len(acknowledged))):
        raise SystemExit(f"acknowledgements out of order: {acknowledged[:10]}")
    for n in acknowledged:
        model.apply(n)
    after = model.copy()
    after.apply(first + len(acknowledged))
    if actual in (model.bytes(), after.bytes()):
        return len(acknowledged), 0, 0, actual == model.bytes()

    return len(acknowledged), *damage(actual, model, after), None


def record_key(line):
    """A record's date and time: no two records of a trial share them."""
    return tuple(line.split(",", 2)[:2])


def keys(model):
    return {record_key(line) for line in model.lines()}


def damage(actual, before, after):
    """The acknowledged records the file lacks, and its lines cut off or not written by the driver."""
    lines = actual.split(b"\r\n")
    half_lines = 1 if lines[-1] else 0  # a file that does not end in CR LF
    written = set(before.lines()) | set(after.lines())
    held = set()
    for line in lines[:-1]:
        try:
            text = line.decode("cp932")
        except UnicodeDecodeError:
            half_lines += 1
            continue
        if text not in written:
            half_lines += 1
        held.add(record_key(text))
    lost = len((keys(before) & keys(after)) - held)
    return lost, half_lines


# A restore over the folder: a file only the backup holds comes with it, one only the folder
# holds stays, and the lock is no file a restore writes.
OLD = {"データ.txt": "old", "設定.txt": "old", "メモ.TXT": "memo", "プラマイ履歴.txt": "old", ".kotohana.lock": "lock"}
NEW = {**OLD, "データ.txt": "new", "設定.txt": "new", "プラマイ履歴.txt": "new", "好きな色.txt": "new"}
BACKUP = {name: text for name, text in NEW.items() if name != "メモ.TXT"} | {".kotohana.lock": "another run's"}
BACKUP[".kotohana-backup"] = "コトハナのバックアップ\r\n" + "".join(name + "\r\n" for name in BACKUP)


def files_in(folder, write=None):
    """The files of the folder but hidden ones (the lock among them), after writing those given."""
    for name, text in (write or {}).items():
        with open(os.path.join(folder, name), "wb") as file:
            file.write(text.encode("cp932"))
    return {name: open(os.path.join(folder, name), "rb").read().decode("cp932") for name in os.listdir(folder)
            if os.path.isfile(os.path.join(folder, name)) and (name[0] != "." or name == ".kotohana.lock")}


def run_restore_trial(driver, rng, longest):
    """Kills a restore and starts again: "old" or "new", the side every file is on, or what is wrong."""
    with tempfile.TemporaryDirectory(prefix="kotohana-restorekill-") as folder:
        backups = os.path.join(folder, "バックアップ")
        files_in(folder, OLD)
        os.makedirs(os.path.join(backups, "2024-05-18"))
        files_in(os.path.join(backups, "2024-05-18"), BACKUP)
        process = subprocess.Popen([driver, folder, "--restore"], stdout=subprocess.PIPE)
        time.sleep(rng.uniform(0, longest))
        process.send_signal(signal.SIGKILL)
        done = b"done" in process.communicate()[0]
        started = subprocess.run([driver, folder, "--start"], capture_output=True).returncode == 0
        actual = files_in(folder)
        kept = [files_in(os.path.join(backups, name)) for name in os.listdir(backups) if name.endswith("_復元前")]
    if started and actual == OLD and not done:
        return "old"
    if started and actual == NEW and kept == [{name: text for name, text in OLD.items() if name[0] != "."}]:
        return "new"
    return f"files of both sides or of neither, or no state before: {actual}, {kept}"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--driver", required=True, help="the kotohana_killdriver executable")
    parser.add_argument("--trials", type=int, default=100)
    parser.add_argument("--seed", type=int, default=None, help="for repeating a run")
    parser.add_argument("--longest", type=float, default=0.2, help="seconds before a kill, at the most")
    parser.add_argument("--restore-trials", type=int, default=0, help="kills during a restore")
    arguments = parser.parse_args()

    seed = arguments.seed if arguments.seed is not None else random.randrange(1 << 30)
    rng = random.Random(seed)
    changes = lost = half_lines = failed = in_flight_done = 0
    for trial in range(arguments.trials):
        done, trial_lost, trial_half, was_before = run_trial(arguments.driver, rng, arguments.longest)
        changes += done
        if was_before is None:
            failed += 1
            lost += trial_lost
            half_lines += trial_half
            print(f"trial {trial}: the file is neither the state before nor after the change in flight "
                  f"({trial_lost} records lost, {trial_half} half or foreign lines)")
        elif not was_before:
            in_flight_done += 1
    print(f"seed {seed}: {arguments.trials} trials, {changes} acknowledged changes, "
          f"{in_flight_done} kills after the change in flight was complete")
    print(f"{arguments.trials - failed} passed, {failed} failed: {lost} records lost, {half_lines} half lines")

    outcomes = [run_restore_trial(arguments.driver, rng, arguments.longest) for _ in range(arguments.restore_trials)]
    for outcome in set(outcomes) - {"old", "new"}:
        failed += 1
        print(f"a kill during a restore: {outcome}")
    if outcomes:
        print(f"{len(outcomes)} kills during a restore: {outcomes.count('old')} left every file as it was, "
              f"{outcomes.count('new')} every file the backup's")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
