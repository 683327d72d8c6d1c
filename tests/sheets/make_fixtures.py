#!/usr/bin/python3
"""Writes the spreadsheet fixtures of tests/cli/sheets_print_test.sh and
tests/printing/spreadsheet_test.cpp (run from this folder
 with Debian's /usr/bin/python3).

stock.csv  the records as text, the twin the others must print alike
stock.ods  written by odfpy (python3-odf): a number column (0.1, 0.2, ...),
           dates shown as YYYY-MM-DD, an empty cell every fifth record and a
           formula with its value
stock.xlsx stock.ods saved again by LibreOffice (libreoffice-calc-nogui:
           soffice --headless --convert-to)
stock.xls  the same saved by LibreOffice, with the formula's values as
           plain numbers (libfreexl reads no formula results)
cells.xlsx a hand-made workbook of the cases the writers above do not make
           (inline strings, rows and cells left out, no dimension, booleans,
           date formats), zipped by Python's zipfile; broken.xlsx the same cut
           off inside a row
"""
import datetime
import os
import subprocess
import tempfile
import zipfile

from odf.opendocument import OpenDocumentSpreadsheet
from odf.number import DateStyle, Year, Month, Day, Text as NumberText
from odf.style import Style
from odf.table import Table, TableRow, TableCell
from odf.text import P

HEADER = ["sku", "price", "date", "name", "qty"]


def records():
    for i in range(1, 31):
        price = round(i * 0.1, 10) if i % 3 else i * 0.1  # every third keeps its binary noise
        date = datetime.date(2024, 3, 1) + datetime.timedelta(days=i)
        name = "" if i % 5 == 0 else f"Item {i}"
        yield f"QV-{i:05d}", price, date, name, i * 12


def shortest(v):
    return repr(float(f"{v:.15g}")).removesuffix(".0")


with open("stock.csv", "w", newline="") as f:
    f.write(",".join(HEADER) + "\r\n")
    for sku, price, date, name, qty in records():
        f.write(f"{sku},{shortest(price)},{date.isoformat()},{name},{qty}\r\n")


def spreadsheet(formulas):
    doc = OpenDocumentSpreadsheet()
    iso = DateStyle(name="isodate")
    iso.addElement(Year(style="long"))
    iso.addElement(NumberText(text="-"))
    iso.addElement(Month(style="long"))
    iso.addElement(NumberText(text="-"))
    iso.addElement(Day(style="long"))
    doc.automaticstyles.addElement(iso)
    datecell = Style(name="datecell", family="table-cell", datastylename="isodate")
    doc.automaticstyles.addElement(datecell)
    table = Table(name="Stock")
    row = TableRow()
    for h in HEADER:
        cell = TableCell(valuetype="string")
        cell.addElement(P(text=h))
        row.addElement(cell)
    table.addElement(row)
    for n, (sku, price, date, name, qty) in enumerate(records(), start=2):
        row = TableRow()
        cell = TableCell(valuetype="string")
        cell.addElement(P(text=sku))
        row.addElement(cell)
        cell = TableCell(valuetype="float", value=repr(price))
        cell.addElement(P(text=shortest(price)))
        row.addElement(cell)
        cell = TableCell(valuetype="date", datevalue=date.isoformat(), stylename=datecell)
        cell.addElement(P(text=date.isoformat()))
        row.addElement(cell)
        cell = TableCell()
        if name:
            cell = TableCell(valuetype="string")
            cell.addElement(P(text=name))
        row.addElement(cell)
        cell = TableCell(valuetype="float", value=str(qty))
        if formulas:
            cell = TableCell(valuetype="float", value=str(qty), formula=f"of:=ROW([.A{n}])*12-12")
        cell.addElement(P(text=str(qty)))
        row.addElement(cell)
        table.addElement(row)
    second = Table(name="Notes")
    row = TableRow()
    cell = TableCell(valuetype="string")
    cell.addElement(P(text="second sheet"))
    row.addElement(cell)
    second.addElement(row)
    doc.spreadsheet.addElement(table)
    doc.spreadsheet.addElement(second)
    return doc


