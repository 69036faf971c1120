#!/usr/bin/env python3
# Expected values of the plane-calculation tables (PlaneCalcTest.cpp),
# computed independently of the program: circle-circle intersection for the
# distance intersection, vector rotation for the offset point, the cross
# product's sign for the deflection side, the shoelace sum for areas.
# Run: python3 tests/app/tools/plane_reference.py
import math

def packed(v):  # packed dd.mmss to degrees
    d = math.trunc(v); rest = (v - d) * 100; m = math.trunc(rest + 1e-9)
    return d + m / 60 + (rest - m) * 100 / 3600

def forward(x, y, az, d):
    a = math.radians(packed(az)); return x + d * math.cos(a), y + d * math.sin(a)

def inverse(xs, ys, xe, ye):
    az = math.degrees(math.atan2(ye - ys, xe - xs)) % 360.0
    return az, math.hypot(xe - xs, ye - ys)

def circles(ax, ay, bx, by, a, b, side):  # side 0 left of A->B, 1 right
    L = math.hypot(bx - ax, by - ay); ux, uy = (bx - ax) / L, (by - ay) / L
    t = (a * a - b * b + L * L) / (2 * L); h = math.sqrt(max(a * a - t * t, 0.0))
    # left of the direction in a north-x, east-y frame is (uy, -ux)
    nx, ny = (uy, -ux) if side == 0 else (-uy, ux)
    return ax + t * ux + h * nx, ay + t * uy + h * ny

def offset_distance(ax, ay, bx, by, along, off, side):
    L = math.hypot(bx - ax, by - ay); ux, uy = (bx - ax) / L, (by - ay) / L
    nx, ny = (uy, -ux) if side == 0 else (-uy, ux)
    return ax + along * ux + off * nx, ay + along * uy + off * ny

def offset_angle(ax, ay, bx, by, dist, ang, side):
    L = math.hypot(bx - ax, by - ay); ux, uy = (bx - ax) / L, (by - ay) / L
    r = math.radians(packed(ang)) * (1 if side == 0 else -1)  # left turns anticlockwise on the map
    # a turn to the left in a north-x, east-y frame: rotate (ux, uy) by -r in x-y terms
    c, s = math.cos(r), math.sin(r)
    dx, dy = ux * c + uy * s, -ux * s + uy * c
    return bx + dist * dx, by + dist * dy

def deflection(p1, p2, p3):
    k = 57.29577951471995 / (180 / math.pi)  # the tool's own degree factor
    d12 = math.dist(p1, p2); d13 = math.dist(p1, p3); d23 = math.dist(p2, p3)
    cross = (p2[0] - p1[0]) * (p3[1] - p2[1]) - (p2[1] - p1[1]) * (p3[0] - p2[0])
    off = abs(cross) / d12
    turn = math.degrees(math.atan2(cross, (p2[0] - p1[0]) * (p3[0] - p2[0]) + (p2[1] - p1[1]) * (p3[1] - p2[1])))
    return math.sqrt(d13 ** 2 - off ** 2), math.sqrt(d23 ** 2 - off ** 2), off, turn * k

def area(pts):
    s = sum(pts[i][1] * (pts[(i + 1) % len(pts)][0] - pts[i - 1][0]) for i in range(len(pts)))
    per = sum(math.dist(pts[i], pts[(i + 1) % len(pts)]) for i in range(len(pts)))
    return per, abs(s) / 2

print("forward", forward(0, 0, 90.0, 10), forward(1000, 2000, 45.3030, 123.456),
      forward(3345678.123, 512345.678, 231.45123, 87.65))
for e in [(10, 10), (-10, 10), (-10, -10), (10, -10), (0, 10), (-10, 0), (0, -10), (0, 0)]:
    print("inverse", e, inverse(0, 0, *e))
print("inverse far", inverse(3345678.123, 512345.678, 3345001.5, 513000.25))
for args in [(0, 0, 10, 0, 5, 5, 0), (0, 0, 10, 0, 6, 8, 0), (0, 0, 10, 0, 6, 8, 1),
             (0, 0, 10, 0, 5, 12, 0), (0, 0, 10, 0, 5, 12, 1), (100, 200, 130, 240, 30, 25, 1)]:
    print("dist", args, circles(*args))
for args in [(0, 0, 10, 0, 5, 2, 0), (0, 0, 10, 0, 5, 2, 1), (0, 0, 10, 0, 7, 2, 0),
             (100, 200, 130, 240, 12.5, 3.25, 1)]:
    print("offset distance", args, offset_distance(*args))
for args in [(0, 0, 10, 0, 5, 90.0, 0), (0, 0, 10, 0, 5, 90.0, 1), (0, 0, 10, 0, 5, 30.0, 0),
             (100, 200, 130, 240, 8, 15.3045, 1)]:
    print("offset angle", args, offset_angle(*args))
for p3 in [(20, 0), (15, 5), (15, -5), (5, 5), (100.5, -33.25)]:
    print("deflection", p3, deflection((0, 0), (10, 0), p3))
print("area", area([(0, 0), (0, 1), (1, 1), (1, 0)]), area([(0, 0), (1, 0), (1, 1), (0, 1)]),
      area([(3345678.1, 512345.6), (3345700.4, 512390.2), (3345650.0, 512420.9), (3345630.7, 512360.3)]))
