#!/usr/bin/env python3
"""Checks that a Windows program still loads on Windows XP SP3 (32-bit).

Reads the program's headers and import table with the MinGW objdump and fails when
- the headers ask for a later system (operating-system or subsystem version above 5.1),
- the program imports a library that XP does not ship,
- or it imports a function that XP's libraries lack (the list beside this script).

Usage: check_xp_imports.py OBJDUMP PROGRAM LATER_FUNCTIONS_LIST
"""
import re
import subprocess
import sys

# Libraries that every XP SP3 installation has, which the program may import.
XP_LIBRARIES = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll",
    "msimg32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll", "psapi.dll", "shell32.dll",
    "shlwapi.dll", "user32.dll", "uxtheme.dll", "version.dll", "winmm.dll", "winspool.drv",
}
XP_VERSION = (5, 1)


def read_later_functions(path):
    """{library: {function}} from lines "library function"; "#" starts a comment."""
    later = {}
    with open(path, encoding="utf-8") as listing:
        for number, line in enumerate(listing, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            parts = line.split()
            if len(parts) != 2:
                sys.exit(f"{path}:{number}: expected 'library function', got {line!r}")
            later.setdefault(parts[0].lower(), set()).add(parts[1])
    return later


def parse_objdump(text):
    """The header fields and the imports ({library: [function]}) of `objdump -p` output."""
    fields = {}
    for name in ("MajorOSystemVersion", "MinorOSystemVersion", "MajorSubsystemVersion",
                 "MinorSubsystemVersion"):
        match = re.search(rf"^{name}\s+(\d+)", text, re.MULTILINE)
        if match is None:
            sys.exit(f"objdump printed no {name}")
        fields[name] = int(match.group(1))
    imports = {}
    library = None
    for line in text.splitlines():
        match = re.match(r"\s*DLL Name: (\S+)", line)
        if match:
            library = match.group(1).lower()
            imports[library] = []
            continue
        if library is None:
            continue
        # "	4c7096	 1583  RegDeleteKeyExA": address, hint, name.
        match = re.match(r"\t[0-9a-f]+\t\s*\d+\s+(\S+)$", line)
        if match:
            imports[library].append(match.group(1))
        elif not line.strip() or line.lstrip().startswith("vma:"):
            continue
        else:
            library = None
    return fields, imports


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    objdump, program, listing = sys.argv[1:]
    later = read_later_functions(listing)
    text = subprocess.run([objdump, "-p", program], check=True, capture_output=True, text=True).stdout
    fields, imports = parse_objdump(text)
    if not imports:
        sys.exit(f"{program}: objdump showed no imports")

    problems = []
    for kind in ("OSystem", "Subsystem"):
        version = (fields[f"Major{kind}Version"], fields[f"Minor{kind}Version"])
        if version > XP_VERSION:
            problems.append(f"the header asks for {kind} version {version[0]}.{version[1]}")
    for library, functions in sorted(imports.items()):
        if library not in XP_LIBRARIES:
            problems.append(f"imports {library}, which is not among the libraries XP has")
        for function in functions:
            if function in later.get(library, ()):
                problems.append(f"imports {library} {function}, which XP lacks")

    count = sum(len(functions) for functions in imports.values())
    if problems:
        print(f"{program} does not load on Windows XP SP3:")
        for problem in problems:
            print("  " + problem)
        return 1
    print(f"{program}: {count} imports from {len(imports)} libraries, all present on Windows XP SP3")
    return 0


if __name__ == "__main__":
    sys.exit(main())
