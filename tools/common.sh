# Shared by the project's scripts: installing what is missing from Debian's
# packages, and a virtual display for Wine. Source it; it defines functions.

# Everything the build, the tests and the program need on Debian 12.
VELQUOR_PACKAGES=(
    cmake make g++ libgtest-dev libdragonbox-dev
    g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
    g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    # wine64 too: with wine32 present, Debian's wine package does not bring
    # it, and where 32-bit programs cannot run the tests need it.
    wine wine32:i386 wine64
    xvfb xauth x11-apps x11-utils imagemagick
    # What tools/make-images.py draws with and writes the pictures with.
    fonts-dejavu-core python3-pil
    nsis
    clang-14 lld-14 llvm-14 wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32
    libclang-rt-14-dev-wasm32 nodejs chromium chromium-driver python3-selenium
    # clang's fuzzing and sanitizer run-times, and llvm-symbolizer for
    # readable stacks (tools/hardening, tools/fuzz).
    clang libclang-rt-14-dev llvm
)

# The packages whose absence costs one part of the work rather than all of
# it, and that part: where the mirror cannot give one of them, the scripts
# go on without the part and say so. wine32 has a way round of its own: the
# 64-bit build under 64-bit Wine (windows_test_preset).
declare -A VELQUOR_PACKAGE_PART=(
    [wine32:i386]="running the shipped 32-bit build under Wine (the 64-bit build of the same sources stands in)"
    [nsis]="the installer and its test"
    [chromium]="the page's browser test"
    [chromium-driver]="the page's browser test"
    [python3-selenium]="the page's browser test"
    [clang]="the sanitizer and fuzzing runs"
    [libclang-rt-14-dev]="the sanitizer and fuzzing runs"
    [llvm]="the sanitizer and fuzzing runs"
)

# Where apt keeps the package lists it fetched (the install tests point it
# at a folder of their own).
VELQUOR_APT_LISTS=${VELQUOR_APT_LISTS:-/var/lib/apt/lists}

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

have_package_lists() {
    compgen -G "$VELQUOR_APT_LISTS/*_Packages*" >/dev/null
}

# Brings the package lists up to date as far as the mirror allows. An update
# that fetched some lists and failed on others (a mirror that serves one
# index of the wrong size, which has been seen to last for days) is not
# tried again: the lists it has are used, and what they cannot give is found
# below. With no lists at all, it is tried three times, 20 s apart.
# Sets VELQUOR_APT_FAILED to the indexes that could not be fetched.
update_package_lists() {
    local try errors
    VELQUOR_APT_FAILED=
    for try in 1 2 3; do
        errors=$(as_root apt-get update -qq 2>&1) && return 0
        VELQUOR_APT_FAILED=$(sed -nE 's/^[EW]: Failed to fetch ([^ ]+).*/\1/p' <<<"$errors" | paste -sd ' ')
        if have_package_lists; then
            echo "-- apt-get update could not fetch ${VELQUOR_APT_FAILED:-some of its indexes}: going on with the package lists it has" >&2
            return 0
        fi
        if [ "$try" -eq 3 ]; then
            echo "error: there are no package lists (apt-get update failed 3 times, ${VELQUOR_APT_RETRY_SECONDS:-20} s apart), so $1 could not be installed; this is usually a package mirror in mid-sync or no network, and trying again in a few minutes usually helps." >&2
            # apt's own one-line errors name the index that failed.
            grep '^E: ' <<<"$errors" | sed 's/^/  /' >&2
            return 1
        fi
        echo "-- apt-get update failed; trying again in ${VELQUOR_APT_RETRY_SECONDS:-20} s" >&2
        sleep "${VELQUOR_APT_RETRY_SECONDS:-20}"
    done
}

