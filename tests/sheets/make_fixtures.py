#!/usr/bin/python3
"""Writes the spreadsheet fixtures of tests/cli/sheets_print_test.sh and
tests/data/spreadsheet_test.cpp (run from this folder
 with Debian's /usr/bin/python3).

stock.csv  the records as text, the twin the others must print alike
stock.ods  written by odfpy (python3-odf): a number column (0.1, 0.2, ...),
           dates shown as YYYY-MM-DD, an empty cell every fifth record and a
           formula with its value
stock.xlsx stock.ods saved again by LibreOffice (libreoffice-calc-nogui:
           soffice --headless --convert-to)
stock.xls  the same saved by LibreOffice (the formula with its value)
formats.xlsx one cell a row under a number format (built-in ids and codes),
           on the second sheet (the first is hidden and the active one, so
           the second is read by default); its sheets "BadString" and
           "BadRef" hold a shared-string index and a cell reference out of
           place. formats.csv is what LibreOffice shows for each cell
           (soffice --convert-to csv), with the few overrides noted in FORMATS
formats.xls formats.xlsx saved by LibreOffice, its first sheet hidden again
           (the export shows it); LibreOffice saves the built-in dates under
           its own codes there
styles.ods cells saved without the text they show (as writers other than
           the spreadsheet programs save them), each to be shown through its
           data style; a hidden first sheet, the active sheet last
protected.xlsx the shape of a password-protected workbook: a compound file
           holding the EncryptionInfo and EncryptedPackage streams (their
           contents are filler; LibreOffice's command line cannot encrypt)
cells.xlsx a hand-made workbook of the cases the writers above do not make
           (inline strings, rows and cells left out, no dimension, booleans,
           date formats), zipped by Python's zipfile; broken.xlsx the same cut
           off inside a row
"""
import csv
import datetime
import os
import subprocess
import tempfile
import zipfile
from xml.sax.saxutils import escape

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


def spreadsheet():
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


spreadsheet().save("stock.ods")

with tempfile.TemporaryDirectory() as profile:
    for kind in ("xlsx", "xls"):
        subprocess.run(["soffice", f"-env:UserInstallation=file://{profile}", "--headless", "--convert-to", kind,
                        "--outdir", ".", "stock.ods"], check=True, stdout=subprocess.DEVNULL)
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


# (value, number format code or built-in id, cell type, what LibreOffice shows
# when this reader deliberately differs). The code column says which case a
# row is when the test reports it.
FORMATS = [
    ("0.30000000000000004", 0, "n", None),         # General: 15 significant digits
    ("6901234567892", 0, "n", None),
    ("1E+20", 0, "n", "1E+20"),                    # as the cell shows it (the CSV export writes "1E+020")
    ("2.5", "0.00", "n", None),
    ("2.675", "0.00", "n", None),                   # rounds as the decimal shows
    ("1234567.891", "#,##0.00", "n", None),
    ("-1234.5", 3, "n", None),
    ("0.256", 9, "n", None),
    ("0.12345", 10, "n", None),
    ("12345.678", 11, "n", None),
    ("0.00012", "0.00E+00", "n", None),
    ("12345", 48, "n", None),
    ("42", "00000", "n", None),
    ("5", '"No. "000', "n", None),
    ("2.5", '0.00" kg"', "n", None),
    ("-2.5", "0.00;(0.00)", "n", None),
    ("0", '0.00;(0.00);"zero"', "n", None),
    ("1234.5", "[Red]#,##0.00", "n", None),
    ("-3", "[Blue]0;[Red]-0", "n", None),
    ("1234567", "#,##0.0,,", "n", None),
    ("0.5", "#.##", "n", None),
    ("1.5", "0.0#", "n", None),
    ("1.234", "0.0#", "n", None),
    ("0.001", "0.00", "n", None),
    ("123", "@", "n", None),
    ("-0.5", "0%;-0%;\"nil\"", "n", None),
    ("-0.001", "0.00", "n", None),                  # no minus before a zero shown
    ("-5", '[<0]"neg "0;0', "n", None),
    ("1234", "[$€-407]#,##0.00", "n", None),
    ("45356", "yyyy-mm-dd", "n", None),
    ("45356", 'yyyy"年"m"月"d"日"', "n", None),
    ("45356", 31, "n", "2024年3月5日"),            # the Chinese locale's long date (LibreOffice: en-US)
    ("45356.5625", "h:mm AM/PM", "n", None),
    ("45356.5625", 34, "n", "下午1时30分"),          # the Chinese locale's time (LibreOffice: en-US)
    ("1.5", "[h]:mm", "n", None),
    ("45356.586", 14, "n", "2024-03-05"),          # the short date: ISO here
    ("60", "yyyy-mm-dd", "n", "1900-02-29"),        # the leap day spreadsheets count
    ("1", "b", "b", None),
    ("0", "b", "b", None),
    ("#N/A", "e", "e", None),
    ("0.333333333333333", "0.00", "f", None),    # a formula by its cached value
    ("SKU", '"[" @ "]"', "s", None),               # a text cell's own section
    ("abc", '0;-0;0;"<"@">"', "s", None),
]


