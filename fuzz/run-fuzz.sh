#!/usr/bin/env bash
# Fuzzes the conversion and the settings file's reader for SECONDS seconds in all, the
# conversion for most of them. Each target starts from its kept corpus in fuzz/corpus/ and from
# what earlier runs in this build folder found; with --merge the new finds are merged into the
# kept corpus afterwards (minimised: an input stays only for coverage no other gives). Any
# crash, sanitizer report, leak, broken rule or hang fails the run and leaves the input in
# BUILD/artifacts.
set -euo pipefail

usage="usage: run-fuzz.sh BUILD_DIR SECONDS [--merge]"
build=${1:?$usage}
seconds=${2:?$usage}
merge=${3:-}
root=$(cd "$(dirname "$0")/.." && pwd)
artifacts=$build/artifacts
mkdir -p "$artifacts"

# Runs one target: NAME BINARY SECONDS MAX_LEN [fuzzer options].
fuzz() {
  local name=$1 binary=$2 time=$3 maxlen=$4
  shift 4
  local kept=$root/fuzz/corpus/$name found=$build/corpus/$name
  mkdir -p "$found"
  "$binary" "$found" "$kept" -max_total_time="$time" -max_len="$maxlen" -rss_limit_mb=2048 \
    -timeout=30 -detect_leaks=1 -error_exitcode=77 -timeout_exitcode=78 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 "$@"
  if [ "$merge" = --merge ]; then
    local fresh=$build/corpus-merged-$name
    rm -rf "$fresh"
    mkdir -p "$fresh"
    "$binary" -merge=1 -max_len="$maxlen" "$fresh" "$kept" "$found"
    rm -rf "$kept"
    mv "$fresh" "$kept"
    echo "fuzz/corpus/$name: $(find "$kept" -type f | wc -l) inputs, $(du -sh "$kept" | cut -f1)"
  fi
}

# Inputs of a few KiB reach every rule of the reader; longer ones only slow the run and swell
# the kept corpus.
ini_seconds=$((seconds / 6 > 10 ? seconds / 6 : 10))
fuzz conversion "$build/fuzz/morvelander_fuzz" $((seconds - ini_seconds)) 8192 \
  -dict="$root/fuzz/conversion.dict"
fuzz ini "$build/fuzz/morvelander_fuzz_ini" "$ini_seconds" 4096
