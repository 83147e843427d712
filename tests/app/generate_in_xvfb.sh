#!/usr/bin/env bash
# The generator's window tests in a real X server instead of the offscreen
# platform: the real main window generates a font through its button (the
# font dialog answered from the test's script), saves it, and the file must
# equal what zelvik-cli generate writes for the same choices.
# Usage: generate_in_xvfb.sh path/to/gui_tests
# Exits 77 (skipped) when Xvfb or xdotool is missing, unless CI is set: then it fails.
set -u
# shellcheck source=../smoke/window.sh
. "$(dirname "$0")/../smoke/window.sh"
gui_tests=${1:?usage: $0 path/to/gui_tests}
need_tools Xvfb xdotool
export QT_QPA_PLATFORM=xcb
log=$(mktemp)
trap 'rm -f "$log"' EXIT
in_x_server 120 "$gui_tests" \
    --gtest_filter='GenerateFont.GeneratedThroughTheButton*:GenerateFont.TheButtonRenders*:GenerateFont.CustomCharacters*' \
    2>&1 | tee "$log"
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || exit "$status"
# A renamed test would leave the filter matching nothing, and gtest content.
if ! grep -q '^\[  PASSED  \] 3 tests' "$log"; then
    echo "FAILED: expected the 3 generator window tests to run and pass"
    exit 1
fi
