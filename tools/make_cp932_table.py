#!/usr/bin/python3
"""Code page 932 (Shift-JIS as Windows reads it) for the game's decoder, made from Python's codec.

  make_cp932_table.py table OUT.cpp      the decoder's table (rules/text/cp932_table.h)
  make_cp932_table.py reference OUT.txt  what Python's codec gives for every single byte and every
                                         lead byte followed by any byte, for the decoder's test

Python maps the single bytes 0x80, 0xA0 and 0xFD to 0xFF to U+0080 and private-use code points
although code page 932 assigns them no character: the table gives them no character. Everything
else is Python's reading, the user-defined area (lead bytes 0xF0 to 0xF9) included.
"""
import sys

NO_CHARACTER = 0xFFFD
UNASSIGNED_SINGLES = (0x80, 0xA0, 0xFD, 0xFE, 0xFF)
FIRST_TRAIL, LAST_TRAIL = 0x40, 0xFC


def decode(data):
    return data.decode("cp932", errors="replace")


def lead_bytes():
    return [b for b in range(0x80, 0x100)
            if b not in UNASSIGNED_SINGLES and decode(bytes([b])) == "\ufffd"]


def single(byte):
    if byte in UNASSIGNED_SINGLES:
        return NO_CHARACTER
    text = decode(bytes([byte]))
    return ord(text) if len(text) == 1 else NO_CHARACTER


def pair(lead, trail):
    text = decode(bytes([lead, trail]))
    return ord(text) if len(text) == 1 and text != "\ufffd" else NO_CHARACTER


def hex_rows(values, per_line=12):
    for start in range(0, len(values), per_line):
        yield "    " + " ".join("0x%04X," % v for v in values[start:start + per_line])


def write_table(path):
    leads = lead_bytes()
    trails = range(FIRST_TRAIL, LAST_TRAIL + 1)
    rows, row_of_lead = [], [0xFF] * 256  # 0xFF: not a lead byte; 0xFE: a lead byte of no row
    for lead in leads:
        row = [pair(lead, trail) for trail in trails]
        if all(v == NO_CHARACTER for v in row):
            row_of_lead[lead] = 0xFE
        else:
            row_of_lead[lead] = len(rows)
            rows.append(row)
    out = ["// Made by tools/make_cp932_table.py from Python's cp932 codec. Do not edit.",
           '#include "rules/text/cp932_table.h"', "", "namespace game::cp932 {", "",
           "const std::uint16_t kSingle[256] = {", *hex_rows([single(b) for b in range(256)]),
           "};", "", "const std::uint8_t kRowOfLead[256] = {",
           *("    " + " ".join("0x%02X," % v for v in row_of_lead[i:i + 16])
             for i in range(0, 256, 16)),
           "};", "", "const std::uint16_t kPairs[%d][%d] = {" % (len(rows), len(trails))]
    for row in rows:
        out += ["  {", *hex_rows(row), "  },"]
    out += ["};", "", "const int kRowCount = %d;" % len(rows), "", "}  // namespace game::cp932", ""]
    with open(path, "w", encoding="ascii") as f:
        f.write("\n".join(out))


def write_reference(path):
    lines = []
    inputs = [bytes([b]) for b in range(256)]
    inputs += [bytes([lead, trail]) for lead in lead_bytes() for trail in range(256)]
    for data in inputs:
        lines.append(data.hex().upper() + " " + " ".join("%X" % ord(c) for c in decode(data)))
    with open(path, "w", encoding="ascii") as f:
        f.write("\n".join(lines) + "\n")


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("table", "reference"):
        sys.exit(__doc__)
    (write_table if sys.argv[1] == "table" else write_reference)(sys.argv[2])


if __name__ == "__main__":
    main()
