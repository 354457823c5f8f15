#!/usr/bin/env python3
"""Makes and checks the Windows packages: a zip holding exactly what setup.exe
installs (setup/program/deliverables.txt and the skin set "Skins/Default"),
plus setup.exe and README.txt, all in one folder named after the zip.

Usage:
  package.py make  <bin folder> <zip> x86|x64 <version>
  package.py check <zip> <bin folder> x86|x64 <version>

The check: the zip's file list is exactly the expected one, every PE file in
it is of the zip's architecture, and setup.exe's version resource carries
the package's version.
"""
import sys
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from check_pe import ARCHITECTURES, Image  # noqa: E402

ROOT = Path(__file__).resolve().parent.parent
DELIVERABLES = ROOT / "setup" / "program" / "deliverables.txt"
SKINS = "Skins/Default"
PE_SUFFIXES = (".dll", ".exe", ".sys")

README = """Caldra One {version} for {windows}

The software for the Caldra One TV-tuner card: the capture driver, its kernel
service, the TV viewer and the skin engine it paints with.

To install, unpack the whole folder and run setup.exe as an administrator.
It installs into "Program Files\\Caldra One" (or the folder you give with
/D=<folder>), adds the capture driver to Windows and puts "Caldra One Viewer"
in the Start menu.

For scripts, from an administrator's command prompt:
  start /wait setup.exe /S                      silent installation
  start /wait setup.exe /S /D=C:\\Tools\\Caldra   into another folder
  start /wait setup.exe /uninstall /S           silent removal
The exit code is 0 on success and 1 on failure (2 for a bad command line);
a failure is described on standard error and everything setup had done is
undone.

To remove Caldra One, run setup.exe /uninstall.
{note}"""

WINDOWS = {"x86": ("32-bit Windows", "This package is for 32-bit Windows only; on 64-bit Windows use the x64 package.\n"),
           "x64": ("64-bit Windows (x64)", "")}


def deliverables():
    names = []
    for line in DELIVERABLES.read_text().splitlines():
        line = line.strip()
        if line and not line.startswith("#"):
            names.append(line.split()[0])
    return names


def expected_files(bin_folder):
    skins = sorted(p.name for p in (Path(bin_folder) / SKINS).iterdir() if p.is_file())
    if not skins:
        raise SystemExit("%s has no skins" % (Path(bin_folder) / SKINS))
    return deliverables() + ["%s/%s" % (SKINS, s) for s in skins] + ["setup.exe"]


def folder_name(zip_path):
    return Path(zip_path).name[:-len(".zip")]


def make(bin_folder, zip_path, architecture, version):
    bin_folder = Path(bin_folder)
    top = folder_name(zip_path)
    Path(zip_path).parent.mkdir(parents=True, exist_ok=True)
    windows, note = WINDOWS[architecture]
    with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED) as package:
        for name in expected_files(bin_folder):
            package.write(bin_folder / name, "%s/%s" % (top, name))
        readme = README.format(version=version, windows=windows, note=note).replace("\n", "\r\n")
        package.writestr("%s/README.txt" % top, readme)
    print("made %s" % zip_path)


def check(zip_path, bin_folder, architecture, version):
    problems = []
    top = folder_name(zip_path)
    machine, magic = ARCHITECTURES[architecture]
    expected = sorted("%s/%s" % (top, n) for n in expected_files(bin_folder) + ["README.txt"])
    with zipfile.ZipFile(zip_path) as package:
        names = sorted(n for n in package.namelist() if not n.endswith("/"))
        missing = sorted(set(expected) - set(names))
        extra = sorted(set(names) - set(expected))
        if missing:
            problems.append("missing: " + ", ".join(missing))
        if extra:
            problems.append("not expected: " + ", ".join(extra))
        if len(names) != len(set(names)):
            problems.append("a name appears twice")
        pe_count = 0
        for name in names:
            if not name.lower().endswith(PE_SUFFIXES):
                continue
            pe_count += 1
            try:
                image = Image(package.read(name))
            except ValueError as error:
                problems.append("%s: %s" % (name, error))
                continue
            if (image.machine, image.magic) != (machine, magic):
                problems.append("%s: machine %#x, not %s" % (name, image.machine, architecture))
            if name.endswith("/setup.exe"):
                strings = image.version_strings() or {}
                if strings.get("ProductVersion") != version:
                    problems.append("setup.exe is version %r, the package %s" % (strings.get("ProductVersion"), version))
    for problem in problems:
        print("FAIL %s: %s" % (zip_path, problem))
    if not problems:
        print("ok   %s: %d files as expected, %d PE files all %s, version %s"
              % (zip_path, len(names), pe_count, architecture, version))
    return not problems


if __name__ == "__main__":
    if len(sys.argv) != 6 or sys.argv[1] not in ("make", "check") or sys.argv[4] not in ARCHITECTURES:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    if sys.argv[1] == "make":
        make(sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5])
    else:
        sys.exit(0 if check(sys.argv[2], sys.argv[3], sys.argv[4], sys.argv[5]) else 1)
