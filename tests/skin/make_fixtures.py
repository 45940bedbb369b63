#!/usr/bin/env python3
"""Cabinet fixtures of the skin package tests, made by gcab and by the
packaging tool:

    make_fixtures.py OUTDIR MKSKINPKG SAMPLE_SKIN_FOLDER

  skin.cab        the sample skin folder packed by tools/mkskinpkg
  nodisable.cab   the four required members only, plain text contents
  order.cab       "myskin.txt" stands before "skin.xml"
  threeblock.cab  "first.bin" (30000 bytes) then "middle.bin" (40000 bytes):
                  middle.bin runs from the first 32 KiB block over the second
                  into the third
  zipped.cab      nodisable.cab's members, compressed
  sample_skin.xml the sample skin file itself (the seed of the fuzz test)

The contents of the generated members follow pattern() below; the tests
compute the same bytes.
"""

import os
import shutil
import subprocess
import sys
import tempfile


def pattern(seed, size):
    return bytes(((i * 31 + (i >> 8) + seed) & 0xFF) for i in range(size))


def gcab(output, folder, members, compress=False):
    command = ["gcab", "--create", "--nopath"] + (["--zip"] if compress else []) + [output] + members
    subprocess.run(command, cwd=folder, check=True)


def write_members(folder, members):
    for name, data in members:
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
    return [name for name, _ in members]


def main():
    outdir, mkskinpkg, sample = sys.argv[1:4]
    outdir = os.path.abspath(outdir)
    os.makedirs(outdir, exist_ok=True)

    subprocess.run([sys.executable, mkskinpkg, sample, os.path.join(outdir, "skin.cab")], check=True)
    shutil.copyfile(os.path.join(sample, "skin.xml"), os.path.join(outdir, "sample_skin.xml"))

    required = [
        ("skin.xml", b"<skins><skin><window x='1' y='2' w='3' h='4'/></skin></skins>"),
        ("default.bin", b"default picture"),
        ("pushed.bin", b"pushed picture"),
        ("mask.bin", b"mask picture"),
    ]
    with tempfile.TemporaryDirectory() as work:
        names = write_members(work, required)
        gcab(os.path.join(outdir, "nodisable.cab"), work, names)
        gcab(os.path.join(outdir, "zipped.cab"), work, names, compress=True)

    with tempfile.TemporaryDirectory() as work:
        names = write_members(work, [("myskin.txt", b"not the skin file")] + required)
        gcab(os.path.join(outdir, "order.cab"), work, names)

    with tempfile.TemporaryDirectory() as work:
        names = write_members(work, [("first.bin", pattern(1, 30000)), ("middle.bin", pattern(2, 40000))])
        gcab(os.path.join(outdir, "threeblock.cab"), work, names)


if __name__ == "__main__":
    main()
