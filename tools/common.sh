# Shared by the project's scripts: installing what is missing from Debian's
# packages, and a virtual display for Wine. Source it; it defines functions.

# Everything the build, the tests and the program need on Debian 12.
VELQUOR_PACKAGES=(
    cmake make g++ libgtest-dev libdragonbox-dev libfast-float-dev
    g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
    wine wine32:i386
    xvfb xauth x11-apps x11-utils imagemagick
    nsis
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
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386 || return 1
    fi
    as_root apt-get update -qq || return 1
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
# the installer's fresh one) is a copy of one template, made once per
# checkout in build/wine-template: a copy takes a fraction of a second where
# making a prefix takes 10 to 20. The template is set up for programs run by
# a script on a virtual display:
# - no crash dialog: a crashing test must fail, not wait for a click;
# - "Managed" = "N" for Wine's X11 driver: with no window manager on the
#   display, Wine otherwise waits about two seconds, for an answer that never
#   comes, every time a top-level window closes; unmanaged, it does not wait,
#   and draws the title bars itself;
# - the symbol font of the caption buttons, which Wine does not find in its
#   own font folder here (they would show as the letters 0, 1 and r).

VELQUOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELQUOR_WINE_TEMPLATE=$VELQUOR_ROOT/build/wine-template

wine_environment() {
    export WINEDEBUG=${WINEDEBUG:--all}
    # No Mono or Gecko installer, which would wait for a click.
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
    export WINEARCH=win32
}

# Makes the template if it is not there yet; several callers may ask at once.
make_wine_template() {
    local template=$VELQUOR_WINE_TEMPLATE
    [ -f "$template/system.reg" ] && return 0
    mkdir -p "$(dirname "$template")"
    (
        flock 8
        [ -f "$template/system.reg" ] && exit 0
        rm -rf "$template.new"
        export WINEPREFIX=$template.new
        wine_environment
        wineboot --init >/dev/null 2>&1 || exit 1
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
        # Everything written to disk before the copy is taken.
        wineserver -w
        [ -f "$WINEPREFIX/system.reg" ] && mv "$WINEPREFIX" "$template"
    ) 8>"$template.lock"
    [ -f "$template/system.reg" ] || { echo "error: could not make a Wine prefix" >&2; return 1; }
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
