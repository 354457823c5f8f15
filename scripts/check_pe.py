#!/usr/bin/env python3
"""Checks the Windows deliverables as files, without running them: each is a
PE image of the build's architecture and of the expected kind, exports its
entry points by their undecorated names (no @N on either architecture),
carries a version resource whose strings name it, and imports only DLLs that
every Windows installation has.

Usage: check_pe.py <bin folder> [x86|x64]   (default x86)
Runs on any machine, so the binary contracts are checked even where Wine
cannot run.
"""
import struct
import sys
from pathlib import Path

# file, image kind, exports that must be found by name, the DLLs it may
# import. Every one of those is part of Windows itself: a deliverable needs
# nothing beside it that a fresh installation lacks (the C and C++ run-times
# are linked in statically; msvcrt.dll is the system's own).
USER_MODE = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "msvcrt.dll"}
DELIVERABLES = [
    ("tolvenu.dll", "dll", ["DriverProc", "GetVarnInterface"], USER_MODE | {"winmm.dll", "comctl32.dll"}),
    ("tolvenk.sys", "native", [], {"ntoskrnl.exe", "hal.dll"}),
    ("Viewer.exe", "gui", [], USER_MODE | {"avicap32.dll", "comctl32.dll", "ole32.dll", "oleaut32.dll",
                                           "version.dll", "winmm.dll", "shell32.dll"}),
    ("ardensetup.dll", "dll", ["InstallVFW"], USER_MODE | {"winmm.dll", "setupapi.dll"}),
    ("ardenremove.dll", "dll", ["UninstInitialize", "UninstUnInitialize"],
     USER_MODE | {"winmm.dll", "setupapi.dll"}),
    ("setup.exe", "gui", [], USER_MODE | {"shell32.dll", "ole32.dll", "oleaut32.dll", "shlwapi.dll",
                                          "comctl32.dll"}),
    ("tolvenskin.dll", "dll", ["DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer",
                               "DllUnregisterServer"],
     USER_MODE | {"ole32.dll", "oleaut32.dll", "msimg32.dll", "shlwapi.dll", "windowscodecs.dll"}),
]
RT_VERSION = 16
# machine type and optional-header magic of each architecture
ARCHITECTURES = {"x86": (0x14C, 0x10B), "x64": (0x8664, 0x20B)}


