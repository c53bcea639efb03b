#!/usr/bin/env python3
"""Writes assets/icons.2d: the icon collection as 2D-object text.

102 named line drawings on a 16 x 16 grid, in the order the program numbers
them: notes on staves, rests, clefs, time signatures, and instruments,
microphones, metronomes, speakers and records. All are white; the colour line
stands before the first object.

Staff drawings share one staff: five lines at y 4, 6, 8, 10 and 12, so each
step of the scale moves a note head by one unit (E above middle C sits on the
bottom line at y 12, F in the top line at y 4).
"""

import math
import sys

sys.dont_write_bytecode = True  # keeps tools/ free of __pycache__

from make_wire_font import check, object_text, write_text

# The height of a note's centre on the staff, by name; a trailing "5" marks
# the octave above.
PITCH = {"C": 14, "D": 13, "E": 12, "F": 11, "G": 10, "A": 9, "B": 8,
         "C5": 7, "D5": 6, "E5": 5, "F5": 4, "G5": 3, "A5": 2}


class Drawing:
    """Collects segments; every helper appends and returns self."""

    def __init__(self):
        self.segs = []

    def line(self, x1, y1, x2, y2):
        self.segs.append((x1, y1, x2, y2))
        return self

    def poly(self, points, closed=False):
        if closed:
            points = list(points) + [points[0]]
        for a, b in zip(points, points[1:]):
            self.line(*a, *b)
        return self

    def path(self, text, dx=0, dy=0, closed=False):
        points = [tuple(int(v) for v in p.split(",")) for p in text.split()]
        return self.poly([(x + dx, y + dy) for x, y in points], closed)

    def rect(self, x1, y1, x2, y2):
        return self.poly([(x1, y1), (x2, y1), (x2, y2), (x1, y2)], closed=True)

    def ring(self, cx, cy, rx, ry, sides, start=0.0, skip=()):
        """A polygon round (cx, cy); the sides listed in skip are left out."""
        points = []
        for i in range(sides + 1):
            a = 2 * math.pi * (i + start) / sides
            points.append((int(math.floor(cx + rx * math.cos(a) + 0.5)),
                           int(math.floor(cy + ry * math.sin(a) + 0.5))))
        for i in range(sides):
            if i not in skip:
                self.line(*points[i], *points[i + 1])
        return self

    def staff(self, x1=0, x2=15):
        for y in (4, 6, 8, 10, 12):
            self.line(x1, y, x2, y)
        return self

    def head(self, cx, cy, filled=True):
        """A small note head five units wide and three high: a diamond, or
        when filled three strokes that close up into a solid oval."""
        if filled:
            self.line(cx - 1, cy - 1, cx + 1, cy - 1).line(cx - 2, cy, cx + 2, cy)
            self.line(cx - 1, cy + 1, cx + 1, cy + 1)
        else:
            self.poly([(cx - 2, cy), (cx, cy - 1), (cx + 2, cy), (cx, cy + 1)], closed=True)
        if cy >= 14 or cy <= 2:
            self.line(cx - 3, cy - cy % 2, cx + 3, cy - cy % 2)  # ledger line
        return self

    def note(self, cx, cy, filled=True, up=True, length=7, flags=0):
        """A small note with its stem and as many flags as asked."""
        self.head(cx, cy, filled)
        if up:
            sx, top = cx + 2, max(0, cy - length)
            self.line(sx, cy, sx, top)
            for i in range(flags):
                self.line(sx, top + 2 * i, sx + 3, top + 2 * i + 3)
            return self
        sx, bottom = cx - 2, min(15, cy + length)
        self.line(sx, cy, sx, bottom)
        for i in range(flags):
            self.line(sx, bottom - 2 * i, sx + 3, bottom - 2 * i - 3)
        return sx, bottom

    def beamed(self, notes, beams=1, up=True, filled=True):
        """Notes (x, y) joined by one or two beams over straight stems."""
        if up:
            tip = min(y for _, y in notes) - 6
            ends = [(x + 2, max(0, tip)) for x, _ in notes]
        else:
            tip = max(y for _, y in notes) + 6
            ends = [(x - 2, min(15, tip)) for x, _ in notes]
        for (x, y), (sx, sy) in zip(notes, ends):
            self.head(x, y, filled)
            self.line(sx, y, sx, sy)
        step = 2 if up else -2
        for b in range(beams):
            self.line(ends[0][0], ends[0][1] + b * step, ends[-1][0], ends[-1][1] + b * step)
        return self

    def dot(self, cx, cy, filled=True):
        """A note head three units across, for runs of notes: a cross that
        fills the diamond, or the diamond's outline."""
        if filled:
            return self.line(cx - 1, cy, cx + 1, cy).line(cx, cy - 1, cx, cy + 1)
        return self.poly([(cx - 1, cy), (cx, cy - 1), (cx + 1, cy), (cx, cy + 1)], closed=True)

    def mid_head(self, cx, cy, filled=True):
        """A tilted note head seven units wide and five high."""
        self.poly([(cx - 3, cy + 1), (cx - 1, cy - 2), (cx + 2, cy - 2), (cx + 3, cy - 1),
                   (cx + 1, cy + 2), (cx - 2, cy + 2)], closed=True)
        if filled:
            self.line(cx - 2, cy + 1, cx + 2, cy - 1)
        return self

    def big_head(self, cx, cy, filled=True):
        """A large tilted note head, eight units wide."""
        self.poly([(cx - 4, cy + 1), (cx - 3, cy - 1), (cx, cy - 3), (cx + 3, cy - 3),
                   (cx + 4, cy - 1), (cx + 3, cy + 1), (cx, cy + 3), (cx - 3, cy + 3)],
                  closed=True)
        if filled:
            self.line(cx - 2, cy + 1, cx + 2, cy - 1)
            self.line(cx - 2, cy - 1, cx + 1, cy - 2)
            self.line(cx - 1, cy + 2, cx + 2, cy + 1)
        return self

    def quarter_rest(self, x, y):
        """The zigzag rest, eight units tall, its top at (x, y)."""
        return self.path("0,0 2,2 0,4 2,6 0,6 1,8", x, y)

    def digit(self, d, x, y):
        """A digit three wide and five high, top left at (x, y)."""
        shapes = {
            3: "0,0 2,0 2,4 0,4", 4: "0,0 0,2 2,2", 6: "2,0 0,0 0,4 2,4 2,2 0,2", 8: "0,0 2,0 2,4 0,4 0,0",
        }
        self.path(shapes[d], x, y)
        if d == 3:
            self.line(x, y + 2, x + 2, y + 2)
        if d == 4:
            self.line(x + 2, y, x + 2, y + 4)
        if d == 8:
            self.line(x, y + 2, x + 2, y + 2)
        return self

    def treble_clef(self, dx=0):
        return self.path("5,15 4,14 5,13 6,14 6,2 7,0 8,1 8,3 3,8 3,10 5,12 7,12 9,10 8,8 6,8 5,9",
                         dx, 0)


