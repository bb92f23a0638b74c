"""What a screen reader gets from the running program, read through the accessibility bus
(AT-SPI) with pyatspi while xdotool drives the window as a user would. Run by
accessibility.sh with the Debian python3, which has pyatspi.
usage: /usr/bin/python3 accessibility.py PID WINDOW-ID
"""

import subprocess
import sys
import time

import pyatspi

# Top-left corners of the controls in the client area, in pixels (twips / 15).
PLACES = {(1, 0): "Label1", (168, 8): "Label2", (161, 24): "Text3", (161, 232): "Command1",
          (232, 232): "Command2", (304, 4): "WordNum"}


def fail(message):
    sys.exit("FAIL: " + message)


def until(what, read, want, seconds=5):
    """Polls read() until it gives want (any true value when want is None)."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            got = read()
        except Exception as error:  # the bus may not know the window yet
            got = error
        if got == want or (want is None and got and not isinstance(got, Exception)):
            return got
        if time.monotonic() > deadline:
            fail(f"{what}: got {got!r}, expected {want!r}")
        time.sleep(0.1)


def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def controls(pid):
    """The controls at their places in the client area, the frame's child of its size."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.get_process_id() != pid:
            continue
        for frame in app:
            for area in frame:
                left, top, width, height = extents(area)
                if (width, height) != (435, 276):
                    continue
                found = {}
                for child in area:
                    x, y = extents(child)[:2]
                    if (x - left, y - top) in PLACES:
                        found[PLACES[(x - left, y - top)]] = child
                return found if len(found) == len(PLACES) else None
    return None


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def click(accessible):
    x, y, width, height = extents(accessible)
    xdotool("mousemove", str(x + width // 2), str(y + height // 2), "click", "1")


def main():
    pid, window = int(sys.argv[1]), sys.argv[2]
    found = until("controls on the accessibility bus", lambda: controls(pid), None, 30)

    def announced(name, want):
        until(f"{name} announced", lambda: found[name].name, want)

    for name, want in [("Label1", "PubEnglish"), ("Label2", ""), ("WordNum", "Words"),
                       ("Command1", "Copy Num"), ("Command2", "Copy Word")]:
        announced(name, want)
    print("   Label1, Label2, WordNum, Command1, Command2 announced as shown")

    # Keyboard only: from the entry box, Tab passes the word list to the candidates.
    xdotool("windowfocus", "--sync", window)
    xdotool("type", "--delay", "60", "ab")
    xdotool("key", "--delay", "100", "Tab", "Tab", "Down")
    announced("Label2", "01")
    text = found["Text3"].queryText()
    until("copy box read", lambda: text.getText(0, text.characterCount), "0001 abandon\n")
    # The line end shown is CR LF in the box: a click in it puts the box on the clipboard.
    click(found["Text3"])
    until("clipboard after a click in the copy box",
          lambda: subprocess.run(["xclip", "-selection", "clipboard", "-o"],
                                 capture_output=True, timeout=2).stdout, b"0001 abandon\r\n")
    print("   ab, Tab, Tab, Down: Label2 announced as 01, the copy box holds 0001 abandon CR LF")

    click(found["WordNum"])
    announced("WordNum", "Numbers")
    announced("Label2", "")
    print("   a click on WordNum: announced as Numbers, Label2 empty")


if __name__ == "__main__":
    main()
