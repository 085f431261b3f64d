#!/usr/bin/env bash
# Fails on the first include that points up: inside core/ the stages are text < reading <
# tournament < report < run, and a stage includes only its own and earlier ones; table/ lies
# below them all and includes nothing of core/. Checks the tree at the given root, by default
# this one.
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

rank() {
  case $1 in
  table/*) echo 0 ;;
  core/text/*) echo 1 ;;
  core/reading/*) echo 2 ;;
  core/tournament/*) echo 3 ;;
  core/report/*) echo 4 ;;
  core/run/*) echo 5 ;;
  *) echo -1 ;;
  esac
}

while read -r file; do
  from=$(rank "$file")
  if [ "$from" -lt 0 ]; then
    echo "$file: in no stage" >&2
    exit 1
  fi
  while IFS=: read -r line dep; do
    if [ "$(rank "$dep")" -gt "$from" ]; then
      echo "$file:$line: includes $dep, of a later stage" >&2
      exit 1
    fi
  done < <(grep -n '^#include "' "$file" | sed 's/:#include "\([^"]*\)".*/:\1/' || true)
done < <(find core table \( -name '*.h' -o -name '*.cpp' \) -print | sort)
echo "Every include of core/ and table/ points to its own or an earlier stage."
