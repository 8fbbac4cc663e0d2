#!/usr/bin/env bash
# Builds the Debian package of Kalvora: a Release build of both programs in build-package/, then CPack, leaving
# kalvora_<version>_<architecture>.deb in the top folder of the source tree. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Debian's own compiler and linker flags: -O2 and the hardening options, as the archive's packages are built.
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DKALVORA_TESTS=OFF -DKALVORA_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" \
  "${launcher[@]}" >/dev/null
cmake --build build-package -j "$(nproc)"
(cd build-package && cpack -G DEB >/dev/null)

package="$(cd build-package && ls kalvora_*.deb)"
mv -f "build-package/$package" .
echo "$PWD/$package"
