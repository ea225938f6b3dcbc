# Shared by ./run and ./test: the Debian packages Brixel needs, installed when missing, and the
# configure-and-build step. Sourced, not run.

BRIXEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BRIXEL_BUILD=${BRIXEL_BUILD:-$BRIXEL_ROOT/build}

# What the programs need to build and run; help2man writes brixel-list's manual page from --help;
# TagLib reads the audio files' durations and tags.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libicu-dev libxlsxwriter-dev libtag1-dev
  qt6-base-dev qt6-svg-dev libqt6svg6 libgl-dev fonts-dejavu-core qt6-translations-l10n help2man)
# What ./package needs on top: dpkg-shlibdeps (dpkg-dev), and file, with which cpack finds the
# programs to hand to it.
PACKAGE_PACKAGES=(dpkg-dev file)
# What the tests and benchmarks need on top: GoogleTest, Google Benchmark, the independent
# spreadsheet readers (LibreOffice Calc among them, driven through python3-uno so that it starts
# once for every file), a virtual display for screenshots, and the tools the benchmark compares
# with; for the package: the desktop entry and metainfo validators, lintian, man, and xdotool to
# see the unpacked windows show; clang-format checks the code's layout.
TEST_PACKAGES=(googletest libgtest-dev libbenchmark-dev python3 python3-xlrd python3-openpyxl
  gnumeric libreoffice-calc-nogui python3-uno xvfb xauth locales time "${PACKAGE_PACKAGES[@]}"
  desktop-file-utils appstream lintian man-db xdotool clang-format)
# The C locales the window tests save under: the windows run with the user's, whose decimal
# sign is a comma in both.
TEST_LOCALES=(ru_RU de_DE)
# The Windows leg of ./test (scripts/test-windows.sh): the mingw-w64 cross compiler (posix threads),
# wine to run the tests, zlib for Windows, dpkg-dev to unpack Debian's source packages of
# libxlsxwriter and Qt, ccache for the Qt build (scripts/build-qt-windows.sh), a virtual display
# for the windows' smoke tests, unzip to look into the Windows download, makensis (nsis) for the
# setup program, and xdotool and Pillow to find and photograph its first page.
# What makes audio files with real tags: the details tests' fixtures (tests/details/fixtures) and
# the tag benchmark's tree (bench/details/make_audio_tree.py). Neither ./run nor ./test needs them.
AUDIO_PACKAGES=(ffmpeg lame flac vorbis-tools python3-mutagen)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine wine64 libz-mingw-w64-dev dpkg-dev ccache xvfb xauth unzip
  nsis xdotool python3-pil)

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

# The first "deb" URI of the system's apt sources that serves this release's main component, so
# the source package comes from where the binary packages come from.
debian_uri() {
  local codename=$1 f uris=""
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    uris+=$(awk -v rel="$codename" '
      function take() { if (deb && uri && suite && main) { print uri; found = 1 } deb = uri = suite = main = 0 }
      found { next }
      /^[[:space:]]*$/ { take(); next }
      /^Types:/ { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
      /^URIs:/ { uri = $2 }
      /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == rel) suite = 1 }
      /^Components:/ { for (i = 2; i <= NF; i++) if ($i == "main") main = 1 }
      END { if (!found) take() }' "$f")$'\n'
  done
  if [ -f /etc/apt/sources.list ]; then
    uris+=$(awk -v rel="$codename" '$1 == "deb" {
        i = 2; if ($i ~ /^\[/) while ($i !~ /\]$/ && i < NF) i++; if ($i ~ /\]$/) i++
        if ($(i + 1) == rel) for (j = i + 2; j <= NF; j++) if ($j == "main") { print $i; break } }' /etc/apt/sources.list)
  fi
  uris=$(printf '%s\n' "$uris" | sed '/^$/d')
  printf '%s\n' "${uris%%$'\n'*}"
}

# fetch_debian_source PACKAGE[=VERSION] DIR : unpacks this release's source package into DIR and
# prints the unpacked folder. Debian builds nothing for Windows, so the Windows leg builds some
# libraries from their source. A private apt configuration adds the deb-src entry, so the
# system's apt setup is left alone. Fails with a message when no archive or package is found.
fetch_debian_source() {
  local package=$1 dest=$2 codename uri apt_dir src status=0
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  uri=$(debian_uri "$codename")
  if [ -z "$uri" ]; then
    echo "no Debian archive for $codename found in the apt sources" >&2
    return 1
  fi
  apt_dir=$(mktemp -d)
  chmod 755 "$apt_dir"  # apt downloads as the _apt user
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$dest"
  printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n' \
    "$uri" "$codename" /usr/share/keyrings/debian-archive-keyring.gpg >"$apt_dir/sources.list.d/debian-src.sources"
  local apt_opts=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache" -o DPkg::Lock::Timeout=600)
  if ! apt-get "${apt_opts[@]}" update -qq; then
    echo "the source index of $uri ($codename) could not be read" >&2
    status=1
  elif ! (cd "$dest" && apt-get "${apt_opts[@]}" source -qq "$package" >"$apt_dir/log" 2>&1); then
    echo "the source package $package could not be fetched from $uri:" >&2
    tail -n 5 "$apt_dir/log" >&2
    status=1
  fi
  rm -rf "$apt_dir"
  [ "$status" = 0 ] || return 1
  src=$(find "$dest" -mindepth 1 -maxdepth 1 -type d -name "${package%%=*}-*" | head -n 1)
  if [ -z "$src" ]; then
    echo "the source package $package unpacked to no folder in $dest" >&2
    return 1
  fi
  printf '%s\n' "$src"
}

# configure_and_build [CMAKE_ARGS...]
configure_and_build() {
  cmake -S "$BRIXEL_ROOT" -B "$BRIXEL_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null \
    || cmake -S "$BRIXEL_ROOT" -B "$BRIXEL_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@"
  cmake --build "$BRIXEL_BUILD" -j "$(nproc)"
}
