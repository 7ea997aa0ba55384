#!/usr/bin/python3
"""Draws the program's pictures into res/: the two banners, the portrait on
the About box and the application icon; or, with `page FOLDER`, the web
page's copies of the three pictures and its two home-screen icons into
FOLDER (the web build runs that).

ImageMagick draws and anti-aliases the artwork; Pillow writes the bitmaps,
each in the one layout the resource compiler and the dialogs expect. The
banners bear the product's name and description as the version block of
res/velquor.rc gives them, where they are written once.

Usage: tools/make-images.py               (from anywhere)
       tools/make-images.py page FOLDER
"""
import os
import re
import struct
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RES = os.path.join(ROOT, "res")

# /usr/local/bin may hold a stand-in named convert; only the real program will do.
CONVERT = "/usr/bin/convert"
FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FONT_BOLD = FONT_DIR + "/DejaVuSans-Bold.ttf"
FONT_BOOK = FONT_DIR + "/DejaVuSans.ttf"

# What the pictures need, installed with the project's other packages
# (tools/common.sh): a build that lacks one says which and stops.
for needed, package in ((CONVERT, "imagemagick"), (FONT_BOLD, "fonts-dejavu-core"),
                        (FONT_BOOK, "fonts-dejavu-core")):
    if not os.path.exists(needed):
        sys.exit("make-images.py: %s is missing; install Debian's %s (tools/test and tools/web "
                 "install it with the project's other packages)." % (needed, package))
try:
    from PIL import Image
except ImportError:
    sys.exit("make-images.py: Pillow is missing; install Debian's python3-pil (tools/test and "
             "tools/web install it with the project's other packages).")


def version_strings():
    """The product's name and description from the version block."""
    with open(os.path.join(RES, "velquor.rc"), encoding="utf-8") as rc:
        values = dict(re.findall(r'^\s*VALUE "(\w+)", "([^"]*)"', rc.read(), re.M))
    if not values.get("ProductName") or not values.get("FileDescription"):
        sys.exit("make-images.py: res/velquor.rc has no ProductName or FileDescription in its version block.")
    return values["ProductName"], values["FileDescription"]


# ---------------------------------------------------------------- drawing --

