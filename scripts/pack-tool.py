#!/usr/bin/env python3
"""Edit and check the editor's language packs (resources/language/*.ini).

The packs are stored in the encodings the program loads them in: ENGLISH as 8-bit
ASCII, every other pack as UTF-16LE with a byte-order mark, all with CR LF line
ends. This tool moves a pack to and from plain UTF-8 for editing and checks that
all eleven packs are well formed.

  pack-tool.py decode PACK.ini OUT.txt   pack -> UTF-8 text with LF line ends
  pack-tool.py encode IN.txt PACK.ini    UTF-8 text -> pack in its own encoding
  pack-tool.py check [--strict] [DIR]    check the eleven packs (default DIR:
                                         resources/language of this repository)

The encoding of a pack follows from its file name: ENGLISH.ini is ASCII, any
other name is UTF-16LE. `check` exits with 1 when a pack is malformed; keys the
program shows but a translated pack lacks are listed and, with --strict, count as
faults too (the program falls back to the English text for them).
"""

import argparse
import re
import sys
from pathlib import Path

ENGLISH = "ENGLISH"
PACKS = (
    "ENGLISH", "FRENCH", "GERMAN", "ITALIAN", "JAPANESE", "KOREAN",
    "PORTUGUESE", "RUSSIAN", "SPANISH", "CHINESESIMPLIFIED", "CHINESETRADITIONAL",
)

UTF16_BOM = b"\xff\xfe"

# [font] values each pack carries: face name, character set, code page.
FONT_KEYS = ("DEFAULT_UI_FACENAME", "DEFAULT_UI_CHARSET", "DEFAULT_UI_CODEPAGE")
DEFAULT_FONT = ("Tahoma", "1", "409")
PACK_FONTS = {
    "KOREAN": ("dotum", "129", "949"),
    "CHINESESIMPLIFIED": ("simsun", "134", "1200"),
    "CHINESETRADITIONAL": ("simsun", "134", "1200"),
}

# Every text key the program looks up and shows somewhere.
SHOWN_KEYS = tuple(f"IDS_STRING{n}" for n in (
    101, 102, 104, 105, 106, 107, 108, 110, 111, 112, 113, 115, 116, 117, 119,
    127, 128, 136, 140, 141, 142, 143, 144, 145, 147, 148, 149, 150, 154, 155,
    156, 157, 158, 159, 160, 161, 162, 163, 166, 169, 170, 171, 172, 173, 174,
    175, 177, 178, 179, 181, 185, 190, 191, 192, 193, 196, 197, 198, 199, 200,
    201, 202, 203, 213, 215, 216, 217, 219, 220, 221, 222, 227, 228, 229, 232,
    233, 234, 235, 236, 237, 238, 239, 240, 242, 243, 244, 251, 252, 306, 308,
    309, 310, 311, 420, 421, 422, 423, 1630, 1770, 1780, 1810, 2200,
))
# The English text of this key is deliberately empty.
EMPTY_IN_ENGLISH = "IDS_STRING248"
# Second line of the touch-calibration warning: only some translations carry it.
NOT_IN_ENGLISH = "IDS_STRING2200"

TEXT_KEY = re.compile(r"IDS_STRING[0-9]+")
ENTRY = re.compile(r'(?P<key>[^\s=";\[\]]+)\s*=\s*(?P<value>"[^"]*"|[^"\s;][^";]*)')


def pack_name(path):
    return Path(path).stem.upper()


def is_english(path):
    return pack_name(path) == ENGLISH


class PackError(Exception):
    pass


def decode_bytes(data, english):
    """Returns the text of a pack, with its stored line ends, or raises PackError."""
    if english:
        if data.startswith(UTF16_BOM) or data.startswith(b"\xef\xbb\xbf"):
            raise PackError("the English pack must not start with a byte-order mark")
        try:
            text = data.decode("ascii")
        except UnicodeDecodeError as err:
            raise PackError(f"non-ASCII byte 0x{data[err.start]:02X} at offset {err.start}")
    else:
        if not data.startswith(UTF16_BOM):
            raise PackError("does not start with the UTF-16LE byte-order mark FF FE")
        body = data[len(UTF16_BOM):]
        if len(body) % 2:
            raise PackError("odd number of bytes after the byte-order mark")
        try:
            text = body.decode("utf-16-le")
        except UnicodeDecodeError as err:
            raise PackError(f"invalid UTF-16LE at byte offset {err.start + 2}")
        if "\ufeff" in text:
            raise PackError("a second byte-order mark inside the text")
    if "\0" in text:
        # The program stops reading at the first NUL.
        raise PackError(f"NUL character at text offset {text.index(chr(0))}")
    return text


