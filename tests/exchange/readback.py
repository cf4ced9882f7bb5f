#!/usr/bin/env python3
"""Runs `rubrica --esporta` on a filled store and reads the files back with other programs'
readers (csv, vobject, pdftotext). Usage: readback.py PATH/TO/rubrica"""
import csv
import io
import os
import shutil
import subprocess
import sys
import tempfile

import vobject

FOLDERS = {0: "A1", 7: "HJK", 10: "M1", 42: "*", 43: "#"}
PRINTABLE = "".join(bytes([b]).decode("cp1252") for b in range(0x20, 0x100)
                    if b != 0x7F and b not in (0x81, 0x8D, 0x8F, 0x90, 0x9D))
SHORTS = ["06 1234567", "+39 333 12.34.567", "=1+2", "Via Roma, 3", 'casa "al mare"', "@ufficio", "x;y\\z"]


def cells():
    """(sheet, row) -> (long, short, styles, colours) for a few folders, every character once or more."""
    filled, n = {}, 0
    for sheet in FOLDERS:
        for row in range(1, 23 + sheet % 5):
            long_text = (" " if n % 9 == 0 else "") + PRINTABLE[(n * 13) % len(PRINTABLE):][:60].strip()
            filled[(sheet, row)] = (long_text, SHORTS[n % len(SHORTS)], "%d%d" % (n % 4, (n + 1) % 4),
                                    "%d%d" % (n % 6, (n + 2) % 6))
            n += 1
    return filled


def store_bytes(filled):
    out = bytearray()
    for sheet in range(44):
        for row in range(1, 45):
            long_text, short_text, styles, colours = filled.get((sheet, row), ("", "", "00", "00"))
            out += long_text.encode("cp1252").ljust(100) + short_text.encode("cp1252").ljust(40)
            out += (styles + "00" + colours).encode("ascii")
    return bytes(out)


def run(prog, *args):
    result = subprocess.run([os.path.join(prog, "rubrica"), *args], capture_output=True, text=True, cwd=prog)
    if result.returncode != 0:
        sys.exit("rubrica %s: exit %d\n%s%s" % (" ".join(args), result.returncode, result.stdout, result.stderr))


def check(condition, what):
    if not condition:
        sys.exit("FAIL: " + what)


def main():
    root = tempfile.mkdtemp()
    runtime = os.path.join(root, "runtime")
    os.mkdir(runtime, 0o700)
    os.environ["XDG_RUNTIME_DIR"] = runtime
    os.environ.pop("DISPLAY", None)  # the command line needs no display
    filled = cells()
    store = store_bytes(filled)
    prog = os.path.join(root, "prog")
    os.mkdir(prog)
    shutil.copy2(sys.argv[1], prog)
    with open(os.path.join(prog, "rubri.dat"), "wb") as f:
        f.write(store)
    out = os.path.join(root, "rubrica")
    for args in (["--esporta", out + ".csv"], ["--esporta", out + ".vcf"], ["--esporta", out + ".pdf"],
                 ["--esporta", out + "-m1.pdf", "--cartella", "M1", "--pagina", "A5"]):
        run(prog, *args)
    with open(os.path.join(prog, "rubri.dat"), "rb") as f:
        check(f.read() == store, "an export changed the store")

    expected = [(FOLDERS[s], r) + filled[(s, r)] for (s, r) in sorted(filled)]
    with open(out + ".csv", encoding="utf-8-sig", newline="") as f:
        table = list(csv.reader(f))
    check(table[0] == ["Cartella", "Riga", "Testo lungo", "Testo breve", "Grassetto", "Sottolineato", "Colore"],
          "CSV header %r" % table[0])
    check(len(table) == len(expected) + 1, "CSV rows: %d" % (len(table) - 1))
    def safe(text):  # what a spreadsheet must not run as a formula
        return "'" + text if text.lstrip("'")[:1] in ("=", "+", "-", "@") else text
    for got, (folder, row, long_text, short_text, _, _) in zip(table[1:], expected):
        check(got[:4] == [folder, str(row), safe(long_text), safe(short_text)], "CSV row %r" % got[:4])

    with open(out + ".vcf", encoding="utf-8") as f:
        cards = list(vobject.readComponents(f.read()))
    check(len(cards) == len(expected), "vCards: %d" % len(cards))
    for card, (folder, _, long_text, short_text, _, _) in zip(cards, expected):
        check(card.fn.value == long_text, "FN %r, expected %r" % (card.fn.value, long_text))
        short_value = card.tel.value if hasattr(card, "tel") else card.note.value
        check(short_value == short_text, "TEL/NOTE %r, expected %r" % (short_value, short_text))
        check(folder in "".join(card.categories.value), "CATEGORIES %r" % card.categories.value)

    def words(path):
        text = subprocess.run(["pdftotext", path, "-"], capture_output=True, text=True, check=True).stdout
        return "".join(text.split())
    layer = words(out + ".pdf")
    for folder, _, long_text, short_text, _, _ in expected:
        for text in (long_text, short_text):
            # A soft hyphen is drawn only where a line breaks, so the text layer has none.
            check("".join(text.replace("\xad", "").split()) in layer, "PDF text layer lacks %r" % text)
    check("RubricaM1" in words(out + "-m1.pdf").replace("·", ""), "A5 PDF of M1")
    shutil.rmtree(root)
    print("readback: CSV, vCard and PDF read back")


if __name__ == "__main__":
    main()
