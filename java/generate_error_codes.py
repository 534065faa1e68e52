#!/usr/bin/env python3
"""Writes korvane/str/diskarray/ErrorCodes.java from the C headers that define
the codes: the core's codes from kx_errors.h (the comment right above each
code is its meaning) and the bridge's own codes from bridge/errors.h (the
comment after each code).

usage: generate_error_codes.py kx_errors.h bridge/errors.h ErrorCodes.java
"""
import re
import sys

CORE_CODE = re.compile(r"^\s*(KXE?_\w+)\s*=\s*(0x[0-9A-Fa-f]+|\d+)\s*,")
BRIDGE_CODE = re.compile(r"^\s*(ERR_\w+)\s*=\s*(0x[0-9A-Fa-f]+|\d+)\s*,\s*//\s*(.+)$")


def core_codes(text):
    codes, comment = [], []
    in_heading = False
    for number, line in enumerate(text.splitlines(), 1):
        stripped = line.strip()
        if stripped.startswith("//"):
            words = stripped[2:].strip()
            # "--- Area: range ---" heads a block of codes and is no code's
            # meaning, even when it is wrapped over several lines.
            if words.startswith("---"):
                comment = []
                in_heading = not (len(words) > 3 and words.endswith("---"))
            elif in_heading:
                in_heading = not words.endswith("---")
            else:
                comment.append(words)
            continue
        in_heading = False
        match = CORE_CODE.match(line)
        if match:
            meaning = " ".join(comment)
            if "---" in meaning:
                sys.exit("%s:%d: the meaning of %s holds part of a heading: %s"
                         % (sys.argv[1], number, match.group(1), meaning))
            codes.append((match.group(1), int(match.group(2), 0), meaning))
        comment = []
    return codes


def bridge_codes(text):
    return [(m.group(1), int(m.group(2), 0), m.group(3).strip())
            for m in map(BRIDGE_CODE.match, text.splitlines()) if m]


def java_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def emit(codes):
    out = [
        "package korvane.str.diskarray;",
        "",
        "/**",
        " * The result codes of the core library and of the bridge, with what each",
        " * means. Generated at build time from include/kx_errors.h and",
        " * bridge/errors.h; edit those, not this file.",
        " */",
        "public final class ErrorCodes {",
        "  private ErrorCodes() {}",
        "",
    ]
    for name, value, meaning in codes:
        if meaning:
            out.append("  /** %s */" % meaning.replace("*/", "* /"))
        out.append("  public static final int %s = 0x%X;" % (name, value))
        out.append("")
    out.append("  /** What a code means, for an operator; null for a code not defined here. */")
    out.append("  public static String meaning(int code) {")
    out.append("    switch (code) {")
    for name, value, meaning in codes:
        if meaning:
            out.append("      case %s:" % name)
            out.append("        return %s;" % java_string(meaning))
    out.append("      default:")
    out.append("        return null;")
    out.append("    }")
    out.append("  }")
    out.append("}")
    return "\n".join(out) + "\n"


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        codes = core_codes(f.read())
    with open(sys.argv[2], encoding="utf-8") as f:
        codes += bridge_codes(f.read())
    values = [value for _, value, _ in codes]
    if len(set(values)) != len(values):
        sys.exit("two codes share a value")
    if not any(name == "ERR_NULL_ARGUMENT" for name, _, _ in codes):
        sys.exit("the bridge's codes were not found")
    text = emit(codes)
    with open(sys.argv[3], "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
