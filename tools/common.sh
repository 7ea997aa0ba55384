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

# Starts an X server of our own on a free display number and exports DISPLAY.
start_virtual_display() {
    local n
    for n in $(seq 91 190); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        VELQUOR_XVFB_PID=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
            kill -0 "$VELQUOR_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
    done
    echo "error: could not start a virtual display" >&2
    return 1
}

stop_virtual_display() {
    [ -n "${VELQUOR_XVFB_PID:-}" ] && kill "$VELQUOR_XVFB_PID" 2>/dev/null
    VELQUOR_XVFB_PID=
}
