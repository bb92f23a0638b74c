#!/usr/bin/env bash
# The shipped desktop entry must pass desktop-file-validate and launch the installed program.
# usage: bash desktop_entry.sh [path/to/quorvel]   (the program path is not needed here)
set -euo pipefail

entry="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/packaging/quorvel.desktop"
[[ -f "$entry" ]] || { echo "FAIL: $entry is missing" >&2; exit 1; }

desktop-file-validate "$entry" || { echo "FAIL: desktop-file-validate rejects $entry" >&2; exit 1; }

for line in 'Type=Application' 'Name=Quorvel' 'Exec=quorvel' 'Icon=quorvel' 'Terminal=false'; do
  grep -qxF "$line" "$entry" || { echo "FAIL: $entry lacks the line $line" >&2; exit 1; }
done
echo "desktop entry: valid"
