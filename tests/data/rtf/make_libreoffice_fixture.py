#!/usr/bin/env python3
"""Makes libreoffice_writer.fodt and the text and colours expected of it.

The fixture libreoffice_writer.rtf is LibreOffice Writer's own RTF export of
the .fodt document, made by hand with:
    soffice --headless --convert-to rtf libreoffice_writer.fodt
Both the document and libreoffice_writer.expected.json come from the list of
paragraphs below, so the expectation does not depend on the reader under test.
"""
import json
from xml.sax.saxutils import escape

BLUE, RED, GREEN, BLACK, AUTO = "#0000FF", "#FF0000", "#008000", "#000000", None

# (left indent in inches, [(text, colour), ...]); colour None is Writer's
# "automatic" font colour, which the editor shows black.
PARAGRAPHS = [
    (0, [("<html>", BLUE)]),
    (0, [("<head>", BLUE)]),
    (0.5, [("<title>", BLUE), ("Garden Club \u2013 Caf\u00e9 \u201cRos\u00e9\u201d \u20ac 5", BLACK),
           ("</title>", BLUE)]),
    (0, [("</head>", BLUE)]),
    (0, [("<body", BLUE), (' bgcolor="#FFFFFF" text="#000000"', RED), (">", BLUE)]),
    (0.75, [("<p", BLUE), (' align="center"', RED), (">", BLUE), ("Welcome & hello", AUTO),
            ("</p>", BLUE)]),
    (0.75, [("<!-- \u03a9\u03bc\u03ad\u03b3\u03b1, \u0416\u0443\u043a, \u4e2d\u6587, \U0001F600 -->", GREEN)]),
    (0, []),
    (1.5, [("\t", AUTO), ("<a", BLUE), (' href="x_y.htm"', RED), (">", BLUE), ("x_y", BLUE),
           ("</a>", BLUE)]),
    (0, [("{braces} and \\backslash\\", BLACK)]),
    (0, [("</body>", BLUE)]),
    (0, [("</html>", BLUE)]),
]


def span_xml(text, style):
    body = escape(text).replace("\t", "<text:tab/>")
    return f'<text:span text:style-name="{style}">{body}</text:span>' if style else body


def main():
    colours = sorted({c for _, spans in PARAGRAPHS for _, c in spans if c})
    cstyle = {c: f"T{i}" for i, c in enumerate(colours)}
    indents = sorted({ind for ind, _ in PARAGRAPHS})
    pstyle = {ind: f"P{i}" for i, ind in enumerate(indents)}
    styles = "".join(
        f'<style:style style:name="{pstyle[i]}" style:family="paragraph">'
        f'<style:paragraph-properties fo:margin-left="{i}in" fo:margin-right="0in" '
        f'fo:text-indent="0in"/></style:style>\n' for i in indents)
    styles += "".join(
        f'<style:style style:name="{cstyle[c]}" style:family="text">'
        f'<style:text-properties fo:color="{c.lower()}"/></style:style>\n' for c in colours)
    paras = "".join(
        f'<text:p text:style-name="{pstyle[ind]}">'
        + "".join(span_xml(t, cstyle.get(c)) for t, c in spans) + "</text:p>\n"
        for ind, spans in PARAGRAPHS)
    with open("libreoffice_writer.fodt", "w", encoding="utf-8") as f:
        f.write(f'''<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
<office:automatic-styles>
{styles}</office:automatic-styles>
<office:body><office:text>
{paras}</office:text></office:body>
</office:document>
''')

    # Expected: CR LF text; runs in UTF-16 units; a line break takes the
    # colour of the text before it.
    text, runs, pos = "", [], 0

    def units(s):
        return len(s.encode("utf-16-le")) // 2

    def add(s, colour):
        nonlocal text, pos
        colour = colour or BLACK
        if runs and runs[-1][2] == colour:
            runs[-1][1] += units(s)
        else:
            runs.append([pos, units(s), colour])
        text += s
        pos += units(s)

    last = BLACK
    for n, (ind, spans) in enumerate(PARAGRAPHS):
        if n:
            add("\r\n", last)
        for t, c in spans:
            add(t, c)
            last = c or BLACK
    # Line breaks before the first character take its colour.
    expected = {"text": text, "runs": runs,
                "indents": [[n, round(ind * 1440)] for n, (ind, _) in enumerate(PARAGRAPHS) if ind]}
    with open("libreoffice_writer.expected.json", "w", encoding="utf-8") as f:
        json.dump(expected, f, ensure_ascii=False, indent=1)
        f.write("\n")


if __name__ == "__main__":
    main()
