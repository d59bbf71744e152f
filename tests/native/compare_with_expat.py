#!/usr/bin/env python3
"""Compares this program's XML parser with expat (Python's xml.parsers.expat).

Both parsers read the same files, and each side is turned into the canonical dump that
xml_canonical_dump prints for ours (see XmlCanonicalDump.cc): one line per element start
and end, attribute (in document order), text, CDATA section, comment, DOCTYPE and
processing instruction. The files are real XML files that Debian packages ship (iso-codes,
shared-mime-info, fontconfig-config, polkitd) and the small cases in expat-cases/, which
pin the intended differences listed below.

Intended differences. Each is either normalised away on both sides or makes a file
skipped, with the reason printed:

- Texts: ours trims every text between two pieces of markup and drops blank ones (the
  drop-white-space option, on by default); the expat side applies the same rule.
- Comments: ours would join the texts around a comment and drop it; the dump tool turns
  that option off, so both sides report every comment. Comments inside a DOCTYPE's
  internal subset are part of the DOCTYPE's raw text in ours and are not compared.
- CDATA: ours keeps a CDATA section as a raw block, expat reports its characters as text
  between section markers; both sides dump it as one CDATA item.
- DOCTYPE: ours keeps it as raw text and processes no DTD, so only the document type's
  name is compared, and DTD default and fixed attributes are not applied (expat is told
  to report only the attributes that the document gives).
- Processing instructions: ours reads their data as attributes, expat keeps it raw; only
  the target is compared (the XML declaration's version, encoding and standalone are).
- Line ends: expat turns CR LF and CR into LF, ours keeps the bytes; both are normalised.
- Attribute values: expat turns tab, line feed and carriage return into spaces, ours
  keeps them; both are normalised.
- Character references 128-255 give ours the single byte of that code (a character of
  the document's code page), expat the Unicode character; ours are read as Latin-1.
- Skipped: a reference above 255 (ours: error 13 by design), an entity declared in the
  DTD (ours: error 12, it knows only the five predefined ones), "<PRE>" and "<Script>"
  blocks (raw blocks in ours), a document in another encoding than UTF-8 (ours reads the
  bytes as they are), and a file that expat rejects (nothing to compare with; the output
  tells whether ours rejected it too or, forgiving, read it).

Exit code 0 when every compared file agrees, every case of expat-cases/ ends as expected
and at least MIN_DEBIAN_FILES Debian files were compared.
"""

import argparse
import glob
import os
import re
import subprocess
import sys
import xml.parsers.expat

DEBIAN_FILES = [
    "/usr/share/xml/iso-codes/*.xml",
    "/usr/share/mime/packages/*.xml",
    "/etc/fonts/fonts.conf",
    "/etc/fonts/conf.d/*.conf",
    "/usr/share/fontconfig/conf.avail/*.conf",
    "/usr/share/polkit-1/actions/*.policy",
    "/usr/share/dbus-1/system.d/*.conf",
    "/usr/share/xml/polkit-1/catalog.xml",
]
MIN_DEBIAN_FILES = 5
CASES_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "expat-cases")
# How each case must end: "same", or the key of the skip reason it must meet.
CASE_OUTCOMES = {
    "cdata-and-comments.xml": "same",
    "crlf.xml": "same",
    "doctype-defaults.xml": "same",
    "processing-instructions.xml": "same",
    "references.xml": "same",
    "reference-above-255.xml": "above-255",
    "dtd-entity.xml": "dtd-entity",
    "raw-blocks.xml": "raw-blocks",
    "latin1.xml": "encoding",
}

BLANKS = " \t\n\r"
ERROR_LAST_WARNING = 2
ERROR_UNKNOWN_ENTITY = 12
ERROR_ABOVE_255 = 13


