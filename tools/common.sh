# Shared by the project's scripts: installing what is missing from Debian's
# packages, and a virtual display for Wine. Source it; it defines functions.

# Everything the build, the tests and the program need on Debian 12.
VELQUOR_PACKAGES=(
    cmake make g++ libgtest-dev libdragonbox-dev libfast-float-dev
    g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    # wine64 too: with wine32 present, Debian's wine package does not bring
    # it, and where 32-bit programs cannot run the tests need it.
    wine wine32:i386 wine64
    xvfb xauth x11-apps x11-utils imagemagick
    nsis
    clang-14 lld-14 llvm-14 wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32
    libclang-rt-14-dev-wasm32 nodejs chromium chromium-driver python3-selenium
)

is_installed() {
    [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "error: installing packages needs root; run as root or install sudo" >&2
        return 1
    fi
}

# Installs the packages that are not there yet; does nothing when all are.
install_missing() {
    local missing=() package
    for package in "${VELQUOR_PACKAGES[@]}" "$@"; do
        is_installed "$package" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "== installing: ${missing[*]}"
    # No root is said once, not taken for a failed update below.
    as_root true || return 1
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386 || return 1
    fi
    # A mirror in mid-sync serves an index whose size does not match the
    # release file for a few minutes; a later try usually finds it whole.
    local try errors
    for try in 1 2 3; do
        errors=$(as_root apt-get update -qq 2>&1) && break
        if [ "$try" -eq 3 ]; then
            echo "error: the package lists could not be updated (apt-get update failed 3 times, 20 s apart), so ${missing[*]} could not be installed; this is usually a package mirror in mid-sync, and trying again in a few minutes usually helps." >&2
            # apt's own one-line errors name the index that failed.
            grep '^E: ' <<<"$errors" | sed 's/^/  /' >&2
            return 1
        fi
        echo "-- apt-get update failed; trying again in 20 s" >&2
        sleep 20
    done
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq "${missing[@]}" >/dev/null || return 1
}

# Virtual displays are looked for from this number up; CI leaves the default,
# a developer sharing the machine may start elsewhere.
VELQUOR_FIRST_DISPLAY=${VELQUOR_FIRST_DISPLAY:-91}

# Starts an X server on the first free display number from
# VELQUOR_FIRST_DISPLAY on; sets VELQUOR_XVFB_DISPLAY (":N") and
# VELQUOR_XVFB_PID. Its output goes nowhere, so that a caller waiting for
# ours (CTest) does not wait for the server too. Our own scripts starting
# servers at the same time take turns at choosing the number.
start_xvfb() {
    local n
    exec 7>/tmp/.velquor-xvfb.lock
    flock 7
    for n in $(seq "$VELQUOR_FIRST_DISPLAY" $((VELQUOR_FIRST_DISPLAY + 99))); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 7>&- &
        VELQUOR_XVFB_PID=$!
        for _ in $(seq 100); do
            if [ -e "/tmp/.X11-unix/X$n" ]; then
                VELQUOR_XVFB_DISPLAY=":$n"
                exec 7>&-
                return 0
            fi
            kill -0 "$VELQUOR_XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
    done
    exec 7>&-
    echo "error: could not start a virtual display" >&2
    return 1
}

# Starts an X server of our own on a free display number and exports DISPLAY.
start_virtual_display() {
    start_xvfb || return 1
    export DISPLAY=$VELQUOR_XVFB_DISPLAY
}

stop_virtual_display() {
    [ -n "${VELQUOR_XVFB_PID:-}" ] && kill "$VELQUOR_XVFB_PID" 2>/dev/null
    VELQUOR_XVFB_PID=
}

# --- Wine prefixes -------------------------------------------------------------
#
# Every prefix the project makes (the tests', the monkey's, the benchmark's,
# the installer's fresh one) is a copy of one template per Wine architecture,
# made once per checkout in build/wine-template-ARCH: a copy takes a fraction
# of a second where making a prefix takes 10 to 20. The template is set up
# for programs run by a script on a virtual display:
# - no crash dialog: a crashing test must fail, not wait for a click;
# - "Managed" = "N" for Wine's X11 driver: with no window manager on the
#   display, Wine otherwise waits about two seconds, for an answer that never
#   comes, every time a top-level window closes; unmanaged, it does not wait,
#   and draws the title bars itself;
# - the symbol font of the caption buttons, which Wine does not find in its
#   own font folder here (they would show as the letters 0, 1 and r).
#
# VELQUOR_WINE_ARCH decides which Wine runs a build's programs: win32 (the
# shipped program, build/win32) or win64 (build/win64, for machines that
# cannot run 32-bit code). The toolchain files pass it to tools/wine-run.

VELQUOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELQUOR_WINE_ARCH=${VELQUOR_WINE_ARCH:-win32}

# Whether this machine runs 32-bit x86 programs. Some 64-bit kernels are
# built or configured without them: there the 32-bit Wine loader fails at
# once with "Exec format error". Asked once per shell.
can_run_32bit() {
    if [ -z "${VELQUOR_CAN_RUN_32BIT:-}" ]; then
        if /usr/lib/wine/wine --version >/dev/null 2>&1; then
            VELQUOR_CAN_RUN_32BIT=yes
        else
            VELQUOR_CAN_RUN_32BIT=no
        fi
        export VELQUOR_CAN_RUN_32BIT
    fi
    [ "$VELQUOR_CAN_RUN_32BIT" = yes ]
}

# The Windows build the tests and the tools run here: win32 where 32-bit
# programs run, win64 elsewhere.
windows_test_preset() {
    if can_run_32bit; then echo win32; else echo win64; fi
}

# Says, where the 64-bit build stands in for the shipped one, that it does:
# $1 is what the caller does with it ("measuring", "the monkey drives").
say_if_64bit_stands_in() {
    [ "$(windows_test_preset)" = win32 ] ||
        echo "32-bit programs cannot run on this machine: $1 the 64-bit build of the same sources under 64-bit Wine"
}

# Reads the summary CTest ends log $1 with, "N% tests passed, F tests failed
# out of T", into CTEST_PASSED, CTEST_FAILED and CTEST_SKIPPED. T counts the
# tests that did not run too, which CTest lists as "(Skipped)" or
# "(Disabled)"; they are counted as skipped, not passed. Fails when the log
# has no summary (CTest stopped before it, or found no tests).
ctest_counts() {
    local line total
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -1)
    [ -n "$line" ] || return 1
    CTEST_FAILED=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
    total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
    CTEST_SKIPPED=$(grep -cE '^[[:space:]]+[0-9]+ - .* \((Skipped|Disabled)\)$' "$1" || true)
    CTEST_PASSED=$((total - CTEST_FAILED - CTEST_SKIPPED))
}

