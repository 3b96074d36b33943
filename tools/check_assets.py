#!/usr/bin/python3
"""Checks the game's picture and sound files in data/.

  build-test/velmora-routes --pictures | /usr/bin/python3 tools/check_assets.py [DATA_DIR] --pictures -

The place plates and scenes are those of the story's places (`velmora-routes
--pictures` lists them, "plate NAME.gif" and "scene FILE.jpg" one a line;
--pictures FILE reads them from FILE, "-" from standard input).

Every file the game names must exist (found without regard to letter case, as
the game finds it), be a real file of its format and have its size.  Portrait
files must keep the light-cyan background rule: in their top-left 300 x 260,
background pixels exactly (0, 255, 255), no figure pixel near that colour and
no edge pixel that is a blend of the background with the figure.  Prepared
portraits must be the same figure on a transparent background.  BGM1.wav
must be 16-bit PCM that loops without a click.  Prints one line per failure
and a summary; exits 1 if anything failed.
"""
import argparse
import os
import sys
import wave

import numpy as np
from PIL import Image

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
CYAN = np.array([0, 255, 255])
FULLWIDTH = "０１２３４５６７８９"

# The pictures of the scene box that show no place: the digest's stills, the title.
STILLS = ["hitomi3.jpg", "ryouko2.jpg", "kaori3.jpg", "title.jpg", "title.JPG"]
ENDINGS = ["hitomi_e1.jpg", "kaori_e1.jpg"]
PORTRAITS = ["kumi1", "kaori1", "satuki1", "hitomi1", "ryouko1", "akira1"]
DATES = ["日付%s.gif" % FULLWIDTH[d] for d in range(1, 9)]
DESIGN = {  # name: (format, size)
    "background.png": ("PNG", (639, 471)),
    "title_art.jpg": ("JPEG", (333, 287)),
    "plate_date.png": ("PNG", (142, 39)),
    "plate_place.png": ("PNG", (142, 39)),
    "plate_time.png": ("PNG", (142, 39)),
    "icon.png": ("PNG", (32, 32)),
    "portrait_layer.png": ("PNG", (640, 480)),
}

failures = []
checked = [0]


def fail(msg):
    failures.append(msg)
    print("FAIL  " + msg)


def find(directory, name):
    """The file the game would open for `name` (letter case ignored), or None."""
    exact = os.path.join(directory, name)
    if os.path.isfile(exact):
        return exact
    low = name.lower()
    for entry in os.listdir(directory):
        if entry.lower() == low:
            return os.path.join(directory, entry)
    return None


def open_image(directory, name, fmt, size=None, max_size=None):
    checked[0] += 1
    path = find(directory, name)
    if path is None:
        fail("%s: missing" % name)
        return None
    try:
        img = Image.open(path)
        img.load()
    except Exception as e:  # a file that does not decode is a failure, not a crash
        fail("%s: cannot be read (%s)" % (name, e))
        return None
    if img.format != fmt:
        fail("%s: is %s, expected %s" % (name, img.format, fmt))
    if size and img.size != size:
        fail("%s: size %dx%d, expected %dx%d" % ((name,) + img.size + size))
    if max_size and (img.width > max_size[0] or img.height > max_size[1]):
        fail("%s: size %dx%d, larger than %dx%d" % ((name,) + img.size + max_size))
    return img


def blend_edges(rgb, bg):
    """Figure pixels beside the background whose colour lies between light cyan
    and a neighbouring figure colour: the halo left by anti-aliasing."""
    h, w = bg.shape
    fig = ~bg
    near_bg = np.zeros_like(bg)
    for dy, dx in ((0, 1), (0, -1), (1, 0), (-1, 0)):
        near_bg |= np.roll(np.roll(bg, dy, 0), dx, 1)
    edge = fig & near_bg
    ys, xs = np.nonzero(edge)
    bad = 0
    rgbf = rgb.astype(float)
    for y, x in zip(ys, xs):
        p = rgbf[y, x]
        for dy in (-1, 0, 1):
            for dx in (-1, 0, 1):
                yy, xx = y + 2 * dy, x + 2 * dx
                if (dy or dx) and 0 <= yy < h and 0 <= xx < w and fig[yy, xx] and not edge[yy, xx]:
                    q = rgbf[yy, xx]
                    axis = CYAN - q
                    n2 = axis.dot(axis)
                    if n2 < 60 ** 2:
                        continue
                    a = (p - q).dot(axis) / n2
                    resid = np.linalg.norm(p - q - a * axis)
                    if 0.15 <= a <= 0.9 and resid < 10:
                        bad += 1
                        break
            else:
                continue
            break
    return bad


