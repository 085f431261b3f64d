#!/usr/bin/env bash
# Peak memory of each front end on files of each hostile shape, against the bound of 8 times
# the file plus 64 MiB. The converter and the node converter run to their end; the window
# (offscreen, the file named on its command line) is closed once it has loaded the file and
# sits idle. Prints one row per shape and front end; exits 1 when a bound is missed.
#   peak-memory.sh BUILD [WEB_BUILD] [MIB]
# SHAPES and FRONTS (converter window node page) narrow the table.
set -euo pipefail

build=${1:?usage: peak-memory.sh BUILD [WEB_BUILD] [MIB]}
web=${2:-}
mib=${3:-32}
out=$build/bench-results/peak-memory
mkdir -p "$out"
root=$(cd "$(dirname "$0")/.." && pwd)

# Peak resident KiB of a command, from /usr/bin/time.
peak() {
  local log=$1
  shift
  /usr/bin/time -f %M -o "$log" "$@" >/dev/null 2>&1 || true
  tail -n 1 "$log"
}

# Peak resident KiB of the window on a file: it is closed when its CPU time has stood still for
# two seconds, and killed when a message box keeps it open.
window_peak() {
  local log=$1 file=$2
  QT_QPA_PLATFORM=offscreen /usr/bin/time -f %M -o "$log" "$build/app/Morvelander" "$file" \
    >/dev/null 2>&1 &
  local timer=$! app="" last=-1 same=0
  while [ -z "$app" ] && kill -0 "$timer" 2>/dev/null; do
    sleep 0.2
    app=$(pgrep -P "$timer" || true)
  done
  while [ -n "$app" ] && [ "$same" -lt 4 ] && kill -0 "$app" 2>/dev/null; do
    sleep 0.5
    local now
    now=$(awk '{ print $14 + $15 }' "/proc/$app/stat" 2>/dev/null || echo -1)
    if [ "$now" = "$last" ]; then same=$((same + 1)); else same=0; fi
    last=$now
  done
  if [ -n "$app" ]; then
    kill -TERM "$app" 2>/dev/null || true
    for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$app" 2>/dev/null && sleep 0.5; done
    kill -KILL "$app" 2>/dev/null || true
  fi
  wait "$timer" || true
  tail -n 1 "$log"
}

fronts=" ${FRONTS:-converter window node page} "
wanted() { [[ $fronts == *" $1 "* ]]; }

failed=0
report() {
  local shape=$1 front=$2 bytes=$3 kib=$4
  awk -v s="$shape" -v f="$front" -v b="$bytes" -v k="$kib" 'BEGIN {
    mib = b / 1048576; peak = k / 1024; bound = 8 * mib + 64
    if (k !~ /^[0-9]+$/ || k == 0) {
      printf "  %-13s %-15s %7.1f MiB file   not measured\n", s, f, mib
      exit 1
    }
    printf "  %-13s %-15s %7.1f MiB file %8.1f MiB peak %5.1fx   bound %6.1f MiB  %s\n",
      s, f, mib, peak, peak / mib, bound, peak <= bound ? "met" : "MISSED"
    exit peak <= bound ? 0 : 1 }' || failed=1
}

echo "Peak memory against the file (bound: 8 times the file + 64 MiB):"
for shape in ${SHAPES:-findings lffindings lfheaders short players rounds wide codes rejected \
  separators name empty names roundfindings utf8 utf16 roundgames emptylines player quoted}; do
  file=$out/$shape.csv
  "$build/bench/morvelander-generate" --shape "$shape" "$mib" "$file" >/dev/null
  bytes=$(stat -c %s "$file")
  rm -rf "$out/reports" && mkdir -p "$out/reports"
  if wanted converter; then
    report "$shape" converter "$bytes" \
      "$(peak "$out/time.txt" "$build/cli/morvelander-convert" --print none --out "$out/reports" "$file")"
  fi
  if wanted window && [ -x "$build/app/Morvelander" ]; then
    report "$shape" window "$bytes" "$(window_peak "$out/time.txt" "$file")"
  fi
  if wanted node && [ -n "$web" ] && [ -f "$web/morvelander-convert.js" ]; then
    report "$shape" "node converter" "$bytes" \
      "$(peak "$out/time.txt" node "$web/morvelander-convert.js" --print none --out "$out/reports" "$file")"
  fi
  if wanted page && [ -n "$web" ] && [ -f "$web/morvelander.html" ] && [ -d "$root/web/node_modules" ]; then
    report "$shape" page "$bytes" "$(node "$root/web/page-memory.mjs" "$web/morvelander.html" "$file")"
  fi
done
exit $failed
