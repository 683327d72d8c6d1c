<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>Barcode</name>
    <message>
        <source>Unknown barcode type %1</source>
        <translation>Unknown barcode type %1</translation>
    </message>
    <message>
        <source>Unknown two-dimensional symbology %1</source>
        <translation>Unknown two-dimensional symbology %1</translation>
    </message>
    <message>
        <source>Data too long for %1</source>
        <translation>Data too long for %1</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>%1 could not be encoded</source>
        <translation>%1 could not be encoded</translation>
    </message>
    <message>
        <source>%1 columns</source>
        <translation>%1 columns</translation>
    </message>
    <message>
        <source>error correction must be L, M, Q or H</source>
        <translation>error correction must be L, M, Q or H</translation>
    </message>
    <message>
        <source>version must be 1 to 40 or automatic</source>
        <translation>version must be 1 to 40 or automatic</translation>
    </message>
    <message>
        <source>size must be 1 to 30 or automatic</source>
        <translation>size must be 1 to 30 or automatic</translation>
    </message>
    <message>
        <source>security level must be 0 to 8 or automatic</source>
        <translation>security level must be 0 to 8 or automatic</translation>
    </message>
    <message>
        <source>columns must be 1 to 30 or automatic</source>
        <translation>columns must be 1 to 30 or automatic</translation>
    </message>
    <message>
        <source>error correction must be 10, 23, 36 or 50 %</source>
        <translation>error correction must be 10, 23, 36 or 50 %</translation>
    </message>
    <message>
        <source>size must be 1 to 36 or automatic</source>
        <translation>size must be 1 to 36 or automatic</translation>
    </message>
    <message>
        <source>%1: the text is empty</source>
        <translation>%1: the text is empty</translation>
    </message>
    <message>
        <source>digits</source>
        <translation>digits</translation>
    </message>
    <message>
        <source>ASCII characters</source>
        <translation>ASCII characters</translation>
    </message>
    <message>
        <source>0-9, A-Z, space and $ % + - . /</source>
        <translation>0-9, A-Z, space and $ % + - . /</translation>
    </message>
    <message>
        <source>%1 takes only %2, and the text has none</source>
        <translation>%1 takes only %2, and the text has none</translation>
    </message>
    <message>
        <source>AI (%1): %2 may hold only digits, not %3</source>
        <translation>AI (%1): %2 may hold only digits, not %3</translation>
    </message>
    <message>
        <source>AI (%1): %2 may not hold %3 (GS1 character set 39)</source>
        <translation>AI (%1): %2 may not hold %3 (GS1 character set 39)</translation>
    </message>
    <message>
        <source>AI (%1): %2 may not hold %3 (GS1 character set 64)</source>
        <translation>AI (%1): %2 may not hold %3 (GS1 character set 64)</translation>
    </message>
    <message>
        <source>AI (%1): %2 may not hold %3 (GS1 character set 82)</source>
        <translation>AI (%1): %2 may not hold %3 (GS1 character set 82)</translation>
    </message>
    <message>
        <source>AI (%1): the check digit of %2 is wrong; it should be %3</source>
        <translation>AI (%1): the check digit of %2 is wrong; it should be %3</translation>
    </message>
    <message>
        <source>AI (%1): %2 is not a valid date (YYMMDD)</source>
        <translation>AI (%1): %2 is not a valid date (YYMMDD)</translation>
    </message>
    <message>
        <source>AI (%1): %2 is not a valid date (YYYYMMDD)</source>
        <translation>AI (%1): %2 is not a valid date (YYYYMMDD)</translation>
    </message>
    <message>
        <source>AI (%1): %2 is not a valid time (HHMM)</source>
        <translation>AI (%1): %2 is not a valid time (HHMM)</translation>
    </message>
    <message>
        <source>AI (%1): %2 is not a valid hour (HH)</source>
        <translation>AI (%1): %2 is not a valid hour (HH)</translation>
    </message>
    <message>
        <source>AI (%1): %2 is not a valid minute or second</source>
        <translation>AI (%1): %2 is not a valid minute or second</translation>
    </message>
    <message>
        <source>AI (%1): %2 may not be zero</source>
        <translation>AI (%1): %2 may not be zero</translation>
    </message>
    <message>
        <source>AI (%1): %2 must be 0</source>
        <translation>AI (%1): %2 must be 0</translation>
    </message>
    <message>
        <source>AI (%1): %2 must be 0 or 1</source>
        <translation>AI (%1): %2 must be 0 or 1</translation>
    </message>
    <message>
        <source>AI (%1): %2 must be 0, 1 or 9</source>
        <translation>AI (%1): %2 must be 0, 1 or 9</translation>
    </message>
    <message>
        <source>AI (%1): %2 is not a piece of a total (piece 1 to total)</source>
        <translation>AI (%1): %2 is not a piece of a total (piece 1 to total)</translation>
    </message>
    <message>
        <source>AI (%1): %2 must be a hyphen</source>
        <translation>AI (%1): %2 must be a hyphen</translation>
    </message>
    <message>
        <source>AI (%1): %2 may not begin with 0</source>
        <translation>AI (%1): %2 may not begin with 0</translation>
    </message>
    <message>
        <source>AI (%1): %2 must hold a character other than a digit</source>
        <translation>AI (%1): %2 must hold a character other than a digit</translation>
    </message>
    <message>
        <source>AI (%1): in %2 a % is not followed by two hex digits</source>
        <translation>AI (%1): in %2 a % is not followed by two hex digits</translation>
    </message>
    <message>
        <source>AI (%1): the value is missing</source>
        <translation>AI (%1): the value is missing</translation>
    </message>
    <message>
        <source>AI (%1): %2 has %3 characters; it takes %4</source>
        <translation>AI (%1): %2 has %3 characters; it takes %4</translation>
    </message>
    <message>
        <source>AI (%1): %2 has %3 characters; it takes at most %4</source>
        <translation>AI (%1): %2 has %3 characters; it takes at most %4</translation>
    </message>
    <message>
        <source>AI (%1): %2 has %3 characters; it takes at least %4</source>
        <translation>AI (%1): %2 has %3 characters; it takes at least %4</translation>
    </message>
    <message>
        <source>AI (%1): %2 is too short for its last part</source>
        <translation>AI (%1): %2 is too short for its last part</translation>
    </message>
    <message>
        <source>GS1 data must begin with an AI in brackets, such as (01)</source>
        <translation>GS1 data must begin with an AI in brackets, such as (01)</translation>
    </message>
    <message>
        <source>%1 is not an AI: 2 to 4 digits in brackets</source>
        <translation>%1 is not an AI: 2 to 4 digits in brackets</translation>
    </message>
    <message>
        <source>AI (%1) is not in the GS1 table</source>
        <translation>AI (%1) is not in the GS1 table</translation>
    </message>
    <message>
        <source>GS1 data without brackets must begin with an AI: %1 does not</source>
        <translation>GS1 data without brackets must begin with an AI: %1 does not</translation>
    </message>
    <message>
        <source>GS1 data is empty</source>
        <translation>GS1 data is empty</translation>
    </message>
    <message>
        <source>Check digit</source>
        <translation>Check digit</translation>
    </message>
    <message>
        <source>Two check digits (C and K)</source>
        <translation>Two check digits (C and K)</translation>
    </message>
    <message>
        <source>One check digit (C)</source>
        <translation>One check digit (C)</translation>
    </message>
    <message>
        <source>No check digit</source>
        <translation>No check digit</translation>
    </message>
    <message>
        <source>Check digits</source>
        <translation>Check digits</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Modulo 10</source>
        <translation>Modulo 10</translation>
    </message>
    <message>
        <source>Modulo 10, twice</source>
        <translation>Modulo 10, twice</translation>
    </message>
    <message>
        <source>Modulo 11 (IBM)</source>
        <translation>Modulo 11 (IBM)</translation>
    </message>
    <message>
        <source>Modulo 11 and modulo 10</source>
        <translation>Modulo 11 and modulo 10</translation>
    </message>
    <message>
        <source>Bearer box</source>
        <translation>Bearer box</translation>
    </message>
    <message>
        <source>Bearer bars top and bottom</source>
        <translation>Bearer bars top and bottom</translation>
    </message>
    <message>
        <source>No bearer bars</source>
        <translation>No bearer bars</translation>
    </message>
    <message>
        <source>Bearer bars</source>
        <translation>Bearer bars</translation>
    </message>
    <message>
        <source>Add-on gap (modules)</source>
        <translation>Add-on gap (modules)</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Import character prefix</source>
        <translation>Import character prefix</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Rows</translation>
    </message>
    <message>
        <source>Data columns</source>
        <translation>Data columns</translation>
    </message>
    <message>
        <source>Security level</source>
        <translation>Security level</translation>
    </message>
    <message>
        <source>Segment pairs per row</source>
        <translation>Segment pairs per row</translation>
    </message>
    <message>
        <source>CC-A</source>
        <translation>CC-A</translation>
    </message>
    <message>
        <source>CC-B</source>
        <translation>CC-B</translation>
    </message>
    <message>
        <source>CC-C</source>
        <translation>CC-C</translation>
    </message>
    <message>
        <source>2D component (element string)</source>
        <translation>2D component (element string)</translation>
    </message>
    <message>
        <source>Composite component</source>
        <translation>Composite component</translation>
    </message>
    <message>
        <source>L (7 %)</source>
        <translation>L (7 %)</translation>
    </message>
    <message>
        <source>M (15 %)</source>
        <translation>M (15 %)</translation>
    </message>
    <message>
        <source>Q (25 %)</source>
        <translation>Q (25 %)</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Error correction level</source>
        <translation>Error correction level</translation>
    </message>
    <message>
        <source>H (30 %)</source>
        <translation>H (30 %)</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>Mode 2: numeric postcode</source>
        <translation>Mode 2: numeric postcode</translation>
    </message>
    <message>
        <source>Mode 3: alphanumeric postcode</source>
        <translation>Mode 3: alphanumeric postcode</translation>
    </message>
    <message>
        <source>Mode 4: standard symbol</source>
        <translation>Mode 4: standard symbol</translation>
    </message>
    <message>
        <source>Mode 5: full error correction</source>
        <translation>Mode 5: full error correction</translation>
    </message>
    <message>
        <source>Mode 6: reader programming</source>
        <translation>Mode 6: reader programming</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Primary message (postcode, country, service)</source>
        <translation>Primary message (postcode, country, service)</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>GS1</source>
        <translation>GS1</translation>
    </message>
    <message>
        <source>2D</source>
        <translation>2D</translation>
    </message>
    <message>
        <source>Postal</source>
        <translation>Postal</translation>
    </message>
    <message>
        <source>Pharmacy</source>
        <translation>Pharmacy</translation>
    </message>
    <message>
        <source>HIBC</source>
        <translation>HIBC</translation>
    </message>
    <message>
        <source>%1 has no option &apos;%2&apos;</source>
        <translation>%1 has no option &apos;%2&apos;</translation>
    </message>
    <message>
        <source>%1 must be one of %2</source>
        <translation>%1 must be one of %2</translation>
    </message>
    <message>
        <source>%1 must be a whole number from %2 to %3</source>
        <translation>%1 must be a whole number from %2 to %3</translation>
    </message>
    <message>
        <source>%1 must be 0 or 1</source>
        <translation>%1 must be 0 or 1</translation>
    </message>
</context>
<context>
    <name>BarcodeCommand</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>--ecc does not apply to %1</source>
        <translation>--ecc does not apply to %1</translation>
    </message>
    <message>
        <source>--ecc for %1 must be %2</source>
        <translation>--ecc for %1 must be %2</translation>
    </message>
    <message>
        <source>--size does not apply to %1</source>
        <translation>--size does not apply to %1</translation>
    </message>
    <message>
        <source>--size for %1 must be 1 to %2, a size such as %3%4, or auto</source>
        <translation>--size for %1 must be 1 to %2, a size such as %3%4, or auto</translation>
    </message>
    <message>
        <source>the PNG could not be made</source>
        <translation>the PNG could not be made</translation>
    </message>
    <message>
        <source>the symbol is too large: %1 x %2 pixels (at most %3 pixels)</source>
        <translation>the symbol is too large: %1 x %2 pixels (at most %3 pixels)</translation>
    </message>
    <message>
        <source>the symbol is too large for PNG: %1 x %2 pixels (at most %3 pixels a side)</source>
        <translation>the symbol is too large for PNG: %1 x %2 pixels (at most %3 pixels a side)</translation>
    </message>
    <message>
        <source>not enough memory for %1 x %2 pixels</source>
        <translation>not enough memory for %1 x %2 pixels</translation>
    </message>
    <message>
        <source>cannot start a PDF</source>
        <translation>cannot start a PDF</translation>
    </message>
    <message>
        <source>the PDF was not finished</source>
        <translation>the PDF was not finished</translation>
    </message>
    <message>
        <source>the text is neither UTF-8 nor GB18030</source>
        <translation>the text is neither UTF-8 nor GB18030</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos; (try barcode --help)</source>
        <translation>unknown option &apos;%1&apos; (try barcode --help)</translation>
    </message>
    <message>
        <source>unknown barcode type &apos;%1&apos;</source>
        <translation>unknown barcode type &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--module must be a whole number from 1 to 100</source>
        <translation>--module must be a whole number from 1 to 100</translation>
    </message>
    <message>
        <source>--height must be a whole number from 1 to 10000</source>
        <translation>--height must be a whole number from 1 to 10000</translation>
    </message>
    <message>
        <source>--rotation must be 0, 1, 2 or 3</source>
        <translation>--rotation must be 0, 1, 2 or 3</translation>
    </message>
    <message>
        <source>--type is required</source>
        <translation>--type is required</translation>
    </message>
    <message>
        <source>--text and --batch exclude each other</source>
        <translation>--text and --batch exclude each other</translation>
    </message>
    <message>
        <source>--text is required</source>
        <translation>--text is required</translation>
    </message>
    <message>
        <source>--output FILE.png|FILE.svg|FILE.pdf or --pattern is required</source>
        <translation>--output FILE.png|FILE.svg|FILE.pdf or --pattern is required</translation>
    </message>
    <message>
        <source>the output must end in .png, .svg or .pdf</source>
        <translation>the output must end in .png, .svg or .pdf</translation>
    </message>
    <message>
        <source>--batch needs an --output name with %d or %05d for the line number</source>
        <translation>--batch needs an --output name with %d or %05d for the line number</translation>
    </message>
    <message>
        <source>--option must be NAME=VALUE</source>
        <translation>--option must be NAME=VALUE</translation>
    </message>
