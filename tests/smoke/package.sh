#!/usr/bin/env bash
# The portable archive, end to end, in a throw-away home whose path holds a blank:
#   1. `cpack -G TGZ` from the build folder makes Quorvel-<version>-Linux.tar.gz, one folder
#      with the program (no RPATH), the word files, icon, metadata, licences and scripts;
#   2. its install.sh registers a valid desktop entry whose Exec is the unpacked quorvel, the
#      icon and the metainfo under $HOME/.local/share, and running it again changes nothing;
#   3. the program started from that Exec line (from another working folder) maps its
#      "Quorvel" window, which it only does once PubEnglish.txt is loaded, with the WM_CLASS
#      the entry's StartupWMClass names, and File > Exit ends it with status 0;
#   4. uninstall.sh leaves the home exactly as it was before install.sh, twice over.
# The real $HOME is never used.
# usage: bash package.sh path/to/build/bin/quorvel
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/lib/common.bash" "$@"
build=$(cd "$(dirname "$bin")/.." && pwd)
id=org.quorvel.Quorvel

# Everything the scripts and the program might write goes below $tmp.
real_home=${HOME:-}
real_entry=${XDG_DATA_HOME:-$real_home/.local/share}/applications/$id.desktop
real_entry_before=absent
[[ ! -e "$real_entry" ]] || real_entry_before=present
home="$tmp/home dir"
mkdir -p "$home" "$tmp/xdg-config" "$tmp/xdg-cache" "$tmp/elsewhere"
mkdir -m 700 "$tmp/runtime"
export HOME=$home XDG_CONFIG_HOME=$tmp/xdg-config XDG_CACHE_HOME=$tmp/xdg-cache
export XDG_RUNTIME_DIR=$tmp/runtime
unset XDG_DATA_HOME

# --- 1. the archive -------------------------------------------------------------------------
echo "== cpack"
[[ -f "$build/CPackConfig.cmake" ]] || fail "$build/CPackConfig.cmake is missing"
(cd "$build" && cpack -G TGZ -B "$tmp/pkg" --config CPackConfig.cmake >"$tmp/cpack.log" 2>&1) ||
  { cat "$tmp/cpack.log" >&2; fail "cpack -G TGZ failed"; }
