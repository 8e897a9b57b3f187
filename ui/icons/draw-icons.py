#!/usr/bin/env python3
"""Draws the Corvane Ratiograph application icon in every size.

The picture: a black car tire (grey sidewall line, tread notches) with a white
hub and a dark centre, overlapped at its upper left by two thin dark-blue
concentric circles (the gear pitch circle / ratio graph motif) on a white disc.
Every size has a transparent background and a white outline one 32 px pixel
wide, so that the black and the dark blue stay legible on a dark panel.

Sources, all kept in this file so that they can be reviewed as text:

  * PIXELS_16 and PIXELS_32: hand-placed pixel art in the classic 16-colour
    palette, one character per pixel (see PALETTE).  The 16 px picture is a
    separate, simplified drawing of the same design.
  * SVG: the scalable drawing of the same design, in a 256 x 256 coordinate
    space that is the 32 px grid times 8 (tire centre 152,152 = pixel 19,19;
    circle centre 80,80 = pixel 10,10), so the vector and the pixel art agree.

Outputs (next to this script unless --out is given):

  ratiograph-16.png, ratiograph-32.png        from the pixel art
  ratiograph.svg                              written from SVG below
  ratiograph-48/64/128/256.png                rendered from ratiograph.svg

Tools: ImageMagick `convert` (XPM -> PNG) and `rsvg-convert` from
librsvg2-bin (SVG -> PNG; `apt-get install librsvg2-bin`).

Usage:
  python3 ui/icons/draw-icons.py [--out DIR] [--preview FILE]

--preview FILE additionally writes one sheet with every size enlarged to 256 px
(nearest neighbour), a row per background from white to black, for looking at
the pixels on light and on dark panels.
"""

import argparse
import math
import os
import shutil
import subprocess
import sys
import tempfile

# One character per pixel.  "." is transparent; "o" is the white outline that
# keeps the dark shapes apart from a dark panel (kept apart from "w", the hub,
# for readability).
PALETTE = {
    ".": None,       # transparent
    "o": "#FFFFFF",  # white outline, and the disc the pitch circles lie on
    "#": "#000000",  # black: rubber, hub centre
    "w": "#FFFFFF",  # white: hub
    "b": "#000080",  # dark blue: pitch circles
    "+": "#808080",  # dark grey: tire sidewall line
    "-": "#C0C0C0",  # light grey: ring on the hub
}

# 32 x 32.  Tire centred at pixel corner (19,19), radius 12, with notches every
# 30 degrees (those at the upper left fall under the circles); grey sidewall at
# radius 9; white hub radius 5.5 with a light grey ring and a 2 x 2 black
# centre.  Blue circles centred at (10,10), radii 8.5 and 4.5, on a white disc
# that reaches one pixel past the outer one; everything has a one-pixel white
# outline.
PIXELS_32 = """
......oooooooo..................
....ooobbbbbbooo................
...oobboooooobboo...............
..oobooooooooooboo..............
.oobooooooooooooboo.............
.obooooobbbbooooobo.............
oobooobboooobbooobooooo.........
oboooobooooooboooobo##ooo.......
oboooboooooooobooobo####ooo.....
oboooboooooooobooobo######oo....
oboooboooooooobooobo+++####oo...
oboooboooooooobooobo###++###oo..
oboooobooooooboooobo####++###o..
oobooobboooobboooboo#####++##oo.
.obooooobbbbooooobowww####+###o.
.ooboooooooooooobo---ww####+##oo
..ooboooooooooobowwww-ww###+###o
...oobboooooobbowwwwww-w###+###o
....ooobbbbbboo-ww##ww-w###+##oo
......oooooooow-ww##ww-w###+##oo
......o###+###w-wwwwww-w###+###o
......o###+###ww-wwww-ww###+###o
......oo##+####ww----ww####+##oo
.......o###+####wwwwww####+###o.
.......oo##++############++##oo.
........o###++##########++###o..
........oo###++########++###oo..
.........oo####++++++++####oo...
..........oo##############oo....
...........ooo##########ooo.....
.............ooo##oo##ooo.......
...............oooooooo.........
"""

