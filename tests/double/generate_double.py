#!/usr/bin/env python3
"""Writes the test double of the core from the core's declarations.

Reads every `KX_API int32_t KX_Name(...);` declaration of kx_core.h and emits
one definition per function that hands its arguments, in order, to
CoreDouble::record_call: plain ints by value, pointers with whether the core
may write through them. How many bytes lie behind a pointer is not in the
declaration; the double takes it from the contract rows of the native tests.
It also emits the list of declarations, so that the tests can check each row
against the function it names.

usage: generate_double.py kx_core.h output.cpp
"""
import re
import sys

DECLARATION = re.compile(r"KX_API\s+int32_t\s+(KX_\w+)\s*\(([^)]*)\)\s*;")


def strip_comments(text):
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    return re.sub(r"//[^\n]*", " ", text)


def parse_parameter(parameter):
    """(kind, C type, name) of one parameter: kind is 'i' for an int passed by
    value, 'c' for a pointer the core only reads, 'm' for a pointer it may
    write through, 'p' for a pointer to a pointer it sets."""
    parameter = " ".join(parameter.split())
    match = re.fullmatch(r"(.*?[\s*])(\w+)", parameter)
    if not match:
        raise ValueError("cannot read parameter %r" % parameter)
    ctype, name = match.group(1).strip(), match.group(2)
    stars = ctype.count("*")
    if stars == 0:
        if ctype != "int32_t":
            raise ValueError("unexpected value parameter %r" % parameter)
        return "i", ctype, name
    if stars == 2:
        return "p", ctype, name
    return ("c" if ctype.startswith("const ") else "m"), ctype, name


def parse(header):
    functions = []
    for match in DECLARATION.finditer(strip_comments(header)):
        name, parameters = match.group(1), match.group(2).strip()
        parsed = []
        if parameters and parameters != "void":
            parsed = [parse_parameter(p) for p in parameters.split(",")]
        functions.append((name, parsed))
    return functions


def argument(kind, name):
    if kind == "i":
        return "CoreArg::value(%s)" % name
    if kind == "c":
        return "CoreArg::input(%s)" % name
    if kind == "m":
        return "CoreArg::output(%s)" % name
    return "CoreArg::pointer_out(reinterpret_cast<void**>(%s))" % name


def emit(functions):
    out = [
        "// Generated from include/kx_core.h by tests/double/generate_double.py;",
        "// do not edit. One definition per core function, each recording its",
        "// call through CoreDouble::record_call.",
        '#include "kx_core.h"',
        '#include "tests/double/core_double.h"',
        "",
        "using kxtest::CoreArg;",
        "using kxtest::CoreDouble;",
        "",
    ]
    for name, parameters in functions:
        signature = ", ".join("%s %s" % (ctype, pname)
                              for _, ctype, pname in parameters)
        args = ", ".join(argument(kind, pname) for kind, _, pname in parameters)
        out.append("KX_API int32_t %s(%s) {" % (name, signature))
        out.append('  return CoreDouble::record_call("%s", {%s});' % (name, args))
        out.append("}")
        out.append("")
    out.append("namespace kxtest {")
    out.append("")
    out.append("const CoreDeclaration kCoreDeclarations[] = {")
    for name, parameters in functions:
        kinds = "".join(kind for kind, _, _ in parameters)
        out.append('    {"%s", "%s"},' % (name, kinds))
    out.append("};")
    out.append("const size_t kCoreDeclarationCount = %d;" % len(functions))
    out.append("")
    out.append("}  // namespace kxtest")
    return "\n".join(out) + "\n"


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        functions = parse(f.read())
    if not functions:
        sys.exit("no KX_ declarations found in " + sys.argv[1])
    names = [name for name, _ in functions]
    if len(set(names)) != len(names):
        sys.exit("a KX_ function is declared twice")
    text = emit(functions)
    with open(sys.argv[2], "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
