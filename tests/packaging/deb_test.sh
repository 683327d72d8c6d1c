#!/usr/bin/env bash
# The Debian package made by cpack from the build tree: its name, control
# fields, contents, and a clean install and removal in a throwaway dpkg root.
set -euo pipefail
: "${QV_SOURCE_DIR:?}" "${QV_BINARY_DIR:?}"
source "$QV_SOURCE_DIR/tests/packaging/tree_checks.sh"

for tool in cpack dpkg-deb dpkg; do
  if ! command -v $tool >/dev/null; then
    echo "SKIP: $tool not found"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! cpack --config "$QV_BINARY_DIR/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack"
  exit 1
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$QV_BINARY_DIR/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb="$work/out/quorvane_${version}_${arch}.deb"
expect "package named $(basename "$deb") (made: $(cd "$work/out" && echo *.deb))" [ -f "$deb" ]
[ -f "$deb" ] || { finish; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
expect "Package: quorvane" [ "$(field Package)" = quorvane ]
expect "Version: $version (got '$(field Version)')" [ "$(field Version)" = "$version" ]
expect "Architecture: $arch" [ "$(field Architecture)" = "$arch" ]
expect "Maintainer is set" [ -n "$(field Maintainer)" ]
depends=$(field Depends)
# Every package the program needs at run time, linked or not.
for pkg in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins \
  libjpeg62-turbo libcups2 libzint2.11 fonts-liberation fonts-wqy-zenhei; do
  expect "Depends names $pkg (Depends: $depends)" grep -qE "(^|, )$pkg( |,|$)" <<<"$depends"
done

listing=$(dpkg-deb --contents "$deb")
expect "every file belongs to root" bash -c '! awk "\$2 != \"root/root\"" <<<"$1" | grep -q .' _ "$listing"
expect "nothing under /usr/local" bash -c '! grep -q "\./usr/local" <<<"$1"' _ "$listing"

# Desktop caches are refreshed by the dpkg triggers of shared-mime-info,
# desktop-file-utils and hicolor-icon-theme: no maintainer scripts are needed.
dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst prerm postrm; do
  expect "no $script script" [ ! -e "$work/control/$script" ]
done

# What the package puts on disk is the same complete tree as `cmake --install`.
dpkg-deb -x "$deb" "$work/tree"
check_tree "$work/tree"

# Install and remove with dpkg itself in an empty root: nothing is left behind.
droot="$work/root"
mkdir -p "$droot/var/lib/dpkg/info" "$droot/var/lib/dpkg/updates" "$droot/var/lib/dpkg/triggers"
touch "$droot/var/lib/dpkg/status" "$droot/var/lib/dpkg/available"
dpkg_root() { dpkg --root="$droot" --force-depends --force-not-root --log=/dev/null "$@" >"$work/dpkg.log" 2>&1; }
if dpkg_root -i "$deb"; then pass; else fail "dpkg -i: $(cat "$work/dpkg.log")"; fi
expect "dpkg reports quorvane installed" \
  bash -c 'dpkg-query --admindir="$1/var/lib/dpkg" -W -f="\${Status}" quorvane | grep -q "install ok installed"' _ "$droot"
expect "dpkg installed the program" [ -x "$droot/usr/bin/quorvane" ]
if dpkg_root --purge quorvane; then pass; else fail "dpkg --purge: $(cat "$work/dpkg.log")"; fi
left=$(cd "$droot" && find . \( -type f -o -type l \) ! -path './var/lib/dpkg/*' | sort)
expect "purge leaves no file behind: $left" [ -z "$left" ]

finish
