#!/usr/bin/env bash
# `cmake --install` into a staging root, as a distribution package does, and
# what a desktop then finds there: programs that start, a valid menu entry,
# the two file types, icons at every size and the font rule.
set -euo pipefail
: "${QV_SOURCE_DIR:?}" "${QV_BINARY_DIR:?}"
source "$QV_SOURCE_DIR/tests/packaging/tree_checks.sh"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
if ! DESTDIR="$root" cmake --install "$QV_BINARY_DIR" --prefix /usr >"$root.log" 2>&1; then
  cat "$root.log" >&2
  rm -f "$root.log"
  echo "FAIL: cmake --install"
  exit 1
fi
rm -f "$root.log"

check_tree "$root"

# A staged install must not touch the desktop caches: those belong to the
# system that finally gets the files.
for cache in usr/share/mime/mime.cache usr/share/applications/mimeinfo.cache \
  usr/share/icons/hicolor/icon-theme.cache; do
  expect "staged install wrote no $cache" [ ! -e "$root/$cache" ]
done

# The installed programs start and report the package's version (1.00 and
# 1.0.0 are the same), without a display: a packager's build machine or a
# terminal over ssh.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$QV_BINARY_DIR/CMakeCache.txt")
same_version() { # same_version TEXT VERSION: the first number in TEXT is VERSION
  local got a b i
  got=$(grep -oE '[0-9]+(\.[0-9]+)+' <<<"$1" | head -n1)
  [ -n "$got" ] || return 1
  IFS=. read -ra a <<<"$got"
  IFS=. read -ra b <<<"$2"
  for ((i = 0; i < 4; i++)); do
    [ "$((10#${a[i]:-0}))" = "$((10#${b[i]:-0}))" ] || return 1
  done
}
run_version() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$root" \
    timeout 30 "$root/usr/bin/$1" --version 2>&1
}
for program in quorvane-cli quorvane quorvane-server; do
  if out=$(run_version $program) && same_version "$out" "$version"; then
    pass
  else
    fail "$program --version without a display prints version $version (got '$out')"
  fi
done

finish
