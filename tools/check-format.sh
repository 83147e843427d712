#!/usr/bin/env bash
# Every C and C++ file of src/, tests/, fuzz/ and bench/ must be as
# clang-format 14 leaves it with the repository's .clang-format. Another
# version breaks some lines differently, so only 14 is used.
# Prints each file and line that differs and exits 1 when there is one;
# `clang-format -i FILE` fixes it.
set -euo pipefail
cd "$(dirname "$0")/.."

format=""
for candidate in clang-format-14 clang-format; do
    if command -v "$candidate" >/dev/null &&
        "$candidate" --version | grep -q 'version 14\.'; then
        format="$candidate"
        break
    fi
done
if [ -z "$format" ]; then
    echo "check-format: clang-format 14 not found (tools/install-deps.sh installs it)" >&2
    exit 2
fi

mapfile -d '' files < <(find src tests fuzz bench -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0 | sort -z)
if "$format" --style=file --dry-run -Werror "${files[@]}"; then
    echo "check-format: ${#files[@]} files formatted"
else
    echo "check-format: run clang-format -i on the files above" >&2
    exit 1
fi
