#!/usr/bin/env bash
# Builds and runs every test. BUILD_DIR and extra CMake options may be set
# from outside (.ci/run uses them for the sanitizer build).
set -euo pipefail
cd "$(dirname "$0")"
./deps.sh
BUILD_DIR=${BUILD_DIR:-build}
# A compiler cache, when the machine has one, keeps rebuilds of several checkouts quick.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# lld links the test binaries in half the time the system's linker takes.
linker=()
command -v ld.lld >/dev/null && linker=(-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld)
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "${launcher[@]}" "${linker[@]}" \
  ${CMAKE_EXTRA:-} >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
# Twice as many tests as cores at once: the desktop tests spend most of their
# time waiting for their X servers, sound servers and players, and would
# otherwise leave the cores idle meanwhile.
ctest --test-dir "$BUILD_DIR" -j"$(( 2 * $(nproc) ))" --output-on-failure --timeout 600
