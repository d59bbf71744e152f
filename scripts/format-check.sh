#!/usr/bin/env bash
# format-check.sh: fails when a C or C++ file of the source folders is not as clang-format
# leaves it with the repository's .clang-format, and names every such file. The files are
# those git tracks (every file below the folders when the tree is no git checkout).
# The formatter is Debian 12's clang-format 14 (scripts/setup.sh installs it): another
# version formats some constructs differently, so it is refused rather than trusted.
# CLANG_FORMAT names another binary of version 14.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2
folders=(library xmlParser model app mainwindow dialogs reports language tools tests bench)
formatter=${CLANG_FORMAT:-clang-format}

if ! version=$("$formatter" --version 2>/dev/null); then
    echo "format-check: $formatter is missing (scripts/setup.sh installs clang-format)" >&2
    exit 2
fi
if ! grep -q 'version 14\.' <<<"$version"; then
    echo "format-check: $formatter is not version 14 ($version); set CLANG_FORMAT to one" >&2
    exit 2
fi

files=()
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    while IFS= read -r -d '' file; do
        files+=("$file")
    done < <(git ls-files -z -- "${folders[@]}")
else
    while IFS= read -r -d '' file; do
        files+=("${file#./}")
    done < <(find "${folders[@]}" -type f -print0 2>/dev/null)
fi
sources=()
for file in "${files[@]}"; do
    case "$file" in
    *.h | *.hpp | *.c | *.cpp | *.cc) [ -f "$file" ] && sources+=("$file") ;;
    esac
done
if [ "${#sources[@]}" -eq 0 ]; then
    echo "format-check: no source files found below ${folders[*]}" >&2
    exit 2
fi

# One formatter per file, as many at a time as there are processors; each prints the name
# of a file that differs (or that it could not format).
differing=$(printf '%s\0' "${sources[@]}" | xargs -0 -n 1 -P "$(nproc)" bash -c '
    set -o pipefail
    "$0" --style=file "$1" 2>/dev/null | cmp -s - "$1" || echo "$1"' "$formatter" | sort)

if [ -n "$differing" ]; then
    count=$(wc -l <<<"$differing")
    echo "format-check: $count of ${#sources[@]} files differ from .clang-format" \
        "(clang-format -i FILE mends one):"
    sed 's/^/  /' <<<"$differing"
    exit 1
fi
echo "format-check: all ${#sources[@]} files are formatted as .clang-format asks"
