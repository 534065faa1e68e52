#!/usr/bin/env python3
"""Writes korvane/str/diskarray/DiskArrayConstants.java from the headers that
say what the station's ints mean (include/kx_station*.h): every constant of
their `enum : int32_t` blocks, under its header name, documented with the
comment after it on its line and the comment block above its enum.

usage: generate_constants.py OUT.java HEADER...
"""
import html
import os
import re
import sys

CONSTANT = re.compile(r"^\s*(KX_\w+)\s*=\s*([^,/]+?)\s*,?\s*(?://\s*(.*))?$")
CONTINUED = re.compile(r"^\s*//\s*(.*)$")
# What a value may be written as: numbers, other constants, and the
# operators both C and Java read the same way.
VALUE = re.compile(r"^[\sA-Z0-9_x()*+|<>-]+$")


def javadoc_text(text):
    text = html.escape(text, quote=False).replace("@", "&#64;").replace("*/", "*&#47;")
    # {@ would start an inline tag.
    return text.replace("{", "&#123;").replace("}", "&#125;")


def blocks(path):
    """(heading comment, [(name, value, note)]) per enum block of a header."""
    lines = open(path, encoding="utf-8").read().splitlines()
    found, comment, i = [], [], 0
    while i < len(lines):
        stripped = lines[i].strip()
        if stripped.startswith("//"):
            words = stripped[2:].strip()
            if words.startswith("---"):
                comment = []
            else:
                comment.append(words)
            i += 1
            continue
        if stripped.startswith("enum : int32_t {"):
            constants, notes = [], []
            i += 1
            while not lines[i].strip().startswith("}"):
                line = lines[i]
                # A value written over several lines ends at its comma.
                while "=" in line and not line.split("//")[0].rstrip().endswith(",") and \
                        not lines[i + 1].strip().startswith("}"):
                    i += 1
                    line = line.split("//")[0].rstrip() + " " + lines[i].strip()
                match = CONSTANT.match(line)
                if match:
                    name, value, note = match.group(1), match.group(2), match.group(3)
                    if not VALUE.match(value):
                        sys.exit("%s: %s has a value Java cannot read: %s" % (path, name, value))
                    note = " ".join(filter(None, notes + [note or ""]))
                    # A note after a value wraps onto comment lines indented
                    # past the value; a comment at the constants' indentation
                    # belongs to the next constant.
                    while i + 1 < len(lines) and CONTINUED.match(lines[i + 1]) and \
                            lines[i + 1].index("//") > 4:
                        i += 1
                        note += " " + CONTINUED.match(lines[i]).group(1)
                    constants.append((name, value, note.strip()))
                    notes = []
                else:
                    words = CONTINUED.match(line)
                    if words:
                        notes.append(words.group(1))
                i += 1
            found.append((" ".join(comment), constants))
        if stripped and not stripped.startswith("//"):
            comment = []
        i += 1
    return found


def emit(headers):
    out = [
        "package korvane.str.diskarray;",
        "",
        "/**",
        " * What the station's ints mean: the modes, states, bit masks and limits that the",
        " * operations of {@link DiskArrayUtilityJNI} take as int arguments and write into",
        " * record fields. Generated at build time from include/kx_station*.h, under the",
        " * headers' names; edit those, not this file.",
        " */",
        "public final class DiskArrayConstants {",
        "  private DiskArrayConstants() {}",
        "",
    ]
    seen = set()
    for path in headers:
        out.append("  // From %s." % os.path.basename(path))
        out.append("")
        for comment, constants in blocks(path):
            for index, (name, value, note) in enumerate(constants):
                if name in seen:
                    sys.exit("%s is defined twice" % name)
                seen.add(name)
                if note and not note.endswith("."):
                    note += "."
                # The block's comment once, on its first constant; the others
                # point to it.
                shared = comment if index == 0 else (
                    "See {@link #%s}." % constants[0][0] if comment else "")
                text = " ".join(filter(None, [javadoc_text(note), javadoc_text(shared)
                                              if index == 0 else shared]))
                if text:
                    out.append("  /** %s */" % text)
                out.append("  public static final int %s = %s;" % (name, value.strip()))
                out.append("")
    out.append("}")
    return "\n".join(out) + "\n", seen


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    text, names = emit(sys.argv[2:])
    if "KX_LU_UNFORMATTED" not in names:
        sys.exit("the station's constants were not found")
    with open(sys.argv[1], "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
