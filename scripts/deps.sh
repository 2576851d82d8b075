#!/usr/bin/env bash
# Installs the Debian packages Tessary needs to build, run and test (the
# end-to-end test drives the real window on a virtual X display; the print
# tests read PDFs back with poppler and print through a cups-pdf queue; the
# export tests read SVG, DXF and PNG files back with librsvg, ezdxf and PIL; the
# pattern-file fuzzer needs clang's libFuzzer; tracing takes its image
# primitives from OpenCV), only those missing. Runs
# apt-get as root, or through sudo.
set -euo pipefail
packages=(
  build-essential cmake pkg-config python3 clang libclang-rt-dev
  qt6-base-dev qt6-svg-dev qt6-image-formats-plugins
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool fonts-dejavu-core
  poppler-utils cups cups-bsd printer-driver-cups-pdf
  librsvg2-bin python3-ezdxf python3-pil
  desktop-file-utils shared-mime-info
  libopencv-imgproc-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