def encode_text(text, english):
    """Returns the stored bytes of a pack from text with LF line ends."""
    if english:
        try:
            return text.encode("ascii")
        except UnicodeEncodeError as err:
            raise PackError(f"the English pack must be ASCII: {text[err.start]!r} "
                            f"at offset {err.start}")
    return UTF16_BOM + text.encode("utf-16-le")


def to_editing_form(stored):
    return stored.replace("\r\n", "\n")


def to_stored_form(editable):
    text = editable.replace("\r\n", "\n")
    if "\r" in text:
        raise PackError("carriage return without a line feed")
    if "\0" in text:
        raise PackError("NUL character in the text")
    if text and not text.endswith("\n"):
        text += "\n"
    return text.replace("\n", "\r\n")


def line_end_faults(text):
    faults = []
    *lines, rest = text.split("\n")
    for number, line in enumerate(lines, start=1):
        if not line.endswith("\r"):
            faults.append(f"line {number}: ends with LF instead of CR LF")
        if "\r" in line[:-1]:
            faults.append(f"line {number}: carriage return inside the line")
    if rest:
        faults.append("last line does not end with CR LF")
        if "\r" in rest:
            faults.append(f"line {len(lines) + 1}: carriage return inside the line")
    return faults


def parse_sections(text):
    """Reads the pack line by line; returns ({section: {key: value}}, faults).

    Stricter than the program's reader on purpose: every line must be blank, a
    comment, a section header or `KEY = value`, so that typing mistakes surface
    here instead of silently dropping a text.
    """
    sections, faults = {}, []
    current = None
    for number, raw in enumerate(text.replace("\r\n", "\n").split("\n"), start=1):
        line = raw.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("[") and line.endswith("]"):
            name = line[1:-1].strip().lower()
            if name in sections:
                faults.append(f"line {number}: section [{name}] repeated")
            current = sections.setdefault(name, {})
            continue
        match = ENTRY.fullmatch(line)
        if current is None:
            faults.append(f"line {number}: entry before the first section")
        elif not match:
            faults.append(f"line {number}: not of the form KEY = \"text\": {line}")
        else:
            key, value = match["key"], match["value"]
            if key.upper() in current:
                faults.append(f"line {number}: {key} given twice")
            current[key.upper()] = value
    return sections, faults


def unquoted(value):
    if len(value) >= 2 and value[0] == value[-1] == '"':
        return value[1:-1]
    return value


def font_faults(name, font):
    faults = []
    expected = PACK_FONTS.get(name, DEFAULT_FONT)
    for key, want in zip(FONT_KEYS, expected):
        if key not in font:
            faults.append(f"[font] lacks {key}")
        elif unquoted(font[key]) != want:
            faults.append(f"[font] {key} is {font[key]}, expected {want}")
    return faults


def text_faults(texts):
    faults = []
    for key, value in texts.items():
        if not TEXT_KEY.fullmatch(key):
            faults.append(f"[text] key {key} is not IDS_STRING followed by a number")
        if not (value.startswith('"') and value.endswith('"')):
            faults.append(f"{key}: the text is not in double quotes")
        inner = unquoted(value)
        if inner != inner.strip():
            faults.append(f"{key}: blank at the start or end of the text")
        if any(ord(c) < 0x20 for c in inner):
            faults.append(f"{key}: control character in the text")
    return faults


def english_faults(texts):
    faults = []
    for key in SHOWN_KEYS:
        if key == NOT_IN_ENGLISH:
            if key in texts:
                faults.append(f"{key} must not be in the English pack")
        elif key not in texts:
            faults.append(f"{key} missing")
        elif key != EMPTY_IN_ENGLISH and not unquoted(texts[key]):
            faults.append(f"{key} is empty")
    if EMPTY_IN_ENGLISH not in texts:
        faults.append(f"{EMPTY_IN_ENGLISH} missing")
    elif unquoted(texts[EMPTY_IN_ENGLISH]):
        faults.append(f"{EMPTY_IN_ENGLISH} must be empty")
    return faults


