#!/usr/bin/env python3
"""Writes the Messier catalogue messier.kat from the data of the npm package
d3-celestial (its messier.json, constellations.json and
constellations.bounds.json) and the positions of OpenNGC.

Usage (see data/README.md):
    D3="$(mktemp -d)"; (cd "$D3" && npm install --no-save d3-celestial@0.7.35)
    python3 data/tools/make_messier.py --d3 "$D3" --out data/messier.kat

messier.json gives its positions rounded to a few arcminutes (M42 at
-5 27', where the nebula's catalogue place is -5 23' 23"), so the J2000
positions are taken from OpenNGC (Debian's kstars-data, OpenNGC.kscat),
which names the Messier objects "M 1" ... "M 110"; M102 is missing there and
is taken as messier.json's designation NGC 5866. Everything else
(magnitudes, types, designations) comes from messier.json.

Standard library only. The output depends only on the input files: running
it again gives the same bytes.

The file holds M1 to M109, one object per line, nine comma-separated fields:
right ascension hours, minutes; declination degrees (signed), minutes;
magnitude; description; type; constellation; common name. The coordinates
refer to the equinox 1950.0. Kelmaron brings them to the chosen equinox with
its own precession, Precess(J = 2433282, F = 0.5, year, ra, dec); the 1950
places written here are found by inverting exactly that formula, so that
the program, asked for the equinox 2000, shows the J2000 place of
messier.json again (to far better than 0.1 arcseconds; checked below after
the numbers have been written and read back).

The degree field always carries its sign. The minutes take the sign of the
degree field; for a declination between -1 and +1 degree that field is "-0"
or "+0", which the program's reader takes as the sign of the minutes (a
plain "0" would make them count for nothing).

Windows-1252, CRLF line ends, no commas inside the texts.
"""

import argparse
import sqlite3
import json
import math
import os
import sys


from d3source import D3DataFolder, Sha256


# ---------------------------------------------------------------------------
# Kelmaron's precession, written exactly as the program computes it
# (astronomy/Angles.cpp), so that the file round-trips with its arithmetic.

K_PI = 3.141592653589793
K_DEG_TO_RAD = 0.017453292519943295
K_ARCSEC_TO_RAD = K_PI / 180 / 3600
K_STORED_TWO_PI = 6.2831853072  # the program's full circle of the reductions

# Starting date of the catalogue: JD 2433282.5 (1 January 1950, 0h UT), held
# as day number and fraction the way the position service passes it.
J1950 = 2433282.0
F1950 = 0.5
TARGET_YEAR = 2000


def Int(x):
    return math.floor(x)


def Mod2Pi(x):
    return x - K_STORED_TWO_PI * Int(x / K_STORED_TWO_PI)


def RectToSpherical(x, y, z):
    if z >= 1:
        lat = K_PI / 2
    elif z <= -1:
        lat = -K_PI / 2
    else:
        lat = math.asin(z)
    lon = 0.0
    if not (x == 0 and y == 0):
        lon = 2 * math.atan(y / (abs(x) + math.sqrt(x * x + y * y)))
        if x < 0:
            lon = K_PI - lon
    return Mod2Pi(lon), lat


def DayNumberOfNewYear(year):
    """The day number J of 1 January of year at 0h UT (Gregorian), which is
    what the program's CalendarToJulianDate returns there; its fraction is
    0.5 and is not used by Precess."""
    y, m = year - 1, 13
    a = y // 100
    b = 2 - a + a // 4
    jd = math.floor(365.25 * (y + 4716)) + math.floor(30.6001 * (m + 1)) + 1 + b - 1524.5
    return jd - 0.5


def Precess(J, F, year, alpha0, delta0):
    Je = DayNumberOfNewYear(year)
    T = (Int(J + F - 0.5) - 2451544.5) / 36525
    t = (Je - J - F) / 36525
    zeta = (2306.218 + 1.397 * T) * t * K_ARCSEC_TO_RAD
    z = ((2306.218 + 1.397 * T) * t + 0.793 * t * t) * K_ARCSEC_TO_RAD
    theta = (2004.311 - 0.853 * T) * t * K_ARCSEC_TO_RAD
    A = math.cos(theta) * math.cos(delta0) * math.cos(alpha0 + zeta) - math.sin(theta) * math.sin(delta0)
    B = math.cos(delta0) * math.sin(alpha0 + zeta)
    C = math.sin(theta) * math.cos(delta0) * math.cos(alpha0 + zeta) + math.cos(theta) * math.sin(delta0)
    lon, lat = RectToSpherical(A, B, C)
    return Mod2Pi(lon + z), lat