def banner_mvg(w, h, k, name, description):
    """Foreground of the banner (mast, waves, the product's name and
    description) as MVG, drawn `k` times larger than w x h for a screen of
    that pixel density.

    Geometry is laid out on the 81-pixel-high banner and scaled, but the text
    sizes and strokes have floors so the small banner stays legible instead
    of merely shrinking; the floors scale with `k`, so that a denser copy is
    the same picture.
    """
    s = k * h / 81.0
    out = []
    add = out.append

    def f(v):
        return "%.2f" % v

    # Mast: a tapering lattice tower with a short whip and a beacon on top.
    cx = 44 * s
    base_y = 71 * s
    top_y = 25 * s
    half_base = 10 * s
    half_top = 1.6 * s
    whip_y = 13 * s
    wave_y = 16 * s

    add("stroke-linecap round")
    add("stroke-linejoin round")
    add("fill none")

    def stroke_rgba(hexrgb, a):
        r, g, b = (int(hexrgb[i:i + 2], 16) for i in (1, 3, 5))
        return "stroke 'rgba(%d,%d,%d,%.3f)'" % (r, g, b, a)

    # Ripples far out on the right fill the space past the lettering and tie it
    # back to the mast, without crossing the text.
    for r, a in ((300, 0.10), (340, 0.08), (380, 0.06), (420, 0.045)):
        add(stroke_rgba("#ffffff", a))
        add("stroke-width %s" % f(max(1.0 * k, 1.5 * s)))
        add("ellipse %s,%s %s,%s -60,60" % (f(cx), f(wave_y), f(r * s), f(r * s)))

    # Waves either side of the whip; they fade as they travel.
    for r, a, sw in ((10, 0.95, 2.4), (17.5, 0.75, 2.2), (25, 0.5, 2.0)):
        add(stroke_rgba("#6fe3ee", a))
        add("stroke-width %s" % f(max(1.2 * k, sw * s)))
        for a0, a1 in ((-40, 40), (140, 220)):
            add("ellipse %s,%s %s,%s %d,%d" % (f(cx), f(wave_y), f(r * s), f(r * s), a0, a1))

    add("stroke '#e8f4f8'")
    # Legs.
    add("stroke-width %s" % f(max(1.2 * k, 2.2 * s)))
    add("line %s,%s %s,%s" % (f(cx - half_base), f(base_y), f(cx - half_top), f(top_y)))
    add("line %s,%s %s,%s" % (f(cx + half_base), f(base_y), f(cx + half_top), f(top_y)))
    # Cross bracing, zig-zagging up the tower.
    add("stroke-width %s" % f(max(0.8 * k, 1.2 * s)))
    levels = 5
    pts = []
    for i in range(levels + 1):
        t = i / float(levels)
        y = base_y + (top_y - base_y) * t
        half = half_base + (half_top - half_base) * t
        side = -1 if i % 2 == 0 else 1
        pts.append((cx + side * half, y))
    add("polyline " + " ".join("%s,%s" % (f(x), f(y)) for x, y in pts))
    for i in range(1, levels):
        t = i / float(levels)
        y = base_y + (top_y - base_y) * t
        half = half_base + (half_top - half_base) * t
        add("line %s,%s %s,%s" % (f(cx - half), f(y), f(cx + half), f(y)))
    # Whip.
    add("stroke-width %s" % f(max(1.0 * k, 1.8 * s)))
    add("line %s,%s %s,%s" % (f(cx), f(top_y), f(cx), f(whip_y)))
    # Ground line.
    add(stroke_rgba("#e8f4f8", 0.6))
    add("stroke-width %s" % f(max(1.0 * k, 1.6 * s)))
    add("line %s,%s %s,%s" % (f(cx - 17 * s), f(base_y + 0.5 * s), f(cx + 17 * s), f(base_y + 0.5 * s)))
    # Beacon.
    add("stroke none")
    add("fill '#ff4b3a'")
    add("circle %s,%s %s,%s" % (f(cx), f(whip_y), f(cx + 2.6 * s), f(whip_y)))

    # Lettering.
    name_size = 44 * s
    sub_size = max(9.5 * k, 13.5 * s)
    text_x = 92 * s
    add("text-antialias 1")
    add("font '%s'" % FONT_BOLD)
    add("font-size %s" % f(name_size))
    add("fill 'rgba(4,12,32,0.45)'")
    add("text %s,%s '%s'" % (f(text_x + 1.2 * s), f(47 * s + 1.5 * s), name))
    add("fill '#ffffff'")
    add("text %s,%s '%s'" % (f(text_x), f(47 * s), name))
    add("font '%s'" % FONT_BOOK)
    add("font-size %s" % f(sub_size))
    add("fill '#bfeaf0'")
    add("text %s,%s '%s'" % (f(text_x + 1.5 * s), f(66 * s), description))
    return "\n".join(out) + "\n"


def glow_mvg(w, h):
    """A soft light behind the beacon, blurred afterwards."""
    s = h / 81.0
    cx, cy = 44 * s, 30 * s
    return "fill 'rgba(47,184,200,0.55)'\nellipse %.2f,%.2f %.2f,%.2f 0,360\n" % (cx, cy, 30 * s, 30 * s)


