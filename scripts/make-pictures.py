#!/usr/bin/env python3
"""Regenerates the raster pictures of the program from their SVG drawings.

Every raster picture under resources/images/ has one drawing under
resources/images/src/, named after the picture with ".svg" appended:

    src/arrow.png.svg   ->  arrow.png   (rendered at the drawing's own size)
    src/ico.ico.svg     ->  ico.ico     (256, 64, 48, 32 and 16 px images)
    src/rr.gif.svg      ->  rr.gif      (animated; frames described below)

SVG pictures of the program are drawings themselves and are left alone.
The script also rewrites the pictures block of resources/resources.qrc so that it lists every picture.

Rendering is done by a small Qt program (QSvgRenderer) that the script builds
with the system's Qt 5 development packages, so the pictures look exactly as
the program draws the same SVG files. Animated GIFs are encoded here.

This is a developer tool: the pictures are committed, the build never runs it.

Usage: scripts/make-pictures.py [--check] [picture ...]
  --check   render into a scratch directory and report pictures whose pixels
            differ from the committed files, without writing anything
"""

import argparse
import math
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
IMAGES = os.path.join(ROOT, "resources", "images")
SOURCES = os.path.join(IMAGES, "src")
QRC = os.path.join(ROOT, "resources", "resources.qrc")

SVG_NS = "http://www.w3.org/2000/svg"
ET.register_namespace("", SVG_NS)
ET.register_namespace("xlink", "http://www.w3.org/1999/xlink")

ICO_SIZES = (256, 64, 48, 32, 16)

# ---------------------------------------------------------------------------
# Animations. Each drawing marks its moving parts with ids; a frame function
# gets the phase t in [0, 1) and returns {id: {attribute: value}} to apply.


def _spinner(t):
    return {"spin": {"transform": "rotate(%.2f 32 32)" % (360.0 * t)}}


def _wheel(t):
    # The wheel turns in the picture's plane about its hub.
    return {"rotor": {"transform": "rotate(%.2f 116.5 66.5)" % (360.0 * t)}}


def _turntable(t):
    # The sensor travels round a disc seen from the side: it passes in front
    # of the shaft in the lower half of the ellipse and behind it in the upper.
    a = 2.0 * math.pi * t
    x = 56.0 * math.cos(a)
    y = 14.0 * math.sin(a)
    front = math.sin(a) >= 0.0
    move = "translate(%.2f %.2f)" % (x, y)
    return {
        "sensor_front": {"transform": move, "opacity": "1" if front else "0"},
        "sensor_back": {"transform": move, "opacity": "0" if front else "1"},
    }


def _master_slave(t):
    # Frame 1 sends the first wave; the three waves move over to the slave in
    # frames 1 to 4, and its lamp answers in frames 4 to 6.
    frame = int(round(t * 8)) % 8
    attrs = {"wave%d" % i: {"opacity": "1" if frame - 1 in (i, i + 1) else "0.2"} for i in range(3)}
    attrs["lamp_on"] = {"opacity": "1" if frame in (4, 5, 6) else "0"}
    return attrs


ANIMATIONS = {
    "rr.gif": dict(frames=12, delay=80, frame=_spinner),
    "kvble_vertic_rotation.gif": dict(frames=24, delay=60, frame=_wheel),
    "kvble_vertic_rotation_white_theme.gif": dict(frames=24, delay=60, frame=_wheel),
    "kvble_horiz_rotation.gif": dict(frames=24, delay=60, frame=_turntable),
    "kvble_horiz_rotation_white_theme.gif": dict(frames=24, delay=60, frame=_turntable),
    "m-s.gif": dict(frames=8, delay=150, frame=_master_slave),
    "m-s_white_theme.gif": dict(frames=8, delay=150, frame=_master_slave),
}

# ---------------------------------------------------------------------------
# The renderer.

RENDERER_SOURCE = r"""
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

// render <in.svg> <out.png> <width> <height>
// raw <width> <height> <in.svg>...   (RGBA bytes of every frame on stdout)
// compare <a> <b>                    (exit 0 when every image of both files has the same pixels)
static QImage renderSvg(const QString &path, int w, int h)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return QImage();
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(0, 0, w, h));
    painter.end();
    return image;
}

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 6 && args[1] == "render") {
        const QImage image = renderSvg(args[2], args[4].toInt(), args[5].toInt());
        if (image.isNull() || !image.save(args[3], "PNG")) {
            std::fprintf(stderr, "cannot render %s\n", qPrintable(args[2]));
            return 1;
        }
        return 0;
    }
    if (args.size() >= 5 && args[1] == "raw") {
        const int w = args[2].toInt(), h = args[3].toInt();
        for (int i = 4; i < args.size(); ++i) {
            const QImage image = renderSvg(args[i], w, h).convertToFormat(QImage::Format_RGBA8888);
            if (image.isNull()) {
                std::fprintf(stderr, "cannot render %s\n", qPrintable(args[i]));
                return 1;
            }
            for (int y = 0; y < h; ++y)
                std::fwrite(image.constScanLine(y), 1, size_t(w) * 4, stdout);
        }
        return 0;
    }
    if (args.size() == 4 && args[1] == "compare") {
        QImageReader a(args[2]), b(args[3]);
        const int count = a.imageCount();
        if (count != b.imageCount())
            return 1;
        for (int i = 0; i < qMax(count, 1); ++i) {
            if (count > 1 && (!a.jumpToImage(i) || !b.jumpToImage(i)))
                return 1;
            const QImage x = a.read().convertToFormat(QImage::Format_ARGB32);
            const QImage y = b.read().convertToFormat(QImage::Format_ARGB32);
            if (x.isNull() || x != y)
                return 1;
        }
        return 0;
    }
    std::fprintf(stderr, "usage: render in.svg out.png w h | raw w h in.svg... | compare a b\n");
    return 2;
}
"""