def d():
    return Drawing()


# The names in the order the program numbers the icons.
NAMES = """3octaves CD-2 CD-3 CD CEGAE-2 CEGAE-3 CEGAE EG G-2 G GCEA-2 GCEA-3 GCEA-4
GCEA-5 GCEA GDB LP drum-2 drum ear guitar-2 guitar-3 guitar hextime hextimes2
instrumentString-2 instrumentString-3 instrumentString-4 instrumentString keyboard-2
keyboard metronome-3 metronome microphone-2 microphone-3 microphone-4 microphone-5
microphone mix noteSilence noteSilenceNote notes2-2 notes2-3 notes2-4 notes2-5 notes2
notes2silence-2 notes2silence-3 notes2silence notes3-2 notes3-3 notes3-4 notes3-5
notes3-6 notes3-7 notes3-8 notes3-9 notes3-a notes3-b notes3-c notes3-d notes3-e
notes3-f notes3-g notes3-h notes3-i notes3-j notes3-k notes3 octave octaves2 one
pentagram-2 pentagram quarter scaleE-2 scaleE-3 scaleE scaleG-2 scaleG-3 scaleG-4
scaleG-5 scaleG-6 scaleG-7 scaleG-8 scaleG-9 scaleG second-2 second silence1 silence2
silence4 speaker-2 speaker-3 speaker synth-2 synth third-2 third three trumpet
waffle""".split()

STEPS = ["C", "D", "E", "F", "G", "A", "B", "C5", "D5", "E5", "F5", "G5", "A5"]


def staff_dots(pitches, stems=False):
    """Small heads three units apart, stems up where asked."""
    g = d().staff()
    for i, p in enumerate(pitches):
        x, y = 2 + 3 * i if len(pitches) > 4 else 3 + 3 * i, PITCH[p]
        g.dot(x, y)
        if stems:
            g.line(x + 1, y, x + 1, max(0, y - 5))
    return g


