#!/usr/bin/env bash
# Runs a command against a print server of its own: a private CUPS scheduler on a socket in a
# temporary folder, with a cups-pdf printer as its default destination. The command sees
# CUPS_SERVER and QUORVEL05_CUPS_PDF_DIR (where cups-pdf puts the pages it receives). The
# scheduler is stopped and its folder removed afterwards. Exit 77 (skipped) when no scheduler
# can be started here, saying why.
#
#   tests/print/with_cups.sh COMMAND [ARG...]
set -uo pipefail

skip() {
    echo "print server test skipped: $*"
    exit 77
}
command -v cupsd >/dev/null 2>&1 || skip "cupsd is not installed (package cups)"
command -v lpadmin >/dev/null 2>&1 || skip "lpadmin is not installed (package cups-client)"
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf backend is not installed (package printer-driver-cups-pdf)"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f "$ppd" ] || skip "$ppd is missing"
[ "$(id -u)" -eq 0 ] || skip "a private scheduler with the cups-pdf backend needs root"

root="$(mktemp -d /tmp/quorvel05-cups.XXXXXX)"
mkdir -p "$root/etc/ppd" "$root/spool" "$root/tmp" "$root/cache" "$root/state" "$root/log"
cat >"$root/etc/cupsd.conf" <<CONF
LogLevel warn
Listen $root/cups.sock
Browsing Off
DefaultAuthType None
WebInterface No
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
cat >"$root/etc/cups-files.conf" <<CONF
ServerRoot $root/etc
RequestRoot $root/spool
TempDir $root/tmp
CacheDir $root/cache
StateDir $root/state
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
FileDevice No
CONF
chmod -R go-w "$root"

cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" >"$root/log/stdout" 2>&1 &
scheduler=$!
cleanup() {
    kill "$scheduler" 2>/dev/null
    wait "$scheduler" 2>/dev/null
    rm -rf "$root"
}
trap cleanup EXIT

export CUPS_SERVER="$root/cups.sock"
for _ in $(seq 50); do
    lpstat -r >/dev/null 2>&1 && break
    sleep 0.1
done
lpstat -r >/dev/null 2>&1 || skip "the scheduler did not start: $(cat "$root/log/stdout" "$root/log/error_log" 2>/dev/null | tail -3)"
lpadmin -p Quorvel05PDF -E -v cups-pdf:/ -P "$ppd" 2>/dev/null || skip "the cups-pdf printer could not be added"
lpadmin -d Quorvel05PDF || skip "the cups-pdf printer could not be made the default"

# cups-pdf writes into the job owner's home.
export QUORVEL05_CUPS_PDF_DIR="$HOME/PDF"
"$@"