class ExpatDump:
    """The canonical dump of a document as expat reads it."""

    def __init__(self):
        self.lines = []
        self.text = ""
        self.cdata = None
        self.in_doctype = False

    def run(self, data):
        parser = xml.parsers.expat.ParserCreate()
        parser.ordered_attributes = True
        parser.specified_attributes = True
        parser.XmlDeclHandler = self.xml_declaration
        parser.StartDoctypeDeclHandler = self.start_doctype
        parser.EndDoctypeDeclHandler = self.end_doctype
        parser.StartElementHandler = self.start_element
        parser.EndElementHandler = self.end_element
        parser.CharacterDataHandler = self.characters
        parser.StartCdataSectionHandler = self.start_cdata
        parser.EndCdataSectionHandler = self.end_cdata
        parser.CommentHandler = self.comment
        parser.ProcessingInstructionHandler = self.processing_instruction
        parser.Parse(data, True)
        self.flush()
        return self.lines

    def flush(self):
        text = self.text.strip(BLANKS)
        if text:
            self.lines.append("-" + text)
        self.text = ""

    def xml_declaration(self, version, encoding, standalone):
        self.flush()
        self.lines.append("?xml")
        self.lines.append("Aversion=" + version)
        if encoding is not None:
            self.lines.append("Aencoding=" + encoding)
        if standalone != -1:
            self.lines.append("Astandalone=" + ("yes" if standalone else "no"))

    def start_doctype(self, name, system_id, public_id, has_internal_subset):
        self.flush()
        self.lines.append("D" + name)
        self.in_doctype = True

    def end_doctype(self):
        self.in_doctype = False

    def start_element(self, name, attributes):
        self.flush()
        self.lines.append("(" + name)
        for i in range(0, len(attributes), 2):
            self.lines.append("A%s=%s" % (attributes[i], attributes[i + 1]))

    def end_element(self, name):
        self.flush()
        self.lines.append(")" + name)

    def characters(self, data):
        if self.cdata is not None:
            self.cdata += data
        else:
            self.text += data

    def start_cdata(self):
        self.flush()
        self.cdata = ""

    def end_cdata(self):
        self.lines.append("C" + self.cdata)
        self.cdata = None

    def comment(self, data):
        if not self.in_doctype:
            self.flush()
            self.lines.append("!" + data)

    def processing_instruction(self, target, data):
        if not self.in_doctype:
            self.flush()
            self.lines.append("?" + target)


def unescape(line):
    out = []
    i = 0
    while i < len(line):
        if line[i] == "\\" and i + 1 < len(line):
            out.append({"n": "\n", "r": "\r", "t": "\t"}.get(line[i + 1], line[i + 1]))
            i += 2
        else:
            out.append(line[i])
            i += 1
    return "".join(out)