shopt -s nullglob
archives=("$tmp/pkg"/Quorvel-*-Linux.tar.gz)
shopt -u nullglob
((${#archives[@]} == 1)) || fail "expected one Quorvel-<version>-Linux.tar.gz, found ${#archives[@]}"
archive=${archives[0]}
top=$(basename "$archive" .tar.gz)
tar tzf "$archive" >"$tmp/members" || fail "tar cannot list $archive"
if grep -v "^$top/" "$tmp/members" >&2; then
  fail "archive members above outside the single folder $top/"
fi
for f in quorvel PubCzech.txt PubEnglish.txt PubFrench.txt PubItalian.txt PubPortuguese.txt \
  PubSpanish.txt quorvel.png quorvel-96.png "$id.desktop" "$id.metainfo.xml" README.txt LICENSE \
  LICENSE.wordlists install.sh uninstall.sh; do
  grep -qxF "$top/$f" "$tmp/members" || fail "the archive lacks $top/$f"
done

apps="$home/Portable apps"
mkdir -p "$apps"
tar xzf "$archive" -C "$apps"
app="$apps/$top"
for f in quorvel install.sh uninstall.sh; do
  [[ -x "$app/$f" ]] || fail "$top/$f is not executable"
done
if readelf -d "$app/quorvel" | grep -E 'RPATH|RUNPATH' >&2; then
  fail "the packed program carries the RPATH above; Qt comes from the system"
fi
cmp -s "$app/PubEnglish.txt" "$(dirname "$bin")/PubEnglish.txt" ||
  fail "the packed PubEnglish.txt differs from the build's"
echo "   $(basename "$archive"): $(wc -l <"$tmp/members") members under $top/"

# --- 2. install.sh --------------------------------------------------------------------------
echo "== install.sh"
snapshot() { (cd "$home" && find . -path "./Portable apps/$top" -prune -o -print | LC_ALL=C sort); }
snapshot >"$tmp/before"
data="$home/.local/share"
entry="$data/applications/$id.desktop"
icon="$data/icons/hicolor/48x48/apps/$id.png"
meta="$data/metainfo/$id.metainfo.xml"

bash "$app/install.sh" >"$tmp/install.log" 2>&1 ||
  { cat "$tmp/install.log" >&2; fail "install.sh failed"; }
for f in "$entry" "$icon" "$meta"; do
  [[ -f "$f" ]] || fail "install.sh did not write $f"
done
cmp -s "$icon" "$app/quorvel.png" || fail "the installed icon is not the packed quorvel.png"
cmp -s "$data/icons/hicolor/96x96/apps/$id.png" "$app/quorvel-96.png" ||
  fail "the installed 96x96 icon is not the packed quorvel-96.png"
cmp -s "$meta" "$app/$id.metainfo.xml" || fail "the installed metainfo differs from the packed one"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the installed entry"
grep -qxF "Icon=$id" "$entry" || fail "the installed entry's Icon is not $id"

# The Exec line, read the way a desktop reads it: string escapes, then quoting, then %%.
exec_argv() {
  python3 - "$1" <<'PY'
import re, shlex, sys
value = None
group = None
for line in open(sys.argv[1], encoding="utf-8"):
    line = line.rstrip("\n")
    if line.startswith("["):
        group = line
    elif group == "[Desktop Entry]" and line.startswith("Exec="):
        value = line[len("Exec="):]
if value is None:
    sys.exit("no Exec key in [Desktop Entry]")
value = re.sub(r"\\(.)", lambda m: {"s": " ", "n": "\n", "t": "\t", "r": "\r"}.get(m.group(1), m.group(1)), value)
args = [a.replace("%%", "%") for a in shlex.split(value) if not re.fullmatch(r"%[fFuUick]", a)]
sys.stdout.write("\0".join(args) + "\0")
PY
}
mapfile -d '' argv < <(exec_argv "$entry") || true
((${#argv[@]} >= 1)) || fail "cannot read the Exec line of $entry"
[[ "${argv[0]}" == "$app/quorvel" ]] ||
  fail "Exec runs '${argv[0]}', not the unpacked '$app/quorvel'"
((${#argv[@]} == 1)) || fail "Exec passes arguments: ${argv[*]:1}"

# Running it again leaves the same files with the same contents.
(cd "$home" && find . -path "./Portable apps" -prune -o -type f -print0 | LC_ALL=C sort -z |
  xargs -0 sha256sum) >"$tmp/first"
bash "$app/install.sh" --quiet || fail "install.sh failed the second time"
(cd "$home" && find . -path "./Portable apps" -prune -o -type f -print0 | LC_ALL=C sort -z |
  xargs -0 sha256sum) >"$tmp/second"
diff "$tmp/first" "$tmp/second" >&2 || fail "a second install.sh changed the files above"
echo "   registered: Exec=$(grep '^Exec=' "$entry" | cut -d= -f2-)"

# --- 3. start from the Exec line ------------------------------------------------------------
echo "== start from the menu entry"
(cd "$tmp/elsewhere" && exec "${argv[@]}") &
pid=$!
win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quorvel$' 2>/dev/null | head -n1) || true
[[ -n "$win" ]] || fail "no mapped \"Quorvel\" window within 30 s"
sleep 0.5
running "$pid" || fail "the program ended by itself after showing its window"
if xdotool search --onlyvisible --name '^Error$' >/dev/null 2>&1; then
  fail "an \"Error\" box is open beside the window"
fi
[[ "$(xdotool getwindowname "$win")" == Quorvel ]] || fail "the window title is not \"Quorvel\""
wm_class=$(grep '^StartupWMClass=' "$entry" | cut -d= -f2-)
xprop -id "$win" WM_CLASS | grep -qF "\"$wm_class\"" ||
  fail "the window's $(xprop -id "$win" WM_CLASS) lacks the entry's StartupWMClass $wm_class"
xdotool windowfocus --sync "$win" || fail "cannot focus the \"Quorvel\" window"
xdotool key alt+f || true
sleep 0.5 # let the menu open before its item's key arrives
xdotool key e || true
wait_exit "$pid" 5
pid=""
((rc == 0)) || fail "File > Exit ended the program with status $rc"
echo "   window \"Quorvel\" shown; File > Exit ended it with status 0"

# --- 4. uninstall.sh ------------------------------------------------------------------------
echo "== uninstall.sh"
bash "$app/uninstall.sh" >"$tmp/uninstall.log" 2>&1 ||
  { cat "$tmp/uninstall.log" >&2; fail "uninstall.sh failed"; }
for f in "$entry" "$icon" "$meta" "$app/.installed-files"; do
  [[ ! -e "$f" ]] || fail "uninstall.sh left $f"
done
snapshot >"$tmp/after"
diff "$tmp/before" "$tmp/after" >&2 || fail "after uninstall.sh the home differs as above"
bash "$app/uninstall.sh" --quiet || fail "a second uninstall.sh failed"
snapshot >"$tmp/after2"
diff "$tmp/before" "$tmp/after2" >&2 || fail "a second uninstall.sh changed the home"

real_entry_after=absent
[[ ! -e "$real_entry" ]] || real_entry_after=present
[[ "$real_entry_before" == "$real_entry_after" ]] || fail "the real $real_entry was touched"
echo "   the home is as it was before install.sh"
echo "package: all checks passed"
