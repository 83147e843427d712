#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Zelvik need,
# and only those that are missing. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools
    libgtest-dev libgmock-dev libbenchmark-dev
    # a real X server for the window tests, and a tool to find, type into and
    # close the windows
    xvfb xdotool
    # fonts for the offscreen and X11 runs
    fonts-dejavu-core
    # clang and its libFuzzer runtime for the fuzz targets (make fuzz)
    clang libclang-rt-14-dev
    # the formatting check (tools/check-format.sh) wants exactly version 14
    clang-format-14
    # the toolchains the exported sources are checked with
    gcc sdcc gcc-avr avr-libc avra mcu8051ide
    # the simulated ATmega328P and SSD1306 the firmware example runs on
    simavr libsimavr-dev libsimavrparts1 libelf-dev
    # screenshots of the real window (import), comparing them (compare), and a
    # second reader of the character set picture
    imagemagick
    # installing: the man page, the checks of the menu entry and the AppStream
    # metadata, and CPack's Debian package (dpkg-shlibdeps, file)
    help2man desktop-file-utils appstream dpkg-dev file
    # real BDF fonts and the programs and library BDF imports and exports are
    # checked with: X11's fonts, pcf2bdf, bdftopcf, otf2bdf, FreeType
    xfonts-base pcf2bdf xfonts-utils otf2bdf libfreetype-dev
    # the editor reads the font configuration early, beside its start-up
    libfontconfig-dev
    # the LVGL export's checks: Node.js for LVGL's font converter, and
    # fontTools to build the TrueType font it reads
    nodejs python3-fonttools
    # failed syncs injected into the real zelvik-cli
    strace
)
# Debian's npm, unless the machine's Node.js brings its own.
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then
        sudo=()
    else
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# npm packages go into the checkout, by the project's own script.
"$(dirname "$0")/install-lv-font-conv.sh"
