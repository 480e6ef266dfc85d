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
# Extra packages of scripts/package: dpkg-shlibdeps, file, with which
# CPack finds the programs whose libraries it asks for, and Debian's
# package checker.
CO447GEN_PACKAGE_PACKAGES=(dpkg-dev file lintian)

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

# Configures build/ (or $CO447GEN_BUILD_DIR); extra CMake arguments come
# from the function's arguments.
co447gen_configure() {
  local root build
  root=$(co447gen_root)
  build=${CO447GEN_BUILD_DIR:-$root/build}
  local werror=OFF
  [ -n "${CI:-}" ] && werror=ON
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCO447GEN_WERROR="$werror" "$@" >/dev/null
}

# Configures and builds everything (the tests included) into build/ (or
# $CO447GEN_BUILD_DIR); extra CMake arguments come from the function's
# arguments.
co447gen_build() {
  co447gen_configure "$@"
  cmake --build "${CO447GEN_BUILD_DIR:-$(co447gen_root)/build}" -j"$(nproc)"
}

# Configures and builds the program alone, not the test program.
co447gen_build_program() {
  co447gen_configure
  cmake --build "${CO447GEN_BUILD_DIR:-$(co447gen_root)/build}" -j"$(nproc)" --target co447gen
}

# The moment that packages and the example's header are dated with: the
# time of the last commit, or 0 outside a git checkout.
co447gen_source_date_epoch() {
  git -C "$(co447gen_root)" log -1 --format=%ct 2>/dev/null || echo 0
}

# The bundled example's three runs (modes 1, 2 and 3), in the current
# directory, which holds the sheet (ds447-taxi-signals.xlsx, or
# $CO447GEN_EXAMPLE_SHEET) and its column map; the arguments are
# the program and what runs it ("wine co447gen.exe", say). Each run's exit
# status is kept; the function returns the last one that failed, else 0.
co447gen_example_runs() {
  local sheet=${CO447GEN_EXAMPLE_SHEET:-ds447-taxi-signals.xlsx} status=0
  local devices=(-vd_taxm -vd_tard -vd_rbl -vd_prnt -vd_gps -vd_rdio -vd_txas -vd_rtc -vd_drid)
  # -deldb: every run enters the variables anew, so a rerun gives the same files.
  echo "=== co447gen -m 1 ..."
  "$@" -m 1 -id 5 -idt 16 -sdb ./taxi-tester.dbc -xls "./$sheet" -out ./taxi-tester.can \
    -nme Taximeter -tme Tester -deldb "${devices[@]}" || status=$?
  echo "=== co447gen -m 2 ..."
  "$@" -m 2 -xls "./$sheet" -out ./ds447-taxi-macros.h -nme Taximeter -tme Tester -mex ULL || status=$?
  echo "=== co447gen -m 3 ..."
  "$@" -m 3 -sdb ./taxi-node.dbc -xls "./$sheet" -out ./taxi-node.cin -nme Taximeter -tme Tester -deldb || status=$?
  return "$status"
}

# Makes the wine prefix the Windows build runs in (once: the first start
# takes a while). The wine server that the first call starts outlives it,
# holding the caller's output open; the script ends it when it exits, so
# that a pipe reading the script's output sees its end.
co447gen_prepare_wine() {
  export WINEPREFIX=${WINEPREFIX:-$1} WINEDEBUG=${WINEDEBUG:--all}
  # No installer for wine's .NET and HTML engines: nothing here needs them.
  export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the wine prefix $WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
  fi
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
}