# 16 x 16.  Simplified: an 11 px tire centred on pixel (9,9) with two notches,
# a 5 px white hub with one black centre pixel, and two blue circles (8 px and
# 4 px) on their white disc over the upper left; no sidewall line and no hub
# ring.  The same one-pixel white outline as at 32 px.
PIXELS_16 = """
..oooooo........
.oobbbboo.......
oobooooboo......
oboobbooboooo...
oboboobobo##oo..
oboboobobo###oo.
oboobboobo####oo
oobooooboww####o
.oobbbbowwww###o
..oooooww#ww##oo
...o###wwwww###o
...o####www####o
...oo#########oo
....oo#######oo.
.....oo##o##oo..
......ooooooo...
"""


def tire_outline(cx, cy, r, notch_width, notch_depth, step):
    """The rubber's outer edge as one path: arcs of radius r between tread
    notches every `step` degrees, starting at the top.  Drawn as a path rather
    than cut out with a mask, because Qt SVG (which draws the icon in the
    program) ignores masks."""
    half = notch_width / 2
    rim = math.sqrt(r * r - half * half)

    def at(x, y, degrees):
        t = math.radians(degrees)
        px, py = cx + x * math.cos(t) - y * math.sin(t), cy + x * math.sin(t) + y * math.cos(t)
        return f"{px:.2f} {py:.2f}".replace(".00", "")

    d = []
    for i, a in enumerate(range(0, 360, step)):
        d.append(("M" if i == 0 else f"A{r} {r} 0 0 1 ") + at(-half, -rim, a))
        d.append(f"L{at(-half, notch_depth - r, a)}L{at(half, notch_depth - r, a)}L{at(half, -rim, a)}")
    d.append(f"A{r} {r} 0 0 1 {at(-half, -rim, 0)}Z")
    return "".join(d)


TIRE = tire_outline(152, 152, 96, notch_width=10, notch_depth=8, step=30)
OUTLINE = 8  # one pixel of the 32 px picture

SVG = f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- Corvane Ratiograph application icon. Generated by draw-icons.py; edit there. -->
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" width="256" height="256" viewBox="0 0 256 256">
  <title>Corvane Ratiograph</title>
  <defs>
    <path id="tire" d="{TIRE}"/>
  </defs>
  <!-- tire, with its white outline -->
  <use xlink:href="#tire" fill="#fff" stroke="#fff" stroke-width="{2 * OUTLINE}" stroke-linejoin="round"/>
  <use xlink:href="#tire" fill="#000"/>
  <circle cx="152" cy="152" r="72" fill="none" stroke="#808080" stroke-width="6"/>
  <!-- hub -->
  <circle cx="152" cy="152" r="44" fill="#fff"/>
  <circle cx="152" cy="152" r="29" fill="none" stroke="#c0c0c0" stroke-width="7"/>
  <circle cx="152" cy="152" r="10" fill="#000"/>
  <!-- pitch circles on a white disc that reaches one outline past the outer one -->
  <circle cx="80" cy="80" r="{72 + OUTLINE}" fill="#fff"/>
  <g fill="none" stroke="#000080" stroke-width="8">
    <circle cx="80" cy="80" r="68"/>
    <circle cx="80" cy="80" r="36"/>
  </g>
