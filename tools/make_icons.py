#!/usr/bin/env python3
"""Draws the program's icons and writes them as XPM files to res/icons/.

The motif: a page of hex digits with one highlighted line of text, under a
magnifying glass that shows that line enlarged. The 32 x 32 image is drawn
from a small scene of shapes, sampled 4 x 4 times per pixel, each pixel
taking the colour most of its samples hit; the 16 x 16 image is drawn by
hand. Both use one palette of at most 16 colours, one of them transparent.

Run from anywhere: python3 tools/make_icons.py
"""
import pathlib

OUT = pathlib.Path(__file__).resolve().parent.parent / "res" / "icons"

# Palette: key character -> RGB. ' ' is transparent.
PALETTE = {
    ".": (0xFF, 0xFF, 0xFF),  # page
    "o": (0x1F, 0x29, 0x37),  # outlines
    "g": (0x9C, 0xA3, 0xAF),  # hex digits
    "l": (0xD1, 0xD5, 0xDB),  # back of the folded corner
    "y": (0xFA, 0xCC, 0x15),  # highlight
    "t": (0x1E, 0x3A, 0x8A),  # found text
    "b": (0xDB, 0xEA, 0xFE),  # glass
    "B": (0x93, 0xC5, 0xFD),  # glint on the glass
    "r": (0x33, 0x41, 0x55),  # lens ring
    "h": (0x92, 0x40, 0x0E),  # handle
    "H": (0xD9, 0x77, 0x06),  # handle light
}
TRANSPARENT = " "


def rgb_hex(c):
    return "#%02X%02X%02X" % c


class Scene:
    """A stack of shapes; colour_at(x, y) returns the topmost colour or None."""

    def __init__(self):
        self.shapes = []

    def add(self, inside, colour):
        self.shapes.append((inside, colour))

    def last_layer(self, colour):
        return max(i for i, (_, c) in enumerate(self.shapes) if c == colour)

    def colour_at(self, x, y):
        for inside, colour in reversed(self.shapes):
            if inside(x, y):
                return colour
        return None


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 < r * r


def ring(cx, cy, r0, r1):
    return lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 < r1 * r1


def segment(ax, ay, bx, by, half_width):
    """A capsule: the points within half_width of segment a-b."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        px, py = ax + t * dx - x, ay + t * dy - y
        return px * px + py * py < half_width * half_width

    return inside


def clipped(shape, clip):
    return lambda x, y: shape(x, y) and clip(x, y)


def page_with_fold(x0, y0, x1, y1, fold):
    """A page from (x0, y0) to (x1, y1) whose top right corner is cut off."""
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1 and x - (x1 - fold) <= y - y0


def page(scene, x0, y0, x1, y1, fold):
    """A white page with a dark outline and a folded top right corner."""
    scene.add(page_with_fold(x0, y0, x1, y1, fold), ".")
    corner = lambda x, y: x1 - fold <= x < x1 and y0 <= y < y0 + fold and x - (x1 - fold) < y - y0
    scene.add(corner, "l")
    edges = [
        (x0, y0, x1 - fold, y0), (x1 - fold, y0, x1 - 1, y0 + fold - 1), (x1 - 1, y0 + fold - 1, x1 - 1, y1 - 1),
        (x1 - 1, y1 - 1, x0, y1 - 1), (x0, y1 - 1, x0, y0),
        (x1 - fold, y0, x1 - fold, y0 + fold - 1), (x1 - fold, y0 + fold - 1, x1 - 1, y0 + fold - 1),
    ]
    for ax, ay, bx, by in edges:
        scene.add(segment(ax + 0.5, ay + 0.5, bx + 0.5, by + 0.5, 0.55), "o")


def render(scene, size, samples=4):
    """Rasterises the scene to rows of palette keys."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = [scene.colour_at(px + (sx + 0.5) / samples, py + (sy + 0.5) / samples)
                    for sy in range(samples) for sx in range(samples)]
            painted = [c for c in hits if c is not None]
            if len(painted) * 2 < len(hits):
                row.append(TRANSPARENT)
            else:
                # Ties go to the colour drawn last, the one on top.
                row.append(max(set(painted), key=lambda c: (painted.count(c), scene.last_layer(c))))
        rows.append("".join(row))
    return rows


