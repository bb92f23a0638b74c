#!/usr/bin/env bash
# Registers this unpacked Quorvel folder with the desktop for the current user only: a menu
# entry whose Exec is this folder's quorvel, its icon and its AppStream metainfo, all under
# ${XDG_DATA_HOME:-$HOME/.local/share}. Nothing outside that folder and this one is written.
# Every file and folder it makes is listed in .installed-files here, so uninstall.sh removes
# exactly those; a file in the way that it did not write itself stops it before it writes
# anything. Safe to run again, for example after moving this folder.
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
# The manifest holds a path a line; a desktop entry's text is UTF-8 without control characters,
# and its Exec line gives % a meaning of its own.
if [[ "$here$data" == *[$'\n\r']* ]] || LC_ALL=C grep -q '[[:cntrl:]%]' <<<"$here" ||
  ! iconv -f UTF-8 -t UTF-8 <<<"$here" >/dev/null 2>&1; then
  die "the folder name $(printf %q "$here") holds %, a control character or bytes that are not" \
    "UTF-8, which a menu entry cannot carry; rename or move the folder and try again"
fi

applications=$data/applications
icons=$data/icons/hicolor
icon_dir=$icons/48x48/apps
icon_dir_96=$icons/96x96/apps
metainfo=$data/metainfo

# Only what this folder's last run wrote, unchanged since, may be replaced: the user's own entry,
# another copy's, or a link, stays as it is.
for dest in "$applications/$id.desktop" "$icon_dir/$id.png" "$icon_dir_96/$id.png" \
  "$metainfo/$id.metainfo.xml"; do
  [[ -e "$dest" || -L "$dest" ]] || continue
  [[ -f "$dest" && ! -L "$dest" && -f "$manifest" ]] &&
    grep -qxF "file $(sha256sum <"$dest" | cut -d' ' -f1) $dest" "$manifest" ||
    die "$dest is not one that install.sh wrote here; it is left alone. Move it away and try again"
done

# A previous registration (perhaps of this folder at another place) goes first, so running
# this again leaves one registration and one manifest.
if [[ -f "$manifest" ]]; then
  bash "$here/uninstall.sh" --quiet
fi

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

# fresh DEST: a new file that mktemp makes beside DEST under a name nobody can plant a link at.
temps=()
fresh() {
  tmp=$(mktemp "$(dirname "$1")/.${1##*/}.XXXXXX")
  temps+=("$tmp")
}

# put SOURCE DEST: writes DEST (mode 644) through a fresh file, recording its checksum; what has
# appeared at DEST since the check above is never replaced.
put() {
  fresh "$2"
  cat -- "$1" >"$tmp"
  chmod 644 "$tmp"
  { mv -nT -- "$tmp" "$2" && [[ ! -e "$tmp" ]]; } || die "$2 appeared meanwhile; it is left alone"
  entries+=("file $(sha256sum <"$2" | cut -d' ' -f1) $2")
}

# exec_arg PATH: PATH as one argument of an Exec key. Reserved characters mean the argument is
# double-quoted with \ " ` $ escaped; then, as in every string value, \ is doubled.
exec_arg() {
  local arg=$1
  if [[ "$arg" =~ [^A-Za-z0-9/._+,@:=-] ]]; then
    arg=${arg//\\/\\\\}
    arg=${arg//\"/\\\"}
    arg=${arg//\`/\\\`}
    arg=${arg//\$/\\\$}
    arg="\"$arg\""
  fi
  printf '%s' "${arg//\\/\\\\}"
}

# string_value TEXT: TEXT as a string value (TryExec): \ is doubled, a leading blank escaped.
string_value() {
  local value=${1//\\/\\\\}
  [[ "$value" == " "* ]] && value="\\s${value:1}"
  printf '%s' "$value"
}

work=$(mktemp -d)
trap 'rm -rf "$work" && rm -f -- "${temps[@]}"' EXIT

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
  [[ -e "$c" || -L "$c" ]] && cache_existed[$c]=1
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
    entries+=("cache $(sha256sum <"$c" | cut -d' ' -f1) $c")
  fi
done

fresh "$manifest"
printf '%s\n' "${entries[@]}" >"$tmp"
mv -fT -- "$tmp" "$manifest"

say "Quorvel is registered for $(id -un 2>/dev/null || echo this user): the menu entry starts"
say "  $here/quorvel"
say "Run $here/uninstall.sh to remove the registration."
