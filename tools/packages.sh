# Sourced by the build scripts: the Debian packages the program needs, and
# the installation of those that are missing (with sudo unless root).

# qt6-tools-dev and qt6-l10n-tools build the translations. The learning
# record needs Qt's SQLite driver; its statistics page Qt Charts, whose CMake
# package needs Qt's OpenGL one (Debian's qt6-charts-dev does not pull it in).
# desktop-file-utils, appstream, shared-mime-info and groff-base serve the
# desktop files in the tests: they validate the launchers and the metadata,
# register the journal files' MIME type and render the manual pages.
# pulseaudio gives the sound tests a silent output device; xvfb and
# libxcb-damage0-dev serve the start-up benchmark (bench/bench_startup.cpp).
quz_packages=(build-essential cmake pkg-config qt6-base-dev qt6-multimedia-dev libgl-dev
              libxcb1-dev libxcb-damage0-dev libjpeg62-turbo-dev qt6-tools-dev qt6-l10n-tools
              libqt6sql6-sqlite qt6-charts-dev libqt6opengl6-dev fonts-dejavu-core
              fonts-liberation desktop-file-utils appstream shared-mime-info groff-base
              pulseaudio xvfb)

# install_missing PACKAGE...: installs the packages that are not installed yet.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}