def translation_gaps(texts):
    """Shown keys that a translated pack lacks or leaves empty."""
    gaps = []
    for key in SHOWN_KEYS:
        if key == NOT_IN_ENGLISH:
            continue
        if key not in texts:
            gaps.append(f"{key} missing")
        elif not unquoted(texts[key]):
            gaps.append(f"{key} empty")
    return gaps


def translation_faults(texts, english_texts):
    faults = []
    for key, value in texts.items():
        if key != NOT_IN_ENGLISH and key not in english_texts:
            faults.append(f"{key} is not in the English pack, so it is never shown")
            continue
        if "\\" in value and "\\" not in english_texts.get(key, ""):
            faults.append(f"{key}: backslash where the English text has none")
    return faults


def read_pack(path):
    data = Path(path).read_bytes()
    text = decode_bytes(data, is_english(path))
    return data, text


def check_pack(path, english_texts, strict):
    """Returns (faults, notes, number of text keys) for one pack file."""
    name = pack_name(path)
    if not path.is_file():
        return [f"{path} not found"], [], 0
    try:
        _, text = read_pack(path)
    except PackError as err:
        return [str(err)], [], 0
    faults = line_end_faults(text)
    sections, parse_faults = parse_sections(text)
    faults += parse_faults
    for section in ("font", "text"):
        if section not in sections:
            faults.append(f"section [{section}] missing")
    texts = sections.get("text", {})
    faults += font_faults(name, sections.get("font", {}))
    faults += text_faults(texts)
    notes = []
    if name == ENGLISH:
        faults += english_faults(texts)
    else:
        faults += translation_faults(texts, english_texts)
        notes = translation_gaps(texts)
        if strict:
            faults += notes
            notes = []
    return faults, notes, len(texts)


def english_texts_in(folder):
    try:
        _, text = read_pack(folder / f"{ENGLISH}.ini")
    except (OSError, PackError):
        return {}
    return parse_sections(text)[0].get("text", {})


def run_check(folder, strict):
    english_texts = english_texts_in(folder)
    failed = False
    for name in PACKS:
        path = folder / f"{name}.ini"
        faults, notes, count = check_pack(path, english_texts, strict)
        size = path.stat().st_size if path.is_file() else 0
        status = "FAIL" if faults else "ok"
        print(f"{name:<19} {status:<4} {count:4d} keys {size:6d} bytes")
        for fault in faults:
            print(f"    fault: {fault}")
        for note in notes:
            print(f"    falls back to English: {note}")
        failed = failed or bool(faults)
    print("all packs pass" if not failed else "some packs fail")
    return 1 if failed else 0


def run_decode(pack, out):
    _, text = read_pack(pack)
    Path(out).write_text(to_editing_form(text), encoding="utf-8", newline="\n")
    return 0


def run_encode(source, pack):
    editable = Path(source).read_text(encoding="utf-8-sig")
    data = encode_text(to_stored_form(editable), is_english(pack))
    Path(pack).write_bytes(data)
    return 0


def default_folder():
    return Path(__file__).resolve().parent.parent / "resources" / "language"


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    decode = commands.add_parser("decode", help="pack -> UTF-8 text with LF line ends")
    decode.add_argument("pack")
    decode.add_argument("out")
    encode = commands.add_parser("encode", help="UTF-8 text -> pack in its own encoding")
    encode.add_argument("source")
    encode.add_argument("pack")
    check = commands.add_parser("check", help="check the eleven packs")
    check.add_argument("--strict", action="store_true",
                       help="count shown keys a translation lacks as faults")
    check.add_argument("folder", nargs="?", type=Path, default=default_folder())
    args = parser.parse_args(argv)
    try:
        if args.command == "decode":
            return run_decode(args.pack, args.out)
        if args.command == "encode":
            return run_encode(args.source, args.pack)
        return run_check(args.folder, args.strict)
    except (OSError, PackError, UnicodeDecodeError) as err:
        print(f"pack-tool: {err}", file=sys.stderr)
        return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
