#!/usr/bin/env bash
# install_missing (tools/common.sh) against stand-ins for apt-get, dpkg-query,
# dpkg and id, first and alone on PATH: a mirror that fails one index, one
# that refuses a package, one that gives no lists at all, and no root. Each
# case checks what was installed, what was said, and which Windows build the
# tests then take. Needs no root and no network.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
checks=0

# --- The stand-ins ---------------------------------------------------------
# They keep their state in $STATE: "installed" (one package a line), "log"
# (each apt-get call), "lists/" (the fetched package lists). STUB_UPDATE says
# how `apt-get update` goes (ok, partial, none); STUB_REFUSE names the
# packages apt cannot install; STUB_UID is what `id -u` says.
stubs=$work/bin
mkdir -p "$stubs"
cat >"$stubs/apt-get" <<'STUB'
#!/bin/bash
echo "$*" >>"$STATE/log"
case $1 in
update)
    case $STUB_UPDATE in
    ok) touch "$STATE/lists/deb.debian.org_debian_dists_bookworm_main_binary-amd64_Packages" ;;
    partial)
        touch "$STATE/lists/deb.debian.org_debian_dists_bookworm_main_binary-amd64_Packages"
        echo "E: Failed to fetch https://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 151.101.2.132 443]" >&2
        echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
        exit 100 ;;
    none)
        echo "E: Failed to fetch https://deb.debian.org/debian/dists/bookworm/InRelease  Could not resolve 'deb.debian.org'" >&2
        echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
        exit 100 ;;
    esac ;;
install)
    shift
    simulate=no packages=()
    for a in "$@"; do
        case $a in -s) simulate=yes ;; -*) ;; *) packages+=("$a") ;; esac
    done
    for p in "${packages[@]}"; do
        if [[ " $STUB_REFUSE " == *" $p "* ]] || ! ls "$STATE/lists/" | grep -q .; then
            echo "E: Unable to correct problems, you have held broken packages." >&2
            exit 100
        fi
    done
    [ $simulate = yes ] || printf '%s\n' "${packages[@]}" >>"$STATE/installed" ;;
