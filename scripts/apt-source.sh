# shellcheck shell=bash
# Sourced by prepare-sqlite.sh and prepare-argon2.sh: fetches a Debian source
# package with apt-get source, from the package sources this machine is
# configured with.
#
# apt-get source needs deb-src entries, and Debian images carry only deb
# entries. kx_ensure_deb_src adds, for each configured deb entry, the deb-src
# entry of the same archive, suites and components
# (/etc/apt/sources.list.d/kx-deb-src.sources and kx-deb-src.list), so the
# sources come from wherever the machine's binary packages come from.

if [[ $(id -u) -eq 0 ]]; then
  kx_as_root=()
else
  kx_as_root=(sudo)
fi

# kx_derive_deb_src DEB822|ONELINE: prints the deb-src entries matching the
# configured deb entries, in deb822 form (from *.sources files) or one-line
# form (from sources.list and *.list files).
kx_derive_deb_src() {
  local form=$1
  local files=()
  if [[ $form == DEB822 ]]; then
    files=(/etc/apt/sources.list.d/*.sources)
  else
    files=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list)
  fi
  local file
  for file in "${files[@]}"; do
    [[ -f $file && $file != */kx-deb-src.* ]] || continue
    if [[ $form == DEB822 ]]; then
      # One stanza per paragraph: a stanza whose Types hold "deb" (and that
      # is not disabled) is printed again with Types: deb-src.
      awk '
        function flush() {
          if (n > 0 && is_deb && !disabled) {
            for (i = 1; i <= n; i++) print lines[i]
            print ""
          }
          n = 0; is_deb = 0; disabled = 0
        }
        /^[[:space:]]*$/ { flush(); next }
        /^#/ { next }
        /^Types:/ {
          for (i = 2; i <= NF; i++) if ($i == "deb") is_deb = 1
          lines[++n] = "Types: deb-src"
          next
        }
        /^Enabled:[[:space:]]*[Nn]o/ { disabled = 1 }
        { lines[++n] = $0 }
        END { flush() }
      ' "$file"
    else
      sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$file"
    fi
  done
}

kx_has_deb_src() {
  grep -rqsE '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources
}

kx_ensure_deb_src() {
  # An earlier version of these scripts wrote a deb-src entry naming one
  # archive host; the derived entries replace it.
  local old=/etc/apt/sources.list.d/kx-debian-src.sources
  if [[ -f $old ]]; then
    "${kx_as_root[@]}" rm -f "$old"
  fi
  if ! kx_has_deb_src; then
    local deb822 oneline
    deb822=$(kx_derive_deb_src DEB822)
    oneline=$(kx_derive_deb_src ONELINE)
    if [[ -z $deb822 && -z $oneline ]]; then
      echo "No deb entry in the configured package sources to derive a deb-src entry from" >&2
      return 1
    fi
    if [[ -n $deb822 ]]; then
      printf '%s\n' "$deb822" | "${kx_as_root[@]}" tee /etc/apt/sources.list.d/kx-deb-src.sources >/dev/null
    fi
    if [[ -n $oneline ]]; then
      printf '%s\n' "$oneline" | "${kx_as_root[@]}" tee /etc/apt/sources.list.d/kx-deb-src.list >/dev/null
    fi
  fi
  if ! apt-cache showsrc "$1" 2>/dev/null | grep -q "^Package: $1\$"; then
    "${kx_as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  fi
}

# kx_apt_source PACKAGE: downloads PACKAGE's source into the current
# directory. Its messages (notices about the package's upstream repository,
# the unsandboxed download as root) go to a log shown only when it fails.
kx_apt_source() {
  local package=$1
  kx_ensure_deb_src "$package"
  local log
  log=$(mktemp)
  if ! apt-get source -qq --download-only "$package" >"$log" 2>&1; then
    cat "$log" >&2
    rm -f "$log"
    echo "apt-get source $package failed" >&2
    return 1
  fi
  rm -f "$log"
}
