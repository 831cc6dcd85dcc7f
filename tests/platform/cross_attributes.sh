#!/usr/bin/env bash
# Checks that the native and the Windows build (under Wine) store and read file attributes alike
# on one Linux disk: each build makes a folder with qv-attrtool, and both builds read each folder.
#   tests/platform/cross_attributes.sh NATIVE_QV_ATTRTOOL WINDOWS_QV_ATTRTOOL_EXE
set -euo pipefail
[[ $# -eq 2 ]] || { echo "usage: $(basename "$0") NATIVE_TOOL WINDOWS_TOOL" >&2; exit 2; }
native_tool=$1
windows_tool=$2
wine_run=$(cd "$(dirname "$0")/../../tools" && pwd)/wine-run
work=$(mktemp -d "${TMPDIR:-/tmp}/qv-cross-attributes.XXXXXX")
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT

# run BUILD VERB DIR. The Windows program sees the folder on Wine's Z: drive, the Linux root.
run() {
    if [[ $1 == native ]]; then
        "$native_tool" "$2" "$3"
    else
        "$wine_run" "$windows_tool" "$2" "Z:${3//\//\\}"
    fi
}

status=0
for maker in native windows; do
    run "$maker" make "$work/made-by-$maker"
    for reader in native windows; do
        if run "$reader" read "$work/made-by-$maker" >&2; then
            echo "ok: made by the $maker build, read by the $reader build"
        else
            echo "FAIL: made by the $maker build, read by the $reader build (differences above)" >&2
            status=1
        fi
    done
done
exit "$status"
