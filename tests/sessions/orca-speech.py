#!/usr/bin/env python3
"""What the Orca screen reader says while the program is used, and what activating an address
of the About dialog from it does.

    orca-speech.py [--wayland-client] PROGRAM

Runs in a desktop session with an X display and a session bus: starts Orca with a private
home, then the program and a second copy of it, and reads what Orca said from its debug log.
The keys are typed with xdotool, and an address is clicked through Orca's flat review. With
--wayland-client (in a Wayland session, desktop-session.sh) the program is a native Wayland
client, and its buttons and an address are pressed through their accessible actions, as
Orca's object navigator does. Needs Orca's Python, the system's, for its AT-SPI bindings.
Orca runs without a speech server and without braille, which it logs every utterance without,
so that nothing outside the test can hold it up. Each step waits for what it makes Orca say,
and fails when that does not come within its limit. Prints each failure and exits 1; 0 when
all was said. With ORCA_SPEECH_LOG set, Orca's log is kept in that file.
"""
import codecs
import datetime
import os
import pty
import re
import subprocess
import sys
import tempfile
import threading
import time
import tty
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# Orca finds actions by the names that Atspi.Action.get_action_name, deprecated, gives.
warnings.simplefilter("ignore", DeprecationWarning)

CHECKOUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
KEYS = sys.argv[1] != "--wayland-client"


def strings():
    """The program's string table: id -> text."""
    table = {}
    with open(os.path.join(CHECKOUT, "src/resources/StringTable.def"), encoding="utf-8") as f:
        for number, text in re.findall(r'^KIMORO_STRING\((\d+), "(.*)"\)', f.read(), re.M):
            table[int(number)] = text.replace("\\n", "\n")
    return table


def applications(name):
    desktop = Atspi.get_desktop(0)
    found = (desktop.get_child_at_index(i) for i in range(desktop.get_child_count()))
    return [app for app in found if app is not None and app.get_name() == name]


class OrcaLog:
    """Orca's debug log, as Orca writes it. Orca's file is a pseudo-terminal, which Python
    writes line by line (a plain file it buffers by the kilobyte): each utterance arrives
    here when it is said. A thread copies it into `text`."""

    def __init__(self):
        self.text = ""
        self._terminal, self._orca_end = pty.openpty()
        tty.setraw(self._orca_end)  # lines as written, without a carriage return added
        self.path = os.ttyname(self._orca_end)
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        # A character may come split between two reads.
        decoder = codecs.getincrementaldecoder("utf-8")(errors="replace")
        while True:
            try:
                data = os.read(self._terminal, 65536)
            except OSError:
                return
            self.text += decoder.decode(data)


