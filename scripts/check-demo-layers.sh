#!/usr/bin/env bash
# Fails when a folder of the demo includes a header of a folder above it.
# From the bottom: drawing, dxf, document, canvas, window. drawing, dxf and
# document must also include no Qt Widgets header and no header of the
# library (which is made of widgets) but those of its bridge (src/bridge),
# which reach the drawing without widgets.
# Usage: check-demo-layers.sh DEMO_DIR LIBRARY_SRC_DIR "QT_WIDGETS_INCLUDE_DIRS"
# (the last one separated by ';', as CMake lists them).
set -euo pipefail
demo="$1"
library="$2"
widgets=""
IFS=';' read -ra dirs <<< "${3:-}"
for dir in "${dirs[@]}"; do
    case "$dir" in */QtWidgets) widgets="$dir" ;; esac
done
layers=(drawing dxf document canvas window)
widgetFree=3 # the first three
failures=0

# The layer index of the demo folder that holds header $1; -1 for none.
layerOf() {
    for i in "${!layers[@]}"; do
        if [ -e "$demo/${layers[$i]}/$1" ]; then echo "$i"; return; fi
    done
    echo -1
}

complain() {
    echo "$1: $2"
    failures=$((failures + 1))
}

for i in "${!layers[@]}"; do
    for file in "$demo/${layers[$i]}"/*.h "$demo/${layers[$i]}"/*.cpp; do
        [ -e "$file" ] || continue
        while IFS= read -r line; do
            header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<< "$line")
            name="${header##*/}"
            owner=$(layerOf "$name")
            if [ "$owner" -gt "$i" ]; then
                complain "${file#"$demo"/}" "includes ${layers[$owner]}/$name from a lower folder"
            fi
            [ "$i" -lt "$widgetFree" ] || continue
            if [[ "$header" == QtWidgets/* ]] || { [ -n "$widgets" ] && [ -e "$widgets/$name" ]; }; then
                complain "${file#"$demo"/}" "includes the Qt Widgets header $header"
            elif [ "$owner" -lt 0 ]; then
                found=$(find "$library" -name "$name" -print -quit)
                if [ -n "$found" ] && [[ "$found" != "$library/bridge/"* ]]; then
                    complain "${file#"$demo"/}" "includes the widget library's header $header"
                fi
            fi
        done < <(grep -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' "$file" || true)
    done
done
if [ -z "$widgets" ]; then
    complain "check-demo-layers" "no QtWidgets include folder was given"
fi
[ "$failures" -eq 0 ] && echo "demo layers: every include points down"
[ "$failures" -eq 0 ]