</svg>
"""

SVG_SIZES = (48, 64, 128, 256)

# Keep the PNGs byte-for-byte reproducible: no time stamps, no metadata.
PNG_QUIET = ["-strip", "-define", "png:exclude-chunks=date,time"]


def grid_rows(text, size):
    rows = [line for line in text.strip("\n").split("\n")]
    if len(rows) != size or any(len(r) != size for r in rows):
        sys.exit(f"draw-icons: the {size} px grid is not {size} x {size}")
    unknown = set("".join(rows)) - set(PALETTE)
    if unknown:
        sys.exit(f"draw-icons: unknown pixel characters {sorted(unknown)}")
    return rows


def xpm(rows, name):
    used = sorted(set("".join(rows)))
    lines = ["/* XPM */", f"static char *{name}[] = {{",
             f'"{len(rows[0])} {len(rows)} {len(used)} 1",']
    for ch in used:
        lines.append(f'"{ch} c {PALETTE[ch] or "None"}",')
    lines += [f'"{r}"' + ("," if i < len(rows) - 1 else "") for i, r in enumerate(rows)]
    lines.append("};")
    return "\n".join(lines) + "\n"


def run(cmd):
    subprocess.run(cmd, check=True)


def draw_pixels(text, size, out, tmp):
    rows = grid_rows(text, size)
    src = os.path.join(tmp, f"ratiograph_{size}.xpm")
    with open(src, "w") as f:
        f.write(xpm(rows, f"ratiograph_{size}"))
    run(["convert", src] + PNG_QUIET + ["png8:" + out])


def render_svg(svg, size, out):
    if shutil.which("rsvg-convert"):
        run(["rsvg-convert", "-w", str(size), "-h", str(size), svg, "-o", out])
        run(["convert", out] + PNG_QUIET + ["png32:" + out])
    else:
        sys.exit("draw-icons: rsvg-convert is missing (apt-get install librsvg2-bin)")


def identify(path, fmt):
    return subprocess.run(["identify", "-format", fmt, path], check=True,
                          capture_output=True, text=True).stdout.strip()


# Panels the icon must read on: white, light grey, a blue title bar, dark grey, black.
PREVIEW_BACKGROUNDS = ("#FFFFFF", "#E0E0E0", "#3465A4", "#2B2B2B", "#000000")


def write_preview(made, out, tmp):
    rows = []
    for i, background in enumerate(PREVIEW_BACKGROUNDS):
        cells = []
        for size, path in made:
            cell = os.path.join(tmp, f"cell-{i}-{size}.png")
            run(["convert", path, "-background", background, "-alpha", "remove", "-alpha", "off",
                 "-filter", "point", "-resize", "256x256", "-bordercolor", background, "-border", "8", cell])
            cells.append(cell)
        row = os.path.join(tmp, f"row-{i}.png")
        run(["convert"] + cells + ["+append", row])
        rows.append(row)
    run(["convert"] + rows + ["-append", out])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=here, help="output directory (default: next to this script)")
    ap.add_argument("--preview", metavar="FILE", help="also write a sheet of enlarged pictures here")
    opt = ap.parse_args()
    os.makedirs(opt.out, exist_ok=True)

    made = []
    with tempfile.TemporaryDirectory() as tmp:
        for size, text in ((16, PIXELS_16), (32, PIXELS_32)):
            path = os.path.join(opt.out, f"ratiograph-{size}.png")
            draw_pixels(text, size, path, tmp)
            made.append((size, path))

    svg = os.path.join(opt.out, "ratiograph.svg")
    with open(svg, "w") as f:
        f.write(SVG)
    for size in SVG_SIZES:
        path = os.path.join(opt.out, f"ratiograph-{size}.png")
        render_svg(svg, size, path)
        made.append((size, path))

    for size, path in made:
        if identify(path, "%wx%h") != f"{size}x{size}":
            sys.exit(f"draw-icons: {path} has the wrong size")
        # A corner must show the panel, not a backdrop of the icon's own.
        if identify(path, "%[fx:p{0,0}.a]") != "0":
            sys.exit(f"draw-icons: {path} has no transparent background")

    if opt.preview:
        with tempfile.TemporaryDirectory() as tmp:
            write_preview(sorted(made), opt.preview, tmp)

    print(svg)
    for _, path in made:
        print(path)


if __name__ == "__main__":
    main()