esac
STUB
cat >"$stubs/dpkg-query" <<'STUB'
#!/bin/bash
grep -qxF -- "${!#}" "$STATE/installed" && printf 'install ok installed'
STUB
cat >"$stubs/dpkg" <<'STUB'
#!/bin/bash
case $1 in
--print-foreign-architectures) cat "$STATE/architectures" ;;
--add-architecture) echo "$2" >>"$STATE/architectures" ;;
esac
STUB
printf '#!/bin/bash\necho "$STUB_UID"\n' >"$stubs/id"
chmod +x "$stubs"/*
# What the functions use besides, and nothing else (no sudo).
for tool in grep sed paste sleep env ls cat touch dirname; do ln -s "$(command -v "$tool")" "$stubs/$tool"; done

# --- The cases ---------------------------------------------------------------

# install_case UPDATE REFUSE UID [PRESENT...]: runs install_missing in a fresh
# state where PRESENT are installed and the rest of the project's packages
# are not, on a machine that runs 32-bit programs; sets RC, OUT (all it
# said), PRESET, STANDS_IN (what the tools say of the 64-bit build),
# HARDENING (what keeps the sanitizer runs out), INSTALLED, UPDATES.
install_case() {
    export STATE=$work/state STUB_UPDATE=$1 STUB_REFUSE=$2 STUB_UID=$3
    shift 3
    rm -rf "$STATE"
    mkdir -p "$STATE/lists"
    : >"$STATE/installed"
    [ $# -eq 0 ] || printf '%s\n' "$@" >"$STATE/installed"
    : >"$STATE/architectures" >"$STATE/log"
    local result
    result=$(
        PATH=$stubs
        VELQUOR_APT_LISTS=$STATE/lists VELQUOR_APT_RETRY_SECONDS=0 VELQUOR_CAN_RUN_32BIT=yes
        . "$root/tools/common.sh"
        install_missing >"$work/out" 2>&1
        echo "RC=$?"
        echo "PRESET=$(windows_test_preset)"
        echo "STANDS_IN=$(say_if_64bit_stands_in "the tests run on")"
        echo "HARDENING=$(missing_for_part clang libclang-rt-14-dev llvm)"
    )
    RC=$(sed -n 's/^RC=//p' <<<"$result")
    PRESET=$(sed -n 's/^PRESET=//p' <<<"$result")
    STANDS_IN=$(sed -n 's/^STANDS_IN=//p' <<<"$result")
    HARDENING=$(sed -n 's/^HARDENING=//p' <<<"$result")
    OUT=$(cat "$work/out")
    INSTALLED=$(sort "$STATE/installed" | paste -sd ' ')
    UPDATES=$(grep -c '^update' "$STATE/log")
}

check() {  # check DESCRIPTION ACTUAL EXPECTED
    checks=$((checks + 1))
    if [ "$2" != "$3" ]; then
        echo "FAILED: $case_name: $1"
        echo "    got:      $2"
        echo "    expected: $3"
        failures=$((failures + 1))
    fi
}
says() {  # says TEXT: OUT holds TEXT as a line of its own or within one
    checks=$((checks + 1))
    grep -qF -- "$1" <<<"$OUT" || { echo "FAILED: $case_name: never said: $1"; echo "$OUT" | sed 's/^/    | /'; failures=$((failures + 1)); }
}

all=$(. "$root/tools/common.sh"; printf '%s\n' "${VELQUOR_PACKAGES[@]}")
all_but() { grep -vxF -f <(printf '%s\n' "$@") <<<"$all" | sort | paste -sd ' '; }
index=https://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz

case_name="one index fails, wine32 refused"
install_case partial "wine32:i386" 0 cmake make
check "exit status" "$RC" 0
check "installed" "$INSTALLED" "$(all_but wine32:i386)"
check "updates tried" "$UPDATES" 1
check "i386 added" "$(cat "$STATE/architectures")" i386
says "-- apt-get update could not fetch $index: going on with the package lists it has"
says "-- wine32:i386 could not be installed from this machine's package mirror (apt-get update could not fetch $index); left out: running the shipped 32-bit build"
check "tests' build" "$PRESET" win64
check "what the tools say" "$STANDS_IN" "the 32-bit Wine (wine32:i386) could not be installed from this machine's package mirror (apt-get update could not fetch $index): the tests run on the 64-bit build of the same sources under 64-bit Wine"

case_name="whole mirror, nsis and clang refused"
install_case ok "nsis clang" 0
check "exit status" "$RC" 0
check "installed" "$INSTALLED" "$(all_but nsis clang)"
says "-- nsis could not be installed from this machine's package mirror; left out: the installer and its test"
check "tests' build" "$PRESET" win32
check "what the tools say" "$STANDS_IN" ""
check "sanitizer runs" "$HARDENING" "clang could not be installed from this machine's package mirror"

case_name="a package everything needs refused"
install_case ok "g++-mingw-w64-i686 nsis" 0
check "exit status" "$RC" 1
check "installed" "$INSTALLED" ""
says "error: g++-mingw-w64-i686 could not be installed from this machine's package mirror, and nothing can be built or tested without them."

case_name="no package lists at all"
install_case none "" 0
check "exit status" "$RC" 1
check "installed" "$INSTALLED" ""
check "updates tried" "$UPDATES" 3
says "error: there are no package lists (apt-get update failed 3 times, 0 s apart)"
says "  E: Failed to fetch https://deb.debian.org/debian/dists/bookworm/InRelease  Could not resolve 'deb.debian.org'"

case_name="no root"
install_case ok "" 1000
check "exit status" "$RC" 1
check "apt-get calls" "$(cat "$STATE/log")" ""
says "error: installing packages needs root; run as root or install sudo"

case_name="everything there"
install_case ok "" 1000 $all
check "exit status" "$RC" 0
check "what was said" "$OUT" ""
check "tests' build" "$PRESET" win32

echo "install: $checks checks, $failures failed"
[ "$failures" -eq 0 ]