</context>
<context>
    <name>Calibration</name>
    <message>
        <source>Printer calibration page (printed without calibration)
1. Measure X and Y (mm), from the centre of the top-left cross to the paper&apos;s left and top edges; each should be %1 mm.
   Offset X = %1 − X, offset Y = %1 − Y.
2. Measure LX and LY, the real lengths between the crosses at 0 and %2 mm and at 0 and %3 mm on the two rulers.
   Scale X = %2 ÷ LX × 100%, scale Y = %3 ÷ LY × 100%.
3. Enter these figures in the Printer Calibration dialog.</source>
        <translation>Printer calibration page (printed without calibration)
1. Measure X and Y (mm), from the centre of the top-left cross to the paper&apos;s left and top edges; each should be %1 mm.
   Offset X = %1 − X, offset Y = %1 − Y.
2. Measure LX and LY, the real lengths between the crosses at 0 and %2 mm and at 0 and %3 mm on the two rulers.
   Scale X = %2 ÷ LX × 100%, scale Y = %3 ÷ LY × 100%.
3. Enter these figures in the Printer Calibration dialog.</translation>
    </message>
    <message>
        <source>Calibration page (printed without calibration)
X, Y: top-left cross to the left, top edge (mm)
Offset = %1 − X, %1 − Y
LX, LY: the rulers&apos; real lengths
Scale = %2 ÷ LX, %3 ÷ LY × 100%</source>
        <translation>Calibration page (printed without calibration)
X, Y: top-left cross to the left, top edge (mm)
Offset = %1 − X, %1 − Y
LX, LY: the rulers&apos; real lengths
Scale = %2 ÷ LX, %3 ÷ LY × 100%</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>unknown option %1</source>
        <translation>unknown option %1</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>give the printer (--printer NAME) or, for the page alone, --output FILE.pdf</source>
        <translation>give the printer (--printer NAME) or, for the page alone, --output FILE.pdf</translation>
    </message>
    <message>
        <source>a calibration is stored for a printer (--printer NAME)</source>
        <translation>a calibration is stored for a printer (--printer NAME)</translation>
    </message>
    <message>
        <source>--paper applies only to --output</source>
        <translation>--paper applies only to --output</translation>
    </message>
    <message>
        <source>cannot write the settings file %1</source>
        <translation>cannot write the settings file %1</translation>
    </message>
    <message>
        <source>unknown paper %1 (A4, Letter or WxHmm such as 100x150mm)</source>
        <translation>unknown paper %1 (A4, Letter or WxHmm such as 100x150mm)</translation>
    </message>
    <message>
        <source>the output must be a .pdf file: %1</source>
        <translation>the output must be a .pdf file: %1</translation>
    </message>
    <message>
        <source>no such printer: %1</source>
        <translation>no such printer: %1</translation>
    </message>
    <message>
        <source>no such label file: %1</source>
        <translation>no such label file: %1</translation>
    </message>
    <message>
        <source>not a label file: %1</source>
        <translation>not a label file: %1</translation>
    </message>
    <message>
        <source>not a label file (.lbl or .lbf): %1</source>
        <translation>not a label file (.lbl or .lbf): %1</translation>
    </message>
    <message>
        <source>cannot read the label file %1</source>
        <translation>cannot read the label file %1</translation>
    </message>
    <message>
        <source>--offset takes X,Y in millimetres from -10 to 10, such as 0.5,-1.2: %1</source>
        <translation>--offset takes X,Y in millimetres from -10 to 10, such as 0.5,-1.2: %1</translation>
    </message>
    <message>
        <source>--scale takes SX,SY in percent from 95 to 105, such as 100,99.5: %1</source>
        <translation>--scale takes SX,SY in percent from 95 to 105, such as 100,99.5: %1</translation>
    </message>
    <message>
        <source>the printer %1 is stopped: job %2 is %3 and prints only when the printer is started again (cupsenable %1)</source>
        <translation>the printer %1 is stopped: job %2 is %3 and prints only when the printer is started again (cupsenable %1)</translation>
    </message>
    <message>
        <source>the printer %1 did not print job %2: it was %3</source>
        <translation>the printer %1 did not print job %2: it was %3</translation>
    </message>
    <message>
        <source>more than one label file: %1</source>
        <translation>more than one label file: %1</translation>
    </message>
    <message>
        <source>--delimiter and --fixed exclude each other</source>
        <translation>--delimiter and --fixed exclude each other</translation>
    </message>
    <message>
        <source>--copies must be a whole number from 1 to 1000000: %1</source>
        <translation>--copies must be a whole number from 1 to 1000000: %1</translation>
    </message>
    <message>
        <source>choose one of --pages, --labels and --all</source>
        <translation>choose one of --pages, --labels and --all</translation>
    </message>
    <message>
        <source>--%1 must be a whole number of at least 1: %2</source>
        <translation>--%1 must be a whole number of at least 1: %2</translation>
    </message>
    <message>
        <source>--dpi must be from 72 to 4800: %1</source>
        <translation>--dpi must be from 72 to 4800: %1</translation>
    </message>
    <message>
        <source>no label file given</source>
        <translation>no label file given</translation>
    </message>
    <message>
        <source>--sql and --data exclude each other</source>
        <translation>--sql and --data exclude each other</translation>
    </message>
    <message>
        <source>--query needs --sql URL</source>
        <translation>--query needs --sql URL</translation>
    </message>
    <message>
        <source>--sql needs --query &quot;SELECT ...&quot;</source>
        <translation>--sql needs --query &quot;SELECT ...&quot;</translation>
    </message>
    <message>
        <source>--output and --printer exclude each other</source>
        <translation>--output and --printer exclude each other</translation>
    </message>
    <message>
        <source>--paper and --dpi apply only to --output</source>
        <translation>--paper and --dpi apply only to --output</translation>
    </message>
    <message>
        <source>no such data file: %1</source>
        <translation>no such data file: %1</translation>
    </message>
    <message>
        <source>not a data file: %1</source>
        <translation>not a data file: %1</translation>
    </message>
    <message>
        <source>--sheet applies only to a .xlsx, .ods or .xls data file</source>
        <translation>--sheet applies only to a .xlsx, .ods or .xls data file</translation>
    </message>
    <message>
        <source>--delimiter takes tab, comma or one character: %1</source>
        <translation>--delimiter takes tab, comma or one character: %1</translation>
    </message>
    <message>
        <source>--fixed takes widths of at least 1, such as 10,5,8: %1</source>
        <translation>--fixed takes widths of at least 1, such as 10,5,8: %1</translation>
    </message>
    <message>
        <source>--quote takes one character or none: %1</source>
        <translation>--quote takes one character or none: %1</translation>
    </message>
    <message>
        <source>--all needs a data file (--data FILE)</source>
        <translation>--all needs a data file (--data FILE)</translation>
    </message>
    <message>
        <source>--all needs a label that imports columns from the data file</source>
        <translation>--all needs a label that imports columns from the data file</translation>
    </message>
    <message>
        <source>no printer is installed; write a PDF with --output FILE.pdf</source>
        <translation>no printer is installed; write a PDF with --output FILE.pdf</translation>
    </message>
    <message>
        <source>Printing cancelled.</source>
        <translation>Printing cancelled.</translation>
    </message>
    <message>
        <source>printed, but the counters were not saved: %1</source>
        <translation>printed, but the counters were not saved: %1</translation>
    </message>
    <message>
        <source>%1 labels on %2 pages to %3</source>
        <translation>%1 labels on %2 pages to %3</translation>
    </message>
    <message>
        <source>record %1: no barcode: %2</source>
        <translation>record %1: no barcode: %2</translation>
    </message>
    <message>
        <source>label %1: no barcode: %2</source>
        <translation>label %1: no barcode: %2</translation>
    </message>
    <message>
        <source>--output needs a file name</source>
        <translation>--output needs a file name</translation>
    </message>
    <message>
        <source>--output FILE.png is required</source>
        <translation>--output FILE.png is required</translation>
    </message>
    <message>
        <source>the output must be a .png file: %1</source>
        <translation>the output must be a .png file: %1</translation>
    </message>
    <message>
        <source>the label is too large to render (%1 x %2 pixels): %3</source>
        <translation>the label is too large to render (%1 x %2 pixels): %3</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>no label sheet matches %1</source>
        <translation>no label sheet matches %1</translation>
    </message>
    <message>
        <source>unknown label sheet %1; nearest: %2</source>
        <translation>unknown label sheet %1; nearest: %2</translation>
    </message>
    <message>
        <source>the label sheet %1 cannot be used: %2</source>
        <translation>the label sheet %1 cannot be used: %2</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos; (try --help)</source>
        <translation>unknown command &apos;%1&apos; (try --help)</translation>
    </message>
    <message>
        <source>--encoding takes UTF-8, GB18030, UTF-16LE or UTF-16BE: %1</source>
        <translation>--encoding takes UTF-8, GB18030, UTF-16LE or UTF-16BE: %1</translation>
    </message>
    <message>
        <source>--encoding applies only to a text data file</source>
        <translation>--encoding applies only to a text data file</translation>
    </message>
    <message>
        <source>every label: no picture: %1 cannot be read</source>
        <translation>every label: no picture: %1 cannot be read</translation>
    </message>
    <message>
        <source>--set takes NAME=VALUE: %1</source>
        <translation>--set takes NAME=VALUE: %1</translation>
    </message>
    <message>
        <source>--quantity-column takes a column&apos;s name or number</source>
        <translation>--quantity-column takes a column&apos;s name or number</translation>
    </message>
    <message>
        <source>--quantity-column needs a data file (--data FILE)</source>
        <translation>--quantity-column needs a data file (--data FILE)</translation>
    </message>
    <message>
        <source>--label (and --roll) choose the calibration page&apos;s size: give them only to print it</source>
        <translation>--label (and --roll) choose the calibration page&apos;s size: give them only to print it</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>the printer %1 no longer reports job %2</source>
        <translation>the printer %1 no longer reports job %2</translation>
    </message>
    <message>
        <source>the printer %1 is stopped: waiting for job %2 until it is started again (cupsenable %1)</source>
        <translation>the printer %1 is stopped: waiting for job %2 until it is started again (cupsenable %1)</translation>
    </message>
    <message>
        <source>stopped waiting: job %2 stays queued on %1 and prints later</source>
        <translation>stopped waiting: job %2 stays queued on %1 and prints later</translation>
    </message>
    <message>
        <source>warning: the paper holds %1 of the sheet&apos;s %2 rows: %3</source>
        <translation>warning: the paper holds %1 of the sheet&apos;s %2 rows: %3</translation>
    </message>
    <message>
        <source>row %1 is not printed</source>
        <translation>row %1 is not printed</translation>
    </message>
    <message>
        <source>rows %1 to %2 are not printed</source>
        <translation>rows %1 to %2 are not printed</translation>
    </message>
    <message>
        <source>warning: the paper holds %1 of the sheet&apos;s %2 columns: %3</source>
        <translation>warning: the paper holds %1 of the sheet&apos;s %2 columns: %3</translation>
    </message>
    <message>
        <source>column %1 is not printed</source>
        <translation>column %1 is not printed</translation>
    </message>
    <message>
        <source>columns %1 to %2 are not printed</source>
        <translation>columns %1 to %2 are not printed</translation>
    </message>
    <message>
        <source>job %2 on %1 is held: it prints when released (lp -i %2 -H resume)</source>
        <translation>job %2 on %1 is held: it prints when released (lp -i %2 -H resume)</translation>
    </message>
    <message>
        <source>--pages takes N or M-N, whole numbers from 1 with M not after N: %1</source>
        <translation>--pages takes N or M-N, whole numbers from 1 with M not after N: %1</translation>
    </message>
    <message>
        <source>--records takes M-N, M- or N, whole numbers from 1 with M not after N: %1</source>
        <translation>--records takes M-N, M- or N, whole numbers from 1 with M not after N: %1</translation>
    </message>
    <message>
        <source>--records needs a data file (--data FILE)</source>
        <translation>--records needs a data file (--data FILE)</translation>
    </message>
    <message>
        <source>--records needs a label that imports columns from the data file</source>
        <translation>--records needs a label that imports columns from the data file</translation>
    </message>
    <message>
        <source>no default printer; choose one with --printer: %1</source>
        <translation>no default printer; choose one with --printer: %1</translation>
    </message>
    <message>
        <source>%1 label on %2 page to %3</source>
        <translation>%1 label on %2 page to %3</translation>
    </message>
    <message>
        <source>%1 labels on %2 page to %3</source>
        <translation>%1 labels on %2 page to %3</translation>
    </message>