def formats_workbook(path, shown=None):
    codes = []
    for _, code, kind, _ in FORMATS:
        if isinstance(code, str) and kind in "nfs" and code not in codes:
            codes.append(code)
    numfmts = "".join(f'<numFmt numFmtId="{164 + i}" formatCode="{escape(c, {chr(34): "&quot;"})}"/>'
                      for i, c in enumerate(codes))
    xfs = ['<xf numFmtId="0"/>']
    rows = ['<row r="1"><c r="A1" t="inlineStr"><is><t>shown</t></is></c>'
            '<c r="B1" t="inlineStr"><is><t>code</t></is></c></row>']
    strings = []
    for n, (value, code, kind, _) in enumerate(FORMATS, start=2):
        style = 0
        if isinstance(code, int):
            xfs.append(f'<xf numFmtId="{code}" applyNumberFormat="1"/>')
            style = len(xfs) - 1
        elif kind in "nfs":
            xfs.append(f'<xf numFmtId="{164 + codes.index(code)}" applyNumberFormat="1"/>')
            style = len(xfs) - 1
        if kind == "n":
            cell = f'<c r="A{n}" s="{style}"><v>{value}</v></c>'
        elif kind == "f":
            cell = f'<c r="A{n}" s="{style}"><f>1/3</f><v>{value}</v></c>'
        elif kind == "s":
            strings.append(value)
            cell = f'<c r="A{n}" s="{style}" t="s"><v>{len(strings) - 1}</v></c>'
        else:
            cell = f'<c r="A{n}" t="{kind}"><v>{value}</v></c>'
        rows.append(f'<row r="{n}">{cell}<c r="B{n}" t="inlineStr"><is><t>{escape(str(code))}</t></is></c></row>')
    ns = 'xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"'
    sheet = f'<?xml version="1.0" encoding="UTF-8"?><worksheet {ns}><sheetData>{"".join(rows)}</sheetData></worksheet>'
    one = f'<?xml version="1.0" encoding="UTF-8"?><worksheet {ns}><sheetData>{{}}</sheetData></worksheet>'
    wb = (f'<?xml version="1.0" encoding="UTF-8"?><workbook {ns} '
          'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
          '<bookViews><workbookView activeTab="0"/></bookViews><sheets>'
          '<sheet name="Hidden" sheetId="1" state="hidden" r:id="r1"/><sheet name="Formats" sheetId="2" r:id="r2"/>'
          '<sheet name="BadString" sheetId="3" r:id="r3"/><sheet name="BadRef" sheetId="4" r:id="r4"/>'
          '</sheets></workbook>')
    rels = ('<?xml version="1.0" encoding="UTF-8"?>'
            '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">' +
            "".join(f'<Relationship Id="r{i}" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
                    f'relationships/worksheet" Target="worksheets/sheet{i}.xml"/>' for i in range(1, 5)) +
            '<Relationship Id="rT" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" '
            'Target="styles.xml"/><Relationship Id="rU" Type="http://schemas.openxmlformats.org/officeDocument/'
            '2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>')
    styles = (f'<?xml version="1.0" encoding="UTF-8"?><styleSheet {ns}><numFmts count="{len(codes)}">{numfmts}'
              f'</numFmts><cellXfs count="{len(xfs)}">{"".join(xfs)}</cellXfs></styleSheet>')
    sst = (f'<?xml version="1.0" encoding="UTF-8"?><sst {ns}>' +
           "".join(f"<si><t>{escape(t)}</t></si>" for t in strings) + "</sst>")
    ct = CT.replace('<Override PartName="/xl/worksheets/data.xml" ContentType="application/vnd.openxmlformats-'
                    'officedocument.spreadsheetml.worksheet+xml"/>',
                    "".join(f'<Override PartName="/xl/worksheets/sheet{i}.xml" ContentType="application/'
                            'vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>' for i in range(1, 5)))
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        z.writestr("[Content_Types].xml", ct)
        z.writestr("_rels/.rels", ROOT_RELS)
        z.writestr("xl/workbook.xml", wb)
        z.writestr("xl/_rels/workbook.xml.rels", rels)
        z.writestr("xl/styles.xml", styles)
        z.writestr("xl/sharedStrings.xml", sst)
        z.writestr("xl/worksheets/sheet1.xml", one.format('<row r="1"><c r="A1" t="inlineStr"><is><t>hidden'
                                                          '</t></is></c></row>'))
        z.writestr("xl/worksheets/sheet2.xml", sheet)
        z.writestr("xl/worksheets/sheet3.xml", one.format('<row r="1"><c r="A1" t="s"><v>0</v></c></row>'
                                                          '<row r="2"><c r="A2"><v>1</v></c>'
                                                          '<c r="B2" t="s"><v>99</v></c></row>'))
        z.writestr("xl/worksheets/sheet4.xml", one.format('<row r="1"><c r="A1"><v>1</v></c></row>'
                                                          '<row r="2"><c r="C2"><v>2</v></c>'
                                                          '<c r="B2"><v>3</v></c></row>'))