def portrait_mvg(scale):
    """A radio operator, head and shoulders, wearing a headset with a boom mic.

    Coordinates are in pixels of the final 90 x 108 picture; ImageMagick draws
    it `scale` times larger so that box-averaging it down gives clean edges.
    """
    return "scale %d,%d\n" % (scale, scale) + """
stroke-linecap round
stroke-linejoin round

# Radio waves in the corner, a nod to the trade.
fill none
stroke 'rgba(255,255,255,0.55)'
stroke-width 2.2
ellipse 90,0 16,16 90,180
stroke 'rgba(255,255,255,0.38)'
ellipse 90,0 26,26 90,180
stroke 'rgba(255,255,255,0.24)'
ellipse 90,0 36,36 90,180

# Shoulders in a teal polo shirt.
stroke none
fill '#1d6f86'
path 'M 6,109 C 7,92 18,84 34,81 L 56,81 C 72,84 83,92 84,109 Z'
fill '#185e72'
path 'M 6,109 C 7,94 14,88 22,85 C 20,93 20,101 21,109 Z'
path 'M 84,109 C 83,94 76,88 68,85 C 70,93 70,101 69,109 Z'

# Neck, a shade darker than the face because the chin shadows it.
fill '#e2a77c'
path 'M 37,64 L 53,64 L 54,82 C 50,87 40,87 36,82 Z'

# Placket and button under the collar.
stroke '#15586a'
stroke-width 1.2
line 45,88 45,100
stroke none
fill '#f4f7f8'
circle 45,95.5 45.9,95.5

# Collar.
fill '#f4f7f8'
path 'M 34,80 L 45,88 L 40,95 L 31,84 Z'
path 'M 56,80 L 45,88 L 50,95 L 59,84 Z'

# Head.
fill '#f3c7a0'
ellipse 45,50 17,20.5 0,360
# Ears.
ellipse 28.3,53 3.2,4.5 0,360
ellipse 61.7,53 3.2,4.5 0,360

# Hair: a full top with a fringe swept to one side.
fill '#6a3f22'
path 'M 27.5,52 C 25,34 33,26 45.5,26 C 57,26 65,34 62.5,52 C 62,47 61,43.5 59.5,40.5 C 57,38.5 53,38.3 49,39.5 C 43,41.3 37,44.5 30.5,44 C 29.3,46.5 28.2,49 27.5,52 Z'
fill none
stroke '#8b5733'
stroke-width 1.4
path 'M 36,33.5 C 42,29.5 51,29.8 56.5,34'
path 'M 34,41.5 C 40,40.5 46,36.5 54,35.8'
stroke none

# Eyebrows.
fill none
stroke '#5a341c'
stroke-width 1.5
path 'M 35,45.5 Q 38.5,43.8 42,45.3'
path 'M 48,45.3 Q 51.5,43.8 55,45.5'

# Eyes with a catch-light.
stroke none
fill '#2b2630'
ellipse 38.6,50.5 2,2.4 0,360
ellipse 51.4,50.5 2,2.4 0,360
fill '#ffffff'
circle 39.3,49.6 39.9,49.6
circle 52.1,49.6 52.7,49.6

# Cheeks.
fill 'rgba(236,120,110,0.30)'
ellipse 34.5,57.5 3.6,2.4 0,360
ellipse 55.5,57.5 3.6,2.4 0,360

# Nose and smile.
fill none
stroke '#d69670'
stroke-width 1.3
path 'M 45.5,52.5 Q 47.2,56.5 44.8,57.2'
stroke '#a34a3a'
stroke-width 1.6
path 'M 39.5,61.2 Q 45,65.8 50.5,61.2'

# Headset: band over the hair, cups over the ears, boom to the mouth.
stroke '#2e3440'
stroke-width 3.2
ellipse 45,50 20.5,24.5 196,344
stroke none
fill '#2e3440'
roundrectangle 21.5,45 30.5,61.5 3.2,3.2
roundrectangle 59.5,45 68.5,61.5 3.2,3.2
fill '#20b3c8'
roundrectangle 23.5,48.5 28,58 1.6,1.6
roundrectangle 62,48.5 66.5,58 1.6,1.6
fill none
stroke '#2e3440'
stroke-width 1.9
path 'M 25,60 C 25.5,67.5 30,69.5 36.5,67.2'
stroke none
fill '#1f232b'
ellipse 38,66.6 3,2.4 0,360
fill '#4a525f'
ellipse 37.5,66 1.3,0.9 0,360
"""


# ------------------------------------------------------------------- icon --
#
# The icon is drawn pixel by pixel: at 16 x 16 no renderer beats placing each
# dot by hand. The mast has a dark edge and a light face so it reads on both
# light and dark backgrounds, and each wave pairs a deep teal with a bright
# aqua for the same reason. '.' is transparent (cleared through the AND mask).

ICON_PALETTE = [
    (".", (0x00, 0x00, 0x00)),  # transparent; black so the XOR pass leaves the screen alone
    ("K", (0x10, 0x22, 0x4F)),  # mast edge, bars
    ("N", (0x1C, 0x3F, 0x8A)),  # bracing
    ("T", (0x0A, 0x7C, 0x8E)),  # outer edge of a wave
    ("A", (0x4C, 0xD6, 0xE6)),  # inner edge of a wave
    ("S", (0xC8, 0xD8, 0xE4)),  # lit face of the mast
    ("R", (0xE8, 0x32, 0x2A)),  # beacon
    ("r", (0x9A, 0x1A, 0x12)),  # beacon, shaded
    ("O", (0xFF, 0xA0, 0x88)),  # beacon, highlight
    ("W", (0xFF, 0xFF, 0xFF)),
    ("G", (0x6A, 0x80, 0x9A)),
    ("D", (0x08, 0x51, 0x5C)),
    ("L", (0xA8, 0xF0, 0xF8)),
    ("g", (0x3A, 0x4A, 0x5E)),
    ("Y", (0xFF, 0xD2, 0x4A)),
    ("w", (0xE8, 0xF4, 0xF8)),
]

