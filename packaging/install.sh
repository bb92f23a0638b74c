#!/usr/bin/env bash
# Registers this unpacked Quorvel folder with the desktop for the current user only: a menu
# entry whose Exec is this folder's quorvel, its icon and its AppStream metainfo, all under
# ${XDG_DATA_HOME:-$HOME/.local/share}. Nothing outside that folder and this one is written.
# Every file and folder it makes is listed in .installed-files here, so uninstall.sh removes
# exactly those. Safe to run again, for example after moving this folder.
# usage: bash install.sh [--quiet]
set -euo pipefail

id=org.quorvel.Quorvel
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd -P)
manifest=$here/.installed-files
quiet=0
[[ "${1:-}" == --quiet ]] && quiet=1

say() { ((quiet)) || echo "$@"; }
die() {
  echo "install.sh: $*" >&2
  exit 1
}

# A relative XDG_DATA_HOME does not count (XDG base directory rules).
data=${XDG_DATA_HOME:-}
[[ "$data" == /* ]] || data=${HOME:?HOME is not set}/.local/share

for f in quorvel quorvel.png quorvel-96.png "$id.desktop" "$id.metainfo.xml"; do
  [[ -f "$here/$f" ]] || die "$here/$f is missing; run this script from the unpacked folder"
done
[[ -x "$here/quorvel" ]] || die "$here/quorvel is not executable"
case "$here$data" in
  *$'\n'* | *$'\r'*) die "a folder name holds a line break; move the folder and try again" ;;
esac

# A previous registration (perhaps of this folder at another place) goes first, so running
# this again leaves one registration and one manifest.
if [[ -f "$manifest" ]]; then
  bash "$here/uninstall.sh" --quiet
fi

applications=$data/applications
icons=$data/icons/hicolor
icon_dir=$icons/48x48/apps
icon_dir_96=$icons/96x96/apps
metainfo=$data/metainfo

entries=()

# make_dir DIR: creates DIR and its missing parents, recording each one made here.
make_dir() {
  local dir=$1 missing=()
  while [[ ! -d "$dir" ]]; do
    missing=("$dir" "${missing[@]}")
    dir=$(dirname "$dir")
  done
  local d
  for d in "${missing[@]}"; do
    mkdir "$d"
    entries+=("dir $d")
  done
}

# put SOURCE DEST: writes DEST (mode 644) through a temporary file, recording its checksum.
put() {
  local tmp="$2.tmp-$$"
  cp -- "$1" "$tmp"
  chmod 644 "$tmp"
  mv -f -- "$tmp" "$2"
  entries+=("file $(sha256sum <"$2" | cut -d' ' -f1) $2")
}

# exec_arg PATH: PATH as one argument of an Exec key. Reserved characters mean the argument is
# double-quoted with \ " ` $ escaped; % is doubled; then, as in every string value, \ is doubled.
exec_arg() {
  local arg=$1
  if [[ "$arg" =~ [^A-Za-z0-9/._+,@:=-] ]]; then
    arg=${arg//\\/\\\\}
    arg=${arg//\"/\\\"}
    arg=${arg//\`/\\\`}
    arg=${arg//\$/\\\$}
    arg="\"$arg\""
  fi
  arg=${arg//%/%%}
  printf '%s' "${arg//\\/\\\\}"
}

# string_value TEXT: TEXT as a string value (TryExec): \ is doubled, a leading blank escaped.
string_value() {
  local value=${1//\\/\\\\}
  [[ "$value" == " "* ]] && value="\\s${value:1}"
  printf '%s' "$value"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The shipped entry with Exec and TryExec pointing at this folder's program.
exec_line="Exec=$(exec_arg "$here/quorvel")"
tryexec_line="TryExec=$(string_value "$here/quorvel")"
while IFS= read -r line || [[ -n "$line" ]]; do
  case "$line" in
    Exec=*) printf '%s\n%s\n' "$tryexec_line" "$exec_line" ;;
    TryExec=*) ;;
    *) printf '%s\n' "$line" ;;
  esac
done <"$here/$id.desktop" >"$work/$id.desktop"
grep -qxF "$exec_line" "$work/$id.desktop" || die "$here/$id.desktop has no Exec line"

# Caches that the refresh tools below may create for the first time are ours to remove too.
caches=("$applications/mimeinfo.cache" "$icons/icon-theme.cache")
declare -A cache_existed=()
for c in "${caches[@]}"; do
  [[ -e "$c" ]] && cache_existed[$c]=1
done

make_dir "$applications"
make_dir "$icon_dir"
make_dir "$icon_dir_96"
make_dir "$metainfo"
put "$work/$id.desktop" "$applications/$id.desktop"
put "$here/quorvel.png" "$icon_dir/$id.png"
put "$here/quorvel-96.png" "$icon_dir_96/$id.png"
put "$here/$id.metainfo.xml" "$metainfo/$id.metainfo.xml"

# Menus pick the entry up without these; they only refresh caches, so failures do not matter.
if command -v update-desktop-database >/dev/null 2>&1; then
  update-desktop-database -q "$applications" 2>/dev/null || true
fi
if [[ -f "$icons/index.theme" ]] && command -v gtk-update-icon-cache >/dev/null 2>&1; then
  gtk-update-icon-cache -q -t "$icons" 2>/dev/null || true
fi
for c in "${caches[@]}"; do
  if [[ -z "${cache_existed[$c]:-}" && -f "$c" ]]; then
    entries+=("cache $c")
  fi
done

printf '%s\n' "${entries[@]}" >"$manifest.tmp-$$"
mv -f -- "$manifest.tmp-$$" "$manifest"

say "Quorvel is registered for $(id -un 2>/dev/null || echo this user): the menu entry starts"
say "  $here/quorvel"
say "Run $here/uninstall.sh to remove the registration."