def staff_notes(pitches, xs):
    """Notes on the staff, stems up below the middle line and down above it."""
    g = d().staff()
    for x, p in zip(xs, pitches):
        y = PITCH[p]
        g.note(x, y, True, y > 8, 6)
    return g


def chord(pitches, x=7):
    """Heads on one stem; a head one step above its neighbour moves to the
    right of the stem."""
    g = d().staff()
    ys = sorted((PITCH[p] for p in pitches), reverse=True)
    below = None
    for y in ys:
        aside = below is not None and below - y == 1
        g.head(x + 4 if aside else x, y)
        below = None if aside else y
    return g.line(x + 2, ys[0], x + 2, max(0, ys[-1] - 6))


def scale(start, count, step=1, stems=False, beam=False, down=False, filled=True):
    """A run of small heads on the staff, three units apart."""
    g = d().staff()
    i0 = STEPS.index(start)
    gap = 3 if count > 4 else 4
    x0 = (16 - gap * (count - 1)) // 2
    sign = -1 if down else 1
    notes = [(x0 + i * gap, PITCH[STEPS[i0 + sign * i * step]]) for i in range(count)]
    for x, y in notes:
        g.dot(x, y, filled)
    if stems or beam:
        tip = min(y for _, y in notes) - 5
        for x, y in notes:
            g.line(x + 1, y, x + 1, tip if beam else y - 5)
        if beam:
            g.line(notes[0][0] + 1, tip, notes[-1][0] + 1, tip)
    return g


def big_note(cx, cy, filled=True):
    """A large note with its stem up to the top edge."""
    return d().big_head(cx, cy, filled).line(cx + 4, cy - 1, cx + 4, 0)


