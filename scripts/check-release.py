#!/usr/bin/env python3
"""Checks a Windows release folder and its zip, as the release target makes them:
    check-release.py <folder> <zip>
- the folder holds exactly the three programs and README.txt, and the zip holds
  the same files, byte for byte, under one folder of the same name;
- each program is a stripped PE of its architecture (the 32-bit programs, the
  64-bit companion);
- each program's version resource names the product, describes the file, gives
  its own file name, and has the version of the product's manifest, as numbers
  and as text; the folder's name has the same version;
- README.txt has CR LF line ends and names the driver package's files.
Prints every fault found and exits non-zero when there is one."""
import os
import re
import struct
import sys
import zipfile

PROGRAMS = {"QuorvinSetup.exe": 0x014C, "quorvin.exe": 0x014C, "kevra64.exe": 0x8664}
FILES = sorted(list(PROGRAMS) + ["README.txt"])
PRODUCT = "QUORVIN Setup"
RT_VERSION, RT_MANIFEST = 16, 24

faults = []


def fault(text):
    faults.append(text)


class Pe:
    """The headers and resources of a PE file, read as Windows' loader reads them."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        (self.machine, sections, _, _, self.symbols, optional_size,
         _) = struct.unpack_from("<HHIIIHH", data, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.resource_rva = struct.unpack_from("<I", data, directories + 2 * 8)[0]
        self.sections = []
        for i in range(sections):
            _, virtual_size, rva, raw_size, raw = struct.unpack_from(
                "<8sIIII", data, optional + optional_size + 40 * i)
            self.sections.append((rva, max(virtual_size, raw_size), raw))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address 0x%X is in no section" % rva)

    def resources(self, type_id):
        """Every resource of a numbered type: a list of (name, language, bytes)."""
        if self.resource_rva == 0:
            return []
        base = self.offset(self.resource_rva)

        def entries(directory):
            named, numbered = struct.unpack_from("<HH", self.data, base + directory + 12)
            for i in range(named + numbered):
                name, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
                yield name, target

        found = []
        for kind, names in entries(0):
            if kind != type_id or not names & 0x80000000:
                continue
            for name, languages in entries(names & 0x7FFFFFFF):
                for language, leaf in entries(languages & 0x7FFFFFFF):
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    start = self.offset(rva)
                    found.append((name, language, self.data[start:start + size]))
        return found


def version_block(data, at):
    """One node of a VS_VERSIONINFO tree: (key, value bytes, text?, children), end."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, at)
    if length < 6 or at + length > len(data):
        raise ValueError("a version block runs past its resource")
    end = at + length
    key_end = at + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[at + 6:key_end].decode("utf-16-le")
    value_at = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if is_text else value_length
    value = data[value_at:value_at + value_size]
    children = []
    child = (value_at + value_size + 3) & ~3
    while child < end:
        node, child_end = version_block(data, child)
        children.append(node)
        child = (child_end + 3) & ~3
    return (key, value, is_text, children), end


def version_of(pe):
    """The fixed version as text and the strings of each string table."""
    resources = pe.resources(RT_VERSION)
    if len(resources) != 1:
        raise ValueError("%d version resources" % len(resources))
    (key, fixed, _, children), _ = version_block(resources[0][2], 0)
    if key != "VS_VERSION_INFO" or struct.unpack_from("<I", fixed, 0)[0] != 0xFEEF04BD:
        raise ValueError("no VS_VERSION_INFO with a fixed part")
    ms, ls, product_ms, product_ls = struct.unpack_from("<IIII", fixed, 8)
    numbers = lambda high, low: "%d.%d.%d.%d" % (high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF)
    strings = {}
    for name, _, _, tables in children:
        if name == "StringFileInfo":
            for table, _, _, values in tables:
                strings[table] = {k: v.decode("utf-16-le").rstrip("\0") for k, v, _, _ in values}
    return numbers(ms, ls), numbers(product_ms, product_ls), strings


def manifest_version(pe):
    manifests = pe.resources(RT_MANIFEST)
    if not manifests:
        raise ValueError("no manifest")
    found = re.search(rb'<assemblyIdentity version="([^"]*)"', manifests[0][2])
    if not found:
        raise ValueError("the manifest has no assembly version")
    return found.group(1).decode()


def check_program(folder, name, machine, version):
    try:
        pe = Pe(open(os.path.join(folder, name), "rb").read())
        if pe.machine != machine:
            fault("%s: machine 0x%04X, expected 0x%04X" % (name, pe.machine, machine))
        if pe.symbols:
            fault("%s: not stripped (%d symbols)" % (name, pe.symbols))
        fixed, product_fixed, strings = version_of(pe)
    except (ValueError, struct.error, UnicodeDecodeError) as error:
        fault("%s: %s" % (name, error))
        return
    if fixed != version or product_fixed != version:
        fault("%s: version numbers %s and %s, the manifest says %s"
              % (name, fixed, product_fixed, version))
    table = strings.get("040904E4")
    if table is None:
        fault("%s: no U.S. English string table (has %s)" % (name, sorted(strings)))
        return
    expected = {"ProductName": PRODUCT, "FileVersion": version, "ProductVersion": version,
                "OriginalFilename": name}
    for key, value in expected.items():
        if table.get(key) != value:
            fault("%s: %s is %r, expected %r" % (name, key, table.get(key), value))
    if not table.get("FileDescription"):
        fault("%s: no file description" % name)


def main(folder, zip_path):
    present = sorted(os.listdir(folder)) if os.path.isdir(folder) else []
    if present != FILES:
        fault("the folder holds %s, expected %s" % (present, FILES))
    top = os.path.basename(os.path.normpath(folder))
    try:
        with zipfile.ZipFile(zip_path) as archive:
            names = sorted(n for n in archive.namelist() if not n.endswith("/"))
            expected = sorted(top + "/" + name for name in FILES)
            if names != expected:
                fault("the zip holds %s, expected %s" % (names, expected))
            for name in set(names) & set(expected):
                base = name.split("/", 1)[1]
                if base in present and archive.read(name) != open(
                        os.path.join(folder, base), "rb").read():
                    fault("%s differs between the zip and the folder" % base)
    except (OSError, zipfile.BadZipFile) as error:
        fault("the zip: %s" % error)

    try:
        version = manifest_version(Pe(open(os.path.join(folder, "QuorvinSetup.exe"), "rb").read()))
    except (OSError, ValueError, struct.error) as error:
        fault("QuorvinSetup.exe: %s" % error)
        version = None
    if version is not None:
        if not top.endswith("-" + version):
            fault("the folder %s does not carry the version %s" % (top, version))
        for name, machine in PROGRAMS.items():
            if name in present:
                check_program(folder, name, machine, version)

    if "README.txt" in present:
        text = open(os.path.join(folder, "README.txt"), "rb").read()
        if text.count(b"\n") == 0 or text.count(b"\n") != text.count(b"\r\n"):
            fault("README.txt: not every line ends with CR LF")
        for needed in (b"quorvin.inf", b"quorvin.sys", b"kevra64.exe"):
            if needed not in text:
                fault("README.txt does not name %s" % needed.decode())

    for text in faults:
        print("release: FAILED: " + text, file=sys.stderr)
    if not faults:
        print("release: %s and its zip hold what they should (version %s)" % (top, version))
    return 1 if faults else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: check-release.py <folder> <zip>")
    sys.exit(main(sys.argv[1], sys.argv[2]))
