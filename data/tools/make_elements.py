#!/usr/bin/env python3
"""Writes the bundled element files of Objekte/ (five minor planets, four
comets) from published orbital elements as Debian ships them.

Usage (see data/README.md):
    apt-get install kstars-data stellarium-data
    D3="$(mktemp -d)"; (cd "$D3" && npm install --no-save d3-celestial@0.7.35)
    python3 data/tools/make_elements.py --d3 "$D3" --out-dir data/Objekte
(--kstars and --stellarium name the two Debian data folders when they are not
/usr/share/kstars and /usr/share/stellarium/data.)

Standard library only; the output depends only on the input files.

Sources, all referred to the ecliptic and equinox J2000.0 (heliocentric
osculating elements, Pluto's mean elements apart):
  kstars-data asteroids.dat    JPL Small-Body Database extract: elements,
                               absolute magnitude H and diameter of Ceres,
                               Pallas, Juno and Vesta; Pluto's H
  d3-celestial planets.json    JPL's "Keplerian Elements for Approximate
                               Positions of the Major Planets" (Standish,
                               the table for 1800-2050): Pluto's mean
                               elements with their rates, taken at the epoch
                               PLUTO_EPOCH below. Two-body motion from these
                               stays within a few arcminutes of Pluto for
                               decades; the osculating set of asteroids.dat
                               (epoch 2006) drifts by about 10 arcminutes
                               within 20 years.
  kstars-data comets.dat       JPL Small-Body Database extract:
                               C/2020 F3 (NEOWISE); comet nucleus diameters
  kstars-data cometels.json.gz Minor Planet Center extract: 2P/Encke, and
                               the absolute magnitude H of every comet
  stellarium-data ssystem_minor.ini: 1P/Halley, epoch in the 1986
                               apparition
  stellarium-data ssystem_1000comets.ini: C/1995 O1 (Hale-Bopp), epoch
                               in the 1997 apparition
  stellarium-data ssystem_major.ini: Pluto's radius

The file format is the program's element file: the name, then key=value
lines, Windows-1252 with CRLF line ends ("Äqui" begins with the byte 0xC4),
a blank before every number that is not negative.
"""

import argparse
import gzip
import json
import os
import sys


from d3source import D3DataFolder, Sha256


MJD_OFFSET = 2400000.5
JD_J2000 = 2451545.0
PLUTO_EPOCH = 2461041.5  # 2026 January 1.0 TT


def Number(x):
    """The shortest decimal text that reads back as the same double, with a
    blank before a number that is not negative."""
    text = repr(float(x))
    if text.endswith(".0"):
        text = text[:-2]
    return text if text.startswith("-") else " " + text


def JulianDate(year, month, day):
    """Julian Date of a Gregorian calendar date with a day fraction."""
    if month <= 2:
        year, month = year - 1, month + 12
    a = year // 100
    b = 2 - a + a // 4
    return int(365.25 * (year + 4716)) + int(30.6001 * (month + 1)) + day + b - 1524.5


def CalendarText(jd):
    """Calendar date (with the day as a decimal) of a Julian Date, for the
    report."""
    z = int(jd + 0.5)
    f = jd + 0.5 - z
    alpha = int((z - 1867216.25) / 36524.25)
    a = z + 1 + alpha - alpha // 4
    b = a + 1524
    c = int((b - 122.1) / 365.25)
    d = int(365.25 * c)
    e = int((b - d) / 30.6001)
    day = b - d - int(30.6001 * e) + f
    month = e - 1 if e < 14 else e - 13
    year = c - 4716 if month > 2 else c - 4715
    return "%04d-%02d-%06.3f" % (year, month, day)


# ---------------------------------------------------------------------------
# Reading the sources.

def ReadJplTable(path):
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    fields = data["fields"]
    return {row[0].strip(): dict(zip(fields, row)) for row in data["data"]}


def ReadMpcComets(path):
    with gzip.open(path, "rt", encoding="utf-8") as f:
        return {row["Designation_and_name"]: row for row in json.load(f)}


def ReadIniSection(path, wanted_name):
    """The key=value lines of the section whose name= line is wanted_name."""
    section, found = {}, None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.strip()
            if line.startswith("["):
                if section.get("name") == wanted_name:
                    found = section
                    break
                section = {}
            elif "=" in line and not line.startswith("#"):
                key, value = line.split("=", 1)
                section[key.strip()] = value.strip()
    if found is None and section.get("name") == wanted_name:
        found = section
    if found is None:
        sys.exit("%s: no section named %s" % (path, wanted_name))
    return found


