#!/usr/bin/env bash
# Renders the PNG icons of the hicolor theme from the hand-drawn SVG. The PNGs are kept in
# the repository so that building never needs the renderer; run this after editing the SVG.
# Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
icons="$(cd "$(dirname "$0")/../data/icons/hicolor" && pwd)"
name=com.korvelsoftware.Lastling
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}/apps"
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$icons/${size}x${size}/apps/$name.png" "$icons/scalable/apps/$name.svg"
done
echo "rendered the icons in $icons"
