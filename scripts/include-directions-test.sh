#!/usr/bin/env bash
# The direction check itself: on a copy of core/ and table/ it passes, and it fails, naming the
# file and line, once one include points up a stage or from table/ into core/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
check="$root/scripts/include-directions.sh"

cp -r "$root/core" "$root/table" "$tree/"
bash "$check" "$tree" >/dev/null

planted() {
  local file=$1 include=$2 want=$3
  rm -rf "$tree/core" "$tree/table"
  cp -r "$root/core" "$root/table" "$tree/"
  printf '#include "%s"\n' "$include" >>"$tree/$file"
  if out=$(bash "$check" "$tree" 2>&1); then
    echo "not caught: $file including $include" >&2
    exit 1
  fi
  if [[ $out != *"$want"* ]]; then
    echo "caught without naming it: $out" >&2
    exit 1
  fi
}
planted core/text/Teksten.h core/reading/Fields.h "core/text/Teksten.h:"
planted core/tournament/Toernooi.cpp core/report/ReportColumns.h "core/tournament/Toernooi.cpp:"
planted core/report/Report.h core/run/Conversion.h "core/report/Report.h:"
planted table/CellTable.h core/text/Teksten.h "table/CellTable.h:"
echo "The direction check fails on every include planted upward."
