#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev time
  clang libclang-rt-14-dev
  qt6-base-dev qt6-translations-l10n fonts-wine
  librsvg2-bin help2man desktop-file-utils appstream
  dpkg-dev fakeroot file lintian
  emscripten node-acorn nodejs npm chromium firefox-esr
)

# Virtual packages that installed packages provide (NodeSource's nodejs brings npm).
provided=$(dpkg-query -W -f='${Status}|${Provides}\n' 2>/dev/null | grep '^install ok installed|' |
  cut -d'|' -f2 | tr ',' '\n' | sed 's/(.*//; s/ //g' || true)
installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed' ||
    grep -qx "$1" <<<"$provided"
}

missing=()
for p in "${packages[@]}"; do
  if ! installed "$p"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
