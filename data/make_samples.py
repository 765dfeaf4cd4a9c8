#!/usr/bin/env python3
"""Writes the sample body files of Zelor2 next to this script.

    python3 data/make_samples.py

Each body file is a plain run of 59-byte records (tools/zelfile.py writes
them): name, mass in Earth masses of 5.977e24 kg, X and Y in metres, speed in
m/s, direction in degrees and the colour 0x00BBGGRR, with white written as 0.

The screen's y axis grows downward, so a position given in the usual way
(counter-clockwise angles, y up, as seen from the north) is drawn with y
negated: the planets then go round counter-clockwise on the screen as they do
in every picture of the solar system. The README says where every number
comes from.
"""

import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import zelfile  # noqa: E402

KG_PER_EARTH_MASS = 5.977e24  # the program's unit of mass
AU_M = 1.495978707e11  # the astronomical unit (IAU 2012), for real distances
SUN_KG = 1988500e24
G = 6.67e-11  # the program's gravitational constant

WHITE = 0x00FFFFFF


def rgb(red, green, blue):
    """A colour in the file's byte order 0x00BBGGRR."""
    return (blue << 16) | (green << 8) | red


def record(name, mass_kg, x, y, vx, vy, color):
    """One 59-byte record from SI values in screen coordinates (y down)."""
    speed = math.hypot(vx, vy)
    direction = math.degrees(math.atan2(vy, vx)) if speed > 0 else 0.0
    color = 0 if color == WHITE else color
    return zelfile.encode(name, mass_kg / KG_PER_EARTH_MASS, x, y, speed, direction, color)


def on_circle(radius, longitude_deg, speed):
    """Position and velocity in screen coordinates of a body at the given
    longitude (counter-clockwise, as seen from the north) moving
    counter-clockwise with the given speed: x, y, vx, vy."""
    a = math.radians(longitude_deg)
    x, y = radius * math.cos(a), radius * math.sin(a)
    vx, vy = -speed * math.sin(a), speed * math.cos(a)
    return x, -y, vx, -vy


# NASA Planetary Fact Sheet: mass (1e24 kg), mean distance from the Sun
# (1e6 km), mean orbital velocity (km/s); mean longitude at J2000 (degrees)
# from JPL's table of approximate planetary elements. Colours are our own.
PLANETS = [
    # name, mass, distance, speed, longitude, colour
    ("Merkur", 0.330, 57.9, 47.4, 252.25032350, rgb(0xB0, 0xA8, 0xA0)),
    ("Venus", 4.87, 108.2, 35.0, 181.97909950, rgb(0xF0, 0xDC, 0x8C)),
    ("Erde", 5.97, 149.6, 29.8, 100.46457166, rgb(0x3C, 0x8C, 0xFF)),
    ("Mars", 0.642, 228.0, 24.1, -4.55343205, rgb(0xE8, 0x50, 0x30)),
    ("Jupiter", 1898, 778.5, 13.1, 34.39644051, rgb(0xD8, 0xA8, 0x70)),
    ("Saturn", 568, 1432.0, 9.7, 49.95424423, rgb(0xE8, 0xD0, 0x60)),
    ("Uranus", 86.8, 2867.0, 6.8, 313.23810451, rgb(0x90, 0xE0, 0xE0)),
    ("Neptun", 102, 4515.0, 5.4, -55.12002969, rgb(0x40, 0x60, 0xFF)),
]
SUN_COLOR = rgb(0xFF, 0xDC, 0x30)

# NASA Moon Fact Sheet: mass, semi-major axis and mean orbital velocity about
# the Earth; mean longitude at J2000 from Meeus, Astronomical Algorithms.
MOON = ("Mond", 0.07346e24, 0.3844e9, 1022.0, 218.3164477, rgb(0xC8, 0xC8, 0xC8))

# Voyager 1's mass at launch.
VOYAGER_KG = 825.5


def sun():
    return record("Sonne", SUN_KG, 0, 0, 0, 0, SUN_COLOR)


def planet(name, mass, distance, speed, longitude, color):
    x, y, vx, vy = on_circle(distance * 1e9, longitude, speed * 1e3)
    return record(name, mass * 1e24, x, y, vx, vy, color), (x, y, vx, vy)


def moon_of(earth):
    name, mass, distance, speed, longitude, color = MOON
    ex, ey, evx, evy = earth
    x, y, vx, vy = on_circle(distance, longitude, speed)
    return record(name, mass, ex + x, ey + y, evx + vx, evy + vy, color)


