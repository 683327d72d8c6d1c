# Checks of an installed tree (a DESTDIR staging root or an unpacked .deb),
# shared by install_test.sh and deb_test.sh. Source it, call the check_*
# functions with the root, then `finish`.

QV_FAILED=0
QV_PASSED=0
QV_MISSING=0

pass() { QV_PASSED=$((QV_PASSED + 1)); }
fail() {
  echo "FAIL: $*" >&2
  QV_FAILED=$((QV_FAILED + 1))
}
expect() { # expect DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then pass; else fail "$what"; fi
}
# A check that needs a tool the set-up installs: noted, and the test then
# ends as skipped (77) unless something failed.
missing() {
  echo "SKIP: $*"
  QV_MISSING=$((QV_MISSING + 1))
}
finish() {
  echo "$QV_PASSED passed, $QV_FAILED failed, $QV_MISSING not checked for a missing tool"
  [ "$QV_FAILED" = 0 ] || return 1
  [ "$QV_MISSING" = 0 ] || return 77
}

QV_ICONS=(apps/quorvane mimetypes/application-x-quorvane-label mimetypes/application-x-quorvane-template)
QV_ICON_SIZES=(16 22 24 32 48 64 128 256)
QV_MIME_TYPES=(application/x-quorvane-label:lbl application/x-quorvane-template:lbf)
QV_FONT_RULE=65-quorvane.conf
QV_METAINFO=org.example.quorvane.metainfo.xml

# Width and height of a PNG from its header, "WxH"; empty when not a PNG.
png_size() {
  local sig
  sig=$(od -An -tx1 -N8 "$1" | tr -d ' \n')
  [ "$sig" = 89504e470d0a1a0a ] || return 0
  od -An -tu1 -j16 -N8 "$1" |
    awk '{ printf "%dx%d", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }'
}

