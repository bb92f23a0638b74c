"""The controls on the accessibility bus, found by what a screen reader hears: names, or for the
labels without a caption, descriptions. `controls.py PID` prints each one's centre (and Row, the
candidates' first row) as shell assignments, for xdotool to click."""
import sys
import time

import pyatspi

WANTED = {"ListName": (None, "Name of the loaded word list"),  # name, description; None: any
          "PickCount": (None, "Number of entries picked"), "CopyBox": ("Copy box", None),
          "EntryBox": ("Entry box", None), "Candidates": ("Candidates", None),
          "WordList": ("Word list", None), "CopyNumbers": ("Copy Num", None),
          "CopyWords": ("Copy Word", None), "ModeButton": (None, "Click To Change To Number Input")}


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


def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def controls(pid):
    def found():
        ours = [a for a in pyatspi.Registry.getDesktop(0) if a and a.get_process_id() == pid]
        seen = {key: c for app in ours for frame in app for area in frame for c in area
                for key, (name, about) in WANTED.items()
                if name in (None, c.name) and about in (None, c.description)}
        return seen if len(seen) == len(WANTED) else None
    return until("the controls on the accessibility bus", found)


if __name__ == "__main__":
    found = controls(int(sys.argv[1]))
    for key, (x, y, width, height) in ((k, extents(a)) for k, a in found.items()):
        print(f'{key}="{x + width // 2} {y + height // 2}"')
    # The candidates' rows lie where the word list's do, in the same font.
    (_, top, _, _), (_, row, _, height) = extents(found["WordList"]), extents(found["WordList"][0])
    x, y, width, _ = extents(found["Candidates"])
    print(f'Row="{x + width // 2} {y + row - top + height // 2}"')