ICON_32 = [
    "....TA....................AT....",
    "...TA......................AT...",
    "...TA..TT..............TT..AT...",
    "..TA...TA..............AT...AT..",
    "..TA..TA...T........T...AT..AT..",
    "..TA..TA...TA......AT...AT..AT..",
    "..TA..TA..TA...RR...AT..AT..AT..",
    "..TA..TA..TA..RORR..AT..AT..AT..",
    "..TA..TA..TA..RRRR..AT..AT..AT..",
    "..TA..TA..TA...rr...AT..AT..AT..",
    "..TA..TA...TA..KS..AT...AT..AT..",
    "..TA..TA...T...KS...T...AT..AT..",
    "..TA...TA......KS......AT...AT..",
    "...TA..TT.....KSSK.....TT..AT...",
    "...TA.........KSSK.........AT...",
    "....TA........KSSK........AT....",
    ".............KSNNSK.............",
    ".............KSNNSK.............",
    "............KSKKKKSK............",
    "............KS.NN.SK............",
    "...........KS.N..N.SK...........",
    "...........KS.N..N.SK...........",
    "..........KS.N....N.SK..........",
    "..........KSN......NSK..........",
    ".........KSKKKKKKKKKKSK.........",
    ".........KS....NN....SK.........",
    "........KS...NN..NN...SK........",
    "........KS..N......N..SK........",
    ".......KS..N........N..SK.......",
    ".......KSNN..........NNSK.......",
    "......KSN..............NSK......",
    "......KS................SK......",
]

ICON_16 = [
    "...T........T...",
    "..TA........AT..",
    ".TA..A....A..AT.",
    ".TA.TA.RR.AT.AT.",
    ".TA.TA.rr.AT.AT.",
    ".TA..A.KS.A..AT.",
    "..TA...KS...AT..",
    "...T..KSSK..T...",
    "......KSSK......",
    ".....KS..SK.....",
    ".....KKKKKK.....",
    "....KS.NN.SK....",
    "....KSN..NSK....",
    "...KSN....NSK...",
    "...KS......SK...",
    "..KS........SK..",
]


def home_icon_mvg(size, reach):
    """The home-screen icon's artwork for a `size`-pixel square, drawn at its
    size rather than enlarged from the 32-pixel icon: the mast, its beacon and
    the waves of the small icon, in a circle of radius `reach` x size around
    the middle (0.4 keeps it inside a maskable icon's safe zone)."""
    k = 2 * reach * size / 100.0  # the art is laid out in a 100-unit circle

    def p(x, y):
        return "%.2f,%.2f" % (size / 2 + (x - 50) * k, size / 2 + (y - 50) * k)

    def w(v):
        return "%.2f" % (v * k)

    out = ["stroke-linecap round", "stroke-linejoin round", "fill none"]
    add = out.append
    # Waves either side of the whip, a deep teal under a bright aqua, as on the small icon.
    for r, a in ((13, 1.0), (22, 0.85), (31, 0.65)):
        for colour, width in (("#0a7c8e", 5.0), ("#4cd6e6", 2.6)):
            add("stroke '%s'" % colour)
            add("stroke-opacity %.2f" % a)
            add("stroke-width %s" % w(width))
            for a0, a1 in ((-38, 38), (142, 218)):
                add("ellipse %s %s,%s %d,%d" % (p(50, 30), w(r), w(r), a0, a1))
    add("stroke-opacity 1")
    # The mast: a dark edge under a light face, so that it reads on any ground.
    base, top, half_base, half_top = 92, 40, 14, 2.2
    for colour, width in (("#10224f", 6.0), ("#e8f4f8", 3.2)):
        add("stroke '%s'" % colour)
        add("stroke-width %s" % w(width))
        add("line %s %s" % (p(50 - half_base, base), p(50 - half_top, top)))
        add("line %s %s" % (p(50 + half_base, base), p(50 + half_top, top)))
        add("line %s %s" % (p(50, top), p(50, 26)))
    add("stroke '#c8d8e4'")
    add("stroke-width %s" % w(1.8))
    levels = 5
    points = []
    for i in range(levels + 1):
        t = i / float(levels)
        y = base + (top - base) * t
        half = half_base + (half_top - half_base) * t
        points.append(p(50 + (-1 if i % 2 == 0 else 1) * half, y))
        if 0 < i < levels:
            add("line %s %s" % (p(50 - half, y), p(50 + half, y)))
    add("polyline " + " ".join(points))
    # The beacon, lit from the upper left.
    add("stroke '#9a1a12'")
    add("stroke-width %s" % w(1.2))
    add("fill '#e8322a'")
    add("circle %s %s" % (p(50, 26), p(55, 26)))
    add("stroke none")
    add("fill '#ffa088'")
    add("circle %s %s" % (p(48.3, 24.3), p(49.8, 24.3)))
    return "\n".join(out) + "\n"


