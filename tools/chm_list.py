#!/usr/bin/env python3
"""Lists what an HTML Help (.chm) file holds: its language id on the first
line ("language 0x0404"), then the path of every file in its directory,
one per line. Reads only the file's directory, never the compressed content.

Usage: chm_list.py FILE.chm"""
import struct
import sys


def encint(data, pos):
    """A variable-length number: 7 bits a byte, the high bit says more follow."""
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def entries(data):
    if data[:4] != b"ITSF":
        raise ValueError("not an HTML Help file (no ITSF header)")
    language = struct.unpack_from("<I", data, 0x14)[0]
    directory_offset = struct.unpack_from("<Q", data, 0x48)[0]
    if data[directory_offset:directory_offset + 4] != b"ITSP":
        raise ValueError("no ITSP directory header")
    header_length, _, chunk_size = struct.unpack_from("<III", data, directory_offset + 8)
    chunk_count = struct.unpack_from("<I", data, directory_offset + 0x2C)[0]
    names = []
    for index in range(chunk_count):
        start = directory_offset + header_length + index * chunk_size
        chunk = data[start:start + chunk_size]
        if chunk[:4] != b"PMGL":  # an index chunk: no entries of its own
            continue
        free_space = struct.unpack_from("<I", chunk, 4)[0]
        pos, end = 20, chunk_size - free_space
        while pos < end:
            length, pos = encint(chunk, pos)
            names.append(chunk[pos:pos + length].decode("utf-8"))
            pos += length
            for _ in range(3):  # section, offset, length
                _, pos = encint(chunk, pos)
    return language, names


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    with open(sys.argv[1], "rb") as file:
        language, names = entries(file.read())
    print(f"language 0x{language:04x}")
    for name in names:
        print(name)
    return 0


if __name__ == "__main__":
    sys.exit(main())
