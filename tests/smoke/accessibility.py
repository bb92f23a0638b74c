"""Run by accessibility.sh, with the Debian python3 and its pyatspi: PID WINDOW-ID. Reads the
program through AT-SPI while xdotool drives it: labels and buttons are named by the texts they
show, and stay so; a pick made with the keyboard alone is announced."""
import subprocess
import sys

from controls import controls, extents, until

pid, window = int(sys.argv[1]), sys.argv[2]
found = controls(pid)
said = lambda name, want, what="name": until(name, lambda: getattr(found[name], what), want)
for name, want in [("ListName", "PubEnglish"), ("PickCount", ""), ("ModeButton", "Words"),
                   ("CopyNumbers", "Copy Num"), ("CopyWords", "Copy Word"),
                   ("CopyBox", "Copy box")]:
    said(name, want)
# Keyboard only: from the entry box, Tab passes the word list to the candidates.
subprocess.run(["xdotool", "windowfocus", "--sync", window, "key", "--delay", "100",
                "a", "b", "Tab", "Tab", "Down"], check=True)
said("PickCount", "01")
text = found["CopyBox"].queryText()
until("the copy box", lambda: text.getText(0, text.characterCount), "0001 abandon\n")
x, y, width, height = extents(found["ModeButton"])
subprocess.run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2), "click", "1"],
               check=True)
said("ModeButton", "Numbers")
said("ModeButton", "Click To Change To Words Input", "description")
said("PickCount", "")
