#!/usr/bin/env python3
"""Makes the colour-profile fixtures of this folder and the profile seeds of
fuzz/seeds/jpeg and fuzz/seeds/png from files already in tests/data.

    python3 tests/data/profiles/make-fixtures.py

Every output is a corpus file with profile segments or chunks spliced in;
the pixel data is untouched. Running it again gives the same bytes.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
ROOT = os.path.dirname(os.path.dirname(DATA))
SEEDS = os.path.join(ROOT, "fuzz", "seeds")

ICC_ID = b"ICC_PROFILE\0"


def read(*path):
    with open(os.path.join(*path), "rb") as f:
        return f.read()


def write(data, *path):
    with open(os.path.join(*path), "wb") as f:
        f.write(data)


def jpeg_icc_parts(jpeg):
    """The (sequence, count, bytes) of every ICC_PROFILE APP2 segment."""
    parts, i = [], 2
    while i + 4 <= len(jpeg) and jpeg[i] == 0xFF and jpeg[i + 1] not in (0xDA, 0xD9):
        length = jpeg[i + 2] << 8 | jpeg[i + 3]
        body = jpeg[i + 4:i + 2 + length]
        if jpeg[i + 1] == 0xE2 and body.startswith(ICC_ID):
            parts.append((body[12], body[13], body[14:]))
        i += 2 + length
    return parts


def app2(sequence, count, data):
    body = ICC_ID + bytes([sequence, count]) + data
    return b"\xff\xe2" + struct.pack(">H", len(body) + 2) + body


def after_app0(jpeg, segments):
    """The JPEG with the segments put after SOI and a leading APP0."""
    at = 2
    if jpeg[2:4] == b"\xff\xe0":
        at = 4 + (jpeg[4] << 8 | jpeg[5])
    return jpeg[:at] + b"".join(segments) + jpeg[at:]


def split(data, count):
    size = -(-len(data) // count)
    return [data[i * size:(i + 1) * size] for i in range(count)]


def chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body +
            struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def after_ihdr(png, chunks):
    at = 8 + 8 + 13 + 4
    return png[:at] + b"".join(chunks) + png[at:]


def without(png, kind):
    """The PNG without its chunks of that kind."""
    out, i = png[:8], 8
    while i < len(png):
        length = struct.unpack(">I", png[i:i + 4])[0]
        if png[i + 4:i + 8] != kind:
            out += png[i:i + 12 + length]
        i += 12 + length
    return out


def iccp(name, profile):
    return chunk(b"iCCP", name + b"\0\0" + zlib.compress(profile, 9))


def synthetic_profile(space):
    """A small v2 profile header and one 'desc' tag, data colour space `space`."""
    # textDescriptionType: ASCII "test", no Unicode or ScriptCode text.
    desc = (b"desc" + b"\0" * 4 + struct.pack(">I", 5) + b"test\0" + struct.pack(">IIHB", 0, 0, 0, 0) +
            b"\0" * 67 + b"\0")  # padded to a multiple of 4
    size = 128 + 4 + 12 + len(desc)
    header = (struct.pack(">I", size) + b"none" + bytes([2, 0x10, 0, 0]) + b"mntr" + space +
              b"XYZ " + b"\0" * 12 + b"acsp" + b"\0" * 28 +
              struct.pack(">iii", 63190, 65536, 54061) + b"\0" * 48)
    assert len(header) == 128
    tags = struct.pack(">I", 1) + b"desc" + struct.pack(">II", 144, len(desc))
    return header + tags + desc


def main():
    srgb = b"".join(part for _, _, part in sorted(jpeg_icc_parts(read(DATA, "jpeg", "monkey12.jpg"))))
    assert len(srgb) == 3024 and srgb[16:20] == b"RGB "
    write(srgb, HERE, "sRGB2014.icc")

    mona = read(DATA, "jpeg", "mona-lisa.21x32.q90.jpeg")
    tagged = after_app0(mona, [app2(1, 1, srgb)])
    write(tagged, HERE, "mona-lisa-srgb2014.jpeg")
    thirds = split(srgb, 3)
    write(after_app0(mona, [app2(2, 3, thirds[1]), app2(3, 3, thirds[2]), app2(1, 3, thirds[0])]),
          SEEDS, "jpeg", "icc-three-parts-out-of-order.jpeg")
    write(after_app0(mona, [app2(1, 2, thirds[0])]), SEEDS, "jpeg", "icc-missing-part.jpeg")
    cmyk = read(DATA, "jpeg", "pil_sample_cmyk.jpg")
    write(after_app0(cmyk, [app2(1, 1, synthetic_profile(b"CMYK"))]), HERE, "cmyk-cmyk-profile.jpg")

    # The suite files carry a gAMA chunk of their own.
    rgb = without(read(DATA, "png", "basn2c08.png"), b"gAMA")
    write(after_ihdr(rgb, [iccp(b"sRGB2014", srgb)]), HERE, "basn2c08-srgb2014.png")
    grey = without(read(DATA, "png", "basn0g08.png"), b"gAMA")
    write(after_ihdr(grey, [iccp(b"grey", synthetic_profile(b"GRAY"))]), HERE,
          "basn0g08-grey-profile.png")
    srgb_chunk = chunk(b"sRGB", b"\0")
    gama = chunk(b"gAMA", struct.pack(">I", 45455))
    chrm = chunk(b"cHRM", struct.pack(">8I", 31270, 32900, 64000, 33000, 30000, 60000, 15000,
                                      6000))
    write(after_ihdr(rgb, [srgb_chunk, gama, chrm]), SEEDS, "png", "srgb-gama-chrm.png")
    write(after_ihdr(rgb, [gama, chrm]), SEEDS, "png", "gama-chrm.png")
    short = bytearray(srgb)
    short[3] ^= 1  # declared size no longer the byte count
    write(after_ihdr(rgb, [iccp(b"bad size", bytes(short))]), SEEDS, "png", "iccp-bad-size.png")
    write(after_ihdr(rgb, [iccp(b"synthetic", synthetic_profile(b"RGB "))]), SEEDS, "png",
          "iccp-synthetic.png")


if __name__ == "__main__":
    main()
