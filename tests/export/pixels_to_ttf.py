#!/usr/bin/python3
"""Builds a TrueType font whose outlines are a bitmap font's pixels as squares.

Input (argv[1]), one glyph per line after a first line "YSIZE BASELINE":
    UNICODE ADVANCE ROW ROW ... (rows of '#' and '.', top first, y-size of them)
Output: argv[2], a .ttf where one pixel is UNITS font units and the em is the
y-size, so that rendering at the y-size in pixels gives the pixels back.
"""

import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

UNITS = 64


def main(source, target):
    with open(source, encoding="ascii") as f:
        lines = [line.split() for line in f if line.strip()]
    y_size, baseline = (int(v) for v in lines[0])
    glyphs = [(int(l[0]), int(l[1]), l[2:]) for l in lines[1:]]

    names = [".notdef"]
    cmap, metrics, outlines = {}, {}, {}
    empty = TTGlyphPen(None)
    outlines[".notdef"] = empty.glyph()
    metrics[".notdef"] = (UNITS * 4, 0)
    for unicode, advance, rows in glyphs:
        name = "u%04X" % unicode
        names.append(name)
        cmap[unicode] = name
        pen = TTGlyphPen(None)
        x_min = None
        for r, row in enumerate(rows):
            # Row r lies between these heights: the row above the baseline
            # ends at 0.
            top = (baseline - r) * UNITS
            bottom = top - UNITS
            x = 0
            while x < len(row):
                if row[x] != "#":
                    x += 1
                    continue
                start = x
                while x < len(row) and row[x] == "#":
                    x += 1
                left, right = start * UNITS, x * UNITS
                x_min = left if x_min is None else min(x_min, left)
                # Clockwise, as TrueType's outer contours run.
                pen.moveTo((left, bottom))
                pen.lineTo((left, top))
                pen.lineTo((right, top))
                pen.lineTo((right, bottom))
                pen.closePath()
        outlines[name] = pen.glyph()
        # The left side bearing must equal xMin.
        metrics[name] = (advance * UNITS, x_min or 0)

    fb = FontBuilder(unitsPerEm=y_size * UNITS, isTTF=True)
    fb.setupGlyphOrder(names)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(outlines)
    fb.setupHorizontalMetrics(metrics)
    ascent = baseline * UNITS
    descent = (baseline - y_size) * UNITS
    fb.setupHorizontalHeader(ascent=ascent, descent=descent)
    fb.setupNameTable({"familyName": "Pixels", "styleName": "Regular"})
    fb.setupOS2(sTypoAscender=ascent, sTypoDescender=descent, usWinAscent=ascent,
                usWinDescent=-descent)
    fb.setupPost()
    fb.save(target)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
