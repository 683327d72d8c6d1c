<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN" sourcelanguage="zh_CN">
<context>
    <name>Barcode</name>
    <message>
        <source>Unknown barcode type %1</source>
        <translation>未知的条形码类型 %1</translation>
    </message>
    <message>
        <source>Unknown two-dimensional symbology %1</source>
        <translation>未知的二维条码类型 %1</translation>
    </message>
    <message>
        <source>Data too long for %1</source>
        <translation>数据太长，%1 容纳不下</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>%1 could not be encoded</source>
        <translation>无法编码 %1</translation>
    </message>
    <message>
        <source>%1 columns</source>
        <translation>%1 列</translation>
    </message>
    <message>
        <source>error correction must be L, M, Q or H</source>
        <translation>纠错级别必须是 L、M、Q 或 H</translation>
    </message>
    <message>
        <source>version must be 1 to 40 or automatic</source>
        <translation>版本必须是 1 到 40 或自动</translation>
    </message>
    <message>
        <source>size must be 1 to 30 or automatic</source>
        <translation>尺寸必须是 1 到 30 或自动</translation>
    </message>
    <message>
        <source>security level must be 0 to 8 or automatic</source>
        <translation>安全级别必须是 0 到 8 或自动</translation>
    </message>
    <message>
        <source>columns must be 1 to 30 or automatic</source>
        <translation>列数必须是 1 到 30 或自动</translation>
    </message>
    <message>
        <source>error correction must be 10, 23, 36 or 50 %</source>
        <translation>纠错率必须是 10、23、36 或 50 %</translation>
    </message>
    <message>
        <source>size must be 1 to 36 or automatic</source>
        <translation>尺寸必须是 1 到 36 或自动</translation>
    </message>
    <message>
        <source>%1: the text is empty</source>
        <translation>%1：文本为空</translation>
    </message>
    <message>
        <source>digits</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>ASCII characters</source>
        <translation>ASCII 字符</translation>
    </message>
    <message>
        <source>0-9, A-Z, space and $ % + - . /</source>
        <translation>0-9、A-Z、空格和 $ % + - . /</translation>
    </message>
    <message>
        <source>%1 takes only %2, and the text has none</source>
        <translation>%1 只接受%2，而文本中一个也没有</translation>
    </message>
    <message>
        <source>AI (%1): %2 may hold only digits, not %3</source>
        <translation>AI (%1)：%2 只能含数字，不能含 %3</translation>
    </message>
    <message>
        <source>AI (%1): %2 may not hold %3 (GS1 character set 39)</source>
        <translation>AI (%1)：%2 不能含 %3（GS1 字符集 39）</translation>
    </message>
    <message>
        <source>AI (%1): %2 may not hold %3 (GS1 character set 64)</source>
        <translation>AI (%1)：%2 不能含 %3（GS1 字符集 64）</translation>
    </message>
    <message>
        <source>AI (%1): %2 may not hold %3 (GS1 character set 82)</source>
        <translation>AI (%1)：%2 不能含 %3（GS1 字符集 82）</translation>
    </message>
    <message>
        <source>AI (%1): the check digit of %2 is wrong; it should be %3</source>
        <translation>AI (%1)：%2 的校验位错误，应为 %3</translation>
    </message>
    <message>
        <source>AI (%1): %2 is not a valid date (YYMMDD)</source>
        <translation>AI (%1)：%2 不是有效日期（YYMMDD）</translation>
    </message>
    <message>
        <source>AI (%1): %2 is not a valid date (YYYYMMDD)</source>
        <translation>AI (%1)：%2 不是有效日期（YYYYMMDD）</translation>
    </message>
    <message>
        <source>AI (%1): %2 is not a valid time (HHMM)</source>
        <translation>AI (%1)：%2 不是有效时间（HHMM）</translation>
    </message>
    <message>
        <source>AI (%1): %2 is not a valid hour (HH)</source>
        <translation>AI (%1)：%2 不是有效的小时（HH）</translation>
    </message>
    <message>
        <source>AI (%1): %2 is not a valid minute or second</source>
        <translation>AI (%1)：%2 不是有效的分钟或秒数</translation>
    </message>
    <message>
        <source>AI (%1): %2 may not be zero</source>
        <translation>AI (%1)：%2 不能为零</translation>
    </message>
    <message>
        <source>AI (%1): %2 must be 0</source>
        <translation>AI (%1)：%2 必须为 0</translation>
    </message>
    <message>
        <source>AI (%1): %2 must be 0 or 1</source>
        <translation>AI (%1)：%2 必须为 0 或 1</translation>
    </message>
    <message>
        <source>AI (%1): %2 must be 0, 1 or 9</source>
        <translation>AI (%1)：%2 必须为 0、1 或 9</translation>
    </message>
    <message>
        <source>AI (%1): %2 is not a piece of a total (piece 1 to total)</source>
        <translation>AI (%1)：%2 不是有效的件号与总件数（件号为 1 到总件数）</translation>
    </message>
    <message>
        <source>AI (%1): %2 must be a hyphen</source>
        <translation>AI (%1)：%2 必须是连字符“-”</translation>
    </message>
    <message>
        <source>AI (%1): %2 may not begin with 0</source>
        <translation>AI (%1)：%2 不能以 0 开头</translation>
    </message>
    <message>
        <source>AI (%1): %2 must hold a character other than a digit</source>
        <translation>AI (%1)：%2 必须含有数字以外的字符</translation>
    </message>
    <message>
        <source>AI (%1): in %2 a % is not followed by two hex digits</source>
        <translation>AI (%1)：%2 中有 % 后面不是两位十六进制数字</translation>
    </message>
    <message>
        <source>AI (%1): the value is missing</source>
        <translation>AI (%1)：缺少数据</translation>
    </message>
    <message>
        <source>AI (%1): %2 has %3 characters; it takes %4</source>
        <translation>AI (%1)：%2 有 %3 个字符，应为 %4 个</translation>
    </message>
    <message>
        <source>AI (%1): %2 has %3 characters; it takes at most %4</source>
        <translation>AI (%1)：%2 有 %3 个字符，最多 %4 个</translation>
    </message>
    <message>
        <source>AI (%1): %2 has %3 characters; it takes at least %4</source>
        <translation>AI (%1)：%2 有 %3 个字符，至少 %4 个</translation>
    </message>
    <message>
        <source>AI (%1): %2 is too short for its last part</source>
        <translation>AI (%1)：%2 太短，缺少最后一部分</translation>
    </message>
    <message>
        <source>GS1 data must begin with an AI in brackets, such as (01)</source>
        <translation>GS1 数据必须以括号中的 AI 开头，例如 (01)</translation>
    </message>
    <message>
        <source>%1 is not an AI: 2 to 4 digits in brackets</source>
        <translation>%1 不是 AI：AI 是括号中的 2 到 4 位数字</translation>
    </message>
    <message>
        <source>AI (%1) is not in the GS1 table</source>
        <translation>AI (%1) 不在 GS1 的 AI 表中</translation>
    </message>
    <message>
        <source>GS1 data without brackets must begin with an AI: %1 does not</source>
        <translation>不带括号的 GS1 数据必须以 AI 开头：%1 不是</translation>
    </message>
    <message>
        <source>GS1 data is empty</source>
        <translation>GS1 数据为空</translation>
    </message>
    <message>
        <source>Check digit</source>
        <translation>校验位</translation>
    </message>
    <message>
        <source>Two check digits (C and K)</source>
        <translation>两个校验位（C 和 K）</translation>
    </message>
    <message>
        <source>One check digit (C)</source>
        <translation>一个校验位（C）</translation>
    </message>
    <message>
        <source>No check digit</source>
        <translation>无校验位</translation>
    </message>
    <message>
        <source>Check digits</source>
        <translation>校验位</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Modulo 10</source>
        <translation>模 10</translation>
    </message>
    <message>
        <source>Modulo 10, twice</source>
        <translation>两次模 10</translation>
    </message>
    <message>
        <source>Modulo 11 (IBM)</source>
        <translation>模 11（IBM）</translation>
    </message>
    <message>
        <source>Modulo 11 and modulo 10</source>
        <translation>模 11 加模 10</translation>
    </message>
    <message>
        <source>Bearer box</source>
        <translation>保护框</translation>
    </message>
    <message>
        <source>Bearer bars top and bottom</source>
        <translation>上下保护条</translation>
    </message>
    <message>
        <source>No bearer bars</source>
        <translation>无保护条</translation>
    </message>
    <message>
        <source>Bearer bars</source>
        <translation>保护条</translation>
    </message>
    <message>
        <source>Add-on gap (modules)</source>
        <translation>附加码间隔（模块）</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>通道数</translation>
    </message>
    <message>
        <source>Import character prefix</source>
        <translation>进口字符前缀</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>行数</translation>
    </message>
    <message>
        <source>Data columns</source>
        <translation>数据列数</translation>
    </message>
    <message>
        <source>Security level</source>
        <translation>安全等级</translation>
    </message>
    <message>
        <source>Segment pairs per row</source>
        <translation>每行段对数</translation>
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
        <translation>二维部分（元素串）</translation>
    </message>
    <message>
        <source>Composite component</source>
        <translation>复合码部分</translation>
    </message>
    <message>
        <source>L (7 %)</source>
        <translation>L（7 %）</translation>
    </message>
    <message>
        <source>M (15 %)</source>
        <translation>M（15 %）</translation>
    </message>
    <message>
        <source>Q (25 %)</source>
        <translation>Q（25 %）</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Error correction level</source>
        <translation>纠错等级</translation>
    </message>
    <message>
        <source>H (30 %)</source>
        <translation>H（30 %）</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>列数</translation>
    </message>
    <message>
        <source>Mode 2: numeric postcode</source>
        <translation>模式 2：数字邮政编码</translation>
    </message>
    <message>
        <source>Mode 3: alphanumeric postcode</source>
        <translation>模式 3：字母数字邮政编码</translation>
    </message>
    <message>
        <source>Mode 4: standard symbol</source>
        <translation>模式 4：标准符号</translation>
    </message>
    <message>
        <source>Mode 5: full error correction</source>
        <translation>模式 5：完全纠错</translation>
    </message>
    <message>
        <source>Mode 6: reader programming</source>
        <translation>模式 6：阅读器编程</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Primary message (postcode, country, service)</source>
        <translation>主信息（邮政编码、国家、服务）</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>一维码</translation>
    </message>
    <message>
        <source>GS1</source>
        <translation>GS1</translation>
    </message>
    <message>
        <source>2D</source>
        <translation>二维码</translation>
    </message>
    <message>
        <source>Postal</source>
        <translation>邮政</translation>
    </message>
    <message>
        <source>Pharmacy</source>
        <translation>医药</translation>
    </message>
    <message>
        <source>HIBC</source>
        <translation>HIBC</translation>
    </message>
    <message>
        <source>%1 has no option &apos;%2&apos;</source>
        <translation>%1 没有选项“%2”</translation>
    </message>
    <message>
        <source>%1 must be one of %2</source>
        <translation>%1 必须是 %2 之一</translation>
    </message>
    <message>
        <source>%1 must be a whole number from %2 to %3</source>
        <translation>%1 必须是 %2 到 %3 的整数</translation>
    </message>
    <message>
        <source>%1 must be 0 or 1</source>
        <translation>%1 必须是 0 或 1</translation>
    </message>
</context>
<context>
    <name>BarcodeCommand</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>--ecc does not apply to %1</source>
        <translation>--ecc 不适用于 %1</translation>
    </message>
    <message>
        <source>--ecc for %1 must be %2</source>
        <translation>%1 的 --ecc 必须是 %2</translation>
    </message>
    <message>
        <source>--size does not apply to %1</source>
        <translation>--size 不适用于 %1</translation>
    </message>
    <message>
        <source>--size for %1 must be 1 to %2, a size such as %3%4, or auto</source>
        <translation>%1 的 --size 必须是 1 到 %2、%3 这样的尺寸%4 或 auto</translation>
    </message>
    <message>
        <source>the PNG could not be made</source>
        <translation>无法生成 PNG</translation>
    </message>
    <message>
        <source>the symbol is too large: %1 x %2 pixels (at most %3 pixels)</source>
        <translation>条码太大：%1 x %2 像素（最多 %3 像素）</translation>
    </message>
    <message>
        <source>the symbol is too large for PNG: %1 x %2 pixels (at most %3 pixels a side)</source>
        <translation>条码太大，无法写成 PNG：%1 x %2 像素（每边最多 %3 像素）</translation>
    </message>
    <message>
        <source>not enough memory for %1 x %2 pixels</source>
        <translation>内存不足，无法容纳 %1 x %2 像素</translation>
    </message>
    <message>
        <source>cannot start a PDF</source>
        <translation>无法开始 PDF</translation>
    </message>
    <message>
        <source>the PDF was not finished</source>
        <translation>PDF 未能完成</translation>
    </message>
    <message>
        <source>the text is neither UTF-8 nor GB18030</source>
        <translation>文本既不是 UTF-8 也不是 GB18030</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>无法读取 %1：%2</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>第 %1 行：%2</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos; (try barcode --help)</source>
        <translation>未知选项“%1”（请参阅 barcode --help）</translation>
    </message>
    <message>
        <source>unknown barcode type &apos;%1&apos;</source>
        <translation>未知的条形码类型“%1”</translation>
    </message>
    <message>
        <source>--module must be a whole number from 1 to 100</source>
        <translation>--module 必须是 1 到 100 的整数</translation>
    </message>
    <message>
        <source>--height must be a whole number from 1 to 10000</source>
        <translation>--height 必须是 1 到 10000 的整数</translation>
    </message>
    <message>
        <source>--rotation must be 0, 1, 2 or 3</source>
        <translation>--rotation 必须是 0、1、2 或 3</translation>
    </message>
    <message>
        <source>--type is required</source>
        <translation>必须给出 --type</translation>
    </message>
    <message>
        <source>--text and --batch exclude each other</source>
        <translation>--text 和 --batch 不能同时使用</translation>
    </message>
    <message>
        <source>--text is required</source>
        <translation>必须给出 --text</translation>
    </message>
    <message>
        <source>--output FILE.png|FILE.svg|FILE.pdf or --pattern is required</source>
        <translation>必须给出 --output FILE.png|FILE.svg|FILE.pdf 或 --pattern</translation>
    </message>
    <message>
        <source>the output must end in .png, .svg or .pdf</source>
        <translation>输出文件名必须以 .png、.svg 或 .pdf 结尾</translation>
    </message>
    <message>
        <source>--batch needs an --output name with %d or %05d for the line number</source>
        <translation>--batch 需要一个含有 %d 或 %05d（行号）的 --output 文件名</translation>
    </message>
    <message>
        <source>--option must be NAME=VALUE</source>
        <translation>--option 必须是 NAME=VALUE</translation>
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
        <translation>打印校准页（本页不使用校准）