def our_dump(tool, path):
    """(result code, dump lines) of ours; bytes that are not UTF-8 (single-byte
    characters from references 128-255) come back as the Latin-1 character of that code."""
    run = subprocess.run([tool, path], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if run.returncode not in (0, 1):
        raise RuntimeError("%s failed (%d): %s" % (tool, run.returncode, run.stderr.decode()))
    text = run.stdout.decode("utf-8", "surrogateescape")
    text = re.sub("[\udc80-\udcff]", lambda m: chr(ord(m.group()) - 0xDC00), text)
    lines = text.split("\n")
    result = lines[0].split()
    return int(result[1]), " ".join(result[2:]), [unescape(l) for l in lines[1:] if l]


def normalise(lines):
    out = []
    in_instruction = False
    for line in lines:
        kind, value = line[0], line[1:]
        if kind == "A" and in_instruction:
            continue
        if kind == "?":
            in_instruction = value != "xml"
        elif kind != "A":
            in_instruction = False
        value = value.replace("\r\n", "\n").replace("\r", "\n")
        if kind == "A":
            value = re.sub("[\t\n\r]", " ", value)
        elif kind == "D":
            value = re.split(r"[\s\[]", value.strip(BLANKS), maxsplit=1)[0]
        out.append(kind + value)
    return out


def declared_encoding(data):
    match = re.match(rb"<\?xml[^>]*encoding\s*=\s*[\"']([^\"']+)", data.lstrip(b"\xef\xbb\xbf"))
    return match.group(1).decode("ascii", "replace") if match else "UTF-8"


def reason_before(data):
    """The key and text of a reason known before parsing, or None."""
    encoding = declared_encoding(data)
    if encoding.upper() not in ("UTF-8", "UTF8", "US-ASCII"):
        return "encoding", "declared encoding %s: ours reads the bytes unconverted" % encoding
    if data.startswith((b"\xff\xfe", b"\xfe\xff")):
        return "encoding", "UTF-16 text: ours reads the bytes unconverted"
    if re.search(rb"<(PRE|/PRE|Script|/Script)>", data):
        return "raw-blocks", "<PRE> or <Script>: raw blocks in ours"
    return None


def reason_after(data, code):
    """The key and text of the intended difference behind our error code, or None."""
    if code == ERROR_ABOVE_255:
        for match in re.finditer(rb"&#([xX][0-9A-Fa-f]+|[0-9]+);", data):
            number = match.group(1)
            value = int(number[1:], 16) if number[:1] in (b"x", b"X") else int(number)
            if value > 255:
                return "above-255", "character reference above 255: error 13 in ours"
    if code == ERROR_UNKNOWN_ENTITY and re.search(rb"<!ENTITY", data):
        return "dtd-entity", "entity declared in the DTD: error 12 in ours"
    return None


def first_difference(ours, theirs):
    for i in range(max(len(ours), len(theirs))):
        a = ours[i] if i < len(ours) else "(end)"
        b = theirs[i] if i < len(theirs) else "(end)"
        if a != b:
            return "line %d of the dump: ours %r, expat %r" % (i + 1, a[:120], b[:120])
    return None


def compare(tool, path):
    """("same" | "differ" | skip key, text)."""
    with open(path, "rb") as stream:
        data = stream.read()
    known = reason_before(data)
    if known:
        return known
    code, place, ours = our_dump(tool, path)
    try:
        theirs = ExpatDump().run(data)
    except xml.parsers.expat.ExpatError as error:
        verdict = "rejects it too" if code > ERROR_LAST_WARNING else "forgives it"
        return "expat-rejects", "expat rejects it (%s), ours %s (code %d at %s)" % (
            error, verdict, code, place)
    if code != 0:
        known = reason_after(data, code)
        if known:
            return known
        return "differ", "ours gives code %d at %s" % (code, place)
    difference = first_difference(normalise(ours), normalise(theirs))
    if difference:
        return "differ", difference
    return "same", "%d dump lines" % len(ours)


def debian_files():
    paths = {}
    for pattern in DEBIAN_FILES:
        for path in sorted(glob.glob(pattern)):
            real = os.path.realpath(path)
            if os.path.isfile(real):
                paths.setdefault(real, path)
    return sorted(paths.values())


def main():
    arguments = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    arguments.add_argument("tool", help="the xml_canonical_dump program")
    arguments.add_argument("--verbose", action="store_true", help="list agreeing files too")
    options = arguments.parse_args()
    tool = options.tool
    failures = 0
    compared = 0
    skipped = 0
    for path in debian_files():
        outcome, text = compare(tool, path)
        label = outcome if outcome in ("same", "differ") else "skip"
        if label != "same" or options.verbose:
            print("%-6s %s: %s" % (label, path, text))
        if outcome == "differ":
            failures += 1
        elif outcome == "same":
            compared += 1
        else:
            skipped += 1
    for name, expected in sorted(CASE_OUTCOMES.items()):
        outcome, text = compare(tool, os.path.join(CASES_DIR, name))
        good = outcome == expected
        print("%-6s case %s: %s%s" % ("ok" if good else "FAIL", name, text,
                                      "" if good else " (expected: %s)" % expected))
        failures += 0 if good else 1
    print("expat comparison: %d Debian files compared, %d skipped, %d differences"
          % (compared, skipped, failures))
    if compared < MIN_DEBIAN_FILES:
        print("expat comparison: fewer than %d Debian files compared" % MIN_DEBIAN_FILES)
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
