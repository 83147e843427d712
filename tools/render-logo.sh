#!/usr/bin/env bash
# Renders the logo's PNGs from its vector source, data/icons/org.example.Zelvik.svg:
# the hicolor theme icons and the about box picture. The PNGs are kept in the
# repository, so a build needs no SVG renderer; run this after editing the SVG.
# Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
svg=$root/data/icons/org.example.Zelvik.svg

# The logo is a 16 by 16 pixel display: whole multiples of 16 keep its pixels sharp.
for size in 16 32 48 64 128 256; do
    out=$root/data/icons/hicolor/${size}x${size}/apps/org.example.Zelvik.png
    mkdir -p "$(dirname "$out")"
    rsvg-convert -w "$size" -h "$size" "$svg" -o "$out"
done
# The about box holds the logo at 6 screen pixels per display pixel.
rsvg-convert -w 96 -h 96 "$svg" -o "$root/src/app/resources/zelvik-logo.png"
echo "rendered the logo PNGs"
