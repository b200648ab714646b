#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the window program need,
# calling apt-get only when something is actually missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-serialport-dev qt6-qpa-plugins libgl-dev
  fonts-wqy-microhei   # Chinese glyphs in windows, offscreen renders and PDFs
  poppler-utils        # pdftotext for the printing tests
  qt6-translations-l10n  # Qt's own texts (standard buttons) in Chinese
  # Installing and packaging: the man page, and the checks of the installed tree and
  # of the .deb (desktop entry, AppStream metadata, the package's dependencies, lintian).
  help2man desktop-file-utils appstream dpkg-dev lintian
)
if [[ "${1:-}" == "--gui" ]]; then
  packages+=(xvfb xauth openbox)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}" >&2
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