formats_workbook("formats.xlsx")
# What LibreOffice shows for each cell, the cases it cannot show as this
# reader does overridden.
with tempfile.TemporaryDirectory() as profile:
    subprocess.run(["soffice", f"-env:UserInstallation=file://{profile}", "--headless", "--convert-to",
                    "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,2",
                    "--outdir", profile, "formats.xlsx"], check=True, stdout=subprocess.DEVNULL)
    shown = list(csv.reader(open(os.path.join(profile, "formats-Formats.csv"), encoding="utf-8")))
with open("formats.csv", "w", newline="", encoding="utf-8") as f:
    out = csv.writer(f, lineterminator="\r\n")
    out.writerow(["shown", "code"])
    for (value, code, kind, override), row in zip(FORMATS, shown[1:]):
        if override is None and row[0] != row[0].strip():
            print("note: LibreOffice pads", repr(row[0]))
        out.writerow([override if override is not None else row[0], str(code)])


def compound_file(path, streams):
    """A compound file (version 3, 512-byte sectors) of streams of 4,096
    bytes or more each, so that they need no mini stream."""
    import struct
    END, FREE, FATSECT = 0xFFFFFFFE, 0xFFFFFFFF, 0xFFFFFFFD
    fat, data, starts = [FATSECT, END], b"", []
    for _, body in streams:
        body += b"\0" * (-len(body) % 512)
        first = len(fat)
        n = len(body) // 512
        fat += list(range(first + 1, first + n)) + [END]
        starts.append(first)
        data += body
    assert len(fat) <= 128
    fat += [FREE] * (128 - len(fat))

    def entry(name, kind, left, right, child, start, size):
        raw = name.encode("utf-16-le")
        return struct.pack("<64sHBBIII16sIQQIQ", raw, len(raw) + 2 if name else 0, kind, 1, left, right, child,
                           b"", 0, 0, 0, start, size)
    none = 0xFFFFFFFF
    entries = entry("Root Entry", 5, none, none, 1, END, 0)
    for i, (name, body) in enumerate(streams):
        entries += entry(name, 2, none, i + 2 if i + 1 < len(streams) else none, none, starts[i], len(body))
    entries += b"\0" * (512 - len(entries))
    header = struct.pack("<8s16sHHHHH6sIIIIIIIII", b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", b"", 0x3E, 3, 0xFFFE,
                         9, 6, b"", 0, 1, 1, 0, 4096, END, 0, END, 0)
    header += struct.pack("<I", 0) + struct.pack("<I", FREE) * 108
    with open(path, "wb") as f:
        f.write(header + struct.pack("<128I", *fat) + entries + data)


