#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need,
# and only those that are missing; with "package", what building and checking
# the Debian packages needs as well; with "fuzz", clang and its libFuzzer and
# sanitizer runtimes. Works as root and through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ make
  qt6-base-dev libgl-dev libx11-dev
  libqt6sql6-sqlite libqt6sql6-odbc unixodbc-dev
  libsqliteodbc libsqlite3-dev sqlite3
  qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools
  fonts-noto-cjk adwaita-icon-theme qt6-translations-l10n
  googletest libgtest-dev libgmock-dev
  libbenchmark-dev
  xvfb xauth
  poppler-utils dpkg-dev file binutils
)
if [[ ${1:-} == package ]]; then
  packages+=(debhelper lintian man-db)
fi
if [[ ${1:-} == fuzz ]]; then
  packages+=(clang libclang-rt-14-dev libfuzzer-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  echo "Missing packages and neither root nor sudo: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
