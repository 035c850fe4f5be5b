#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing, and puts
# the third-party sources of the Windows build in place (outside the source tree).
set -euo pipefail

packages=(cmake make g++ clang-format libgtest-dev libgmock-dev googletest libbenchmark-dev
          libsqlite3-dev sqlite3 libcli11-dev nlohmann-json3-dev locales
          clang libclang-rt-14-dev valgrind bc
          g++-mingw-w64-x86-64-posix wine wine64
          chromium)  # renders the stakeout report page in an end-to-end test
# npm fetches the SQLite sources; a Node.js from elsewhere may bring its own npm already.
command -v npm >/dev/null || packages+=(npm)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

sudo=""
if [[ $(id -u) -ne 0 ]]; then sudo="sudo"; fi

if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# The number tests also run under a locale whose decimal separator is ','; without it they skip.
if ! locale -a 2>/dev/null | grep -qiE '^de_DE\.utf-?8$'; then
    $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 ||
        echo "setup: no de_DE.UTF-8 locale; the comma-locale test is skipped"
fi

# ---- Third-party sources of the Windows build -------------------------------------------------
# Debian has no MinGW builds of GoogleTest and SQLite: GoogleTest is built from Debian's sources,
# SQLite from its public-domain amalgamation as an npm package ships it, checked against a pinned
# SHA-256. The header-only libraries are copied so that the cross compiler never sees /usr/include.
third_party=${STAKEWISE_THIRD_PARTY_DIR:-$HOME/.cache/stakewise}
kSqlitePackage=better-sqlite3@12.11.1
kSqliteTarball=better-sqlite3-12.11.1.tgz
kSqliteTarballSha256=ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835

# Replaces third_party/NAME by what FILL puts into a fresh folder, unless NAME/.version already
# says VERSION; a folder is never left half filled.
refresh() {
    local name=$1 version=$2 fill=$3
    local target=$third_party/$name
    if [[ -f $target/.version && $(<"$target/.version") == "$version" ]]; then return; fi
    echo "setup: $name $version into $target"
    local staging
    staging=$(mktemp -d "$third_party/.$name.XXXXXX")
    "$fill" "$staging"
    echo "$version" >"$staging/.version"
    rm -rf "$target"
    mv "$staging" "$target"
}

fill_googletest() { cp -a /usr/src/googletest/. "$1"; }

fill_headers() { cp -a /usr/include/CLI /usr/include/nlohmann "$1"; }

fill_sqlite() {
    local download
    download=$(mktemp -d)
    (cd "$download" && npm pack --silent "$kSqlitePackage" >/dev/null)
    if ! echo "$kSqliteTarballSha256  $download/$kSqliteTarball" | sha256sum --check --status; then
        echo "setup: $kSqliteTarball does not have the pinned SHA-256; not used" >&2
        rm -rf "$download"
        return 1
    fi
    tar -xzf "$download/$kSqliteTarball" -C "$download" package/deps/sqlite3/sqlite3.c \
        package/deps/sqlite3/sqlite3.h
    mv "$download"/package/deps/sqlite3/sqlite3.[ch] "$1"
    rm -rf "$download"
}

package_version() { dpkg-query -W -f='${Version}' "$1"; }

mkdir -p "$third_party"
refresh googletest "$(package_version googletest)" fill_googletest
refresh include "cli11 $(package_version libcli11-dev), json $(package_version nlohmann-json3-dev)" \
    fill_headers
refresh sqlite3 "$kSqlitePackage $kSqliteTarballSha256" fill_sqlite
