#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# As root it runs apt-get for whatever is missing; otherwise it prints the command.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev            # GUI runtime backend
  duktape-dev             # JavaScript engine (its source is built by the project)
  libicu-dev              # code page 936 with Windows' mappings
  libgtest-dev googletest # tests
  fonts-wqy-microhei      # CJK glyphs for the window
  xvfb xauth              # a display for the program where none exists
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "missing packages; install them with:" >&2
  echo "  sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
