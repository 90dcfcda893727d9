"""What a screen reader meets in the panel, read over the accessibility bus as Orca reads it.

Starts the virtual transmitter on port 1 and the program, finds the program on the bus, prints
what each control reads (name, role, description, value), then drives the panel with real X key
events (xdotool, through XTEST) and listens for the change events a screen reader hears: a Space
hold on the frequency and the power "Up", Alt+O and F10 into the menus, Space on the carrier
button, and a quiet spell in which the transmitter only repeats itself. Run by
run-screen-reader-test.sh, which gives it the display and the buses.
"""

import argparse
import collections
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

# Generous: a loaded machine may be slow to start a program, never to answer once it runs.
STARTUP_PATIENCE = 30.0
PATIENCE = 10.0

failures = []


def check(condition, what):
    print(("  ok    " if condition else "  FAIL  ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def pump(seconds):
    """Turns the event loop for `seconds`, so that the bus's events arrive meanwhile."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not context.iteration(False):
            time.sleep(0.005)


def wait_until(condition, timeout=PATIENCE):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        try:
            value = condition()
        except Exception:  # an object that went while it was read: try again
            value = None
        if value:
            return value
        pump(0.05)
    return None


class Sim:
    """The virtual transmitter, whose log says what reached the line ("rx 3a")."""

    def __init__(self, txsim, work):
        self.path = os.path.join(work, "txsim.log")
        self.log = open(self.path, "w")
        self.process = subprocess.Popen([txsim, "--port", "1"], stdout=self.log,
                                        stderr=subprocess.STDOUT)

    def lines(self):
        with open(self.path) as log:
            return log.read().splitlines()

    def received(self, command):
        return sum(1 for line in self.lines() if line == "rx " + command)

    def frequency_changes(self, since):
        """How often the frequency records sent after line `since` changed the frequency."""
        records = [line for line in self.lines() if line.startswith("tx F")]
        before = [line for line in self.lines()[:since] if line.startswith("tx F")]
        sent = records[len(before):]
        last = before[-1:]
        return sum(1 for a, b in zip(last + sent, sent) if a != b) + (0 if last else 1)


def all_objects(root):
    yield root
    for child in root:
        if child is not None:
            yield from all_objects(child)


def states(obj):
    return obj.getState()


def find(root, role, name=None, description=None):
    for obj in all_objects(root):
        if obj.getRoleName() == role and (name is None or obj.name == name) and (
                description is None or obj.description.startswith(description)):
            return obj
    return None


def window_of(obj):
    while obj is not None and obj.getRoleName() != "frame":
        obj = obj.parent
    return obj.name if obj is not None else None


def value_of(obj):
    try:
        return obj.queryValue().currentValue
    except NotImplementedError:
        return None


def key_binding(obj):
    try:
        action = obj.queryAction()
        return action.getKeyBinding(0) if action.nActions > 0 else ""
    except NotImplementedError:
        return ""


def keys(*arguments):
    """Real X key events, through the XTEST extension, as from the keyboard."""
    subprocess.run(["xdotool"] + list(arguments), check=True, timeout=PATIENCE)


# One event: its kind ("accessible-name"...), and its source's role, name, description and value
# as the event arrived.
Heard = collections.namedtuple("Heard", "kind role name description value")


class Listener:
    """The change events a screen reader hears from the program."""

    KINDS = ("object:property-change:accessible-name",
             "object:property-change:accessible-description",
             "object:property-change:accessible-value", "object:value-changed")

    def __init__(self):
        self.heard = []
        pyatspi.Registry.registerEventListener(self.hear, *self.KINDS)

    def hear(self, event):
        try:
            if window_of(event.source) != "Vora TX Controller":
                return  # the link monitor's lamps flash with every record
            # Read as it arrives: the program may have moved on since it raised the event.
            self.heard.append(Heard(event.type.split(":")[-1], event.source.getRoleName(),
                                    event.source.name, event.source.description,
                                    value_of(event.source)))
        except Exception:
            pass

    def take(self):
        heard, self.heard = self.heard, []
        return heard


def main():
    arguments = argparse.ArgumentParser()
    arguments.add_argument("--program", required=True)
    arguments.add_argument("--txsim", required=True)
    arguments.add_argument("--work", required=True)
    options = arguments.parse_args()

    sim = Sim(options.txsim, options.work)
    processes = [sim.process]
    try:
        if not wait_until(lambda: any(l.startswith("port 1 ") for l in sim.lines()),
                          STARTUP_PATIENCE):
            print("the virtual transmitter did not start:", sim.lines())
            return 1
        panel_log = open(os.path.join(options.work, "panel.log"), "w")
        panel = subprocess.Popen([options.program], stdout=panel_log, stderr=subprocess.STDOUT)
        processes.append(panel)
        status = run(sim)
    finally:
        for process in reversed(processes):
            process.terminate()
            try:
                process.wait(PATIENCE)
            except subprocess.TimeoutExpired:
                process.kill()
    with open(os.path.join(options.work, "panel.log")) as log:
        errors = log.read()
    # Built with the sanitizers, the program says here what they found, up to its end.
    if not check(not any(report in errors for report in
                         ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:")),
                 "the program ran and ended without a sanitizer's report"):
        status = 1
    print("screen reader: %d of %d checks held"
          % (len(checks_run) - len(failures), len(checks_run)))
    if failures:
        print("panel's standard error:\n" + errors)
    return status


def run(sim):
    # Every read goes to the program, never to a cache that an event may not have refreshed.
    pyatspi.Registry.getDesktop(0).set_cache_mask(Atspi.Cache.NONE)
    app = wait_until(lambda: next((a for a in pyatspi.Registry.getDesktop(0)
                                   if a is not None and a.name == "VoraTXController"), None),
                     STARTUP_PATIENCE)
    if not check(app is not None, "the program is on the accessibility bus"):
        return 1
    app.set_cache_mask(Atspi.Cache.NONE)
    window = wait_until(lambda: find(app, "frame", "Vora TX Controller"))
    # Once the transmitter has reported, the frequency is no longer the design's zeros.
    frequency = wait_until(lambda: next(
        (o for o in all_objects(window)
         if re.fullmatch(r"\d+\.\d+ MHz", o.name or "") and not o.name.startswith("00000")),
        None), STARTUP_PATIENCE)
    check(wait_until(lambda: find(window, "label", "Connected")) is not None,
          'the link panel reads "Connected"')

    print("\nWhat the accessibility bus reads, control by control:")
    for obj in all_objects(window):
        role = obj.getRoleName()
        if role in ("filler", "popup menu", "frame") or (role == "label" and not obj.name):
            continue
        extra = []
        if obj.description:
            extra.append("description %r" % obj.description)
        if value_of(obj) is not None:
            extra.append("value %g" % value_of(obj))
        if key_binding(obj):
            extra.append("key %s" % key_binding(obj))
        if states(obj).contains(pyatspi.STATE_FOCUSABLE):
            extra.append("focusable")
        print("  %-12s %-26r %s" % (role, obj.name, ", ".join(extra)))
    print()

    named = [o.name for o in all_objects(window)]
    check(frequency is not None and frequency.name == "1296.000 MHz",
          'the frequency is one object, "%s"' % (frequency.name if frequency else None))
    check(sum(1 for n in named if "1296" in (n or "")) == 1, "no other object reads 1296")
    check("." not in named and "000" not in named, 'no lone "." nor fraction digits')
    check(find(window, "label", "125 KHz, selected step") is not None,
          'the selected step reads "125 KHz, selected step"')
    power = find(window, "progress bar", "Power")
    check(power is not None and value_of(power) == 128, 'the power bar "Power" has value 128')
    carrier = find(window, "push button", "TX On")
    check(carrier is not None and carrier.description ==
          "Carrier off. Press to key the transmitter.", "the carrier button says what it does")
    check(find(window, "label", "TX Locked") is not None, 'the lock panel reads "TX Locked"')
    bar = find(window, "menu bar")
    check([item.name for item in bar] == ["File", "Options", "About"],
          "the menus read File, Options, About")

    listener = Listener()
    # A desktop's window manager gives the new window the keyboard; here, xdotool does.
    window_id = subprocess.run(["xdotool", "search", "--sync", "--name", "^Vora TX Controller$"],
                               check=True, timeout=PATIENCE, capture_output=True,
                               text=True).stdout.split()[0]
    keys("windowfocus", "--sync", window_id)
    check(wait_until(lambda: states(window).contains(pyatspi.STATE_ACTIVE)) is not None,
          "the window is active")

    # The transmitter repeats its status every second: no change, so nothing to hear.
    listener.take()
    pump(2.5)
    quiet = listener.take()
    check(quiet == [], "2.5 s of repeated reports raise no event: heard %r" % quiet)

    # Space held on the frequency "Up": a command at once, then ten a second until the release.
    ups = [o for o in all_objects(window) if o.getRoleName() == "push button" and o.name == "Up"]
    up = ups[0]
    up.queryComponent().grabFocus()
    check(wait_until(lambda: states(up).contains(pyatspi.STATE_FOCUSED)) is not None,
          'the frequency "Up" has the focus')
    before = sim.received("3a")
    log_mark = len(sim.lines())
    keys("keydown", "space")
    pump(2.0)
    keys("keyup", "space")
    pump(0.3)
    held = sim.received("3a") - before
    pump(0.7)
    after = sim.received("3a") - before - held
    print("  Space held 2.0 s on frequency Up: %d \"3a\" on the line, %d after the release"
          % (held, after))
    # 21 on an idle machine; a busy one may tick late, and a key's auto-repeat read as presses
    # would make it twice as many.
    check(12 <= held <= 26, "about 21 commands for a 2 s hold, none from the key's auto-repeat")
    check(after == 0, "nothing after the release")
    heard = listener.take()
    names = [h.name for h in heard if h.kind == "accessible-name"]
    check(len(names) > 0 and {h.role for h in heard if h.kind == "accessible-name"} == {"label"}
          and all(n.endswith(" MHz") for n in names),
          "the frequency's changes are heard from the one frequency object")
    changes = sim.frequency_changes(log_mark)
    check(len(names) == changes,
          "one event for each of the %d changes the transmitter reported (%d heard)"
          % (changes, len(names)))
    descriptions = [h.description for h in heard if h.kind == "accessible-description"]
    check(any(d.endswith("Hold to tune up.") for d in descriptions),
          'the focused "Up" carries the frequency in its description: %r'
          % (descriptions[-1] if descriptions else None))
    print("  the frequency heard: %s" % ", ".join(names))

    # Space held on the power "Up": twenty a second; the power bar's value is heard changing.
    power_up = [o for o in all_objects(window)
                if o.getRoleName() == "push button" and o.name == "Up"][1]
    power_up.queryComponent().grabFocus()
    wait_until(lambda: states(power_up).contains(pyatspi.STATE_FOCUSED))
    listener.take()
    before = sim.received("5a")
    keys("keydown", "space")
    pump(0.5)
    keys("keyup", "space")
    raised = wait_until(lambda: value_of(power) > 128)
    pump(0.5)
    held = sim.received("5a") - before
    values = [h.value for h in listener.take() if h.role == "progress bar"]
    print("  Space held 0.5 s on power Up: %d \"5a\", the bar heard at %r" % (held, values))
    check(raised is not None and 6 <= held <= 14, "about 11 commands for a 0.5 s hold")
    check(len(values) > 0 and values[-1] == value_of(power),
          "the power bar's value changes are heard, %g last" % value_of(power))

    # The menus from the keyboard.
    options = find(window, "menu item", "Options")
    settings = find(window, "menu item", "Settings")
    keys("key", "alt+o")
    check(wait_until(lambda: states(settings).contains(pyatspi.STATE_SHOWING)) is not None,
          'Alt+O opens "Options" (key binding of its item: %r)' % key_binding(options))
    keys("key", "Escape")
    check(wait_until(lambda: not states(settings).contains(pyatspi.STATE_SHOWING)) is not None,
          "Escape closes it")
    exit_item = find(window, "menu item", "Exit")
    keys("key", "F10")
    check(wait_until(lambda: states(exit_item).contains(pyatspi.STATE_SHOWING)) is not None,
          'F10 opens "File"')
    keys("key", "Escape")
    wait_until(lambda: not states(exit_item).contains(pyatspi.STATE_SHOWING))

    # Alt+O, R opens the link monitor: its lamps read as lit or out.
    keys("key", "alt+o", "r")
    monitor = wait_until(lambda: next((w for w in app if w is not None and
                                       w.name == "RS232 Monitor" and
                                       states(w).contains(pyatspi.STATE_SHOWING)), None))
    if check(monitor is not None, 'Alt+O, R opens "RS232 Monitor"'):
        print("  the link monitor reads:")
        for obj in all_objects(monitor):
            if obj.name and obj.getRoleName() != "frame":
                print("    %-10s %-12r %s" % (obj.getRoleName(), obj.name,
                                              obj.description or ""))
        lamps = [o for o in all_objects(monitor) if o.description in ("lit", "out")]
        check(len(lamps) == 3 and all(o.description in ("lit", "out") for o in lamps),
              "its three lamps read lit or out")
        keys("windowfocus", "--sync", window_id)
        wait_until(lambda: states(window).contains(pyatspi.STATE_ACTIVE))

    # Space on the carrier button keys the (virtual) transmitter; its report is heard once.
    carrier.queryComponent().grabFocus()
    wait_until(lambda: states(carrier).contains(pyatspi.STATE_FOCUSED))
    listener.take()
    keys("key", "space")
    keyed = wait_until(lambda: carrier.name == "TX Off")
    pump(1.5)  # a status repeat or two arrive meanwhile
    heard = [h for h in listener.take() if h.role == "push button" and h.name in ("TX On", "TX Off")]
    print("  carrier keyed: heard %r" % [(h.kind, h.name, h.description) for h in heard])
    check(keyed is not None and carrier.description ==
          "Carrier on. Press to switch the carrier off.", "the description follows the report")
    check(len([h for h in heard if h.kind == "accessible-description"]) == 1,
          "one description event for the one change")
    keys("key", "space")
    check(wait_until(lambda: carrier.name == "TX On") is not None, "and off again")

    return 1 if failures else 0


checks_run = []
_check = check


def check(condition, what):  # noqa: F811 (counts every check)
    checks_run.append(what)
    return _check(condition, what)


if __name__ == "__main__":
    sys.exit(main())
