#!/usr/bin/env bash
# Runs the 32-bit Windows DLLs under wine: tests/win32's program loads
# diskarrayjni.dll and tesk740.dll as a 32-bit JVM would and calls natives
# through a fake JNIEnv (see docs/windows.md for what this proves).
#
# The DLLs are laid out as deployed: both in one folder, which the program
# puts on PATH itself; the program and its working directory lie elsewhere.
# Two loopback SMTP servers (tests/core/smtp_sink.py) receive the core's
# mail: one in clear, one offering STARTTLS with a throwaway certificate.
# snmptrapd on 127.0.0.1 receives the trap the core sends from Windows.
# The wine prefix is kept in BUILD_DIR/wine-prefix (made once, ~10 s); no
# display is needed.
#
# Usage: scripts/run-win32-tests.sh BUILD_DIR
set -euo pipefail

if [[ $# -ne 1 ]]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
nm=${NM:-i686-w64-mingw32-nm}
prefix=Java_korvane_str_diskarray_DiskArrayUtilityJNI_

command -v wine >/dev/null || {
  echo "FAIL: wine is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
}
program=$build/tests/win32/kx_win32_test.exe
header=$build/jni_headers/korvane_str_diskarray_DiskArrayUtilityJNI.h
object_list=$build/bridge/diskarrayjni_native_objects.txt
for file in "$program" "$header" "$object_list" \
  "$build/bridge/diskarrayjni.dll" "$build/core/tesk740.dll"; do
  [[ -f $file ]] || { echo "FAIL: $file not found" >&2; exit 1; }
done

export WINEPREFIX=$build/wine-prefix WINEARCH=win32 WINEDEBUG=-all
# No Mono or Gecko installer prompts, no window: the program is a console one.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

work=$(mktemp -d)
sink_pids=()
cleanup() {
  wineserver -k 2>/dev/null || true
  local pid
  for pid in "${sink_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  # Gone before their folders are removed: snmptrapd writes there as it ends.
  for pid in "${sink_pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  rm -f "$WINEPREFIX/dosdevices/k:" "$WINEPREFIX/dosdevices/unc/localhost/share"
  rm -rf "$work"
}
trap cleanup EXIT

started=$SECONDS
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  echo "Creating the wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
# Stations of an earlier run under C: go first.
rm -rf "$WINEPREFIX/drive_c/kx win32 tests"

mkdir -p "$work/dlls" "$work/bin" "$work/cwd" "$work/scratch" "$work/share" \
  "$work/mail" "$work/mail-tls" "$work/traps"
cp "$build/bridge/diskarrayjni.dll" "$build/core/tesk740.dll" "$work/dlls/"
cp "$program" "$work/bin/"
cp "$header" "$work/"

# The natives the bridge objects define: what the export table must hold.
mapfile -t objects <"$object_list"
"$nm" -g --defined-only "${objects[@]}" |
  sed -nE "s/^[0-9a-f]+ T _(${prefix}[A-Za-z0-9_@]+)$/\1/p" | sort -u >"$work/implemented.txt"

# The program sees C: (the prefix's own) and K:, this run's folder, and
# nothing else of this machine: wine's Z: drive (the whole file system) is
# taken away, so a path the core gets wrong cannot land outside. The share
# \\localhost\share is K:\share.
devices=$WINEPREFIX/dosdevices
rm -f "$devices/z:" "$devices/k:"
ln -s "$work" "$devices/k:"
mkdir -p "$devices/unc/localhost"
ln -sfn "$work/share" "$devices/unc/localhost/share"

# The SMTP servers, each telling its port through a file once it listens;
# Debian's Python, which has aiosmtpd, whatever python3 is first on PATH.
sink=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/tests/core/smtp_sink.py
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes \
  -days 2 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 \
  -keyout "$work/sink-key.pem" -out "$work/sink-cert.pem" 2>/dev/null
/usr/bin/python3 "$sink" --port-file "$work/mail.port" --out-dir "$work/mail" &
sink_pids+=($!)
/usr/bin/python3 "$sink" --port-file "$work/mail-tls.port" --out-dir "$work/mail-tls" \
  --tls-cert "$work/sink-cert.pem" --tls-key "$work/sink-key.pem" &
sink_pids+=($!)
for port_file in "$work/mail.port" "$work/mail-tls.port"; do
  for _ in $(seq 300); do
    [[ -s $port_file ]] && break
    sleep 0.1
  done
  [[ -s $port_file ]] || { echo "FAIL: the SMTP server did not start" >&2; exit 1; }
done

# The trap receiver on a UDP port free a moment ago, accepting the test's
# community only, one line per trap: TRAP, then its variables.
trap_port=$(/usr/bin/python3 -c 'import socket
s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
s.bind(("127.0.0.1", 0))
print(s.getsockname()[1])')
echo "authCommunity log kxwin32" >"$work/traps/snmptrapd.conf"
SNMP_PERSISTENT_DIR=$work/traps /usr/sbin/snmptrapd -f -C -c "$work/traps/snmptrapd.conf" \
  -Lf "$work/traps/traps.log" -On -m '' -F 'TRAP %V~%v\n' "udp:127.0.0.1:$trap_port" &
sink_pids+=($!)
for _ in $(seq 300); do
  grep -q "NET-SNMP version" "$work/traps/traps.log" 2>/dev/null && break
  sleep 0.1
done
grep -q "NET-SNMP version" "$work/traps/traps.log" 2>/dev/null ||
  { echo "FAIL: snmptrapd did not start" >&2; exit 1; }

status=0
(cd "$work/cwd" && timeout 300 wine "K:\\bin\\kx_win32_test.exe" \
  'K:\dlls' "K:\\$(basename "$header")" 'K:\implemented.txt' 'K:\scratch' \
  "127.0.0.1:$(cat "$work/mail.port")" 'K:\mail' \
  "127.0.0.1:$(cat "$work/mail-tls.port")" 'K:\mail-tls' "127.0.0.1:$trap_port") ||
  status=$?

# Seen from Linux, stations made on K: and on the share have their names
# in UTF-8: the core went through the wide file API, not the ANSI one.
if [[ $status -eq 0 ]]; then
  for made in "scratch/ščřž 😀 station" "share/verbatim unc" "share/plain unc" "cwd/relative station"; do
    if [[ ! -f "$work/$made/station.db" ]]; then
      echo "FAIL: no station.db under $made"
      status=1
    fi
  done
  # And the SMTP servers hold what the core sent them.
  for received in mail/1.eml mail-tls/1.eml; do
    if [[ ! -s "$work/$received" ]]; then
      echo "FAIL: no $received from the Windows core"
      status=1
    fi
  done
  # And snmptrapd decoded the one trap, every variable in its place, the
  # unit's name in UTF-8 (the datagram left before the native returned; the
  # receiver gets a moment).
  event=.1.3.6.1.4.1.32473.740
  expected="$event.1.2 = STRING: \"drive-blocked\"~$event.1.3 = STRING: \"drive 3/14\""
  for _ in $(seq 100); do
    grep -q "^TRAP " "$work/traps/traps.log" && break
    sleep 0.1
  done
  traps=$(grep -c "^TRAP " "$work/traps/traps.log" || true)
  if [[ $traps -ne 1 ]] ||
    ! grep "^TRAP " "$work/traps/traps.log" | grep -qF "$expected" ||
    ! grep "^TRAP " "$work/traps/traps.log" |
      grep -qF "$event.1.1 = Hex-STRING: 75 6E 69 74 2D 31 2D C3 A4" ||
    ! grep "^TRAP " "$work/traps/traps.log" | grep -qF ".1.3.6.1.6.3.1.1.4.1.0 = OID: $event.0.1"; then
    echo "FAIL: snmptrapd did not receive the one trap from the Windows core:"
    cat "$work/traps/traps.log"
    status=1
  fi
fi
echo "win32 run: exit status $status, $((SECONDS - started)) s"
exit "$status"
