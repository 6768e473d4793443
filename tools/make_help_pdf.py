#!/usr/bin/env python3
"""Typesets a plain help text (lines starting with "# " are headings) into a simple PDF.

Usage: make_help_pdf.py TEXT_FILE PDF_FILE
The PDF uses the standard Helvetica fonts with WinAnsi encoding, so German umlauts need no
embedded font.
"""
import sys
import textwrap

PAGE_W, PAGE_H, MARGIN = 595, 842, 56
BODY, HEAD, LEADING = 10.5, 14, 1.35


def escape(text):
    data = text.encode('cp1252', 'replace')
    return data.replace(b'\\', b'\\\\').replace(b'(', b'\\(').replace(b')', b'\\)')


def layout(lines):
    """Yields pages, each a list of (font, size, x, y, text)."""
    page, y = [], PAGE_H - MARGIN
    chars = int((PAGE_W - 2 * MARGIN) / (BODY * 0.5))
    for raw in lines:
        raw = raw.rstrip('\n')
        heading = raw.startswith('# ')
        size = HEAD if heading else BODY
        font = 'F2' if heading else 'F1'
        parts = [raw[2:]] if heading else (textwrap.wrap(raw, chars) or [''])
        if heading:
            y -= size * 0.6
        for part in parts:
            if y < MARGIN + size:
                yield page
                page, y = [], PAGE_H - MARGIN
            page.append((font, size, MARGIN, y, part))
            y -= size * LEADING
    yield page


def build(pages):
    objects = []

    def add(body):
        objects.append(body)
        return len(objects)

    font1 = add(b'<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>')
    font2 = add(b'<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>')
    pages_id = len(objects) + 1
    objects.append(None)  # the page tree, filled in below
    kids = []
    for page in pages:
        stream = b''.join(b'BT /%s %.1f Tf %d %.1f Td (%s) Tj ET\n' % (f.encode(), s, x, y, escape(t))
                          for f, s, x, y, t in page)
        content = add(b'<< /Length %d >>\nstream\n%sendstream' % (len(stream), stream))
        kids.append(add(b'<< /Type /Page /Parent %d 0 R /MediaBox [0 0 %d %d] /Contents %d 0 R '
                        b'/Resources << /Font << /F1 %d 0 R /F2 %d 0 R >> >> >>'
                        % (pages_id, PAGE_W, PAGE_H, content, font1, font2)))
    objects[pages_id - 1] = (b'<< /Type /Pages /Kids [%s] /Count %d >>'
                             % (b' '.join(b'%d 0 R' % k for k in kids), len(kids)))
    catalog = add(b'<< /Type /Catalog /Pages %d 0 R >>' % pages_id)
    out = bytearray(b'%PDF-1.4\n')
    offsets = []
    for number, body in enumerate(objects, 1):
        offsets.append(len(out))
        out += b'%d 0 obj\n%s\nendobj\n' % (number, body)
    xref = len(out)
    out += b'xref\n0 %d\n0000000000 65535 f \n' % (len(objects) + 1)
    out += b''.join(b'%010d 00000 n \n' % o for o in offsets)
    out += b'trailer\n<< /Size %d /Root %d 0 R >>\nstartxref\n%d\n%%%%EOF\n' % (
        len(objects) + 1, catalog, xref)
    return bytes(out)


def main(source, target):
    with open(source, encoding='utf-8') as f:
        pages = [p for p in layout(f.readlines()) if p]
    with open(target, 'wb') as f:
        f.write(build(pages))


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])