def WrapPi(x):
    """An angle difference brought into -pi .. pi."""
    return (x + math.pi) % (2 * math.pi) - math.pi


def Inverse1950(ra2000, dec2000):
    """The 1950 place that the program's Precess carries to (ra2000, dec2000)."""
    ra, dec = ra2000, dec2000
    for _ in range(100):
        ra_p, dec_p = Precess(J1950, F1950, TARGET_YEAR, ra, dec)
        d_ra = WrapPi(ra2000 - ra_p)
        d_dec = dec2000 - dec_p
        ra = (ra + d_ra) % (2 * math.pi)
        dec = dec + d_dec
        if abs(d_ra) < 1e-15 and abs(d_dec) < 1e-15:
            break
    return ra, dec


def SeparationArcsec(ra1, dec1, ra2, dec2):
    """Great-circle distance in arcseconds (haversine; exact for tiny angles)."""
    s = math.sin((dec2 - dec1) / 2) ** 2 + math.cos(dec1) * math.cos(dec2) * math.sin((ra2 - ra1) / 2) ** 2
    return 2 * math.asin(math.sqrt(s)) / K_ARCSEC_TO_RAD


# ---------------------------------------------------------------------------
# Constellations: the IAU boundaries (Delmotte 1930) run along lines of
# constant right ascension and declination of the equinox B1875.0. The
# corners in d3-celestial are given for J2000; they are carried back to
# B1875.0 with the IAU 1976 precession (Lieske et al. 1977), where each edge
# is again a straight line in right ascension or declination, and the
# objects are located there with an ordinary point-in-polygon test.

JD_J2000 = 2451545.0
JD_B1875 = 2405889.258550475  # B1875.0


def PrecessIau1976(ra, dec, jd_from, jd_to):
    T = (jd_from - JD_J2000) / 36525
    t = (jd_to - jd_from) / 36525
    a = K_ARCSEC_TO_RAD
    zeta = ((2306.2181 + 1.39656 * T - 0.000139 * T * T) * t + (0.30188 - 0.000344 * T) * t * t + 0.017998 * t ** 3) * a
    z = ((2306.2181 + 1.39656 * T - 0.000139 * T * T) * t + (1.09468 + 0.000066 * T) * t * t + 0.018203 * t ** 3) * a
    theta = ((2004.3109 - 0.85330 * T - 0.000217 * T * T) * t - (0.42665 + 0.000217 * T) * t * t - 0.041833 * t ** 3) * a
    A = math.cos(dec) * math.sin(ra + zeta)
    B = math.cos(theta) * math.cos(dec) * math.cos(ra + zeta) - math.sin(theta) * math.sin(dec)
    C = math.sin(theta) * math.cos(dec) * math.cos(ra + zeta) + math.cos(theta) * math.sin(dec)
    return (math.atan2(A, B) + z) % (2 * math.pi), math.asin(max(-1.0, min(1.0, C)))


def To1875Degrees(lon_deg, lat_deg):
    ra, dec = PrecessIau1976(math.radians(lon_deg % 360), math.radians(lat_deg), JD_J2000, JD_B1875)
    return math.degrees(ra), math.degrees(dec)


class Boundary:
    """One constellation's boundary as a closed polygon in (ra, dec) degrees of
    B1875.0, the right ascension unwrapped so that it runs continuously."""

    def __init__(self, abbr, ring_j2000):
        pts = [To1875Degrees(lon, lat) for lon, lat in ring_j2000]
        unwrapped = [pts[0]]
        for ra, dec in pts[1:]:
            prev = unwrapped[-1][0]
            ra += 360 * round((prev - ra) / 360)
            unwrapped.append((ra, dec))
        self.abbr = abbr
        self.max_edge_skew = 0.0
        for (r1, d1), (r2, d2) in zip(unwrapped, unwrapped[1:]):
            # Every edge must be a line of constant ra or constant dec. Near
            # the north pole (the edge at +88 degrees of Cepheus and Ursa
            # Minor) the data carry extra points that lie off that line; no
            # Messier object comes near, so they are not checked.
            if min(abs(d1), abs(d2)) > 85:
                continue
            self.max_edge_skew = max(self.max_edge_skew, min(abs(r1 - r2) * math.cos(math.radians(d1)), abs(d1 - d2)))
        winding = unwrapped[-1][0] - unwrapped[0][0]
        self.polar = abs(winding) > 180
        if self.polar:
            # A cap around a pole: close it over the pole.
            pole = 90.0 if sum(d for _, d in unwrapped) > 0 else -90.0
            unwrapped = unwrapped + [(unwrapped[-1][0], pole), (unwrapped[0][0], pole), unwrapped[0]]
        self.ring = unwrapped

    def _inside(self, ra, dec):
        inside = False
        ring = self.ring
        for (r1, d1), (r2, d2) in zip(ring, ring[1:]):
            if (d1 > dec) != (d2 > dec):
                r_cross = r1 + (dec - d1) * (r2 - r1) / (d2 - d1)
                if ra < r_cross:
                    inside = not inside
        return inside

    def contains(self, ra, dec):
        return any(self._inside(ra + k * 360, dec) for k in (-2, -1, 0, 1, 2))