class Image:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        self.machine, sections, _, _, _, opt_size, self.characteristics = struct.unpack_from(
            "<HHIIIHH", data, pe + 4)
        opt = pe + 24
        self.magic = struct.unpack_from("<H", data, opt)[0]
        self.subsystem = struct.unpack_from("<H", data, opt + 68)[0]
        # The data directories follow the optional header's fixed part,
        # which the 64-bit form (PE32+) widens by 16 bytes.
        dirs = opt + (112 if self.magic == 0x20B else 96)
        self.directories = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(16)]
        self.sections = []
        table = opt + opt_size
        for i in range(sections):
            name, vsize, vaddr, rsize, raddr = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((vaddr, max(vsize, rsize), raddr))

    def offset(self, rva):
        for vaddr, size, raddr in self.sections:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + raddr
        raise ValueError("address %#x outside every section" % rva)

    def cstring(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def exports(self):
        rva, size = self.directories[0]
        if not rva:
            return []
        base = self.offset(rva)
        count_names = struct.unpack_from("<I", self.data, base + 24)[0]
        names = self.offset(struct.unpack_from("<I", self.data, base + 32)[0])
        return [self.cstring(struct.unpack_from("<I", self.data, names + 4 * i)[0])
                for i in range(count_names)]

    def imports(self):
        """Names of the DLLs the import directory names."""
        rva, _ = self.directories[1]
        names = []
        if not rva:
            return names
        entry = self.offset(rva)
        while True:
            lookup, _, _, name, first_thunk = struct.unpack_from("<IIIII", self.data, entry)
            if not (lookup or name or first_thunk):
                return names
            names.append(self.cstring(name))
            entry += 20

    def version_strings(self):
        rva, _ = self.directories[2]
        if not rva:
            return None
        root = self.offset(rva)

        def entries(directory):
            named, ids = struct.unpack_from("<HH", self.data, directory + 12)
            for i in range(named + ids):
                ident, target = struct.unpack_from("<II", self.data, directory + 16 + 8 * i)
                yield ident, target

        for ident, target in entries(root):
            if ident != RT_VERSION or not target & 0x80000000:
                continue
            names = root + (target & 0x7FFFFFFF)
            for _, lang_dir in entries(names):
                langs = root + (lang_dir & 0x7FFFFFFF)
                for _, leaf in entries(langs):
                    data_rva, data_size = struct.unpack_from("<II", self.data, root + leaf)
                    start = self.offset(data_rva)
                    return parse_version(self.data[start:start + data_size])
        return None


def parse_version(block):
    """String values of a VS_VERSIONINFO block (every StringTable merged)."""
    strings = {}

    def walk(offset, end, depth):
        while offset + 6 <= end:
            length, value_length, kind = struct.unpack_from("<HHH", block, offset)
            if length == 0:
                break
            key_start = offset + 6
            key_end = key_start
            while block[key_end:key_end + 2] != b"\0\0":
                key_end += 2
            key = block[key_start:key_end].decode("utf-16-le")
            value_start = (key_end + 2 + 3) & ~3
            if depth == 3 and kind == 1:
                raw = block[value_start:value_start + 2 * value_length]
                strings[key] = raw.decode("utf-16-le").rstrip("\0")
            elif key in ("VS_VERSION_INFO", "StringFileInfo") or depth == 2:
                child = value_start + (value_length if key == "VS_VERSION_INFO" else 0)
                walk((child + 3) & ~3, offset + length, depth + 1)
            offset = (offset + length + 3) & ~3

    walk(0, len(block), 0)
    return strings


def check(folder, architecture):
    failures = 0
    machine, magic = ARCHITECTURES[architecture]
    for name, kind, exports, allowed_imports in DELIVERABLES:
        path = folder / name
        problems = []
        imported = []
        try:
            image = Image(path.read_bytes())
            if image.machine != machine or image.magic != magic:
                problems.append("machine %#x/magic %#x, not an %s image" % (image.machine, image.magic, architecture))
            is_dll = bool(image.characteristics & 0x2000)
            wanted = {"dll": (True, 3), "native": (True, 1), "gui": (False, 2)}[kind]
            if (is_dll, image.subsystem) != wanted and not (kind == "dll" and is_dll):
                problems.append("image kind %s/%d, expected %s" % (is_dll, image.subsystem, kind))
            names = image.exports()
            for export in exports:
                if export not in names:
                    problems.append("export %s missing (has %s)" % (export, ", ".join(names)))
            decorated = [n for n in names if "@" in n]
            if decorated:
                problems.append("decorated exports %s" % ", ".join(decorated))
            imported = image.imports()
            foreign = [n for n in imported if n.lower() not in allowed_imports]
            if foreign:
                problems.append("imports %s, which Windows does not have or this file should not need"
                                % ", ".join(foreign))
            version = image.version_strings()
            if not version:
                problems.append("no version resource")
            elif version.get("OriginalFilename") != name or version.get("ProductName") != "Caldra One":
                problems.append("version strings %r" % version)
        except (OSError, ValueError, struct.error) as error:
            problems.append(str(error))
        if problems:
            failures += 1
            print("FAIL %s: %s" % (name, "; ".join(problems)))
        else:
            print("ok   %s %s (%s; imports %s)" % (architecture, name, ", ".join(exports) or kind,
                                                  ", ".join(imported)))
    print("%d of %d %s deliverables pass" % (len(DELIVERABLES) - failures, len(DELIVERABLES), architecture))
    return failures == 0


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3) or (len(sys.argv) == 3 and sys.argv[2] not in ARCHITECTURES):
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    sys.exit(0 if check(Path(sys.argv[1]), sys.argv[2] if len(sys.argv) == 3 else "x86") else 1)