# ---------------------------------------------------------------------------
# The element sets.

PLUTO = ("Pluto.kpl", "134340 Pluto (1930 BM)")

MINOR_PLANETS = [
    # file, name in the file, designation in asteroids.dat
    ("Ceres.kpl", "Ceres", "1 Ceres (A801 AA)"),
    ("Pallas.kpl", "Pallas", "2 Pallas (A802 FA)"),
    ("Juno.kpl", "Juno", "3 Juno (A804 RA)"),
    ("Vesta.kpl", "Vesta", "4 Vesta (A807 FA)"),
]

COMETS = [
    # file, name in the file, designation at JPL and MPC, source of the
    # elements and the name there. Each set has its epoch near the
    # perihelion it describes, or (Encke) near the present.
    ("Halley.kom", "1P/Halley", "1P/Halley", "ssystem_minor.ini", "P/Halley (1982i=1986III)"),
    ("Encke.kom", "2P/Encke", "2P/Encke", "mpc", "2P/Encke"),
    ("Hale-Bopp.kom", "C/1995 O1 Hale-Bopp", "C/1995 O1 (Hale-Bopp)", "ssystem_1000comets.ini",
     "C/1995 O1 (Hale-Bopp)"),
    ("NEOWISE.kom", "C/2020 F3 NEOWISE", "C/2020 F3 (NEOWISE)", "jpl", "C/2020 F3 (NEOWISE)"),
]


def MinorPlanet(row, name):
    el = {
        "name": name,
        "e": row["e"], "a": row["a"], "q": row["q"],
        "knoten": row["om"], "omega": row["w"], "i": row["i"],
        "M": row["ma"], "t": float(row["epoch_mjd"]) + MJD_OFFSET,
        "d": row["diameter"],
        "mag": row["H"],
    }
    epoch = el["t"]
    return el, epoch


def PlutoFromMeanElements(planet, h_row, diameter_km, epoch):
    """Pluto's mean elements of the JPL table evaluated at epoch (the angles
    of the table: mean longitude L, longitude of perihelion W, node N)."""
    (table,) = planet["elements"]
    assert table["ep"] == "2000-01-01", table["ep"]  # the rates count from J2000.0
    T = (epoch - JD_J2000) / 36525
    value = {key: table[key] + table["d" + key] * T for key in ("a", "e", "i", "L", "W", "N")}
    # Ten decimals keep every digit the table has (eight) and drop the
    # binary noise of the arithmetic.
    el = {
        "name": "Pluto",
        "e": value["e"], "a": value["a"], "q": value["a"] * (1 - value["e"]),
        "knoten": value["N"] % 360, "omega": (value["W"] - value["N"]) % 360, "i": value["i"],
        "M": (value["L"] - value["W"]) % 360,
    }
    el = {key: (v if key == "name" else round(v, 10)) for key, v in el.items()}
    el.update({"t": epoch, "d": diameter_km, "mag": h_row["H"]})
    return el, epoch


def CometFromJpl(row, name):
    el = {
        "name": name,
        "e": row["e"], "q": row["q"],
        "knoten": row["om"], "omega": row["w"], "i": row["i"],
        "T": row["tp"],
    }
    return el, float(row["epoch.mjd"]) + MJD_OFFSET


def CometFromMpc(row, name):
    el = {
        "name": name,
        "e": row["e"], "q": row["Perihelion_dist"],
        "knoten": row["Node"], "omega": row["Peri"], "i": row["i"],
        "T": JulianDate(row["Year_of_perihelion"], row["Month_of_perihelion"], row["Day_of_perihelion"]),
    }
    return el, JulianDate(row["Epoch_year"], row["Epoch_month"], row["Epoch_day"])


def CometFromStellarium(section, name):
    el = {
        "name": name,
        "e": section["orbit_Eccentricity"], "q": section["orbit_PericenterDistance"],
        "knoten": section["orbit_AscendingNode"], "omega": section["orbit_ArgOfPericenter"],
        "i": section["orbit_Inclination"], "T": section["orbit_TimeAtPericenter"],
    }
    return el, float(section["orbit_Epoch"])


KEY_ORDER = ["e", "a", "q", "knoten", "omega", "i", "T", "M", "t", "d", "\u00c4qui", "mag"]


