#!/usr/bin/env bash
# Installs LVGL's font converter, lv_font_conv 1.5.3, from npm into .tools/npm
# of this checkout (not committed), where the LVGL export tests run it.
# Does nothing when that version is there already.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
prefix="$root/.tools/npm"
version=1.5.3
installed="$prefix/node_modules/lv_font_conv/package.json"
if [ -f "$installed" ] && grep -q "\"version\": \"$version\"" "$installed"; then
    exit 0
fi
mkdir -p "$prefix"
echo "Installing lv_font_conv $version into $prefix"
npm install --prefix "$prefix" --no-audit --no-fund --no-save "lv_font_conv@$version"
