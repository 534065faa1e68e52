#!/usr/bin/env bash
# Builds the static libcurl that the 32-bit Windows build links into the core
# library (cmake/Win32Curl.cmake), so the Windows station sends mail. Debian
# has no MinGW build of libcurl, so it is cross-built from Debian's own curl
# source package (with Debian's patches): SMTP only, TLS through Windows'
# own Schannel, nothing else, so tesk740.dll imports only Windows system DLLs.
#
# Usage: scripts/prepare-curl.sh [CACHE_DIR]
# CACHE_DIR defaults to $KX_CURL_DIR, else /var/cache/kx-curl (when run as
# root or when that cache is already filled), else ~/.cache/kx-curl; the
# CMake side looks in the same places. Does nothing when the cache holds a
# library built with this script's options. Configuring and building take
# about 3 minutes on 2 busy cores, once.
# Needs dpkg-dev and the MinGW C compiler (scripts/install-deps.sh --test).
# The source comes through apt-get source from the machine's configured
# package sources (scripts/apt-source.sh).
set -euo pipefail

system_cache=/var/cache/kx-curl
if [[ $# -ge 1 ]]; then
  cache_dir=$1
elif [[ -n ${KX_CURL_DIR:-} ]]; then
  cache_dir=$KX_CURL_DIR
elif [[ $(id -u) -eq 0 || -s $system_cache/lib/libcurl.a ]]; then
  cache_dir=$system_cache
else
  cache_dir=${XDG_CACHE_HOME:-$HOME/.cache}/kx-curl
fi

triplet=i686-w64-mingw32
# SMTP with STARTTLS through Schannel and as little more as the source
# allows: every other protocol, proxy, compression and HTTP feature is left
# out. HTTP itself stays compiled in, since the reply reader SMTP shares
# with it calls a header size check that lives in http.c (a fix Debian
# backported); the core allows SMTP only on each transfer. Windows threads
# (not winpthread) for the resolver, so the library needs no MinGW runtime
# DLL.
# Verbose strings stay in: the core follows the SMTP conversation through
# the debug callback to tell a refused recipient from a refused sender.
options=(
  --host=$triplet --disable-shared --enable-static
  --with-schannel --disable-pthreads --enable-threaded-resolver
  --without-zlib --without-brotli --without-zstd --without-libpsl
  --without-libidn2 --without-nghttp2 --without-ngtcp2 --without-nghttp3
  --without-librtmp --without-libssh2 --without-libssh --without-libgsasl
  --without-hyper
  --disable-ftp --disable-file --disable-ldap --disable-ldaps
  --disable-rtsp --disable-proxy --disable-dict --disable-telnet
  --disable-tftp --disable-pop3 --disable-imap --disable-smb --disable-gopher
  --disable-mqtt --disable-manual --disable-libcurl-option --disable-ntlm
  --disable-ntlm-wb --disable-crypto-auth --disable-cookies
  --disable-http-auth --disable-doh --disable-mime --disable-netrc
  --disable-alt-svc --disable-hsts --disable-headers-api --disable-websockets
  --disable-unix-sockets --disable-progress-meter --disable-dateparse
  --disable-tls-srp
)
# The cache is valid for these options only.
wanted=$(printf '%s\n' "${options[@]}" | sha256sum | cut -d' ' -f1)

if [[ -s $cache_dir/lib/libcurl.a && -s $cache_dir/LIBS &&
  $(cat "$cache_dir/OPTIONS" 2>/dev/null) == "$wanted" ]]; then
  echo "libcurl for Windows: $cache_dir ($(cat "$cache_dir/SOURCE"))"
  exit 0
fi

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source-path=SCRIPTDIR source=apt-source.sh
source "$here/apt-source.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "Cross-building libcurl for 32-bit Windows in $cache_dir (about 3 minutes)"
started=$SECONDS
(
  cd "$work"
  kx_apt_source curl
  dsc=$(ls curl_*.dsc)
  # Their output goes to a log, shown only when they fail. (apt-get has
  # checked the files against the signed archive index.)
  dpkg-source --no-check -x "$dsc" src >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; exit 1; }
  cd src
  if ! {
    ./configure --quiet "${options[@]}" CC=$triplet-gcc-posix \
      AR=$triplet-ar RANLIB=$triplet-ranlib CFLAGS=-O2 &&
      make -C lib -j"$(nproc)" --quiet libcurl.la
  } >"$work/build.log" 2>&1; then
    cat "$work/build.log" >&2
    exit 1
  fi
  # The Windows libraries the static library needs, as configure found them.
  sed -nE 's/^LIBCURL_LIBS = //p' Makefile | tr ' ' '\n' | sed -n 's/^-l//p' >LIBS
  echo "${dsc%.dsc}" >SOURCE
)

# Built beside the cache and moved in, so an interrupted run never leaves
# half a cache: the library, which the check above looks for, comes last.
staging=$cache_dir.new
rm -rf "$staging"
mkdir -p "$staging/lib" "$staging/include/curl"
cp "$work/src/include/curl/"*.h "$staging/include/curl/"
cp "$work/src/LIBS" "$work/src/SOURCE" "$staging/"
echo "$wanted" >"$staging/OPTIONS"
cp "$work/src/lib/.libs/libcurl.a" "$staging/lib/libcurl.a.tmp"
rm -rf "$cache_dir"
mv "$staging" "$cache_dir"
mv "$cache_dir/lib/libcurl.a.tmp" "$cache_dir/lib/libcurl.a"
echo "libcurl for Windows: $cache_dir ($(cat "$cache_dir/SOURCE"), $((SECONDS - started)) s)"