spreadsheet(True).save("stock.ods")

# libfreexl reads no formula results: the .xls gets the values themselves.
with tempfile.TemporaryDirectory() as profile:
    subprocess.run(["soffice", f"-env:UserInstallation=file://{profile}", "--headless", "--convert-to", "xlsx",
                    "--outdir", ".", "stock.ods"], check=True, stdout=subprocess.DEVNULL)
    spreadsheet(False).save(os.path.join(profile, "stock.ods"))
    subprocess.run(["soffice", f"-env:UserInstallation=file://{profile}", "--headless", "--convert-to", "xls",
                    "--outdir", ".", os.path.join(profile, "stock.ods")], check=True, stdout=subprocess.DEVNULL)
CT = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/data.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>
<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>
</Types>"""
ROOT_RELS = """<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>"""
WB_RELS = """<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rS" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/data.xml"/>
<Relationship Id="rT" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
<Relationship Id="rU" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>
</Relationships>"""
WB = """<?xml version="1.0" encoding="UTF-8"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="Cases" sheetId="7" r:id="rS"/></sheets></workbook>"""
STYLES = """<?xml version="1.0" encoding="UTF-8"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<numFmts count="2"><numFmt numFmtId="164" formatCode="dd/mm/yyyy\\ hh:mm"/><numFmt numFmtId="165" formatCode="0.00"/></numFmts>
<cellXfs count="5"><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="165"/><xf numFmtId="15"/></cellXfs>
</styleSheet>"""
STRINGS = """<?xml version="1.0" encoding="UTF-8"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="2" uniqueCount="2">
<si><t>共享</t></si><si><r><t>rich </t></r><r><rPr><b/></rPr><t>text</t></r><rPh sb="0" eb="1"><t>ignored</t></rPh></si>
</sst>"""
# Row 1: the header. Row 2: a number, a shared string, an inline string, a
# boolean, a formula's cached string. Row 4 (row 3 left out): dates in three
# formats, cells without r. Row 5: a lone cell in column E.
SHEET = """<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>
<row r="1"><c r="A1" t="inlineStr"><is><t>h1</t></is></c></row>
<row r="2"><c r="A2"><v>0.30000000000000004</v></c><c r="B2" t="s"><v>0</v></c><c r="C2" t="inlineStr"><is><r><t>in</t></r><r><t>line</t></r></is></c><c r="D2" t="b"><v>1</v></c><c r="E2" t="str"><f>A2&amp;"x"</f><v>0.3x</v></c><c r="F2" t="s"><v>1</v></c></row>
<row r="4"><c r="A4" s="1"><v>45356</v></c><c r="B4" s="2"><v>45356.75</v></c><c s="4"><v>45356</v></c><c s="3"><v>1.5</v></c><c><v>1E+20</v></c></row>
<row r="5"><c r="E5"><v>-12</v></c></row>
<row r="6"/>
</sheetData></worksheet>"""
with zipfile.ZipFile("cells.xlsx", "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("[Content_Types].xml", CT)
    z.writestr("_rels/.rels", ROOT_RELS)
    z.writestr("xl/workbook.xml", WB)
    z.writestr("xl/_rels/workbook.xml.rels", WB_RELS)
    z.writestr("xl/styles.xml", STYLES)
    z.writestr("xl/sharedStrings.xml", STRINGS)
    z.writestr("xl/worksheets/data.xml", SHEET)

# broken.xlsx: cells.xlsx with its sheet cut off inside the third row.
with zipfile.ZipFile("broken.xlsx", "w", zipfile.ZIP_DEFLATED) as z:
    with zipfile.ZipFile("cells.xlsx") as src:
        for item in src.infolist():
            data = src.read(item)
            if item.filename == "xl/worksheets/data.xml":
                data = data[:data.index(b'<row r="4">') + 30]
            z.writestr(item, data)
