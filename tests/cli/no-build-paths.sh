#!/bin/sh
# Usage: no-build-paths.sh SOURCE_DIR BUILD_DIR PROGRAM...
# Fails when a program holds the source or build folder as text: an installed program must
# neither load anything from there nor tell where it was built.
src=$1
bin=$2
shift 2
status=0
for program in "$@"; do
    text=$(strings -a "$program") || { echo "cannot read $program"; exit 1; }
    found=$(printf '%s\n' "$text" | grep -F -e "$src" -e "$bin" | sort -u)
    if [ -n "$found" ]; then
        echo "$program holds:"
        printf '%s\n' "$found" | head -n 10
        status=1
    fi
done
exit $status