def LoadBoundaries(d3_dir):
    with open(os.path.join(d3_dir, "constellations.bounds.json"), encoding="utf-8") as f:
        bounds = json.load(f)
    out = []
    for feature in bounds["features"]:
        geometry = feature["geometry"]
        assert geometry["type"] == "Polygon", feature["id"]
        out.append(Boundary(feature["id"], geometry["coordinates"][0]))
    return out


def LoadGermanConstellationNames(d3_dir):
    with open(os.path.join(d3_dir, "constellations.json"), encoding="utf-8") as f:
        data = json.load(f)
    names = {}
    for feature in data["features"]:
        abbr = feature["id"]
        # The data separate words by U+2005 (four-per-em space): plain blanks.
        german = " ".join(feature["properties"]["de"].split())
        assert names.get(abbr, german) == german, abbr  # Serpens appears twice
        names[abbr] = german
    # The constellation figures name Puppis in full; keep both files alike.
    if names.get("Pup") == "Achterdeck":
        names["Pup"] = "Achterdeck des Schiffs"
    return names


# ---------------------------------------------------------------------------
# Texts. The type letters are the five classes of the star catalogue; the
# three Messier objects that are neither cluster, nebula nor galaxy get a
# word of their own, which the program draws with the open-cluster symbol.

TYPE_TEXT = {
    "oc": "OSt", "gc": "KSt", "pn": "PlN",
    "s": "Ga", "e": "Ga", "i": "Ga",
    "snr": "E", "sfr": "E", "rn": "E", "en": "E", "bn": "E",
}

TYPE_DESCRIPTION = {
    "oc": "Offener Sternhaufen",
    "gc": "Kugelsternhaufen",
    "pn": "Planetarischer Nebel",
    "s": "Spiralgalaxie",
    "e": "Elliptische Galaxie",
    "i": "Irreguläre Galaxie",
    "snr": "Supernovaüberrest",
    "sfr": "Emissionsnebel",
    "rn": "Reflexionsnebel",
}

# messier.json marks these three as "pos" (a position only).
POSITION_ONLY = {
    24: ("Sternwolke", "Sternwolke der Milchstraße"),
    40: ("Doppelstern", "Winnecke 4 Doppelstern"),
    73: ("Asterismus", "NGC 6994 Asterismus aus 4 Sternen"),
}

# German names in common use, for the objects that messier.json gives a
# common name; the others get two blanks, shown by the program as "-".
GERMAN_NAMES = {
    1: "Krebsnebel",
    6: "Schmetterlingshaufen",
    7: "Ptolemäus-Haufen",
    8: "Lagunennebel",
    11: "Wildentenhaufen",
    13: "Herkuleshaufen",
    16: "Adlernebel",
    17: "Omeganebel",
    20: "Trifidnebel",
    24: "Kleine Sagittariuswolke",
    27: "Hantelnebel",
    31: "Andromedagalaxie",
    33: "Dreiecksgalaxie",
    42: "Orionnebel",
    44: "Krippe",
    45: "Plejaden",
    51: "Whirlpoolgalaxie",
    57: "Ringnebel",
    63: "Sonnenblumengalaxie",
    64: "Schwarzes-Auge-Galaxie",
    76: "Kleiner Hantelnebel",
    81: "Bodes Galaxie",
    82: "Zigarrengalaxie",
    83: "Südliche Feuerradgalaxie",
    97: "Eulennebel",
    101: "Feuerradgalaxie",
    104: "Sombrerogalaxie",
}
NO_NAME = "  "

