#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed window, offscreen, for a
# user with an empty home: the samples must land in InBox under the documents, the ini file
# under the config folder when the window closes, and no error box may show.
set -euo pipefail

cmake=$1
build=$2
root=$(mktemp -d "${TMPDIR:-/tmp}/morvelander-install-XXXXXX")
trap 'rm -rf "$root"' EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -s "$root/stderr" ] && sed 's/^/  window: /' "$root/stderr" >&2
  exit 1
}

"$cmake" --install "$build" --prefix "$root/usr" >/dev/null
mkdir -p "$root/home" "$root/runtime"
chmod 700 "$root/runtime"
inbox=$root/home/Documents/Morvelander/InBox
ini=$root/home/.config/Morvelander/Morvelander.ini

# The window is started outside the build tree, with none of the caller's desktop settings.
cd "$root"
env -i PATH=/usr/bin:/bin HOME="$root/home" XDG_RUNTIME_DIR="$root/runtime" \
  QT_QPA_PLATFORM=offscreen "$root/usr/bin/Morvelander" 2>"$root/stderr" &
pid=$!

# Every error box is also written to standard error, after the program title; the first one
# ends the wait.
errors() { grep '^Morvelander: ' "$root/stderr"; }
samples=$(find "$root/usr/share/morvelander/examples" -name '*.csv' | wc -l)
for _ in $(seq 300); do
  errors >/dev/null && break
  [ "$(find "$inbox" -name '*.csv' 2>/dev/null | wc -l)" -eq "$samples" ] && break
  sleep 0.1
done
# Give the window time to come up before it is asked to close.
sleep 1
kill -TERM "$pid"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  kill -KILL "$pid"
  fail "the window did not close when asked to"
fi
wait "$pid" || fail "the window ended with status $?"

errors >/dev/null && fail "the window showed an error box"
[ "$samples" -gt 0 ] || fail "no sample tournaments installed"
for sample in "$root/usr/share/morvelander/examples"/*.csv; do
  cmp -s "$sample" "$inbox/$(basename "$sample")" || fail "$(basename "$sample") not in $inbox"
done
[ -d "$root/home/Documents/Morvelander/OutBox" ] || fail "no OutBox under the documents"
[ -f "$ini" ] || fail "no ini file at $ini"
grep -qx "DataInMap=$inbox"$'\r' "$ini" || fail "the ini file does not remember $inbox"
[ -z "$(find "$root/usr" -name '*.ini')" ] || fail "an ini file was written into the installation"
echo "installed window started for a new user: samples in $inbox, folders kept in $ini"
