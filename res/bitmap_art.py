"""The bitmaps: toolbar strip, image-list strips, satellite marks, legends
and the splash picture. Drawn on the canvas of draw_images.py."""

import math

from draw_images import (BLACK, BLUE, BROWN, Canvas, CYAN, DARK, FACE, GREEN, GREY, NAVY,
                         ORANGE, RED, WHITE, YELLOW)


def tool(draw):
    c = Canvas(16, 16, FACE)
    draw(c)
    return c


def tb_save(c):
    c.rect(1, 1, 14, 14, NAVY, fill=BLUE)
    c.rect(4, 1, 11, 6, GREY, fill=WHITE)
    c.rect(4, 9, 11, 14, GREY, fill=WHITE)


def tb_new(c):
    c.polygon([(3, 1), (10, 1), (13, 4), (13, 15), (3, 15)], WHITE)
    c.line(3, 1, 10, 1, DARK)
    c.line(10, 1, 13, 4, DARK)
    c.line(13, 4, 13, 15, DARK)
    c.line(13, 15, 3, 15, DARK)
    c.line(3, 15, 3, 1, DARK)


def tb_open(c):
    c.polygon([(1, 4), (6, 4), (7, 6), (14, 6), (14, 14), (1, 14)], (220, 170, 40))
    c.polygon([(3, 8), (16, 8), (14, 14), (1, 14)], YELLOW)


def tb_ellipsoid(c):
    c.circle(8, 8, 7, NAVY, fill=CYAN, width=1.2)
    for x in range(1, 16):
        c.put(x, 8, NAVY)


def tb_projection(c):
    c.circle(8, 8, 7, NAVY, fill=(200, 230, 255), width=1.2)
    c.line(8, 1, 8, 15, NAVY)
    c.line(1, 8, 15, 8, NAVY)
    c.line(3, 4, 13, 4, NAVY)
    c.line(3, 12, 13, 12, NAVY)


def tb_digit(ch):
    def draw(c):
        c.rect(1, 1, 14, 14, DARK, fill=WHITE)
        c.text(5, 3, ch, NAVY, scale=2)
    return draw


def tb_wizard(c):
    c.line(2, 14, 11, 5, BROWN, width=2)
    for x, y in ((12, 1), (14, 4), (10, 2), (13, 7)):
        c.put(x, y, ORANGE)
    c.rect(11, 2, 13, 4, YELLOW, fill=YELLOW)


def tb_control_point(c):
    c.polygon([(8, 1), (15, 14), (1, 14)], RED)
    c.polygon([(8, 6), (11, 12), (5, 12)], WHITE)


def tb_toggle(c):
    c.rect(1, 1, 9, 9, NAVY, fill=WHITE)
    c.rect(1, 1, 9, 3, NAVY, fill=BLUE)
    c.rect(6, 6, 14, 14, NAVY, fill=WHITE)
    c.rect(6, 6, 14, 8, NAVY, fill=GREEN)


def tb_flag(c):
    c.line(4, 1, 4, 15, DARK)
    c.polygon([(5, 1), (14, 4), (5, 8)], ORANGE)


def tb_ruler(c):
    c.polygon([(1, 11), (11, 1), (15, 5), (5, 15)], YELLOW)
    for k in range(2, 10, 2):
        c.line(1 + k, 11 - k, 3 + k, 13 - k, DARK)


TOOLBAR = [tb_save, tb_new, tb_open, tb_ellipsoid, tb_projection, tb_digit('4'),
           tb_digit('7'), tb_wizard, tb_control_point, tb_toggle, tb_flag, tb_ruler]


def toolbar():
    strip = Canvas(16 * len(TOOLBAR), 16, FACE)
    for n, draw in enumerate(TOOLBAR):
        strip.paste(tool(draw), 16 * n, 0)
    return strip


def point_mark(kind):
    c = Canvas(16, 16, WHITE)
    if kind == 'library':
        c.rect(4, 4, 11, 11, NAVY, fill=BLUE)
    elif kind == 'grid':
        c.polygon([(8, 2), (14, 8), (8, 14), (2, 8)], GREEN)
    else:
        fill = {'fixed': GREEN, 'float': ORANGE, 'single': RED}[kind]
        c.circle(7.5, 7.5, 5.5, BLACK, fill=fill)
    return c


def point_images():
    strip = Canvas(80, 16, WHITE)
    for n, kind in enumerate(('library', 'grid', 'fixed', 'float', 'single')):
        strip.paste(point_mark(kind), 16 * n, 0)
    return strip


def satellite(size, body):
    """A satellite: a body with two solar panels; the colour tells its signal."""
    c = Canvas(size, size, WHITE)
    m = size // 2
    w = max(2, size // 6)
    c.rect(1, m - w, m - w - 2, m + w - 1, NAVY, fill=CYAN)
    c.rect(m + w + 1, m - w, size - 2, m + w - 1, NAVY, fill=CYAN)
    c.line(m - w - 1, m, m + w, m, DARK)
    c.rect(m - w + 1, m - w - 1, m + w - 2, m + w, BLACK, fill=body)
    return c


def splash():
    c = Canvas(200, 120, (0, 40, 100))
    for r in (30, 44, 58):
        for k in range(0, 91, 2):
            a = math.radians(200 + k)
            c.put(60 + r * math.cos(a), 100 + r * math.sin(a), (120, 180, 255))
    c.line(60, 70, 60, 112, WHITE, width=2)
    c.circle(60, 66, 8, WHITE, fill=(230, 230, 230), width=2)
    c.text(92, 50, 'QUORVEL', WHITE, scale=3)
    c.line(92, 72, 174, 72, YELLOW, width=2)
    return c


def bitmaps():
    return {
        'toolbar': toolbar(),
        'point_images': point_images(),
        'sat_snr': satellite(20, GREEN),
        'sat_no_snr': satellite(16, GREY),
        'data_sat_snr': satellite(20, GREEN),
        'data_sat_no_snr': satellite(16, GREY),
        'legend_fixed': point_mark('fixed'),
        'legend_float': point_mark('float'),
        'legend_single': point_mark('single'),
        'splash': splash(),
    }