def build_renderer(workdir):
    source = os.path.join(workdir, "svgrender.cpp")
    binary = os.path.join(workdir, "svgrender")
    with open(source, "w") as f:
        f.write(RENDERER_SOURCE)
    flags = subprocess.run(["pkg-config", "--cflags", "--libs", "Qt5Svg", "Qt5Gui"],
                           check=True, capture_output=True, text=True).stdout.split()
    subprocess.run(["g++", "-std=c++17", "-O2", "-fPIC", source, "-o", binary] + flags, check=True)
    return binary


def run_renderer(renderer, args):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return subprocess.run([renderer] + args, check=True, capture_output=True, env=env).stdout


# ---------------------------------------------------------------------------
# SVG helpers.


def svg_size(path):
    root = ET.parse(path).getroot()
    def px(value):
        m = re.match(r"\s*([0-9.]+)\s*(px)?\s*$", value or "")
        if not m:
            raise SystemExit("%s: width and height must be given in pixels" % path)
        return int(round(float(m.group(1))))
    return px(root.get("width")), px(root.get("height"))


def frame_svgs(source, animation, workdir):
    tree = ET.parse(source)
    by_id = {e.get("id"): e for e in tree.iter() if e.get("id")}
    paths = []
    for i in range(animation["frames"]):
        for ident, attrs in animation["frame"](i / animation["frames"]).items():
            if ident not in by_id:
                raise SystemExit("%s: no element with id '%s'" % (source, ident))
            for name, value in attrs.items():
                by_id[ident].set(name, value)
        path = os.path.join(workdir, "%s.%03d.svg" % (os.path.basename(source), i))
        tree.write(path, encoding="utf-8", xml_declaration=True)
        paths.append(path)
    return paths


# ---------------------------------------------------------------------------
# GIF encoding (palette of the most used colours, LZW, looping animation).


