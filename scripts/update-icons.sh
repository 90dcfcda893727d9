#!/usr/bin/env bash
# Redraws the installed icons from the window icon's artwork (src/ui/main/icon.xpm): the scalable
# SVG, one square per pixel so that it stays the same picture, and the PNGs the hicolor theme
# wants. Run it after changing the artwork and commit what it writes; the build only installs.
# Needs python3 and rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$root/packaging/icons
svg=$out/vora-tx-controller.svg

python3 - "$root/src/ui/main/icon.xpm" "$svg" <<'PY'
import re, sys
xpm, svg = sys.argv[1:]
rows = re.findall(r'"([^"]*)"', open(xpm).read())
width, height, ncolours, cpp = map(int, rows[0].split()[:4])
colours = {}
for line in rows[1:1 + ncolours]:
    key, _, value = line[:cpp], line[cpp:].split()[0], line[cpp:].split()[1]
    colours[key] = None if value.lower() == "none" else value.upper()
pixels = rows[1 + ncolours:1 + ncolours + height]

# One path per colour, each pixel a unit square of it: squares of one path share their edges, so
# a scaled rendering shows no seams between them. The opaque body goes first in the darkest
# colour, so that where two colours meet at a fraction of a pixel nothing shows through.
def runs(wanted):
    path = []
    for y, row in enumerate(pixels):
        x = 0
        while x < width:
            key = row[x * cpp:(x + 1) * cpp]
            run = 1
            while x + run < width and row[(x + run) * cpp:(x + run + 1) * cpp] == key:
                run += 1
            if wanted(key):
                path.append(f"M{x} {y}h{run}v1h-{run}z")
            x += run
    return "".join(path)

body = min((c for c in colours.values() if c), key=lambda c: sum(int(c[i:i + 2], 16) for i in (1, 3, 5)))
shapes = [(body, runs(lambda k: colours[k] is not None))]
for key, colour in colours.items():
    if colour and colour != body:
        shapes.append((colour, runs(lambda k, key=key: k == key)))
with open(svg, "w") as f:
    f.write('<?xml version="1.0" encoding="UTF-8"?>\n')
    f.write('<!-- Drawn by scripts/update-icons.sh from src/ui/main/icon.xpm. -->\n')
    f.write(f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}" shape-rendering="crispEdges">\n')
    f.write('<title>Vora TX Controller</title>\n')
    for colour, path in shapes:
        if path:
            f.write(f'<path fill="{colour}" d="{path}"/>\n')
    f.write('</svg>\n')
PY

# Below the artwork's own size, crisp edges would drop whole lines of it (the red base at 16 px):
# those sizes blend the pixels instead.
smooth=$(mktemp --suffix=.svg)
trap 'rm -f "$smooth"' EXIT
sed 's/shape-rendering="crispEdges"/shape-rendering="geometricPrecision"/' "$svg" >"$smooth"
for size in 16 22 24 32 48 64 128 256; do
    source=$svg
    ((size >= 32)) || source=$smooth
    rsvg-convert --width "$size" --height "$size" "$source" --output "$out/vora-tx-controller-$size.png"
done
echo "update-icons.sh: wrote $svg and its PNGs" >&2
