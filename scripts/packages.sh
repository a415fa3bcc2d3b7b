# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build needs, when any is missing.
# Sourced by scripts/run, scripts/test, scripts/fuzz and scripts/install-check.

partyclash_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev
    libgtest-dev libbenchmark-dev librapidcheck-dev
    fonts-ipafont-gothic
    qt6-translations-l10n
    clang libclang-rt-dev llvm
    dpkg-dev file build-essential debhelper
    appstream desktop-file-utils man-db groff-base
    lintian devscripts appstream-util debootstrap mandoc
    python3
    chromium imagemagick
    parallel slurm-wlm munge
)

ensure_packages() {
    local missing=()
    for package in "${partyclash_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}