# Where we expect the objects; a mismatch stops the generator, so a change of
# the boundary data or of the test cannot pass unnoticed.
EXPECTED_CONSTELLATION = {
    1: "Tau", 8: "Sgr", 13: "Her", 16: "Ser", 20: "Sgr", 24: "Sgr", 27: "Vul", 31: "And",
    33: "Tri", 40: "UMa", 42: "Ori", 44: "Cnc", 45: "Tau", 51: "CVn", 57: "Lyr", 64: "Com",
    73: "Aqr", 81: "UMa", 82: "UMa", 83: "Hya", 97: "UMa", 101: "UMa", 104: "Vir",
}


# ---------------------------------------------------------------------------
# Writing and reading the numbers.

RA_DECIMALS = 5   # minutes of time: 0.00001 min = 0.0006 s
DEC_DECIMALS = 4  # minutes of arc: 0.0001' = 0.006"


def FormatRa(ra_rad):
    scale = 10 ** RA_DECIMALS
    units = round(ra_rad / K_PI * 12 * 60 * scale) % (24 * 60 * scale)
    hours, rest = divmod(units, 60 * scale)
    whole, frac = divmod(rest, scale)
    return "%d" % hours, "%d.%0*d" % (whole, RA_DECIMALS, frac)


def FormatDec(dec_rad):
    """Degrees always with their sign ("+0" and "-0" included), minutes
    unsigned."""
    scale = 10 ** DEC_DECIMALS
    units = round(abs(dec_rad) / K_DEG_TO_RAD * 60 * scale)
    degrees, rest = divmod(units, 60 * scale)
    whole, frac = divmod(rest, scale)
    sign = "-" if dec_rad < 0 and units > 0 else "+"
    return sign + "%d" % degrees, "%d.%0*d" % (whole, DEC_DECIMALS, frac)


def ReadCoordinates(h_text, m_text, d_text, dm_text):
    """Reads the four fields as the program's reader does: the minutes take
    the sign of the degree field, and a zero degree field the sign written
    before it ("-0", "+0"; a plain "0" leaves the minutes out)."""
    hours, ra_min, degrees, dec_min = (float(t) for t in (h_text, m_text, d_text, dm_text))
    sgn = 1 if degrees > 0 else (-1 if degrees < 0 else 0)
    if degrees == 0:
        t = d_text.strip()
        sgn = -1 if t.startswith("-") else (1 if t.startswith("+") else 0)
    ra = (hours + ra_min / 60) * K_PI / 12
    dec = (degrees + sgn * dec_min / 60) * K_PI / 180
    return ra, dec


# ---------------------------------------------------------------------------

DEFAULT_OPENNGC = "/usr/share/kstars/OpenNGC.kscat"


def LoadOpenNgcPositions(path, messier):
    """J2000 (ra, dec) in degrees of M1..M109 from OpenNGC."""
    con = sqlite3.connect("file:" + path + "?mode=ro", uri=True)
    try:
        rows = con.execute("SELECT name, ra, dec FROM cat WHERE name LIKE 'M %' OR name = 'NGC 5866'").fetchall()
    finally:
        con.close()
    by_name = {name: (ra, dec) for name, ra, dec in rows}
    positions = {}
    for n in range(1, 110):
        key = "M %d" % n if "M %d" % n in by_name else messier[n]["properties"]["desig"]
        if key not in by_name:
            sys.exit("M%d: not in OpenNGC" % n)
        positions[n] = by_name[key]
    return positions


