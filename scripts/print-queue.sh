#!/usr/bin/env bash
# A private CUPS daemon with one PDF queue, so that printing can be tested for
# real without touching the machine's own printers or CUPS settings.
#   print-queue.sh start DIR   starts it in DIR with one queue, whose PDFs
#                              land in DIR/out; prints the lines
#                              CUPS_SERVER=DIR/cups.sock and QUEUE=<name>
#   print-queue.sh stop DIR    stops it
# Everything lives in DIR: the daemon's settings, spool and logs, and its
# programs folder, which links the machine's CUPS filters and adds a backend
# of its own that files each job's PDF (the generic PDF printer of
# cups-filters) in DIR/out. No system queue, no file under /etc/cups.
set -euo pipefail
action="$1"
dir="$(realpath -m "$2")"
queue="mardex-pdf-$(basename "$dir" | tr -c 'A-Za-z0-9\n' '-')"

case "$action" in
start)
  mkdir -p "$dir"/{root/ppd,state,cache,spool/tmp,out,logs,bin/backend}
  for part in /usr/lib/cups/*; do
    [ "$(basename "$part")" = backend ] || ln -sfn "$part" "$dir/bin/"
  done
  # The backend: CUPS runs it as lp with the filtered job (a PDF) on stdin,
  # or in the file named by its sixth argument.
  cat > "$dir/bin/backend/pdfdir" <<BACKEND
#!/bin/sh
umask 022
[ \$# -eq 0 ] && { echo 'file pdfdir "Unknown" "PDF files in a folder"'; exit 0; }
out="$dir/out/job-\$1.pdf"
if [ -n "\$6" ]; then cat "\$6"; else cat; fi > "\$out.part" && mv "\$out.part" "\$out"
BACKEND
  chmod 0755 "$dir/bin" "$dir/bin/backend" "$dir/bin/backend/pdfdir"
  # Filters run as lp: they need to reach the spool and the output.
  chmod 0755 "$dir" "$dir/root" "$dir/state"
  chmod 1777 "$dir/out" "$dir/spool/tmp"
  cat > "$dir/root/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF
  cat > "$dir/root/cups-files.conf" <<CONF
ServerRoot $dir/root
StateDir $dir/state
CacheDir $dir/cache
RequestRoot $dir/spool
TempDir $dir/spool/tmp
ServerBin $dir/bin
DataDir /usr/share/cups
ErrorLog $dir/logs/error_log
AccessLog $dir/logs/access_log
PageLog $dir/logs/page_log
Sandboxing Relaxed
CONF
  setsid cupsd -f -c "$dir/root/cupsd.conf" -s "$dir/root/cups-files.conf" > "$dir/logs/cupsd.out" 2>&1 < /dev/null &
  echo $! > "$dir/cupsd.pid"
  # A busy machine may take a while: wait until the scheduler answers.
  for _ in $(seq 300); do
    lpstat -h "$dir/cups.sock" -r 2> /dev/null | grep -q 'is running' && break
    sleep 0.1
  done
  lpstat -h "$dir/cups.sock" -r 2> /dev/null | grep -q 'is running' \
    || { echo "print-queue: cupsd did not start" >&2; cat "$dir/logs/"* >&2 || true; exit 1; }
  lpadmin -h "$dir/cups.sock" -p "$queue" -E -v "pdfdir:/$queue" \
    -P /usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd 2> "$dir/logs/lpadmin.log" \
    && lpadmin -h "$dir/cups.sock" -d "$queue" 2>> "$dir/logs/lpadmin.log" \
    || { echo "print-queue: the queue was not created" >&2; cat "$dir/logs/lpadmin.log" >&2; exit 1; }
  echo "CUPS_SERVER=$dir/cups.sock"
  echo "QUEUE=$queue"
  ;;
stop)
  if [ -f "$dir/cupsd.pid" ]; then
    kill "$(cat "$dir/cupsd.pid")" 2> /dev/null || true
    for _ in $(seq 50); do kill -0 "$(cat "$dir/cupsd.pid")" 2> /dev/null || break; sleep 0.1; done
  fi
  ;;
*) echo "usage: print-queue.sh start|stop DIR" >&2; exit 2 ;;
esac