# Nothing but the programs and their desktop files may be installed:
# no static libraries, test programs or headers.
check_only_expected_files() {
  local root=$1 f unexpected=()
  while IFS= read -r f; do
    case "$f" in
      usr/bin/quorvane | usr/bin/quorvane-cli | usr/bin/quorvane-server) ;;
      usr/share/applications/quorvane.desktop) ;;
      usr/share/mime/packages/quorvane.xml) ;;
      usr/share/icons/hicolor/*/apps/quorvane.* | usr/share/icons/hicolor/*/mimetypes/application-x-quorvane-*) ;;
      usr/share/fontconfig/conf.avail/$QV_FONT_RULE | etc/fonts/conf.d/$QV_FONT_RULE) ;;
      usr/share/quorvane/Help.html) ;;
      usr/share/metainfo/$QV_METAINFO | usr/share/doc/quorvane/copyright) ;;
      usr/share/man/man1/quorvane.1.gz | usr/share/man/man1/quorvane-cli.1.gz) ;;
      usr/share/man/man1/quorvane-server.1.gz) ;;
      usr/lib/systemd/system/quorvane-server.service | usr/lib/sysusers.d/quorvane-server.conf) ;;
      *) unexpected+=("$f") ;;
    esac
  done < <(cd "$root" && find . \( -type f -o -type l \) | sed 's|^\./||' | sort)
  expect "unexpected files installed: ${unexpected[*]}" [ ${#unexpected[@]} = 0 ]
}

check_programs_present() {
  local root=$1 p
  for p in quorvane quorvane-cli quorvane-server; do
    expect "usr/bin/$p is installed and executable" [ -x "$root/usr/bin/$p" ]
  done
}

check_icons() {
  local root=$1 icon size f
  for icon in "${QV_ICONS[@]}"; do
    f="$root/usr/share/icons/hicolor/scalable/$icon.svg"
    expect "$f is well-formed SVG" xmllint --noout "$f"
    for size in "${QV_ICON_SIZES[@]}"; do
      f="$root/usr/share/icons/hicolor/${size}x${size}/$icon.png"
      if [ ! -f "$f" ]; then
        fail "missing icon $f"
        continue
      fi
      expect "$f is a ${size}x${size} PNG (got '$(png_size "$f")')" [ "$(png_size "$f")" = "${size}x${size}" ]
    done
  done
}

has_non_ascii() { LC_ALL=C grep -q $'[\x80-\xff]' <<<"$1"; }
lacks_problems() { ! grep -qE '(error|warning):' <<<"$1"; }

desktop_key() { # desktop_key FILE KEY: value in the [Desktop Entry] group
  awk -F= -v key="$2" '
    /^\[/ { group = $0 }
    group == "[Desktop Entry]" && $1 == key { sub(/^[^=]*=/, ""); print; exit }' "$1"
}

check_desktop_entry() {
  local root=$1 f out mime
  f="$root/usr/share/applications/quorvane.desktop"
  if [ ! -f "$f" ]; then
    fail "missing $f"
    return
  fi
  # Hints (two main categories is intended) are not failures; errors and warnings are.
  out=$(desktop-file-validate "$f" 2>&1) || fail "desktop-file-validate: $out"
  expect "desktop-file-validate reports no error or warning: $out" lacks_problems "$out"
  local -A want=(
    [Type]=Application [Exec]="quorvane %f" [Icon]=quorvane [Terminal]=false
    [Categories]="Office;Graphics;"
    [MimeType]="application/x-quorvane-label;application/x-quorvane-template;")
  local key
  for key in "${!want[@]}"; do
    expect "desktop entry $key='$(desktop_key "$f" "$key")', want '${want[$key]}'" \
      [ "$(desktop_key "$f" "$key")" = "${want[$key]}" ]
  done
  expect "desktop entry has a Chinese name" has_non_ascii "$(desktop_key "$f" 'Name[zh_CN]')"
  # The command and icon it names exist in the same tree.
  expect "Exec names an installed program" [ -x "$root/usr/bin/$(desktop_key "$f" Exec | cut -d' ' -f1)" ]
  expect "Icon names an installed icon" \
    [ -f "$root/usr/share/icons/hicolor/scalable/apps/$(desktop_key "$f" Icon).svg" ]

  # The menu and file managers see the program as the handler of both types.
  local share
  share=$(mktemp -d)
  cp "$f" "$share/"
  update-desktop-database "$share" 2>/dev/null
  for mime in "${QV_MIME_TYPES[@]}"; do
    expect "desktop database lists quorvane.desktop for ${mime%%:*}" \
      grep -qx "${mime%%:*}=quorvane.desktop;" "$share/mimeinfo.cache"
  done
  rm -rf "$share"
}

check_mime_package() {
  local root=$1 f db mime type ext
  f="$root/usr/share/mime/packages/quorvane.xml"
  if [ ! -f "$f" ]; then
    fail "missing $f"
    return
  fi
  expect "$f is well-formed XML" xmllint --noout "$f"
  # Compile it as the system does (any complaint is a failure) and read the
  # result back.
  local share
  share=$(mktemp -d)
  db="$share/mime"
  mkdir -p "$db/packages"
  cp "$f" "$db/packages/"
  if XDG_DATA_DIRS="$share" update-mime-database "$db" >/dev/null 2>"$share/err" && [ ! -s "$share/err" ]; then
    pass
  else
    fail "update-mime-database: $(cat "$share/err")"
  fi
  for mime in "${QV_MIME_TYPES[@]}"; do
    type=${mime%%:*}
    ext=${mime##*:}
    expect "glob *.$ext for $type" grep -q ":$type:\*\.$ext$" "$db/globs2"
    expect "$type has an English comment" \
      grep -q "<comment>" "$db/$type.xml"
    expect "$type has a Simplified-Chinese comment" \
      grep -q '<comment xml:lang="zh_CN">' "$db/$type.xml"
    expect "icon for $type is installed" \
      [ -f "$root/usr/share/icons/hicolor/scalable/mimetypes/${type//\//-}.svg" ]
    expect "text editors are offered for $type" grep -qx "$type text/plain" "$db/subclasses"
  done
  rm -rf "$share"
}

# The font rule is linked into fontconfig's conf.d like a font package does,
# and with it the names used by label files resolve to installed faces even
# under a desktop that prefers other faces for the generic families.
check_font_rule() {
  local root=$1 rule link target
  rule="$root/usr/share/fontconfig/conf.avail/$QV_FONT_RULE"
  link="$root/etc/fonts/conf.d/$QV_FONT_RULE"
  if [ ! -f "$rule" ]; then
    fail "missing $rule"
    return
  fi
  expect "$rule is well-formed XML" xmllint --noout "$rule"
  target=$(readlink "$link" || true)
  expect "$link links to the rule (got '$target')" \
    [ "$target" = "/usr/share/fontconfig/conf.avail/$QV_FONT_RULE" ]
  if ! command -v fc-match >/dev/null; then
    missing "fc-match (fontconfig) not found, font substitution not checked"
    return
  fi

  local cfg
  cfg=$(mktemp -d)
  cat >"$cfg/desktop.conf" <<'EOF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <alias binding="strong"><family>sans-serif</family><prefer><family>DejaVu Serif</family></prefer></alias>
  <alias binding="strong"><family>serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <alias binding="strong"><family>monospace</family><prefer><family>DejaVu Sans</family></prefer></alias>
</fontconfig>
EOF
  local with_rule="" conf
  for conf in without with; do
    cat >"$cfg/fonts-$conf.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <include>$cfg/desktop.conf</include>
  $with_rule
  <cachedir>$cfg/cache</cachedir>
</fontconfig>
EOF
    with_rule="<include>$rule</include>"
  done
  first_face() { FONTCONFIG_FILE="$cfg/fonts-$1.conf" fc-match -s -f '%{family[0]}\n' "$2" | head -n1; }

  local -a cases=(
    "SimSun|WenQuanYi Zen Hei"
    "宋体|WenQuanYi Zen Hei"
    "NSimSun|WenQuanYi Zen Hei Mono"
    "新宋体|WenQuanYi Zen Hei Mono"
    "Courier New|Liberation Mono"
    "Courier New:bold|Liberation Mono"
    "Arial|Liberation Sans"
    "Arial:italic|Liberation Sans"
    "Lucida Console|Liberation Mono"
    "Times New Roman|Liberation Serif")
  local c name face got
  for c in "${cases[@]}"; do
    name=${c%%|*}
    face=${c#*|}
    if ! fc-list -f '%{family}\n' | tr ',' '\n' | grep -qx "$face"; then
      missing "face '$face' is not installed, '$name' not checked"
      continue
    fi
    got=$(first_face with "$name")
    expect "'$name' resolves to '$face' (got '$got')" [ "$got" = "$face" ]
  done
  # The desktop's own choices stay as they are.
  for name in sans-serif serif monospace; do
    got=$(first_face with "$name")
    expect "'$name' is left to the desktop (got '$got')" [ "$got" = "$(first_face without "$name")" ]
  done
  unset -f first_face
  rm -rf "$cfg"
}

check_man_pages() {
  local root=$1 p f out
  for p in quorvane quorvane-cli quorvane-server; do
    f="$root/usr/share/man/man1/$p.1.gz"
    if [ ! -f "$f" ]; then
      fail "missing manual page $f"
      continue
    fi
    if ! command -v groff >/dev/null; then
      missing "groff not found, $p.1 not formatted"
      continue
    fi
    out=$(gzip -dc "$f" | groff -man -ww -z 2>&1)
    expect "$p.1 formats without warnings: $out" [ -z "$out" ]
  done
}

# The service unit runs the installed server as the user the sysusers.d
# file makes, and systemd itself finds nothing wrong with it.
check_service_unit() {
  local root=$1 unit="$1/usr/lib/systemd/system/quorvane-server.service" out
  expect "the sysusers.d file makes the user quorvane" \
    grep -qE '^u quorvane - "Quorvane print service"' "$root/usr/lib/sysusers.d/quorvane-server.conf"
  expect "the unit runs as quorvane" grep -qx 'User=quorvane' "$unit"
  expect "the unit keeps its jobs in /var/lib/quorvane" grep -q '^ExecStart=/usr/bin/quorvane-server .*--state /var/lib/quorvane' "$unit"
  # Only when systemd-analyze is there: the rest of the tree is checked all the same.
  command -v systemd-analyze >/dev/null || { echo "note: systemd-analyze not found, the unit is not verified"; return 0; }
  local copy
  copy=$(mktemp -d)
  sed "s|/usr/bin/quorvane-server|$root/usr/bin/quorvane-server|" "$unit" >"$copy/quorvane-server.service"
  if out=$(systemd-analyze verify --man=no "$copy/quorvane-server.service" 2>&1) && [ -z "$out" ]; then
    pass
  else
    fail "systemd-analyze verify quorvane-server.service: $out"
  fi
  rm -rf "$copy"
}

check_help_page() {
  local root=$1 src="$QV_SOURCE_DIR/resources/Help.html"
  expect "Help.html installed to usr/share/quorvane" cmp -s "$src" "$root/usr/share/quorvane/Help.html"
}

# Software centres read the AppStream file; Debian tools read the licence.
check_metainfo_and_licence() {
  local root=$1 f out
  f="$root/usr/share/metainfo/$QV_METAINFO"
  if [ ! -f "$f" ]; then
    fail "missing $f"
  elif command -v appstreamcli >/dev/null; then
    if out=$(appstreamcli validate --no-net "$f" 2>&1); then pass; else fail "appstreamcli validate: $out"; fi
  else
    missing "appstreamcli not found, $QV_METAINFO not validated"
  fi
  expect "metainfo launches the installed desktop entry" \
    grep -q '<launchable type="desktop-id">quorvane.desktop</launchable>' "$f"
  f="$root/usr/share/doc/quorvane/copyright"
  expect "machine-readable copyright file installed" \
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$f"
  expect "copyright file names the MIT (Expat) licence" grep -q '^License: Expat' "$f"
}

check_tree() {
  check_only_expected_files "$1"
  check_programs_present "$1"
  check_icons "$1"
  check_desktop_entry "$1"
  check_mime_package "$1"
  check_font_rule "$1"
  check_man_pages "$1"
  check_service_unit "$1"
  check_help_page "$1"
  check_metainfo_and_licence "$1"
}
