# A private CUPS scheduler for tests, to be sourced by bash scripts.
#
#   source tests/common/cups_private.sh
#   if why=$(cups_missing); then echo "SKIP: $why"; exit 77; fi
#   cups_start "$T" || exit 1
#   trap 'cups_stop; rm -rf "$T"' EXIT
#   trap 'exit 143' INT TERM HUP          # so a killed test stops it too
#   cups_add_queue office "$T/office.out"                      # PDF into a file
#   cups_add_queue zebra "$T/zebra.out" drv:///sample.drv/zebra.ppd
#   quorvane-cli print ... --printer office
#
# The scheduler keeps everything (configuration, spool, logs, its socket)
# under DIR/cups, listens only on a unix socket there and exports
# CUPS_SERVER, so lpadmin, lp and every libcups program started afterwards
# (Qt included) see this scheduler and its queues alone. The system's
# queues and /etc/cups are never read or changed.

CUPS_PRIVATE_DIR=""
CUPS_PRIVATE_PID=""

# Prints why the scheduler cannot run here, or nothing when it can.
cups_missing() {
  local tool
  for tool in cupsd lpadmin lpstat; do
    command -v "$tool" >/dev/null 2>&1 || [ -x "/usr/sbin/$tool" ] || {
      echo "$tool is not installed"
      return 0
    }
  done
  return 1
}

_cups_bin() { command -v "$1" 2>/dev/null || echo "/usr/sbin/$1"; }

# cups_start DIR: starts the scheduler and waits until it answers.
cups_start() {
  local base="$1"
  if cups_missing >/dev/null; then
    echo "cups_start: $(cups_missing)" >&2
    return 1
  fi
  CUPS_PRIVATE_DIR="$base/cups"
  local d="$CUPS_PRIVATE_DIR"
  mkdir -p "$d"/{ppd,ssl,spool/tmp,cache,state/certs,log,out}
  # Filters run as the unprivileged user cupsd picks when started by root;
  # they must reach the spool and the folders the queues write into.
  chmod 0755 "$base" "$d" "$d"/{spool,cache,state,log,out}
  chmod 1777 "$d/spool/tmp" "$d/out"
  # A unix socket path is limited to about 100 bytes; keep it short.
  local sock="$d/sock"
  if [ ${#sock} -gt 100 ]; then
    sock=$(mktemp -u /tmp/qvcups.XXXXXX).sock
  fi
  local user="" group=""
  if [ "$(id -u)" = 0 ]; then
    user=$(getent passwd lp >/dev/null && echo lp || echo nobody)
    group=$(getent group lp >/dev/null && echo lp || echo nogroup)
  else
    user=$(id -un)
    group=$(id -gn)
  fi
  cat >"$d/cups-files.conf" <<EOF
ServerRoot $d
RequestRoot $d/spool
TempDir $d/spool/tmp
CacheDir $d/cache
StateDir $d/state
ErrorLog $d/log/error_log
AccessLog $d/log/access_log
PageLog $d/log/page_log
FileDevice Yes
Printcap $d/printcap
User $user
Group $group
SystemGroup $(id -gn)
ServerKeychain $d/ssl
EOF
  cat >"$d/cupsd.conf" <<EOF
Listen $sock
Browsing No
BrowseLocalProtocols none
DefaultAuthType None
LogLevel info
MaxLogSize 0
WebInterface No
PreserveJobHistory Yes
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF
  "$(_cups_bin cupsd)" -f -c "$d/cupsd.conf" -s "$d/cups-files.conf" >"$d/log/cupsd.out" 2>&1 &
  CUPS_PRIVATE_PID=$!
  export CUPS_SERVER="$sock"
  local i
  for i in $(seq 1 100); do
    if [ -S "$sock" ] && lpstat -r >/dev/null 2>&1; then
      return 0
    fi
    kill -0 "$CUPS_PRIVATE_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "cups_start: the scheduler did not start:" >&2
  cat "$d/log/cupsd.out" "$d/log/error_log" >&2 2>/dev/null
  cups_stop
  return 1
}

# cups_add_queue NAME OUTPUT-FILE [MODEL]: a queue that prints into
# OUTPUT-FILE through MODEL (a PPD file, or a model name lpinfo lists such as
# drv:///sample.drv/zebra.ppd). Without MODEL the queue prints PDF. The
# first queue added becomes the default printer.
cups_add_queue() {
  local name="$1" out="$2" model="${3:-}"
  local how=()
  if [ -z "$model" ]; then
    model=$(cups_pdf_ppd) || return 1
  fi
  if [ -f "$model" ]; then how=(-P "$model"); else how=(-m "$model"); fi
  # lpadmin warns that drivers are deprecated; only failures are worth showing.
  local said
  said=$("$(_cups_bin lpadmin)" -p "$name" -E -v "file://$out" "${how[@]}" 2>&1) || {
    echo "cups_add_queue: $said" >&2
    return 1
  }
  if ! lpstat -d 2>/dev/null | grep -q ': '; then
    "$(_cups_bin lpadmin)" -d "$name" || return 1
  fi
}

# The PPD of a printer that takes and gives PDF.
cups_pdf_ppd() {
  local f
  for f in /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd \
           /usr/share/cups/model/Generic-PDF_Printer-PDF.ppd; do
    [ -f "$f" ] && { echo "$f"; return 0; }
  done
  echo "cups_pdf_ppd: no generic PDF printer description" >&2
  return 1
}

# cups_wait_idle [SECONDS]: waits until no job is pending or printing.
cups_wait_idle() {
  local i limit=$(( ${1:-60} * 10 ))
  for i in $(seq 1 "$limit"); do
    [ -z "$(lpstat -o 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  return 1
}

# The jobs the scheduler has finished, one "ID STATE" line each.
cups_completed_jobs() { lpstat -W completed -o 2>/dev/null; }

cups_stop() {
  if [ -n "$CUPS_PRIVATE_PID" ]; then
    kill "$CUPS_PRIVATE_PID" 2>/dev/null
    wait "$CUPS_PRIVATE_PID" 2>/dev/null
    CUPS_PRIVATE_PID=""
  fi
  case "${CUPS_SERVER:-}" in /tmp/qvcups.*.sock) rm -f "$CUPS_SERVER" ;; esac
  unset CUPS_SERVER
}
