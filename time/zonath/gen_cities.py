#!/usr/bin/env python3
"""Checks the city table and compiles it into the library's array.

    gen_cities.py CITIES_CSV ZONES_CPP OUT_INC

Reads cities.csv (name, country, longitude, latitude, airport, calling,
area, zone; '#' lines are comments) and the zone rows of zones.cpp, and
writes one C++ initializer per city.  Fails, writing nothing, when the table
breaks a rule the world clock relies on; each broken rule is reported with
the row it was found in.  Standard library only.
"""
import csv
import re
import sys

ROWS = 473
FIRST = ["Aberdeen", "Abu Dhabi", "Abuja", "Accra"]
LAST = ["Zagreb", "Zaragoza", "Zurich"]
# The rows the table is known by, exactly.
FIXED = {
    "Aberdeen": ("United Kingdom", -2.07, 57.13, "ABZ", 44, 1224, 85),
    "Abu Dhabi": ("United Arab Emirates", 54.52, 24.42, "AUH", 971, 2, 165),
    "Honolulu, HI": ("USA", -157.85, 21.3, "HNL", 1, 808, 2),
    "London": ("United Kingdom", -0.06, 51.51, "LHR", 44, 171, 85),
    "New York, NY": ("USA", -73.99, 40.74, "JFK", 1, 212, 35),
    "Sydney, NSW": ("Australia", 151.12, -33.96, "SYD", 61, 2, 255),
    "Tokyo": ("Japan", 139.76, 35.67, "NRT", 81, 3, 235),
}
# Abuja keeps a key the zone table lacks: it shows no time.
PINNED_KEYS = {"Abuja": 113}
US_STATES = set("AL AK AZ AR CA CO CT DE DC FL GA HI ID IL IN IA KS KY LA ME MD MA MI MN MS MO MT NE NV NH NJ NM "
                "NY NC ND OH OK OR PA RI SC SD TN TX UT VT VA WA WV WI WY".split())
MAX_NAME = 39
MAX_COUNTRY = 63
MAX_HOURS_FROM_ZONE = 3.0
COUNTRIES = 179
US_CITIES = 124


def read_zones(path):
    """Zone key -> offset in minutes, from the rows '{dst, key, offset, L"name"},'."""
    zones = {}
    with open(path, encoding="utf-8") as source:
        for line in source:
            match = re.match(r'\s*\{(\d+), (\d+), (-?\d+), L"[^"]*"\},', line)
            if match:
                zones[int(match.group(2))] = int(match.group(3))
    return zones


def read_rows(path):
    with open(path, encoding="utf-8", newline="") as source:
        lines = [line for line in source if not line.startswith("#")]
    reader = csv.reader(lines)
    header = next(reader)
    if header != ["name", "country", "longitude", "latitude", "airport", "calling", "area", "zone"]:
        raise ValueError(f"unexpected header {header}")
    return list(reader)


def text_ok(text):
    return all(32 <= ord(c) < 127 for c in text) and '"' not in text and "\\" not in text


def check(rows, zones):
    """The list of broken rules, empty when the table is sound."""
    errors = []
    cities = []
    for number, row in enumerate(rows, start=1):
        where = f"row {number} ({row[0] if row else ''})"
        if len(row) != 8:
            errors.append(f"{where}: {len(row)} fields, not 8")
            continue
        name, country, lon, lat, code, calling, area, zone = row
        try:
            lon, lat, calling, area, zone = float(lon), float(lat), int(calling), int(area), int(zone)
        except ValueError as error:
            errors.append(f"{where}: {error}")
            continue
        if not name or len(name) > MAX_NAME or not text_ok(name):
            errors.append(f"{where}: a name of 1 to {MAX_NAME} plain characters")
        if not country or len(country) > MAX_COUNTRY or not text_ok(country):
            errors.append(f"{where}: a country of 1 to {MAX_COUNTRY} plain characters")
        if not re.fullmatch(r"[A-Z]{3}", code):
            errors.append(f"{where}: airport code {code!r} is not three capital letters")
        if not 1 <= calling <= 65534:
            errors.append(f"{where}: calling code {calling}")
        if not 0 <= area <= 65535:
            errors.append(f"{where}: area code {area} (65535: none)")
        if not (-180 <= lon <= 180 and -90 <= lat <= 90):
            errors.append(f"{where}: coordinates {lon}, {lat}")
        if country == "USA" and not (re.fullmatch(r".+, [A-Z]{2}", name) and name[-2:] in US_STATES):
            errors.append(f"{where}: a US city is named \"City, ST\"")
        if name in PINNED_KEYS:
            if zone != PINNED_KEYS[name]:
                errors.append(f"{where}: keeps zone key {PINNED_KEYS[name]}")
        elif zone not in zones:
            errors.append(f"{where}: zone key {zone} is not in the zone table")
        else:
            # Sun time against zone time: a swapped sign lands half a world away.
            hours = lon / 15.0 - zones[zone] / 60.0
            hours = (hours + 12) % 24 - 12
            if abs(hours) > MAX_HOURS_FROM_ZONE:
                errors.append(f"{where}: longitude {lon} is {hours:+.1f} h from zone {zone}")
        if name in FIXED and (country, lon, lat, code, calling, area, zone) != FIXED[name]:
            errors.append(f"{where}: must read {FIXED[name]}")
        cities.append((name, country))

    names = [name for name, _ in cities]
    if len(rows) != ROWS:
        errors.append(f"{len(rows)} rows, not {ROWS}")
    for previous, name in zip(names, names[1:]):
        if name.lower() < previous.lower():
            errors.append(f"not sorted by name: {name!r} after {previous!r}")
    if names[:len(FIRST)] != FIRST or names[-len(LAST):] != LAST:
        errors.append(f"the table starts {names[:len(FIRST)]} and ends {names[-len(LAST):]}")
    missing = set(FIXED) - set(names)
    if missing:
        errors.append(f"rows missing: {sorted(missing)}")
    duplicates = {city for city in cities if cities.count(city) > 1}
    if duplicates:
        errors.append(f"cities listed twice: {sorted(duplicates)}")
    countries = {country for _, country in cities}
    if len(countries) != COUNTRIES or names and sum(c == "USA" for _, c in cities) != US_CITIES:
        errors.append(f"{len(countries)} countries and {sum(c == 'USA' for _, c in cities)} US cities, "
                      f"not {COUNTRIES} and {US_CITIES}")
    return errors


def initializer(row):
    name, country, lon, lat, code, calling, area, zone = row
    return f'    {{L"{name}", L"{country}", {float(lon)!r}, {float(lat)!r}, L"{code}", {int(calling)}, ' \
           f'{int(area)}, {int(zone)}, 0}},\n'


def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    csv_path, zones_path, out_path = sys.argv[1:]
    try:
        rows = read_rows(csv_path)
    except (OSError, ValueError, csv.Error) as error:
        print(f"{csv_path}: {error}", file=sys.stderr)
        return 1
    zones = read_zones(zones_path)
    if len(zones) != 74:
        print(f"{zones_path}: {len(zones)} zone rows found, not 74", file=sys.stderr)
        return 1
    errors = check(rows, zones)
    if errors:
        for error in errors:
            print(f"{csv_path}: {error}", file=sys.stderr)
        return 1
    with open(out_path, "w", encoding="utf-8") as out:
        out.write("// Generated from cities.csv by gen_cities.py; do not edit.\n")
        out.writelines(initializer(row) for row in rows)
    return 0


if __name__ == "__main__":
    sys.exit(main())
