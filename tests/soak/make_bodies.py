#!/usr/bin/env python3
"""Writes a ring galaxy for the soak test: a heavy centre and light stars on
nearly circular orbits around it, in rainbow colours by angle.

Usage: make_bodies.py FILE [COUNT]   (COUNT bodies in all, 1000 by default)

The records are written by tools/zelfile.py.
"""
import colorsys
import math
import os
import random
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'tools'))
import zelfile  # noqa: E402

METRES_PER_AU = 1.5e11
EARTH_GRAV_PARAMETER = 3.986659e14  # m^3/s^2 per Earth mass
CENTRE_MASS = 332946.0  # a sun
STAR_MASS = 1e-3  # light enough to leave the centre's field as it is
GOLDEN_ANGLE = math.pi * (3 - math.sqrt(5))


def colour(angle):
    r, g, b = colorsys.hsv_to_rgb((angle / (2 * math.pi)) % 1.0, 0.75, 1.0)
    return int(r * 255) | int(g * 255) << 8 | int(b * 255) << 16


def ring(count):
    rng = random.Random(1000)  # the same galaxy every time
    yield ('Zentrum', CENTRE_MASS, 0, 0, 0, 0, 0)  # 0 stands for white
    for k in range(1, count):
        radius = (0.35 + 0.6 * rng.random()) * METRES_PER_AU
        angle = k * GOLDEN_ANGLE
        circular = math.sqrt(EARTH_GRAV_PARAMETER * CENTRE_MASS / radius)
        speed = circular * (1 + 0.04 * (rng.random() - 0.5))
        direction = math.degrees(angle) + 90  # at right angles to the radius
        yield ('Stern %04d' % k, STAR_MASS, radius * math.cos(angle), radius * math.sin(angle), speed,
                     direction % 360, colour(angle))


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    count = int(sys.argv[2]) if len(sys.argv) == 3 else 1000
    zelfile.write(sys.argv[1], ring(count))


if __name__ == '__main__':
    main()
