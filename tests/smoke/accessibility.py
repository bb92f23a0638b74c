"""Run by accessibility.sh, with the Debian python3 and its pyatspi: PID WINDOW-ID. Reads the
program through AT-SPI while xdotool drives it: labels and buttons are named by the texts they
show, and stay so; a pick made with the keyboard alone is announced."""
import subprocess
import sys
import time

import pyatspi

# Top-left corners in the client area (435 x 276 pixels) of the controls read here.
PLACES = {(1, 0): "Label1", (168, 8): "Label2", (161, 24): "Text3", (161, 232): "Command1",
          (232, 232): "Command2", (304, 4): "WordNum"}


def until(what, read, want=None):  # polls read() for a minute until it gives want (or anything)
    got, deadline = None, time.monotonic() + 60
    while time.monotonic() < deadline:
        try:
            got = read()
            if got == want or (want is None and got):
                return got
        except Exception as error:  # the bus may not know the window yet
            got = error
        time.sleep(0.1)
    sys.exit(f"FAIL: {what} is {got!r}, not {want!r}")


def place(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def controls():
    ours = [a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid]
    for area in (area for app in ours for frame in app for area in frame):
        left, top, width, height = place(area)
        if (width, height) == (435, 276):
            found = {PLACES.get((place(c)[0] - left, place(c)[1] - top)): c for c in area}
            return found if all(name in found for name in PLACES.values()) else None


pid, window = int(sys.argv[1]), sys.argv[2]
found = until("the controls on the accessibility bus", controls)
said = lambda name, want, what="name": until(name, lambda: getattr(found[name], what), want)
for name, want in [("Label1", "PubEnglish"), ("Label2", ""), ("WordNum", "Words"),
                   ("Command1", "Copy Num"), ("Command2", "Copy Word"), ("Text3", "Copy box")]:
    said(name, want)
# Keyboard only: from the entry box, Tab passes the word list to the candidates.
subprocess.run(["xdotool", "windowfocus", "--sync", window, "key", "--delay", "100",
                "a", "b", "Tab", "Tab", "Down"], check=True)
said("Label2", "01")
text = found["Text3"].queryText()
until("the copy box", lambda: text.getText(0, text.characterCount), "0001 abandon\n")
x, y, width, height = place(found["WordNum"])
subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2), "click", "1"],
               check=True)
said("WordNum", "Numbers")
said("WordNum", "Click To Change To Words Input", "description")
said("Label2", "")
