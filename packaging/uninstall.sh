#!/usr/bin/env bash
# Removes the desktop registration that install.sh made from this folder: the files, folders
# and caches listed in .installed-files, and nothing else. A listed file that has changed since
# is left alone, and a listed cache that something else has rewritten since is refreshed
# instead. Safe to run again.
# This folder itself, with the program and any private lists, stays; delete it by hand.
# usage: bash uninstall.sh [--quiet]
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd -P)
manifest=$here/.installed-files
quiet=0
[[ "${1:-}" == --quiet ]] && quiet=1

say() { ((quiet)) || echo "$@"; }

if [[ ! -f "$manifest" ]]; then
  say "Quorvel is not registered from $here; nothing to remove."
  exit 0
fi

files=()
dirs=()
caches=()
while IFS= read -r line || [[ -n "$line" ]]; do
  case "$line" in
    "file "*) files+=("${line#file }") ;;
    "dir "*) dirs+=("${line#dir }") ;;
    "cache "*) caches+=("${line#cache }") ;;
    "") ;;
    *) echo "uninstall.sh: skipping an unknown line in $manifest: $line" >&2 ;;
  esac
done <"$manifest"

for entry in "${files[@]}"; do
  sum=${entry%% *}
  path=${entry#* }
  [[ -f "$path" && ! -L "$path" ]] || continue
  if [[ "$(sha256sum <"$path" | cut -d' ' -f1)" == "$sum" ]]; then
    rm -f -- "$path"
    say "removed $path"
  else
    echo "uninstall.sh: $path has changed since it was installed; left in place" >&2
  fi
done

# Caches that this registration created go (menus and icon lookups work without them); those
# that were there before, or that something else has rewritten since, are refreshed without our
# entry and icon.
refresh_menu() {
  command -v update-desktop-database >/dev/null 2>&1 || return 0
  update-desktop-database -q "$1" 2>/dev/null || true
}
refresh_icons() {
  command -v gtk-update-icon-cache >/dev/null 2>&1 || return 0
  gtk-update-icon-cache -q -t "$1" 2>/dev/null || true
}
refresh() { # refresh CACHE
  if [[ $1 == */mimeinfo.cache ]]; then refresh_menu "${1%/*}"; else refresh_icons "${1%/*}"; fi
}
for entry in "${caches[@]}"; do
  c=${entry#* }
  [[ -f "$c" && ! -L "$c" ]] || continue
  if [[ "$(sha256sum <"$c" | cut -d' ' -f1)" == "${entry%% *}" ]]; then
    rm -f -- "$c"
    say "removed $c"
  else
    refresh "$c"
  fi
done
for entry in "${files[@]}"; do
  path=${entry#* }
  case "$path" in
    */applications/*.desktop) dir=$(dirname "$path") cache=mimeinfo.cache ;;
    */icons/hicolor/48x48/apps/*.png) dir=${path%/48x48/apps/*} cache=icon-theme.cache ;;
    *) continue ;;
  esac
  listed=0
  for c in "${caches[@]}"; do
    [[ "${c#* }" != "$dir/$cache" ]] || listed=1
  done
  if ((!listed)) && [[ -f "$dir/$cache" ]]; then
    refresh "$dir/$cache"
  fi
done

# Folders install.sh made, deepest first, and only once they are empty.
for ((i = ${#dirs[@]} - 1; i >= 0; i--)); do
  if rmdir -- "${dirs[i]}" 2>/dev/null; then
    say "removed ${dirs[i]}/"
  fi
done

rm -f -- "$manifest"
say "Quorvel's desktop registration is removed."
