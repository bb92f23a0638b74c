#!/usr/bin/env bash
# The archive in a throw-away home with blanks in its path: one folder, no RPATH; install.sh
# registers an entry and metadata their validators pass without a warning, the same on a second
# run; the entry's Exec line starts the program in the window class it names; uninstall.sh, run
# twice, leaves the home as it was. Neither writes through a link planted at a guessable name,
# replaces or removes a file it did not write, or registers a folder name an entry cannot carry.
source "$(dirname "$0")/lib.bash" "$@"
id=org.quorvel.Quorvel
export HOME="$tmp/home dir" && unset XDG_DATA_HOME && mkdir -p "$HOME/Portable apps" "$tmp/elsewhere"

echo "== cpack"
(cd "$(dirname "$bin")/.." && cpack -G TGZ -B "$tmp/pkg" >"$tmp/log" 2>&1) || fail "$(cat "$tmp/log")"
archive=$(echo "$tmp"/pkg/Quorvel-*-Linux.tar.gz)
top=$(basename "$archive" .tar.gz) app="$HOME/Portable apps/$(basename "$archive" .tar.gz)"
! tar tzf "$archive" | grep -v "^$top/" || fail "the archive members above lie outside $top/"
tar xzf "$archive" -C "$HOME/Portable apps"
for f in Pub{Czech,English,French,Italian,Portuguese,Spanish}.txt README.txt LICENSE{,.wordlists}; do
  [[ -f $app/$f ]] || fail "the archive lacks $top/$f"
done
! readelf -d "$app/quorvel" | grep -E 'RPATH|RUNPATH' || fail "the program carries the RPATH above"

echo "== install.sh"
snapshot() { (cd "$HOME" && find . -path "./Portable apps" -prune -o -print -type f -exec sha256sum {} + | LC_ALL=C sort); }
snapshot >"$tmp/before"
bash "$app/install.sh" >"$tmp/log" 2>&1 || fail "install.sh: $(cat "$tmp/log")"
share=$HOME/.local/share entry=$HOME/.local/share/applications/$id.desktop
cmp "$app/quorvel.png" "$share/icons/hicolor/48x48/apps/$id.png" &&
  cmp "$app/quorvel-96.png" "$share/icons/hicolor/96x96/apps/$id.png" &&
  cmp "$app/$id.metainfo.xml" "$share/metainfo/$id.metainfo.xml" || fail "install.sh installed the above"
report=$(desktop-file-validate "$entry" 2>&1) && ! grep -E ': (error|warning): ' <<<"$report" ||
  fail "desktop-file-validate: $report"
# Laid out as a system holds it, so that the validator finds the entry the metadata launches.
mkdir -p "$tmp/tree/usr" && ln -s "$share" "$tmp/tree/usr/share"
appstreamcli validate-tree --no-net --strict "$tmp/tree" >&2 || fail "appstreamcli rejects the tree"
snapshot >"$tmp/installed"
bash "$app/install.sh" --quiet || fail "install.sh failed the second time"
snapshot | diff "$tmp/installed" - >&2 || fail "a second install.sh changed the above"

echo "== the program from the entry's Exec line"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
eval "argv=(${exec_line//\\\\/\\})" # string escapes first, then the quoting
[[ ${#argv[@]} == 1 && ${argv[0]} == "$app/quorvel" ]] || fail "Exec=$exec_line"
cd "$tmp/elsewhere" && start "${argv[@]}"
window Quorvel
xprop -id "$win" WM_CLASS | grep -qF "\"$(sed -n 's/^StartupWMClass=//p' "$entry")\"" ||
  fail "the window's $(xprop -id "$win" WM_CLASS), not the entry's StartupWMClass"
keys alt+f e && wait_exit
((rc == 0)) || fail "File > Exit ended with status $rc"

echo "== uninstall.sh, twice"
for round in 1 2; do
  bash "$app/uninstall.sh" --quiet || fail "uninstall.sh failed"
  snapshot | diff "$tmp/before" - >&2 || fail "after uninstall.sh the home differs as above"
done

echo "== a link planted where install.sh once wrote, a cache rewritten by another program"
key=$tmp/key && printf secret >"$key" && chmod 600 "$key" && mkdir -p "$share/applications" "$share/metainfo"
(ln -s "$key" "$entry.tmp-$BASHPID" && exec bash "$app/install.sh" --quiet) && echo >>"${cache=$share/applications/mimeinfo.cache}" &&
  bash "$app/uninstall.sh" --quiet && [[ $(stat -c %a "$key") == 600 && $(<"$key") == secret && -L $(echo "$entry".tmp-*) && -f $cache ]] ||
  fail "a planted link, $key or the rewritten $cache changed"
for row in 50% $'a\tb' $'\xff' "$entry" "$share/metainfo/$id.metainfo.xml"; do # each refused, nothing written
  dir=$app && [[ $row == /* ]] || { dir="$HOME/Portable apps/$row" && mv "$app" "$dir"; } # a folder name
  [[ $row != "$entry" ]] || printf mine >"$row" # the user's own entry
  [[ $row != *.xml ]] || ln -s "$key" "$row"    # a link
  snapshot >"$tmp/before"
  ! bash "$dir/install.sh" --quiet 2>/dev/null && snapshot | diff "$tmp/before" - >&2 && [[ ! -e $dir/.installed-files ]] ||
    fail "install.sh from $(printf %q "$dir") took $row"
  [[ $dir == "$app" ]] && rm "$row" || mv "$dir" "$app"
done
