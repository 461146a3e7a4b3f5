#!/usr/bin/env bash
# The shipped exe carries exactly one resource of its own: the icon group
# MAINICON holding one 16 x 16, 4-bit image.
set -euo pipefail
exe=$1
[ -f "$exe" ] || { echo "$exe is not built"; exit 1; }
list=$(wrestool -l "$exe")
echo "$list"
types=$(sed -n 's/.*--type=\([0-9]*\).*/\1/p' <<<"$list" | sort | tr '\n' ' ')
[ "$types" = "14 3 " ] || { echo "FAIL: resources other than one icon group and its image: $types"; exit 1; }
grep -q -- "--type=14 --name='MAINICON'" <<<"$list" || { echo "FAIL: no MAINICON icon group"; exit 1; }
icons=$(wrestool -x -t 14 -n MAINICON "$exe" | icotool -l -)
echo "$icons"
[ "$(wc -l <<<"$icons")" -eq 1 ] || { echo "FAIL: the group holds more than one image"; exit 1; }
grep -q -- '--width=16 --height=16 --bit-depth=4 --palette-size=16' <<<"$icons" ||
    { echo "FAIL: the image is not 16 x 16 in 16 colours"; exit 1; }
echo "resources ok"
