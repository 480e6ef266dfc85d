# Shared by the scripts: installs missing Debian packages and builds the project.

# Packages the build and the tests need.
CO447GEN_PACKAGES=(
  build-essential cmake
  zlib1g-dev
  googletest libgtest-dev
  python3 python3-canmatrix zip
  mandoc
)

# What scripts/build-windows needs: the cross compiler, zlib for it,
# GoogleTest's sources, and wine to run the Windows tests.
CO447GEN_WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest
  wine wine64 zip
)

# Extra packages of scripts/fuzz (libFuzzer comes with clang) and
# scripts/bench (peak memory, the reference reader, the profiler).
CO447GEN_FUZZ_PACKAGES=(clang)
CO447GEN_BENCH_PACKAGES=(time python3-openpyxl valgrind)
# Extra packages of scripts/package: dpkg-shlibdeps, and file, with which
# CPack finds the programs whose libraries it asks for.
CO447GEN_PACKAGE_PACKAGES=(dpkg-dev file)

co447gen_root() { cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd; }

# Installs every listed package that is not installed yet (apt-get, as root
# or through sudo). Quick when nothing is missing.
co447gen_install_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures and builds into build/ (or $CO447GEN_BUILD_DIR); extra CMake
# arguments come from the function's arguments.
co447gen_build() {
  local root build
  root=$(co447gen_root)
  build=${CO447GEN_BUILD_DIR:-$root/build}
  local werror=OFF
  [ -n "${CI:-}" ] && werror=ON
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCO447GEN_WERROR="$werror" "$@" >/dev/null
  cmake --build "$build" -j"$(nproc)"
}
