# Sourced by test.sh before the tests run: starts a private CUPS scheduler for this test run
# with one queue whose jobs are kept as files, so that a test can print through a real
# spooler and look at what arrived. Nothing here may stop test.sh: when the scheduler cannot
# start, BW_CUPS_ERROR says why and the spooler test fails with that message.
#
# Exports:
#   CUPS_SERVER           the scheduler's socket (Qt and the lp tools talk to it)
#   BW_CUPS_QUEUE         the capturing queue
#   BW_CUPS_CAPTURE_DIR   where each job lands as job-<id>.data with job-<id>.options
#                         (the job's options) and job-<id>.title
#   BW_CUPS_ERROR         set instead of the two above when the scheduler did not start

bw_cups_give_up() {
    kill "$BW_CUPSD_PID" 2>/dev/null || true
    sleep 0.5
    rm -rf "$1" 2>/dev/null || true
    unset CUPS_SERVER
}

bw_cups_start() {
    local root sbin sub status=""
    unset BW_CUPS_ERROR BW_CUPS_QUEUE BW_CUPS_CAPTURE_DIR
    if ! command -v cupsd >/dev/null 2>&1 || ! command -v lpadmin >/dev/null 2>&1; then
        export BW_CUPS_ERROR="cupsd or lpadmin is not installed (setup.sh installs cups, cups-client, cups-bsd)"
        return 0
    fi
    root=$(mktemp -d /tmp/bwcups.XXXXXX 2>/dev/null) || {
        export BW_CUPS_ERROR="no temporary folder for the scheduler"
        return 0
    }
    chmod 0755 "$root"
    mkdir -p "$root/etc/ppd" "$root/spool/tmp" "$root/cache" "$root/state" "$root/log" "$root/capture" \
        "$root/bin/backend"
    chmod 1777 "$root/spool/tmp"

    # The scheduler's programs are the system's, plus one backend that keeps each job.
    sbin=/usr/lib/cups
    for sub in cgi-bin daemon driver filter monitor notifier; do
        [ -e "$sbin/$sub" ] && ln -s "$sbin/$sub" "$root/bin/$sub"
    done
    cat >"$root/bin/backend/bwcapture" <<'EOF'
#!/bin/sh
# bwcapture backend: job-id user title copies options [file]
umask 022
if [ $# -eq 0 ]; then
    echo 'direct bwcapture "Unknown" "Bellweft job capture"'
    exit 0
fi
dir=${DEVICE_URI#bwcapture:}
out="$dir/job-$1"
printf '%s\n' "$5" >"$out.options.tmp" && mv "$out.options.tmp" "$out.options"
printf '%s\n' "$3" >"$out.title.tmp" && mv "$out.title.tmp" "$out.title"
if [ -n "$6" ]; then cp "$6" "$out.data.tmp"; else cat >"$out.data.tmp"; fi
mv "$out.data.tmp" "$out.data"
exit 0
EOF
    chmod 0700 "$root/bin/backend/bwcapture"

    cat >"$root/etc/cupsd.conf" <<EOF
LogLevel warn
Listen $root/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
EOF
    cat >"$root/etc/cups-files.conf" <<EOF
ServerRoot $root/etc
ServerBin $root/bin
RequestRoot $root/spool
TempDir $root/spool/tmp
CacheDir $root/cache
StateDir $root/state
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
SystemGroup root
Sandboxing Relaxed
EOF
    [ -e /etc/cups/raw.types ] && cp /etc/cups/raw.types "$root/etc/"
    [ -e /etc/cups/raw.convs ] && cp /etc/cups/raw.convs "$root/etc/"

    cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" >"$root/log/cupsd.out" 2>&1 &
    BW_CUPSD_PID=$!
    export CUPS_SERVER="$root/cups.sock"

    # At most about 15 seconds, whatever the scheduler does.
    local deadline=$((SECONDS + 15))
    while [ "$SECONDS" -lt "$deadline" ]; do
        if [ -S "$root/cups.sock" ] && timeout 2 lpstat -r >/dev/null 2>&1; then
            status=running
            break
        fi
        kill -0 "$BW_CUPSD_PID" 2>/dev/null || break
        sleep 0.2
    done
    if [ "$status" != running ]; then
        export BW_CUPS_ERROR="the private cupsd did not start: $(tail -n 3 "$root/log/error_log" "$root/log/cupsd.out" 2>/dev/null | tr '\n' ' ')"
        bw_cups_give_up "$root"
        return 0
    fi
    if ! timeout 20 lpadmin -p bellweft-capture -E -v "bwcapture:$root/capture" -m raw >/dev/null 2>&1 ||
        ! timeout 5 lpstat -p bellweft-capture >/dev/null 2>&1; then
        export BW_CUPS_ERROR="the capture queue could not be added to the private cupsd"
        bw_cups_give_up "$root"
        return 0
    fi
    export BW_CUPS_QUEUE=bellweft-capture
    export BW_CUPS_CAPTURE_DIR="$root/capture"
    BW_CUPS_ROOT="$root"
    # The scheduler goes with the test run, after whatever else the shell does on exit.
    local previous
    previous=$(trap -p EXIT | sed -e "s/^trap -- '//" -e "s/' EXIT\$//")
    # shellcheck disable=SC2064
    trap "kill $BW_CUPSD_PID 2>/dev/null; for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 $BW_CUPSD_PID 2>/dev/null || break; sleep 0.2; done; rm -rf '$root'; $previous" EXIT
    echo "cups: private scheduler at $CUPS_SERVER, queue $BW_CUPS_QUEUE"
}

bw_cups_start || true
unset -f bw_cups_start bw_cups_give_up
