#!/usr/bin/env python3
"""Checks the hardening flags of a PE image with mingw's objdump: address
space layout randomisation with the full 64-bit range, data execution
prevention, relocations kept (randomisation needs them), no section that is
both writable and executable, and no DLL loaded at start-up that the loader
could take from the program's own folder.

usage: pe_hardening_test.py OBJDUMP IMAGE"""
import re
import subprocess
import sys

# DllCharacteristics bits of the optional header.
REQUIRED = {
    0x0020: "HIGH_ENTROPY_VA (64-bit address space layout randomisation)",
    0x0040: "DYNAMIC_BASE (address space layout randomisation)",
    0x0100: "NX_COMPAT (data execution prevention)",
}
# What the loader may load before the program runs: Windows' "known DLLs",
# always taken from the system directory, and the common controls, which the
# manifest binds to the system's side-by-side copy, and ntdll.dll, which the
# system maps into every process before its loader runs. Anything else is
# loaded later, once the search is limited to the system directory.
START_UP_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll", "kernel32.dll",
    "msvcrt.dll", "ntdll.dll", "ole32.dll", "oleaut32.dll", "psapi.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "ws2_32.dll",
}
# File header characteristic: relocations stripped, so the image cannot move.
RELOCS_STRIPPED = 0x0001


def objdump(tool, *args):
    return subprocess.run([tool, *args], capture_output=True, text=True, check=True).stdout


def failures(private_headers, section_headers):
    found = []
    match = re.search(r"^DllCharacteristics\s+([0-9a-fA-F]+)", private_headers, re.M)
    if not match:
        return ["no DllCharacteristics in the optional header"]
    characteristics = int(match.group(1), 16)
    for bit, name in REQUIRED.items():
        if not characteristics & bit:
            found.append(f"DllCharacteristics {characteristics:#06x} lacks {name}")

    match = re.search(r"^Characteristics\s+0x([0-9a-fA-F]+)", private_headers, re.M)
    if match and int(match.group(1), 16) & RELOCS_STRIPPED:
        found.append("relocations stripped: the image cannot be placed at a random address")
    match = re.search(r"^Entry 5 [0-9a-fA-F]+ ([0-9a-fA-F]+) Base Relocation Directory", private_headers, re.M)
    if not match or int(match.group(1), 16) == 0:
        found.append("no base relocation directory")

    for dll in re.findall(r"^\s*DLL Name: (\S+)", private_headers, re.M):
        if dll.lower() not in START_UP_DLLS:
            found.append(f"{dll} is loaded at start-up, where the program's folder is searched first")

    # objdump -h prints each section's name line, then its flags line.
    lines = section_headers.splitlines()
    for i, line in enumerate(lines):
        header = re.match(r"^\s*\d+\s+(\S+)\s", line)
        if not header or i + 1 >= len(lines):
            continue
        flags = {f.strip() for f in lines[i + 1].split(",")}
        if "CODE" in flags and "READONLY" not in flags:
            found.append(f"section {header.group(1)} is both writable and executable")
    return found


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    tool, image = sys.argv[1:]
    problems = failures(objdump(tool, "-p", image), objdump(tool, "-h", image))
    for problem in problems:
        print(f"{image}: {problem}")
    if not problems:
        print(f"{image}: ASLR (high entropy), DEP, relocations, no writable code, start-up DLLs: ok")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