def start_orca(work, log):
    home = os.path.join(work, "home")
    os.makedirs(home)
    # Stand-ins for the speech server's and braille's modules, which fail to import as where
    # the packages are missing: a speech server without a sound device never returns.
    modules = os.path.join(work, "modules")
    for name in ("speechd", "brlapi"):
        os.makedirs(os.path.join(modules, name))
        with open(os.path.join(modules, name, "__init__.py"), "w") as f:
            f.write("raise ImportError('left out by the test')\n")
    # Orca asks pgrep for the user's other Orcas, to end them (--replace) or to refuse to
    # start. This one is alone on its session's buses and hears of none: the user's own
    # screen reader and another test run's Orca keep running.
    commands = os.path.join(work, "orca-commands")
    os.makedirs(commands)
    with open(os.path.join(commands, "pgrep"), "w") as f:
        f.write("#!/bin/sh\nexit 1\n")
    os.chmod(os.path.join(commands, "pgrep"), 0o755)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_DATA_HOME=os.path.join(home, ".local/share"),
               XDG_CACHE_HOME=os.path.join(home, ".cache"), PYTHONPATH=modules,
               PATH=commands + os.pathsep + os.environ["PATH"])
    return subprocess.Popen(["orca", "--debug-file=" + log.path], env=env,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def fake_browser(work):
    """A directory for PATH whose xdg-open notes what it was asked to open."""
    directory = os.path.join(work, "bin")
    os.makedirs(directory)
    opener = os.path.join(directory, "xdg-open")
    with open(opener, "w") as f:
        f.write(f'#!/bin/sh\necho "$*" >> {work}/opened\n')
    os.chmod(opener, 0o755)
    return directory, os.path.join(work, "opened")


def seconds(clock):
    """Seconds since midnight of a time of day as Orca's log gives it, 13:05:09.123456."""
    hours, minutes, rest = clock.split(":")
    return int(hours) * 3600 + int(minutes) * 60 + float(rest)


def now():
    return seconds(datetime.datetime.now().strftime("%H:%M:%S.%f"))


def utterances(log):
    """What Orca said, as (time of day in seconds, text); without its echo of the keys
    typed ("p ", "return "), which Orca 43 has and Orca 48 not."""
    said = re.findall(r"^(\S+) - SPEECH OUTPUT: '(.*?)' ?\[?\{", log.text, re.S | re.M)
    return [(seconds(clock), s) for clock, s in said if not re.fullmatch(r"[a-z]+ ", s)]


def descendants(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child
            yield from descendants(child)


def press(window_role, title, role, name):
    """Does the press action of the named control in the program's showing window, as Orca's
    object navigator does (Orca 48)."""
    for _ in range(50):
        for app in applications("kimoro"):
            for window in descendants(app):
                if (window.get_role() != window_role or window.get_name() != title or
                        not window.get_state_set().contains(Atspi.StateType.SHOWING)):
                    continue
                for control in descendants(window):
                    if control.get_role() != role or control.get_name() != name:
                        continue
                    for i in range(Atspi.Action.get_n_actions(control)):
                        if Atspi.Action.get_action_name(control, i).lower() == "press":
                            Atspi.Action.do_action(control, i)
                            return
        time.sleep(0.2)
    raise RuntimeError(f"nothing to press named {name} in a window {title}")


class StepFailed(Exception):
    pass


def wait_for(condition, seconds_allowed, failure):
    """Polls until condition() holds; StepFailed with failure() (or the text) after the time
    allowed."""
    deadline = time.monotonic() + seconds_allowed
    while not condition():
        if time.monotonic() > deadline:
            raise StepFailed(failure() if callable(failure) else failure)
        time.sleep(0.1)


def said_something(said):
    return bool(said)


def said_starting(text):
    return lambda said: any(s.startswith(text) for s in said)


class Session:
    """Steps taken, each with the time it began; what Orca said is split by them. A step ends
    when what it waits for has come and Orca has then been quiet for a moment, so that all it
    said belongs to the step."""

    LIMIT = 30  # seconds a step may take on a loaded machine; most take one
    QUIET = 1

    def __init__(self, log):
        self.log = log
        self.steps = []

    def step(self, name, act, until=said_something):
        self.steps.append((name, now()))
        act()
        wait_for(lambda: until(self.said()[name]), self.LIMIT,
                 lambda: f"{name}: not done within {self.LIMIT} s; Orca said {self.said()[name]}")
        count = len(utterances(self.log))
        quiet_since = time.monotonic()
        while time.monotonic() - quiet_since < self.QUIET:
            time.sleep(0.1)
            if len(utterances(self.log)) != count:
                count = len(utterances(self.log))
                quiet_since = time.monotonic()

    def command(self, name, keys, role, title, button, until=said_something):
        """The user's command: keys typed, or without a keyboard, the button pressed."""
        if KEYS:
            self.step(name, lambda: subprocess.run(["xdotool", "key", *keys], check=True), until)
        else:
            self.step(name, lambda: press(role, title, Atspi.Role.PUSH_BUTTON, button), until)

    def said(self):
        said = utterances(self.log)
        bounds = [t for _, t in self.steps] + [float("inf")]
        return {name: [s for t, s in said if begin <= t < end]
                for (name, begin), end in zip(self.steps, bounds[1:])}


def greeting_shown(greetings):
    """Whether the program's main window shows a greeting, as its label (a live region, a
    notification to AT-SPI) tells."""
    return any(node.get_name() in greetings
               for app in applications("kimoro") for node in descendants(app))


def main():
    program = sys.argv[-1]
    table = strings()
    greetings = [table[n] for n in range(1000, 1007)]
    urls = [table[n] for n in (1004, 1006)]
    frame, dialog, alert = Atspi.Role.FRAME, Atspi.Role.DIALOG, Atspi.Role.ALERT
    main_title, about_title, box_title = "きもろ", table[200], "きもろ"
    opened = []
    with tempfile.TemporaryDirectory(prefix="kimoro-orca-") as work:
        log = OrcaLog()
        session = Session(log)
        started = {}  # the processes, by name, to end whatever happens
        try:
            # Orca greets once it listens to the accessibility bus and the keyboard.
            session.step("Orca's start", lambda: started.update(orca=start_orca(work, log)))
            browser, opened_log = fake_browser(work)
            env = dict(os.environ, PATH=browser + os.pathsep + os.environ["PATH"])
            if not KEYS:
                env = {name: value for name, value in env.items()
                       if name not in ("DISPLAY", "XAUTHORITY")}
            session.step("start",
                         lambda: started.update(first=subprocess.Popen([program], env=env)),
                         lambda said: any("button" in s for s in said))
            if KEYS:  # Orca's "where am I" on the focused button
                session.step("where am I", lambda: subprocess.run(
                    ["xdotool", "key", "KP_Enter"], check=True),
                    lambda said: any(re.fullmatch(r"(Alt\+)?P\.?", s) for s in said))
            for step in ("p1", "p2"):
                # Said once; the label's emptying 2.5 s later says nothing.
                session.command(step, ["p"], frame, main_title, table[101].replace("&", ""),
                                lambda said: (any(g in s for s in said for g in greetings) and
                                              not greeting_shown(greetings)))
            session.command("about", ["a"], frame, main_title, "About", said_starting("OK "))

            def opened_so_far():
                if not os.path.exists(opened_log):
                    return []
                with open(opened_log) as f:
                    return f.read().split()
            if KEYS:
                # Flat review from the window's last line, the buttons', two lines up, past
                # the copyright to the second address, and Orca's click on it.
                session.step("click", lambda: subprocess.run(
                    ["xdotool", "key", "--delay", "500", "Insert+KP_Page_Up", "KP_Home",
                     "KP_Home", "KP_Divide"], check=True), lambda said: opened_so_far())
            else:
                session.step("click",
                             lambda: press(dialog, about_title, Atspi.Role.LINK, urls[1]),
                             lambda said: opened_so_far())
            opened = opened_so_far()
            # The window the user is back in is said as each dialog closes.
            back_in_main = lambda said: any(main_title in s for s in said)
            session.command("about closed", ["Escape"], dialog, about_title, "OK", back_in_main)
            session.command("windows directory", ["w"], frame, main_title, "WindowsDirectory",
                            said_starting("OK "))
            session.command("windows directory closed", ["Return"], dialog, "WindowsDirectory",
                            "OK", back_in_main)
            # A second copy shows two messages, then ends.
            session.step("message 1",
                         lambda: started.update(second=subprocess.Popen([program], env=env)),
                         said_starting("OK "))
            session.command("message 2", ["Return"], alert, box_title, "OK",
                            said_starting("OK "))
            session.command("messages closed", ["Return"], alert, box_title, "OK",
                            lambda said: started["second"].poll() is not None)
            session.command("exit", ["x"], frame, main_title, "eXit",
                            lambda said: started["first"].poll() is not None)
            spoken = session.said()
        except StepFailed as failure:
            print("orca-speech:", failure)
            if started["orca"].poll() is not None:  # e.g. another Orca's --replace killed it
                print("orca-speech: Orca had ended, with status", started["orca"].returncode)
            return 1
        finally:
            if os.environ.get("ORCA_SPEECH_LOG"):  # kept for a reader
                with open(os.environ["ORCA_SPEECH_LOG"], "w", encoding="utf-8") as f:
                    f.write(log.text)
            for process in started.values():
                if process.poll() is None:
                    process.kill()
                    process.wait()

    failures = []

    def expect(what, segment, *texts):
        missing = [t for t in texts if not any(t in s for s in segment)]
        if missing:
            failures.append(f"{what}: Orca did not say {missing}; it said {segment}")

    expect("start", spoken["start"], "button")
    if KEYS:  # the button's name and its access key: Orca 43 says Alt+P, Orca 48 the letter
        where = spoken["where am I"]
        expect("where am I", where, table[101].replace("&", "") + " ")
        if not any(re.fullmatch(r"(Alt\+)?P\.?", s) for s in where):
            failures.append(f"where am I: Orca did not tell the access key: {where}")
    for step in ("p1", "p2"):
        # Said once; the label's emptying 2.5 s later says nothing.
        count = sum(1 for s in spoken[step] if any(g in s for g in greetings))
        if count != 1:
            failures.append(f"{step}: the greeting was said {count} times, not once: "
                            f"{spoken[step]}")
    about = spoken["about"]
    expect("About", about, about_title + " dialog", "きもろ", "Version 1.04.00", "Copyright",
           *urls, "OK ")
    if about and not about[-1].startswith("OK "):
        failures.append(f"About: the texts did not come before the button: {about}")
    if opened != urls[1:]:
        failures.append(f"Activating the second address opened {opened}, not {urls[1:]}; "
                        f"Orca said {spoken['click']}")
    windows_directory = spoken["windows directory"]
    expect("WindowsDirectory", windows_directory, "WindowsDirectory dialog", "OK ")
    if not any(re.search(r"WindowsDirectory dialog\s+\S", s) for s in windows_directory):
        failures.append(f"WindowsDirectory: the directory was not said: {windows_directory}")
    for step, message in (("message 1", 1101), ("message 2", 1102)):
        # Read as the box opens, and again where the window manager gives the focus to the
        # first copy's window between the boxes (openbox does), but never left unread.
        expect(step, spoken[step], "alert " + box_title, table[message].split("\n")[0])
        if not spoken[step] or not spoken[step][-1].startswith("OK "):
            failures.append(f"{step}: Orca did not end on the box's button: {spoken[step]}")
    for failure in failures:
        print("orca-speech:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
