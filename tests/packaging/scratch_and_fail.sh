# Sourced by the packaging tests: a scratch folder that goes when the test ends, and fail(),
# which names what went wrong and ends the test.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
