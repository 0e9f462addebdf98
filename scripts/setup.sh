#!/usr/bin/env bash
# Shared by scripts/run and scripts/test: installs what is missing, then configures and builds.
# Sourced, not run. BUILD_DIR, BUILD_JOBS and CMAKE_EXTRA may be set by the caller.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev nlohmann-json3-dev fonts-liberation poppler-utils locales
          qt6-translations-l10n
          openssl  # the download tests make a test authority and certificates
          libreoffice-calc-nogui)  # the export files read by a spreadsheet (about 85 MB)

install_missing() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# The tests check number texts under the French locale too (decimal comma).
french_locale() {
  locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$' && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo localedef -i fr_FR -f UTF-8 fr_FR.UTF-8 || echo "fr_FR.UTF-8 could not be made; its tests will skip"
}

build() {
  local werror=OFF
  [ "${CI:-}" = "true" ] && werror=ON
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DTRANCHEX_WERROR=$werror ${CMAKE_EXTRA:-}
  cmake --build "$BUILD_DIR" --parallel "${BUILD_JOBS:-$(nproc)}"
}
