#!/usr/bin/env bash
# The layer check (run by ctest): every file under src/ lives in a layer's folder and includes
# only files of its own layer or of lower ones, and no files include each other in a circle.
# Layers, lowest first; protocol and harness stand side by side and include neither other:
#   shell < board < movegen < eval < book < search < protocol, harness < app
# Usage: check_layers.sh [SRC_DIR]  (default: the src/ beside this script's folder)
set -uo pipefail
src=${1:-$(dirname "$0")/../src}

rank() {
    case $1 in
        shell) echo 0 ;;
        board) echo 1 ;;
        movegen) echo 2 ;;
        eval) echo 3 ;;
        book) echo 4 ;;
        search) echo 5 ;;
        protocol | harness) echo 6 ;;
        app) echo 7 ;;
        *) echo -1 ;;
    esac
}

status=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT

for path in "$src"/*; do
    if [ ! -d "$path" ]; then
        echo "${path#"$src"/}: outside every layer's folder"
        status=1
    fi
done

for file in "$src"/*/*; do
    name=${file#"$src"/}
    layer=${name%%/*}
    own=$(rank "$layer")
    if [ "$own" -lt 0 ]; then
        echo "$name: $layer is not a layer"
        status=1
        continue
    fi
    while IFS= read -r included; do
        echo "$name $included" >>"$edges"
        target=${included%%/*}
        [ "$target" = "$layer" ] && continue
        their=$(rank "$target")
        if [ "$their" -lt 0 ] || [ "$their" -ge "$own" ]; then
            echo "$name includes $included: $target is not a layer below $layer"
            status=1
        fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
done

# tsort fails on an include graph with a circle, naming the files in it.
if ! circle=$(tsort <"$edges" 2>&1 >/dev/null); then
    echo "an include circle:"
    echo "$circle" | sed -n 's/^tsort: //p' | grep -v ':'
    status=1
fi

[ "$status" -eq 0 ] && echo "every include follows the layer order"
exit "$status"