def hex_rows(scene, x0, x1, ys, height, pattern):
    """Lines of grey blocks that read as columns of hex digits."""
    for n, y in enumerate(ys):
        x = x0
        i = n
        while x < x1:
            w = pattern[i % len(pattern)]
            scene.add(rect(x, y, min(x + w, x1), y + height), "g")
            x += w + 1
            i += 1


def icon_32():
    s = Scene()
    page(s, 3, 1, 25, 31, 7)
    hex_rows(s, 6, 16, [5], 2, [3, 2])
    hex_rows(s, 6, 22, [9, 13, 22, 26], 2, [3, 2, 4, 2, 3])
    # The line of text that was found.
    s.add(rect(5, 16, 23, 20), "y")
    s.add(rect(7, 17, 11, 19), "t")
    s.add(rect(12, 17, 16, 19), "t")
    # Magnifying glass over the right half of that line, showing it enlarged.
    cx, cy, r = 20.5, 18.0, 6.8
    glass = disc(cx, cy, r)
    s.add(glass, "b")
    s.add(clipped(rect(0, 15, 32, 21), glass), "y")
    s.add(clipped(rect(15, 16, 20, 20), glass), "t")
    s.add(clipped(rect(21, 16, 28, 20), glass), "t")
    s.add(clipped(ring(cx, cy, r - 2.4, r - 1.2), lambda x, y: x < cx - 1 and y < 15), "B")
    s.add(segment(cx + 5.6, cy + 5.6, 29.3, 29.3, 2.1), "h")
    s.add(segment(cx + 6.3, cy + 5.3, 28.9, 27.9, 0.6), "H")
    s.add(ring(cx, cy, r, r + 1.9), "r")
    return render(s, 32)


# At 16 x 16 a drawing by hand reads better than any sampling of the scene.
ICON_16 = [
    " ooooooooo      ",
    " o.......oo     ",
    " o.......olo    ",
    " o.gg.g..oooo   ",
    " o......rrrrr   ",
    " o.gg.grBBbbbr  ",
    " o....rBbbbbbbr ",
    " oyyyyryyyyyyyr ",
    " oytttrtttytttr ",
    " oyyyyryyyyyyyr ",
    " o....rbbbbbbbr ",
    " o.....rbbbbbr  ",
    " o.gg.g.rrrrrhh ",
    " o..........ohHh",
    " o.gg.ggg.g.o hh",
    " oooooooooooo  h",
]


def xpm(name, rows):
    """XPM text: C source of a const array, so that res/ can include it."""
    used = sorted({c for row in rows for c in row}, key=lambda c: (c != TRANSPARENT, c))
    size = len(rows)
    lines = ["/* XPM */", "static const char* const %s[] = {" % name]
    body = ['"%d %d %d 1"' % (size, size, len(used))]
    for c in used:
        body.append('"%s c %s"' % (c, "None" if c == TRANSPARENT else rgb_hex(PALETTE[c])))
    body += ['"%s"' % row for row in rows]
    lines += [line + "," for line in body[:-1]] + [body[-1], "};"]
    return "\n".join(lines) + "\n"


def main():
    assert len(PALETTE) + 1 <= 16
    OUT.mkdir(parents=True, exist_ok=True)
    for name, rows in (("veldrin_32_xpm", icon_32()), ("veldrin_16_xpm", ICON_16)):
        path = OUT / (name[: -len("_xpm")] + ".xpm")
        path.write_text(xpm(name, rows))
        print(path)


if __name__ == "__main__":
    main()