</context>
<context>
    <name>DataFile</name>
    <message>
        <source>Cannot read the data file &quot;%1&quot;: %2</source>
        <translation>Cannot read the data file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>it is a device or a pipe, not a file</source>
        <translation>it is a device or a pipe, not a file</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>the quoted field that starts on line %1 does not end within 16 MiB</source>
        <translation>the quoted field that starts on line %1 does not end within 16 MiB</translation>
    </message>
    <message>
        <source>line %1 is longer than 16 MiB</source>
        <translation>line %1 is longer than 16 MiB</translation>
    </message>
</context>
<context>
    <name>Database</name>
    <message>
        <source>a password does not belong in the connection (set QUORVANE_DB_PASSWORD or use the keyring)</source>
        <translation>a password does not belong in the connection (set QUORVANE_DB_PASSWORD or use the keyring)</translation>
    </message>
    <message>
        <source>not a database URL (unclosed &apos;[&apos;): %1</source>
        <translation>not a database URL (unclosed &apos;[&apos;): %1</translation>
    </message>
    <message>
        <source>not a database URL (bad host): %1</source>
        <translation>not a database URL (bad host): %1</translation>
    </message>
    <message>
        <source>not a database URL (bad port %1): %2</source>
        <translation>not a database URL (bad port %1): %2</translation>
    </message>
    <message>
        <source>not a database URL (bad parameter &apos;%1&apos;)</source>
        <translation>not a database URL (bad parameter &apos;%1&apos;)</translation>
    </message>
    <message>
        <source>the option %1 is not allowed</source>
        <translation>the option %1 is not allowed</translation>
    </message>
    <message>
        <source>not a database URL (bad port %1)</source>
        <translation>not a database URL (bad port %1)</translation>
    </message>
    <message>
        <source>The database %1 gives binary data in the column &quot;%2&quot;, which a label cannot print.</source>
        <translation>The database %1 gives binary data in the column &quot;%2&quot;, which a label cannot print.</translation>
    </message>
    <message>
        <source>%1 answers &quot;%2&quot;</source>
        <translation>%1 answers &quot;%2&quot;</translation>
    </message>
    <message>
        <source>not a database URL (sqlite:///path/to/file.db): %1</source>
        <translation>not a database URL (sqlite:///path/to/file.db): %1</translation>
    </message>
    <message>
        <source>no database file in the URL: %1</source>
        <translation>no database file in the URL: %1</translation>
    </message>
    <message>
        <source>no data source in the URL (odbc:DSN): %1</source>
        <translation>no data source in the URL (odbc:DSN): %1</translation>
    </message>
    <message>
        <source>not a database URL (sqlite:///FILE, postgresql://USER@HOST/DB, mysql://USER@HOST/DB or odbc:DSN): %1</source>
        <translation>not a database URL (sqlite:///FILE, postgresql://USER@HOST/DB, mysql://USER@HOST/DB or odbc:DSN): %1</translation>
    </message>
    <message>
        <source>not a database URL (%1://USER@HOST:PORT/DB): %2</source>
        <translation>not a database URL (%1://USER@HOST:PORT/DB): %2</translation>
    </message>
    <message>
        <source>Reading from the database %1 failed: %2</source>
        <translation>Reading from the database %1 failed: %2</translation>
    </message>
    <message>
        <source>No query for the database %1.</source>
        <translation>No query for the database %1.</translation>
    </message>
    <message>
        <source>The database %1 refused the query: only one SELECT statement is allowed.</source>
        <translation>The database %1 refused the query: only one SELECT statement is allowed.</translation>
    </message>
    <message>
        <source>The database %1 cannot be read: the Qt SQL driver %2 is not installed (%3).</source>
        <translation>The database %1 cannot be read: the Qt SQL driver %2 is not installed (%3).</translation>
    </message>
    <message>
        <source>Cannot open the database %1: no such file.</source>
        <translation>Cannot open the database %1: no such file.</translation>
    </message>
    <message>
        <source> (no password from the keyring: %1)</source>
        <translation> (no password from the keyring: %1)</translation>
    </message>
    <message>
        <source>Cannot connect to the database %1: %2%3</source>
        <translation>Cannot connect to the database %1: %2%3</translation>
    </message>
    <message>
        <source>The database %1 was not read: the session could not be made read-only (%2).</source>
        <translation>The database %1 was not read: the session could not be made read-only (%2).</translation>
    </message>
    <message>
        <source>The database %1 refused the query: %2</source>
        <translation>The database %1 refused the query: %2</translation>
    </message>
    <message>
        <source>The query on the database %1 returns no rows (it is not a SELECT).</source>
        <translation>The query on the database %1 returns no rows (it is not a SELECT).</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>语言 / Language</source>
        <translation>Language / 语言</translation>
    </message>
    <message>
        <source>The choice of language could not be saved.</source>
        <translation>The choice of language could not be saved.</translation>
    </message>
    <message>
        <source>所选语言将在下次启动程序时生效。</source>
        <translation>The chosen language takes effect the next time the program starts.</translation>
    </message>
</context>
<context>
    <name>Picture</name>
    <message>
        <source>Unable to locate Graphic file</source>
        <translation>Unable to locate Graphic file</translation>
    </message>
    <message>
        <source>Unable to load bitmap file</source>
        <translation>Unable to load bitmap file</translation>
    </message>
    <message>
        <source>Unable to load jpeg file</source>
        <translation>Unable to load jpeg file</translation>
    </message>
    <message>
        <source>the picture is too large</source>
        <translation>the picture is too large</translation>
    </message>
    <message>
        <source>not a valid SVG drawing</source>
        <translation>not a valid SVG drawing</translation>
    </message>
    <message>
        <source>the drawing has no size</source>
        <translation>the drawing has no size</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>Unable to load picture file (%1)</source>
        <translation>Unable to load picture file (%1)</translation>
    </message>
    <message>
        <source>unknown format</source>
        <translation>unknown format</translation>
    </message>
    <message>
        <source>The picture is %1 MB; pictures larger than %2 MB cannot be embedded in the label file.</source>
        <translation>The picture is %1 MB; pictures larger than %2 MB cannot be embedded in the label file.</translation>
    </message>
    <message>
        <source>The embedded picture is larger than %1 MB and was not loaded.</source>
        <translation>The embedded picture is larger than %1 MB and was not loaded.</translation>
    </message>
    <message>
        <source>the embedded data is damaged</source>
        <translation>the embedded data is damaged</translation>
    </message>
</context>
<context>
    <name>Printing</name>
    <message>
        <source>The label does not fit on the page.</source>
        <translation>The label does not fit on the page.</translation>
    </message>
    <message>
        <source>The data file has no records.</source>
        <translation>The data file has no records.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; cannot be used.</source>
        <translation>The printer &quot;%1&quot; cannot be used.</translation>
    </message>
    <message>
        <source>The query on the database %1 returns no rows.</source>
        <translation>The query on the database %1 returns no rows.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; failed to start a new page.</source>
        <translation>The printer &quot;%1&quot; failed to start a new page.</translation>
    </message>
    <message>
        <source> The job stopped after %1 labels and was discarded.</source>
        <translation> The job stopped after %1 labels and was discarded.</translation>
    </message>
    <message>
        <source>The printer cannot be used.</source>
        <translation>The printer cannot be used.</translation>
    </message>
    <message>
        <source>Cannot read the data source &quot;%1&quot; again.</source>
        <translation>Cannot read the data source &quot;%1&quot; again.</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;</source>
        <translation>Cannot write &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>Cannot write &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>(%1)</source>
        <translation>(%1)</translation>
    </message>
    <message>
        <source>the document was not written whole</source>
        <translation>the document was not written whole</translation>
    </message>
    <message>
        <source>The top margin is %1: a negative margin places labels outside the page.</source>
        <translation>The top margin is %1: a negative margin places labels outside the page.</translation>
    </message>
    <message>
        <source>The left margin is %1: a negative margin places labels outside the page.</source>
        <translation>The left margin is %1: a negative margin places labels outside the page.</translation>
    </message>
    <message>
        <source>barcode</source>
        <translation>barcode</translation>
    </message>
    <message>
        <source>memo</source>
        <translation>memo</translation>
    </message>
    <message>
        <source>text</source>
        <translation>text</translation>
    </message>
    <message>
        <source>(none: the source has no header line)</source>
        <translation>(none: the source has no header line)</translation>
    </message>
    <message>
        <source>The column &quot;%1&quot; is not in %2; its columns: %3.</source>
        <translation>The column &quot;%1&quot; is not in %2; its columns: %3.</translation>
    </message>
    <message>
        <source>Record %1: the quantity &quot;%2&quot; is not a whole number of labels.</source>
        <translation>Record %1: the quantity &quot;%2&quot; is not a whole number of labels.</translation>
    </message>
    <message>
        <source>the %1 check digit cannot be computed over &quot;%2&quot;</source>
        <translation>the %1 check digit cannot be computed over &quot;%2&quot;</translation>
    </message>
    <message>
        <source>the date &quot;%1&quot; does not read with the pattern &quot;%2&quot;</source>
        <translation>the date &quot;%1&quot; does not read with the pattern &quot;%2&quot;</translation>
    </message>
    <message>
        <source>the source has no column &quot;%1&quot;</source>
        <translation>the source has no column &quot;%1&quot;</translation>
    </message>
    <message>
        <source>no value was given for &quot;%1&quot;</source>
        <translation>no value was given for &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Item %1 (%2) at %3 x %4 mm</source>
        <translation>Item %1 (%2) at %3 x %4 mm</translation>
    </message>
    <message>
        <source>record %1</source>
        <translation>record %1</translation>
    </message>
    <message>
        <source>label %1</source>
        <translation>label %1</translation>
    </message>
    <message>
        <source>%1, %2: %3.</source>
        <translation>%1, %2: %3.</translation>
    </message>
    <message>
        <source>No value was given for &quot;%1&quot; (%2).</source>
        <translation>No value was given for &quot;%1&quot; (%2).</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; for &quot;%2&quot; is longer than %3 characters.</source>
        <translation>The value &quot;%1&quot; for &quot;%2&quot; is longer than %3 characters.</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; for &quot;%2&quot; does not match the pattern %3.</source>
        <translation>The value &quot;%1&quot; for &quot;%2&quot; does not match the pattern %3.</translation>
    </message>
    <message>
        <source>The pattern %1 of the value &quot;%2&quot; is not valid.</source>
        <translation>The pattern %1 of the value &quot;%2&quot; is not valid.</translation>
    </message>
    <message>
        <source>The quantity column is a column&apos;s name or its number from 1, not %1.</source>
        <translation>The quantity column is a column&apos;s name or its number from 1, not %1.</translation>
    </message>
    <message>
        <source>Every record of %1 asks for 0 labels (column &quot;%2&quot;).</source>
        <translation>Every record of %1 asks for 0 labels (column &quot;%2&quot;).</translation>
    </message>
    <message>
        <source>The first label must be from 1 to %1, the labels on a page: not %2.</source>
        <translation>The first label must be from 1 to %1, the labels on a page: not %2.</translation>
    </message>
    <message>
        <source>The records %1 to %2 are no range: the first is from 1 and not after the last.</source>
        <translation>The records %1 to %2 are no range: the first is from 1 and not after the last.</translation>
    </message>
    <message>
        <source>Records can be chosen only for a label that reads a data source.</source>
        <translation>Records can be chosen only for a label that reads a data source.</translation>
    </message>
    <message>
        <source>%1 has %2 records; record %3 is past its end.</source>
        <translation>%1 has %2 records; record %3 is past its end.</translation>
    </message>
    <message>
        <source>The pages %1 to %2 are no range: the first is after the last.</source>
        <translation>The pages %1 to %2 are no range: the first is after the last.</translation>
    </message>
    <message>
        <source>The job has %1 pages; page %2 is past its end.</source>
        <translation>The job has %1 pages; page %2 is past its end.</translation>
    </message>
    <message>
        <source>Cannot spool the document in &quot;%1&quot;: %2</source>
        <translation>Cannot spool the document in &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>Service</name>
    <message>
        <source>The job store %1 failed: %2</source>
        <translation>The job store %1 failed: %2</translation>
    </message>
    <message>
        <source>The job store %1 is open already.</source>
        <translation>The job store %1 is open already.</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>Cannot create the folder %1.</translation>
    </message>
    <message>
        <source>The job store cannot be opened: the Qt SQL driver QSQLITE is not installed.</source>
        <translation>The job store cannot be opened: the Qt SQL driver QSQLITE is not installed.</translation>
    </message>
    <message>
        <source>The job store %1 was written by a newer version of the program (format %2).</source>
        <translation>The job store %1 was written by a newer version of the program (format %2).</translation>
    </message>
    <message>
        <source>A worker needs a name to take jobs.</source>
        <translation>A worker needs a name to take jobs.</translation>
    </message>
    <message>
        <source>A job can only finish as done, failed or cancelled.</source>
        <translation>A job can only finish as done, failed or cancelled.</translation>
    </message>
    <message>
        <source>Job %1 is not being printed by %2.</source>
        <translation>Job %1 is not being printed by %2.</translation>
    </message>
    <message>
        <source>There is no job %1.</source>
        <translation>There is no job %1.</translation>
    </message>
    <message>
        <source>Job %1 is %2 already and cannot be cancelled.</source>
        <translation>Job %1 is %2 already and cannot be cancelled.</translation>
    </message>
    <message>
        <source>The job store %1 is damaged: %2</source>
        <translation>The job store %1 is damaged: %2</translation>
    </message>
    <message>
        <source>A record&apos;s value must be a text, a number or null.</source>
        <translation>A record&apos;s value must be a text, a number or null.</translation>
    </message>
    <message>
        <source>The number %1 is too long to keep every digit; send it as a text.</source>
        <translation>The number %1 is too long to keep every digit; send it as a text.</translation>
    </message>
    <message>
        <source>The records must be an array of objects or of arrays.</source>
        <translation>The records must be an array of objects or of arrays.</translation>
    </message>
    <message>
        <source>A request takes at most %1 records; this one has %2.</source>
        <translation>A request takes at most %1 records; this one has %2.</translation>
    </message>
    <message>
        <source>Every record must be an object (values by column name) or every record an array (values by column number).</source>
        <translation>Every record must be an object (values by column name) or every record an array (values by column number).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is required.</source>
        <translation>&quot;%1&quot; is required.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a text.</source>
        <translation>&quot;%1&quot; must be a text.</translation>
    </message>
    <message>
        <source>The request is larger than %1 bytes.</source>
        <translation>The request is larger than %1 bytes.</translation>
    </message>
    <message>
        <source>The request is not valid JSON: %1 (at byte %2).</source>
        <translation>The request is not valid JSON: %1 (at byte %2).</translation>
    </message>
    <message>
        <source>The request must be a JSON object.</source>
        <translation>The request must be a JSON object.</translation>
    </message>
    <message>
        <source>Unknown field &quot;%1&quot;; a request has only %2.</source>
        <translation>Unknown field &quot;%1&quot;; a request has only %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a label&apos;s file name: a plain name ending in .lbl, without folders.</source>
        <translation>&quot;%1&quot; is not a label&apos;s file name: a plain name ending in .lbl, without folders.</translation>
    </message>
    <message>
        <source>Copies must be a whole number from 1 to 999.</source>
        <translation>Copies must be a whole number from 1 to 999.</translation>
    </message>
    <message>
        <source>The values must be an object of texts by name.</source>
        <translation>The values must be an object of texts by name.</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; must be a text.</source>
        <translation>The value &quot;%1&quot; must be a text.</translation>
    </message>
    <message>
        <source>The label asks for no value &quot;%1&quot;; it asks for %2.</source>
        <translation>The label asks for no value &quot;%1&quot;; it asks for %2.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>No value was given for &quot;%1&quot; (%2).</source>
        <translation>No value was given for &quot;%1&quot; (%2).</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; is longer than %2 characters.</source>
        <translation>The value &quot;%1&quot; is longer than %2 characters.</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; does not match the pattern %2.</source>
        <translation>The value &quot;%1&quot; does not match the pattern %2.</translation>
    </message>
    <message>
        <source>The label&apos;s pattern %1 for this value is not valid.</source>
        <translation>The label&apos;s pattern %1 for this value is not valid.</translation>
    </message>
    <message>
        <source>Item %1 (barcode): %2.</source>
        <translation>Item %1 (barcode): %2.</translation>
    </message>
    <message>
        <source>The label prints from records; the request has none.</source>
        <translation>The label prints from records; the request has none.</translation>
    </message>
    <message>
        <source>The label reads the column &quot;%1&quot;; the records have %2.</source>
        <translation>The label reads the column &quot;%1&quot;; the records have %2.</translation>
    </message>
    <message>
        <source>no names (they are arrays)</source>
        <translation>no names (they are arrays)</translation>
    </message>
    <message>
        <source>The label reads column %1; the records have %2 columns.</source>
        <translation>The label reads column %1; the records have %2 columns.</translation>
    </message>
    <message>
        <source>unknown argument %1</source>
        <translation>unknown argument %1</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 needs a value</translation>
    </message>
    <message>
        <source>--workers takes a number from 1 to 64: %1</source>
        <translation>--workers takes a number from 1 to 64: %1</translation>
    </message>
    <message>
        <source>--tokens FILE is needed</source>
        <translation>--tokens FILE is needed</translation>
    </message>
    <message>
        <source>--labels DIR is needed</source>
        <translation>--labels DIR is needed</translation>
    </message>
    <message>
        <source>no such folder: %1</source>
        <translation>no such folder: %1</translation>
    </message>
    <message>
        <source>--listen takes ADDR:PORT, such as 127.0.0.1:8631: %1</source>
        <translation>--listen takes ADDR:PORT, such as 127.0.0.1:8631: %1</translation>
    </message>
    <message>
        <source>cannot listen on %1</source>
        <translation>cannot listen on %1</translation>
    </message>
    <message>
        <source>The tokens file %1 does not exist.</source>
        <translation>The tokens file %1 does not exist.</translation>
    </message>
    <message>
        <source>The tokens file %1 has mode %2: group and others must not read or write it (chmod 600).</source>
        <translation>The tokens file %1 has mode %2: group and others must not read or write it (chmod 600).</translation>
    </message>
    <message>
        <source>Cannot read the tokens file %1.</source>
        <translation>Cannot read the tokens file %1.</translation>
    </message>
    <message>
        <source>The tokens file %1, line %2: write a token and a name.</source>
        <translation>The tokens file %1, line %2: write a token and a name.</translation>
    </message>
    <message>
        <source>The tokens file %1 holds no token.</source>
        <translation>The tokens file %1 holds no token.</translation>
    </message>
    <message>
        <source>The request is longer than %1 bytes.</source>
        <translation>The request is longer than %1 bytes.</translation>
    </message>
    <message>
        <source>The label must be the name of a .lbl file in the labels&apos; folder.</source>
        <translation>The label must be the name of a .lbl file in the labels&apos; folder.</translation>
    </message>
    <message>
        <source>No printer is named %1.</source>
        <translation>No printer is named %1.</translation>
    </message>
    <message>
        <source>Unknown state %1.</source>
        <translation>Unknown state %1.</translation>
    </message>
    <message>
        <source>The limit is a whole number from 1 to %1.</source>
        <translation>The limit is a whole number from 1 to %1.</translation>
    </message>
    <message>
        <source>Job %1 has ended already.</source>
        <translation>Job %1 has ended already.</translation>
    </message>
    <message>
        <source>No job %1.</source>
        <translation>No job %1.</translation>
    </message>
    <message>
        <source>Method not allowed.</source>
        <translation>Method not allowed.</translation>
    </message>
    <message>
        <source>Job %1 has no PDF.</source>
        <translation>Job %1 has no PDF.</translation>
    </message>
    <message>
        <source>Not found.</source>
        <translation>Not found.</translation>
    </message>
    <message>
        <source>A valid token is needed (Authorization: Bearer TOKEN).</source>
        <translation>A valid token is needed (Authorization: Bearer TOKEN).</translation>
    </message>
    <message>
        <source>No label %1 in the labels&apos; folder.</source>
        <translation>No label %1 in the labels&apos; folder.</translation>
    </message>
    <message>
        <source>The label %1 cannot be read.</source>
        <translation>The label %1 cannot be read.</translation>
    </message>
    <message>
        <source>job %1</source>
        <translation>job %1</translation>
    </message>
    <message>
        <source>--watch takes DIR=LABEL.lbl or DIR=LABEL.lbl@PRINTER: %1</source>
        <translation>--watch takes DIR=LABEL.lbl or DIR=LABEL.lbl@PRINTER: %1</translation>
    </message>
    <message>
        <source>Cannot read %1.</source>
        <translation>Cannot read %1.</translation>
    </message>
    <message>
        <source>Cannot make the folder %1.</source>
        <translation>Cannot make the folder %1.</translation>
    </message>
    <message>
        <source>Cannot move %1 out of the watched folder.</source>
        <translation>Cannot move %1 out of the watched folder.</translation>
    </message>
    <message>
        <source>The queue must be a PostgreSQL database (postgresql://USER@HOST:PORT/DB): %1</source>
        <translation>The queue must be a PostgreSQL database (postgresql://USER@HOST:PORT/DB): %1</translation>
    </message>
    <message>
        <source>The job store cannot be opened: the Qt SQL driver %1 is not installed.</source>
        <translation>The job store cannot be opened: the Qt SQL driver %1 is not installed.</translation>
    </message>
    <message>
        <source>cannot read the certificate %1: %2</source>
        <translation>cannot read the certificate %1: %2</translation>
    </message>
    <message>
        <source>cannot read the key %1: %2</source>
        <translation>cannot read the key %1: %2</translation>
    </message>
    <message>
        <source>%1 holds no PEM certificate</source>
        <translation>%1 holds no PEM certificate</translation>
    </message>
    <message>
        <source>%1 holds no unencrypted PEM private key</source>
        <translation>%1 holds no unencrypted PEM private key</translation>
    </message>
    <message>
        <source>the key %1 does not belong to the certificate %2</source>
        <translation>the key %1 does not belong to the certificate %2</translation>
    </message>
    <message>
        <source>--cert and --key go together</source>
        <translation>--cert and --key go together</translation>
    </message>
    <message>
        <source>Job %1 is %2: only a failed or cancelled job can be retried.</source>
        <translation>Job %1 is %2: only a failed or cancelled job can be retried.</translation>
    </message>
    <message>
        <source>Cannot read the file %1.</source>
        <translation>Cannot read the file %1.</translation>
    </message>
    <message>
        <source>The PDF of job %1 was kept for a day and has been removed.</source>
        <translation>The PDF of job %1 was kept for a day and has been removed.</translation>
    </message>
    <message>
        <source>every label: no picture: %1 cannot be read</source>
        <translation>every label: no picture: %1 cannot be read</translation>
    </message>
</context>
<context>
    <name>Spreadsheet</name>
    <message>
        <source>the sheet is missing</source>
        <translation>the sheet is missing</translation>
    </message>
    <message>
        <source>the workbook has no sheets</source>
        <translation>the workbook has no sheets</translation>
    </message>
    <message>
        <source>no sheet &quot;%1&quot; (the sheets: %2)</source>
        <translation>no sheet &quot;%1&quot; (the sheets: %2)</translation>
    </message>
    <message>
        <source>%1, sheet &quot;%2&quot;</source>
        <translation>%1, sheet &quot;%2&quot;</translation>
    </message>
    <message>
        <source>it is not a spreadsheet</source>
        <translation>it is not a spreadsheet</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>its character set is not supported</source>
        <translation>its character set is not supported</translation>
    </message>
    <message>
        <source>it is not a readable .xls workbook</source>
        <translation>it is not a readable .xls workbook</translation>
    </message>
    <message>
        <source>it is not a readable .xls workbook (error %1)</source>
        <translation>it is not a readable .xls workbook (error %1)</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>it is not a file</translation>
    </message>
    <message>
        <source>the workbook is protected by a password; save it without one</source>
        <translation>the workbook is protected by a password; save it without one</translation>
    </message>
    <message>
        <source>%1: the row number &quot;%2&quot; is out of order</source>
        <translation>%1: the row number &quot;%2&quot; is out of order</translation>
    </message>
    <message>
        <source>%1: the cell reference &quot;%2&quot; is not valid</source>
        <translation>%1: the cell reference &quot;%2&quot; is not valid</translation>
    </message>
    <message>
        <source>%1: the cell is out of place (after %2)</source>
        <translation>%1: the cell is out of place (after %2)</translation>
    </message>
    <message>
        <source>%1: shared string %2 does not exist (the workbook has %3)</source>
        <translation>%1: shared string %2 does not exist (the workbook has %3)</translation>
    </message>
    <message>
        <source>Cannot read the spreadsheet &quot;%1&quot;: %2</source>
        <translation>Cannot read the spreadsheet &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>it is a text file, not a spreadsheet (open it as a text data file)</source>
        <translation>it is a text file, not a spreadsheet (open it as a text data file)</translation>
    </message>
    <message>
        <source>it is not a spreadsheet (not a zip archive)</source>
        <translation>it is not a spreadsheet (not a zip archive)</translation>
    </message>
    <message>
        <source>the archive holds no %1</source>
        <translation>the archive holds no %1</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, line %2: %3</translation>
    </message>
</context>
<context>
    <name>Stock</name>
    <message>
        <source>%1 labels do not map onto a rectangular grid</source>
        <translation>%1 labels do not map onto a rectangular grid</translation>
    </message>
    <message>
        <source>unreadable label size</source>
        <translation>unreadable label size</translation>
    </message>
    <message>
        <source>label size not positive</source>
        <translation>label size not positive</translation>
    </message>
    <message>
        <source>unreadable layout</source>
        <translation>unreadable layout</translation>
    </message>
    <message>
        <source>no labels in the layout</source>
        <translation>no labels in the layout</translation>
    </message>
    <message>
        <source>more than 1000 labels across or down</source>
        <translation>more than 1000 labels across or down</translation>
    </message>
    <message>
        <source>no layout</source>
        <translation>no layout</translation>
    </message>
    <message>
        <source>no paper size</source>
        <translation>no paper size</translation>
    </message>
    <message>
        <source>unknown paper %1</source>
        <translation>unknown paper %1</translation>
    </message>
    <message>
        <source>unreadable paper size</source>
        <translation>unreadable paper size</translation>
    </message>
    <message>
        <source>no label</source>
        <translation>no label</translation>
    </message>
    <message>
        <source>equivalent of %1, which is not listed</source>
        <translation>equivalent of %1, which is not listed</translation>
    </message>
    <message>
        <source>prints %1x%2 on this paper, the sheet has %3x%4</source>
        <translation>prints %1x%2 on this paper, the sheet has %3x%4</translation>
    </message>
</context>
<context>
    <name>Storage</name>
    <message>
        <source>%1 is not a label file: it has no FORMAT section.</source>
        <translation>%1 is not a label file: it has no FORMAT section.</translation>
    </message>
    <message>
        <source>Unable to locate file</source>
        <translation>Unable to locate file</translation>
    </message>
    <message>
        <source>无法设置数据于 &apos;%1&apos;</source>
        <translation>Cannot set the data of &apos;%1&apos;</translation>
    </message>
    <message>
        <source>无法读取 %1</source>
        <translation>Cannot read %1</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MiB: not opened</source>
        <translation>%1 is larger than %2 MiB: not opened</translation>
    </message>
    <message>
        <source>%1: %2 would place labels outside the page; read as 0.</source>
        <translation>%1: %2 would place labels outside the page; read as 0.</translation>
    </message>
    <message>
        <source>无法写入到 %1</source>
        <translation>Cannot write %1</translation>
    </message>
</context>
<context>
    <name>TAppPrinter</name>
    <message>
        <source>Print to PDF</source>
        <translation>Print to PDF</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF Files (*.pdf)</translation>
    </message>
</context>
<context>
    <name>TAsk</name>
    <message>
        <source>证实</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>是(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>否(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFAbout</name>
    <message>
        <source>关于 Quorvane</source>
        <translation>About Quorvane</translation>
    </message>
    <message>
        <source>版本 1</source>
        <translation>Version 1</translation>
    </message>
    <message>
        <source>Quorvane 是一个标签设计与打印程序：
· 十三种条形码（Code 128、Code 39、EAN 13、UPC A、POSTNET 等）
· 单行文字、多行文字、图形和 BMP/JPEG 图像
· 从文本数据文件、计数器和日期组合高级文字
· 按行列在整页纸上批量打印标签</source>
        <translation>Quorvane designs and prints labels:
· thirteen barcode types (Code 128, Code 39, EAN 13, UPC A, POSTNET and more)
· single-line text, multi-line text, shapes and BMP/JPEG pictures
· advanced text composed from text data files, counters and dates
· batches of labels printed in rows and columns on whole sheets</translation>
    </message>
    <message>
        <source>Quorvane 标签设计 — Maudrel Software</source>
        <translation>Quorvane Label Designer — Maudrel Software</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>TFAdvanced</name>
    <message>
        <source>高级区域</source>
        <translation>Advanced Fields</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>输入区域</source>
        <translation>Data field</translation>
    </message>
    <message>
        <source>次序</source>
        <translation>Sequence</translation>
    </message>
    <message>
        <source>日期/时间</source>
        <translation>Date/Time</translation>
    </message>
    <message>
        <source>时间格式帮助</source>
        <translation>Date format help</translation>
    </message>
    <message>
        <source>添加区域</source>
        <translation>Add field</translation>
    </message>
    <message>
        <source>清除区域</source>
        <translation>Remove field</translation>
    </message>
    <message>
        <source>清除所有区域</source>
        <translation>Remove all fields</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>段落 #</source>
        <translation>Field #</translation>
    </message>
    <message>
        <source>最小尺寸</source>
        <translation>Minimum size</translation>
    </message>
    <message>
        <source>填充字符</source>
        <translation>Pad character</translation>
    </message>
    <message>
        <source>当前值</source>
        <translation>Current value</translation>
    </message>
    <message>
        <source>最小值</source>
        <translation>Minimum value</translation>
    </message>
    <message>
        <source>最大值</source>
        <translation>Maximum value</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>You must enter a value greater or equal to</source>
        <translation>You must enter a value greater or equal to</translation>
    </message>
    <message>
        <source>the minimum sequence value </source>
        <translation>the minimum sequence value </translation>
    </message>
    <message>
        <source>You must enter a value less than or equal</source>
        <translation>You must enter a value less than or equal</translation>
    </message>
    <message>
        <source>to the maximum sequence value </source>
        <translation>to the maximum sequence value </translation>
    </message>
    <message>
        <source>You must enter a value less than the</source>
        <translation>You must enter a value less than the</translation>
    </message>
    <message>
        <source>the maximum sequence value </source>
        <translation>the maximum sequence value </translation>
    </message>
    <message>
        <source>You must enter a value greater than the</source>
        <translation>You must enter a value greater than the</translation>
    </message>
    <message>
        <source>the minimum sequeunce value </source>
        <translation>the minimum sequeunce value </translation>
    </message>
    <message>
        <source>Displays the day as a number without a leading</source>
        <translation>Displays the day as a number without a leading</translation>
    </message>
    <message>
        <source>zero (1-31).</source>
        <translation>zero (1-31).</translation>
    </message>
    <message>
        <source>Displays the day as a number with a leading</source>
        <translation>Displays the day as a number with a leading</translation>
    </message>
    <message>
        <source>zero (01-31).</source>
        <translation>zero (01-31).</translation>
    </message>
    <message>
        <source>Displays the day as an abbreviation (Sun-Sat).</source>
        <translation>Displays the day as an abbreviation (Sun-Sat).</translation>
    </message>
    <message>
        <source>Displays the day as a full name (Sunday-Saturday).</source>
        <translation>Displays the day as a full name (Sunday-Saturday).</translation>
    </message>
    <message>
        <source>Displays the month as a number without a leading</source>
        <translation>Displays the month as a number without a leading</translation>
    </message>
    <message>
        <source>zero (1-12).</source>
        <translation>zero (1-12).</translation>
    </message>
    <message>
        <source>Displays the month as a number with a leading</source>
        <translation>Displays the month as a number with a leading</translation>
    </message>
    <message>
        <source>zero (01-12).</source>
        <translation>zero (01-12).</translation>
    </message>
    <message>
        <source>Displays the month as an abbreviation (Jan-Dec).</source>
        <translation>Displays the month as an abbreviation (Jan-Dec).</translation>
    </message>
    <message>
        <source>Displays the month as a full name (January-</source>
        <translation>Displays the month as a full name (January-</translation>
    </message>
    <message>
        <source>December)</source>
        <translation>December)</translation>
    </message>
    <message>
        <source>Displays the year as a two-digit number (00-99).</source>
        <translation>Displays the year as a two-digit number (00-99).</translation>
    </message>
    <message>
        <source>Displays the year as a four-digit number (0000-</source>
        <translation>Displays the year as a four-digit number (0000-</translation>
    </message>
    <message>
        <source>9999).</source>
        <translation>9999).</translation>
    </message>
    <message>
        <source>Displays the hour without a leading zero (0-23).</source>
        <translation>Displays the hour without a leading zero (0-23).</translation>
    </message>
    <message>
        <source>Displays the hour with a leading zero (00-23).</source>
        <translation>Displays the hour with a leading zero (00-23).</translation>
    </message>
    <message>
        <source>Displays the minute without a leading zero (0-59).</source>
        <translation>Displays the minute without a leading zero (0-59).</translation>
    </message>
    <message>
        <source>Displays the minute with a leading zero (00-59).</source>
        <translation>Displays the minute with a leading zero (00-59).</translation>
    </message>
    <message>
        <source>Displays the second without a leading zero (0-59).</source>
        <translation>Displays the second without a leading zero (0-59).</translation>
    </message>
    <message>
        <source>Displays the second with a leading zero (00-59).</source>
        <translation>Displays the second with a leading zero (00-59).</translation>
    </message>
    <message>
        <source>Uses the 12-hour clock for the preceding h or hh</source>
        <translation>Uses the 12-hour clock for the preceding h or hh</translation>
    </message>
    <message>
        <source>specifier.</source>
        <translation>specifier.</translation>
    </message>
    <message>
        <source>Displays the 12-hour clock specifier am or pm.</source>
        <translation>Displays the 12-hour clock specifier am or pm.</translation>
    </message>
    <message>
        <source>Displays the date separator character.</source>
        <translation>Displays the date separator character.</translation>
    </message>
    <message>
        <source>Displays the time separator character.</source>
        <translation>Displays the time separator character.</translation>
    </message>
    <message>
        <source>Date Format Specifiers</source>
        <translation>Date Format Specifiers</translation>
    </message>
    <message>
        <source>Specifier  Displays</source>
        <translation>Specifier  Displays</translation>
    </message>
    <message>
        <source>Date/Time Picker Format Strings</source>
        <translation>Date/Time Picker Format Strings</translation>
    </message>
    <message>
        <source>打印时输入</source>
        <translation>Ask when printing</translation>
    </message>
    <message>
        <source>校验位</source>
        <translation>Check digit</translation>
    </message>
    <message>
        <source>按段落号</source>
        <translation>By field number</translation>
    </message>
    <message>
        <source>数据源标题行中的列名；填写后优先于段落号</source>
        <translation>A column name from the data source&apos;s header; when given, it wins over the field number</translation>
    </message>
    <message>
        <source>负数为倒数</source>
        <translation>A negative step counts down</translation>
    </message>
    <message>
        <source>每个值打印的次数</source>
        <translation>How many times each value prints</translation>
    </message>
    <message>
        <source>每张标签</source>
        <translation>Per label</translation>
    </message>
    <message>
        <source>每条记录</source>
        <translation>Per record</translation>
    </message>
    <message>
        <source>每页</source>
        <translation>Per page</translation>
    </message>
    <message>
        <source>十进制</source>
        <translation>Decimal</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>Hexadecimal</translation>
    </message>
    <message>
        <source>字母</source>
        <translation>Letters</translation>
    </message>
    <message>
        <source>加到来源日期上；负数为之前</source>
        <translation>Added to the source date; negative goes back</translation>
    </message>
    <message>
        <source>天</source>
        <translation>days</translation>
    </message>
    <message>
        <source>月</source>
        <translation>months</translation>
    </message>
    <message>
        <source>年</source>
        <translation>years</translation>
    </message>
    <message>
        <source>当前日期</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>数据列</source>
        <translation>Data column</translation>
    </message>
    <message>
        <source>列名、列号或名称</source>
        <translation>Column name or number, or the asked name</translation>
    </message>
    <message>
        <source>数据列或输入值的日期格式</source>
        <translation>How the column or the typed value writes the date</translation>
    </message>
    <message>
        <source>当前时间</source>
        <translation>Current time</translation>
    </message>
    <message>
        <source>固定时间</source>
        <translation>Fixed time</translation>
    </message>
    <message>
        <source>例如 批号</source>
        <translation>e.g. Lot number</translation>
    </message>
    <message>
        <source>空 = 任意</source>
        <translation>empty = any</translation>
    </message>
    <message>
        <source>不限</source>
        <translation>any</translation>
    </message>
    <message>
        <source>例如 1-3</source>
        <translation>e.g. 1-3</translation>
    </message>
    <message>
        <source>校验的区域序号，例如 1-3 或 1,2,5；空 = 前面所有区域</source>
        <translation>The numbers of the fields to check, e.g. 1-3 or 1,2,5; empty = all earlier fields</translation>
    </message>
    <message>
        <source>各区域组成的文字（设计时的样子）</source>
        <translation>The fields&apos; composed text, as the design shows it</translation>
    </message>
    <message>
        <source>列名</source>
        <translation>Column name</translation>
    </message>
    <message>
        <source>步长</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>重复</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>递增</source>
        <translation>Counts</translation>
    </message>
    <message>
        <source>进制</source>
        <translation>Radix</translation>
    </message>
    <message>
        <source>偏移</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>来源</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>列/名称</source>
        <translation>Column/name</translation>
    </message>
    <message>
        <source>输入格式</source>
        <translation>Input format</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>Caption</translation>
    </message>
    <message>
        <source>默认值</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>格式(正则表达式)</source>
        <translation>Format (regular expression)</translation>
    </message>
    <message>
        <source>最大长度</source>
        <translation>Maximum length</translation>
    </message>
    <message>
        <source>算法</source>
        <translation>Scheme</translation>
    </message>
    <message>
        <source>覆盖区域</source>
        <translation>Covers fields</translation>
    </message>
    <message>
        <source>示例</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>The step must not be 0.</source>
        <translation>The step must not be 0.</translation>
    </message>
    <message>
        <source>Give the column (its name or number) or the name of the value</source>
        <translation>Give the column (its name or number) or the name of the value</translation>
    </message>
    <message>
        <source>the date is read from.</source>
        <translation>the date is read from.</translation>
    </message>
    <message>
        <source>A value asked at print time needs a name.</source>
        <translation>A value asked at print time needs a name.</translation>
    </message>
    <message>
        <source>This is not a valid regular expression: </source>
        <translation>This is not a valid regular expression: </translation>
    </message>
    <message>
        <source>Give the parts to check by their numbers, such as 1-3 or 1,2,5.</source>
        <translation>Give the parts to check by their numbers, such as 1-3 or 1,2,5.</translation>
    </message>
    <message>
        <source>Displays the weekday in Chinese (星期一-星期日).</source>
        <translation>Displays the weekday in Chinese (星期一 Monday - 星期日 Sunday).</translation>
    </message>
    <message>
        <source>Are shown as they are, as are &quot;-&quot; and &quot;.&quot;:</source>
        <translation>Are shown as they are, as are &quot;-&quot; and &quot;.&quot;:</translation>
    </message>
    <message>
        <source>&quot;yyyy年m月d日&quot; gives 2026年3月9日.</source>
        <translation>&quot;yyyy年m月d日&quot; gives 2026年3月9日 (9 March 2026).</translation>
    </message>
</context>
<context>
    <name>TFAskValues</name>
    <message>
        <source>打印时输入</source>
        <translation>Values for this print</translation>
    </message>
    <message>
        <source>格式：%1</source>
        <translation>Pattern: %1</translation>
    </message>
    <message>
        <source>：</source>
        <translation>:</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>请输入“%1”。</source>
        <translation>Please enter “%1”.</translation>
    </message>
    <message>
        <source>“%1”最多 %2 个字符。</source>
        <translation>“%1” takes at most %2 characters.</translation>
    </message>
    <message>
        <source>“%1”的值不符合格式：%2</source>
        <translation>The value of “%1” does not match the pattern: %2</translation>
    </message>
    <message>
        <source>“%1”的格式无效：%2</source>
        <translation>The pattern of “%1” is invalid: %2</translation>
    </message>
</context>
<context>
    <name>TFCalibration</name>
    <message>
        <source>打印机“%1”不可用。</source>
        <translation>The printer &quot;%1&quot; is not available.</translation>
    </message>
    <message>
        <source>打印机校准</source>
        <translation>Printer Calibration</translation>
    </message>
    <message>
        <source>先打印校准页，量出十字与标尺实际落在纸上的位置和长度，再按页上的说明填入数值。偏移向右、向下为正。</source>
        <translation>Print the calibration page first, measure where the crosshairs and rulers landed on the paper and how long they are, then enter the values as the page says. Offsets are positive to the right and down.</translation>
    </message>
    <message>
        <source>打印校准页(&amp;P)</source>
        <translation>&amp;Print Calibration Page</translation>
    </message>
    <message>
        <source>清除(&amp;R)</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>偏移</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>水平 X：</source>
        <translation>Horizontal X:</translation>
    </message>
    <message>
        <source>垂直 Y：</source>
        <translation>Vertical Y:</translation>
    </message>
    <message>
        <source>比例</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>打印机：</source>
        <translation>Printer:</translation>
    </message>
    <message>
        <source>无法保存设置文件 %1。</source>
        <translation>Cannot save the settings file %1.</translation>
    </message>
</context>
<context>
    <name>TFFontDlg</name>
    <message>
        <source>常规</source>
        <translation>Regular</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>粗体</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>粗斜体</source>
        <translation>Bold Italic</translation>
    </message>
    <message>
        <source>黑色</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>褐红色</source>
        <translation>Maroon</translation>
    </message>
    <message>
        <source>绿色</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>橄榄色</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>深蓝色</source>
        <translation>Navy</translation>
    </message>
    <message>
        <source>紫色</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>深青色</source>
        <translation>Teal</translation>
    </message>
    <message>
        <source>灰色</source>
        <translation>Gray</translation>
    </message>
    <message>
        <source>银色</source>
        <translation>Silver</translation>
    </message>
    <message>
        <source>红色</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>酸橙色</source>
        <translation>Lime</translation>
    </message>
    <message>
        <source>黄色</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>蓝色</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>紫红色</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>水绿色</source>
        <translation>Aqua</translation>
    </message>
    <message>
        <source>白色</source>
        <translation>White</translation>
    </message>
    <message>
        <source>其他...</source>
        <translation>Other...</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>字体(&amp;F):</source>
        <translation>&amp;Font:</translation>
    </message>
    <message>
        <source>字形(&amp;Y):</source>
        <translation>Font st&amp;yle:</translation>
    </message>
    <message>
        <source>大小(&amp;S):</source>
        <translation>&amp;Size:</translation>
    </message>
    <message>
        <source>效果</source>
        <translation>Effects</translation>
    </message>
    <message>
        <source>删除线(&amp;K)</source>
        <translation>Stri&amp;keout</translation>
    </message>
    <message>
        <source>下划线(&amp;U)</source>
        <translation>&amp;Underline</translation>
    </message>
    <message>
        <source>颜色(&amp;C):</source>
        <translation>&amp;Color:</translation>
    </message>
    <message>
        <source>示例</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>AaBbYyZz 标签字体</source>
        <translation>AaBbYyZz label font</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
</context>
<context>
    <name>TFLabelSettings</name>
    <message>
        <source>自定义标签设置</source>
        <translation>Custom Label Settings</translation>
    </message>
    <message>
        <source>英寸</source>
        <translation>Inches</translation>
    </message>
    <message>
        <source>厘米</source>
        <translation>Centimeters</translation>
    </message>
    <message>
        <source>行：</source>
        <translation>Rows: </translation>
    </message>
    <message>
        <source>列：</source>
        <translation>Columns: </translation>
    </message>
    <message>
        <source>顶:</source>
        <translation>Top:</translation>
    </message>
    <message>
        <source>底:</source>
        <translation>Bottom:</translation>
    </message>
    <message>
        <source>左:</source>
        <translation>Left:</translation>
    </message>
    <message>
        <source>右:</source>
        <translation>Right:</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>打印设置(&amp;P)</source>
        <translation>&amp;Print Setup</translation>
    </message>
    <message>
        <source>度量单位</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>标签尺寸</source>
        <translation>Label size</translation>
    </message>
    <message>
        <source>输入标签尺寸</source>
        <translation>Enter the label size</translation>
    </message>
    <message>
        <source>高度</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>宽度</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>纸边界设置</source>
        <translation>Page margins</translation>
    </message>
    <message>
        <source>输入页面顶端及左侧边界</source>
        <translation>Enter the top and left margins of the page</translation>
    </message>
    <message>
        <source>靠顶</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>靠左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>标签装订线</source>
        <translation>Label gaps</translation>
    </message>
    <message>
        <source>输入标签之间水平及垂直间距</source>
        <translation>Enter the horizontal and vertical spacing between labels</translation>
    </message>
    <message>
        <source>标签布局</source>
        <translation>Label layout</translation>
    </message>
    <message>
        <source>可打印页面区域</source>
        <translation>Printable page area</translation>
    </message>
    <message>
        <source>不可打印区域</source>
        <translation>Non-printable area</translation>
    </message>
    <message>
        <source>Minimum label height is 0.25&quot; tall!</source>
        <translation>Minimum label height is 0.25&quot; tall!</translation>
    </message>
    <message>
        <source>Minimum label height is 1 centimeter tall!</source>
        <translation>Minimum label height is 1 centimeter tall!</translation>
    </message>
    <message>
        <source>Minimum label width is 0.25&quot; wide!</source>
        <translation>Minimum label width is 0.25&quot; wide!</translation>
    </message>
    <message>
        <source>Minimum label width is 1 centimeter wide!</source>
        <translation>Minimum label width is 1 centimeter wide!</translation>
    </message>
    <message>
        <source>顶：</source>
        <translation>Top: </translation>
    </message>
    <message>
        <source>底：</source>
        <translation>Bottom: </translation>
    </message>
    <message>
        <source>左：</source>
        <translation>Left: </translation>
    </message>
    <message>
        <source>右：</source>
        <translation>Right: </translation>
    </message>
    <message>
        <source>标签库存(&amp;S)...</source>
        <translation>&amp;Stock sheets...</translation>
    </message>
    <message>
        <source>按厂商的标签纸型号填写尺寸、边界和间距</source>
        <translation>Fill in the size, margins and gaps from a maker&apos;s label sheet</translation>
    </message>
    <message>
        <source>卷筒标签（每页一个标签）</source>
        <translation>Roll labels (one label per page)</translation>
    </message>
    <message>
        <source>热敏或卷筒打印机：每个标签单独一页，页面为标签加四周的边界，不用装订线</source>
        <translation>Thermal and roll printers: every label on a page of its own, the label with its margins all round; the gaps do not apply</translation>
    </message>
    <message>
        <source>打印机校准(&amp;B)</source>
        <translation>Printer &amp;calibration</translation>
    </message>
    <message>
        <source>每页 1 个标签</source>
        <translation>1 label per page</translation>
    </message>
    <message>
        <source>标签库存：%1，%2 列 × %3 行，%4</source>
        <translation>Stock sheet: %1, %2 columns × %3 rows, %4</translation>
    </message>
    <message>
        <source>（打印机的纸张不是 %1）</source>
        <translation> (the printer&apos;s paper is not %1)</translation>
    </message>
    <message>
        <source>纸边界“靠顶”不能为负数：标签会落在纸外。</source>
        <translation>The top margin cannot be negative: labels would fall outside the paper.</translation>
    </message>
    <message>
        <source>纸边界“靠左”不能为负数：标签会落在纸外。</source>
        <translation>The left margin cannot be negative: labels would fall outside the paper.</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>圆角矩形</source>
        <translation>Rounded rectangle</translation>
    </message>
    <message>
        <source>圆形</source>
        <translation>Round</translation>
    </message>
    <message>
        <source>椭圆</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>标签的模切形状：打印内容被裁到此形状内</source>
        <translation>The label&apos;s die-cut shape: what is printed is clipped to it</translation>
    </message>
    <message>
        <source>圆角矩形的圆角半径</source>
        <translation>The corner radius of a rounded rectangle</translation>
    </message>
    <message>
        <source>形状：</source>
        <translation>Shape:</translation>
    </message>
    <message>
        <source>圆角半径：</source>
        <translation>Corner radius:</translation>
    </message>
    <message>
        <source>这张标签纸有 %1 组标签排列：上面的尺寸是第一组的，其余 %2 组（%3 个标签）随标签保存并打印。</source>
        <translation>This sheet has %1 label layouts: the lengths above are the first one&apos;s; the other %2 (%3 labels) are saved with the label and printed.</translation>
    </message>
    <message>
        <source>毫米</source>
        <translation>Millimetres</translation>
    </message>
    <message>
        <source>Minimum label height is 10 millimetres tall!</source>
        <translation>Minimum label height is 10 millimetres tall!</translation>
    </message>
    <message>
        <source>Minimum label width is 10 millimetres wide!</source>
        <translation>Minimum label width is 10 millimetres wide!</translation>
    </message>
</context>
<context>
    <name>TFMain</name>
    <message>
        <source>Add Barcode</source>
        <translation>Add Barcode</translation>
    </message>
    <message>
        <source>Add Text</source>
        <translation>Add Text</translation>
    </message>
    <message>
        <source>Add Memo</source>
        <translation>Add Memo</translation>
    </message>
    <message>
        <source>Add Shape</source>
        <translation>Add Shape</translation>
    </message>
    <message>
        <source>Add Graphic</source>
        <translation>Add Graphic</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>新标签</source>
        <translation>New label</translation>
    </message>
    <message>
        <source>载入标签</source>
        <translation>Load label</translation>
    </message>
    <message>
        <source>保存标签</source>
        <translation>Save label</translation>
    </message>
    <message>
        <source>打印标签</source>
        <translation>Print labels</translation>
    </message>
    <message>
        <source>选择工具</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>添加文字</source>
        <translation>Add text</translation>
    </message>
    <message>
        <source>添加条形码</source>
        <translation>Add barcode</translation>
    </message>
    <message>
        <source>添加备注</source>
        <translation>Add memo</translation>
    </message>
    <message>
        <source>添加图形</source>
        <translation>Add shape</translation>
    </message>
    <message>
        <source>添加图像</source>
        <translation>Add picture</translation>
    </message>
    <message>
        <source>垂直靠顶排列</source>
        <translation>Align top</translation>
    </message>
    <message>
        <source>垂直居中排列</source>
        <translation>Centre vertically</translation>
    </message>
    <message>
        <source>垂直靠底排列</source>
        <translation>Align bottom</translation>
    </message>
    <message>
        <source>水平靠左排列</source>
        <translation>Align left</translation>
    </message>
    <message>
        <source>水平居中排列</source>
        <translation>Centre horizontally</translation>
    </message>
    <message>
        <source>水平靠右排列</source>
        <translation>Align right</translation>
    </message>
    <message>
        <source>水平排列</source>
        <translation>Horizontal alignment</translation>
    </message>
    <message>
        <source>靠左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>靠右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>垂直排列</source>
        <translation>Vertical alignment</translation>
    </message>
    <message>
        <source>靠顶</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>靠底</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>附加到</source>
        <translation>Attach to</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>客户端</source>
        <translation>Client</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>自动调整大小以适应</source>
        <translation>Auto size to fit</translation>
    </message>
    <message>
        <source>透明</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新建(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>打开标签(&amp;O)</source>
        <translation>&amp;Open label...</translation>
    </message>
    <message>
        <source>载入标签格式</source>
        <translation>Load label format...</translation>
    </message>
    <message>
        <source>保存标签(&amp;S)</source>
        <translation>&amp;Save label</translation>
    </message>
    <message>
        <source>另存标签为(&amp;A)</source>
        <translation>Save label &amp;as...</translation>
    </message>
    <message>
        <source>保存标签格式</source>
        <translation>Save label format</translation>
    </message>
    <message>
        <source>另存标签格式为</source>
        <translation>Save label format as...</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>打印设置</source>
        <translation>Print setup...</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>自定义标签设置</source>
        <translation>Label format...</translation>
    </message>
    <message>
        <source>格式选项</source>
        <translation>Format options</translation>
    </message>
    <message>
        <source>显示栅格</source>
        <translation>Show grid</translation>
    </message>
    <message>
        <source>自动记忆次序</source>
        <translation>Remember sequences automatically</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>网络帮助</source>
        <translation>Online help</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>置前</source>
        <translation>Bring to front</translation>
    </message>
    <message>
        <source>置后</source>
        <translation>Send to back</translation>
    </message>
    <message>
        <source>重置标签画布</source>
        <translation>Reset label surface</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>The help file Help.html was not found next to the program.</source>
        <translation>The help file Help.html was not found next to the program.</translation>
    </message>
    <message>
        <source>Unable to open the help file </source>
        <translation>Unable to open the help file </translation>
    </message>
    <message>
        <source>Label Files (*.lbl)</source>
        <translation>Label Files (*.lbl)</translation>
    </message>
    <message>
        <source> Load Label</source>
        <translation> Load Label</translation>
    </message>
    <message>
        <source>Save Label</source>
        <translation>Save Label</translation>
    </message>
    <message>
        <source>Label Template (*.lbf)</source>
        <translation>Label Template (*.lbf)</translation>
    </message>
    <message>
        <source>Load Template</source>
        <translation>Load Template</translation>
    </message>
    <message>
        <source>Save Template</source>
        <translation>Save Template</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>最近的文件</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>撤销(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom In</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom Out</translation>
    </message>
    <message>
        <source>实际大小</source>
        <translation>Actual Size</translation>
    </message>
    <message>
        <source>打印计数</source>
        <translation>Counters advanced by printing</translation>
    </message>
    <message>
        <source>找不到文件 “%1”，已将它从最近的文件中删除。</source>
        <translation>Cannot find the file “%1”; it has been removed from the recent files.</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>上次运行未正常结束。是否恢复未保存的标签 “%1”？</source>
        <translation>The last run did not end normally. Restore the unsaved label “%1”?</translation>
    </message>
    <message>
        <source>撤销 %1(&amp;U)</source>
        <translation>&amp;Undo %1</translation>
    </message>
    <message>
        <source>重做 %1(&amp;R)</source>
        <translation>&amp;Redo %1</translation>
    </message>
    <message>
        <source>调整大小</source>
        <translation>Resize</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>显示比例</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>另一个设计器（%1 上的进程 %2）已经打开了此标签：
%3
两处的保存会互相覆盖。</source>
        <translation>Another designer (process %2 on %1) already has this label open:
%3
Saves made in the two will overwrite each other.</translation>
    </message>
    <message>
        <source>此标签文件在打开或上次保存之后已被其他人更改：
%1
覆盖它会丢失那些更改。</source>
        <translation>This label file was changed by someone else after it was opened or last saved:
%1
Overwriting it loses those changes.</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>重新载入(&amp;R)</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>覆盖(&amp;O)</source>
        <translation>&amp;Overwrite</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>无法读取恢复副本 %1，也无法将它改名。</source>
        <translation>The recovery copy %1 cannot be read, nor renamed.</translation>
    </message>
    <message>
        <source>无法读取恢复副本 %1，已将它改名为 %2。</source>
        <translation>The recovery copy %1 cannot be read; it was renamed %2.</translation>
    </message>
    <message>
        <source>左对齐</source>
        <translation>Align Left</translation>
    </message>
    <message>
        <source>水平居中对齐</source>
        <translation>Align Centre</translation>
    </message>
    <message>
        <source>右对齐</source>
        <translation>Align Right</translation>
    </message>
    <message>
        <source>顶端对齐</source>
        <translation>Align Top</translation>
    </message>
    <message>
        <source>垂直居中对齐</source>
        <translation>Align Middle</translation>
    </message>
    <message>
        <source>底端对齐</source>
        <translation>Align Bottom</translation>
    </message>
    <message>
        <source>水平等距分布</source>
        <translation>Distribute Horizontally</translation>
    </message>
    <message>
        <source>垂直等距分布</source>
        <translation>Distribute Vertically</translation>
    </message>
    <message>
        <source>在标签上水平居中</source>
        <translation>Centre on Label Horizontally</translation>
    </message>
    <message>
        <source>在标签上垂直居中</source>
        <translation>Centre on Label Vertically</translation>
    </message>
    <message>
        <source>相同宽度</source>
        <translation>Same Width</translation>
    </message>
    <message>
        <source>相同高度</source>
        <translation>Same Height</translation>
    </message>
    <message>
        <source>排列(&amp;A)</source>
        <translation>&amp;Arrange</translation>
    </message>
    <message>
        <source>对齐网格</source>
        <translation>Snap to Grid</translation>
    </message>
    <message>
        <source>对齐对象</source>
        <translation>Snap to Items</translation>
    </message>
    <message>
        <source>网格间距...</source>
        <translation>Grid Spacing...</translation>
    </message>
    <message>
        <source>网格间距</source>
        <translation>Grid Spacing</translation>
    </message>
    <message>
        <source>网格间距（毫米）：</source>
        <translation>Grid spacing (mm):</translation>
    </message>
    <message>
        <source>网格间距（厘米）：</source>
        <translation>Grid spacing (cm):</translation>
    </message>
    <message>
        <source>网格间距（英寸）：</source>
        <translation>Grid spacing (in):</translation>
    </message>
    <message>
        <source>翻转</source>
        <translation>Flip</translation>
    </message>
    <message>
        <source>水平翻转</source>
        <translation>Flip Horizontally</translation>
    </message>
    <message>
        <source>垂直翻转</source>
        <translation>Flip Vertically</translation>
    </message>
    <message>
        <source>剪切(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>复制副本</source>
        <translation>Duplicate</translation>
    </message>
    <message>
        <source>全选(&amp;A)</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>缩放到合适大小</source>
        <translation>Zoom to Fit</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
</context>
<context>
    <name>TFMemoDlg</name>
    <message>
        <source>输入文本</source>
        <translation>Enter Text</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
</context>
<context>
    <name>TFPrintDlg</name>
    <message>
        <source>file does not exist!</source>
        <translation>file does not exist!</translation>
    </message>
    <message>
        <source>打印选项</source>
        <translation>Print Options</translation>
    </message>
    <message>
        <source>列：</source>
        <translation>Columns: </translation>
    </message>
    <message>
        <source>行：</source>
        <translation>Rows: </translation>
    </message>
    <message>
        <source>每页标签数：</source>
        <translation>Labels per page: </translation>
    </message>
    <message>
        <source>打印设置(&amp;S)</source>
        <translation>Print &amp;Setup</translation>
    </message>
    <message>
        <source>日期输入来自于</source>
        <translation>Import data from</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>打印范围(&amp;R)</source>
        <translation>Print &amp;range</translation>
    </message>
    <message>
        <source>所有</source>
        <translation>All</translation>
    </message>
    <message>
        <source>页数</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>标签</source>
        <translation>Labels</translation>
    </message>
    <message>
        <source>份数</source>
        <translation>Copies</translation>
    </message>
    <message>
        <source>单一标签</source>
        <translation>Single label</translation>
    </message>
    <message>
        <source>多个标签副本</source>
        <translation>Multiple copies of each label</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Text Files (*.txt *.prn *.csv *.dat)</source>
        <translation>Text Files (*.txt *.prn *.csv *.dat)</translation>
    </message>
    <message>
        <source>No printer is available.</source>
        <translation>No printer is available.</translation>
    </message>
    <message>
        <source>Labels per page: </source>
        <translation>Labels per page: </translation>
    </message>
    <message>
        <source>You cannot print &quot;All&quot; without</source>
        <translation>You cannot print &quot;All&quot; without</translation>
    </message>
    <message>
        <source>selecting a file to import from.</source>
        <translation>selecting a file to import from.</translation>
    </message>
    <message>
        <source>校准(&amp;B)</source>
        <translation>&amp;Calibrate</translation>
    </message>
    <message>
        <source>预览(&amp;V)</source>
        <translation>Pre&amp;view</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>数据库查询</source>
        <translation>Database query</translation>
    </message>
    <message>
        <source>查询...</source>
        <translation>Query...</translation>
    </message>
    <message>
        <source>数据文件 (*.txt *.prn *.csv *.dat *.xlsx *.ods *.xls)</source>
        <translation>Data Files (*.txt *.prn *.csv *.dat *.xlsx *.ods *.xls)</translation>
    </message>
    <message>
        <source>电子表格 (*.xlsx *.ods *.xls)</source>
        <translation>Spreadsheets (*.xlsx *.ods *.xls)</translation>
    </message>
    <message>
        <source>%1 × %2 mm</source>
        <translation>%1 × %2 mm</translation>
    </message>
    <message>
        <source>纸张：%1</source>
        <translation>Paper: %1</translation>
    </message>
    <message>
        <source>纸张：自定义尺寸 %1</source>
        <translation>Paper: custom size %1</translation>
    </message>
    <message>
        <source>纸张：打印机不接受自定义尺寸，使用能容纳 %1 的最小纸张 %2%3</source>
        <translation>Paper: the printer takes no custom sizes; the smallest paper that holds %1 is used, %2%3</translation>
    </message>
    <message>
        <source>（横向）</source>
        <translation> (landscape)</translation>
    </message>
    <message>
        <source>纸张：打印机没有能容纳 %1 的纸张</source>
        <translation>Paper: the printer has no paper that holds %1</translation>
    </message>
    <message>
        <source>请先选择数据库查询。</source>
        <translation>Please choose a database query first.</translation>
    </message>
    <message>
        <source>标签已打印，但缺少无法读取的图像：
%1</source>
        <translation>The labels were printed without the pictures that cannot be read:
%1</translation>
    </message>
    <message>
        <source>按数据列打印数量</source>
        <translation>Quantity from column</translation>
    </message>
    <message>
        <source>列名或列号（从 1 起）：每条记录打印该列所写的标签数</source>
        <translation>Column name or number (from 1): each record prints as many labels as this column says</translation>
    </message>
    <message>
        <source>请选择给出打印数量的数据列。</source>
        <translation>Please choose the column that gives the quantity.</translation>
    </message>
    <message>
        <source>纸张放不下第 %1 行（共 %2 行），只打印 %3 行</source>
        <translation>The paper leaves off row %1 of %2: %3 rows print</translation>
    </message>
    <message>
        <source>纸张放不下第 %1 列（共 %2 列），只打印 %3 列</source>
        <translation>The paper leaves off column %1 of %2: %3 columns print</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>从第几个标签开始</source>
        <translation>Start at label</translation>
    </message>
    <message>
        <source>第一页从这个位置开始，前面的位置已用过（从左上角起逐行数）</source>
        <translation>The first page starts at this position; those before it are used (counted from the top left, row by row)</translation>
    </message>
    <message>
        <source>按卷筒打印（每页一个标签，不含纸张边距）</source>
        <translation>Print as a roll (one label a page, without the sheet&apos;s margins)</translation>
    </message>
    <message>
        <source>打印标签轮廓</source>
        <translation>Print label outlines</translation>
    </message>
    <message>
        <source>沿每个标签的边缘（模切形状）画一条细线，用于对齐</source>
        <translation>Draws a thin line along each label&apos;s edge (its die-cut shape), for alignment</translation>
    </message>
    <message>
        <source>打印裁切标记</source>
        <translation>Print crop marks</translation>
    </message>
    <message>
        <source>在标签角外的页边和间隙中画短线，不压在标签上</source>
        <translation>Draws short lines at the labels&apos; corners in the margins and gaps, never over a label</translation>
    </message>
    <message>
        <source>镜像打印</source>
        <translation>Mirror-inverted</translation>
    </message>
    <message>
        <source>整页左右翻转，用于转印纸</source>
        <translation>Flips the whole page left to right, for transfer media</translation>
    </message>
    <message>
        <source>每页 1 个标签，页面含标签格式设定的边距</source>
        <translation>1 label a page, the page with the margins the label format sets</translation>
    </message>
    <message>
        <source>每页 1 个标签，页面即标签，无边距</source>
        <translation>1 label a page, the page the label alone, no margins</translation>
    </message>
    <message>
        <source>至</source>
        <translation>to</translation>
    </message>
    <message>
        <source>记录</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>只打印数据源的这些记录（从 1 起，不含标题行）；末项留空：到最后一条</source>
        <translation>Prints only these records of the data source (from 1, after the header line); the last left empty: to the last record</translation>
    </message>
    <message>
        <source>逐份打印</source>
        <translation>Collate</translation>
    </message>
    <message>
        <source>整批打印完再打印下一份，而不是每个标签连打多份</source>
        <translation>Prints the whole run, then the next copy, instead of each label several times</translation>
    </message>
</context>
<context>
    <name>TFPrintPreview</name>
    <message>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>第一页</source>
        <translation>First page</translation>
    </message>
    <message>
        <source>上一页</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>最后一页</source>
        <translation>Last page</translation>
    </message>
    <message>
        <source>适合页面</source>
        <translation>Fit page</translation>
    </message>
    <message>
        <source>适合宽度</source>
        <translation>Fit width</translation>
    </message>
    <message>
        <source>打印(&amp;P)</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>共 %1 页</source>
        <translation>of %1</translation>
    </message>
    <message>
        <source>每页 %1 个标签，共 %2 个标签</source>
        <translation>%1 labels per page, %2 labels in all</translation>
    </message>
</context>
<context>
    <name>TFPrintProgress</name>
    <message>
        <source>正在打印中...</source>
        <translation>Printing...</translation>
    </message>
    <message>
        <source>正打印</source>
        <translation>Printing</translation>
    </message>
    <message>
        <source>在</source>
        <translation>on</translation>
    </message>
    <message>
        <source>页 1</source>
        <translation>Page 1</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>第 %1 页，共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>第 %1 页</source>
        <translation>Page %1</translation>
    </message>
</context>
<context>
    <name>TFPrinterSetup</name>
    <message>
        <source>打印设置</source>
        <translation>Print Setup</translation>
    </message>
    <message>
        <source>打印机</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>名称(&amp;N):</source>
        <translation>&amp;Name:</translation>
    </message>
    <message>
        <source>纸张</source>
        <translation>Paper</translation>
    </message>
    <message>
        <source>大小(&amp;Z):</source>
        <translation>Si&amp;ze:</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>Orientation</translation>
    </message>
    <message>
        <source>纵向(&amp;O)</source>
        <translation>P&amp;ortrait</translation>
    </message>
    <message>
        <source>横向(&amp;A)</source>
        <translation>L&amp;andscape</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFSqlSource</name>
    <message>
        <source>数据库查询</source>
        <translation>Database query</translation>
    </message>
    <message>
        <source>最近使用：</source>
        <translation>Recent:</translation>
    </message>
    <message>
        <source>驱动程序：</source>
        <translation>Driver:</translation>
    </message>
    <message>
        <source>主机：</source>
        <translation>Host:</translation>
    </message>
    <message>
        <source>端口：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>数据库：</source>
        <translation>Database:</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>用户：</source>
        <translation>User:</translation>
    </message>
    <message>
        <source>密码：</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>在密钥环中记住密码</source>
        <translation>Remember the password in the keyring</translation>
    </message>
    <message>
        <source>查询：</source>
        <translation>Query:</translation>
    </message>
    <message>
        <source>显示前几行</source>
        <translation>Show First Rows</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>SQLite 数据库</source>
        <translation>SQLite Database</translation>
    </message>
    <message>
        <source>SQLite Databases (*.db *.sqlite *.sqlite3);;All Files (*)</source>
        <translation>SQLite Databases (*.db *.sqlite *.sqlite3);;All Files (*)</translation>
    </message>
    <message>
        <source>数据源：</source>
        <translation>Data source:</translation>
    </message>
    <message>
        <source>数据库文件：</source>
        <translation>Database file:</translation>
    </message>
    <message>
        <source>密码未能存入密钥环，只在本次运行中使用：</source>
        <translation>The password could not be stored in the keyring and is used for this run only: </translation>
    </message>
    <message>
        <source>请填写数据库。</source>
        <translation>Please fill in the database.</translation>
    </message>
    <message>
        <source>请填写查询。</source>
        <translation>Please fill in the query.</translation>
    </message>
    <message>
        <source>查询没有结果。</source>
        <translation>The query has no results.</translation>
    </message>
</context>
<context>
    <name>TFStockChooser</name>
    <message>
        <source>标签库存</source>
        <translation>Stock Sheets</translation>
    </message>
    <message>
        <source>搜索厂商、型号或说明</source>
        <translation>Search maker, product or description</translation>
    </message>
    <message>
        <source>厂商</source>
        <translation>Maker</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Product</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>标签尺寸</source>
        <translation>Label size</translation>
    </message>
    <message>
        <source>每页</source>
        <translation>Per sheet</translation>
    </message>
    <message>
        <source>纸张</source>
        <translation>Paper</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>%1 列 × %2 行，%3</source>
        <translation>%1 columns × %2 rows, %3</translation>
    </message>
    <message>
        <source>不能选用：</source>
        <translation>Cannot be used: </translation>
    </message>
    <message>
        <source>注意：</source>
        <translation>Note: </translation>
    </message>
    <message>
        <source>种类</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>找到 %1 种标签纸</source>
        <translation>%1 sheets found</translation>
    </message>
    <message>
        <source>共 %1 种标签纸</source>
        <translation>%1 sheets</translation>
    </message>
    <message>
        <source>%1 组排列（%2），%3</source>
        <translation>%1 layouts (%2), %3</translation>
    </message>
    <message>
        <source>来源：内置</source>
        <translation>Source: built in</translation>
    </message>
    <message>
        <source>来源：模板库</source>
        <translation>Source: installed library</translation>
    </message>
</context>
<context>
    <name>TFTextImport</name>
    <message>
        <source>文本输入向导</source>
        <translation>Text Import Wizard</translation>
    </message>
    <message>
        <source>输入文件格式</source>
        <translation>Input file format</translation>
    </message>
    <message>
        <source>逗号定界</source>
        <translation>Comma delimited</translation>
    </message>
    <message>
        <source>制表符定界</source>
        <translation>Tab delimited</translation>
    </message>
    <message>
        <source>自定义定界符</source>
        <translation>Custom delimiter</translation>
    </message>
    <message>
        <source>固定区域</source>
        <translation>Fixed width</translation>
    </message>
    <message>
        <source>区域间隔：</source>
        <translation>Field separator: </translation>
    </message>
    <message>
        <source>引用符号：</source>
        <translation>Quote character: </translation>
    </message>
    <message>
        <source>跳过首行(列表头)</source>
        <translation>Skip the first line (column headings)</translation>
    </message>
    <message>
        <source>列宽度：</source>
        <translation>Column width: </translation>
    </message>
    <message>
        <source>去左边空格</source>
        <translation>Trim leading spaces</translation>
    </message>
    <message>
        <source>去右边空格</source>
        <translation>Trim trailing spaces</translation>
    </message>
    <message>
        <source>鼠标右键单击单元格可以添加或者删除纵向列</source>
        <translation>Right-click a cell to insert or delete a column</translation>
    </message>
    <message>
        <source>插入列</source>
        <translation>Insert column</translation>
    </message>
    <message>
        <source>删除列</source>
        <translation>Delete column</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Insert Column</source>
        <translation>Insert Column</translation>
    </message>
    <message>
        <source>Enter column size</source>
        <translation>Enter column size</translation>
    </message>
    <message>
        <source>Field #</source>
        <translation>Field #</translation>
    </message>
    <message>
        <source>工作表：</source>
        <translation>Sheet:</translation>
    </message>
    <message>
        <source>编码：</source>
        <translation>Encoding:</translation>
    </message>
    <message>
        <source>自动检测</source>
        <translation>Detect</translation>
    </message>
    <message>
        <source>%1（隐藏）</source>
        <translation>%1 (hidden)</translation>
    </message>
</context>
<context>
    <name>TPropertiesPanel</name>
    <message>
        <source>Solid</source>
        <translation>Solid</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Horizontal</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Vertical</translation>
    </message>
    <message>
        <source>FDiagonal</source>
        <translation>FDiagonal</translation>
    </message>
    <message>
        <source>BDiagonal</source>
        <translation>BDiagonal</translation>
    </message>
    <message>
        <source>Cross</source>
        <translation>Cross</translation>
    </message>
    <message>
        <source>DiagCross</source>
        <translation>DiagCross</translation>
    </message>
    <message>
        <source>示例文字</source>
        <translation>Simple</translation>
    </message>
    <message>
        <source>编辑文字</source>
        <translation>Edit text</translation>
    </message>
    <message>
        <source>高级区域</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>编辑&gt;&gt;</source>
        <translation>Edit&gt;&gt;</translation>
    </message>
    <message>
        <source>条形码系统</source>
        <translation>Symbology</translation>
    </message>
    <message>
        <source>注释行</source>
        <translation>Human-readable line</translation>
    </message>
    <message>
        <source>在条形码的顶端或者底部打印文字</source>
        <translation>Print the text above or below the barcode</translation>
    </message>
    <message>
        <source>自动调整比例</source>
        <translation>Auto scale</translation>
    </message>
    <message>
        <source>自动调整条形码为合适比例</source>
        <translation>Scale the barcode to fit automatically</translation>
    </message>
    <message>
        <source>刻度</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>选择字体</source>
        <translation>Choose font</translation>
    </message>
    <message>
        <source>选择文字颜色</source>
        <translation>Choose text colour</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>椭圆形</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>三角形</source>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>园矩形</source>
        <translation>Rounded rectangle</translation>
    </message>
    <message>
        <source>水平线条</source>
        <translation>Horizontal line</translation>
    </message>
    <message>
        <source>垂直线条</source>
        <translation>Vertical line</translation>
    </message>
    <message>
        <source>线条尺寸</source>
        <translation>Line width</translation>
    </message>
    <message>
        <source>填充风格</source>
        <translation>Fill style</translation>
    </message>
    <message>
        <source>选择线条颜色</source>
        <translation>Choose line colour</translation>
    </message>
    <message>
        <source>选择填充颜色</source>
        <translation>Choose fill colour</translation>
    </message>
    <message>
        <source>图像文件</source>
        <translation>Picture file</translation>
    </message>
    <message>
        <source>保持纵横比</source>
        <translation>Keep aspect ratio</translation>
    </message>
    <message>
        <source>Edit Barcode</source>
        <translation>Edit Barcode</translation>
    </message>
    <message>
        <source>Edit Text</source>
        <translation>Edit Text</translation>
    </message>
    <message>
        <source>Edit Memo</source>
        <translation>Edit Memo</translation>
    </message>
    <message>
        <source>Edit Shape</source>
        <translation>Edit Shape</translation>
    </message>
    <message>
        <source>Edit Graphic</source>
        <translation>Edit Graphic</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Load Image</source>
        <translation>Load Image</translation>
    </message>
    <message>
        <source>Loading File</source>
        <translation>Loading File</translation>
    </message>
    <message>
        <source>纠错级别</source>
        <translation>Error correction</translation>
    </message>
    <message>
        <source>尺寸</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>长方形</source>
        <translation>Rectangular</translation>
    </message>
    <message>
        <source>自动尺寸时使用长方形符号</source>
        <translation>Use a rectangular symbol when the size is automatic</translation>
    </message>
    <message>
        <source>自动</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>文字颜色</source>
        <translation>Text colour</translation>
    </message>
    <message>
        <source>图形</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>线条颜色</source>
        <translation>Line colour</translation>
    </message>
    <message>
        <source>填充颜色</source>
        <translation>Fill colour</translation>
    </message>
    <message>
        <source>文字超出标签，超出的部分不会打印</source>
        <translation>The text reaches past the label; the part outside it is not printed</translation>
    </message>
    <message>
        <source>嵌入标签文件</source>
        <translation>Embed in the label file</translation>
    </message>
    <message>
        <source>图像保存在标签文件中，无需图像文件即可打印（最大 10 MB）</source>
        <translation>The picture is kept in the label file and prints without its file (at most 10 MB)</translation>
    </message>
    <message>
        <source>（多种）</source>
        <translation>(mixed)</translation>
    </message>
    <message>
        <source>图像 (*.bmp *.jpg *.jpeg *.png *.gif *.tif *.tiff *.webp *.svg)</source>
        <translation>Images (*.bmp *.jpg *.jpeg *.png *.gif *.tif *.tiff *.webp *.svg)</translation>
    </message>
    <message>
        <source>嵌入图像</source>
        <translation>Embed picture</translation>
    </message>
    <message>
        <source>宽</source>
        <translation>W</translation>
    </message>
    <message>
        <source>高</source>
        <translation>H</translation>
    </message>
    <message>
        <source>位置（标签的单位），回车应用，Esc 还原</source>
        <translation>Position in the label&apos;s unit: Enter applies, Esc restores</translation>
    </message>
    <message>
        <source>大小（标签的单位），回车应用，Esc 还原</source>
        <translation>Size in the label&apos;s unit: Enter applies, Esc restores</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>调整大小</source>
        <translation>Resize</translation>
    </message>
    <message>
        <source>水平翻转</source>
        <translation>Flip horizontally</translation>
    </message>
    <message>
        <source>垂直翻转</source>
        <translation>Flip vertically</translation>
    </message>
</context>
<context>
    <name>TSheetGrid</name>
    <message>
        <source>单击第一个未用的标签</source>
        <translation>Click the first unused label</translation>
    </message>
</context>
<context>
    <name>TSymbologyCombo</name>
    <message>
        <source>搜索名称</source>
        <translation>Search by name</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>digits</translation>
    </message>
    <message>
        <source>字母和数字</source>
        <translation>letters and digits</translation>
    </message>
    <message>
        <source>空格</source>
        <translation>space</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>第%1个字符“%2”不能用于%3：只能是%4</source>
        <translation>Character %1 “%2” cannot be encoded in %3: %4 only</translation>
    </message>
    <message>
        <source>%1只能包含%2</source>
        <translation>%1 takes %2 only</translation>
    </message>
</context>
</TS>