compound_file("protected.xlsx", [("EncryptionInfo", b"\x04\x00\x04\x00\x40\x00\x00\x00" + b"\0" * 4088),
                                 ("EncryptedPackage", bytes(range(256)) * 16)])


ODS_NS = ('xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" '
          'xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" '
          'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" '
          'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" '
          'xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0" '
          'xmlns:config="urn:oasis:names:tc:opendocument:xmlns:config:1.0" office:version="1.2"')
ODS_STYLES = """
<number:number-style style:name="N1"><number:number number:decimal-places="2" number:min-decimal-places="2"
 number:min-integer-digits="1" number:grouping="true"/></number:number-style>
<number:percentage-style style:name="N2"><number:number number:decimal-places="1" number:min-decimal-places="1"
 number:min-integer-digits="1"/><number:text>%</number:text></number:percentage-style>
<number:number-style style:name="N3P0"><number:number number:decimal-places="2" number:min-decimal-places="2"
 number:min-integer-digits="1"/></number:number-style>
<number:number-style style:name="N3"><number:text>(</number:text><number:number number:decimal-places="2"
 number:min-decimal-places="2" number:min-integer-digits="1"/><number:text>)</number:text>
 <style:map style:condition="value()&gt;=0" style:apply-style-name="N3P0"/></number:number-style>
<number:date-style style:name="N4"><number:year number:style="long"/><number:text>年</number:text><number:month/>
 <number:text>月</number:text><number:day/><number:text>日</number:text></number:date-style>
<number:time-style style:name="N5" number:truncate-on-overflow="false"><number:hours/><number:text>:</number:text>
 <number:minutes number:style="long"/></number:time-style>
<number:number-style style:name="N6"><number:number number:decimal-places="0" number:min-integer-digits="6"/>
 </number:number-style>
<number:number-style style:name="N7"><number:scientific-number number:decimal-places="2"
 number:min-integer-digits="1" number:min-exponent-digits="2"/></number:number-style>
"""
ODS_CELLS = [("float", 'office:value="1234.5"', "N1"), ("percentage", 'office:value="0.256"', "N2"),
             ("float", 'office:value="-2.5"', "N3"), ("float", 'office:value="2.5"', "N3"),
             ("date", 'office:date-value="2024-03-05T14:04:00"', "N4"), ("time", 'office:time-value="PT36H00M00S"', "N5"),
             ("float", 'office:value="42"', "N6"), ("float", 'office:value="12345.678"', "N7"),
             ("float", 'office:value="0.30000000000000004"', None)]
styles = "".join(f'<style:style style:name="c{n}" style:family="table-cell" style:data-style-name="{n}"/>'
                 for n in ("N1", "N2", "N3", "N4", "N5", "N6", "N7"))
