#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing.
set -euo pipefail

packages=(cmake make g++ clang-format libgtest-dev libgmock-dev googletest libbenchmark-dev
          libsqlite3-dev sqlite3 libcli11-dev nlohmann-json3-dev locales
          clang libclang-rt-14-dev valgrind bc
          chromium)  # renders the stakeout report page in an end-to-end test

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# The number tests also run under a locale whose decimal separator is ','; without it they skip.
if ! locale -a 2>/dev/null | grep -qiE '^de_DE\.utf-?8$'; then
    sudo=""
    if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi
    $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 ||
        echo "setup: no de_DE.UTF-8 locale; the comma-locale test is skipped"
fi
