#!/usr/bin/env python3
"""What a thermal printer would print from CUPS's ZPL label driver, as images.

  zpl_graphics.py decode FILE.zpl PREFIX  writes PREFIX-0001.pbm, ... (one a ~DG
                                          graphic, that is one a label) and
                                          prints how many
  zpl_graphics.py bbox IMAGE              "left top right bottom" of the dark
                                          pixels of a PBM or PGM
  zpl_graphics.py modules IMAGE           the bar module in dots along the middle
                                          row of the dark area; status 1 when a
                                          bar or space is not a whole number of it

The driver sends each label as ~DGR:NAME,TOTAL,BYTES-PER-ROW, then the rows as
hexadecimal with ZPL's compression: G-Y repeat the next character 1-19 times,
g-z 20-400 times (counts add up), ',' fills the rest of the row with 0, '!'
with 1 bits, ':' repeats the previous row. 1 bits are dots.
"""
import re
import sys


def decode(data):
    labels = []
    for m in re.finditer(r'~DG[^,]*,(\d+),(\d+),', data):
        total, bpl = int(m.group(1)), int(m.group(2))
        rows, width, pos = total // bpl, 2 * bpl, m.end()
        out, row, prev = [], [], None
        while len(out) < rows and pos < len(data):
            c = data[pos]
            pos += 1
            if c in '\r\n':
                continue
            if c in '^~':
                break
            count = 0
            while 'G' <= c <= 'Y' or 'g' <= c <= 'z':
                count += ord(c) - ord('F') if c <= 'Y' else 20 * (ord(c) - ord('f'))
                c = data[pos]
                pos += 1
            if c == ':':
                if prev is None or row:
                    raise ValueError('":" without a whole previous row')
                row = list(prev)
            elif c == ',':
                row += ['0'] * (width - len(row))
            elif c == '!':
                row += ['F'] * (width - len(row))
            elif c in '0123456789ABCDEF':
                row += [c] * max(1, count)
            else:
                raise ValueError('unexpected %r in the graphic' % c)
            if len(row) > width:
                raise ValueError('a row longer than %d hex digits' % width)
            if len(row) == width:
                prev, row = row, []
                out.append(bytes.fromhex(''.join(prev)))
        if len(out) != rows:
            raise ValueError('%d of %d rows' % (len(out), rows))
        labels.append((bpl * 8, out))
    return labels


def read_image(path):
    """Rows of 0/1 (1 dark) from a binary PBM (P4) or PGM (P5)."""
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < (3 if data[:2] == b'P4' else 4):
        m = re.compile(rb'\s*(#[^\n]*\n\s*)*(\S+)').match(data, pos)
        fields.append(m.group(2))
        pos = m.end()
    pos += 1
    w, h = int(fields[1]), int(fields[2])
    rows = []
    if fields[0] == b'P4':
        bpl = (w + 7) // 8
        for y in range(h):
            r = data[pos + y * bpl:pos + (y + 1) * bpl]
            rows.append([(r[x >> 3] >> (7 - (x & 7))) & 1 for x in range(w)])
    else:
        for y in range(h):
            r = data[pos + y * w:pos + (y + 1) * w]
            rows.append([1 if v < 128 else 0 for v in r])
    return rows


def bbox(rows):
    ys = [y for y, r in enumerate(rows) if any(r)]
    xs = [x for r in rows for x, v in enumerate(r) if v]
    if not ys:
        return None
    return min(xs), ys[0], max(xs), ys[-1]


def main():
    cmd = sys.argv[1]
    if cmd == 'decode':
        labels = decode(open(sys.argv[2], encoding='latin-1').read())
        for i, (w, rows) in enumerate(labels, 1):
            with open('%s-%04d.pbm' % (sys.argv[3], i), 'wb') as f:
                f.write(b'P4\n%d %d\n' % (w, len(rows)) + b''.join(rows))
        print(len(labels))
    elif cmd == 'bbox':
        box = bbox(read_image(sys.argv[2]))
        print('%d %d %d %d' % box if box else 'empty')
    elif cmd == 'modules':
        rows = read_image(sys.argv[2])
        left, top, right, bottom = bbox(rows)
        row = rows[(top + bottom) // 2][left:right + 1]
        runs, n = [], 1
        for a, b in zip(row, row[1:]):
            if a == b:
                n += 1
            else:
                runs.append(n)
                n = 1
        runs.append(n)
        module = min(runs)
        odd = [r for r in runs if r % module]
        print(module)
        if odd or len(runs) < 20:
            print('runs not whole modules of %d: %s' % (module, runs), file=sys.stderr)
            sys.exit(1)


main()
