#!/usr/bin/env python3
"""Prints every cell of an .xlsx workbook's sheets, read straight from its XML, one per line:
sheet, cell reference, kind and value, tab-separated. The kind is "number", "text" (a shared or
inline string), "formula" (a cell with a formula, whatever its cached value) or the cell's own
type attribute. Control characters in values are written as \\xHH."""
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}


def text_of(element):
    return "".join(t.text or "" for t in element.iter("{%s}t" % NS["m"]))


def shown(value):
    return "".join(c if c >= " " else "\\x%02x" % ord(c) for c in value)


def main(path):
    with zipfile.ZipFile(path) as book:
        if book.testzip() is not None:
            raise SystemExit("damaged zip")
        shared = []
        if "xl/sharedStrings.xml" in book.namelist():
            root = ET.fromstring(book.read("xl/sharedStrings.xml"))
            shared = [text_of(si) for si in root.findall("m:si", NS)]
        sheets = sorted(n for n in book.namelist() if n.startswith("xl/worksheets/sheet"))
        workbook = ET.fromstring(book.read("xl/workbook.xml"))
        names = [s.get("name") for s in workbook.find("m:sheets", NS)]
        for name, sheet in zip(names, sheets):
            root = ET.fromstring(book.read(sheet))
            for cell in root.iter("{%s}c" % NS["m"]):
                kind = cell.get("t", "n")
                value = cell.find("m:v", NS)
                if cell.find("m:f", NS) is not None:
                    kind, shown_value = "formula", cell.find("m:f", NS).text or ""
                elif kind == "s":
                    kind, shown_value = "text", shared[int(value.text)]
                elif kind == "inlineStr":
                    kind, shown_value = "text", text_of(cell.find("m:is", NS))
                elif kind == "n":
                    kind, shown_value = "number", value.text if value is not None else ""
                else:
                    shown_value = value.text if value is not None else ""
                sys.stdout.write("%s\t%s\t%s\t%s\n" % (name, cell.get("r"), kind, shown(shown_value)))


if __name__ == "__main__":
    main(sys.argv[1])