1. 量出左上十字中心到纸张左边和上边的距离 X、Y（mm），应各为 %1 mm。
   偏移 X = %1 − X，偏移 Y = %1 − Y。
2. 量出两把标尺上 0 到 %2 mm、0 到 %3 mm 两个十字间的实际长度 LX、LY。
   比例 X = %2 ÷ LX × 100%，比例 Y = %3 ÷ LY × 100%。
3. 在“打印机校准”对话框中填入这些数值。</translation>
    </message>
    <message>
        <source>Calibration page (printed without calibration)
X, Y: top-left cross to the left, top edge (mm)
Offset = %1 − X, %1 − Y
LX, LY: the rulers&apos; real lengths
Scale = %2 ÷ LX, %3 ÷ LY × 100%</source>
        <translation>校准页（本页不使用校准）
X、Y：左上十字中心到纸张左边、上边（mm）
偏移 = %1 − X，%1 − Y
LX、LY：两把标尺的实际长度
比例 = %2 ÷ LX，%3 ÷ LY × 100%</translation>
    </message>
</context>
<context>
    <name>Cli</name>
    <message>
        <source>unknown option %1</source>
        <translation>未知选项 %1</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 需要一个值</translation>
    </message>
    <message>
        <source>give the printer (--printer NAME) or, for the page alone, --output FILE.pdf</source>
        <translation>请指定打印机（--printer 名称），若只要校准页则用 --output 文件.pdf</translation>
    </message>
    <message>
        <source>a calibration is stored for a printer (--printer NAME)</source>
        <translation>校准值按打印机保存（--printer 名称）</translation>
    </message>
    <message>
        <source>--paper applies only to --output</source>
        <translation>--paper 只能与 --output 一起使用</translation>
    </message>
    <message>
        <source>cannot write the settings file %1</source>
        <translation>无法写入设置文件 %1</translation>
    </message>
    <message>
        <source>unknown paper %1 (A4, Letter or WxHmm such as 100x150mm)</source>
        <translation>未知纸张 %1（可用 A4、Letter 或 宽x高mm，如 100x150mm）</translation>
    </message>
    <message>
        <source>the output must be a .pdf file: %1</source>
        <translation>输出必须是 .pdf 文件：%1</translation>
    </message>
    <message>
        <source>no such printer: %1</source>
        <translation>没有这台打印机：%1</translation>
    </message>
    <message>
        <source>no such label file: %1</source>
        <translation>没有这个标签文件：%1</translation>
    </message>
    <message>
        <source>not a label file: %1</source>
        <translation>不是标签文件：%1</translation>
    </message>
    <message>
        <source>not a label file (.lbl or .lbf): %1</source>
        <translation>不是标签文件（.lbl 或 .lbf）：%1</translation>
    </message>
    <message>
        <source>cannot read the label file %1</source>
        <translation>无法读取标签文件 %1</translation>
    </message>
    <message>
        <source>--offset takes X,Y in millimetres from -10 to 10, such as 0.5,-1.2: %1</source>
        <translation>--offset 取 X,Y，单位毫米，-10 到 10，如 0.5,-1.2：%1</translation>
    </message>
    <message>
        <source>--scale takes SX,SY in percent from 95 to 105, such as 100,99.5: %1</source>
        <translation>--scale 取 SX,SY，单位百分比，95 到 105，如 100,99.5：%1</translation>
    </message>
    <message>
        <source>the printer %1 is stopped: job %2 is %3 and prints only when the printer is started again (cupsenable %1)</source>
        <translation>打印机 %1 已停止：作业 %2 处于 %3 状态，打印机重新启动后才会打印（cupsenable %1）</translation>
    </message>
    <message>
        <source>the printer %1 did not print job %2: it was %3</source>
        <translation>打印机 %1 没有打印作业 %2：作业状态为 %3</translation>
    </message>
    <message>
        <source>more than one label file: %1</source>
        <translation>标签文件多于一个：%1</translation>
    </message>
    <message>
        <source>--delimiter and --fixed exclude each other</source>
        <translation>--delimiter 与 --fixed 不能同时使用</translation>
    </message>
    <message>
        <source>--copies must be a whole number from 1 to 1000000: %1</source>
        <translation>--copies 必须是 1 到 1000000 的整数：%1</translation>
    </message>
    <message>
        <source>choose one of --pages, --labels and --all</source>
        <translation>--pages、--labels 和 --all 只能选一个</translation>
    </message>
    <message>
        <source>--%1 must be a whole number of at least 1: %2</source>
        <translation>--%1 必须是不小于 1 的整数：%2</translation>
    </message>
    <message>
        <source>--dpi must be from 72 to 4800: %1</source>
        <translation>--dpi 必须在 72 到 4800 之间：%1</translation>
    </message>
    <message>
        <source>no label file given</source>
        <translation>没有指定标签文件</translation>
    </message>
    <message>
        <source>--sql and --data exclude each other</source>
        <translation>--sql 与 --data 不能同时使用</translation>
    </message>
    <message>
        <source>--query needs --sql URL</source>
        <translation>--query 需要 --sql URL</translation>
    </message>
    <message>
        <source>--sql needs --query &quot;SELECT ...&quot;</source>
        <translation>--sql 需要 --query &quot;SELECT ...&quot;</translation>
    </message>
    <message>
        <source>--output and --printer exclude each other</source>
        <translation>--output 与 --printer 不能同时使用</translation>
    </message>
    <message>
        <source>--paper and --dpi apply only to --output</source>
        <translation>--paper 和 --dpi 只能与 --output 一起使用</translation>
    </message>
    <message>
        <source>no such data file: %1</source>
        <translation>没有这个数据文件：%1</translation>
    </message>
    <message>
        <source>not a data file: %1</source>
        <translation>不是数据文件：%1</translation>
    </message>
    <message>
        <source>--sheet applies only to a .xlsx, .ods or .xls data file</source>
        <translation>--sheet 只适用于 .xlsx、.ods 或 .xls 数据文件</translation>
    </message>
    <message>
        <source>--delimiter takes tab, comma or one character: %1</source>
        <translation>--delimiter 取 tab、comma 或一个字符：%1</translation>
    </message>
    <message>
        <source>--fixed takes widths of at least 1, such as 10,5,8: %1</source>
        <translation>--fixed 取不小于 1 的宽度，如 10,5,8：%1</translation>
    </message>
    <message>
        <source>--quote takes one character or none: %1</source>
        <translation>--quote 取一个字符或不取：%1</translation>
    </message>
    <message>
        <source>--all needs a data file (--data FILE)</source>
        <translation>--all 需要数据文件（--data 文件）</translation>
    </message>
    <message>
        <source>--all needs a label that imports columns from the data file</source>
        <translation>--all 需要一个从数据文件导入列的标签</translation>
    </message>
    <message>
        <source>no printer is installed; write a PDF with --output FILE.pdf</source>
        <translation>没有安装打印机；请用 --output 文件.pdf 输出 PDF</translation>
    </message>
    <message>
        <source>Printing cancelled.</source>
        <translation>打印已取消。</translation>
    </message>
    <message>
        <source>printed, but the counters were not saved: %1</source>
        <translation>已打印，但计数器没有保存：%1</translation>
    </message>
    <message>
        <source>%1 labels on %2 pages to %3</source>
        <translation>%1 个标签，%2 页，输出到 %3</translation>
    </message>
    <message>
        <source>record %1: no barcode: %2</source>
        <translation>记录 %1：没有条形码：%2</translation>
    </message>
    <message>
        <source>label %1: no barcode: %2</source>
        <translation>标签 %1：没有条形码：%2</translation>
    </message>
    <message>
        <source>--output needs a file name</source>
        <translation>--output 需要文件名</translation>
    </message>
    <message>
        <source>--output FILE.png is required</source>
        <translation>必须指定 --output 文件.png</translation>
    </message>
    <message>
        <source>the output must be a .png file: %1</source>
        <translation>输出必须是 .png 文件：%1</translation>
    </message>
    <message>
        <source>the label is too large to render (%1 x %2 pixels): %3</source>
        <translation>标签太大，无法绘制（%1 x %2 像素）：%3</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <source>no label sheet matches %1</source>
        <translation>没有与 %1 相符的标签纸</translation>
    </message>
    <message>
        <source>unknown label sheet %1; nearest: %2</source>
        <translation>未知标签纸 %1；最接近的：%2</translation>
    </message>
    <message>
        <source>the label sheet %1 cannot be used: %2</source>
        <translation>标签纸 %1 不能使用：%2</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos; (try --help)</source>
        <translation>未知命令“%1”（请看 --help）</translation>
    </message>
    <message>
        <source>--encoding takes UTF-8, GB18030, UTF-16LE or UTF-16BE: %1</source>
        <translation>--encoding 可取 UTF-8、GB18030、UTF-16LE 或 UTF-16BE：%1</translation>
    </message>
    <message>
        <source>--encoding applies only to a text data file</source>
        <translation>--encoding 只适用于文本数据文件</translation>
    </message>
    <message>
        <source>every label: no picture: %1 cannot be read</source>
        <translation>所有标签：无图像：无法读取 %1</translation>
    </message>
    <message>
        <source>--set takes NAME=VALUE: %1</source>
        <translation>--set 的格式为 名称=值：%1</translation>
    </message>
    <message>
        <source>--quantity-column takes a column&apos;s name or number</source>
        <translation>--quantity-column 需要列名或列号</translation>
    </message>
    <message>
        <source>--quantity-column needs a data file (--data FILE)</source>
        <translation>--quantity-column 需要数据文件（--data 文件）</translation>
    </message>
    <message>
        <source>--label (and --roll) choose the calibration page&apos;s size: give them only to print it</source>
        <translation>--label（及 --roll）决定校准页的尺寸：只在打印校准页时给出</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>第 %1 页，共 %2 页</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>第 %1 页</translation>
    </message>
    <message>
        <source>the printer %1 no longer reports job %2</source>
        <translation>打印机 %1 不再报告作业 %2</translation>
    </message>
    <message>
        <source>the printer %1 is stopped: waiting for job %2 until it is started again (cupsenable %1)</source>
        <translation>打印机 %1 已停止：等待作业 %2，直到打印机重新启动（cupsenable %1）</translation>
    </message>
    <message>
        <source>stopped waiting: job %2 stays queued on %1 and prints later</source>
        <translation>已停止等待：作业 %2 仍在 %1 的队列中，稍后打印</translation>
    </message>
    <message>
        <source>warning: the paper holds %1 of the sheet&apos;s %2 rows: %3</source>
        <translation>警告：纸张只能容纳标签纸 %2 行中的 %1 行：%3</translation>
    </message>
    <message>
        <source>row %1 is not printed</source>
        <translation>第 %1 行不打印</translation>
    </message>
    <message>
        <source>rows %1 to %2 are not printed</source>
        <translation>第 %1 至 %2 行不打印</translation>
    </message>
    <message>
        <source>warning: the paper holds %1 of the sheet&apos;s %2 columns: %3</source>
        <translation>警告：纸张只能容纳标签纸 %2 列中的 %1 列：%3</translation>
    </message>
    <message>
        <source>column %1 is not printed</source>
        <translation>第 %1 列不打印</translation>
    </message>
    <message>
        <source>columns %1 to %2 are not printed</source>
        <translation>第 %1 至 %2 列不打印</translation>
    </message>
    <message>
        <source>job %2 on %1 is held: it prints when released (lp -i %2 -H resume)</source>
        <translation>%1 上的作业 %2 被暂挂：释放后才打印（lp -i %2 -H resume）</translation>
    </message>
    <message>
        <source>--pages takes N or M-N, whole numbers from 1 with M not after N: %1</source>
        <translation>--pages 取 N 或 M-N，为从 1 起的整数，且 M 不大于 N：%1</translation>
    </message>
    <message>
        <source>--records takes M-N, M- or N, whole numbers from 1 with M not after N: %1</source>
        <translation>--records 取 M-N、M- 或 N，为从 1 起的整数，且 M 不大于 N：%1</translation>
    </message>
    <message>
        <source>--records needs a data file (--data FILE)</source>
        <translation>--records 需要数据文件（--data FILE）</translation>
    </message>
    <message>
        <source>--records needs a label that imports columns from the data file</source>
        <translation>--records 需要从数据文件导入列的标签</translation>
    </message>
    <message>
        <source>no default printer; choose one with --printer: %1</source>
        <translation>没有默认打印机；请用 --printer 选择其中之一：%1</translation>
    </message>
    <message>
        <source>%1 label on %2 page to %3</source>
        <translation>%1 个标签，%2 页，输出到 %3</translation>
    </message>
    <message>
        <source>%1 labels on %2 page to %3</source>
        <translation>%1 个标签，%2 页，输出到 %3</translation>
    </message>
