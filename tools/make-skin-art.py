#!/usr/bin/python3
"""Draws every bitmap of the five built-in skin styles into skin/art (24-bit BMP), writes the resource
script that embeds them (skin/art/SkinArt.rc) and, per style, a contact sheet (docs/skin-art/STYLE.png,
every strip four times enlarged). The outputs are committed; run this again after changing a drawing.

Usage: tools/make-skin-art.py [repo root]

Every picture is drawn at four times its size with cairo and reduced with Pillow's LANCZOS filter.
Where the skin masks a picture by colour, pixels outside the shape get the key colour magenta and the
anti-aliased rim is blended into the colour the picture will sit on, so no pink fringe shows."""

import math
import os
import sys

import cairo
from PIL import Image, ImageDraw

SCALE = 4
KEY = (255, 0, 255)  # the skin's transparent colour


def rgb(hexstr):
    h = hexstr.lstrip('#')
    return tuple(int(h[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def lighter(c, t):
    return mix(c, (1, 1, 1), t)


def darker(c, t):
    return mix(c, (0, 0, 0), t)


def grey(c, t=0.75):
    """Desaturated and lower in contrast: the disabled look."""
    y = 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2]
    return mix((y, y, y), (0.93, 0.93, 0.93), t * 0.6)


# ---------------------------------------------------------------------------------------------------
# Rendering


def render(w, h, draw, bg, key=False, alpha_cut=0.08):
    """A w x h RGB image: draw(ctx) paints in 1x coordinates on a transparent 4x surface; the result
    is reduced, then laid on bg (a colour, or an image of the same size). With key, pixels the shape
    hardly covers become magenta."""
    surf = cairo.ImageSurface(cairo.FORMAT_ARGB32, w * SCALE, h * SCALE)
    ctx = cairo.Context(surf)
    ctx.scale(SCALE, SCALE)
    draw(ctx)
    surf.flush()
    big = Image.frombuffer('RGBa', (w * SCALE, h * SCALE), bytes(surf.get_data()), 'raw', 'BGRa',
                           surf.get_stride(), 1)
    small = big.resize((w, h), Image.LANCZOS).convert('RGBA')
    out = Image.new('RGB', (w, h))
    under = bg.load() if isinstance(bg, Image.Image) else None
    bgc = None if under else tuple(round(v * 255) for v in bg)
    src = small.load()
    dst = out.load()
    for y in range(h):
        for x in range(w):
            if under:
                bgc = under[x, y]
            r, g, b, a = src[x, y]
            if key and a < alpha_cut * 255:
                dst[x, y] = KEY
                continue
            t = a / 255.0
            px = tuple(min(255, max(0, round(c * t + k * (1 - t)))) for c, k in zip((r, g, b), bgc))
            # Never let a drawn pixel become the key colour by accident.
            dst[x, y] = (254, 0, 254) if px == KEY else px
    return out


def strip(frames):
    w = sum(f.width for f in frames)
    h = frames[0].height
    out = Image.new('RGB', (w, h))
    x = 0
    for f in frames:
        assert f.height == h
        out.paste(f, (x, 0))
        x += f.width
    return out


def key_corners(img, frame_w, frames):
    """The toolkit takes each frame's bottom-left pixel as its transparent colour: keep it magenta."""
    for i in range(frames):
        img.putpixel((i * frame_w, img.height - 1), KEY)
    return img


def rrect(ctx, x, y, w, h, r):
    r = min(r, w / 2, h / 2)
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    ctx.close_path()


def top_rrect(ctx, x, y, w, h, r):
    """Rounded at the top only (tabs, title corners)."""
    ctx.new_sub_path()
    ctx.move_to(x, y + h)
    ctx.line_to(x, y + r)
    ctx.arc(x + r, y + r, r, math.pi, 3 * math.pi / 2)
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.line_to(x + w, y + h)
    ctx.close_path()


def vgrad(y0, y1, stops):
    g = cairo.LinearGradient(0, y0, 0, y1)
    for t, c in stops:
        g.add_color_stop_rgb(t, *c)
    return g


def hgrad(x0, x1, stops):
    g = cairo.LinearGradient(x0, 0, x1, 0)
    for t, c in stops:
        g.add_color_stop_rgb(t, *c)
    return g


GLOSS_STEP = (0.48, 0.52)  # where gloss_stops steps from the bright upper half to the lower


def gloss_stops(top, bottom, hi=0.55):
    """Brighter upper half, a step at the middle, the lower half rising a little again."""
    mid = mix(top, bottom, 0.5)
    return [(0, lighter(top, hi * 0.6)), (0.48, lighter(mid, hi * 0.25)), (0.52, darker(mid, 0.04)),
            (1, lighter(bottom, 0.1))]


def stretch_rows(h):
    """The rows a nine-slice stretches when the picture grows taller: the left edge and centre
    repeat row h // 2, the right edge the row below it (both, for an even height)."""
    return h // 2, h // 2 + 1


def held_middle(stops, h, split=(0.5, 0.5)):
    """Stops over h pixel rows that draw the part of stops before split[0] above the stretched rows,
    the part after split[1] below them, and hold the colour at split[1] on a band of four rows
    around them, so a stretched frame shows one colour where its halves meet."""
    def at(t):
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                return c0 if t1 == t0 else mix(c0, c1, (t - t0) / (t1 - t0))
        return stops[-1][1]

    first, last = stretch_rows(h)
    b0, b1 = (first - 1) / h, (last + 2) / h
    upper = [(t / split[0] * b0, c) for t, c in stops if t < split[0]] + [(b0, at(split[0]))]
    lower = [(b1 + (t - split[1]) / (1 - split[1]) * (1 - b1), c) for t, c in stops if t > split[1]]
    return upper + [(b0, at(split[1])), (b1, at(split[1]))] + lower


def even_stretch_rows(img):
    """Copies each frame's left stretched row onto its right one: left and right halves of a tall
    frame then match to the pixel (the band around them is one colour already)."""
    first, last = stretch_rows(img.height)
    px = img.load()
    for x in range(img.width):
        px[x, last] = px[x, first]
    return img


def state_look(p, state, border='ctrl_border'):
    """Face gradient and outline of a state: 0 normal, 1 mouse over, 2 pressed."""
    return [p['face'], p['hot'], p['down']][state], [p[border], p['hot_border'], p['down_border']][state]


def box(ctx, x, y, w, h, r, fill, stroke=None, lw=1.0):
    """A rounded box whose 1-px outline sits on the pixel grid."""
    rrect(ctx, x + lw / 2, y + lw / 2, w - lw, h - lw, r)
    ctx.set_source(fill) if isinstance(fill, cairo.Pattern) else ctx.set_source_rgb(*fill)
    if stroke is None:
        ctx.fill()
        return
    ctx.fill_preserve()
    ctx.set_source_rgb(*stroke)
    ctx.set_line_width(lw)
    ctx.stroke()


def hiline(ctx, x, y, w, r, color, alpha=0.9):
    """The thin highlight under a top edge."""
    ctx.set_source_rgba(*color, alpha)
    ctx.set_line_width(1)
    ctx.move_to(x + r, y + 0.5)
    ctx.line_to(x + w - r, y + 0.5)
    ctx.stroke()


# ---------------------------------------------------------------------------------------------------
# Glyphs (drawn in a size x size cell at (x, y))


def glyph(ctx, kind, x, y, s, color, weight=None):
    lw = weight or max(1.5, s / 8.5)
    ctx.save()
    ctx.set_source_rgb(*color)
    ctx.set_line_width(lw)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    c = s / 2
    if kind == 'close':
        d = s * 0.22
        ctx.move_to(x + c - d, y + c - d)
        ctx.line_to(x + c + d, y + c + d)
        ctx.move_to(x + c + d, y + c - d)
        ctx.line_to(x + c - d, y + c + d)
        ctx.stroke()
    elif kind == 'min':
        d = s * 0.24
        ctx.set_line_cap(cairo.LINE_CAP_SQUARE)
        ctx.move_to(x + c - d, y + c + d * 0.9)
        ctx.line_to(x + c + d, y + c + d * 0.9)
        ctx.stroke()
    elif kind == 'max':
        d = s * 0.24
        ctx.set_line_width(lw * 0.8)
        ctx.rectangle(x + c - d, y + c - d, 2 * d, 2 * d)
        ctx.stroke()
        ctx.rectangle(x + c - d, y + c - d, 2 * d, lw * 0.9)
        ctx.fill()
    elif kind == 'restore':
        d = s * 0.17
        o = s * 0.09
        ctx.set_line_width(lw * 0.7)
        ctx.rectangle(x + c - d + o, y + c - d - o, 2 * d, 2 * d)
        ctx.stroke()
        ctx.rectangle(x + c - d - o, y + c - d + o, 2 * d, 2 * d)
        ctx.stroke()
    elif kind == 'help':
        r = s * 0.16
        ctx.arc(x + c, y + c - r * 0.9, r, math.pi * 1.05, math.pi * 2.35)
        ctx.line_to(x + c, y + c + r * 0.6)
        ctx.stroke()
        ctx.arc(x + c, y + c + r * 1.75, lw * 0.6, 0, 2 * math.pi)
        ctx.fill()
    elif kind == 'menu':  # control box: a small window
        d = s * 0.25
        ctx.set_line_width(lw * 0.7)
        ctx.rectangle(x + c - d, y + c - d * 0.8, 2 * d, d * 1.7)
        ctx.stroke()
        ctx.rectangle(x + c - d, y + c - d * 0.8, 2 * d, d * 0.55)
        ctx.fill()
    elif kind == 'check':
        ctx.move_to(x + s * 0.22, y + s * 0.52)
        ctx.line_to(x + s * 0.42, y + s * 0.72)
        ctx.line_to(x + s * 0.78, y + s * 0.26)
        ctx.stroke()
    elif kind in ('right', 'left', 'up', 'down'):
        d = s * 0.16
        pts = {'right': [(-d * 0.7, -d * 1.4), (d * 0.9, 0), (-d * 0.7, d * 1.4)],
               'left': [(d * 0.7, -d * 1.4), (-d * 0.9, 0), (d * 0.7, d * 1.4)],
               'down': [(-d * 1.4, -d * 0.7), (0, d * 0.9), (d * 1.4, -d * 0.7)],
               'up': [(-d * 1.4, d * 0.7), (0, -d * 0.9), (d * 1.4, d * 0.7)]}[kind]
        ctx.move_to(x + c + pts[0][0], y + c + pts[0][1])
        for px, py in pts[1:]:
            ctx.line_to(x + c + px, y + c + py)
        ctx.close_path()
        ctx.fill()
    ctx.restore()


TITLE_GLYPHS = ['menu', 'help', 'max', 'restore', 'min', 'close']


# ---------------------------------------------------------------------------------------------------
# Styles. Colours marked "table" are the style's values in the key table (as RGB).

STYLES = {
    'MACOS': dict(
        bg=rgb('#E7E7E7'), border=rgb('#7F7F7F'), accent=rgb('#3973C4'), sel_bg=rgb('#3973C4'),
        ctrl_border=rgb('#7F7F7F'), font=rgb('#000000'), scroll_bg=rgb('#C9C9C9'),  # table
        list_bg=rgb('#FFFFFF'), radius=0, shape='capsule',
        face=(rgb('#FFFFFF'), rgb('#D9D9D9')), face_border=rgb('#8C8C8C'),
        hot=(rgb('#E3EDFB'), rgb('#B3CCEE')), hot_border=rgb('#3973C4'),
        down=(rgb('#8FB3E6'), rgb('#3973C4')), down_border=rgb('#264F8C'),
        title=(rgb('#F6F6F6'), rgb('#C4C4C4')), title_border=rgb('#7F7F7F'), title_line=rgb('#FFFFFF'),
        tbtn_shape='round', tbtn=(rgb('#F2F2F2'), rgb('#B5B5B5')), tbtn_border=rgb('#7A7A7A'),
        tbtn_glyph=rgb('#4A4A4A'), tbtn_hot=(rgb('#9CC0F0'), rgb('#3973C4')), tbtn_hot_glyph=rgb('#FFFFFF'),
        tbtn_down=(rgb('#5B8AD0'), rgb('#244F8E')), tbtn_close=None,
    ),
    'WINXP': dict(
        bg=rgb('#EFEBDE'), border=rgb('#002CC8'), accent=rgb('#3169C6'), sel_bg=rgb('#C6D3EF'),
        ctrl_border=rgb('#686868'), font=rgb('#0246CF'), scroll_bg=rgb('#F9F9F9'),  # table
        list_bg=rgb('#FFFFFF'), radius=3, shape='rounded',
        face=(rgb('#FFFFFF'), rgb('#E3E1D7')), face_border=rgb('#003C74'),
        hot=(rgb('#FFFFFF'), rgb('#EDEAE0')), hot_border=rgb('#003C74'), hot_ring=rgb('#F5B93B'),
        down=(rgb('#C9C6B8'), rgb('#E6E4DA')), down_border=rgb('#003C74'),
        title=(rgb('#3C8CFA'), rgb('#0050DC')), title_border=rgb('#002CC8'), title_line=rgb('#9CC4FF'),
        tbtn_shape='square', tbtn=(rgb('#5C9CFF'), rgb('#1F62E8')), tbtn_border=rgb('#FFFFFF'),
        tbtn_glyph=rgb('#FFFFFF'), tbtn_hot=(rgb('#8CC0FF'), rgb('#3C82FF')), tbtn_hot_glyph=rgb('#FFFFFF'),
        tbtn_down=(rgb('#1A4CC0'), rgb('#2E6BE6')), tbtn_close=(rgb('#F0906C'), rgb('#D0401A')),
        check=rgb('#21A121'),
    ),
    'DEEPBLUE': dict(
        bg=rgb('#E8E8E8'), border=rgb('#000000'), accent=rgb('#444AA0'), sel_bg=rgb('#444AA0'),
        ctrl_border=rgb('#000000'), font=rgb('#000000'), scroll_bg=rgb('#F5F5F5'),  # table
        list_bg=rgb('#FFFFFF'), radius=1, shape='flat',
        face=(rgb('#F6F6F6'), rgb('#E2E2E2')), face_border=rgb('#000000'),
        hot=(rgb('#EEEFFA'), rgb('#D4D6EF')), hot_border=rgb('#444AA0'),
        down=(rgb('#C3C6E6'), rgb('#B4B8E0')), down_border=rgb('#000000'),
        title=(rgb('#4E55B0'), rgb('#3A3F8E')), title_border=rgb('#000000'), title_line=rgb('#7C82D2'),
        tbtn_shape='flat', tbtn=(rgb('#5C63BC'), rgb('#4A50A8')), tbtn_border=rgb('#1C1F48'),
        tbtn_glyph=rgb('#FFFFFF'), tbtn_hot=(rgb('#7F86DA'), rgb('#6A71CC')), tbtn_hot_glyph=rgb('#FFFFFF'),
        tbtn_down=(rgb('#2C306E'), rgb('#353A82')), tbtn_close=None,
    ),
    'PROTEIN': dict(
        bg=rgb('#FBFBFB'), border=rgb('#000000'), accent=rgb('#2D30C4'), sel_bg=rgb('#2D30C4'),
        ctrl_border=rgb('#000000'), font=rgb('#000000'), scroll_bg=rgb('#F5F5F5'),  # table
        list_bg=rgb('#FFFFFF'), radius=3, shape='rounded',
        face=(rgb('#FFFFFF'), rgb('#ECECF1')), face_border=rgb('#3A3A3A'),
        hot=(rgb('#FFFFFF'), rgb('#DCDDF7')), hot_border=rgb('#2D30C4'),
        down=(rgb('#C9CBF2'), rgb('#DEDFF7')), down_border=rgb('#1D1F80'),
        title=(rgb('#4A4FE6'), rgb('#2225A8')), title_border=rgb('#000000'), title_line=rgb('#8F93FF'),
        tbtn_shape='round', tbtn=(rgb('#6D72F0'), rgb('#2F33C8')), tbtn_border=rgb('#D8DAFF'),
        tbtn_glyph=rgb('#FFFFFF'), tbtn_hot=(rgb('#A3A6FF'), rgb('#4D52EC')), tbtn_hot_glyph=rgb('#FFFFFF'),
        tbtn_down=(rgb('#1C1E8A'), rgb('#2A2DB8')), tbtn_close=None,
    ),
    'BLUEGLASS': dict(
        bg=rgb('#E7E7E7'), border=rgb('#000000'), accent=rgb('#5E5EEC'), sel_bg=rgb('#5E5EEC'),
        ctrl_border=rgb('#000000'), font=rgb('#000000'), scroll_bg=rgb('#F4F4F4'),  # table
        list_bg=rgb('#FFFFFF'), radius=0, shape='capsule',
        face=(rgb('#FFFFFF'), rgb('#DADCF0')), face_border=rgb('#4A4A9A'),
        hot=(rgb('#F4F4FF'), rgb('#A9A9F6')), hot_border=rgb('#5E5EEC'),
        down=(rgb('#A9A9F2'), rgb('#7878E8')), down_border=rgb('#34347E'),
        title=(rgb('#7272EA'), rgb('#3A3ABE')), title_border=rgb('#000000'), title_line=rgb('#C8C8FF'),
        tbtn_shape='round', tbtn=(rgb('#8C8CF8'), rgb('#4242CC')), tbtn_border=rgb('#EDEDFF'),
        tbtn_glyph=rgb('#FFFFFF'), tbtn_hot=(rgb('#CFCFFF'), rgb('#7A7AF4')), tbtn_hot_glyph=rgb('#FFFFFF'),
        tbtn_down=(rgb('#3A3AB0'), rgb('#4E4ED8')), tbtn_close=(rgb('#F4A0A0'), rgb('#C83C3C')),
    ),
}

# Sizes of the strips the skin cuts (width x height of the whole strip, frame count).
SIZES = {
    'BUTTON': {'MACOS': (252, 23), 'WINXP': (54, 21), 'DEEPBLUE': (222, 21), 'PROTEIN': (222, 21),
               'BLUEGLASS': (231, 27)},
    'CHECKBOX': {'MACOS': (60, 17), '*': (52, 13)},
    'RADIOBUTTON': {'MACOS': (64, 17), '*': (52, 13)},
    'TITLEBTN': {'MACOS': (306, 17), 'WINXP': (378, 21), '*': (342, 19)},
    'TITLE_LEFT': {'MACOS': (48, 23), 'WINXP': (35, 29), 'DEEPBLUE': (97, 32), 'PROTEIN': (441, 23),
                   'BLUEGLASS': (162, 33)},
    'TITLE_CLIENT': {'MACOS': (49, 23), 'WINXP': (37, 29), 'DEEPBLUE': (98, 32), 'PROTEIN': (1, 23),
                     'BLUEGLASS': (179, 33)},
    'TITLE_RIGHT': {'MACOS': (48, 23), 'WINXP': (35, 29), 'DEEPBLUE': (97, 32), 'PROTEIN': (1, 23),
                    'BLUEGLASS': (101, 33)},
    'CHECKLIST': {'MACOS': (40, 11), '*': (44, 11)},
    'SCROLLBUTTON': {'MACOS': (72, 18), 'WINXP': (72, 18), 'MORE': (72, 17)},
    'TAB': {'MACOS': (36, 27), 'WINXP': (18, 18), 'DEEPBLUE': (12, 17), 'PROTEIN': (18, 17),
            'BLUEGLASS': (18, 17)},
    'TAB_LINE': {'MACOS': (17, 7), 'WINXP': (8, 1), 'DEEPBLUE': (5, 5), 'PROTEIN': (10, 5),
                 'BLUEGLASS': (10, 5)},
}
# Title-bar rows the buttons sit on (key TitleBarButtonTopInt), to draw opaque buttons on that part
# of the title picture; and the round-corner radius (FormRoundCornerInt).
BUTTON_TOP = {'MACOS': 4, 'WINXP': 5, 'DEEPBLUE': 2, 'PROTEIN': 2, 'BLUEGLASS': 6}
ROUND_CORNER = {'MACOS': 0, 'WINXP': 13, 'DEEPBLUE': 0, 'PROTEIN': 0, 'BLUEGLASS': 11}
TRANSPARENT_TITLE_BUTTONS = {'PROTEIN', 'BLUEGLASS'}


def size(element, style):
    table = SIZES[element]
    return table.get(style, table.get('*'))


# ---------------------------------------------------------------------------------------------------
# Push buttons: normal, mouse over, pressed


def button_frame(p, w, h, state, style):
    face, edge = state_look(p, state, 'face_border')
    shape = p['shape']
    r = {'capsule': h / 2 - 0.5, 'rounded': 3.5, 'flat': 1.5}[shape]

    def draw(ctx):
        inset = 0.5 if shape == 'capsule' else 0
        if shape == 'capsule':
            stops = held_middle(gloss_stops(*face, hi=0.5), h, GLOSS_STEP)
        else:
            stops = held_middle([(0, face[0]), (1, face[1])], h)
        box(ctx, inset, inset, w - 2 * inset, h - 1 - inset if shape == 'capsule' else h,
            r, vgrad(0, h, stops), edge)
        if state == 1 and 'hot_ring' in p:  # the XP look: an orange ring inside the frame
            ctx.set_source_rgb(*p['hot_ring'])
            ctx.set_line_width(2)
            rrect(ctx, 2, 2, w - 4, h - 4, 2)
            ctx.stroke()
        if state != 2:
            hiline(ctx, inset + 1, inset + 1, w - 2 * inset - 2, r * 0.8, (1, 1, 1), 0.85)
        else:  # pressed: a shadow under the top edge
            ctx.set_source_rgba(0, 0, 0, 0.18)
            ctx.set_line_width(1)
            ctx.move_to(inset + r, inset + 1.5)
            ctx.line_to(w - inset - r, inset + 1.5)
            ctx.stroke()
        if shape == 'capsule':  # soft drop shadow on the bottom row
            ctx.set_source_rgba(0, 0, 0, 0.12)
            ctx.set_line_width(1)
            ctx.move_to(r, h - 0.5)
            ctx.line_to(w - r, h - 0.5)
            ctx.stroke()

    # Transparent styles (capsules) are masked by their pixel (0, 0) or by magenta: key colour outside.
    return even_stretch_rows(render(w, h, draw, p['bg'], key=(shape == 'capsule')))


# ---------------------------------------------------------------------------------------------------
# Check boxes, radio buttons, check-list glyphs: checked, unchecked, checked disabled, unchecked disabled


def check_frame(p, w, h, checked, disabled, style, radio=False, on=None, small=False):
    bg = on or p['bg']
    s = min(w, h) - (2 if style == 'MACOS' and not small else 0)
    x0 = (w - s) / 2
    y0 = (h - s) / 2
    accent = p.get('check', p['accent'])
    blue_fill = style in ('MACOS', 'BLUEGLASS', 'PROTEIN', 'DEEPBLUE') and checked

    def col(c):
        return grey(c) if disabled else c

    def draw(ctx):
        if radio:
            ctx.arc(x0 + s / 2, y0 + s / 2, s / 2 - 0.5, 0, 2 * math.pi)
        else:
            rrect(ctx, x0 + 0.5, y0 + 0.5, s - 1, s - 1, 2 if style in ('MACOS', 'BLUEGLASS') else 1)
        if blue_fill:
            top, bottom = lighter(p['accent'], 0.45), p['accent']
            if style == 'DEEPBLUE':
                top, bottom = p['accent'], p['accent']
        else:
            top, bottom = p['list_bg'], mix(p['list_bg'], p['bg'], 0.9) if style != 'WINXP' else rgb('#E0DED4')
            if style == 'DEEPBLUE':
                top = bottom = rgb('#FFFFFF')
        ctx.set_source(vgrad(y0, y0 + s, [(0, col(top)), (1, col(bottom))]))
        ctx.fill_preserve()
        edge = {'WINXP': rgb('#1C5180')}.get(style, p['ctrl_border'] if style != 'MACOS' else rgb('#6F6F6F'))
        if blue_fill and style != 'DEEPBLUE':
            edge = darker(p['accent'], 0.35)
        ctx.set_source_rgb(*(col(edge) if not disabled else grey(edge, 1.0)))
        ctx.set_line_width(1)
        ctx.stroke()
        if not checked:
            return
        mark = (1, 1, 1) if blue_fill else accent
        mark = col(mark) if not blue_fill else (mix(mark, (0.85, 0.85, 0.85), 0.5) if disabled else mark)
        if radio:
            ctx.set_source_rgb(*mark)
            ctx.arc(x0 + s / 2, y0 + s / 2, s * 0.2, 0, 2 * math.pi)
            ctx.fill()
        else:
            glyph(ctx, 'check', x0 + 0.5, y0 + 0.5, s - 1, mark, weight=max(1.6, s / 7.5))

    return render(w, h, draw, bg)


def check_strip(p, element, style, radio=False, on=None, small=False):
    w, h = size(element, style)
    fw = w // 4
    frames = [check_frame(p, fw, h, c, d, style, radio, on, small)
              for d in (False, True) for c in (True, False)]
    return strip(frames)


# ---------------------------------------------------------------------------------------------------
# Title bar: left piece (rounded corner, caption start), stretched client piece, right piece


def title_fill(ctx, p, style, w, h):
    top, bottom = p['title']
    if style in ('MACOS', 'BLUEGLASS', 'PROTEIN'):
        stops = gloss_stops(top, bottom, hi=0.35 if style == 'MACOS' else 0.3)
    elif style == 'WINXP':
        stops = [(0, lighter(top, 0.35)), (0.12, top), (0.55, bottom), (0.85, bottom), (1, darker(bottom, 0.2))]
    else:
        stops = [(0, top), (1, bottom)]
    ctx.set_source(vgrad(0, h, stops))


def title_piece(p, style, part, w, h):
    R = ROUND_CORNER[style]
    bw = 3 if style == 'WINXP' else 1
    # The piece starts at the window's outer edge: the frame's border runs down its outer columns.

    def draw(ctx):
        ctx.save()
        if part == 'left' and R:
            top_rrect(ctx, 0, 0, w + R, h + 1, R)
            ctx.clip()
        if part == 'right' and R:
            top_rrect(ctx, -R, 0, w + R, h + 1, R)
            ctx.clip()
        ctx.rectangle(0, 0, w, h)
        title_fill(ctx, p, style, w, h)
        ctx.fill()
        if style == 'PROTEIN' and part == 'left':
            # A light sweep behind the caption's start that fades out into the plain bar.
            g = cairo.LinearGradient(0, 0, w, 0)
            g.add_color_stop_rgba(0, 1, 1, 1, 0.30)
            g.add_color_stop_rgba(0.45, 1, 1, 1, 0.10)
            g.add_color_stop_rgba(0.97, 1, 1, 1, 0.0)
            ctx.set_source(g)
            ctx.move_to(0, 0)
            ctx.curve_to(w * 0.35, 0, w * 0.25, h, w * 0.7, h)
            ctx.line_to(0, h)
            ctx.close_path()
            ctx.fill()
        if style == 'BLUEGLASS':
            # Glass: a soft light band across the upper half, and a reflection on the pieces' ends.
            ctx.set_source_rgba(1, 1, 1, 0.18)
            ctx.rectangle(0, 1, w, h * 0.42)
            ctx.fill()
            if part in ('left', 'right'):
                x0 = 40 if part == 'left' else w - 40
                g = cairo.RadialGradient(x0, h * 0.3, 1, x0, h * 0.3, 38)
                g.add_color_stop_rgba(0, 1, 1, 1, 0.22)
                g.add_color_stop_rgba(1, 1, 1, 1, 0)
                ctx.set_source(g)
                ctx.rectangle(0, 0, w, h)
                ctx.fill()
        # Highlight under the top edge.
        ctx.set_source_rgba(*p['title_line'], 0.9)
        ctx.set_line_width(1)
        ctx.move_to(0, bw + 0.5)
        ctx.line_to(w, bw + 0.5)
        ctx.stroke()
        # Bottom line separating title and body.
        ctx.set_source_rgba(*darker(p['title'][1], 0.3), 0.9)
        ctx.move_to(0, h - 0.5)
        ctx.line_to(w, h - 0.5)
        ctx.stroke()
        ctx.restore()
        # Outer border: top edge, and the side edge on the end pieces (with the corner arc).
        ctx.set_source_rgb(*p['title_border'])
        ctx.set_line_width(bw)
        if part == 'client':
            ctx.move_to(0, bw / 2)
            ctx.line_to(w, bw / 2)
        elif part == 'left':
            ctx.move_to(bw / 2, h)
            if R:
                ctx.line_to(bw / 2, R)
                ctx.arc(R, R, R - bw / 2, math.pi, 3 * math.pi / 2)
            else:
                ctx.line_to(bw / 2, bw / 2)
            ctx.line_to(w, bw / 2)
        elif w <= 2:  # a 1-pixel end piece is stretched over the frame too: the top edge only
            ctx.move_to(0, bw / 2)
            ctx.line_to(w, bw / 2)
        else:
            ctx.move_to(0, bw / 2)
            if R:
                ctx.line_to(w - R, bw / 2)
                ctx.arc(w - R, R, R - bw / 2, -math.pi / 2, 0)
            else:
                ctx.line_to(w - bw / 2, bw / 2)
            ctx.line_to(w - bw / 2, h)
        ctx.stroke()

    # Outside the rounded corner lies what the window region cuts away; it takes the border colour.
    return render(w, h, draw, p['title_border'])


def title_under_button(p, style, s):
    """The part of the title bar an opaque button covers: the bar's rows from the button row down."""
    h = size('TITLE_CLIENT', style)[1]
    column = title_piece(p, style, 'client', 4, h).crop((2, 0, 3, h))
    top = BUTTON_TOP[style]
    under = Image.new('RGB', (s, s))
    for y in range(s):
        under.paste(column.getpixel((0, min(top + y, h - 1))), (0, y, s, y + 1))
    return under


# ---------------------------------------------------------------------------------------------------
# Title-bar buttons: six triples (control box, help, maximize, restore, minimize, close)


def title_button(p, style, kind, state, s, key):
    shape = p['tbtn_shape']
    faces = [p['tbtn'], p['tbtn_hot'], p['tbtn_down']]
    if kind == 'close' and p.get('tbtn_close'):
        c = p['tbtn_close']
        faces = [c, (lighter(c[0], 0.3), lighter(c[1], 0.25)), (darker(c[1], 0.3), darker(c[0], 0.2))]
    face = faces[state]
    gcol = p['tbtn_glyph'] if state == 0 else p['tbtn_hot_glyph']
    shift = 0.6 if state == 2 else 0

    def draw(ctx):
        m = 1.0 if shape == 'round' else 0.5
        if shape == 'round':
            ctx.arc(s / 2, s / 2, s / 2 - m, 0, 2 * math.pi)
        elif shape == 'square':
            rrect(ctx, m, m, s - 2 * m, s - 2 * m, 3)
        else:
            ctx.rectangle(m, m, s - 2 * m, s - 2 * m)
        ctx.set_source(vgrad(0, s, gloss_stops(*face, hi=0.4) if shape != 'flat' else [(0, face[0]), (1, face[1])]))
        ctx.fill_preserve()
        ctx.set_source_rgba(*p['tbtn_border'], 0.95)
        ctx.set_line_width(1)
        ctx.stroke()
        if shape == 'round' and state != 2:  # a gel highlight
            g = cairo.LinearGradient(0, 1, 0, s * 0.55)
            g.add_color_stop_rgba(0, 1, 1, 1, 0.75)
            g.add_color_stop_rgba(1, 1, 1, 1, 0.05)
            ctx.set_source(g)
            ctx.save()
            ctx.translate(s / 2, s * 0.3)
            ctx.scale(s * 0.3, s * 0.2)
            ctx.arc(0, 0, 1, 0, 2 * math.pi)
            ctx.restore()
            ctx.fill()
        gs = s * (0.9 if shape == 'round' else 1.0)
        off = (s - gs) / 2 + shift
        glyph(ctx, kind, off, off, gs, gcol)

    if key:
        return render(s, s, draw, p['title'][1], key=True)
    return render(s, s, draw, title_under_button(p, style, s))


def title_buttons(p, style):
    w, h = size('TITLEBTN', style)
    s = w // 18
    assert s == h
    key = style in TRANSPARENT_TITLE_BUTTONS
    frames = [title_button(p, style, k, st, s, key) for k in TITLE_GLYPHS for st in range(3)]
    img = strip(frames)
    return key_corners(img, s, 18) if key else img


# ---------------------------------------------------------------------------------------------------
# Tabs (two frames: active, inactive; each a three-slice) and the line under them


def tab_frame(p, style, w, h, active):
    base = p['bg']
    body = p['list_bg'] if style == 'WINXP' else base
    r = max(2, min(w / 3, 5))

    def draw(ctx):
        y = 0.5 if active else 2.5
        top_rrect(ctx, 0.5, y, w - 1, h - y + 1, r)
        if active:
            top, bottom = lighter(body, 0.6), body
        else:
            top, bottom = mix(base, (1, 1, 1), 0.35), darker(base, 0.08)
        ctx.set_source(vgrad(y, h, [(0, top), (1, bottom)]))
        ctx.fill_preserve()
        ctx.set_source_rgb(*(p['ctrl_border'] if style != 'WINXP' else rgb('#919B9C')))
        ctx.set_line_width(1)
        ctx.stroke()
        if active:  # the selected tab carries the accent along its top
            ctx.set_source_rgb(*(rgb('#FFC83C') if style == 'WINXP' else p['accent']))
            ctx.rectangle(1.5, y + 0.5, w - 3, 2 if h > 20 else 1.5)
            ctx.fill()

    return render(w, h, draw, base, key=True)


def tab_strip(p, style):
    w, h = size('TAB', style)
    return strip([tab_frame(p, style, w // 2, h, True), tab_frame(p, style, w // 2, h, False)])


def tab_line(p, style):
    w, h = size('TAB_LINE', style)
    body = p['list_bg'] if style == 'WINXP' else p['bg']

    def draw(ctx):
        ctx.set_source_rgb(*body)
        ctx.rectangle(0, 0, w, h)
        ctx.fill()
        if h == 1:
            return
        ctx.set_source_rgb(*p['accent'])
        ctx.rectangle(0, 0, w, min(2, h - 2) if style == 'MACOS' else 1)
        ctx.fill()
        if style == 'MACOS':
            ctx.set_source(vgrad(2, h, [(0, lighter(p['accent'], 0.55)), (1, p['bg'])]))
            ctx.rectangle(0, 2, w, h - 3)
            ctx.fill()
        ctx.set_source_rgb(*p['ctrl_border'])
        ctx.rectangle(0, h - 1, w, 1)
        ctx.fill()

    img = render(w, h, draw, body)
    if h == 1:  # a single line in the XP tab border colour
        img.paste((0x91, 0x9B, 0x9C), (0, 0, w, 1))
    return img


# ---------------------------------------------------------------------------------------------------
# Scroll buttons of the tab strip: next normal, next hot, previous normal, previous hot


def scroll_buttons(p, style, w, h):
    s = w // 4

    def frame(direction, hot):
        def draw(ctx):
            face = p['hot'] if hot else p['face']
            rrect(ctx, 0.5, 0.5 + (h - s) / 2 if h > s else 0.5, s - 1, min(s, h) - 1, 3)
            ctx.set_source(vgrad(0, h, [(0, face[0]), (1, face[1])]))
            ctx.fill_preserve()
            ctx.set_source_rgb(*(p['hot_border'] if hot else p['ctrl_border']))
            ctx.set_line_width(1)
            ctx.stroke()
            glyph(ctx, direction, 0, (h - s) / 2, s, p['accent'] if hot else darker(p['ctrl_border'], 0.2))
        return render(s, h, draw, p['bg'], key=True)

    return key_corners(strip([frame('right', False), frame('right', True), frame('left', False), frame('left', True)]),
                       s, 4)


# ---------------------------------------------------------------------------------------------------
# Keys for controls outside the main window; their layouts are ours (documented per drawing).


def progress_bar(p, style):
    """Two 10 x 14 frames: the empty track and the filled bar (each cut as a nine-slice)."""
    def frame(filled):
        def draw(ctx):
            face = (lighter(p['accent'], 0.35), p['accent']) if filled else (darker(p['scroll_bg'], 0.06), p['list_bg'])
            box(ctx, 0, 0, 10, 14, 2, vgrad(0, 14, held_middle(gloss_stops(*face, hi=0.3), 14, GLOSS_STEP)),
                p['ctrl_border'] if not filled else darker(p['accent'], 0.3))
        return even_stretch_rows(render(10, 14, draw, p['bg'], key=True))
    return strip([frame(False), frame(True)])


def trackbar_bar(p, style):
    """A 15 x 6 groove, cut as a three-slice of 5-pixel pieces."""
    def draw(ctx):
        box(ctx, 0, 0, 15, 6, 2.5, vgrad(0, 6, [(0, darker(p['scroll_bg'], 0.25)), (1, p['list_bg'])]),
            p['ctrl_border'])
    return render(15, 6, draw, p['bg'], key=True)


def trackbar_slider(p, style, vertical):
    """Three frames (normal, mouse over, pressed) of an 11 x 18 pointer (18 x 11 when vertical)."""
    w, h = (18, 11) if vertical else (11, 18)

    def frame(state):
        face, edge = state_look(p, state, 'face_border')

        def draw(ctx):
            if vertical:
                ctx.move_to(0.5, 0.5)
                ctx.line_to(12.5, 0.5)
                ctx.line_to(17.5, 5.5)
                ctx.line_to(12.5, 10.5)
                ctx.line_to(0.5, 10.5)
            else:
                ctx.move_to(0.5, 0.5)
                ctx.line_to(10.5, 0.5)
                ctx.line_to(10.5, 12.5)
                ctx.line_to(5.5, 17.5)
                ctx.line_to(0.5, 12.5)
            ctx.close_path()
            ctx.set_source(vgrad(0, h, [(0, face[0]), (1, face[1])]))
            ctx.fill_preserve()
            ctx.set_source_rgb(*edge)
            ctx.set_line_width(1)
            ctx.stroke()
        return render(w, h, draw, p['bg'], key=True)

    return key_corners(strip([frame(i) for i in range(3)]), w, 3)


def scrollbar_buttons(p, style):
    """Twelve 16 x 16 frames: up, down, left, right arrow buttons, each normal, mouse over, pressed."""
    frames = []
    for d in ('up', 'down', 'left', 'right'):
        for state in range(3):
            face, edge = state_look(p, state)

            def draw(ctx, face=face, edge=edge, d=d, state=state):
                box(ctx, 0, 0, 16, 16, 2, vgrad(0, 16, [(0, face[0]), (1, face[1])]), edge)
                glyph(ctx, d, 0.5 * (state == 2), 0.5 * (state == 2), 16,
                      p['accent'] if state else darker(p['ctrl_border'], 0.25))
            frames.append(render(16, 16, draw, p['scroll_bg']))
    return strip(frames)


def scrollbar_thumb(p, style):
    """Three 16 x 16 frames of the thumb (normal, mouse over, pressed), cut as a nine-slice."""
    frames = []
    for state in range(3):
        face, edge = state_look(p, state)

        def draw(ctx, face=face, edge=edge):
            box(ctx, 0, 0, 16, 16, 3, hgrad(0, 16, [(0, face[0]), (1, face[1])]), edge)
            for y in (6.5, 8.5, 10.5):  # grip
                ctx.set_source_rgba(*darker(edge, 0.1), 0.6)
                ctx.move_to(5, y - 1)
                ctx.line_to(11, y - 1)
                ctx.set_line_width(1)
                ctx.stroke()
        frames.append(render(16, 16, draw, p['scroll_bg'], key=True))
    return strip(frames)


def side_channel_handle(p, style):
    """Three 16 x 16 frames of the side channel's handle (normal, mouse over, pressed)."""
    frames = []
    for state in range(3):
        face = state_look(p, state)[0]

        def draw(ctx, face=face):
            box(ctx, 0, 0, 16, 16, 3, vgrad(0, 16, gloss_stops(*face, hi=0.3)), p['ctrl_border'])
            glyph(ctx, 'right', 0, 0, 16, p['accent'])
        frames.append(render(16, 16, draw, p['bg'], key=True))
    return strip(frames)


def side_channel_bar(p, style):
    """A 16 x 16 piece of the side channel's bar, stretched."""
    def draw(ctx):
        ctx.set_source(hgrad(0, 16, [(0, lighter(p['bg'], 0.5)), (1, darker(p['bg'], 0.08))]))
        ctx.rectangle(0, 0, 16, 16)
        ctx.fill()
        ctx.set_source_rgb(*p['ctrl_border'])
        ctx.rectangle(15, 0, 1, 16)
        ctx.fill()
    return render(16, 16, draw, p['bg'])


# ---------------------------------------------------------------------------------------------------
# Fixed resources outside the table


def macos_menu_bar():
    p = STYLES['MACOS']

    def draw(ctx):
        ctx.set_source(vgrad(0, 22, [(0, rgb('#FBFBFB')), (1, rgb('#E9E9E9'))]))
        ctx.rectangle(0, 0, 1, 22)
        ctx.fill()
    return render(1, 22, draw, p['bg'])


def macos_menu_select():
    p = STYLES['MACOS']

    def draw(ctx):
        ctx.set_source(vgrad(0, 21, gloss_stops(lighter(p['accent'], 0.2), darker(p['accent'], 0.1), hi=0.35)))
        ctx.rectangle(0, 0, 1, 21)
        ctx.fill()
        ctx.set_source_rgb(*darker(p['accent'], 0.25))
        ctx.rectangle(0, 20, 1, 1)
        ctx.fill()
    return render(1, 21, draw, p['accent'])


def form_tile(style):
    img = Image.new('RGB', (8, 8))
    d = ImageDraw.Draw(img)
    if style == 'MACOS':  # pinstripes around the form colour E7E7E7
        for y in range(8):
            d.line([(0, y), (7, y)], fill=(0xEB, 0xEB, 0xEB) if y % 2 == 0 else (0xE3, 0xE3, 0xE3))
    else:  # near white with a faint dot lattice around FBFBFB
        d.rectangle([0, 0, 7, 7], fill=(0xFC, 0xFC, 0xFC))
        for x, y in ((1, 1), (5, 5)):
            d.point((x, y), fill=(0xEF, 0xEF, 0xF3))
    return img


def menu_checked():
    """16 x 16 check mark; white is the mask colour, so the rim blends into white."""
    def draw(ctx):
        glyph(ctx, 'check', 2, 2, 12, rgb('#202020'), weight=2.0)
    img = render(16, 16, draw, (1, 1, 1))
    px = img.load()
    for y in range(16):  # nearly white rim pixels would show as a grey halo on a coloured item
        for x in range(16):
            if min(px[x, y]) > 235:
                px[x, y] = (255, 255, 255)
    return img


# ---------------------------------------------------------------------------------------------------


def build_style(style):
    p = STYLES[style]
    out = {}
    bw, bh = size('BUTTON', style)
    out['BUTTON'] = strip([button_frame(p, bw // 3, bh, s, style) for s in range(3)])
    out['CHECKBOX'] = check_strip(p, 'CHECKBOX', style)
    out['RADIOBUTTON'] = check_strip(p, 'RADIOBUTTON', style, radio=True)
    out['TITLEBTN'] = title_buttons(p, style)
    for part in ('LEFT', 'CLIENT', 'RIGHT'):
        w, h = size('TITLE_' + part, style)
        out['TITLE_' + part] = title_piece(p, style, part.lower(), w, h)
    out['PROGRESSBAR'] = progress_bar(p, style)
    out['TRACKBAR_BAR'] = trackbar_bar(p, style)
    out['TRACKBAR_SLIDER'] = trackbar_slider(p, style, False)
    out['TRACKBAR_SLIDER_V'] = trackbar_slider(p, style, True)
    out['SCROLLBAR_BUTTON'] = scrollbar_buttons(p, style)
    out['SCROLLBAR_TRACK'] = scrollbar_thumb(p, style)
    out['CHECKLIST'] = check_strip(p, 'CHECKLIST', style, on=p['list_bg'], small=True)
    if style in ('MACOS', 'WINXP'):
        w, h = size('SCROLLBUTTON', style)
        out['SCROLLBUTTON'] = scroll_buttons(p, style, w, h)
    out['TAB'] = tab_strip(p, style)
    out['TAB_LINE'] = tab_line(p, style)
    out['SIDECHENNEL_HANDLE'] = side_channel_handle(p, style)
    out['SIDECHENNEL_BAR'] = side_channel_bar(p, style)
    return {style + '_' + k: v for k, v in out.items()}


def contact_sheet(style, images):
    zoom = 4
    pad = 12
    names = sorted(images)
    widths = [images[n].width * zoom for n in names]
    sheet_w = max(max(widths) + 2 * pad, 400)
    sheet_h = pad + sum(images[n].height * zoom + 14 + pad for n in names)
    sheet = Image.new('RGB', (sheet_w, sheet_h), (0x50, 0x50, 0x58))
    d = ImageDraw.Draw(sheet)
    y = pad
    for n in names:
        img = images[n]
        d.text((pad, y), '%s  %dx%d' % (n, img.width, img.height), fill=(255, 255, 255))
        y += 14
        sheet.paste(img.resize((img.width * zoom, img.height * zoom), Image.NEAREST), (pad, y))
        y += img.height * zoom + pad
    return sheet


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    art = os.path.join(root, 'skin', 'art')
    docs = os.path.join(root, 'docs', 'skin-art')
    os.makedirs(art, exist_ok=True)
    os.makedirs(docs, exist_ok=True)
    all_images = {}
    sheets = {}
    for style in STYLES:
        imgs = build_style(style)
        all_images.update(imgs)
        sheets[style] = imgs
    w, h = size('SCROLLBUTTON', 'MORE')
    more = scroll_buttons(STYLES['DEEPBLUE'], 'DEEPBLUE', w, h)
    all_images['MORE_SCROLLBUTTON'] = more
    for style in ('DEEPBLUE', 'PROTEIN', 'BLUEGLASS'):
        sheets[style]['MORE_SCROLLBUTTON'] = more
    fixed = {'MACOS_MENU_BAR': macos_menu_bar(), 'MACOS_MENU_SELECT': macos_menu_select(),
             'MACOS_FORM_BACKGROUND': form_tile('MACOS'), 'PROTEIN_FORM_BACKGROUND': form_tile('PROTEIN'),
             'MENU_CHECKED': menu_checked()}
    all_images.update(fixed)
    sheets['MACOS'].update({k: v for k, v in fixed.items() if k != 'PROTEIN_FORM_BACKGROUND'})
    sheets['PROTEIN']['PROTEIN_FORM_BACKGROUND'] = fixed['PROTEIN_FORM_BACKGROUND']

    for name, img in sorted(all_images.items()):
        img.save(os.path.join(art, name + '.bmp'))
    with open(os.path.join(art, 'SkinArt.rc'), 'w') as rc:
        rc.write('// Bitmaps of the built-in skin styles, drawn by tools/make-skin-art.py (generated).\n')
        for name in sorted(all_images):
            rc.write('%s BITMAP "skin/art/%s.bmp"\n' % (name, name))
    for style, imgs in sheets.items():
        contact_sheet(style, imgs).save(os.path.join(docs, style.lower() + '.png'))
    print('make-skin-art: %d bitmaps in %s, contact sheets in %s' % (len(all_images), art, docs))


if __name__ == '__main__':
    main()
