#!/usr/bin/env python3
"""What the Orca screen reader says while the program is used from the keyboard alone.

    orca-speech.py PROGRAM

Runs in a desktop session with an X display and a session bus (desktop-session.sh x11):
starts Orca with a private home, then the program and a second copy of it, types keys with
xdotool and reads what Orca said from its debug log. Prints each failure and exits 1; 0
when all was said. With ORCA_SPEECH_LOG set, Orca's log is kept in that file.
"""
import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

CHECKOUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def strings():
    """The program's string table: id -> text."""
    table = {}
    with open(os.path.join(CHECKOUT, "src/resources/StringTable.def"), encoding="utf-8") as f:
        for number, text in re.findall(r'^KIMORO_STRING\((\d+), "(.*)"\)', f.read(), re.M):
            table[int(number)] = text.replace("\\n", "\n")
    return table


def start_orca(work):
    home = os.path.join(work, "home")
    os.makedirs(home)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_DATA_HOME=os.path.join(home, ".local/share"),
               XDG_CACHE_HOME=os.path.join(home, ".cache"))
    log = os.path.join(work, "orca.log")
    orca = subprocess.Popen(["orca", "--replace", "--debug-file=" + log], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return orca, log


def seconds(clock):
    """Seconds since midnight of a time of day as Orca's log gives it, 13:05:09.123456."""
    hours, minutes, rest = clock.split(":")
    return int(hours) * 3600 + int(minutes) * 60 + float(rest)


def now():
    return seconds(datetime.datetime.now().strftime("%H:%M:%S.%f"))


def utterances(log):
    """What Orca said, as (time of day in seconds, text); without its echo of the keys
    typed ("p ", "return "), which Orca 43 has and Orca 48 not."""
    with open(log, encoding="utf-8", errors="replace") as f:
        said = re.findall(r"^(\S+) - SPEECH OUTPUT: '(.*?)' ?\{", f.read(), re.S | re.M)
    return [(seconds(clock), s) for clock, s in said if not re.fullmatch(r"[a-z]+ ", s)]


def key(name, settle=3):
    """Types the key, waits for what follows, and gives the time it was typed."""
    typed = now()
    subprocess.run(["xdotool", "key", name], check=True)
    time.sleep(settle)
    return typed


def main():
    program = sys.argv[1]
    table = strings()
    greetings = [table[n] for n in range(1000, 1007)]
    with tempfile.TemporaryDirectory(prefix="kimoro-orca-") as work:
        orca, log = start_orca(work)
        first = second = None
        try:
            for _ in range(300):  # until Orca is up, listening to the accessibility bus
                if os.path.exists(log) and "SPEECH OUTPUT" in open(log, errors="replace").read():
                    break
                time.sleep(0.2)
            first = subprocess.Popen([program])
            time.sleep(5)
            # When each key was typed, the second copy started among them.
            times = [key(name, 5 if name == "p" else 3)  # the greeting goes after 2.5 s
                     for name in ("p", "p", "a", "Escape", "w", "Return")]
            times.append(now())
            second = subprocess.Popen([program])  # two messages, then it ends
            time.sleep(5)
            times.append(key("Return"))
            times.append(key("Return"))
            second.wait(20)
            times.append(key("x"))
            first.wait(20)
            # Orca writes its log through a buffer of some kilobytes, which the log of a
            # few more keys fills.
            for _ in range(10):
                key("shift", 0.3)
            time.sleep(2)
            said = utterances(log)
            if os.environ.get("ORCA_SPEECH_LOG"):  # kept for a reader
                shutil.copy(log, os.environ["ORCA_SPEECH_LOG"])
        finally:
            for process in (second, first, orca):
                if process and process.poll() is None:
                    process.kill()
                    process.wait()

    # What was said after each step, up to the next: [0] as the program started, [1] and
    # [2] after p, [3] after a, [5] after w, [7] the first message, [8] the second.
    times = [0] + times + [float("inf")]
    spoken = [[s for t, s in said if begin <= t < end]
              for begin, end in zip(times, times[1:])]
    failures = []

    def expect(what, segment, *texts):
        missing = [t for t in texts if not any(t in s for s in segment)]
        if missing:
            failures.append(f"{what}: Orca did not say {missing}; it said {segment}")

    expect("start", spoken[0], "button")
    for press in (1, 2):
        # Said once; the label's emptying 2.5 s later says nothing.
        count = sum(1 for s in spoken[press] if any(g in s for g in greetings))
        if count != 1:
            failures.append(f"p ({press}): the greeting was said {count} times, not once: "
                            f"{spoken[press]}")
    about = spoken[3]
    expect("About", about, table[200] + " dialog", "きもろ", "Version 1.04.00", "Copyright",
           table[1004], table[1006], "OK ")
    if about and not about[-1].startswith("OK "):
        failures.append(f"About: the texts did not come before the button: {about}")
    expect("WindowsDirectory", spoken[5], "WindowsDirectory dialog", "OK ")
    if not any(re.search(r"WindowsDirectory dialog\s+\S", s) for s in spoken[5]):
        failures.append(f"WindowsDirectory: the directory was not said: {spoken[5]}")
    for segment, message in ((spoken[7], 1101), (spoken[8], 1102)):
        expect(f"message {message}", segment, "alert きもろ")
        text = table[message].split("\n")[0]
        count = sum(1 for s in segment if text in s)
        if count != 1:
            failures.append(f"message {message}: its text was said {count} times, not once: "
                            f"{segment}")
    for failure in failures:
        print("orca-speech:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
