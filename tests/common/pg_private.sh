# A private PostgreSQL server for one test or benchmark, in a folder of its
# own, reachable only through its socket there. Source this file, then:
#   pg_private_start FOLDER    sets PG_SOCKET (the socket folder) and PG_USER
#   pg_private_stop            stops it (call it from the EXIT trap)
# initdb refuses to run as root, so as root the server runs as "nobody".

pg_private_bin() {
  local dir
  dir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)
  [ -n "$dir" ] && [ -x "$dir/initdb" ] && echo "$dir"
}

pg_private_as() { # command...
  if [ "$(id -u)" = 0 ]; then runuser -u nobody -- "$@"; else "$@"; fi
}

pg_private_start() { # folder
  PG_BIN=$(pg_private_bin) || return 1
  PG_DIR="$1/pg"
  PG_SOCKET="$PG_DIR"
  PG_USER=quorvane
  mkdir -p "$PG_DIR" || return 1
  if [ "$(id -u)" = 0 ]; then
    chmod 755 "$1" && chown nobody "$PG_DIR" || return 1
  fi
  pg_private_as "$PG_BIN/initdb" -D "$PG_DIR/data" -U "$PG_USER" --auth=trust --no-sync -E UTF8 --locale=C.UTF-8 \
    >"$PG_DIR/initdb.log" 2>&1 || { cat "$PG_DIR/initdb.log"; return 1; }
  pg_private_as "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -l "$PG_DIR/server.log" -w -t 60 \
    -o "-k $PG_SOCKET -c listen_addresses='' -c fsync=off" start >/dev/null ||
    { cat "$PG_DIR/server.log"; return 1; }
  export PG_BIN PG_DIR PG_SOCKET PG_USER
}

pg_private_stop() {
  [ -n "${PG_DIR:-}" ] && [ -f "$PG_DIR/data/postmaster.pid" ] &&
    pg_private_as "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -m immediate stop >/dev/null 2>&1
  return 0
}

# psql on the private server as its superuser: pg_psql DB -c "..."
pg_psql() { # database args...
  local db="$1"; shift
  psql -X -q -v ON_ERROR_STOP=1 -h "$PG_SOCKET" -U "$PG_USER" -d "$db" "$@"
}
