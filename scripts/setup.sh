#!/usr/bin/env bash
# Installs every Debian package that building, testing and the sample content need.
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config ccache
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # libraries the programs link
  qt6-base-dev libsqlite3-dev libmpg123-dev
  # plays sound through the sound server (PulseAudio, or PipeWire's PulseAudio service)
  libpulse-dev
  # reads Access (Jet) content databases to import them
  mdbtools-dev
  # lets the Qt programs take Japanese typed through the fcitx5 input method
  fcitx5-frontend-qt6
  # the input-method check (scripts/ime-check.sh): fcitx5 with the mozc engine on a session bus
  fcitx5 fcitx5-mozc dbus
  # sample content: recordings and databases
  espeak-ng lame sox sqlite3 python3
  # fonts for Chinese and Japanese text
  fontconfig fonts-noto-cjk fonts-arphic-ukai fonts-arphic-uming
  # the basics pages: web engine for the player, SWF writing checked by an independent parser,
  # texts drawn from their characters by FreeType
  qt6-webengine-dev python3-yaswfp python3-pil
  # fuzzing: clang with libFuzzer
  clang libclang-rt-dev
  # looking at the programs: virtual screen, screenshots, input
  xvfb imagemagick xdotool x11-utils
  # measuring scripts: a private sound server with a null sink, and a recorder of its monitor
  pulseaudio pulseaudio-utils
  # ... and the X libraries they call: clicks (XTEST) and reports of drawing (DAMAGE)
  libxtst6 libxdamage1
  # ... and the listening check's process look-ups
  procps
  # the desktop check (scripts/desktop-check.sh): GNOME's compositor, headless, with XWayland
  mutter xwayland
)

# The basics pages' player comes from npm at build time; any npm will do (Debian's is the default).
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  if [ "$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null)" != "install ok installed" ]; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "Installing packages needs root, and there is no sudo here. As root, run:" >&2
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    echo "then run this command again." >&2
    exit 1
  fi
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
