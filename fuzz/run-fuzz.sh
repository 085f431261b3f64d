#!/usr/bin/env bash
# Fuzzes the conversion for SECONDS seconds. The seed corpus is made afresh from the test
# fixtures, the examples and a few generated files; inputs the fuzzer finds stay in the corpus.
# Any crash, sanitizer report, leak, broken rule or hang fails the run and leaves the input in
# BUILD/artifacts.
set -euo pipefail

build=${1:?usage: run-fuzz.sh BUILD_DIR SECONDS}
seconds=${2:?usage: run-fuzz.sh BUILD_DIR SECONDS}
root=$(cd "$(dirname "$0")/.." && pwd)
corpus=$build/corpus
artifacts=$build/artifacts

mkdir -p "$corpus" "$artifacts"
while IFS= read -r -d '' f; do
  rel=${f#"$root"/}
  cp "$f" "$corpus/seed-${rel//\//_}"
done < <(find "$root/tests/data" "$root/examples" -name '*.csv' -print0 2>/dev/null)
for n in 1 20 100 400; do
  "$build/bench/morvelander-generate" "$n" "$corpus/seed-generated-$n.csv" "$n" >/dev/null
done
# An odd first byte selects the batch mode.
sed '1s/^012/12/' "$corpus/seed-generated-100.csv" >"$corpus/seed-generated-100-batch.csv"

"$build/fuzz/morvelander_fuzz" "$corpus" \
  -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=30 \
  -detect_leaks=1 -error_exitcode=77 -timeout_exitcode=78 \
  -dict="$root/fuzz/conversion.dict" -artifact_prefix="$artifacts/" -print_final_stats=1
