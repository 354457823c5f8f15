#!/usr/bin/env python3
"""Builds the tuning tables of tolvenu from their text sources in data/.

The country list (countries.txt), the channel plans (plans.txt and plans/*.plan)
and the country-to-plan table (country-plans.txt) are turned into:

  --rc DIR        tuning.rc and one .bin per resource: the SERIALIZED_DATA
                  resources of tolvenu.dll, English (United States)
  --embedded CPP  the same resource bytes as C++ arrays, for the native build
  --tables CPP    the country-code-to-plan table, for both builds
  --expect CPP    per plan the entries with the frequency in Hz worked out
                  from the decimal text, for the tests

Archive format of the resources (little-endian): a count is a 16-bit word,
0xFFFF announcing a 32-bit count; a string is a length (one byte below 255,
else 0xFF and a 16-bit length, 0xFFFF there announcing a 32-bit length) and
8-bit characters. A plan is a count and (number u32, MHz float32) entries; the
country list is a count and (code u32, name string) records.
"""
import argparse
import os
import re
import struct
import sys

COUNTRY_LIST_ID = 131
RESOURCE_TYPE = "SERIALIZED_DATA"


class DataError(Exception):
    pass


def data_lines(path):
    with open(path, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            text = line.split("#", 1)[0].strip() if not line.lstrip().startswith("#") else ""
            if text:
                yield number, text


def archive_count(n):
    if n < 0xFFFF:
        return struct.pack("<H", n)
    return struct.pack("<HI", 0xFFFF, n)


def archive_string(text):
    raw = text.encode("latin-1")
    n = len(raw)
    if n < 255:
        head = struct.pack("<B", n)
    elif n < 0xFFFE:  # 0xFFFE would read as the wide-character marker
        head = struct.pack("<BH", 0xFF, n)
    else:
        head = struct.pack("<BHI", 0xFF, 0xFFFF, n)
    return head + raw


def mhz_to_float(text, where):
    """Checks a decimal MHz value and returns (float32 bytes, exact Hz)."""
    m = re.fullmatch(r"(\d+)(?:\.(\d{1,2}))?", text)
    if not m:
        raise DataError(f"{where}: frequency '{text}' is not a decimal MHz value")
    hundredths = int(m.group(1)) * 100 + int((m.group(2) or "0").ljust(2, "0"))
    if hundredths % 5:
        raise DataError(f"{where}: {text} MHz is not a multiple of 0.05 MHz")
    hz = hundredths * 10000
    packed = struct.pack("<f", hundredths / 100.0)
    (as_float,) = struct.unpack("<f", packed)
    # The driver multiplies the float by 1,000,000 and truncates; the product
    # of a float and 10^6 is exact in double precision.
    if int(as_float * 1000000.0) != hz:
        raise DataError(f"{where}: {text} MHz does not convert to {hz} Hz exactly")
    return packed, hz


def read_plan(path):
    entries = []
    for line, text in data_lines(path):
        fields = text.split()
        where = f"{path}:{line}"
        if len(fields) != 2 or not fields[0].isdigit():
            raise DataError(f"{where}: expected 'number MHz'")
        number = int(fields[0])
        if number > 0xFFFFFFFF:
            raise DataError(f"{where}: channel number too large")
        packed, hz = mhz_to_float(fields[1], where)
        entries.append((number, packed, hz))
    if not entries:
        raise DataError(f"{path}: no entries")
    return entries


def read_countries(path):
    countries = []
    with open(path, encoding="ascii") as f:
        for line, raw in enumerate(f, 1):
            if raw.startswith("#") or not raw.strip():
                continue
            fields = raw.rstrip("\n").split("\t")
            if len(fields) != 2 or not fields[0].isdigit() or not fields[1]:
                raise DataError(f"{path}:{line}: expected 'code<TAB>name'")
            countries.append((int(fields[0]), fields[1]))
    return countries


def read_country_plans(path):
    table = {}
    default = None
    for line, text in data_lines(path):
        head, _, rest = text.partition(":")
        where = f"{path}:{line}"
        if head == "default":
            default = int(rest)
            continue
        plan = int(head)
        for item in rest.split():
            low, _, high = item.partition("-")
            for code in range(int(low), int(high or low) + 1):
                if code in table:
                    raise DataError(f"{where}: code {code} listed twice")
                table[code] = plan
    if default is None:
        raise DataError(f"{path}: no default plan")
    return table, default


def serialize_plan(entries):
    out = bytearray(archive_count(len(entries)))
    for number, packed, _ in entries:
        out += struct.pack("<I", number) + packed
    return bytes(out)


def serialize_countries(countries):
    out = bytearray(archive_count(len(countries)))
    for code, name in countries:
        out += struct.pack("<I", code) + archive_string(name)
    return bytes(out)


def load(data_dir):
    plans = []  # (resource name, file, entries)
    cache = {}
    for line, text in data_lines(os.path.join(data_dir, "plans.txt")):
        name, file = text.split()
        if not re.fullmatch(r"CHAN\d{3}[BC]", name):
            raise DataError(f"plans.txt:{line}: bad resource name {name}")
        if file not in cache:
            cache[file] = read_plan(os.path.join(data_dir, "plans", file))
        plans.append((name, file, cache[file]))
    countries = read_countries(os.path.join(data_dir, "countries.txt"))
    table, default = read_country_plans(os.path.join(data_dir, "country-plans.txt"))
    return plans, countries, table, default


def write_if_changed(path, content):
    mode = "wb" if isinstance(content, bytes) else "w"
    try:
        with open(path, "rb" if mode == "wb" else "r") as f:
            if f.read() == content:
                return
    except OSError:
        pass
    with open(path, mode) as f:
        f.write(content)


def c_bytes(data):
    rows = []
    for i in range(0, len(data), 16):
        rows.append("    " + ", ".join(f"0x{b:02x}" for b in data[i:i + 16]) + ",")
    return "\n".join(rows)


HEADER = "// Generated by driver/tuning/generate_tuning_data.py from driver/tuning/data. Do not edit.\n"


def write_rc(out_dir, plans, countries):
    os.makedirs(out_dir, exist_ok=True)
    lines = [HEADER, "LANGUAGE 0x09, 0x01  // English (United States)", ""]
    blobs = [(str(COUNTRY_LIST_ID), "countries.bin", serialize_countries(countries))]
    blobs += [(name, name + ".bin", serialize_plan(entries)) for name, _, entries in plans]
    for res_name, file, data in blobs:
        path = os.path.join(out_dir, file)
        write_if_changed(path, data)
        lines.append(f'{res_name} {RESOURCE_TYPE} "{path}"')
    write_if_changed(os.path.join(out_dir, "tuning.rc"), "\n".join(lines) + "\n")


def write_embedded(path, plans, countries):
    parts = [HEADER, '#include "driver/tuning/embedded_resources.h"', "",
             "namespace tolven::tuning {", "namespace {"]
    table = []
    blobs = [("countries", None, COUNTRY_LIST_ID, serialize_countries(countries))]
    blobs += [(name, name, 0, serialize_plan(entries)) for name, _, entries in plans]
    for symbol, name, ident, data in blobs:
        parts.append(f"const uint8_t k_{symbol}[] = {{\n{c_bytes(data)}\n}};")
        name_expr = f'u"{name}"' if name else "nullptr"
        table.append(f'    {{u"{RESOURCE_TYPE}", {name_expr}, {ident}, k_{symbol}, sizeof k_{symbol}}},')
    parts += ["const EmbeddedResource kResources[] = {", *table, "};", "}  // namespace", "",
              "std::span<const EmbeddedResource> EmbeddedTuningResources() { return kResources; }",
              "", "}  // namespace tolven::tuning", ""]
    write_if_changed(path, "\n".join(parts))


def write_tables(path, table, default):
    rows = [f"    {{{code}, {plan}}}," for code, plan in sorted(table.items())]
    text = "\n".join([HEADER, '#include "driver/tuning/plan_choice.h"', "",
                      "namespace tolven::tuning {", "",
                      f"const uint32_t kDefaultPlanNumber = {default};",
                      "const CountryPlan kCountryPlans[] = {", *rows, "};",
                      "const size_t kCountryPlanCount = sizeof kCountryPlans / sizeof kCountryPlans[0];",
                      "", "}  // namespace tolven::tuning", ""])
    write_if_changed(path, text)


def write_expect(path, plans, countries):
    parts = [HEADER, '#include "driver/tuning/tests/expected_tables.h"', "",
             "namespace tolven::tuning::testdata {", "namespace {"]
    table = []
    for i, (name, file, entries) in enumerate(plans):
        rows = ", ".join(f"{{{n}, {hz}u}}" for n, _, hz in entries)
        parts.append(f"const ExpectedEntry k_plan{i}[] = {{{rows}}};")
        table.append(f'    {{"{name}", "{file}", k_plan{i}, {len(entries)}}},')
    crow = ",\n".join(f'    {{{code}, "{name}"}}' for code, name in countries)
    parts += [f"const ExpectedCountry k_countries[] = {{\n{crow}\n}};",
              "const ExpectedPlan k_plans[] = {", *table, "};", "}  // namespace", "",
              "std::span<const ExpectedPlan> ExpectedPlans() { return k_plans; }",
              "std::span<const ExpectedCountry> ExpectedCountries() { return k_countries; }",
              "", "}  // namespace tolven::tuning::testdata", ""]
    write_if_changed(path, "\n".join(parts))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--data", required=True)
    parser.add_argument("--rc")
    parser.add_argument("--embedded")
    parser.add_argument("--tables")
    parser.add_argument("--expect")
    args = parser.parse_args()
    try:
        plans, countries, table, default = load(args.data)
    except (DataError, ValueError, OSError) as e:
        print(f"generate_tuning_data: {e}", file=sys.stderr)
        return 1
    if args.rc:
        write_rc(args.rc, plans, countries)
    if args.embedded:
        write_embedded(args.embedded, plans, countries)
    if args.tables:
        write_tables(args.tables, table, default)
    if args.expect:
        write_expect(args.expect, plans, countries)
    return 0


if __name__ == "__main__":
    sys.exit(main())
