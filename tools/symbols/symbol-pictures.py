#!/usr/bin/env python3
"""Turns the symbol pictures of a symbols.dat file into PNG data compiled in as C++.

Usage: symbol-pictures.py symbols.dat output.cpp

Reads the primary "/" and alternate "\\" tables and the overlay characters "#";
each picture is 20 rows of 20 colour letters, "." being transparent.
Needs only the Python standard library, so a cross build runs it on its host.
"""
import struct
import sys
import zlib

TABLES = "/\\#"
SIZE = 20

# The colour each letter stands for, as red, green, blue.
PALETTE = {
    "a": (0xCD, 0x65, 0x00), "b": (0xA0, 0x20, 0xF0), "c": (0xCC, 0xCC, 0xCC),
    "d": (0xCD, 0x00, 0x00), "e": (0xFF, 0x40, 0x40), "f": (0xCD, 0x33, 0x33),
    "g": (0x00, 0x00, 0x8B), "h": (0x00, 0xBF, 0xFF), "i": (0x00, 0x64, 0x00),
    "j": (0xEE, 0x00, 0x00), "k": (0x00, 0xCD, 0x00), "l": (0x00, 0x00, 0xCD),
    "m": (0xFF, 0xFF, 0xFF), "n": (0x87, 0x87, 0x87), "o": (0x5A, 0x5A, 0x5A),
    "p": (0x45, 0x45, 0x45), "q": (0x00, 0x00, 0x00), "r": (0x32, 0xCD, 0x32),
    "#": (0xFF, 0xFF, 0x00),
}


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png(rows):
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for letter in row:
            colour = PALETTE.get(letter)
            raw.extend(colour + (255,) if colour else (0, 0, 0, 0))
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def pictures(lines):
    table = None
    index = 0
    while index < len(lines):
        line = lines[index]
        index += 1
        if line.startswith("TABLE "):
            table = line[6:7]
        elif line.startswith("APRS ") and table in TABLES:
            rows = [row.ljust(SIZE, ".")[:SIZE] for row in lines[index:index + SIZE]]
            if len(rows) != SIZE:
                sys.exit(f"symbols.dat: picture {table}{line[5]} is cut short")
            index += SIZE
            yield table + line[5], png(rows)


def c_char(character):
    return "'\\\\'" if character == "\\" else "'\\''" if character == "'" else f"'{character}'"


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: symbol-pictures.py symbols.dat output.cpp")
    with open(sys.argv[1], encoding="latin-1") as source:
        lines = source.read().splitlines()
    found = list(pictures(lines))
    if not found:
        sys.exit(f"{sys.argv[1]}: no symbol pictures found")
    out = ["// Generated from symbols.dat by tools/symbols/symbol-pictures.py; do not edit.",
           "// The pictures are from xastir-data, GPL-2+: see the package's copyright file.",
           '#include "SymbolPictureData.h"', "", "namespace {"]
    for number, (_, data) in enumerate(found):
        out.append(f"const unsigned char kPng{number}[] = {{{','.join(map(str, data))}}};")
    out += ["", "const SymbolPictureData kPictures[] = {"]
    for number, (code, _) in enumerate(found):
        out.append(f"    {{{c_char(code[0])}, {c_char(code[1])}, kPng{number}}},")
    out += ["};", "} // namespace", "",
            "std::span<const SymbolPictureData> symbolPictureData() { return kPictures; }", ""]
    with open(sys.argv[2], "w", encoding="ascii") as target:
        target.write("\n".join(out))


main()
