#!/usr/bin/env bash
# Installs what the program needs from Debian's packages (only what is
# missing), builds it, and either starts it on the demonstration data (run)
# or runs the whole test suite headless (test).
#   bash tools/quz.sh run [journal-file]
#   bash tools/quz.sh test
set -euo pipefail

mode=${1:-run}
top=$(cd "$(dirname "$0")/.." && pwd)
build=${QUZ_BUILD_DIR:-$top/build}

# The last two validate the desktop launcher and its metadata in the tests.
packages=(build-essential cmake pkg-config qt6-base-dev qt6-multimedia-dev libgl-dev libxcb1-dev
          libjpeg62-turbo-dev fonts-dejavu-core fonts-liberation
          desktop-file-utils appstream)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$top" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"

case "$mode" in
  run)
    shift || true
    exec "$build/bin/quz" "$@"
    ;;
  test)
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
    ;;
  *)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