def Build(d3_dir, openngc_path):
    with open(os.path.join(d3_dir, "messier.json"), encoding="utf-8") as f:
        messier = {int(ft["id"][1:]): ft for ft in json.load(f)["features"]}
    openngc = LoadOpenNgcPositions(openngc_path, messier)
    boundaries = LoadBoundaries(d3_dir)
    german = LoadGermanConstellationNames(d3_dir)

    skew = max(b.max_edge_skew for b in boundaries)
    if skew > 0.01:
        sys.exit("constellation edges are not lines of constant ra/dec at B1875 (%.4f deg)" % skew)

    lines = []
    report = {"max_residual": 0.0, "max_residual_object": 0, "zero_degrees": []}
    for n in range(1, 110):
        feature = messier[n]
        props = feature["properties"]
        lon, lat = openngc[n]
        report.setdefault("j2000", {})[n] = (lon, lat)
        d3lon, d3lat = feature["geometry"]["coordinates"]
        offset = SeparationArcsec(math.radians(lon), math.radians(lat), math.radians(d3lon % 360), math.radians(d3lat))
        if offset > 1800:
            sys.exit("M%d: OpenNGC and messier.json disagree by %.0f arcsec" % (n, offset))
        report["max_offset"] = max(report.get("max_offset", 0.0), offset)
        ra2000 = math.radians(lon % 360)
        dec2000 = math.radians(lat)

        ra1875, dec1875 = To1875Degrees(lon, lat)
        hits = sorted({b.abbr for b in boundaries if b.contains(ra1875, dec1875)})
        if len(hits) != 1:
            sys.exit("M%d: found in %r" % (n, hits))
        abbr = hits[0]
        if EXPECTED_CONSTELLATION.get(n, abbr) != abbr:
            sys.exit("M%d: in %s, expected %s" % (n, abbr, EXPECTED_CONSTELLATION[n]))

        kind = props["type"]
        if n in POSITION_ONLY:
            type_text, description = POSITION_ONLY[n]
        else:
            type_text = TYPE_TEXT[kind]
            description = (props["desig"] + " " + TYPE_DESCRIPTION[kind]).strip()
        name = GERMAN_NAMES.get(n, NO_NAME)

        ra1950, dec1950 = Inverse1950(ra2000, dec2000)
        h, m = FormatRa(ra1950)
        d, dm = FormatDec(dec1950)
        if d in ("-0", "+0"):
            report["zero_degrees"].append("M%d %s" % (n, d))

        mag = "%.1f" % float(props["mag"])
        fields = [h, m, d, dm, mag, description, type_text, german[abbr], name]
        for text in fields:
            if "," in text or "\r" in text or "\n" in text or '"' in text:
                sys.exit("M%d: field %r holds a separator" % (n, text))
            text.encode("cp1252")  # raises for a character the code page lacks
        if len(description) > 36 or len(name) > 24:
            sys.exit("M%d: text too long for the information panel" % n)

        # Read back what was written and carry it forward as the program does.
        ra_r, dec_r = ReadCoordinates(h, m, d, dm)
        ra_p, dec_p = Precess(J1950, F1950, TARGET_YEAR, ra_r, dec_r)
        residual = SeparationArcsec(ra_p, dec_p, ra2000, dec2000)
        if residual > report["max_residual"]:
            report["max_residual"], report["max_residual_object"] = residual, n
        lines.append(",".join(fields))

    if report["max_residual"] >= 0.1:
        sys.exit("round trip misses the J2000 place by %.4f arcsec" % report["max_residual"])
    text = "\r\n".join(lines) + "\r\n"
    return text.encode("cp1252"), report


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--d3", required=True,
                        help="d3-celestial: the folder npm installed into, the package folder or its data folder")
    parser.add_argument("--openngc", default=DEFAULT_OPENNGC, help="OpenNGC.kscat of Debian's kstars-data package")
    parser.add_argument("--out", required=True, help="the messier.kat to write")
    parser.add_argument("--reference-out",
                        help="also write the J2000 source positions (for the program's tests)")
    args = parser.parse_args()

    d3 = D3DataFolder(args.d3)
    data, report = Build(d3, args.openngc)
    with open(args.out, "wb") as f:
        f.write(data)
    if args.reference_out:
        with open(args.reference_out, "w", encoding="ascii", newline="\n") as f:
            f.write("messier,ra_deg,dec_deg\n")
            for n, (ra, dec) in sorted(report["j2000"].items()):
                f.write("%d,%r,%r\n" % (n, ra, dec))
    for name in ("messier.json", "constellations.json", "constellations.bounds.json"):
        print("%s  %s" % (Sha256(os.path.join(d3, name)), name))
    print("%s  %s" % (Sha256(args.openngc), os.path.basename(args.openngc)))
    print("%s  %s" % (Sha256(args.out), os.path.basename(args.out)))
    print("OpenNGC positions differ from messier.json by up to %.0f arcsec" % report["max_offset"])
    print("109 objects; largest round-trip residual %.5f arcsec (M%d); degree field 0: %s"
          % (report["max_residual"], report["max_residual_object"], ", ".join(report["zero_degrees"]) or "none"))

if __name__ == "__main__":
    main()
