#!/usr/bin/env bash
# The AppStream metainfo must pass `appstreamcli validate --strict` (any error or warning
# fails; pedantic hints do not), also as part of an installed tree beside the desktop entry it
# launches and the icon, and its screenshots must name the size of the images in docs/.
# usage: bash metadata.sh [path/to/quorvel]   (the program path is not needed here)
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
id=org.quorvel.Quorvel
meta=$root/packaging/$id.metainfo.xml
entry=$root/packaging/$id.desktop

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

[[ -f "$meta" ]] || fail "$meta is missing"
appstreamcli validate --no-net --strict "$meta" >&2 || fail "appstreamcli rejects $meta"

# The same files laid out as a system would install them: the launchable must be found.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
share=$tmp/usr/share
mkdir -p "$share/metainfo" "$share/applications" "$share/icons/hicolor/48x48/apps"
cp "$meta" "$share/metainfo/"
cp "$entry" "$share/applications/"
cp "$root/src/platform/qt/quorvel.png" "$share/icons/hicolor/48x48/apps/$id.png"
appstreamcli validate-tree --no-net --strict "$tmp" >&2 ||
  fail "appstreamcli validate-tree rejects the metainfo beside $id.desktop"

# Each screenshot names a docs/ image by its file name; its width and height must be the
# image's, and the default one is the main screenshot.
python3 - "$meta" "$root/docs" <<'PY'
import os, struct, sys, xml.etree.ElementTree as ET

meta, docs = sys.argv[1], sys.argv[2]
root = ET.parse(meta).getroot()
shots = root.findall("./screenshots/screenshot")
if not shots:
    sys.exit("FAIL: the metainfo has no screenshot")
seen = []
for shot in shots:
    image = shot.find("image")
    name = image.text.strip().rsplit("/", 1)[-1]
    path = os.path.join(docs, name)
    if not os.path.isfile(path):
        sys.exit(f"FAIL: the screenshot {image.text.strip()} has no docs/{name}")
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"FAIL: docs/{name} is not a PNG")
    width, height = struct.unpack(">II", head[16:24])
    named = (int(image.get("width", 0)), int(image.get("height", 0)))
    if named != (width, height):
        sys.exit(f"FAIL: the metainfo says docs/{name} is {named[0]}x{named[1]}, it is {width}x{height}")
    seen.append((shot.get("type"), name))
if ("default", "screenshot.png") not in seen:
    sys.exit("FAIL: docs/screenshot.png is not the default screenshot")
print("metainfo screenshots: " + ", ".join(f"{n}" for _, n in seen))
PY
echo "metainfo: valid"
