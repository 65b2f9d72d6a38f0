#!/usr/bin/env bash
# Builds a static libzip for the Windows tool. Debian has no mingw-w64
# libzip, so this takes Debian's source package (with Debian's patches),
# and builds it with the -posix mingw-w64 compilers against the mingw zlib
# of libz-mingw-w64-dev. The result goes to DEPS/install, and a finished
# build is reused.
# Usage: build-libzip-mingw.sh [DEPS]   (default: build/windows-deps)
#
# The source package is fetched with apt-get, with a sources list and
# package lists of its own under DEPS/apt: one deb-src entry for Debian's
# archive, checked with Debian's archive keyring. The machine's own apt
# setup is neither read nor changed, and no root is needed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
deps=$(mkdir -p "${1:-$root/build/windows-deps}" && cd "${1:-$root/build/windows-deps}" && pwd)
prefix=$deps/install
if [ -f "$prefix/lib/libzip.a" ] && [ -f "$prefix/lib/cmake/libzip/libzip-config.cmake" ]; then
    exit 0
fi

# The steps' own output goes to a log, shown when a step fails.
log=$deps/libzip-build.log
: >"$log"
quietly() { "$@" >>"$log" 2>&1 || { cat "$log" >&2; echo "build-libzip-mingw.sh: failed: $*" >&2; exit 1; }; }

suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
apt=$deps/apt
mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/source"
cat >"$apt/sources.list" <<EOF
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $suite main
EOF
apt_options=(
    -o Dir::Etc::SourceList="$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
    -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache"
    -o APT::Sandbox::User="$(id -un)" -q
)
if ! ls "$apt/source"/libzip_*.dsc >/dev/null 2>&1; then
    quietly apt-get "${apt_options[@]}" update
    (cd "$apt/source" && quietly apt-get "${apt_options[@]}" source --download-only libzip)
fi
source_dir=$deps/libzip-source
rm -rf "$source_dir"
quietly dpkg-source -x "$(ls "$apt/source"/libzip_*.dsc | head -n 1)" "$source_dir"

build_dir=$deps/libzip-build
rm -rf "$build_dir"
quietly cmake -S "$source_dir" -B "$build_dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_GNUTLS=OFF -DENABLE_OPENSSL=OFF \
    -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_WINDOWS_CRYPTO=OFF
quietly cmake --build "$build_dir" -j2
quietly cmake --install "$build_dir"
# dpkg-source leaves a link to the upstream tarball beside the sources.
rm -rf "$build_dir" "$source_dir" "$deps"/libzip_*.orig.tar.*
