#!/usr/bin/env python3
"""Writes random media for the differential test of the checker.

    make-media.py SEED COUNT PROGRAM OUT

OUT/media/NNNN/ is medium NNNN; OUT/tags.txt names the features each section
of it uses ("NNNN<TAB>SECTION<TAB>tag tag ..."; section "*": the whole
profile), which known-differences.txt refers to. Medium NNNN depends only
on SEED and NNNN, so a larger COUNT keeps the first media.
PROGRAM (recorder.exe) is copied wherever a medium needs a real program.
"""
import base64
import pathlib
import random
import struct
import sys
import zlib

# ---------------------------------------------------------------- pictures


def bmp(w, h, rgb, bits=24):
    if bits == 8:
        palette, row = bytes([rgb[2], rgb[1], rgb[0], 0]) + bytes(1020), bytes(w)
    else:
        palette, row = b"", bytes([rgb[2], rgb[1], rgb[0]]) * w
    row += bytes(-len(row) % 4)
    pixels = row * h
    offset = 54 + len(palette)
    return (b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
            + struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(pixels), 2835, 2835, 0, 0)
            + palette + pixels)


def ico(w, h, rgb):
    mask = ((w + 31) // 32 * 4) * h
    image = (struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 4 * w * h + mask, 0, 0, 0, 0)
             + bytes([rgb[2], rgb[1], rgb[0], 255]) * (w * h) + bytes(mask))
    return struct.pack("<HHHBBBBHHII", 0, 1, 1, w, h, 0, 0, 1, 32, len(image), 22) + image


def png(w, h, rgb):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = (b"\0" + bytes(rgb) * w) * h
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def gif(w, h, rgb, colour_table=True):
    # Literal 3-bit LZW codes, a clear code before every second one.
    bits = count = 0
    data = bytearray()
    for code in [c for i in range(w * h) for c in ([4, 0] if i % 2 == 0 else [0])] + [5]:
        bits |= code << count
        count += 3
        while count >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            count -= 8
    if count:
        data.append(bits)
    blocks = b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255] for i in range(0, len(data), 255))
    table = bytes(rgb) + bytes(3) if colour_table else b""
    return (b"GIF89a" + struct.pack("<HHBBB", w, h, 0x80 if colour_table else 0, 0, 0) + table
            + b"\x2c" + struct.pack("<HHHHB", 0, 0, w, h, 0) + b"\x02" + blocks + b"\0;")


