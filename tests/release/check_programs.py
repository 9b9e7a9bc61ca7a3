"""The cheap half of the reproducibility check, on the programs as built:

- the PE header's TimeDateStamp is 0 (the linker wrote no time);
- its CheckSum is the one computed over the file's bytes (so it follows the
  code alone; 0 would also be stable, any other value is not the file's);
- no absolute build path in the file: neither the source folder nor the
  build folder, as the compiler sees them (/...), as Wine shows them (Z:\\...),
  in 8-bit or UTF-16LE text.

  check_programs.py --forbid SOURCE_DIR --forbid BUILD_DIR PROGRAM...

Prints one line per program and exits 1 when one of them fails a check.
scripts/check-reproducible.sh makes the whole check: two fresh clones built
and compared byte for byte."""

import argparse
import os
import struct
import sys
from array import array
from pathlib import Path


def pe_header(data):
    """(offset of the PE signature, TimeDateStamp, CheckSum, offset of CheckSum)."""
    if data[:2] != b"MZ" or len(data) < 0x40:
        raise ValueError("not an MZ file")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    timestamp = struct.unpack_from("<I", data, pe + 8)[0]
    checksum_at = pe + 4 + 20 + 64  # signature, file header, optional header up to CheckSum
    return pe, timestamp, struct.unpack_from("<I", data, checksum_at)[0], checksum_at


def pe_checksum(data, checksum_at):
    """The PE image checksum (as imagehlp's CheckSumMappedFile): the file's
    16-bit words without the CheckSum field, added with end-around carry,
    plus the file's length."""
    padded = data + b"\0" * (len(data) % 2)
    words = array("H")
    words.frombytes(padded)
    if sys.byteorder != "little":
        words.byteswap()
    total = sum(words) - words[checksum_at // 2] - words[checksum_at // 2 + 1]
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return (total + len(data)) & 0xFFFFFFFF


def path_forms(folder):
    """The byte strings under which a build folder could stand in a program."""
    forms = set()
    for path in {str(Path(folder)), os.path.realpath(folder)}:
        path = path.rstrip("/")
        for text in (path, "Z:" + path.replace("/", "\\")):
            forms.add(text.encode("utf-8"))
            forms.add(text.encode("utf-16-le"))
    return forms


def faults(data, forbidden):
    found = []
    try:
        _, timestamp, checksum, checksum_at = pe_header(data)
    except ValueError as error:
        return [str(error)]
    if timestamp != 0:
        found.append(f"TimeDateStamp is 0x{timestamp:08x}, not 0: a link time")
    computed = pe_checksum(data, checksum_at)
    if checksum not in (0, computed):
        found.append(f"CheckSum is 0x{checksum:08x}; the file's is 0x{computed:08x}")
    for folder in forbidden:
        for form in path_forms(folder):
            at = data.find(form)
            if at >= 0:
                found.append(f"the build path {folder} at byte {at}")
                break
    return found


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--forbid", action="append", default=[],
                        help="a folder whose path must not stand in the programs")
    parser.add_argument("programs", nargs="+", type=Path)
    args = parser.parse_args(argv)
    failed = False
    for program in args.programs:
        data = program.read_bytes()
        found = faults(data, args.forbid)
        if found:
            failed = True
            for fault in found:
                print(f"{program.name}: {fault}")
        else:
            _, timestamp, checksum, _ = pe_header(data)
            print(f"{program.name}: TimeDateStamp 0x{timestamp:08x}, CheckSum 0x{checksum:08x} "
                  f"(the file's), no build path ({len(data)} bytes)")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
