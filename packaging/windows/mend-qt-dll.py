#!/usr/bin/env python3
"""Copies a Qt DLL of ../shared/qt6-mingw into a folder, mending it on the way if it is damaged.

Qt6Widgets.dll and Qt6Test.dll there had their build path shortened in place: every string that
named a source file under the build folder lost the same number of bytes at the front of
"/qt-source/...", and every byte after each such string moved up. The PE headers still point where
things were, so the loader reads a TLS directory out of the middle of a message and the program
crashes before main. The mend puts the missing bytes back (zeros after each shortened string),
which brings every later byte back to where the headers expect it. A DLL that is whole is copied
as it is; one that cannot be mended this way stops the build.

    mend-qt-dll.py DLL FOLDER
"""
import os
import re
import shutil
import struct
import sys


def layout(data):
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections = struct.unpack_from("<H", data, pe + 6)[0]
    symbols, count = struct.unpack_from("<II", data, pe + 12)
    optional_size = struct.unpack_from("<H", data, pe + 20)[0]
    optional = pe + 24
    base = struct.unpack_from("<Q", data, optional + 24)[0]
    tls_rva = struct.unpack_from("<I", data, optional + 112 + 9 * 8)[0]
    table = []
    for i in range(sections):
        entry = optional + optional_size + 40 * i
        name = data[entry:entry + 8].rstrip(b"\0")
        size, rva, raw_size, raw = struct.unpack_from("<IIII", data, entry + 8)
        table.append((name, rva, max(size, raw_size), raw))
    return base, tls_rva, symbols, count, table


def file_offset(table, rva):
    for _, start, size, raw in table:
        if start <= rva < start + size:
            return raw + rva - start
    raise ValueError("RVA %#x lies in no section" % rva)


def tls_start(base, table):
    """The first two fields of the TLS directory: where the .tls data starts and ends."""
    for name, rva, _, _ in table:
        if name == b".tls":
            return struct.pack("<QQ", base + rva, base + rva + 8)
    return None


def whole(data):
    base, tls_rva, symbols, count, table = layout(data)
    expected = tls_start(base, table)
    if expected is not None and tls_rva:
        at = file_offset(table, tls_rva)
        if data[at:at + 16] != expected:
            return False
    if symbols:
        end = symbols + 18 * count
        if end + 4 > len(data) or end + struct.unpack_from("<I", data, end)[0] != len(data):
            return False
    return True


def mend(data):
    base, tls_rva, _, _, table = layout(data)
    expected = tls_start(base, table)
    if expected is None or not tls_rva:
        return None
    moved = file_offset(table, tls_rva) - data.find(expected)
    strings = [m.end() for m in re.finditer(rb"/qt-source/[^\0]*\0", data)]
    if moved <= 0 or not strings or moved % len(strings):
        return None
    lost = moved // len(strings)
    mended = bytearray(data)
    for end in reversed(strings):
        mended[end:end] = bytes(lost)
    return bytes(mended) if whole(mended) else None


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    source, folder = sys.argv[1], sys.argv[2]
    target = os.path.join(folder, os.path.basename(source))
    os.makedirs(folder, exist_ok=True)
    with open(source, "rb") as f:
        data = f.read()
    if whole(data):
        shutil.copyfile(source, target)
        return
    mended = mend(data)
    if mended is None:
        sys.exit("%s is damaged and cannot be mended: rebuild it" % source)
    with open(target, "wb") as f:
        f.write(mended)
    print("-- %s was damaged (strings shortened in place): mended copy in %s" % (source, target))


if __name__ == "__main__":
    main()
