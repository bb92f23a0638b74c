#!/usr/bin/env bash
# The shipped desktop entry must pass desktop-file-validate with no error and no warning, be
# named after the application id, and launch the program with the id's icon.
# usage: bash desktop_entry.sh [path/to/quorvel]   (the program path is not needed here)
set -euo pipefail

id=org.quorvel.Quorvel
entry="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/packaging/$id.desktop"
[[ -f "$entry" ]] || { echo "FAIL: $entry is missing" >&2; exit 1; }

# Warnings (deprecated keys, for one) leave the exit status at 0, so the output counts too.
report=$(desktop-file-validate "$entry" 2>&1) || {
  echo "$report" >&2
  echo "FAIL: desktop-file-validate rejects $entry" >&2
  exit 1
}
if grep -E ': (error|warning): ' <<<"$report" >&2; then
  echo "FAIL: desktop-file-validate reports the issues above for $entry" >&2
  exit 1
fi

for line in 'Type=Application' 'Name=Quorvel' 'Exec=quorvel' "Icon=$id" 'Terminal=false' \
  'StartupWMClass=quorvel'; do
  grep -qxF "$line" "$entry" || { echo "FAIL: $entry lacks the line $line" >&2; exit 1; }
done
echo "desktop entry: valid"
