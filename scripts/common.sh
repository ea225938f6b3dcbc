# Shared by ./run and ./test: the Debian packages Brixel needs, installed when missing, and the
# configure-and-build step. Sourced, not run.

BRIXEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BRIXEL_BUILD=${BRIXEL_BUILD:-$BRIXEL_ROOT/build}

# What the programs need to build and run; help2man writes brixel-list's manual page from --help.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libicu-dev libxlsxwriter-dev
  qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev fonts-dejavu-core qt6-translations-l10n help2man)
# What ./package needs on top: dpkg-shlibdeps (dpkg-dev), and file, with which cpack finds the
# programs to hand to it.
PACKAGE_PACKAGES=(dpkg-dev file)
# What the tests and benchmarks need on top: GoogleTest, Google Benchmark, the independent
# spreadsheet readers (LibreOffice Calc among them), a virtual display for screenshots, and the
# tools the benchmark compares with; for the package: the desktop entry and metainfo validators,
# lintian, man, and xdotool to see the unpacked windows show.
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev python3 python3-xlrd python3-openpyxl
  gnumeric libreoffice-calc-nogui xvfb xauth locales time "${PACKAGE_PACKAGES[@]}" desktop-file-utils
  appstream lintian man-db xdotool)
# The C locales the window tests save under: the windows run with the user's, whose decimal
# sign is a comma in both.
TEST_LOCALES=(ru_RU de_DE)
# The Windows leg of ./test (scripts/test-windows.sh): the mingw-w64 cross compiler (posix threads),
# wine to run the tests, zlib for Windows, and dpkg-dev to unpack the libxlsxwriter source package.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 libz-mingw-w64-dev dpkg-dev)

missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || printf '%s ' "$p"
  done
}

# ensure_packages PKG... : installs what is missing (as root), or says how and stops.
ensure_packages() {
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Brixel needs these Debian packages:" >&2
    echo "  sudo apt-get install -y --no-install-recommends $missing" >&2
    exit 1
  fi
  echo "Installing: $missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update -qq
  # shellcheck disable=SC2086
  apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends $missing
}

# ensure_test_locales: makes the UTF-8 variants of TEST_LOCALES that are missing (as root), or
# says how; the tests that need one skip and say so.
ensure_test_locales() {
  local l
  for l in "${TEST_LOCALES[@]}"; do
    locale -a 2>/dev/null | grep -qix "$l.utf8" && continue
    if [ "$(id -u)" -eq 0 ]; then
      localedef -i "$l" -f UTF-8 "$l.UTF-8" || echo "could not make the $l.UTF-8 locale" >&2
    else
      echo "the $l.UTF-8 locale is missing: sudo localedef -i $l -f UTF-8 $l.UTF-8" >&2
    fi
  done
}

# configure_and_build [CMAKE_ARGS...]
configure_and_build() {
  cmake -S "$BRIXEL_ROOT" -B "$BRIXEL_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null \
    || cmake -S "$BRIXEL_ROOT" -B "$BRIXEL_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build "$BRIXEL_BUILD" -j "$(nproc)"
}