def build_palette(frames):
    """Returns (palette, index bytes per frame, transparent index or None).

    Pixels with alpha below one half are transparent; the others are opaque.
    Flat drawings use few colours, so the 255 most used colours are kept as
    they are and the rare edge shades map to their nearest palette colour."""
    counts = {}
    opaque = []
    any_transparent = False
    for data in frames:
        pixels = []
        for i in range(0, len(data), 4):
            if data[i + 3] < 128:
                pixels.append(None)
                any_transparent = True
                continue
            a = data[i + 3]
            rgb = (data[i], data[i + 1], data[i + 2]) if a == 255 else \
                  (min(255, data[i] * 255 // a), min(255, data[i + 1] * 255 // a), min(255, data[i + 2] * 255 // a))
            pixels.append(rgb)
            counts[rgb] = counts.get(rgb, 0) + 1
        opaque.append(pixels)
    first = 1 if any_transparent else 0
    kept = sorted(counts, key=lambda c: (-counts[c], c))[: 256 - first]
    palette = ([(0, 0, 0)] if any_transparent else []) + kept
    lookup = {c: first + i for i, c in enumerate(kept)}
    for colour in counts:
        if colour not in lookup:
            lookup[colour] = min(range(first, len(palette)), key=lambda j: sum((a - b) ** 2 for a, b in zip(colour, palette[j])))
    indices = [bytes(0 if p is None else lookup[p] for p in pixels) for pixels in opaque]
    while len(palette) < 256:
        palette.append((0, 0, 0))
    return palette, indices, (0 if any_transparent else None)


def lzw_encode(indices, min_code_size=8):
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bit_buffer = 0
    bit_count = 0

    def emit(code, width):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += width
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def reset():
        return {bytes([i]): i for i in range(clear)}, end + 1, min_code_size + 1

    table, next_code, width = reset()
    emit(clear, width)
    prefix = b""
    for value in indices:
        candidate = prefix + bytes([value])
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix], width)
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            # The decoder widens its codes one code later than the encoder adds them.
            if next_code > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear, width)
            table, next_code, width = reset()
        prefix = bytes([value])
    if prefix:
        emit(table[prefix], width)
    emit(end, width)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def encode_gif(width, height, frames, delay_ms):
    palette, indices, transparent = build_palette(frames)
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", width, height, 0xF7, 0, 0)  # global table of 256 colours
    for r, g, b in palette:
        out += bytes((r, g, b))
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop for ever
    for data in indices:
        # Frames replace each other whole: with transparency the previous
        # frame is cleared first, so moving parts leave no trail.
        disposal = 2 if transparent is not None else 1
        flags = (disposal << 2) | (1 if transparent is not None else 0)
        out += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, flags, max(2, delay_ms // 10), transparent or 0, 0)
        out += struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
        out += b"\x08"
        compressed = lzw_encode(data)
        for i in range(0, len(compressed), 255):
            chunk = compressed[i:i + 255]
            out += bytes((len(chunk),)) + chunk
        out += b"\x00"
    out += b"\x3B"
    return bytes(out)


# ---------------------------------------------------------------------------
# ICO: several PNG images in one icon file, the largest first (it is the one
# a reader takes when it asks for a single picture).


def encode_ico(pngs):
    out = bytearray(struct.pack("<HHH", 0, 1, len(pngs)))
    offset = 6 + 16 * len(pngs)
    for size, data in pngs:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in pngs:
        out += data
    return bytes(out)


# ---------------------------------------------------------------------------


def make(name, renderer, workdir):
    source = os.path.join(SOURCES, name + ".svg")
    ext = os.path.splitext(name)[1].lower()
    if ext == ".png":
        w, h = svg_size(source)
        out = os.path.join(workdir, name)
        run_renderer(renderer, ["render", source, out, str(w), str(h)])
        with open(out, "rb") as f:
            return f.read()
    if ext == ".ico":
        pngs = []
        for size in ICO_SIZES:
            out = os.path.join(workdir, "%s.%d.png" % (name, size))
            run_renderer(renderer, ["render", source, out, str(size), str(size)])
            with open(out, "rb") as f:
                pngs.append((size, f.read()))
        return encode_ico(pngs)
    if ext == ".gif":
        if name not in ANIMATIONS:
            raise SystemExit("%s: no frame description for this animation" % name)
        animation = ANIMATIONS[name]
        w, h = svg_size(source)
        paths = frame_svgs(source, animation, workdir)
        raw = run_renderer(renderer, ["raw", str(w), str(h)] + paths)
        step = w * h * 4
        frames = [raw[i * step:(i + 1) * step] for i in range(animation["frames"])]
        return encode_gif(w, h, frames, animation["delay"])
    raise SystemExit("%s: unknown picture type" % name)


def same_picture(renderer, workdir, name, data, target):
    if not os.path.exists(target):
        return False
    with open(target, "rb") as f:
        if f.read() == data:
            return True
    # Another zlib or Qt version may pack the same pixels differently.
    fresh = os.path.join(workdir, "fresh-" + name)
    with open(fresh, "wb") as f:
        f.write(data)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    return subprocess.run([renderer, "compare", fresh, target], capture_output=True, env=env).returncode == 0


def write_qrc():
    """Rewrites the pictures block of the resource bundle; the rest stays."""
    names = sorted(n for n in os.listdir(IMAGES) if os.path.isfile(os.path.join(IMAGES, n)))
    with open(QRC) as f:
        text = f.read()
    marker = "<!-- pictures: this block is rewritten by scripts/make-pictures.py -->"
    head, _, rest = text.partition(marker)
    if not rest:
        raise SystemExit("no pictures block in " + QRC)
    tail = rest.split("</qresource>", 1)[1]
    lines = [marker, '    <qresource prefix="/">']
    lines += ["        <file>images/%s</file>" % n for n in names]
    lines.append("    </qresource>")
    with open(QRC, "w") as f:
        f.write(head + "\n".join(lines) + tail)
    return len(names)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--check", action="store_true")
    parser.add_argument("pictures", nargs="*")
    options = parser.parse_args()

    available = sorted(n[:-4] for n in os.listdir(SOURCES) if n.endswith(".svg"))
    wanted = options.pictures or available
    unknown = [n for n in wanted if n not in available]
    if unknown:
        raise SystemExit("no drawing for: " + ", ".join(unknown))

    workdir = tempfile.mkdtemp(prefix="pictures-")
    try:
        renderer = build_renderer(workdir)
        differ = []
        for name in wanted:
            data = make(name, renderer, workdir)
            target = os.path.join(IMAGES, name)
            if options.check:
                if not same_picture(renderer, workdir, name, data, target):
                    differ.append(name)
                continue
            with open(target, "wb") as f:
                f.write(data)
            print("made", name)
        if options.check:
            for name in differ:
                print("differs:", name)
            return 1 if differ else 0
        print("listed %d pictures in %s" % (write_qrc(), os.path.relpath(QRC, ROOT)))
        return 0
    finally:
        shutil.rmtree(workdir, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
