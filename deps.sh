#!/usr/bin/env bash
# Installs the Debian packages the player, its tests and benchmarks need
# (xvfb and its fonts: the tests' own X server, where a question really waits;
# xserver-xorg-video-dummy: Xorg with monitors side by side, on which the
# window's monitor is tested; openbox and fluxbox: the window managers the
# desktop tests start in them, and the X libraries those tests talk to the
# servers with; x11-xkb-utils: setxkbmap, which switches a server's
# keyboard layout; weston: the Wayland compositor they take away under a
# running player; pulseaudio and its tools: the sound server the desktop
# tests start, and its recorder; fonts-dejavu-core: the Latin font the tests
# draw with where no Japanese font is installed; python3-fonttools: cuts the
# tests' Japanese face without Latin letters out of IPAGothic; dbus-daemon:
# the session bus a desktop test starts, as every desktop has one; libxss-dev:
# the X screen saver extension, through which the player lets the saver run
# again and the tests read its state; lld: links the test binaries faster).
# Idempotent: quiet and quick when everything is already present.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev lld pkg-config
  libsdl2-dev libpng-dev zlib1g-dev libjpeg-dev libfreetype-dev libfontconfig-dev
  fonts-ipafont-gothic fonts-dejavu-core libvorbis-dev libfluidsynth-dev timgm6mb-soundfont
  googletest libgtest-dev libbenchmark-dev libpixman-1-dev
  xvfb xfonts-base xserver-xorg-video-dummy openbox fluxbox libx11-dev libxtst-dev libxfixes-dev libxss-dev
  x11-xkb-utils weston pulseaudio pulseaudio-utils dbus-daemon python3-fonttools
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "deps.sh: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
