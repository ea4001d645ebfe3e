#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds a host against it twice: through
# find_package(ZefraApi) and through pkg-config.
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
libdir=$(dirname "$(find "$scratch/prefix" -name 'libzefraapi.so' | head -n 1)")

cmake -S "$here" -B "$scratch/cmake" -DCMAKE_PREFIX_PATH="$scratch/prefix" >/dev/null
cmake --build "$scratch/cmake" >/dev/null
LD_LIBRARY_PATH=$libdir "$scratch/cmake/consumer"

export PKG_CONFIG_PATH=$libdir/pkgconfig
cc "$here/consumer.c" $(pkg-config --cflags --libs zefraapi) -o "$scratch/pkgconfig-consumer"
LD_LIBRARY_PATH=$libdir "$scratch/pkgconfig-consumer"
case $(pkg-config --cflags --libs zefraapi) in *//*) echo "pkg-config paths hold a double slash" >&2; exit 1;; esac
echo "package consumers built and ran"