</context>
<context>
    <name>DataFile</name>
    <message>
        <source>Cannot read the data file &quot;%1&quot;: %2</source>
        <translation>无法读取数据文件“%1”：%2</translation>
    </message>
    <message>
        <source>it is a device or a pipe, not a file</source>
        <translation>它是设备或管道，不是文件</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>它是文件夹</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <source>the quoted field that starts on line %1 does not end within 16 MiB</source>
        <translation>从第 %1 行开始的引号字段在 16 MiB 内没有结束</translation>
    </message>
    <message>
        <source>line %1 is longer than 16 MiB</source>
        <translation>第 %1 行超过 16 MiB</translation>
    </message>
</context>
<context>
    <name>Database</name>
    <message>
        <source>a password does not belong in the connection (set QUORVANE_DB_PASSWORD or use the keyring)</source>
        <translation>密码不能写在连接中（请设置 QUORVANE_DB_PASSWORD 或使用密钥环）</translation>
    </message>
    <message>
        <source>not a database URL (unclosed &apos;[&apos;): %1</source>
        <translation>不是数据库 URL（缺少 &apos;]&apos;）：%1</translation>
    </message>
    <message>
        <source>not a database URL (bad host): %1</source>
        <translation>不是数据库 URL（主机无效）：%1</translation>
    </message>
    <message>
        <source>not a database URL (bad port %1): %2</source>
        <translation>不是数据库 URL（端口 %1 无效）：%2</translation>
    </message>
    <message>
        <source>not a database URL (bad parameter &apos;%1&apos;)</source>
        <translation>不是数据库 URL（参数“%1”无效）</translation>
    </message>
    <message>
        <source>the option %1 is not allowed</source>
        <translation>不允许使用选项 %1</translation>
    </message>
    <message>
        <source>not a database URL (bad port %1)</source>
        <translation>不是数据库 URL（端口 %1 无效）</translation>
    </message>
    <message>
        <source>The database %1 gives binary data in the column &quot;%2&quot;, which a label cannot print.</source>
        <translation>数据库 %1 的列“%2”是二进制数据，标签无法打印。</translation>
    </message>
    <message>
        <source>%1 answers &quot;%2&quot;</source>
        <translation>%1 的结果为“%2”</translation>
    </message>
    <message>
        <source>not a database URL (sqlite:///path/to/file.db): %1</source>
        <translation>不是数据库 URL（sqlite:///path/to/file.db）：%1</translation>
    </message>
    <message>
        <source>no database file in the URL: %1</source>
        <translation>URL 中没有数据库文件：%1</translation>
    </message>
    <message>
        <source>no data source in the URL (odbc:DSN): %1</source>
        <translation>URL 中没有数据源（odbc:DSN）：%1</translation>
    </message>
    <message>
        <source>not a database URL (sqlite:///FILE, postgresql://USER@HOST/DB, mysql://USER@HOST/DB or odbc:DSN): %1</source>
        <translation>不是数据库 URL（sqlite:///FILE、postgresql://USER@HOST/DB、mysql://USER@HOST/DB 或 odbc:DSN）：%1</translation>
    </message>
    <message>
        <source>not a database URL (%1://USER@HOST:PORT/DB): %2</source>
        <translation>不是数据库 URL（%1://USER@HOST:PORT/DB）：%2</translation>
    </message>
    <message>
        <source>Reading from the database %1 failed: %2</source>
        <translation>读取数据库 %1 失败：%2</translation>
    </message>
    <message>
        <source>No query for the database %1.</source>
        <translation>数据库 %1 没有查询。</translation>
    </message>
    <message>
        <source>The database %1 refused the query: only one SELECT statement is allowed.</source>
        <translation>数据库 %1 拒绝了查询：只允许一条 SELECT 语句。</translation>
    </message>
    <message>
        <source>The database %1 cannot be read: the Qt SQL driver %2 is not installed (%3).</source>
        <translation>无法读取数据库 %1：未安装 Qt SQL 驱动 %2（%3）。</translation>
    </message>
    <message>
        <source>Cannot open the database %1: no such file.</source>
        <translation>无法打开数据库 %1：文件不存在。</translation>
    </message>
    <message>
        <source> (no password from the keyring: %1)</source>
        <translation>（未能从密钥环取得密码：%1）</translation>
    </message>
    <message>
        <source>Cannot connect to the database %1: %2%3</source>
        <translation>无法连接数据库 %1：%2%3</translation>
    </message>
    <message>
        <source>The database %1 was not read: the session could not be made read-only (%2).</source>
        <translation>未读取数据库 %1：无法将会话设为只读（%2）。</translation>
    </message>
    <message>
        <source>The database %1 refused the query: %2</source>
        <translation>数据库 %1 拒绝了查询：%2</translation>
    </message>
    <message>
        <source>The query on the database %1 returns no rows (it is not a SELECT).</source>
        <translation>数据库 %1 上的查询不返回任何行（不是 SELECT）。</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <source>语言 / Language</source>
        <translation>语言 / Language</translation>
    </message>
    <message>
        <source>The choice of language could not be saved.</source>
        <translation>无法保存所选语言。</translation>
    </message>
    <message>
        <source>所选语言将在下次启动程序时生效。</source>
        <translation>所选语言将在下次启动程序时生效。</translation>
    </message>
</context>
<context>
    <name>Picture</name>
    <message>
        <source>Unable to locate Graphic file</source>
        <translation>找不到图像文件</translation>
    </message>
    <message>
        <source>Unable to load bitmap file</source>
        <translation>无法载入位图文件</translation>
    </message>
    <message>
        <source>Unable to load jpeg file</source>
        <translation>无法载入 JPEG 文件</translation>
    </message>
    <message>
        <source>the picture is too large</source>
        <translation>图像太大</translation>
    </message>
    <message>
        <source>not a valid SVG drawing</source>
        <translation>不是有效的 SVG 图形</translation>
    </message>
    <message>
        <source>the drawing has no size</source>
        <translation>图形没有尺寸</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>不是普通文件</translation>
    </message>
    <message>
        <source>Unable to load picture file (%1)</source>
        <translation>无法加载图像文件（%1）</translation>
    </message>
    <message>
        <source>unknown format</source>
        <translation>未知格式</translation>
    </message>
    <message>
        <source>The picture is %1 MB; pictures larger than %2 MB cannot be embedded in the label file.</source>
        <translation>图像为 %1 MB；大于 %2 MB 的图像不能嵌入标签文件。</translation>
    </message>
    <message>
        <source>The embedded picture is larger than %1 MB and was not loaded.</source>
        <translation>嵌入的图像大于 %1 MB，未加载。</translation>
    </message>
    <message>
        <source>the embedded data is damaged</source>
        <translation>嵌入的数据已损坏</translation>
    </message>
</context>
<context>
    <name>Printing</name>
    <message>
        <source>The label does not fit on the page.</source>
        <translation>标签在页面上放不下。</translation>
    </message>
    <message>
        <source>The data file has no records.</source>
        <translation>数据文件中没有记录。</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; cannot be used.</source>
        <translation>无法使用打印机“%1”。</translation>
    </message>
    <message>
        <source>The query on the database %1 returns no rows.</source>
        <translation>数据库 %1 上的查询没有返回任何行。</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; failed to start a new page.</source>
        <translation>打印机“%1”无法开始新的一页。</translation>
    </message>
    <message>
        <source> The job stopped after %1 labels and was discarded.</source>
        <translation>作业在打印 %1 个标签后停止，已打印的内容被丢弃。</translation>
    </message>
    <message>
        <source>The printer cannot be used.</source>
        <translation>无法使用打印机。</translation>
    </message>
    <message>
        <source>Cannot read the data source &quot;%1&quot; again.</source>
        <translation>无法再次读取数据源“%1”。</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;</source>
        <translation>无法写入 “%1”</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>无法写入 “%1”：%2</translation>
    </message>
    <message>
        <source>(%1)</source>
        <translation>（%1）</translation>
    </message>
    <message>
        <source>the document was not written whole</source>
        <translation>文档未能完整写入</translation>
    </message>
    <message>
        <source>The top margin is %1: a negative margin places labels outside the page.</source>
        <translation>靠顶边界为 %1：负的边界会使标签落在纸外。</translation>
    </message>
    <message>
        <source>The left margin is %1: a negative margin places labels outside the page.</source>
        <translation>靠左边界为 %1：负的边界会使标签落在纸外。</translation>
    </message>
    <message>
        <source>barcode</source>
        <translation>条码</translation>
    </message>
    <message>
        <source>memo</source>
        <translation>多行文本</translation>
    </message>
    <message>
        <source>text</source>
        <translation>文本</translation>
    </message>
    <message>
        <source>(none: the source has no header line)</source>
        <translation>（无：数据源没有标题行）</translation>
    </message>
    <message>
        <source>The column &quot;%1&quot; is not in %2; its columns: %3.</source>
        <translation>%2 中没有列“%1”；它的列：%3。</translation>
    </message>
    <message>
        <source>Record %1: the quantity &quot;%2&quot; is not a whole number of labels.</source>
        <translation>记录 %1：数量“%2”不是标签的整数张数。</translation>
    </message>
    <message>
        <source>the %1 check digit cannot be computed over &quot;%2&quot;</source>
        <translation>无法对“%2”计算 %1 校验位</translation>
    </message>
    <message>
        <source>the date &quot;%1&quot; does not read with the pattern &quot;%2&quot;</source>
        <translation>日期“%1”不能按格式“%2”读取</translation>
    </message>
    <message>
        <source>the source has no column &quot;%1&quot;</source>
        <translation>数据源没有列“%1”</translation>
    </message>
    <message>
        <source>no value was given for &quot;%1&quot;</source>
        <translation>未提供“%1”的值</translation>
    </message>
    <message>
        <source>Item %1 (%2) at %3 x %4 mm</source>
        <translation>位于 %3 x %4 毫米的第 %1 个对象（%2）</translation>
    </message>
    <message>
        <source>record %1</source>
        <translation>记录 %1</translation>
    </message>
    <message>
        <source>label %1</source>
        <translation>标签 %1</translation>
    </message>
    <message>
        <source>%1, %2: %3.</source>
        <translation>%1，%2：%3。</translation>
    </message>
    <message>
        <source>No value was given for &quot;%1&quot; (%2).</source>
        <translation>未提供“%1”（%2）的值。</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; for &quot;%2&quot; is longer than %3 characters.</source>
        <translation>“%2”的值“%1”超过 %3 个字符。</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; for &quot;%2&quot; does not match the pattern %3.</source>
        <translation>“%2”的值“%1”不符合格式 %3。</translation>
    </message>
    <message>
        <source>The pattern %1 of the value &quot;%2&quot; is not valid.</source>
        <translation>值“%2”的格式 %1 无效。</translation>
    </message>
    <message>
        <source>The quantity column is a column&apos;s name or its number from 1, not %1.</source>
        <translation>数量列应为列名或从 1 起的列号，而不是 %1。</translation>
    </message>
    <message>
        <source>Every record of %1 asks for 0 labels (column &quot;%2&quot;).</source>
        <translation>%1 的每条记录都要求 0 张标签（列“%2”）。</translation>
    </message>
    <message>
        <source>The first label must be from 1 to %1, the labels on a page: not %2.</source>
        <translation>第一个标签必须在 1 到 %1（每页的标签数）之间，不能是 %2。</translation>
    </message>
    <message>
        <source>The records %1 to %2 are no range: the first is from 1 and not after the last.</source>
        <translation>记录 %1 至 %2 不是有效范围：起始记录从 1 起，且不能在末尾记录之后。</translation>
    </message>
    <message>
        <source>Records can be chosen only for a label that reads a data source.</source>
        <translation>只有读取数据源的标签才能选择记录范围。</translation>
    </message>
    <message>
        <source>%1 has %2 records; record %3 is past its end.</source>
        <translation>%1 共有 %2 条记录；第 %3 条记录已超出末尾。</translation>
    </message>
    <message>
        <source>The pages %1 to %2 are no range: the first is after the last.</source>
        <translation>第 %1 至 %2 页不是有效范围：起始页在末页之后。</translation>
    </message>
    <message>
        <source>The job has %1 pages; page %2 is past its end.</source>
        <translation>该作业共 %1 页；第 %2 页已超出末尾。</translation>
    </message>
    <message>
        <source>Cannot spool the document in &quot;%1&quot;: %2</source>
        <translation>无法在 “%1” 中暂存文档：%2</translation>
    </message>
</context>
<context>
    <name>Service</name>
    <message>
        <source>The job store %1 failed: %2</source>
        <translation>作业存储 %1 出错：%2</translation>
    </message>
    <message>
        <source>The job store %1 is open already.</source>
        <translation>作业存储 %1 已打开。</translation>
    </message>
    <message>
        <source>Cannot create the folder %1.</source>
        <translation>无法创建文件夹 %1。</translation>
    </message>
    <message>
        <source>The job store cannot be opened: the Qt SQL driver QSQLITE is not installed.</source>
        <translation>无法打开作业存储：未安装 Qt SQL 驱动 QSQLITE。</translation>
    </message>
    <message>
        <source>The job store %1 was written by a newer version of the program (format %2).</source>
        <translation>作业存储 %1 由较新版本的程序写入（格式 %2）。</translation>
    </message>
    <message>
        <source>A worker needs a name to take jobs.</source>
        <translation>工作进程须有名称才能领取作业。</translation>
    </message>
    <message>
        <source>A job can only finish as done, failed or cancelled.</source>
        <translation>作业只能以 done、failed 或 cancelled 结束。</translation>
    </message>
    <message>
        <source>Job %1 is not being printed by %2.</source>
        <translation>作业 %1 不是由 %2 在打印。</translation>
    </message>
    <message>
        <source>There is no job %1.</source>
        <translation>没有作业 %1。</translation>
    </message>
    <message>
        <source>Job %1 is %2 already and cannot be cancelled.</source>
        <translation>作业 %1 已处于 %2 状态，无法取消。</translation>
    </message>
    <message>
        <source>The job store %1 is damaged: %2</source>
        <translation>作业存储 %1 已损坏：%2</translation>
    </message>
    <message>
        <source>A record&apos;s value must be a text, a number or null.</source>
        <translation>记录的值必须是文本、数字或 null。</translation>
    </message>
    <message>
        <source>The number %1 is too long to keep every digit; send it as a text.</source>
        <translation>数字 %1 太长，无法保留全部位数；请以文本发送。</translation>
    </message>
    <message>
        <source>The records must be an array of objects or of arrays.</source>
        <translation>records 必须是由对象或数组组成的数组。</translation>
    </message>
    <message>
        <source>A request takes at most %1 records; this one has %2.</source>
        <translation>一个请求最多接受 %1 条记录；此请求有 %2 条。</translation>
    </message>
    <message>
        <source>Every record must be an object (values by column name) or every record an array (values by column number).</source>
        <translation>所有记录必须都是对象（按列名给值），或都是数组（按列号给值）。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is required.</source>
        <translation>缺少“%1”。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a text.</source>
        <translation>“%1”必须是文本。</translation>
    </message>
    <message>
        <source>The request is larger than %1 bytes.</source>
        <translation>请求超过 %1 字节。</translation>
    </message>
    <message>
        <source>The request is not valid JSON: %1 (at byte %2).</source>
        <translation>请求不是有效的 JSON：%1（第 %2 字节）。</translation>
    </message>
    <message>
        <source>The request must be a JSON object.</source>
        <translation>请求必须是 JSON 对象。</translation>
    </message>
    <message>
        <source>Unknown field &quot;%1&quot;; a request has only %2.</source>
        <translation>未知字段“%1”；请求只有 %2。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a label&apos;s file name: a plain name ending in .lbl, without folders.</source>
        <translation>“%1”不是标签文件名：应为以 .lbl 结尾的文件名，不含文件夹。</translation>
    </message>
    <message>
        <source>Copies must be a whole number from 1 to 999.</source>
        <translation>份数必须是 1 到 999 的整数。</translation>
    </message>
    <message>
        <source>The values must be an object of texts by name.</source>
        <translation>values 必须是按名称给出文本的对象。</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; must be a text.</source>
        <translation>值“%1”必须是文本。</translation>
    </message>
    <message>
        <source>The label asks for no value &quot;%1&quot;; it asks for %2.</source>
        <translation>标签不询问值“%1”；它询问的是 %2。</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>No value was given for &quot;%1&quot; (%2).</source>
        <translation>未给出“%1”（%2）的值。</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; is longer than %2 characters.</source>
        <translation>值“%1”超过 %2 个字符。</translation>
    </message>
    <message>
        <source>The value &quot;%1&quot; does not match the pattern %2.</source>
        <translation>值“%1”与模式 %2 不符。</translation>
    </message>
    <message>
        <source>The label&apos;s pattern %1 for this value is not valid.</source>
        <translation>标签中此值的模式 %1 无效。</translation>
    </message>
    <message>
        <source>Item %1 (barcode): %2.</source>
        <translation>第 %1 项（条码）：%2。</translation>
    </message>
    <message>
        <source>The label prints from records; the request has none.</source>
        <translation>标签按记录打印；请求中没有记录。</translation>
    </message>
    <message>
        <source>The label reads the column &quot;%1&quot;; the records have %2.</source>
        <translation>标签读取列“%1”；记录中的列为：%2。</translation>
    </message>
    <message>
        <source>no names (they are arrays)</source>
        <translation>无列名（记录为数组）</translation>
    </message>
    <message>
        <source>The label reads column %1; the records have %2 columns.</source>
        <translation>标签读取第 %1 列；记录只有 %2 列。</translation>
    </message>
    <message>
        <source>unknown argument %1</source>
        <translation>未知参数 %1</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 需要一个值</translation>
    </message>
    <message>
        <source>--workers takes a number from 1 to 64: %1</source>
        <translation>--workers 取 1 到 64 之间的数：%1</translation>
    </message>
    <message>
        <source>--tokens FILE is needed</source>
        <translation>需要 --tokens 文件</translation>
    </message>
    <message>
        <source>--labels DIR is needed</source>
        <translation>需要 --labels 文件夹</translation>
    </message>
    <message>
        <source>no such folder: %1</source>
        <translation>没有此文件夹：%1</translation>
    </message>
    <message>
        <source>--listen takes ADDR:PORT, such as 127.0.0.1:8631: %1</source>
        <translation>--listen 的格式为 地址:端口，例如 127.0.0.1:8631：%1</translation>
    </message>
    <message>
        <source>cannot listen on %1</source>
        <translation>无法在 %1 上监听</translation>
    </message>
    <message>
        <source>The tokens file %1 does not exist.</source>
        <translation>令牌文件 %1 不存在。</translation>
    </message>
    <message>
        <source>The tokens file %1 has mode %2: group and others must not read or write it (chmod 600).</source>
        <translation>令牌文件 %1 的权限为 %2：同组用户和其他用户不得读写它（chmod 600）。</translation>
    </message>
    <message>
        <source>Cannot read the tokens file %1.</source>
        <translation>无法读取令牌文件 %1。</translation>
    </message>
    <message>
        <source>The tokens file %1, line %2: write a token and a name.</source>
        <translation>令牌文件 %1 第 %2 行：请写一个令牌和一个名称。</translation>
    </message>
    <message>
        <source>The tokens file %1 holds no token.</source>
        <translation>令牌文件 %1 中没有令牌。</translation>
    </message>
    <message>
        <source>The request is longer than %1 bytes.</source>
        <translation>请求超过 %1 字节。</translation>
    </message>
    <message>
        <source>The label must be the name of a .lbl file in the labels&apos; folder.</source>
        <translation>标签必须是标签文件夹中某个 .lbl 文件的名称。</translation>
    </message>
    <message>
        <source>No printer is named %1.</source>
        <translation>没有名为 %1 的打印机。</translation>
    </message>
    <message>
        <source>Unknown state %1.</source>
        <translation>未知状态 %1。</translation>
    </message>
    <message>
        <source>The limit is a whole number from 1 to %1.</source>
        <translation>limit 是 1 到 %1 之间的整数。</translation>
    </message>
    <message>
        <source>Job %1 has ended already.</source>
        <translation>作业 %1 已经结束。</translation>
    </message>
    <message>
        <source>No job %1.</source>
        <translation>没有作业 %1。</translation>
    </message>
    <message>
        <source>Method not allowed.</source>
        <translation>不允许此方法。</translation>
    </message>
    <message>
        <source>Job %1 has no PDF.</source>
        <translation>作业 %1 没有 PDF。</translation>
    </message>
    <message>
        <source>Not found.</source>
        <translation>未找到。</translation>
    </message>
    <message>
        <source>A valid token is needed (Authorization: Bearer TOKEN).</source>
        <translation>需要有效的令牌（Authorization: Bearer 令牌）。</translation>
    </message>
    <message>
        <source>No label %1 in the labels&apos; folder.</source>
        <translation>标签文件夹中没有标签 %1。</translation>
    </message>
    <message>
        <source>The label %1 cannot be read.</source>
        <translation>无法读取标签 %1。</translation>
    </message>
    <message>
        <source>job %1</source>
        <translation>作业 %1</translation>
    </message>
    <message>
        <source>--watch takes DIR=LABEL.lbl or DIR=LABEL.lbl@PRINTER: %1</source>
        <translation>--watch 的格式为 文件夹=标签.lbl 或 文件夹=标签.lbl@打印机：%1</translation>
    </message>
    <message>
        <source>Cannot read %1.</source>
        <translation>无法读取 %1。</translation>
    </message>
    <message>
        <source>Cannot make the folder %1.</source>
        <translation>无法创建文件夹 %1。</translation>
    </message>
    <message>
        <source>Cannot move %1 out of the watched folder.</source>
        <translation>无法将 %1 移出监视的文件夹。</translation>
    </message>
    <message>
        <source>The queue must be a PostgreSQL database (postgresql://USER@HOST:PORT/DB): %1</source>
        <translation>队列必须是 PostgreSQL 数据库（postgresql://USER@HOST:PORT/DB）：%1</translation>
    </message>
    <message>
        <source>The job store cannot be opened: the Qt SQL driver %1 is not installed.</source>
        <translation>无法打开作业存储：未安装 Qt SQL 驱动 %1。</translation>
    </message>
    <message>
        <source>cannot read the certificate %1: %2</source>
        <translation>无法读取证书 %1：%2</translation>
    </message>
    <message>
        <source>cannot read the key %1: %2</source>
        <translation>无法读取私钥 %1：%2</translation>
    </message>
    <message>
        <source>%1 holds no PEM certificate</source>
        <translation>%1 中没有 PEM 证书</translation>
    </message>
    <message>
        <source>%1 holds no unencrypted PEM private key</source>
        <translation>%1 中没有未加密的 PEM 私钥</translation>
    </message>
    <message>
        <source>the key %1 does not belong to the certificate %2</source>
        <translation>私钥 %1 与证书 %2 不匹配</translation>
    </message>
    <message>
        <source>--cert and --key go together</source>
        <translation>--cert 与 --key 须同时给出</translation>
    </message>
    <message>
        <source>Job %1 is %2: only a failed or cancelled job can be retried.</source>
        <translation>作业 %1 的状态为 %2：只有失败或已取消的作业可以重试。</translation>
    </message>
    <message>
        <source>Cannot read the file %1.</source>
        <translation>无法读取文件 %1。</translation>
    </message>
    <message>
        <source>The PDF of job %1 was kept for a day and has been removed.</source>
        <translation>作业 %1 的 PDF 只保留一天，已被删除。</translation>
    </message>
    <message>
        <source>every label: no picture: %1 cannot be read</source>
        <translation>所有标签：无图像：无法读取 %1</translation>
    </message>
</context>
<context>
    <name>Spreadsheet</name>
    <message>
        <source>the sheet is missing</source>
        <translation>缺少该工作表</translation>
    </message>
    <message>
        <source>the workbook has no sheets</source>
        <translation>工作簿中没有工作表</translation>
    </message>
    <message>
        <source>no sheet &quot;%1&quot; (the sheets: %2)</source>
        <translation>没有工作表“%1”（现有工作表：%2）</translation>
    </message>
    <message>
        <source>%1, sheet &quot;%2&quot;</source>
        <translation>%1，工作表“%2”</translation>
    </message>
    <message>
        <source>it is not a spreadsheet</source>
        <translation>它不是电子表格</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>文件不存在</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>内存不足</translation>
    </message>
    <message>
        <source>its character set is not supported</source>
        <translation>不支持它的字符集</translation>
    </message>
    <message>
        <source>it is not a readable .xls workbook</source>
        <translation>它不是可读取的 .xls 工作簿</translation>
    </message>
    <message>
        <source>it is not a readable .xls workbook (error %1)</source>
        <translation>它不是可读取的 .xls 工作簿（错误 %1）</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>它是一个文件夹</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>它不是文件</translation>
    </message>
    <message>
        <source>the workbook is protected by a password; save it without one</source>
        <translation>工作簿受密码保护；请先不带密码另存</translation>
    </message>
    <message>
        <source>%1: the row number &quot;%2&quot; is out of order</source>
        <translation>%1：行号“%2”顺序错乱</translation>
    </message>
    <message>
        <source>%1: the cell reference &quot;%2&quot; is not valid</source>
        <translation>%1：单元格引用“%2”无效</translation>
    </message>
    <message>
        <source>%1: the cell is out of place (after %2)</source>
        <translation>%1：单元格位置错乱（在 %2 之后）</translation>
    </message>
    <message>
        <source>%1: shared string %2 does not exist (the workbook has %3)</source>
        <translation>%1：共享字符串 %2 不存在（工作簿共有 %3 个）</translation>
    </message>
    <message>
        <source>Cannot read the spreadsheet &quot;%1&quot;: %2</source>
        <translation>无法读取电子表格“%1”：%2</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>文件是空的</translation>
    </message>
    <message>
        <source>it is a text file, not a spreadsheet (open it as a text data file)</source>
        <translation>它是文本文件，不是电子表格（请作为文本数据文件打开）</translation>
    </message>
    <message>
        <source>it is not a spreadsheet (not a zip archive)</source>
        <translation>它不是电子表格（不是 zip 压缩包）</translation>
    </message>
    <message>
        <source>the archive holds no %1</source>
        <translation>压缩包中没有 %1</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1，第 %2 行：%3</translation>
    </message>
</context>
<context>
    <name>Stock</name>
    <message>
        <source>%1 labels do not map onto a rectangular grid</source>
        <translation>%1 形标签不能对应行列网格</translation>
    </message>
    <message>
        <source>unreadable label size</source>
        <translation>标签尺寸无法读取</translation>
    </message>
    <message>
        <source>label size not positive</source>
        <translation>标签尺寸不是正数</translation>
    </message>
    <message>
        <source>unreadable layout</source>
        <translation>排列无法读取</translation>
    </message>
    <message>
        <source>no labels in the layout</source>
        <translation>排列中没有标签</translation>
    </message>
    <message>
        <source>more than 1000 labels across or down</source>
        <translation>横向或纵向超过 1000 个标签</translation>
    </message>
    <message>
        <source>no layout</source>
        <translation>没有排列</translation>
    </message>
    <message>
        <source>no paper size</source>
        <translation>没有纸张尺寸</translation>
    </message>
    <message>
        <source>unknown paper %1</source>
        <translation>未知纸张 %1</translation>
    </message>
    <message>
        <source>unreadable paper size</source>
        <translation>纸张尺寸无法读取</translation>
    </message>
    <message>
        <source>no label</source>
        <translation>没有标签</translation>
    </message>
    <message>
        <source>equivalent of %1, which is not listed</source>
        <translation>与 %1 相同，但没有 %1 的数据</translation>
    </message>
    <message>
        <source>prints %1x%2 on this paper, the sheet has %3x%4</source>
        <translation>这种纸上会排 %1 列 × %2 行，标签纸只有 %3 列 × %4 行</translation>
    </message>
</context>
<context>
    <name>Storage</name>
    <message>
        <source>%1 is not a label file: it has no FORMAT section.</source>
        <translation>%1 不是标签文件：它没有 FORMAT 节。</translation>
    </message>
    <message>
        <source>Unable to locate file</source>
        <translation>找不到文件</translation>
    </message>
    <message>
        <source>无法设置数据于 &apos;%1&apos;</source>
        <translation>无法设置数据于 &apos;%1&apos;</translation>
    </message>
    <message>
        <source>无法读取 %1</source>
        <translation>无法读取 %1</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MiB: not opened</source>
        <translation>%1 大于 %2 MiB，未打开</translation>
    </message>
    <message>
        <source>%1: %2 would place labels outside the page; read as 0.</source>
        <translation>%1：%2 会使标签落在纸外，已按 0 读取。</translation>
    </message>
    <message>
        <source>无法写入到 %1</source>
        <translation>无法写入到 %1</translation>
    </message>
</context>
<context>
    <name>TAppPrinter</name>
    <message>
        <source>Print to PDF</source>
        <translation>打印到 PDF</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF 文件 (*.pdf)</translation>
    </message>
</context>
<context>
    <name>TAsk</name>
    <message>
        <source>证实</source>
        <translation>证实</translation>
    </message>
    <message>
        <source>是(&amp;Y)</source>
        <translation>是(&amp;Y)</translation>
    </message>
    <message>
        <source>否(&amp;N)</source>
        <translation>否(&amp;N)</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>TFAbout</name>
    <message>
        <source>关于 Quorvane</source>
        <translation>关于 Quorvane</translation>
    </message>
    <message>
        <source>版本 1</source>
        <translation>版本 1</translation>
    </message>
    <message>
        <source>Quorvane 是一个标签设计与打印程序：
· 十三种条形码（Code 128、Code 39、EAN 13、UPC A、POSTNET 等）
· 单行文字、多行文字、图形和 BMP/JPEG 图像
· 从文本数据文件、计数器和日期组合高级文字
· 按行列在整页纸上批量打印标签</source>
        <translation>Quorvane 是一个标签设计与打印程序：
· 十三种条形码（Code 128、Code 39、EAN 13、UPC A、POSTNET 等）
· 单行文字、多行文字、图形和 BMP/JPEG 图像
· 从文本数据文件、计数器和日期组合高级文字
· 按行列在整页纸上批量打印标签</translation>
    </message>
    <message>
        <source>Quorvane 标签设计 — Maudrel Software</source>
        <translation>Quorvane 标签设计 — Maudrel Software</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>确定(&amp;O)</translation>
    </message>
</context>
<context>
    <name>TFAdvanced</name>
    <message>
        <source>高级区域</source>
        <translation>高级区域</translation>
    </message>
    <message>
        <source>文本</source>
        <translation>文本</translation>
    </message>
    <message>
        <source>输入区域</source>
        <translation>输入区域</translation>
    </message>
    <message>
        <source>次序</source>
        <translation>次序</translation>
    </message>
    <message>
        <source>日期/时间</source>
        <translation>日期/时间</translation>
    </message>
    <message>
        <source>时间格式帮助</source>
        <translation>时间格式帮助</translation>
    </message>
    <message>
        <source>添加区域</source>
        <translation>添加区域</translation>
    </message>
    <message>
        <source>清除区域</source>
        <translation>清除区域</translation>
    </message>
    <message>
        <source>清除所有区域</source>
        <translation>清除所有区域</translation>
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
        <translation>段落 #</translation>
    </message>
    <message>
        <source>最小尺寸</source>
        <translation>最小尺寸</translation>
    </message>
    <message>
        <source>填充字符</source>
        <translation>填充字符</translation>
    </message>
    <message>
        <source>当前值</source>
        <translation>当前值</translation>
    </message>
    <message>
        <source>最小值</source>
        <translation>最小值</translation>
    </message>
    <message>
        <source>最大值</source>
        <translation>最大值</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>格式</translation>
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
        <translation>打印时输入</translation>
    </message>
    <message>
        <source>校验位</source>
        <translation>校验位</translation>
    </message>
    <message>
        <source>按段落号</source>
        <translation>按段落号</translation>
    </message>
    <message>
        <source>数据源标题行中的列名；填写后优先于段落号</source>
        <translation>数据源标题行中的列名；填写后优先于段落号</translation>
    </message>
    <message>
        <source>负数为倒数</source>
        <translation>负数为倒数</translation>
    </message>
    <message>
        <source>每个值打印的次数</source>
        <translation>每个值打印的次数</translation>
    </message>
    <message>
        <source>每张标签</source>
        <translation>每张标签</translation>
    </message>
    <message>
        <source>每条记录</source>
        <translation>每条记录</translation>
    </message>
    <message>
        <source>每页</source>
        <translation>每页</translation>
    </message>
    <message>
        <source>十进制</source>
        <translation>十进制</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>十六进制</translation>
    </message>
    <message>
        <source>字母</source>
        <translation>字母</translation>
    </message>
    <message>
        <source>加到来源日期上；负数为之前</source>
        <translation>加到来源日期上；负数为之前</translation>
    </message>
    <message>
        <source>天</source>
        <translation>天</translation>
    </message>
    <message>
        <source>月</source>
        <translation>月</translation>
    </message>
    <message>
        <source>年</source>
        <translation>年</translation>
    </message>
    <message>
        <source>当前日期</source>
        <translation>当前日期</translation>
    </message>
    <message>
        <source>数据列</source>
        <translation>数据列</translation>
    </message>
    <message>
        <source>列名、列号或名称</source>
        <translation>列名、列号或名称</translation>
    </message>
    <message>
        <source>数据列或输入值的日期格式</source>
        <translation>数据列或输入值的日期格式</translation>
    </message>
    <message>
        <source>当前时间</source>
        <translation>当前时间</translation>
    </message>
    <message>
        <source>固定时间</source>
        <translation>固定时间</translation>
    </message>
    <message>
        <source>例如 批号</source>
        <translation>例如 批号</translation>
    </message>
    <message>
        <source>空 = 任意</source>
        <translation>空 = 任意</translation>
    </message>
    <message>
        <source>不限</source>
        <translation>不限</translation>
    </message>
    <message>
        <source>例如 1-3</source>
        <translation>例如 1-3</translation>
    </message>
    <message>
        <source>校验的区域序号，例如 1-3 或 1,2,5；空 = 前面所有区域</source>
        <translation>校验的区域序号，例如 1-3 或 1,2,5；空 = 前面所有区域</translation>
    </message>
    <message>
        <source>各区域组成的文字（设计时的样子）</source>
        <translation>各区域组成的文字（设计时的样子）</translation>
    </message>
    <message>
        <source>列名</source>
        <translation>列名</translation>
    </message>
    <message>
        <source>步长</source>
        <translation>步长</translation>
    </message>
    <message>
        <source>重复</source>
        <translation>重复</translation>
    </message>
    <message>
        <source>递增</source>
        <translation>递增</translation>
    </message>
    <message>
        <source>进制</source>
        <translation>进制</translation>
    </message>
    <message>
        <source>偏移</source>
        <translation>偏移</translation>
    </message>
    <message>
        <source>来源</source>
        <translation>来源</translation>
    </message>
    <message>
        <source>列/名称</source>
        <translation>列/名称</translation>
    </message>
    <message>
        <source>输入格式</source>
        <translation>输入格式</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>标题</translation>
    </message>
    <message>
        <source>默认值</source>
        <translation>默认值</translation>
    </message>
    <message>
        <source>格式(正则表达式)</source>
        <translation>格式(正则表达式)</translation>
    </message>
    <message>
        <source>最大长度</source>
        <translation>最大长度</translation>
    </message>
    <message>
        <source>算法</source>
        <translation>算法</translation>
    </message>
    <message>
        <source>覆盖区域</source>
        <translation>覆盖区域</translation>
    </message>
    <message>
        <source>示例</source>
        <translation>示例</translation>
    </message>
    <message>
        <source>The step must not be 0.</source>
        <translation>步长不能为 0。</translation>
    </message>
    <message>
        <source>Give the column (its name or number) or the name of the value</source>
        <translation>请填写日期所取的数据列（列名或列号）</translation>
    </message>
    <message>
        <source>the date is read from.</source>
        <translation>或打印时输入值的名称。</translation>
    </message>
    <message>
        <source>A value asked at print time needs a name.</source>
        <translation>打印时输入的值需要一个名称。</translation>
    </message>
    <message>
        <source>This is not a valid regular expression: </source>
        <translation>不是有效的正则表达式：</translation>
    </message>
    <message>
        <source>Give the parts to check by their numbers, such as 1-3 or 1,2,5.</source>
        <translation>请用区域序号指定校验的区域，例如 1-3 或 1,2,5。</translation>
    </message>
    <message>
        <source>Displays the weekday in Chinese (星期一-星期日).</source>
        <translation>Displays the weekday in Chinese (星期一-星期日).</translation>
    </message>
    <message>
        <source>Are shown as they are, as are &quot;-&quot; and &quot;.&quot;:</source>
        <translation>Are shown as they are, as are &quot;-&quot; and &quot;.&quot;:</translation>
    </message>
    <message>
        <source>&quot;yyyy年m月d日&quot; gives 2026年3月9日.</source>
        <translation>&quot;yyyy年m月d日&quot; gives 2026年3月9日.</translation>
    </message>
</context>
<context>
    <name>TFAskValues</name>
    <message>
        <source>打印时输入</source>
        <translation>打印时输入</translation>
    </message>
    <message>
        <source>格式：%1</source>
        <translation>格式：%1</translation>
    </message>
    <message>
        <source>：</source>
        <translation>：</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>请输入“%1”。</source>
        <translation>请输入“%1”。</translation>
    </message>
    <message>
        <source>“%1”最多 %2 个字符。</source>
        <translation>“%1”最多 %2 个字符。</translation>
    </message>
    <message>
        <source>“%1”的值不符合格式：%2</source>
        <translation>“%1”的值不符合格式：%2</translation>
    </message>
    <message>
        <source>“%1”的格式无效：%2</source>
        <translation>“%1”的格式无效：%2</translation>
    </message>
</context>
<context>
    <name>TFCalibration</name>
    <message>
        <source>打印机“%1”不可用。</source>
        <translation>打印机“%1”不可用。</translation>
    </message>
    <message>
        <source>打印机校准</source>
        <translation>打印机校准</translation>
    </message>
    <message>
        <source>先打印校准页，量出十字与标尺实际落在纸上的位置和长度，再按页上的说明填入数值。偏移向右、向下为正。</source>
        <translation>先打印校准页，量出十字与标尺实际落在纸上的位置和长度，再按页上的说明填入数值。偏移向右、向下为正。</translation>
    </message>
    <message>
        <source>打印校准页(&amp;P)</source>
        <translation>打印校准页(&amp;P)</translation>
    </message>
    <message>
        <source>清除(&amp;R)</source>
        <translation>清除(&amp;R)</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>偏移</source>
        <translation>偏移</translation>
    </message>
    <message>
        <source>水平 X：</source>
        <translation>水平 X：</translation>
    </message>
    <message>
        <source>垂直 Y：</source>
        <translation>垂直 Y：</translation>
    </message>
    <message>
        <source>比例</source>
        <translation>比例</translation>
    </message>
    <message>
        <source>打印机：</source>
        <translation>打印机：</translation>
    </message>
    <message>
        <source>无法保存设置文件 %1。</source>
        <translation>无法保存设置文件 %1。</translation>
    </message>
</context>
<context>
    <name>TFFontDlg</name>
    <message>
        <source>常规</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>斜体</translation>
    </message>
    <message>
        <source>粗体</source>
        <translation>粗体</translation>
    </message>
    <message>
        <source>粗斜体</source>
        <translation>粗斜体</translation>
    </message>
    <message>
        <source>黑色</source>
        <translation>黑色</translation>
    </message>
    <message>
        <source>褐红色</source>
        <translation>褐红色</translation>
    </message>
    <message>
        <source>绿色</source>
        <translation>绿色</translation>
    </message>
    <message>
        <source>橄榄色</source>
        <translation>橄榄色</translation>
    </message>
    <message>
        <source>深蓝色</source>
        <translation>深蓝色</translation>
    </message>
    <message>
        <source>紫色</source>
        <translation>紫色</translation>
    </message>
    <message>
        <source>深青色</source>
        <translation>深青色</translation>
    </message>
    <message>
        <source>灰色</source>
        <translation>灰色</translation>
    </message>
    <message>
        <source>银色</source>
        <translation>银色</translation>
    </message>
    <message>
        <source>红色</source>
        <translation>红色</translation>
    </message>
    <message>
        <source>酸橙色</source>
        <translation>酸橙色</translation>
    </message>
    <message>
        <source>黄色</source>
        <translation>黄色</translation>
    </message>
    <message>
        <source>蓝色</source>
        <translation>蓝色</translation>
    </message>
    <message>
        <source>紫红色</source>
        <translation>紫红色</translation>
    </message>
    <message>
        <source>水绿色</source>
        <translation>水绿色</translation>
    </message>
    <message>
        <source>白色</source>
        <translation>白色</translation>
    </message>
    <message>
        <source>其他...</source>
        <translation>其他...</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>字体</translation>
    </message>
    <message>
        <source>字体(&amp;F):</source>
        <translation>字体(&amp;F):</translation>
    </message>
    <message>
        <source>字形(&amp;Y):</source>
        <translation>字形(&amp;Y):</translation>
    </message>
    <message>
        <source>大小(&amp;S):</source>
        <translation>大小(&amp;S):</translation>
    </message>
    <message>
        <source>效果</source>
        <translation>效果</translation>
    </message>
    <message>
        <source>删除线(&amp;K)</source>
        <translation>删除线(&amp;K)</translation>
    </message>
    <message>
        <source>下划线(&amp;U)</source>
        <translation>下划线(&amp;U)</translation>
    </message>
    <message>
        <source>颜色(&amp;C):</source>
        <translation>颜色(&amp;C):</translation>
    </message>
    <message>
        <source>示例</source>
        <translation>示例</translation>
    </message>
    <message>
        <source>AaBbYyZz 标签字体</source>
        <translation>AaBbYyZz 标签字体</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>自定义</translation>
    </message>
</context>
<context>
    <name>TFLabelSettings</name>
    <message>
        <source>自定义标签设置</source>
        <translation>自定义标签设置</translation>
    </message>
    <message>
        <source>英寸</source>
        <translation>英寸</translation>
    </message>
    <message>
        <source>厘米</source>
        <translation>厘米</translation>
    </message>
    <message>
        <source>行：</source>
        <translation>行：</translation>
    </message>
    <message>
        <source>列：</source>
        <translation>列：</translation>
    </message>
    <message>
        <source>顶:</source>
        <translation>顶:</translation>
    </message>
    <message>
        <source>底:</source>
        <translation>底:</translation>
    </message>
    <message>
        <source>左:</source>
        <translation>左:</translation>
    </message>
    <message>
        <source>右:</source>
        <translation>右:</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>打印设置(&amp;P)</source>
        <translation>打印设置(&amp;P)</translation>
    </message>
    <message>
        <source>标签库存(&amp;S)...</source>
        <translation>标签库存(&amp;S)...</translation>
    </message>
    <message>
        <source>按厂商的标签纸型号填写尺寸、边界和间距</source>
        <translation>按厂商的标签纸型号填写尺寸、边界和间距</translation>
    </message>
    <message>
        <source>卷筒标签（每页一个标签）</source>
        <translation>卷筒标签（每页一个标签）</translation>
    </message>
    <message>
        <source>热敏或卷筒打印机：每个标签单独一页，页面为标签加四周的边界，不用装订线</source>
        <translation>热敏或卷筒打印机：每个标签单独一页，页面为标签加四周的边界，不用装订线</translation>
    </message>
    <message>
        <source>打印机校准(&amp;B)</source>
        <translation>打印机校准(&amp;B)</translation>
    </message>
    <message>
        <source>度量单位</source>
        <translation>度量单位</translation>
    </message>
    <message>
        <source>标签尺寸</source>
        <translation>标签尺寸</translation>
    </message>
    <message>
        <source>输入标签尺寸</source>
        <translation>输入标签尺寸</translation>
    </message>
    <message>
        <source>高度</source>
        <translation>高度</translation>
    </message>
    <message>
        <source>宽度</source>
        <translation>宽度</translation>
    </message>
    <message>
        <source>纸边界设置</source>
        <translation>纸边界设置</translation>
    </message>
    <message>
        <source>输入页面顶端及左侧边界</source>
        <translation>输入页面顶端及左侧边界</translation>
    </message>
    <message>
        <source>靠顶</source>
        <translation>靠顶</translation>
    </message>
    <message>
        <source>靠左</source>
        <translation>靠左</translation>
    </message>
    <message>
        <source>标签装订线</source>
        <translation>标签装订线</translation>
    </message>
    <message>
        <source>输入标签之间水平及垂直间距</source>
        <translation>输入标签之间水平及垂直间距</translation>
    </message>
    <message>
        <source>标签布局</source>
        <translation>标签布局</translation>
    </message>
    <message>
        <source>可打印页面区域</source>
        <translation>可打印页面区域</translation>
    </message>
    <message>
        <source>不可打印区域</source>
        <translation>不可打印区域</translation>
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
        <translation>顶：</translation>
    </message>
    <message>
        <source>底：</source>
        <translation>底：</translation>
    </message>
    <message>
        <source>左：</source>
        <translation>左：</translation>
    </message>
    <message>
        <source>右：</source>
        <translation>右：</translation>
    </message>
    <message>
        <source>每页 1 个标签</source>
        <translation>每页 1 个标签</translation>
    </message>
    <message>
        <source>标签库存：%1，%2 列 × %3 行，%4</source>
        <translation>标签库存：%1，%2 列 × %3 行，%4</translation>
    </message>
    <message>
        <source>（打印机的纸张不是 %1）</source>
        <translation>（打印机的纸张不是 %1）</translation>
    </message>
    <message>
        <source>纸边界“靠顶”不能为负数：标签会落在纸外。</source>
        <translation>纸边界“靠顶”不能为负数：标签会落在纸外。</translation>
    </message>
    <message>
        <source>纸边界“靠左”不能为负数：标签会落在纸外。</source>
        <translation>纸边界“靠左”不能为负数：标签会落在纸外。</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>矩形</translation>
    </message>
    <message>
        <source>圆角矩形</source>
        <translation>圆角矩形</translation>
    </message>
    <message>
        <source>圆形</source>
        <translation>圆形</translation>
    </message>
    <message>
        <source>椭圆</source>
        <translation>椭圆</translation>
    </message>
    <message>
        <source>标签的模切形状：打印内容被裁到此形状内</source>
        <translation>标签的模切形状：打印内容被裁到此形状内</translation>
    </message>
    <message>
        <source>圆角矩形的圆角半径</source>
        <translation>圆角矩形的圆角半径</translation>
    </message>
    <message>
        <source>形状：</source>
        <translation>形状：</translation>
    </message>
    <message>
        <source>圆角半径：</source>
        <translation>圆角半径：</translation>
    </message>
    <message>
        <source>这张标签纸有 %1 组标签排列：上面的尺寸是第一组的，其余 %2 组（%3 个标签）随标签保存并打印。</source>
        <translation>这张标签纸有 %1 组标签排列：上面的尺寸是第一组的，其余 %2 组（%3 个标签）随标签保存并打印。</translation>
    </message>
    <message>
        <source>毫米</source>
        <translation>毫米</translation>
    </message>
    <message>
        <source>Minimum label height is 10 millimetres tall!</source>
        <translation>标签高度至少为 10 毫米！</translation>
    </message>
    <message>
        <source>Minimum label width is 10 millimetres wide!</source>
        <translation>标签宽度至少为 10 毫米！</translation>
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
        <source>添加</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>置前</source>
        <translation>置前</translation>
    </message>
    <message>
        <source>置后</source>
        <translation>置后</translation>
    </message>
    <message>
        <source>新标签</source>
        <translation>新标签</translation>
    </message>
    <message>
        <source>载入标签</source>
        <translation>载入标签</translation>
    </message>
    <message>
        <source>保存标签</source>
        <translation>保存标签</translation>
    </message>
    <message>
        <source>打印标签</source>
        <translation>打印标签</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>选择工具</source>
        <translation>选择工具</translation>
    </message>
    <message>
        <source>添加文字</source>
        <translation>添加文字</translation>
    </message>
    <message>
        <source>添加条形码</source>
        <translation>添加条形码</translation>
    </message>
    <message>
        <source>添加备注</source>
        <translation>添加备注</translation>
    </message>
    <message>
        <source>添加图形</source>
        <translation>添加图形</translation>
    </message>
    <message>
        <source>添加图像</source>
        <translation>添加图像</translation>
    </message>
    <message>
        <source>垂直靠顶排列</source>
        <translation>垂直靠顶排列</translation>
    </message>
    <message>
        <source>垂直居中排列</source>
        <translation>垂直居中排列</translation>
    </message>
    <message>
        <source>垂直靠底排列</source>
        <translation>垂直靠底排列</translation>
    </message>
    <message>
        <source>水平靠左排列</source>
        <translation>水平靠左排列</translation>
    </message>
    <message>
        <source>水平居中排列</source>
        <translation>水平居中排列</translation>
    </message>
    <message>
        <source>水平靠右排列</source>
        <translation>水平靠右排列</translation>
    </message>
    <message>
        <source>水平排列</source>
        <translation>水平排列</translation>
    </message>
    <message>
        <source>靠左</source>
        <translation>靠左</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>居中</translation>
    </message>
    <message>
        <source>靠右</source>
        <translation>靠右</translation>
    </message>
    <message>
        <source>垂直排列</source>
        <translation>垂直排列</translation>
    </message>
    <message>
        <source>靠顶</source>
        <translation>靠顶</translation>
    </message>
    <message>
        <source>靠底</source>
        <translation>靠底</translation>
    </message>
    <message>
        <source>附加到</source>
        <translation>附加到</translation>
    </message>
    <message>
        <source>无</source>
        <translation>无</translation>
    </message>
    <message>
        <source>客户端</source>
        <translation>客户端</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>旋转</translation>
    </message>
    <message>
        <source>自动调整大小以适应</source>
        <translation>自动调整大小以适应</translation>
    </message>
    <message>
        <source>透明</source>
        <translation>透明</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>新建(&amp;N)</source>
        <translation>新建(&amp;N)</translation>
    </message>
    <message>
        <source>打开标签(&amp;O)</source>
        <translation>打开标签(&amp;O)</translation>
    </message>
    <message>
        <source>载入标签格式</source>
        <translation>载入标签格式</translation>
    </message>
    <message>
        <source>最近的文件</source>
        <translation>最近的文件</translation>
    </message>
    <message>
        <source>保存标签(&amp;S)</source>
        <translation>保存标签(&amp;S)</translation>
    </message>
    <message>
        <source>另存标签为(&amp;A)</source>
        <translation>另存标签为(&amp;A)</translation>
    </message>
    <message>
        <source>保存标签格式</source>
        <translation>保存标签格式</translation>
    </message>
    <message>
        <source>另存标签格式为</source>
        <translation>另存标签格式为</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>打印设置</source>
        <translation>打印设置</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>撤销(&amp;U)</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>复制(&amp;C)</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <source>粘贴(&amp;P)</source>
        <translation>粘贴(&amp;P)</translation>
    </message>
    <message>
        <source>删除(&amp;D)</source>
        <translation>删除(&amp;D)</translation>
    </message>
    <message>
        <source>自定义标签设置</source>
        <translation>自定义标签设置</translation>
    </message>
    <message>
        <source>格式选项</source>
        <translation>格式选项</translation>
    </message>
    <message>
        <source>显示栅格</source>
        <translation>显示栅格</translation>
    </message>
    <message>
        <source>自动记忆次序</source>
        <translation>自动记忆次序</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>实际大小</source>
        <translation>实际大小</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>网络帮助</source>
        <translation>网络帮助</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>重置标签画布</source>
        <translation>重置标签画布</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>打印计数</source>
        <translation>打印计数</translation>
    </message>
    <message>
        <source>The help file Help.html was not found next to the program.</source>
        <translation>在程序所在的文件夹中找不到帮助文件 Help.html。</translation>
    </message>
    <message>
        <source>Unable to open the help file </source>
        <translation>无法打开帮助文件 </translation>
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
        <source>找不到文件 “%1”，已将它从最近的文件中删除。</source>
        <translation>找不到文件 “%1”，已将它从最近的文件中删除。</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>未命名</translation>
    </message>
    <message>
        <source>上次运行未正常结束。是否恢复未保存的标签 “%1”？</source>
        <translation>上次运行未正常结束。是否恢复未保存的标签 “%1”？</translation>
    </message>
    <message>
        <source>撤销 %1(&amp;U)</source>
        <translation>撤销 %1(&amp;U)</translation>
    </message>
    <message>
        <source>重做 %1(&amp;R)</source>
        <translation>重做 %1(&amp;R)</translation>
    </message>
    <message>
        <source>调整大小</source>
        <translation>调整大小</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>移动</translation>
    </message>
    <message>
        <source>显示比例</source>
        <translation>显示比例</translation>
    </message>
    <message>
        <source>另一个设计器（%1 上的进程 %2）已经打开了此标签：
%3
两处的保存会互相覆盖。</source>
        <translation>另一个设计器（%1 上的进程 %2）已经打开了此标签：
%3
两处的保存会互相覆盖。</translation>
    </message>
    <message>
        <source>此标签文件在打开或上次保存之后已被其他人更改：
%1
覆盖它会丢失那些更改。</source>
        <translation>此标签文件在打开或上次保存之后已被其他人更改：
%1
覆盖它会丢失那些更改。</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>重新载入(&amp;R)</source>
        <translation>重新载入(&amp;R)</translation>
    </message>
    <message>
        <source>覆盖(&amp;O)</source>
        <translation>覆盖(&amp;O)</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>无法读取恢复副本 %1，也无法将它改名。</source>
        <translation>无法读取恢复副本 %1，也无法将它改名。</translation>
    </message>
    <message>
        <source>无法读取恢复副本 %1，已将它改名为 %2。</source>
        <translation>无法读取恢复副本 %1，已将它改名为 %2。</translation>
    </message>
    <message>
        <source>左对齐</source>
        <translation>左对齐</translation>
    </message>
    <message>
        <source>水平居中对齐</source>
        <translation>水平居中对齐</translation>
    </message>
    <message>
        <source>右对齐</source>
        <translation>右对齐</translation>
    </message>
    <message>
        <source>顶端对齐</source>
        <translation>顶端对齐</translation>
    </message>
    <message>
        <source>垂直居中对齐</source>
        <translation>垂直居中对齐</translation>
    </message>
    <message>
        <source>底端对齐</source>
        <translation>底端对齐</translation>
    </message>
    <message>
        <source>水平等距分布</source>
        <translation>水平等距分布</translation>
    </message>
    <message>
        <source>垂直等距分布</source>
        <translation>垂直等距分布</translation>
    </message>
    <message>
        <source>在标签上水平居中</source>
        <translation>在标签上水平居中</translation>
    </message>
    <message>
        <source>在标签上垂直居中</source>
        <translation>在标签上垂直居中</translation>
    </message>
    <message>
        <source>相同宽度</source>
        <translation>相同宽度</translation>
    </message>
    <message>
        <source>相同高度</source>
        <translation>相同高度</translation>
    </message>
    <message>
        <source>排列(&amp;A)</source>
        <translation>排列(&amp;A)</translation>
    </message>
    <message>
        <source>对齐网格</source>
        <translation>对齐网格</translation>
    </message>
    <message>
        <source>对齐对象</source>
        <translation>对齐对象</translation>
    </message>
    <message>
        <source>网格间距...</source>
        <translation>网格间距...</translation>
    </message>
    <message>
        <source>网格间距</source>
        <translation>网格间距</translation>
    </message>
    <message>
        <source>网格间距（毫米）：</source>
        <translation>网格间距（毫米）：</translation>
    </message>
    <message>
        <source>网格间距（厘米）：</source>
        <translation>网格间距（厘米）：</translation>
    </message>
    <message>
        <source>网格间距（英寸）：</source>
        <translation>网格间距（英寸）：</translation>
    </message>
    <message>
        <source>翻转</source>
        <translation>翻转</translation>
    </message>
    <message>
        <source>水平翻转</source>
        <translation>水平翻转</translation>
    </message>
    <message>
        <source>垂直翻转</source>
        <translation>垂直翻转</translation>
    </message>
    <message>
        <source>剪切(&amp;T)</source>
        <translation>剪切(&amp;T)</translation>
    </message>
    <message>
        <source>复制副本</source>
        <translation>复制副本</translation>
    </message>
    <message>
        <source>全选(&amp;A)</source>
        <translation>全选(&amp;A)</translation>
    </message>
    <message>
        <source>缩放到合适大小</source>
        <translation>缩放到合适大小</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>剪切</translation>
    </message>
</context>
<context>
    <name>TFMemoDlg</name>
    <message>
        <source>输入文本</source>
        <translation>输入文本</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
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
        <translation>打印选项</translation>
    </message>
    <message>
        <source>列：</source>
        <translation>列：</translation>
    </message>
    <message>
        <source>行：</source>
        <translation>行：</translation>
    </message>
    <message>
        <source>每页标签数：</source>
        <translation>每页标签数：</translation>
    </message>
    <message>
        <source>打印设置(&amp;S)</source>
        <translation>打印设置(&amp;S)</translation>
    </message>
    <message>
        <source>日期输入来自于</source>
        <translation>日期输入来自于</translation>
    </message>
    <message>
        <source>校准(&amp;B)</source>
        <translation>校准(&amp;B)</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>打印范围(&amp;R)</source>
        <translation>打印范围(&amp;R)</translation>
    </message>
    <message>
        <source>所有</source>
        <translation>所有</translation>
    </message>
    <message>
        <source>页数</source>
        <translation>页数</translation>
    </message>
    <message>
        <source>标签</source>
        <translation>标签</translation>
    </message>
    <message>
        <source>份数</source>
        <translation>份数</translation>
    </message>
    <message>
        <source>单一标签</source>
        <translation>单一标签</translation>
    </message>
    <message>
        <source>多个标签副本</source>
        <translation>多个标签副本</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>预览(&amp;V)</source>
        <translation>预览(&amp;V)</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>数据库查询</source>
        <translation>数据库查询</translation>
    </message>
    <message>
        <source>查询...</source>
        <translation>查询...</translation>
    </message>
    <message>
        <source>数据文件 (*.txt *.prn *.csv *.dat *.xlsx *.ods *.xls)</source>
        <translation>数据文件 (*.txt *.prn *.csv *.dat *.xlsx *.ods *.xls)</translation>
    </message>
    <message>
        <source>Text Files (*.txt *.prn *.csv *.dat)</source>
        <translation>Text Files (*.txt *.prn *.csv *.dat)</translation>
    </message>
    <message>
        <source>电子表格 (*.xlsx *.ods *.xls)</source>
        <translation>电子表格 (*.xlsx *.ods *.xls)</translation>
    </message>
    <message>
        <source>No printer is available.</source>
        <translation>没有可用的打印机。</translation>
    </message>
    <message>
        <source>Labels per page: </source>
        <translation>Labels per page: </translation>
    </message>
    <message>
        <source>%1 × %2 mm</source>
        <translation>%1 × %2 mm</translation>
    </message>
    <message>
        <source>纸张：%1</source>
        <translation>纸张：%1</translation>
    </message>
    <message>
        <source>纸张：自定义尺寸 %1</source>
        <translation>纸张：自定义尺寸 %1</translation>
    </message>
    <message>
        <source>纸张：打印机不接受自定义尺寸，使用能容纳 %1 的最小纸张 %2%3</source>
        <translation>纸张：打印机不接受自定义尺寸，使用能容纳 %1 的最小纸张 %2%3</translation>
    </message>
    <message>
        <source>（横向）</source>
        <translation>（横向）</translation>
    </message>
    <message>
        <source>纸张：打印机没有能容纳 %1 的纸张</source>
        <translation>纸张：打印机没有能容纳 %1 的纸张</translation>
    </message>
    <message>
        <source>请先选择数据库查询。</source>
        <translation>请先选择数据库查询。</translation>
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
        <source>标签已打印，但缺少无法读取的图像：
%1</source>
        <translation>标签已打印，但缺少无法读取的图像：
%1</translation>
    </message>
    <message>
        <source>按数据列打印数量</source>
        <translation>按数据列打印数量</translation>
    </message>
    <message>
        <source>列名或列号（从 1 起）：每条记录打印该列所写的标签数</source>
        <translation>列名或列号（从 1 起）：每条记录打印该列所写的标签数</translation>
    </message>
    <message>
        <source>请选择给出打印数量的数据列。</source>
        <translation>请选择给出打印数量的数据列。</translation>
    </message>
    <message>
        <source>纸张放不下第 %1 行（共 %2 行），只打印 %3 行</source>
        <translation>纸张放不下第 %1 行（共 %2 行），只打印 %3 行</translation>
    </message>
    <message>
        <source>纸张放不下第 %1 列（共 %2 列），只打印 %3 列</source>
        <translation>纸张放不下第 %1 列（共 %2 列），只打印 %3 列</translation>
    </message>
    <message>
        <source>；</source>
        <translation>；</translation>
    </message>
    <message>
        <source>从第几个标签开始</source>
        <translation>从第几个标签开始</translation>
    </message>
    <message>
        <source>第一页从这个位置开始，前面的位置已用过（从左上角起逐行数）</source>
        <translation>第一页从这个位置开始，前面的位置已用过（从左上角起逐行数）</translation>
    </message>
    <message>
        <source>按卷筒打印（每页一个标签，不含纸张边距）</source>
        <translation>按卷筒打印（每页一个标签，不含纸张边距）</translation>
    </message>
    <message>
        <source>打印标签轮廓</source>
        <translation>打印标签轮廓</translation>
    </message>
    <message>
        <source>沿每个标签的边缘（模切形状）画一条细线，用于对齐</source>
        <translation>沿每个标签的边缘（模切形状）画一条细线，用于对齐</translation>
    </message>
    <message>
        <source>打印裁切标记</source>
        <translation>打印裁切标记</translation>
    </message>
    <message>
        <source>在标签角外的页边和间隙中画短线，不压在标签上</source>
        <translation>在标签角外的页边和间隙中画短线，不压在标签上</translation>
    </message>
    <message>
        <source>镜像打印</source>
        <translation>镜像打印</translation>
    </message>
    <message>
        <source>整页左右翻转，用于转印纸</source>
        <translation>整页左右翻转，用于转印纸</translation>
    </message>
    <message>
        <source>每页 1 个标签，页面含标签格式设定的边距</source>
        <translation>每页 1 个标签，页面含标签格式设定的边距</translation>
    </message>
    <message>
        <source>每页 1 个标签，页面即标签，无边距</source>
        <translation>每页 1 个标签，页面即标签，无边距</translation>
    </message>
    <message>
        <source>至</source>
        <translation>至</translation>
    </message>
    <message>
        <source>记录</source>
        <translation>记录</translation>
    </message>
    <message>
        <source>只打印数据源的这些记录（从 1 起，不含标题行）；末项留空：到最后一条</source>
        <translation>只打印数据源的这些记录（从 1 起，不含标题行）；末项留空：到最后一条</translation>
    </message>
    <message>
        <source>逐份打印</source>
        <translation>逐份打印</translation>
    </message>
    <message>
        <source>整批打印完再打印下一份，而不是每个标签连打多份</source>
        <translation>整批打印完再打印下一份，而不是每个标签连打多份</translation>
    </message>
</context>
<context>
    <name>TFPrintPreview</name>
    <message>
        <source>打印预览</source>
        <translation>打印预览</translation>
    </message>
    <message>
        <source>第一页</source>
        <translation>第一页</translation>
    </message>
    <message>
        <source>上一页</source>
        <translation>上一页</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>下一页</translation>
    </message>
    <message>
        <source>最后一页</source>
        <translation>最后一页</translation>
    </message>
    <message>
        <source>适合页面</source>
        <translation>适合页面</translation>
    </message>
    <message>
        <source>适合宽度</source>
        <translation>适合宽度</translation>
    </message>
    <message>
        <source>打印(&amp;P)</source>
        <translation>打印(&amp;P)</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>共 %1 页</source>
        <translation>共 %1 页</translation>
    </message>
    <message>
        <source>每页 %1 个标签，共 %2 个标签</source>
        <translation>每页 %1 个标签，共 %2 个标签</translation>
    </message>
</context>
<context>
    <name>TFPrintProgress</name>
    <message>
        <source>正在打印中...</source>
        <translation>正在打印中...</translation>
    </message>
    <message>
        <source>正打印</source>
        <translation>正打印</translation>
    </message>
    <message>
        <source>在</source>
        <translation>在</translation>
    </message>
    <message>
        <source>页 1</source>
        <translation>页 1</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>第 %1 页，共 %2 页</source>
        <translation>第 %1 页，共 %2 页</translation>
    </message>
    <message>
        <source>第 %1 页</source>
        <translation>第 %1 页</translation>
    </message>
</context>
<context>
    <name>TFPrinterSetup</name>
    <message>
        <source>打印设置</source>
        <translation>打印设置</translation>
    </message>
    <message>
        <source>打印机</source>
        <translation>打印机</translation>
    </message>
    <message>
        <source>名称(&amp;N):</source>
        <translation>名称(&amp;N):</translation>
    </message>
    <message>
        <source>纸张</source>
        <translation>纸张</translation>
    </message>
    <message>
        <source>大小(&amp;Z):</source>
        <translation>大小(&amp;Z):</translation>
    </message>
    <message>
        <source>方向</source>
        <translation>方向</translation>
    </message>
    <message>
        <source>纵向(&amp;O)</source>
        <translation>纵向(&amp;O)</translation>
    </message>
    <message>
        <source>横向(&amp;A)</source>
        <translation>横向(&amp;A)</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>TFSqlSource</name>
    <message>
        <source>数据库查询</source>
        <translation>数据库查询</translation>
    </message>
    <message>
        <source>最近使用：</source>
        <translation>最近使用：</translation>
    </message>
    <message>
        <source>驱动程序：</source>
        <translation>驱动程序：</translation>
    </message>
    <message>
        <source>主机：</source>
        <translation>主机：</translation>
    </message>
    <message>
        <source>端口：</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>数据库：</source>
        <translation>数据库：</translation>
    </message>
    <message>
        <source>浏览</source>
        <translation>浏览</translation>
    </message>
    <message>
        <source>用户：</source>
        <translation>用户：</translation>
    </message>
    <message>
        <source>密码：</source>
        <translation>密码：</translation>
    </message>
    <message>
        <source>在密钥环中记住密码</source>
        <translation>在密钥环中记住密码</translation>
    </message>
    <message>
        <source>查询：</source>
        <translation>查询：</translation>
    </message>
    <message>
        <source>显示前几行</source>
        <translation>显示前几行</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>SQLite 数据库</source>
        <translation>SQLite 数据库</translation>
    </message>
    <message>
        <source>SQLite Databases (*.db *.sqlite *.sqlite3);;All Files (*)</source>
        <translation>SQLite 数据库 (*.db *.sqlite *.sqlite3);;所有文件 (*)</translation>
    </message>
    <message>
        <source>数据源：</source>
        <translation>数据源：</translation>
    </message>
    <message>
        <source>数据库文件：</source>
        <translation>数据库文件：</translation>
    </message>
    <message>
        <source>密码未能存入密钥环，只在本次运行中使用：</source>
        <translation>密码未能存入密钥环，只在本次运行中使用：</translation>
    </message>
    <message>
        <source>请填写数据库。</source>
        <translation>请填写数据库。</translation>
    </message>
    <message>
        <source>请填写查询。</source>
        <translation>请填写查询。</translation>
    </message>
    <message>
        <source>查询没有结果。</source>
        <translation>查询没有结果。</translation>
    </message>
</context>
<context>
    <name>TFStockChooser</name>
    <message>
        <source>标签库存</source>
        <translation>标签库存</translation>
    </message>
    <message>
        <source>搜索厂商、型号或说明</source>
        <translation>搜索厂商、型号或说明</translation>
    </message>
    <message>
        <source>厂商</source>
        <translation>厂商</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>种类</source>
        <translation>种类</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>说明</translation>
    </message>
    <message>
        <source>标签尺寸</source>
        <translation>标签尺寸</translation>
    </message>
    <message>
        <source>每页</source>
        <translation>每页</translation>
    </message>
    <message>
        <source>纸张</source>
        <translation>纸张</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
    </message>
    <message>
        <source>%1 列 × %2 行，%3</source>
        <translation>%1 列 × %2 行，%3</translation>
    </message>
    <message>
        <source>不能选用：</source>
        <translation>不能选用：</translation>
    </message>
    <message>
        <source>注意：</source>
        <translation>注意：</translation>
    </message>
    <message>
        <source>找到 %1 种标签纸</source>
        <translation>找到 %1 种标签纸</translation>
    </message>
    <message>
        <source>共 %1 种标签纸</source>
        <translation>共 %1 种标签纸</translation>
    </message>
    <message>
        <source>%1 组排列（%2），%3</source>
        <translation>%1 组排列（%2），%3</translation>
    </message>
    <message>
        <source>来源：内置</source>
        <translation>来源：内置</translation>
    </message>
    <message>
        <source>来源：模板库</source>
        <translation>来源：模板库</translation>
    </message>
</context>
<context>
    <name>TFTextImport</name>
    <message>
        <source>文本输入向导</source>
        <translation>文本输入向导</translation>
    </message>
    <message>
        <source>输入文件格式</source>
        <translation>输入文件格式</translation>
    </message>
    <message>
        <source>逗号定界</source>
        <translation>逗号定界</translation>
    </message>
    <message>
        <source>制表符定界</source>
        <translation>制表符定界</translation>
    </message>
    <message>
        <source>自定义定界符</source>
        <translation>自定义定界符</translation>
    </message>
    <message>
        <source>固定区域</source>
        <translation>固定区域</translation>
    </message>
    <message>
        <source>区域间隔：</source>
        <translation>区域间隔：</translation>
    </message>
    <message>
        <source>引用符号：</source>
        <translation>引用符号：</translation>
    </message>
    <message>
        <source>跳过首行(列表头)</source>
        <translation>跳过首行(列表头)</translation>
    </message>
    <message>
        <source>列宽度：</source>
        <translation>列宽度：</translation>
    </message>
    <message>
        <source>去左边空格</source>
        <translation>去左边空格</translation>
    </message>
    <message>
        <source>去右边空格</source>
        <translation>去右边空格</translation>
    </message>
    <message>
        <source>鼠标右键单击单元格可以添加或者删除纵向列</source>
        <translation>鼠标右键单击单元格可以添加或者删除纵向列</translation>
    </message>
    <message>
        <source>工作表：</source>
        <translation>工作表：</translation>
    </message>
    <message>
        <source>插入列</source>
        <translation>插入列</translation>
    </message>
    <message>
        <source>删除列</source>
        <translation>删除列</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>确定(&amp;O)</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>取消(&amp;C)</translation>
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
        <source>编码：</source>
        <translation>编码：</translation>
    </message>
    <message>
        <source>自动检测</source>
        <translation>自动检测</translation>
    </message>
    <message>
        <source>%1（隐藏）</source>
        <translation>%1（隐藏）</translation>
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
        <translation>示例文字</translation>
    </message>
    <message>
        <source>编辑文字</source>
        <translation>编辑文字</translation>
    </message>
    <message>
        <source>高级区域</source>
        <translation>高级区域</translation>
    </message>
    <message>
        <source>编辑&gt;&gt;</source>
        <translation>编辑&gt;&gt;</translation>
    </message>
    <message>
        <source>条形码系统</source>
        <translation>条形码系统</translation>
    </message>
    <message>
        <source>注释行</source>
        <translation>注释行</translation>
    </message>
    <message>
        <source>在条形码的顶端或者底部打印文字</source>
        <translation>在条形码的顶端或者底部打印文字</translation>
    </message>
    <message>
        <source>自动调整比例</source>
        <translation>自动调整比例</translation>
    </message>
    <message>
        <source>自动调整条形码为合适比例</source>
        <translation>自动调整条形码为合适比例</translation>
    </message>
    <message>
        <source>刻度</source>
        <translation>刻度</translation>
    </message>
    <message>
        <source>纠错级别</source>
        <translation>纠错级别</translation>
    </message>
    <message>
        <source>尺寸</source>
        <translation>尺寸</translation>
    </message>
    <message>
        <source>长方形</source>
        <translation>长方形</translation>
    </message>
    <message>
        <source>自动尺寸时使用长方形符号</source>
        <translation>自动尺寸时使用长方形符号</translation>
    </message>
    <message>
        <source>选择字体</source>
        <translation>选择字体</translation>
    </message>
    <message>
        <source>选择文字颜色</source>
        <translation>选择文字颜色</translation>
    </message>
    <message>
        <source>矩形</source>
        <translation>矩形</translation>
    </message>
    <message>
        <source>椭圆形</source>
        <translation>椭圆形</translation>
    </message>
    <message>
        <source>三角形</source>
        <translation>三角形</translation>
    </message>
    <message>
        <source>园矩形</source>
        <translation>园矩形</translation>
    </message>
    <message>
        <source>水平线条</source>
        <translation>水平线条</translation>
    </message>
    <message>
        <source>垂直线条</source>
        <translation>垂直线条</translation>
    </message>
    <message>
        <source>线条尺寸</source>
        <translation>线条尺寸</translation>
    </message>
    <message>
        <source>填充风格</source>
        <translation>填充风格</translation>
    </message>
    <message>
        <source>选择线条颜色</source>
        <translation>选择线条颜色</translation>
    </message>
    <message>
        <source>选择填充颜色</source>
        <translation>选择填充颜色</translation>
    </message>
    <message>
        <source>图像文件</source>
        <translation>图像文件</translation>
    </message>
    <message>
        <source>保持纵横比</source>
        <translation>保持纵横比</translation>
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
        <source>自动</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>字体</translation>
    </message>
    <message>
        <source>文字颜色</source>
        <translation>文字颜色</translation>
    </message>
    <message>
        <source>图形</source>
        <translation>图形</translation>
    </message>
    <message>
        <source>线条颜色</source>
        <translation>线条颜色</translation>
    </message>
    <message>
        <source>填充颜色</source>
        <translation>填充颜色</translation>
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
        <source>文字超出标签，超出的部分不会打印</source>
        <translation>文字超出标签，超出的部分不会打印</translation>
    </message>
    <message>
        <source>嵌入标签文件</source>
        <translation>嵌入标签文件</translation>
    </message>
    <message>
        <source>图像保存在标签文件中，无需图像文件即可打印（最大 10 MB）</source>
        <translation>图像保存在标签文件中，无需图像文件即可打印（最大 10 MB）</translation>
    </message>
    <message>
        <source>（多种）</source>
        <translation>（多种）</translation>
    </message>
    <message>
        <source>图像 (*.bmp *.jpg *.jpeg *.png *.gif *.tif *.tiff *.webp *.svg)</source>
        <translation>图像 (*.bmp *.jpg *.jpeg *.png *.gif *.tif *.tiff *.webp *.svg)</translation>
    </message>
    <message>
        <source>嵌入图像</source>
        <translation>嵌入图像</translation>
    </message>
    <message>
        <source>宽</source>
        <translation>宽</translation>
    </message>
    <message>
        <source>高</source>
        <translation>高</translation>
    </message>
    <message>
        <source>位置（标签的单位），回车应用，Esc 还原</source>
        <translation>位置（标签的单位），回车应用，Esc 还原</translation>
    </message>
    <message>
        <source>大小（标签的单位），回车应用，Esc 还原</source>
        <translation>大小（标签的单位），回车应用，Esc 还原</translation>
    </message>
    <message>
        <source>旋转</source>
        <translation>旋转</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>移动</translation>
    </message>
    <message>
        <source>调整大小</source>
        <translation>调整大小</translation>
    </message>
    <message>
        <source>水平翻转</source>
        <translation>水平翻转</translation>
    </message>
    <message>
        <source>垂直翻转</source>
        <translation>垂直翻转</translation>
    </message>
</context>
<context>
    <name>TSheetGrid</name>
    <message>
        <source>单击第一个未用的标签</source>
        <translation>单击第一个未用的标签</translation>
    </message>
</context>
<context>
    <name>TSymbologyCombo</name>
    <message>
        <source>搜索名称</source>
        <translation>搜索名称</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>数字</translation>
    </message>
    <message>
        <source>字母和数字</source>
        <translation>字母和数字</translation>
    </message>
    <message>
        <source>空格</source>
        <translation>空格</translation>
    </message>
    <message>
        <source>、</source>
        <translation>、</translation>
    </message>
    <message>
        <source>第%1个字符“%2”不能用于%3：只能是%4</source>
        <translation>第%1个字符“%2”不能用于%3：只能是%4</translation>
    </message>
    <message>
        <source>%1只能包含%2</source>
        <translation>%1只能包含%2</translation>
    </message>
</context>
</TS>
