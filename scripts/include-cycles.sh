#!/usr/bin/env bash
# Fails, naming the units of a circle, when units of the given folders (default: core and
# table) include each other in a circle. A unit is a header with its source file:
# core/tournament/Toernooi stands for Toernooi.h and Toernooi.cpp there, so a .cpp that
# includes a header whose .cpp includes its own header closes a circle too.
set -euo pipefail
cd "$(dirname "$0")/.."
folders=("$@")
[ ${#folders[@]} -eq 0 ] && folders=(core table)

find "${folders[@]}" \( -name '*.h' -o -name '*.cpp' \) -print | sort | while read -r file; do
  unit=${file%.*}
  unit=${unit/\/node\//\/} # a platform file of the node build is the same unit
  echo "$unit $unit"
  sed -n 's/^#include "\(.*\)\.h"$/\1/p' "$file" | while read -r dep; do
    if [ "$dep" != "$unit" ]; then echo "$dep $unit"; fi
  done
done | tsort >/dev/null