# ---------------------------------------------------- ImageMagick commands --
#
# Each returns the command that draws a picture; the options and output
# that follow finish it.

def draw_banner(w, h, k, name, description):
    """The w x h banner, drawn k times larger. The gradient runs from night
    blue to sea teal, with the bottom edge slightly darker so the lettering
    sits on a calm field."""
    size = "%dx%d" % (w * k, h * k)
    blur = "%.1f" % (9 * (h * k) / 81)
    return [CONVERT, "-size", size, "-define", "gradient:direction=east", "gradient:#0a1a46-#0b6a78",
            "(", "-size", size, "gradient:#ffffff-#aab6c2", ")", "-compose", "multiply", "-composite",
            "(", "-size", size, "xc:none", "-draw", glow_mvg(w * k, h * k), "-blur", "0x" + blur, ")",
            "-compose", "screen", "-composite",
            "-compose", "over", "-draw", banner_mvg(w, h, k, name, description)]


def draw_portrait(k):
    """The portrait, k times larger: drawn four times larger again and
    box-averaged down, cheap and even anti-aliasing of the small features
    (eyes, mic) that direct drawing would smear."""
    return [CONVERT, "-size", "%dx%d" % (360 * k, 432 * k), "gradient:#e4f3f6-#8fcbd6",
            "-draw", portrait_mvg(4 * k), "-scale", "25%"]


def draw_home_icon(size, reach):
    """A home-screen icon of `size` pixels, its art reaching reach x size
    from the middle."""
    return [CONVERT, "-size", "%dx%d" % (size * 2, size * 2), "-define", "gradient:direction=south",
            "gradient:#0b6a78-#0a1a46", "-draw", home_icon_mvg(size * 2, reach), "-resize", "50%",
            "-depth", "8", "-strip", "-define", "png:compression-level=9"]


def drawn_rgb(command, w, h):
    """The picture `command` draws, as Pillow's RGB image."""
    pixels = subprocess.run(command + ["-depth", "8", "rgb:-"], check=True, stdout=subprocess.PIPE).stdout
    if len(pixels) != w * h * 3:
        sys.exit("make-images.py: expected %d bytes of RGB, got %d" % (w * h * 3, len(pixels)))
    return Image.frombytes("RGB", (w, h), pixels)


# ------------------------------------------------------------ file writing --

# 72 dpi (2835 pixels per metre); the value only matters to printers.
DPI = (72, 72)


def write_bmp8(picture, path):
    """An 8-bit bitmap with a palette of 256 entries, the colours sorted, so
    that the same picture always gives the same file, and the rest black."""
    colours = sorted(set(picture.getdata()))
    if len(colours) > 256:
        sys.exit("make-images.py: %s has %d colours after quantising, more than 256" % (path, len(colours)))
    index = {c: i for i, c in enumerate(colours)}
    indexed = Image.new("P", picture.size)
    indexed.putpalette([v for c in colours for v in c] + [0] * (3 * (256 - len(colours))))
    indexed.putdata([index[c] for c in picture.getdata()])
    indexed.save(path, "BMP", dpi=DPI)


