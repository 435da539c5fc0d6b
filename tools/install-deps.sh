#!/usr/bin/env bash
# Installs the Debian packages Varno needs to build, run and test, when any is
# missing. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    # The sanitizer build: clang with libFuzzer's runtime, and llvm for the
    # symbolizer that puts names into sanitizer reports. libclang-rt-dev is
    # the runtime of whichever clang version the clang package brings.
    clang libclang-rt-dev llvm
    qt6-base-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool x11-utils xauth
    fonts-dejavu-core
    # Checks of the help document's text and of the desktop entry.
    poppler-utils desktop-file-utils
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo_cmd=()
elif command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
else
    echo "Missing packages (${missing[*]}) and no root rights: install them as root." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