def FileText(el):
    lines = [el["name"]]
    values = dict(el)
    values["\u00c4qui"] = 2000
    for key in KEY_ORDER:
        value = values.get(key)
        if value is None or value == "":
            continue
        if float(value) == 0 and key in ("d", "mag"):
            continue
        lines.append(key + "=" + Number(value))
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def Check(el, file_name):
    """The element checks of the program's reader, so that no file brings up
    its "überprüfen" message."""
    for key in ("e", "q", "knoten", "omega", "i"):
        if float(el[key]) == 0:
            sys.exit("%s: %s is 0" % (file_name, key))
    e = float(el["e"])
    if e >= 1 and "a" in el:
        sys.exit("%s: a given for an open orbit" % file_name)
    if "M" in el and not el.get("t"):
        sys.exit("%s: M without its epoch t" % file_name)
    if "M" not in el and not el.get("T"):
        sys.exit("%s: no perihelion time" % file_name)


def Build(kstars, stellarium, d3):
    asteroids = ReadJplTable(os.path.join(kstars, "asteroids.dat"))
    jpl_comets = ReadJplTable(os.path.join(kstars, "comets.dat"))
    mpc_comets = ReadMpcComets(os.path.join(kstars, "cometels.json.gz"))
    with open(os.path.join(d3, "planets.json"), encoding="utf-8") as f:
        planets = json.load(f)

    pluto_radius = float(ReadIniSection(os.path.join(stellarium, "ssystem_major.ini"), "Pluto")["radius"])

    files, report = {}, []
    file_name, desig = PLUTO
    el, epoch = PlutoFromMeanElements(planets["plu"], asteroids[desig], 2 * pluto_radius, PLUTO_EPOCH)
    Check(el, file_name)
    files[file_name] = FileText(el)
    report.append("%-14s epoch JD %.1f (%s TT), JPL mean elements 1800-2050" % (file_name, epoch,
                                                                             CalendarText(epoch)[:10]))
    for file_name, name, desig in MINOR_PLANETS:
        row = asteroids[desig]
        el, epoch = MinorPlanet(row, name)
        Check(el, file_name)
        files[file_name] = FileText(el)
        report.append("%-14s epoch JD %.1f (%s TDB), JPL orbit %s" % (file_name, epoch, CalendarText(epoch)[:10],
                                                                   row["orbit_id"]))

    for file_name, name, desig, source, source_name in COMETS:
        if source == "jpl":
            row = jpl_comets[source_name]
            el, epoch = CometFromJpl(row, name)
            origin = "JPL orbit %s" % row["orbit_id"]
        elif source == "mpc":
            row = mpc_comets[source_name]
            el, epoch = CometFromMpc(row, name)
            origin = "MPC %s" % row["Ref"]
        else:
            el, epoch = CometFromStellarium(ReadIniSection(os.path.join(stellarium, source), source_name), name)
            origin = "stellarium-data " + source
        mpc = mpc_comets[desig]
        el["mag"] = mpc["H"]
        diameter = jpl_comets[desig]["diameter"]
        if diameter:
            el["d"] = diameter
        Check(el, file_name)
        files[file_name] = FileText(el)
        report.append("%-14s epoch JD %.1f (%s), T = JD %s (%s), %s; H from MPC (slope G %s)"
                      % (file_name, epoch, CalendarText(epoch)[:10], Number(el["T"]).strip(),
                         CalendarText(float(el["T"])), origin, mpc["G"]))
    return files, report


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--kstars", default="/usr/share/kstars", help="data folder of kstars-data")
    parser.add_argument("--stellarium", default="/usr/share/stellarium/data", help="data folder of stellarium-data")
    parser.add_argument("--d3", required=True,
                        help="d3-celestial: the folder npm installed into, the package folder or its data folder")
    parser.add_argument("--out-dir", required=True, help="the Objekte folder to write into")
    args = parser.parse_args()

    d3 = D3DataFolder(args.d3)
    files, report = Build(args.kstars, args.stellarium, d3)
    os.makedirs(args.out_dir, exist_ok=True)
    for file_name, data in sorted(files.items()):
        with open(os.path.join(args.out_dir, file_name), "wb") as f:
            f.write(data)
    sources = [os.path.join(args.kstars, name) for name in ("asteroids.dat", "comets.dat", "cometels.json.gz")]
    sources += [os.path.join(args.stellarium, name)
                for name in ("ssystem_major.ini", "ssystem_minor.ini", "ssystem_1000comets.ini")]
    sources.append(os.path.join(d3, "planets.json"))
    for path in sources + [os.path.join(args.out_dir, name) for name in sorted(files)]:
        print("%s  %s" % (Sha256(path), os.path.basename(path)))
    print("\n".join(report))

if __name__ == "__main__":
    main()
