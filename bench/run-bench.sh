#!/usr/bin/env bash
# Runs the benchmarks (medians of 5 repetitions), times the command-line converter on a
# generated 100 000-line file, runs the window's benchmarks when the window is built (medians
# of 3), measures the peak memory of each front end on each hostile shape, and checks all of
# them against their targets. Exits 1 when a target is missed.
set -euo pipefail

build=${1:-build}
out=$build/bench-results
mkdir -p "$out"

"$build/bench/morvelander_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_out="$out/bench.json" --benchmark_out_format=json

echo
echo "Medians per game line (CPU time):"
# The JSON has one key per line; keep the medians' per-line cost and bytes per second.
awk '
  /"name":/ { name = $2; gsub(/[",]/, "", name); med = sub(/_median$/, "", name) ? name : "" }
  /"per_line":/ && med != "" { v = $2; sub(/,$/, "", v); cost[med] = v * 1e9; order[++n] = med }
  /"bytes_per_second":/ && med != "" { v = $2; sub(/,$/, "", v); bps[med] = v / 1048576 }
  END {
    for (i = 1; i <= n; i++) printf "  %-28s %10.1f ns/line %10.1f MiB/s\n", order[i], cost[order[i]], bps[order[i]]
    split("BM_Conversion BM_LoadFile BM_BuildSpelers BM_FillToernooiGrid BM_BuildReport BM_WriteReportFile", fam, " ")
    print ""
    print "Cost per line at 100 000 lines against 1 000 lines (target for the whole conversion: 1.5x at most):"
    failed = 0
    for (f = 1; f in fam; f++) {
      small = cost[fam[f] "/1000"]; big = cost[fam[f] "/100000"]
      if (small <= 0) continue
      ratio = big / small
      verdict = fam[f] == "BM_Conversion" ? (ratio <= 1.5 ? "  met" : "  MISSED") : ""
      if (fam[f] == "BM_Conversion" && ratio > 1.5) failed = 1
      printf "  %-28s %5.2fx%s\n", fam[f], ratio, verdict
    }
    exit failed
  }' "$out/bench.json" && scaling=0 || scaling=1

file=$out/toernooi-100000.csv
"$build/bench/morvelander-generate" 100000 "$file"
size=$(stat -c %s "$file")
runs=5
rm -f "$out"/time-*.txt
for i in $(seq $runs); do
  /usr/bin/time -v -o "$out/time-$i.txt" \
    "$build/cli/morvelander-convert" --print none --out "$out" "$file"
done
echo
echo "Converter on $size bytes, $runs runs:"
awk -v size="$size" -v runs="$runs" '
  /Elapsed \(wall clock\)/ { n = split($NF, p, ":"); s = p[n] + (n > 1 ? p[n - 1] * 60 : 0); t[++k] = s }
  /Maximum resident set size/ { if ($NF > peak) peak = $NF }
  END {
    # Median of the wall-clock times.
    for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++) if (t[j] < t[i]) { x = t[i]; t[i] = t[j]; t[j] = x }
    median = t[int((k + 1) / 2)]
    factor = peak * 1024 / size
    printf "  time (median):  %.2f s   (target under 0.3 s)%s\n", median, median < 0.3 ? "  met" : "  MISSED"
    printf "  peak memory:    %.1f MiB = %.1fx the file   (target 8x at most)%s\n", peak / 1024, factor, factor <= 8 ? "  met" : "  MISSED"
    exit !(median < 0.3 && factor <= 8)
  }' "$out"/time-*.txt && converter=0 || converter=1

# The window is optional in a build, so its benchmark is built here rather than by every caller.
window=0
if grep -Eqi '^MORVELANDER_BUILD_APP:BOOL=(ON|1|TRUE|YES|Y)$' "$build/CMakeCache.txt"; then
  cmake --build "$build" --target morvelander_window_bench
  # Qt wants a private runtime folder; without one it warns and falls back to /tmp.
  runtime=${XDG_RUNTIME_DIR:-}
  if [ -z "$runtime" ]; then runtime=$(mktemp -d); fi
  XDG_RUNTIME_DIR=$runtime "$build/bench/morvelander_window_bench" --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true \
    --benchmark_out="$out/window-bench.json" --benchmark_out_format=json
  if [ "$runtime" != "${XDG_RUNTIME_DIR:-}" ]; then rm -rf "$runtime"; fi
  echo
  echo "The window, medians of 3 runs (wall clock):"
  # "Well under a second" is read as under 0.5 s, "a few seconds" as under 5 s.
  awk '
    /"name":/ {
      name = $2; gsub(/[",]/, "", name)
      med = sub(/_median$/, "", name) ? name : ""
      sub(/\/iterations:[0-9]+/, "", med); sub(/\/real_time$/, "", med)
    }
    /"real_time":/ && med != "" { v = $2; sub(/,$/, "", v); t[med] = v }
    /"time_unit":/ && med != "" {
      u = $2; gsub(/[",]/, "", u)
      scale[med] = u == "ms" ? 1e-3 : u == "us" ? 1e-6 : u == "ns" ? 1e-9 : 1
    }
    /"per_(line|file|field)":/ && med != "" { v = $2; sub(/,$/, "", v); per[med] = v }
    function seconds(key) { return (key in t) ? t[key] * scale[key] : -1 }
    function figure(key, unit, factor, perunit, target, note,    s, verdict) {
      s = seconds(key)
      if (s < 0) { printf "  %-30s no figure (the benchmark failed)\n", key; failed = 1; return }
      verdict = ""
      if (target > 0) {
        verdict = s < target ? "  met" : "  MISSED"
        if (s >= target) failed = 1
        note = sprintf("target under %g s", target)
      }
      printf "  %-30s %7.2f s  %8.1f %s/%s   %s%s\n", key, s, per[key] * factor, unit, perunit, note, verdict
    }
    END {
      failed = 0
      figure("BM_WindowLoad/100000", "us", 1e6, "line", 0.5, "")
      figure("BM_WindowWideLine/200000", "ns", 1e9, "field", 0.5, "")
      figure("BM_WindowReload/100000", "us", 1e6, "line", 0, "the same file again in the same window")
      figure("BM_ConvertAll/1000/200", "ms", 1e3, "file", 5, "")
      figure("BM_ConvertAll/1000/5", "ms", 1e3, "file", 0, "files of 5 game lines")
      figure("BM_ConvertAll/4000/5", "ms", 1e3, "file", 0, "files of 5 game lines")
      figure("BM_ConvertAllRepainting/1000/200", "ms", 1e3, "file", 0, "the real window repainting after every file")
      figure("BM_ConvertAllRepainting/1000/5", "ms", 1e3, "file", 0, "the same, files of 5 game lines")
      figure("BM_ConvertAllRepainting/4000/5", "ms", 1e3, "file", 0, "the same, files of 5 game lines")
      exit failed
    }' "$out/window-bench.json" && window=0 || window=1
else
  echo
  echo "The window is not part of this build; its benchmarks were not run."
fi

# Peak memory of the converter and the window on files of each hostile shape; the node
# converter and the page too when WEB_BUILD names their build folder.
echo
./bench/peak-memory.sh "$build" "${WEB_BUILD:-}" && memory=0 || memory=1

exit $((scaling | converter | window | memory))