def pair(beams=1, up=True, filled=True, flags=False, heights=(12, 9)):
    """Two notes with medium heads, beamed or flagged."""
    g = d()
    xs = (3, 10)
    for x, y in zip(xs, heights):
        g.mid_head(x, y, filled)
    if up:
        sx = [x + 3 for x in xs]
        tips = [1, 1 + (heights[1] - heights[0]) // 3] if not flags else [1, 1]
        for s, y, t in zip(sx, heights, tips):
            g.line(s, y - 1, s, t)
        if flags:
            for s in sx:
                g.path("0,0 2,3 1,6", s, 1)
        else:
            for b in range(beams):
                g.line(sx[0], tips[0] + 2 * b, sx[1], tips[1] + 2 * b)
    else:
        sx = [x - 3 for x in xs]
        tips = [14, 14]
        for s, y, t in zip(sx, heights, tips):
            g.line(s, y + 1, s, t)
        for b in range(beams):
            g.line(sx[0], 14 - 2 * b, sx[1], 14 - 2 * b)
    return g


def triple(ys, beams=1, up=True, filled=True, staff=False, triplet=False):
    """Three beamed notes at x 3, 8 and 13."""
    g = d()
    if staff:
        g.staff()
    xs = (2, 7, 12)
    if up:
        tip = max(0, min(ys) - 7) + (4 if triplet else 0)
        tip = min(tip, min(ys) - 4)
        for x, y in zip(xs, ys):
            g.head(x, y, filled)
            g.line(x + 2, y, x + 2, tip)
        for b in range(beams):
            g.line(xs[0] + 2, tip + 2 * b, xs[2] + 2, tip + 2 * b)
        if triplet:
            g.digit(3, 8, max(0, tip - 6))
    else:
        tip = min(15, max(ys) + 7) - (4 if triplet else 0)
        tip = max(tip, max(ys) + 4)
        for x, y in zip(xs, ys):
            g.head(x, y, filled)
            g.line(x - 2, y, x - 2, tip)
        for b in range(beams):
            g.line(xs[0] - 2, tip - 2 * b, xs[2] - 2, tip - 2 * b)
        if triplet:
            g.digit(3, 4, min(11, tip + 2))
    return g


def time_signature(top, bottom, x=2):
    return d().staff().digit(top, x, 3).digit(bottom, x, 8)


def speaker_cone(g, x=1):
    g.rect(x, 5, x + 3, 10)
    return g.poly([(x + 3, 5), (x + 7, 1), (x + 7, 14), (x + 3, 10)])


def keys(g, x1, y1, x2, y2, whites):
    """A keyboard: outline, key dividers and the black keys as bars."""
    g.rect(x1, y1, x2, y2)
    w = (x2 - x1) / whites
    split = y1 + (y2 - y1) * 3 // 5
    for i in range(1, whites):
        x = int(x1 + i * w + 0.5)
        if i % 7 in (1, 2, 4, 5, 6):
            g.line(x, y1, x, split)  # a black key over the divider
            g.line(x, split, x, y2)
        else:
            g.line(x, y1, x, y2)
    return g


NOTES3 = [
    # heights, beams, up, filled, staff, triplet
    ((12, 10, 8), 1, True, True, False, False),     # notes3
    ((8, 10, 12), 1, True, True, False, False),
    ((12, 8, 12), 1, True, True, False, False),
    ((10, 12, 10), 2, True, True, False, False),
    ((12, 11, 10), 2, True, True, False, False),
    ((4, 6, 8), 1, False, True, False, False),
    ((8, 6, 4), 1, False, True, False, False),
    ((4, 2, 4), 2, False, True, False, False),
    ((12, 10, 8), 1, True, True, False, True),
    ((10, 10, 10), 1, True, True, False, True),      # notes3-a
    ((5, 3, 5), 1, False, True, False, True),
    ((12, 10, 8), 1, True, True, True, False),
    ((8, 10, 12), 2, True, True, True, False),
    ((12, 9, 11), 1, True, True, True, True),
    ((6, 4, 2), 1, False, True, True, False),
    ((4, 6, 4), 2, False, True, True, False),
    ((12, 8, 10), 1, True, False, False, False),
    ((11, 9, 7), 2, True, True, True, True),
    ((13, 11, 13), 1, True, True, True, False),
    ((7, 5, 3), 1, False, True, True, True),         # notes3-k
]


def icons():
    """A dict from name to segment list."""
    art = {}

    g = d()
    for top in (0, 5, 10):
        keys(g, 0, top, 14, top + 5, 7)
    art["3octaves"] = g

    art["CD"] = d().staff().beamed([(4, PITCH["C"]), (11, PITCH["D"])])
    art["CD-2"] = staff_notes(["C", "D"], [4, 11])
    art["CD-3"] = chord(["C", "D"], 5)
    art["CEGAE"] = chord(["C", "E", "G", "A", "E5"], 5)
    art["CEGAE-2"] = staff_dots(["C", "E", "G", "A", "E5"])
    art["CEGAE-3"] = staff_dots(["C", "E", "G", "A", "E5"], stems=True)
    art["EG"] = chord(["E", "G"], 6)
    art["G"] = d().staff().treble_clef(3)
    art["G-2"] = d().staff().treble_clef(0).note(12, PITCH["G"])
    art["GCEA"] = staff_dots(["G", "C", "E", "A"], stems=True)
    art["GCEA-2"] = d().staff().beamed([(2, 10), (6, 14)]).beamed([(9, 12), (13, 9)])
    art["GCEA-3"] = chord(["G", "C", "E", "A"], 5)
    # A four-string fret chart, strings G C E A, with a chord of three fingers.
    g = d().rect(3, 1, 12, 14).line(3, 2, 12, 2)
    for x in (6, 9):
        g.line(x, 1, x, 14)
    for y in (5, 8, 11):
        g.line(3, y, 12, y)
    for x, y in ((6, 4), (9, 6), (12, 9)):
        g.rect(x - 1, y - 1, x + 1, y + 1)
    art["GCEA-4"] = g
    # A small four-string guitar.
    g = d().path("8,1 10,1 10,3 9,4 9,8 11,9 12,11 11,14 5,14 4,11 5,9 7,8 7,4 6,3 6,1 8,1")
    g.ring(8, 11, 1, 1, 4).line(6, 13, 10, 13)
    for x in (7, 8, 9):
        g.line(x, 2, x, 13)
    art["GCEA-5"] = g
    art["GDB"] = d().staff().beamed([(3, 10), (8, 6), (13, 8)])

    g = d().ring(8, 8, 7, 7, 20, 0.5)
    for r in (6, 5, 4):
        g.ring(8, 8, r, r, 14, 0.25 * r)
    g.ring(8, 8, 2, 2, 8, 0.5).ring(8, 8, 1, 1, 4, 0.5)
    art["LP"] = g

    # Snare drum seen from the side, sticks crossed above it.
    g = d().ring(8, 6, 6, 2, 8, 0.5).line(2, 6, 2, 12).line(14, 6, 14, 12)
    g.path("2,12 4,14 12,14 14,12").path("2,8 5,13 8,8 11,13 14,8")
    g.line(1, 0, 9, 4).line(15, 0, 7, 4)
    art["drum"] = g
    # Bass drum from the front, with its feet.
    g = d().ring(8, 7, 7, 7, 12, 0.5).ring(8, 7, 4, 4, 8, 0.5)
    g.line(3, 13, 1, 15).line(13, 13, 15, 15).line(8, 0, 8, 3).line(8, 11, 8, 14)
    g.line(1, 7, 4, 7).line(12, 7, 15, 7)
    art["drum-2"] = g

    art["ear"] = d().path("5,5 6,2 8,1 11,1 13,2 14,4 14,8 12,10 11,11 10,14 8,15 6,15 5,14") \
        .path("7,5 9,3 11,4 12,6 10,9 8,9 9,11")

    # Acoustic guitar standing, neck up.
    g = d().path("7,0 9,0 9,1 8,2 8,7 10,7 12,9 11,11 12,13 10,15 6,15 4,13 5,11 4,9 6,7 8,7")
    g.ring(8, 11, 1, 1, 4).line(6, 14, 10, 14).line(7, 1, 7, 7)
    art["guitar"] = g
    # Electric guitar with horns and pickups.
    g = d().path("7,0 9,0 9,2 8,3 8,7 10,6 11,7 10,9 12,11 11,14 5,14 4,11 6,9 5,6 7,7 7,3 6,2 7,0")
    g.rect(6, 9, 10, 10).rect(6, 12, 10, 12).line(7, 3, 7, 13).line(9, 3, 9, 13)
    art["guitar-2"] = g
    # Acoustic guitar lying across, neck to the top right.
    g = d().path("15,0 14,3 12,3 7,8 8,10 7,13 4,14 2,13 1,11 2,8 5,7 7,8")
    g.ring(5, 10, 1, 1, 4).line(12, 1, 14, 3).line(12, 1, 14, 0).line(6, 8, 11, 3)
    art["guitar-3"] = g

    art["hextime"] = time_signature(6, 8).note(10, 10, True, True, 6, 1)
    art["hextimes2"] = time_signature(6, 4).note(9, 9).note(13, 11)

    # Violin with its f-holes and scroll.
    g = d().path("7,0 9,0 9,2 8,3 8,5 10,5 11,7 10,9 11,11 10,14 6,14 5,11 6,9 5,7 6,5 8,5")
    g.line(7, 3, 7, 5).line(7, 8, 7, 11).line(9, 8, 9, 11).line(6, 15, 10, 15).line(2, 13, 14, 4)
    art["instrumentString"] = g
    # Cello with its spike, and the bow across it.
    g = d().path("7,0 8,0 8,4 10,5 10,7 9,8 10,9 11,12 9,14 6,14 4,12 5,9 6,8 5,7 5,5 7,4 7,0")
    g.line(7, 14, 7, 15).line(1, 12, 14, 7).line(7, 5, 7, 12)
    art["instrumentString-2"] = g
    # Harp: the frame and six strings.
    g = d().path("2,15 2,1 5,0 8,2 14,5 13,7 3,15 2,15")
    for x, top, bottom in ((4, 1, 14), (6, 1, 13), (8, 2, 11), (10, 3, 9), (12, 4, 8)):
        g.line(x, top, x, bottom)
    art["instrumentString-3"] = g
    # Banjo: round body and long neck.
    g = d().ring(8, 11, 4, 4, 8, 0.5).ring(8, 11, 2, 2, 6)
    g.path("7,7 7,1 6,0 10,0 9,1 9,7")
    art["instrumentString-4"] = g

    # One octave, large.
    g = d().rect(1, 3, 14, 13)
    for x in (4, 6, 8, 10, 12):
        g.line(x, 9, x, 13)
    for x1 in (3, 5, 9, 11):
        g.rect(x1, 3, x1 + 2, 8)
    art["keyboard"] = g
    # Keyboard on a cross stand.
    g = keys(d(), 0, 3, 15, 8, 7).line(3, 8, 12, 15).line(12, 8, 3, 15).line(1, 15, 14, 15)
    art["keyboard-2"] = g

    g = d().path("4,15 6,1 10,1 12,15 4,15").line(2, 15, 14, 15).line(8, 12, 11, 3)
    g.rect(9, 6, 10, 7).line(6, 12, 10, 12)
    for y in (4, 7, 10):
        g.line(7, y, 8, y)
    art["metronome"] = g
    g = d().path("3,15 6,3 8,1 10,3 13,15 3,15").line(8, 13, 4, 4).rect(5, 7, 6, 8)
    for y in (5, 7, 9, 11):
        g.line(7, y, 9, y)
    art["metronome-3"] = g

    # Hand-held microphone, grille up.
    g = d().ring(8, 4, 3, 3, 8, 0.5).line(5, 4, 11, 4).line(8, 1, 8, 7)
    g.line(6, 2, 10, 6).line(10, 2, 6, 6)
    g.path("6,7 7,15 9,15 10,7")
    art["microphone"] = g
    # Microphone in a holder on a stand.
    g = d().ring(8, 4, 2, 3, 8, 0.5).path("4,3 4,6 8,9 12,6 12,3").line(8, 9, 8, 14)
    g.line(4, 15, 12, 15).line(8, 14, 4, 15).line(8, 14, 12, 15)
    art["microphone-2"] = g
    # Studio microphone: tall body with grille lines.
    g = d().path("6,9 6,2 7,1 9,1 10,2 10,9 6,9")
    for y in (3, 5, 7):
        g.line(6, y, 10, y)
    g.path("4,6 4,10 6,12 10,12 12,10 12,6").line(8, 12, 8, 15).line(5, 15, 11, 15)
    art["microphone-3"] = g
    # Old broadcast microphone: rounded box of slots on a yoke.
    g = d().path("5,1 11,1 12,2 12,8 11,9 5,9 4,8 4,2 5,1")
    for y in (3, 5, 7):
        g.line(6, y, 10, y)
    g.path("3,5 3,10 8,12 13,10 13,5").line(8, 12, 8, 15).line(4, 15, 12, 15)
    art["microphone-4"] = g
    # Headset with a boom microphone.
    g = d().path("3,9 3,5 5,2 8,1 11,2 13,5 13,9").rect(2, 8, 4, 11).rect(12, 8, 14, 11)
    g.path("3,11 4,13 7,14").rect(7, 13, 9, 15)
    art["microphone-5"] = g

    # Mixing desk: four channels with knobs and faders.
    g = d().rect(0, 0, 15, 15)
    for i, (x, cap) in enumerate(((3, 9), (6, 12), (9, 8), (12, 11))):
        g.line(x, 6, x, 14).line(x - 1, cap, x + 1, cap).ring(x, 3, 1, 1, 4)
    art["mix"] = g

    g = d().staff().note(4, 10).quarter_rest(10, 4)
    art["noteSilence"] = g
    art["noteSilenceNote"] = d().staff().note(2, 11).quarter_rest(7, 4).note(12, 9)

    art["notes2"] = pair(1, True, True, False, (12, 9))
    art["notes2-2"] = pair(2, True, True, False, (12, 9))
    art["notes2-3"] = pair(1, True, True, False, (9, 12))
    art["notes2-4"] = pair(1, True, True, True, (12, 12))
    art["notes2-5"] = pair(1, False, True, False, (4, 4))
    art["notes2silence"] = d().beamed([(2, 12), (7, 12)]).quarter_rest(12, 5)
    art["notes2silence-2"] = d().beamed([(2, 10), (7, 12)], 2).quarter_rest(12, 5)
    art["notes2silence-3"] = d().staff().beamed([(2, 10), (7, 8)]).quarter_rest(12, 4)

    for i, (ys, beams, up, filled, staff, trip) in enumerate(NOTES3):
        name = "notes3" if i == 0 else "notes3-" + "23456789abcdefghijk"[i - 1]
        art[name] = triple(ys, beams, up, filled, staff, trip)

    art["octave"] = staff_notes(["C", "C5"], [4, 11])
    art["octaves2"] = d().staff().head(3, 12).head(3, 5).line(5, 12, 5, 1) \
        .head(11, 10).head(11, 3).line(13, 10, 13, 0)
    art["one"] = d().ring(8, 8, 6, 4, 10, 0.5).ring(8, 8, 2, 3, 6, 0.25)
    art["pentagram"] = d().staff(1, 14).line(1, 4, 1, 12).line(13, 4, 13, 12).line(14, 4, 14, 12)
    art["pentagram-2"] = d().staff().treble_clef(1)
    art["quarter"] = big_note(6, 11)
    art["second"] = chord(["E", "F"], 5)
    art["second-2"] = big_note(6, 11, False)
    art["scaleE"] = scale("E", 5)
    art["scaleE-2"] = scale("E", 5, stems=True)
    art["scaleE-3"] = scale("E", 4, beam=True)
    art["scaleG"] = scale("G", 5)
    art["scaleG-2"] = scale("G", 5, stems=True)
    art["scaleG-3"] = scale("G", 4, beam=True)
    art["scaleG-4"] = scale("D5", 5, down=True)
    art["scaleG-5"] = scale("G", 5, filled=False)
    art["scaleG-6"] = scale("G", 3, step=2)
    art["scaleG-7"] = scale("G", 3, step=2, beam=True)
    art["scaleG-8"] = scale("D5", 4, down=True, beam=True)
    art["scaleG-9"] = scale("G", 4, step=2, filled=False)
    art["silence1"] = d().line(1, 5, 14, 5).rect(4, 5, 11, 8).line(4, 6, 11, 6).line(4, 7, 11, 7)
    art["silence2"] = d().line(1, 10, 14, 10).rect(4, 7, 11, 10).line(4, 8, 11, 8).line(4, 9, 11, 9)
    art["silence4"] = d().path("6,0 10,4 7,7 10,11 6,11 8,15")
    g = d().rect(2, 0, 13, 15).ring(8, 10, 4, 4, 8, 0.5).ring(8, 10, 1, 1, 4).ring(8, 4, 2, 2, 6)
    art["speaker-2"] = g
    art["speaker"] = speaker_cone(d()).path("10,5 11,7 11,9 10,11").path("12,3 14,6 14,10 12,13")
    art["speaker-3"] = speaker_cone(d()).line(10, 5, 15, 11).line(15, 5, 10, 11)
    g = d().rect(0, 3, 15, 13).line(0, 8, 15, 8)
    for x in (3, 6, 9):
        g.ring(x, 5, 1, 1, 4)
    g.rect(11, 4, 13, 6)
    for x in (2, 4, 6, 8, 10, 12, 14):
        g.line(x, 8, x, 13)
    for x in (3, 5, 9, 11, 13):
        g.line(x, 8, x, 10)
    art["synth"] = g
    g = d().rect(0, 1, 15, 14)
    for x, y in ((3, 4), (7, 4), (11, 4), (3, 10), (7, 10), (11, 10)):
        g.ring(x, y, 2, 2, 4)
    g.path("3,4 5,7 7,10").path("11,4 9,8 11,10")
    art["synth-2"] = g
    art["third"] = staff_notes(["E", "G"], [4, 11])
    art["third-2"] = d().staff().beamed([(4, 12), (11, 10)])
    art["three"] = time_signature(3, 4, 2).note(11, 10)
    g = d().path("1,7 9,7").path("1,10 9,10").path("9,6 14,3 14,14 9,11 9,6")
    g.line(0, 8, 1, 7).line(0, 9, 1, 10).line(0, 8, 0, 9).path("4,10 4,13 8,13 8,10")
    for x in (3, 5, 7):
        g.line(x, 7, x, 4).line(x - 1, 4, x + 1, 4)
    art["trumpet"] = g
    g = d().path("2,0 13,0 15,2 15,13 13,15 2,15 0,13 0,2 2,0")
    for v in (3, 6, 9, 12):
        g.line(v, 0, v, 15).line(0, v, 15, v)
    art["waffle"] = g
    return art

def main():
    art = icons()
    assert sorted(art) == sorted(NAMES) and len(NAMES) == 102
    collection = [(name + ".2D", art[name].segs) for name in NAMES]
    text = [
        "# The icon collection: 102 line drawings on a 16 x 16 grid, addressed by\n",
        "# position. Written by tools/make_icons.py.\n",
        "color $00ffffff\n",
    ]
    for name, segs in collection:
        check(segs, name)
        text.append(object_text(name, segs))
    write_text("icons.2d", "".join(text))
    return collection


if __name__ == "__main__":
    c = main()
    counts = [len(s) for _, s in c]
    print("icons: %d, segments %d (%d to %d)" % (len(c), sum(counts), min(counts), max(counts)))
