#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when one is missing: libqt6svg6 draws
# the program's SVG icons, qt6-translations-l10n gives Qt's own buttons and dialogs their Czech
# texts, qt6-tools-dev and qt6-l10n-tools (lupdate, lrelease) build the program's own
# translations, dpkg-dev and file let CPack make the Debian package; poppler-utils reads the
# words of printed pages back for the tests. libzxing-dev writes and reads the observing
# sheet's QR code, libopencv-imgproc-dev finds the limb on a scan, and
# qt6-image-formats-plugins reads scans saved as TIFF.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libbenchmark-dev fonts-dejavu-core
    libqt6svg6 qt6-translations-l10n qt6-tools-dev qt6-l10n-tools dpkg-dev file poppler-utils
    libzxing-dev libopencv-imgproc-dev qt6-image-formats-plugins "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
