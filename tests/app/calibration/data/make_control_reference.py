#!/usr/bin/python3
"""Writes control_points.cot and control_points.expected for the tests of
the parameters derived from a control-point file.

The raw positions are seven points near 51 N 114 W. Their grid coordinates
on WGS84 with the central meridian at -114 (scale 1, false easting 500000)
come from GeographicLib 2.1.2, run as

    printf '%s\n' "51.15 -114.033333333333333" ... |
        TransverseMercatorProj -l -114 -k 1 -p 6

(the output is copied below: easting before the false easting, northing),
rounded to four decimals as the program rounds them. The known coordinates
are a plane similarity of the grid ones plus a few millimetres of noise, the
known heights the raw ones less a smooth surface plus noise, so that the
least-squares solutions below have residuals. numpy (Debian's python3-numpy)
solves both problems independently of the program:

  - four parameters: xt = dx + a xs - b ys, yt = dy + b xs + a ys by least
    squares; rotation atan2(b, a), scale hypot(a, b);
  - height surface: h1 - h2 = a0 + a1 u + a2 v + a3 u^2 + a4 v^2 + a5 u v with
    u, v the known north and east less their means, by least squares.

Run once; the outputs are checked in:

    /usr/bin/python3 make_control_reference.py
"""

import math

import numpy as np

# (latitude d, m, s north; longitude d, m, s west) and GeographicLib's
# (easting - 500000, northing).
POINTS = [
    ((51, 9, 0), (114, 2, 0), (-2332.369752, 5668773.707805)),
    ((51, 10, 0), (114, 3, 0), (-3497.294279, 5670628.556578)),
    ((51, 8, 30), (114, 1, 30), (-1749.592342, 5667846.384425)),
    ((51, 9, 45), (114, 4, 15), (-4954.946489, 5670166.205997)),
    ((51, 7, 15), (114, 2, 45), (-3209.029443, 5665529.361607)),
    ((51, 10, 30), (114, 1, 0), (-1165.554701, 5671554.596165)),
    ((51, 8, 10), (114, 3, 50), (-4471.716908, 5667229.967701)),
]
RAW_HEIGHTS = [1081.512, 1079.204, 1083.75, 1078.031, 1085.6, 1077.9, 1082.333]
PLANE_ROWS = 4  # the first four rows are marked for the plane

THETA = 0.00031
SCALE = 0.99998
SHIFT = (-1520.25, 1874.5)
NOISE_N = [0.003, -0.002, 0.001, -0.004, 0.002, 0.0, -0.001]
NOISE_E = [-0.001, 0.004, -0.003, 0.002, 0.0, 0.001, -0.002]
NOISE_H = [0.004, -0.003, 0.0, 0.002, -0.001, 0.003, -0.005]


def packed(d, m, s, sign):
    return "%s%d.%02d%02d" % ("-" if sign < 0 else "", d, m, s)


def grid(point):
    east, north = point[2]
    return round(north, 4), round(east + 500000.0, 4)


def known(i):
    x, y = grid(POINTS[i])
    c, s = math.cos(THETA), math.sin(THETA)
    n = SHIFT[0] + SCALE * (x * c - y * s) + NOISE_N[i]
    e = SHIFT[1] + SCALE * (y * c + x * s) + NOISE_E[i]
    return round(n, 4), round(e, 4)


def known_height(i, n, e):
    u, v = (n - 5668000.0) / 1000.0, (e - 497000.0) / 1000.0
    undulation = -17.2 + 0.031 * u - 0.018 * v + 0.0042 * u * u + 0.0017 * v * v - 0.0009 * u * v
    return round(RAW_HEIGHTS[i] + undulation + NOISE_H[i], 4)


def main():
    lines, rows = [], []
    for i, (lat, lon, _) in enumerate(POINTS):
        n, e = known(i)
        h = known_height(i, n, e)
        rows.append((grid(POINTS[i]), (n, e), RAW_HEIGHTS[i], h))
        plane = "Y" if i < PLANE_ROWS else "N"
        lines.append("K%d,%.4f,%.4f,%.4f,%s,%s,%.3f,0,0,%s,Y" % (
            i + 1, n, e, h, packed(*lat, 1), packed(*lon, -1), RAW_HEIGHTS[i], plane))
    with open("control_points.cot", "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("gbk"))

    a_rows, obs = [], []
    for (xs, ys), (xt, yt), _, _ in rows[:PLANE_ROWS]:
        a_rows += [[1, 0, xs, -ys], [0, 1, ys, xs]]
        obs += [xt, yt]
    dx, dy, a, b = np.linalg.lstsq(np.array(a_rows), np.array(obs), rcond=None)[0]

    north = np.array([r[1][0] for r in rows])
    east = np.array([r[1][1] for r in rows])
    u, v = north - north.mean(), east - east.mean()
    design = np.column_stack([np.ones_like(u), u, v, u * u, v * v, u * v])
    diff = np.array([r[2] - r[3] for r in rows])
    coeff = np.linalg.lstsq(design, diff, rcond=None)[0]

    with open("control_points.expected", "w") as f:
        f.write("rotation %.17g\n" % math.atan2(b, a))
        f.write("scale %.17g\n" % math.hypot(a, b))
        for i, ((xs, ys), _, _, _) in enumerate(rows[:PLANE_ROWS]):
            f.write("mapped%d %.17g %.17g\n" % (i, dx + a * xs - b * ys, dy + b * xs + a * ys))
        f.write("origin %.17g %.17g\n" % (north.mean(), east.mean()))
        f.write("surface %s\n" % " ".join("%.17g" % c for c in coeff))


if __name__ == "__main__":
    main()