def wmf(w, h, placeable=True):
    records = struct.pack("<IHhh", 5, 0x020C, h, w) + struct.pack("<IH", 3, 0)
    body = struct.pack("<HHHIHIH", 1, 9, 0x300, (18 + len(records)) // 2, 0, 5, 0) + records
    if not placeable:
        return body
    head = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, w, h, 96, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", head):
        checksum ^= word
    return head + struct.pack("<H", checksum) + body


def emf(w, h):
    eof = struct.pack("<IIIII", 14, 20, 0, 16, 20)
    header = struct.pack("<II4i4iIIIIHHIIIii", 1, 88, 0, 0, w - 1, h - 1, 0, 0, w * 26, h * 26,
                         0x464D4520, 0x10000, 88 + len(eof), 2, 1, 0, 0, 0, 0, 1024, 768)
    return header + struct.pack("<ii", 270, 203) + eof


JPEG = base64.b64decode(
    "/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAMCAgMCAgMDAwMEAwMEBQgFBQQEBQoHBwYIDAoMDAsK"
    "CwsNDhIQDQ4RDgsLEBYQERMUFRUVDA8XGBYUGBIUFRT/2wBDAQMEBAUEBQkFBQkUDQsNFBQUFBQU"
    "FBQUFBQUFBQUFBQUFBQUFBQUFBQUFBQUFBQUFBQUFBQUFBQUFBQUFBQUFBT/wAARCAAIAAgDAREA"
    "AhEBAxEB/8QAFAABAAAAAAAAAAAAAAAAAAAAB//EABQQAQAAAAAAAAAAAAAAAAAAAAD/xAAVAQEB"
    "AAAAAAAAAAAAAAAAAAAHCP/EABQRAQAAAAAAAAAAAAAAAAAAAAD/2gAMAwEAAhEDEQA/AC9UAkf/2Q==")


def poke(data, at, packed):
    return data[:at] + packed + data[at + len(packed):]


# Format: (extension, writer(rng, w, h, rgb)) and its damages, each
# (tag, change of the bytes).
FORMATS = {
    "bmp": lambda r, w, h, c: bmp(w, h, c, r.choice([8, 24])),
    "ico": lambda r, w, h, c: ico(min(w, 64), min(h, 64), c),
    "png": lambda r, w, h, c: png(w, h, c),
    "gif": lambda r, w, h, c: gif(w, h, c),
    "jpg": lambda r, w, h, c: JPEG,
    "wmf": lambda r, w, h, c: wmf(w, h),
    "emf": lambda r, w, h, c: emf(w, h),
}
DAMAGES = {
    "all": [("pic-cut", lambda d: d[:len(d) // 2]), ("pic-empty", lambda d: b""),
            ("pic-text", lambda d: b"not a picture\r\n")],
    "bmp": [("pic-bmp-bits", lambda d: poke(d, 28, struct.pack("<H", 7))),
            ("pic-bmp-bits", lambda d: poke(d, 28, struct.pack("<H", 0))),
            ("pic-bmp-compression", lambda d: poke(d, 30, struct.pack("<I", 4))),
            ("pic-bmp-rle", lambda d: poke(d, 28, struct.pack("<HI", 8, 1))[:54 + 1024] + b"\xff" * 64),
            ("pic-bmp-offset", lambda d: poke(d, 10, struct.pack("<I", 0x10000))),
            ("pic-bmp-no-pixels", lambda d: d[:struct.unpack_from("<I", d, 10)[0]])],
    "jpg": [("pic-jpeg-garbage", lambda d: d[:d.index(b"\xff\xda") + 14] + bytes(range(7, 250, 3)))],
    "gif": [("pic-gif-colourless", lambda d: gif(1, 1, (0, 0, 0), colour_table=False))],
    "wmf": [("pic-wmf-plain", lambda d: d[22:])],
}

# ---------------------------------------------------------------- names and paths

# (as the profile writes it, as the file is named on the medium, tag)
NAMES = [
    ("setup", "setup", ""), ("SETUP", "setup", "name-ascii-case"),
    ("Install", "iNSTALL", "name-ascii-case"), ("Grüße", "grüße", "name-latin1"),
    ("ÄRGER", "ärger", "name-latin1-case"), ("știri", "știri", "name-script"),
    ("ȘTIRI", "știri", "name-script-case"), ("Ґанок", "ґанок", "name-script-case"),
    ("ԱՐԵՎ", "արեվ", "name-script-case"), ("ⅫⅠ", "ⅻⅰ", "name-script-case"),
    ("ǄEM", "ǆem", "name-script-case"), ("ΣΟΦΊΑ", "σοφία", "name-script-case"),
    ("日本語", "日本語", "name-script"), ("Ωmega", "ωmega", "name-script-case"),
]
FOLDERS = [("img", "img", ""), ("Sub Dir", "sub dir", "name-ascii-case"),
           ("ȘUB", "șub", "name-script-case"), ("данные", "данные", "name-script")]
# How a path to folder\file is written: (tag, form); {d} folder, {f} file.
PATH_FORMS = [
    *[("", "{d}\\{f}")] * 6, ("path-slash", "{d}/{f}"), ("path-dot", ".\\{d}\\{f}"),
    ("path-dotdot", "{d}\\..\\{d}\\{f}"), ("path-dotdot-root", "..\\{d}\\{f}"),
    ("path-root", "\\{d}\\{f}"), ("path-leading-slash", "/{d}/{f}"),
    ("path-folder-trailing", "{d} \\{f}"), ("path-folder-trailing", "{d}..\\{f}"),
    ("path-name-trailing", "{d}\\{f}."), ("path-name-trailing", "{d}\\{f} "),
]
TOP_FORMS = [*[("", "{f}")] * 6, ("path-root", "\\{f}"), ("path-leading-slash", "/{f}"),
             ("path-dotdot-root", "..\\{f}"), ("path-dot", ".\\{f}")]
DEVICES = ["NUL", "CON", "COM1", "PRN", "AUX", "LPT1", "nul", "Com2"]


class Medium:
    def __init__(self, rng, program_bytes):
        self.rng, self.program_bytes, self.files = rng, program_bytes, {}
        self.part, self.tags = "*", {}  # tags by section; "*": the whole profile

    def tag(self, *tags):
        self.tags.setdefault(self.part, set()).update(t for t in tags if t)

    def path(self, stem, ext, on_disk):
        """A file name (and maybe folder) as written and as stored on disk."""
        r = self.rng
        written, disk, tag = r.choice(NAMES)
        self.tag(tag)
        written, disk = f"{written}{stem}.{ext.upper() if r.random() < .2 else ext}", f"{disk}{stem}.{ext}"
        if r.random() < .06:
            self.tag("device-file")
            written = disk = r.choice(DEVICES).lower() + "." + ext
        if r.random() < .5:
            tag, form = r.choice(TOP_FORMS)
            self.tag(tag)
            self.files[disk] = on_disk
            return form.format(f=written)
        dw, dd, dtag = r.choice(FOLDERS)
        tag, form = r.choice(PATH_FORMS)
        self.tag(dtag, tag)
        self.files[f"{dd}/{disk}"] = on_disk
        return form.format(d=dw, f=written)

    def picture(self):
        r = self.rng
        if r.random() < .04:
            self.tag("pic-missing")
            return r.choice(["nothing.bmp", "img\\nothing.gif", ""])
        if r.random() < .04:
            self.tag("device-name")
            return r.choice(DEVICES + ["PRN.gif", "AUX.bmp", "img\\nul", "CON.png"])
        ext = r.choice(list(FORMATS))
        data = FORMATS[ext](r, r.randint(1, 40), r.randint(1, 40), [r.randrange(256) for _ in "rgb"])
        if r.random() < .25:
            tag, damage = r.choice(DAMAGES["all"] + DAMAGES.get(ext, []))
            self.tag(tag)
            data = damage(data)
        self.tag("pic-" + ext)
        return self.path("", ext, data)

    def action(self, argument):
        r = self.rng
        kind = r.choices(list(ACTIONS), weights=[w for w, _ in ACTIONS.values()])[0]
        self.tag("act-" + kind)
        # Capitals of every kind in the argument, so the lower-casing is seen.
        letters, tag = self.rng.choice(LETTERS)
        self.tag(tag)
        return ACTIONS[kind][1](self, argument + letters)

    def document(self):
        self.files["readme.txt"] = b"read me\r\n"
        return "readme.txt"

    def program(self, argument, stem="", content=None):
        r = self.rng
        path = self.path(stem, "exe", self.program_bytes if content is None else content)
        if r.random() < .15 and path.lower().endswith(".exe"):
            path = path[:-4]
            self.tag("program-no-extension" + ("-dot" if "." in path.lstrip(".\\/") else ""))
        if path.startswith("/"):
            self.tag("program-leading-slash")
        if " " in path:
            path = f'"{path}"'
        return f"{path} {argument}"


# Capital letters whose lower case the checker must know; arguments carry them.
LETTERS = [("ABC", ""), ("ÄÖÜÉ", "lower-latin1"), ("ȘȚƏǺƁḀΪҐҒѢӁԱᎠⅠⒶ", "lower-special"),
           ("\U00010400", "lower-supplementary"), ("İ", "lower-dotted-i"), ("ΣΔ", "lower-greek")]

ACTIONS = {  # kind: (weight, writer)
    "program": (10, lambda m, a: m.program(a)),
    "exit": (3, lambda m, a: m.rng.choice(["exit", "EXIT", "Exit"])),
    "exit-blanks": (1, lambda m, a: '" exit "'),
    "missing": (2, lambda m, a: "nowhere.exe " + a),
    "document": (1, lambda m, a: m.document()),
    "empty": (1, lambda m, a: ""),
    "not-pe": (2, lambda m, a: m.program(a, "-np", m.rng.choice([b"", b"echo hello\r\n", b"MZ"]))),
    # The value's quotes keep the blank; the program's own ones go.
    "leading-blank": (1, lambda m, a: '" ' + m.program(a).replace('"', "") + '"'),
    "unclosed-quote": (1, lambda m, a: '"' + m.program(a).replace('"', "")),
    "device": (1, lambda m, a: m.rng.choice(DEVICES) + " " + a),
}

# ---------------------------------------------------------------- profile values

TRUE = ["True", "true", "1", "-1", " 2.5 "]
FALSE = ["False", "FALSE", "0", "0.0"]
BAD_SHOW = ["Yes", "", "&H1", "1e3", "on"]
COLOURS = ["{r},{g},{b}", "&H00{b:02X}{g:02X}{r:02X}", "&h{b:02x}{g:02x}{r:02x}", "{n}",
           "&H8000000F", "&H80000005", "&O377", "1.5", " {r} , {g} , {b} ", "300,0,0"]
BAD_COLOURS = ["47,31", "47,,107", "-1,0,0", "&H100000000", "abc", "1E3", "1,000",
               "&H7F000000", "&H80000040", ""]
CAPTIONS = ["Orvex", "", "&Install", "Grüße", "Știri — ȘTIRI", "日本語のメディア", "A && B",
            "Ελληνικά", "x" * 60, "Ünïcödé 𐐀"]


def colour(r):
    if r.random() < .07:
        return r.choice(BAD_COLOURS), "colour-bad"
    c = [r.randrange(256) for _ in "rgb"]
    return r.choice(COLOURS).format(r=c[0], g=c[1], b=c[2], n=c[0] + 256 * c[1] + 65536 * c[2]), ""


def show(r, true_share, bad_share):
    if r.random() < bad_share:
        return r.choice(BAD_SHOW), "show-bad"
    return r.choice(TRUE if r.random() < true_share else FALSE), ""


def key_line(r, key, value, m):
    """One key line with the INI quirks: letter case, blanks, quotes."""
    if r.random() < .1:
        m.tag("ini-key-case")
        key = key.upper() if r.random() < .5 else key.lower()
    if r.random() < .1 and value.strip() == value and not value.startswith(('"', "'")):
        m.tag("ini-quoted")
        quote = r.choice("\"'")
        value = quote + value + quote
    if r.random() < .1:
        m.tag("ini-blanks")
        key, value = " " + key + " ", " " + value + "  "
    return f"{key}={value}"


def profile(m, index):
    r = m.rng
    sections = []  # [name, [lines]]
    m.part = "DIALOG"
    dialog_show, tag = show(r, .75, .04)
    m.tag(tag)
    dialog = [("Show", dialog_show)]
    headless = dialog_show in FALSE
    if headless or r.random() < .2:
        dialog.append(("DefaultAction", m.action(f"/d{index}")))
    m.tag("headless" if headless else "")
    if not headless:
        value, tag = colour(r)
        m.tag(tag)
        if r.random() < .98:
            dialog.append(("BackColor", value))
        dialog.append(("Picture", m.picture()))
        if r.random() < .9:
            dialog.append(("Caption", r.choice(CAPTIONS)))
    r.shuffle(dialog)
    sections.append(["DIALOG", dialog])
    for n in range(1, 5):
        m.part = f"BUTTON{n}"
        if r.random() < .015:
            m.tag("section-missing")
            continue
        button_show, tag = show(r, .6, .015)
        m.tag(tag)
        keys = [("Show", button_show), ("Caption", r.choice(CAPTIONS))]
        if r.random() < .95:
            keys.append(("Action", m.action(f"/b{n}")))
        sections.append([f"BUTTON{n}", keys])
    lines = []
    for name, keys in sections:
        m.part = name
        header = f"[{name}]"
        if r.random() < .05:
            m.tag("ini-after-section")
            header += " ; comment"
        if r.random() < .05:
            m.tag("ini-section-case")
            header = header.lower()
        lines.append(header)
        for key, value in keys:
            if r.random() < .05:
                lines.append(";" + key + "=commented out")
            lines.append(key_line(r, key, value, m))
            if r.random() < .04:
                lines.append(f"{key}=second {key}")
                m.tag("ini-repeated-key")
        if r.random() < .04:
            lines.append("Captoin=typo")
            m.tag("ini-unknown-key")
        lines.append("")
    m.part = "*"
    if r.random() < .05:
        lines += ["[DIALOG]", "Show=Nonsense"]
        m.tag("ini-repeated-section")
    end = r.choices(["\r\n", "\n", "\r"], [8, 2, 1])[0]
    return end.join(lines) + (end if r.random() < .9 else "")


def encode(r, text, m):
    kinds = ["ansi", "utf8", "utf8-bom", "utf16le", "utf16be"]
    kind = r.choice(kinds)
    if kind == "ansi":
        try:
            data = text.encode("cp1252")
        except UnicodeEncodeError:
            kind = r.choice(kinds[1:])
    m.tag("enc-" + kind)
    return {"ansi": lambda: data, "utf8": lambda: text.encode(),
            "utf8-bom": lambda: b"\xef\xbb\xbf" + text.encode(),
            "utf16le": lambda: b"\xff\xfe" + text.encode("utf-16-le"),
            "utf16be": lambda: b"\xfe\xff" + text.encode("utf-16-be")}[kind]()


def main():
    seed, count, program, out = sys.argv[1], int(sys.argv[2]), sys.argv[3], pathlib.Path(sys.argv[4])
    program_bytes = pathlib.Path(program).read_bytes()
    tags = []
    for index in range(count):
        name = f"{index:04d}"
        m = Medium(random.Random(f"{seed}:{index}"), program_bytes)
        text = profile(m, index)
        m.files["autorun.ini"] = encode(m.rng, text, m)
        for relative, data in m.files.items():
            path = out / "media" / name / relative
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(data)
        tags += [f"{name}\t{part}\t{' '.join(sorted(t))}\n" for part, t in sorted(m.tags.items())]
    (out / "tags.txt").write_text("".join(tags), encoding="utf-8")


if __name__ == "__main__":
    main()
