#!/usr/bin/env bash
# Zelvik installed as a desktop program, checked from a finished build folder:
#  1. `cmake --install` into a scratch prefix: both programs, the manual with
#     every file of help/, the menu entry, the icons, the AppStream metadata
#     and the man page;
#  2. desktop-file-validate and `appstreamcli validate --no-net` on them;
#  3. the installed editor, started from an empty folder, opens the manual
#     installed beside it on F1;
#  4. CPack's .deb: its files and its Qt dependencies;
#  5. the .deb installed with apt, zelvik-cli run from /usr/bin, and removed.
# Usage: tools/package-check.sh [BUILD_DIR]   (Makefile: make package-check)
# Step 5 installs into /usr, so it needs root or sudo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}
need() {
    command -v "$1" >/dev/null 2>&1 || fail "$1 is not installed (tools/install-deps.sh installs it)"
}
for tool in cmake cpack desktop-file-validate appstreamcli dpkg-deb apt-get; do need "$tool"; done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "$build is no configured build folder"

echo "== install tree"
prefix=$scratch/usr
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/zelvik bin/zelvik-cli \
    share/applications/org.example.Zelvik.desktop \
    share/metainfo/org.example.Zelvik.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.example.Zelvik.svg \
    share/icons/hicolor/48x48/apps/org.example.Zelvik.png \
    share/icons/hicolor/256x256/apps/org.example.Zelvik.png \
    share/man/man1/zelvik-cli.1.gz \
    share/zelvik/help/help_eng.html; do
    [ -f "$prefix/$f" ] || fail "the install tree lacks $f"
done
[ -x "$prefix/bin/zelvik" ] && [ -x "$prefix/bin/zelvik-cli" ] || fail "the programs are not executable"
# The editor finds its manual from its own folder.
[ -f "$prefix/bin/../share/zelvik/help/help_eng.html" ] || fail "no manual beside bin/"
(cd "$root/help" && find . -type f) | while read -r f; do
    [ -f "$prefix/share/zelvik/help/$f" ] || fail "the installed manual lacks $f"
done
zcat "$prefix/share/man/man1/zelvik-cli.1.gz" | grep -q '^\.TH ZELVIK-CLI "1"' || fail "the man page has no title line"
zcat "$prefix/share/man/man1/zelvik-cli.1.gz" | grep -q 'export FONT.fnt' || fail "the man page lacks the commands of --help"
[ "$("$prefix/bin/zelvik-cli" --version)" = "zelvik-cli $version" ] || fail "the installed zelvik-cli --version is not $version"
# The drawing commands live in a module installed apart from the program.
[ -n "$(find "$prefix" -path '*/zelvik/zelvik-cli-draw.so')" ] ||
    fail "the install tree lacks zelvik-cli's drawing module"
"$prefix/bin/zelvik-cli" generate --family "DejaVu Sans" --pixel-size 12 --codes digits \
    --identifier d12 -o "$scratch/d12.fnt" || fail "the installed zelvik-cli generate failed"
"$prefix/bin/zelvik-cli" image "$scratch/d12.fnt" -o "$scratch/d12.bmp" &&
    [ -s "$scratch/d12.bmp" ] || fail "the installed zelvik-cli image failed"
echo "ok: $(find "$prefix" -type f | wc -l) files"

echo "== desktop entry and AppStream metadata"
desktop-file-validate "$prefix/share/applications/org.example.Zelvik.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/org.example.Zelvik.metainfo.xml"

echo "== F1 in the installed editor"
"$root/tests/smoke/zelvik_f1.sh" "$prefix/bin/zelvik" "$prefix/share/zelvik/help/help_eng.html"

echo "== Debian package"
cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
deb=$(ls "$scratch"/package/zelvik_*.deb)
echo "$(basename "$deb")"
contents=$(dpkg-deb -c "$deb")
for f in ./usr/bin/zelvik ./usr/bin/zelvik-cli ./usr/share/zelvik/help/help_eng.html \
    ./usr/share/applications/org.example.Zelvik.desktop ./usr/share/man/man1/zelvik-cli.1.gz; do
    grep -q " $f\$" <<<"$contents" || fail "the package lacks $f"
done
grep -q '/zelvik/zelvik-cli-draw.so$' <<<"$contents" || fail "the package lacks zelvik-cli's drawing module"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libc6 libstdc++6; do
    grep -q "\\b$lib\\b" <<<"$depends" || fail "the package does not depend on $lib"
done

echo "== apt install, run, remove"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
if dpkg-query -W -f='${Status}' zelvik 2>/dev/null | grep -q "install ok installed"; then
    fail "a zelvik package is installed already; remove it first"
fi
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
remove() { DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove --purge -y -qq zelvik >/dev/null; }
trap 'remove; rm -rf "$scratch"' EXIT
# A font to look at: version 1.0, identifier abc, nothing defined but the blank.
font=$scratch/new.fnt
{
    printf 'Zelvik_glyphV1.0abc\0\020'
    for _ in $(seq 0 255); do
        printf '\0\010'
        head -c 128 /dev/zero
    done
    printf 'blank\0\010'
    head -c 128 /dev/zero
} >"$font"
(
    cd /
    [ "$(command -v zelvik-cli)" = /usr/bin/zelvik-cli ] || fail "zelvik-cli is not on the PATH as /usr/bin/zelvik-cli"
    zelvik-cli --version
    [ "$(zelvik-cli --version)" = "zelvik-cli $version" ] || fail "zelvik-cli --version"
    info=$(zelvik-cli info "$font")
    echo "$info"
    grep -q '^identifier: abc$' <<<"$info" || fail "zelvik-cli info did not read the font"
    zelvik-cli image "$font" -o "$scratch/abc.bmp" && [ -s "$scratch/abc.bmp" ] ||
        fail "the packaged zelvik-cli image failed (its drawing module?)"
    [ -f /usr/share/zelvik/help/help_eng.html ] || fail "the package put no manual into /usr/share/zelvik/help"
)
remove
trap 'rm -rf "$scratch"' EXIT
[ ! -e /usr/bin/zelvik-cli ] || fail "removing the package left /usr/bin/zelvik-cli"
echo "package-check passed"
