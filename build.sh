#!/usr/bin/env bash
# Sets up a Debian machine for Kielotar Opinto, builds it, and then starts the program
# ("./build.sh run") or runs every test in two builds ("./build.sh test").
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-}
if [[ $mode != run && $mode != test ]]; then
    echo "usage: $0 run|test" >&2
    exit 2
fi

# Qt 6 and the build tools; Liberation fonts stand in for Arial, Arial Narrow and Times New
# Roman with the same metrics; Voikko and Hunspell check the spelling of the vocabularies.
packages=(cmake make g++ qt6-base-dev qt6-qpa-plugins fonts-liberation fontconfig
          libvoikko-dev voikko-fi hunspell hunspell-en-us)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=()
    ((EUID == 0)) || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

jobs=$(nproc)
if [[ $mode == run ]]; then
    cmake -S . -B build -DKIELOTAR_WERROR=OFF
    cmake --build build -j "$jobs"
    exec ./build/kielotar
fi

# Every test runs twice: in the ordinary build, and in build-asan with AddressSanitizer and
# UndefinedBehaviorSanitizer, which stop a test at its first memory error or undefined behaviour.
status=0
for dir in build build-asan; do
    sanitize=OFF
    [[ $dir == build-asan ]] && sanitize=ON
    cmake -S . -B "$dir" -DKIELOTAR_WERROR=ON -DKIELOTAR_SANITIZE="$sanitize"
    cmake --build "$dir" -j "$jobs"
    (cd "$dir" && ctest --output-on-failure -j "$jobs") || status=1
done
exit "$status"