# Installs the packages that are not there yet; does nothing when all are.
# Where apt refuses some of them, the others are installed all the same:
# each refused package is named with the part of the work it costs (one
# line each), and the part is left out (VELQUOR_NOT_INSTALLABLE lists those
# packages, space-separated). A refused package that everything needs ends
# it here. Extra packages may be given as arguments.
install_missing() {
    local missing=() installable=() package
    export VELQUOR_NOT_INSTALLABLE=
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
    update_package_lists "${missing[*]}" || return 1
    as_root env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq "${missing[@]}" >/dev/null 2>&1 && return 0
    # Which of them apt cannot install from the lists it has: a simulated
    # install of each alone.
    local refused=() needed=()
    for package in "${missing[@]}"; do
        if as_root apt-get install -s -qq "$package" >/dev/null 2>&1; then
            installable+=("$package")
        elif [ -n "${VELQUOR_PACKAGE_PART[$package]:-}" ]; then
            refused+=("$package")
        else
            needed+=("$package")
        fi
    done
    local from="from this machine's package mirror${VELQUOR_APT_FAILED:+ (apt-get update could not fetch $VELQUOR_APT_FAILED)}"
    if [ ${#needed[@]} -gt 0 ]; then
        echo "error: ${needed[*]} could not be installed $from, and nothing can be built or tested without them." >&2
        return 1
    fi
    if [ ${#installable[@]} -gt 0 ] &&
       ! as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${installable[@]}" >/dev/null; then
        echo "error: installing ${installable[*]} failed" >&2
        return 1
    fi
    for package in "${refused[@]}"; do
        echo "-- $package could not be installed $from; left out: ${VELQUOR_PACKAGE_PART[$package]}" >&2
    done
    VELQUOR_NOT_INSTALLABLE=${refused[*]}
}

# Whether package $1 was refused by the last install_missing.
not_installable() {
    [[ " ${VELQUOR_NOT_INSTALLABLE:-} " == *" $1 "* ]]
}

# The part of the work left out for want of a package, or nothing: $@ are
# the packages the part needs. Says which package where one is missing.
missing_for_part() {
    local package
    for package in "$@"; do
        if ! is_installed "$package"; then
            if not_installable "$package"; then
                echo "$package could not be installed from this machine's package mirror"
            else
                echo "$package is not installed"
            fi
            return 0
        fi
    done
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
# built or configured without them ("Exec format error"). Asked of the
# kernel with the smallest such program, written here rather than carried
# as a file: an ELF header, one loadable segment, and the seven bytes of
# exit(0) through the i386 system-call gate (xor ebx,ebx; xor eax,eax;
# inc eax; int 0x80). Whether the 32-bit Wine is installed is another
# question (why_not_32bit). Asked once per shell.
can_run_32bit() {
    if [ -z "${VELQUOR_CAN_RUN_32BIT:-}" ]; then
        local probe=$VELQUOR_ROOT/build/.run-i386
        mkdir -p "${probe%/*}"
        printf '%b' \
            '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
            '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
            '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
            '\x00\x00\x00\x00' \
            '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' \
            '\x5b\x00\x00\x00\x5b\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
            '\x31\xdb\x31\xc0\x40\xcd\x80' >"$probe" && chmod +x "$probe"
        if "$probe" 2>/dev/null; then
            VELQUOR_CAN_RUN_32BIT=yes
        else
            VELQUOR_CAN_RUN_32BIT=no
        fi
        rm -f "$probe"
        export VELQUOR_CAN_RUN_32BIT
    fi
    [ "$VELQUOR_CAN_RUN_32BIT" = yes ]
}

# Why the shipped 32-bit build cannot run under Wine here, in words for the
# user, or nothing where it can.
why_not_32bit() {
    if ! can_run_32bit; then
        echo "32-bit programs cannot run on this machine"
    elif ! is_installed wine32:i386; then
        if not_installable wine32:i386; then
            echo "the 32-bit Wine (wine32:i386) could not be installed from this machine's package mirror${VELQUOR_APT_FAILED:+ (apt-get update could not fetch $VELQUOR_APT_FAILED)}"
        else
            echo "the 32-bit Wine (wine32:i386) is not installed"
        fi
    fi
}

# The Windows build the tests and the tools run here: win32 where the
# shipped program can run under Wine, win64 elsewhere.
windows_test_preset() {
    if [ -z "$(why_not_32bit)" ]; then echo win32; else echo win64; fi
}

# Says, where the 64-bit build stands in for the shipped one, that it does
# and why: $1 is what the caller does with it ("measuring", "the monkey
# drives").
say_if_64bit_stands_in() {
    local why
    why=$(why_not_32bit)
    [ -z "$why" ] || echo "$why: $1 the 64-bit build of the same sources under 64-bit Wine"
}

# Reads the JUnit report CTest wrote (ctest --output-junit FILE) into
# CTEST_PASSED, CTEST_FAILED and CTEST_SKIPPED. Tests that did not run
# (skipped, or disabled) are counted as skipped, not passed. Fails when there
# is no report (CTest stopped before writing it, or found no tests).
ctest_counts() {
    local head count
    [ -s "$1" ] || return 1
    head=$(sed -n '/<testsuite/,/>/p' "$1" | tr -s '\n\t' '  ')
    count() { sed -nE "s/.*[[:space:]]$1=\"([0-9]+)\".*/\1/p" <<<"$head"; }
    local tests failures disabled skipped
    tests=$(count tests) failures=$(count failures) disabled=$(count disabled) skipped=$(count skipped)
    [ -n "$tests" ] && [ "$tests" -gt 0 ] || return 1
    CTEST_FAILED=$failures
    CTEST_SKIPPED=$((skipped + disabled))
    CTEST_PASSED=$((tests - failures - CTEST_SKIPPED))
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
