#!/usr/bin/env bash
# A throw-away PostgreSQL server for the tests of the recipe service's store.
#   postgres-test-server.sh start DIR   initialises a cluster in DIR, starts it
#                                       on a free loopback port and prints its
#                                       postgresql:// address
#   postgres-test-server.sh stop DIR    stops it (DIR can then be deleted)
# The server runs as an unprivileged user: the calling user, or, when that is
# root, the "postgres" user (created when missing).
set -euo pipefail

usage() { echo "usage: $0 start|stop DIR" >&2; exit 2; }
[ $# -eq 2 ] || usage
action="$1"
dir="$(mkdir -p "$2" && cd "$2" && pwd)"

bindir="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)"
if [ -z "$bindir" ] || [ ! -x "$bindir/pg_ctl" ]; then
    echo "PostgreSQL server programs not found (install the postgresql package)" >&2
    exit 1
fi

as_owner=()
if [ "$(id -u)" -eq 0 ]; then
    if ! id postgres >/dev/null 2>&1; then
        useradd --system --no-create-home --shell /usr/sbin/nologin postgres
    fi
    as_owner=(runuser -u postgres --)
fi

case "$action" in
start)
    mkdir -p "$dir/sock"
    [ ${#as_owner[@]} -eq 0 ] || chown -R postgres "$dir"
    "${as_owner[@]}" "$bindir/initdb" -D "$dir/data" -U pantrio --auth=trust \
        --no-locale -E UTF8 >"$dir/initdb.log" 2>&1 ||
        { cat "$dir/initdb.log" >&2; exit 1; }
    port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
    "${as_owner[@]}" "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
        -o "-c listen_addresses=127.0.0.1 -p $port -k $dir/sock -c fsync=off" start >/dev/null ||
        { cat "$dir/server.log" >&2; exit 1; }
    echo "postgresql://pantrio@127.0.0.1:$port/postgres"
    ;;
stop)
    if [ -f "$dir/data/postmaster.pid" ]; then
        "${as_owner[@]}" "$bindir/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
    fi
    ;;
*) usage ;;
esac