# Sets up the environment for Wine of architecture VELQUOR_WINE_ARCH (or $1):
# WINEARCH, the loader (VELQUOR_WINE, also WINELOADER for Wine's own helpers),
# the template's path.
wine_environment() {
    VELQUOR_WINE_ARCH=${1:-$VELQUOR_WINE_ARCH}
    case $VELQUOR_WINE_ARCH in
        win32) VELQUOR_WINE=wine
               unset WINELOADER ;;
        # /usr/bin/wine prefers the 32-bit loader whenever it is installed,
        # even where it cannot run: name the 64-bit one.
        win64) VELQUOR_WINE=/usr/lib/wine/wine64
               export WINELOADER=$VELQUOR_WINE ;;
        *) echo "error: unknown Wine architecture $VELQUOR_WINE_ARCH" >&2; return 1 ;;
    esac
    export VELQUOR_WINE_ARCH VELQUOR_WINE
    export WINEARCH=$VELQUOR_WINE_ARCH
    export WINEDEBUG=${WINEDEBUG:--all}
    # No Mono or Gecko installer, which would wait for a click.
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
    VELQUOR_WINE_TEMPLATE=$VELQUOR_ROOT/build/wine-template-$VELQUOR_WINE_ARCH
}

# The prefix of programs run by hand (tools/run), one per architecture.
default_wine_prefix() {
    case $VELQUOR_WINE_ARCH in
        win32) echo "$VELQUOR_ROOT/build/wineprefix" ;;
        *) echo "$VELQUOR_ROOT/build/wineprefix-$VELQUOR_WINE_ARCH" ;;
    esac
}

# Runs the Wine loader of the chosen architecture (after wine_environment).
run_wine() {
    "$VELQUOR_WINE" "$@"
}

# Makes the template if it is not there yet; several callers may ask at once.
make_wine_template() {
    wine_environment || return 1
    local template=$VELQUOR_WINE_TEMPLATE
    [ -f "$template/system.reg" ] && return 0
    mkdir -p "$(dirname "$template")"
    (
        flock 8
        [ -f "$template/system.reg" ] && exit 0
        rm -rf "$template.new"
        export WINEPREFIX=$template.new
        run_wine wineboot --init >/dev/null 2>&1 || exit 1
        run_wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        run_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
        # Everything written to disk before the copy is taken.
        wineserver -w
        [ -f "$WINEPREFIX/system.reg" ] && mv "$WINEPREFIX" "$template"
    ) 8>"$template.lock"
    [ -f "$template/system.reg" ] || { echo "error: could not make a $VELQUOR_WINE_ARCH Wine prefix" >&2; return 1; }
}

# Makes prefix $1 from the template if it is not there yet.
ensure_wine_prefix() {
    local prefix=$1
    [ -f "$prefix/system.reg" ] && return 0
    make_wine_template || return 1
    mkdir -p "$(dirname "$prefix")"
    (
        flock 8
        [ -f "$prefix/system.reg" ] && exit 0
        rm -rf "$prefix.new"
        cp -a "$VELQUOR_WINE_TEMPLATE" "$prefix.new" && rm -rf "$prefix" && mv "$prefix.new" "$prefix"
    ) 8>"$prefix.lock"
}
