#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and `make run` need, when any is missing.
set -eu
pkgs=(cmake ninja-build g++ pkg-config libgtest-dev qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
      libgl-dev fonts-wqy-microhei xvfb xauth xdg-utils ccache clang libclang-rt-14-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Missing packages. Install them with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi
