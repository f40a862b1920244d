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

source "$top/tools/packages.sh"
install_missing "${quz_packages[@]}"

cmake -S "$top" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUZ_WERROR="${QUZ_WERROR:-OFF}" >/dev/null
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
