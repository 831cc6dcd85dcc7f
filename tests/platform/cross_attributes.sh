#!/usr/bin/env bash
# Checks that the native and the Windows build (under Wine) store and read file attributes the
# same way on one Linux disk: each build makes a folder of hidden, system and read-only entries,
# and each folder is read by both builds. All four readings must match the expected text.
#
#   tests/platform/cross_attributes.sh NATIVE_QV_ATTRTOOL WINDOWS_QV_ATTRTOOL_EXE
set -euo pipefail

if [[ $# -ne 2 ]]; then
    echo "usage: $(basename "$0") NATIVE_TOOL WINDOWS_TOOL" >&2
    exit 2
fi
native_tool=$1
windows_tool=$2
here=$(cd "$(dirname "$0")" && pwd)
wine_run=$here/../../tools/wine-run

work=$(mktemp -d "${TMPDIR:-/tmp}/qv-cross-attributes.XXXXXX")
cleanup() {
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

expected=$(cat <<'EOF'
normal.txt:
hidden.txt: hidden
system.txt: system
hidsys.txt: hidden system
readonly.txt: read-only
hidro.txt: hidden read-only
HiddenDir: directory hidden
SystemDir: directory system
Café €.txt:
normal files: Café €.txt normal.txt readonly.txt
normal and hidden files: Café €.txt hidden.txt hidro.txt normal.txt readonly.txt
entries and directories: Café €.txt normal.txt readonly.txt
EOF
)

# The folder as the Windows program sees it: Wine's Z: drive is the Linux root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

run() {
    local build=$1 verb=$2 dir=$3
    if [[ $build == native ]]; then
        "$native_tool" "$verb" "$dir"
    else
        "$wine_run" "$windows_tool" "$verb" "$(windows_path "$dir")"
    fi
}

status=0
for maker in native windows; do
    run "$maker" make "$work/made-by-$maker"
    for reader in native windows; do
        got=$(run "$reader" read "$work/made-by-$maker")
        if [[ $got != "$expected" ]]; then
            echo "FAIL: made by the $maker build, read by the $reader build:" >&2
            diff <(echo "$expected") <(echo "$got") >&2 || true
            echo "on disk:" >&2
            (cd "$work/made-by-$maker" && for f in *; do
                printf '  %s mode=%s DOSATTRIB=%s\n' "$f" "$(stat -c %a "$f")" \
                    "$(python3 -c 'import os,sys
try: print(os.getxattr(sys.argv[1], "user.DOSATTRIB").decode())
except OSError: print("-")' "$f")"
            done) >&2
            status=1
        else
            echo "ok: made by the $maker build, read by the $reader build"
        fi
    done
done
exit "$status"