def voyager(earth):
    """A probe just inside the Earth's orbit, leaving the Sun: 44 km/s is
    above the escape speed there (about 42 km/s). Pointed 40 degrees inward
    from the Earth's own direction of motion, it first swings round the Sun
    inside the orbit of Venus, across the default sky, and then leaves past
    the outer planets for good."""
    ex, ey, evx, evy = earth
    r = math.hypot(ex, ey)
    ux, uy = ex / r, ey / r  # outward
    tx, ty = evx / math.hypot(evx, evy), evy / math.hypot(evx, evy)  # prograde
    out = math.radians(-40)
    speed = 44e3
    vx = speed * (math.cos(out) * tx + math.sin(out) * ux)
    vy = speed * (math.cos(out) * ty + math.sin(out) * uy)
    start = r - 0.02 * AU_M
    return record("Voyager", VOYAGER_KG, ux * start, uy * start, vx, vy, WHITE)


def voyager_file():
    records = [sun()]
    earth = None
    for p in PLANETS:
        rec, state = planet(*p)
        records.append(rec)
        if p[0] == "Erde":
            earth = state
    records.append(voyager(earth))
    return records


def inner_planets_file():
    records = [sun()]
    for p in PLANETS[:4]:
        rec, state = planet(*p)
        records.append(rec)
        if p[0] == "Erde":
            records.append(moon_of(state))
    return records


def circular_speed(central_kg, radius):
    """The speed on a circle round a mass, with the program's constant G."""
    return math.sqrt(G * central_kg / radius)


def binary_star_file():
    """Two red dwarfs on a circular mutual orbit 1 AU wide, each with a
    planet of its own close in: the planets draw loops round their stars as
    the stars go round each other. The system is invented; its speeds follow
    from Newton's law with the program's own constants."""
    m_a, m_b = 0.6 * SUN_KG, 0.4 * SUN_KG
    separation = 1.0 * 1.5e11
    total = m_a + m_b
    v_rel = circular_speed(total, separation)
    # Both stars on the x axis, the centre of mass at the origin, the pair
    # turning counter-clockwise on the screen.
    ax, bx = -separation * m_b / total, separation * m_a / total
    avy, bvy = v_rel * m_b / total, -v_rel * m_a / total
    records = [record("Stern A", m_a, ax, 0, 0, avy, rgb(0xFF, 0xC8, 0x64)),
               record("Stern B", m_b, bx, 0, 0, bvy, rgb(0xFF, 0x64, 0x46))]
    planets = [("Planet Aa", 10, m_a, ax, avy, 0.15, 0, rgb(0x64, 0xC8, 0xFF)),
               ("Planet Ba", 5, m_b, bx, bvy, 0.12, 180, rgb(0x8C, 0xFF, 0x8C))]
    for name, earth_masses, star_kg, sx, svy, radius_au, longitude, color in planets:
        radius = radius_au * 1.5e11
        x, y, vx, vy = on_circle(radius, longitude, circular_speed(star_kg, radius))
        records.append(record(name, earth_masses * KG_PER_EARTH_MASS, sx + x, y, vx, svy + vy, color))
    return records


def figure_eight_file():
    """The figure-eight of Chenciner and Montgomery: three equal masses
    chasing each other along one curve. The published initial values (G = 1,
    masses 1) are scaled to three red dwarfs of 0.2 solar masses and a
    length unit of 0.9 AU of the screen (1.5e11 m): the eight fills most of
    the default sky, and one round takes about 700 days, 350 steps of the
    default interval, which keeps the dance together for thousands of rounds."""
    mass = 0.2 * SUN_KG
    length = 0.9 * 1.5e11
    velocity = math.sqrt(G * mass / length)
    x1, y1 = 0.97000436, -0.24308753
    vx3, vy3 = -0.93240737, -0.86473146
    bodies = [
        ("Stern A", x1, y1, -vx3 / 2, -vy3 / 2, rgb(0xFF, 0x64, 0x64)),
        ("Stern B", -x1, -y1, -vx3 / 2, -vy3 / 2, rgb(0x64, 0xFF, 0x64)),
        ("Stern C", 0.0, 0.0, vx3, vy3, rgb(0x64, 0x96, 0xFF)),
    ]
    return [record(name, mass, x * length, -y * length, vx * velocity, -vy * velocity, color)
            for name, x, y, vx, vy, color in bodies]


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    files = {
        "Voyager.zel": voyager_file(),
        "InnerPlanets.zel": inner_planets_file(),
        "BinaryStar.zel": binary_star_file(),
        "FigureEight.zel": figure_eight_file(),
    }
    for name, records in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(b"".join(records))
        print(f"{name}: {len(records)} bodies")


if __name__ == "__main__":
    main()