cells = "".join(f'<table:table-cell office:value-type="{t}" {v}' + (f' table:style-name="c{n}"' if n else "") + "/>"
                for t, v, n in ODS_CELLS)
content = (f'<?xml version="1.0" encoding="UTF-8"?><office:document-content {ODS_NS}><office:automatic-styles>'
           f'{ODS_STYLES}{styles}<style:style style:name="ta1" style:family="table">'
           '<style:table-properties table:display="false"/></style:style></office:automatic-styles>'
           '<office:body><office:spreadsheet>'
           '<table:table table:name="Hidden" table:style-name="ta1"><table:table-row><table:table-cell '
           'office:value-type="string"><text:p>hidden</text:p></table:table-cell></table:table-row></table:table>'
           '<table:table table:name="Other"><table:table-row><table:table-cell office:value-type="string">'
           '<text:p>other</text:p></table:table-cell></table:table-row></table:table>'
           f'<table:table table:name="Styles"><table:table-row>{cells}</table:table-row></table:table>'
           '</office:spreadsheet></office:body></office:document-content>')
settings = (f'<?xml version="1.0" encoding="UTF-8"?><office:document-settings {ODS_NS}><office:settings>'
            '<config:config-item-set config:name="ooo:view-settings"><config:config-item-map-indexed '
            'config:name="Views"><config:config-item-map-entry><config:config-item config:name="ActiveTable" '
            'config:type="string">Styles</config:config-item></config:config-item-map-entry>'
            '</config:config-item-map-indexed></config:config-item-set></office:settings></office:document-settings>')
with zipfile.ZipFile("styles.ods", "w") as z:
    z.writestr("mimetype", "application/vnd.oasis.opendocument.spreadsheet")
    z.writestr("META-INF/manifest.xml", '<?xml version="1.0" encoding="UTF-8"?><manifest:manifest '
               'xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0" manifest:version="1.2">'
               '<manifest:file-entry manifest:full-path="/" manifest:media-type="application/vnd.oasis.'
               'opendocument.spreadsheet"/><manifest:file-entry manifest:full-path="content.xml" '
               'manifest:media-type="text/xml"/><manifest:file-entry manifest:full-path="settings.xml" '
               'manifest:media-type="text/xml"/></manifest:manifest>')
    z.writestr("content.xml", content)
    z.writestr("settings.xml", settings)


def hide_first_sheet_of_xls(path):
    """LibreOffice's .xls export shows the hidden active sheet: hide it again
    (BOUNDSHEET's state) and keep it active (WINDOW1's tab), as in the .xlsx."""
    import struct
    data = bytearray(open(path, "rb").read())
    fat = []
    for i in range(109):
        s = struct.unpack_from("<I", data, 76 + 4 * i)[0]
        if s < 0xFFFFFFF0:
            fat += struct.unpack_from("<128I", data, 512 + s * 512)
    d = 512 + struct.unpack_from("<I", data, 48)[0] * 512
    while data[d:d + 16].decode("utf-16le") != "Workbook":
        d += 128
    sector, offsets = struct.unpack_from("<I", data, d + 116)[0], []
    while sector < 0xFFFFFFF0:
        offsets += range(512 + sector * 512, 512 + sector * 512 + 512)
        sector = fat[sector]
    at, sheets = 0, 0
    while True:
        kind, length = (struct.unpack("<HH", bytes(data[o] for o in offsets[at:at + 4])))
        if kind == 0x0085 and sheets == 0:
            data[offsets[at + 4 + 4]] = 1
        sheets += kind == 0x0085
        if kind == 0x000A:
            break
        at += 4 + length
    open(path, "wb").write(data)


# formats.xls: formats.xlsx saved by LibreOffice, its first sheet hidden again
with tempfile.TemporaryDirectory() as profile:
    subprocess.run(["soffice", f"-env:UserInstallation=file://{profile}", "--headless", "--convert-to", "xls",
                    "formats.xlsx"], check=True)
hide_first_sheet_of_xls("formats.xls")
