#!/usr/bin/env python3
"""Body files (*.zel): a headerless run of 59-byte records, one per body.

A record is the name as 15 bytes of code page 1252, padded with blanks, then
little-endian doubles Mass (Earth masses), X, Y (metres), Speed (m/s),
Direction (degrees from +X towards +Y), then the colour as int32 0x00BBGGRR,
where 0 stands for white.

Used by the end-to-end tests, the soak test and the sample generator:

    zelfile.py write FILE "NAME MASS X Y SPEED DIRECTION COLOUR" ...
    zelfile.py show FILE        one line a record: name, colour, the numbers
"""
import struct
import sys
from collections import namedtuple

RECORD_SIZE = 59
NAME_BYTES = 15
_LAYOUT = struct.Struct('<%ds5di' % NAME_BYTES)
assert _LAYOUT.size == RECORD_SIZE

Body = namedtuple('Body', 'name mass x y speed direction color')


def encode(name, mass, x, y, speed, direction, color=0):
    """One record; a longer name is cut to its first 15 bytes."""
    raw = name.encode('cp1252')[:NAME_BYTES].ljust(NAME_BYTES, b' ')
    return _LAYOUT.pack(raw, mass, x, y, speed, direction, color)


def write(path, bodies):
    """Writes (name, mass, x, y, speed, direction, colour) tuples as a file."""
    with open(path, 'wb') as out:
        for body in bodies:
            out.write(encode(*body))


def read(path):
    """The whole records of the file as Body tuples; names keep their blanks."""
    with open(path, 'rb') as stream:
        data = stream.read()
    whole = len(data) - len(data) % RECORD_SIZE
    bodies = []
    for k in range(0, whole, RECORD_SIZE):
        raw, *numbers = _LAYOUT.unpack_from(data, k)
        bodies.append(Body(raw.decode('cp1252'), *numbers))
    return bodies


def _parse(entry):
    name, mass, x, y, speed, direction, color = entry.split()
    return name, float(mass), float(x), float(y), float(speed), float(direction), int(color, 0)


def main(argv):
    if len(argv) >= 3 and argv[1] == 'write':
        write(argv[2], [_parse(entry) for entry in argv[3:]])
    elif len(argv) == 3 and argv[1] == 'show':
        for body in read(argv[2]):
            print(body.name.rstrip(), body.color, body.mass, body.x, body.y, body.speed, body.direction)
    else:
        sys.exit(__doc__)


if __name__ == '__main__':
    main(sys.argv)