def check_portrait(directory, base):
    line = open_image(directory, base + ".gif", "GIF")
    prep = open_image(directory, base + "_0.gif", "GIF")
    if line is None:
        return
    if line.width < 300 or line.height < 260:
        fail("%s.gif: %dx%d, smaller than the 300x260 the game copies" % ((base,) + line.size))
        return
    rgb = np.array(line.convert("RGB"))[:260, :300].astype(int)
    bg = np.all(rgb == CYAN, axis=2)
    if not bg[0, 0] or not bg[0, -1]:
        fail("%s.gif: top corners are not exact light cyan (0,255,255)" % base)
    share = 1 - bg.mean()
    if share < 0.10:
        fail("%s.gif: figure covers only %.0f%% of the picture" % (base, share * 100))
    dist = np.sqrt(((rgb - CYAN) ** 2).sum(axis=2))
    near = (~bg) & (dist < 110)
    if near.any():
        y, x = np.argwhere(near)[0]
        fail("%s.gif: %d figure pixels near light cyan, e.g. (%d,%d) = %s"
             % (base, near.sum(), x, y, tuple(rgb[y, x])))
    halo = blend_edges(rgb, bg)
    if halo:
        fail("%s.gif: %d edge pixels blended with the light-cyan background" % (base, halo))
    if prep is None:
        return
    if prep.size != line.size:
        fail("%s_0.gif: size %dx%d differs from %s.gif" % ((base,) + prep.size + (base,)))
        return
    rgba = np.array(prep.convert("RGBA"))
    alpha = rgba[:, :, 3]
    if not set(np.unique(alpha)) <= {0, 255}:
        fail("%s_0.gif: partly transparent pixels" % base)
    clear = alpha[:260, :300] == 0
    if not clear[0, 0]:
        fail("%s_0.gif: background is not transparent" % base)
    if not np.array_equal(clear, bg):
        fail("%s_0.gif: figure not in the same place as in %s.gif (%d pixels differ)"
             % (base, base, int((clear != bg).sum())))
    elif not np.array_equal(rgba[:260, :300, :3][~clear], rgb[~bg]):
        fail("%s_0.gif: figure colours differ from %s.gif" % (base, base))


def check_plates(directory, names):
    seen = {}
    for name in names:
        img = open_image(directory, name, "GIF", (142, 39))
        if img is None:
            continue
        data = np.array(img.convert("RGBA")).tobytes()
        if data in seen:
            fail("%s: same picture as %s" % (name, seen[data]))
        seen[data] = name


def check_wav(directory, name):
    checked[0] += 1
    path = find(directory, name)
    if path is None:
        fail("%s: missing" % name)
        return
    if os.path.getsize(path) > 5 * 1024 * 1024:
        fail("%s: %.1f MB, over 5 MB" % (name, os.path.getsize(path) / 1048576.0))
    try:
        w = wave.open(path, "rb")
    except Exception as e:
        fail("%s: not a PCM wave file (%s)" % (name, e))
        return
    ch, width, rate, n = w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getnframes()
    if width != 2:
        fail("%s: %d-bit samples, expected 16-bit" % (name, width * 8))
        return
    if rate not in (22050, 44100):
        fail("%s: %d Hz, expected 22050 or 44100" % (name, rate))
    secs = n / float(rate)
    if not 30 <= secs <= 60:
        fail("%s: %.1f s long, expected 30-60 s" % (name, secs))
    x = np.frombuffer(w.readframes(n), "<i2").reshape(-1, ch).astype(int)
    if len(x) < 2:
        fail("%s: no samples" % name)
        return
    quiet = 0.01 * 32768
    if np.abs(x[0]).max() > quiet or np.abs(x[-1]).max() > quiet:
        fail("%s: does not start and end near zero (first %s, last %s)" % (name, x[0].tolist(), x[-1].tolist()))
    steps = np.abs(np.diff(x, axis=0))
    seam = np.abs(x[0] - x[-1])
    limit = np.percentile(steps, 99.5, axis=0)
    if np.any(seam > limit):
        fail("%s: jump of %s at the loop seam, more than the music's own steps (%s)"
             % (name, seam.tolist(), limit.tolist()))
    if np.abs(x).max() >= 32767:
        fail("%s: clipped samples" % name)


def story_pictures(source):
    """{"plate": [...], "scene": [...]} as listed."""
    listed = {"plate": [], "scene": []}
    with (sys.stdin if source == "-" else open(source, encoding="utf-8")) as lines:
        for line in lines:
            kind, _, name = line.strip().partition(" ")
            if kind in listed and name:
                listed[kind].append(name)
    return listed


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("data", nargs="?", default=os.path.join(ROOT, "data"))
    parser.add_argument("--pictures", required=True,
                        help="the places' plates and scenes, one a line ('-': standard input)")
    args = parser.parse_args()
    directory = os.path.abspath(args.data)
    design = os.path.join(directory, "design")
    listed = story_pictures(args.pictures)
    places = listed["plate"]
    for kind in listed:
        if not listed[kind]:
            fail("--pictures %s: no place %s listed" % (args.pictures, kind))
    for name in listed["scene"] + STILLS:
        open_image(directory, name, "JPEG", (300, 260))
    for name in ENDINGS:
        open_image(directory, name, "JPEG", max_size=(609, 425))
    for base in PORTRAITS:
        check_portrait(directory, base)
    check_plates(directory, DATES)
    check_plates(directory, places)
    for name, (fmt, size) in DESIGN.items():
        img = open_image(design, name, fmt, size)
        if name == "portrait_layer.png" and img is not None:
            if np.array(img.convert("RGBA"))[:, :, 3].any():
                fail("portrait_layer.png: not fully transparent")
    check_wav(directory, "BGM1.wav")
    # names that differ only in letter case would make the game's look-up ambiguous
    lower = {}
    for entry in os.listdir(directory):
        if entry.lower() in lower:
            fail("%s and %s differ only in letter case" % (lower[entry.lower()], entry))
        lower[entry.lower()] = entry
    if failures:
        print("check_assets: FAILED, %d problem(s) in %d files" % (len(failures), checked[0]))
        return 1
    print("check_assets: all %d files pass" % checked[0])
    return 0


if __name__ == "__main__":
    sys.exit(main())