def icon_image(rows):
    """One image of the icon as an icon file holds it: a bitmap header of
    twice the height, the 16-colour palette, the colours at 4 bits a pixel,
    then the 1-bit mask, set where the screen shows through; each bottom
    row first, rows padded to 32 bits."""
    size = len(rows)
    assert all(len(r) == size for r in rows), "icon rows must be square"
    index = {ch: i for i, (ch, _) in enumerate(ICON_PALETTE)}
    colours = Image.new("P", (size, size))
    colours.putpalette([v for _, rgb in ICON_PALETTE for v in rgb])
    colours.putdata([index[ch] for row in rows for ch in row])
    mask = Image.new("1", (size, size))
    mask.putdata([ch == "." for row in rows for ch in row])
    xor_bits = colours.tobytes("raw", ("P;4", (size * 4 + 31) // 32 * 4, -1))
    and_bits = mask.tobytes("raw", ("1", (size + 31) // 32 * 4, -1))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(xor_bits) + len(and_bits), 0, 0, 16, 0)
    return header + colours.im.getpalette("RGB", "BGRX") + xor_bits + and_bits


def write_ico(path):
    """The icon, 32 pixels then 16, 16 colours each. Pillow's own icon writer
    gives 8- or 32-bit images, smallest first, with a mask that hides
    nothing; the directory and each image's header are written here."""
    images = [(32, icon_image(ICON_32)), (16, icon_image(ICON_16))]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, data in images:
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, "wb") as out:
        out.write(directory + b"".join(data for _, data in images))


# ------------------------------------------------------------------ check --
#
# Each file read back: a change to the drawing or to Pillow cannot quietly
# change the size, the depth or the palette the program was built for.

def check():
    problems = []
    for name, size, mode, colours in (("banner.bmp", (462, 81), "P", 256),
                                      ("about_banner.bmp", (295, 52), "P", 256),
                                      ("portrait.bmp", (90, 108), "RGB", 0)):
        with Image.open(os.path.join(RES, name)) as bmp:
            palette = len(bmp.getpalette()) // 3 if bmp.mode == "P" else 0
            got = (bmp.format, bmp.size, bmp.mode, palette, bmp.info.get("compression"))
            print("res/%s: %dx%d, %s, %d palette entries" % (name, bmp.size[0], bmp.size[1], bmp.mode, palette))
        if got != ("BMP", size, mode, colours, 0):
            problems.append("%s is %r, want %r" % (name, got, ("BMP", size, mode, colours, 0)))
    with Image.open(os.path.join(RES, "velquor.ico")) as ico:
        entries = [(e["width"], e["height"], e["nb_color"], e["planes"], e["bpp"]) for e in ico.ico.entry]
    print("res/velquor.ico: images (width, height, colours, planes, bits) %r" % entries)
    if entries != [(32, 32, 16, 1, 4), (16, 16, 16, 1, 4)]:
        problems.append("velquor.ico holds %r" % entries)
    for p in problems:
        print("MISMATCH: " + p, file=sys.stderr)
    return 1 if problems else 0


# ------------------------------------------------------------------- main --

def make_res():
    name, description = version_strings()
    for w, h, path in ((462, 81, "banner.bmp"), (295, 52, "about_banner.bmp")):
        write_bmp8(drawn_rgb(draw_banner(w, h, 1, name, description) + ["+dither", "-colors", "256"], w, h),
                   os.path.join(RES, path))
    drawn_rgb(draw_portrait(1), 90, 108).save(os.path.join(RES, "portrait.bmp"), "BMP", dpi=DPI)
    write_ico(os.path.join(RES, "velquor.ico"))
    return check()


def make_page(folder):
    """The web page's copies: twice as dense, so that they stay sharp on a
    phone's screen and where a wide window stretches the banner to 700
    pixels; lossy WebP, a seventh of the bitmaps' bytes. Three times as
    dense would be sharper on the densest phones, but the far ripples then
    exceed what ImageMagick agrees to draw."""
    name, description = version_strings()
    os.makedirs(folder, exist_ok=True)
    webp = ["-quality", "85", "-define", "webp:method=6", "-strip"]

    def out(file):
        return [os.path.join(folder, file)]

    for command in (
            draw_banner(462, 81, 2, name, description) + webp + out("banner.webp"),
            draw_banner(295, 52, 2, name, description) + webp + out("about_banner.webp"),
            draw_portrait(2) + webp + out("portrait.webp"),
            # The home-screen icons on the banner's night-to-sea ground: the
            # 192-pixel one a rounded tile with clear corners, the 512-pixel
            # one maskable, opaque to its edges with the art inside the safe
            # zone, since the home screen cuts it to its own shape.
            draw_home_icon(192, 0.44) + [
                "(", "-size", "192x192", "xc:none", "-fill", "white", "-draw", "roundrectangle 0,0 191,191 36,36", ")",
                "-compose", "DstIn", "-composite", "+dither", "-colors", "64"] + out("icon-192.png"),
            draw_home_icon(512, 0.36) + ["+dither", "-colors", "64"] + out("icon-512.png")):
        subprocess.run(command, check=True)
    return 0


if __name__ == "__main__":
    if sys.argv[1:2] == ["page"] and len(sys.argv) == 3:
        sys.exit(make_page(sys.argv[2]))
    if len(sys.argv) == 1:
        sys.exit(make_res())
    sys.exit("usage: tools/make-images.py [page FOLDER]")
