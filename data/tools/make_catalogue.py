#!/usr/bin/env python3
"""Build the star catalogue (sterne1.var, sterne2.var) and the constellation
file (sternbld.dat) from their public sources.

Sources (see data/README.md for versions, licences and the exact commands):
  * the npm package d3-celestial: data/stars.14.json (Hipparcos stars, J2000,
    HIP numbers), data/constellations.json (names and label positions) and
    data/constellations.lines.json (figure lines);
  * OpenNGC as shipped in Debian's kstars-data package (OpenNGC.kscat, an
    SQLite file): NGC/IC objects;
  * Stellarium's nebula catalogue as shipped in Debian's stellarium-data
    package (nebulae/default/catalog.dat): V magnitudes for NGC/IC objects and
    the non-NGC/IC objects that fill the open-cluster, planetary-nebula and
    nebula classes.

Only the Python 3 standard library is used.  The same inputs always give the
same bytes: no timestamps, stable sorts with explicit tie-breakers, exact
decimal arithmetic for magnitudes.

Record layout of the two star files (4-byte little-endian signed integers,
record n of both files describes object n, records counted from 1):

     1 .. 45266   the 45266 brightest stars, ascending right ascension
 45267 .. 45547   nebulae ("E")
 45548 .. 48604   galaxies ("Ga")
 48605 .. 48726   globular clusters ("KSt")
 48727 .. 49471   open clusters ("OSt")
 49472 .. 50034   planetary nebulae ("PlN")
 50035 .. 51800   the 1766 brightest stars, ascending right ascension

Encoding: k = round(10 * (mag + 2)); A = round(1e7 * (k + ra / 9.424777958))
with ra in radians in [0, 2 pi); D = round(dec_degrees * 2e7).
"""

import argparse
import gzip
import hashlib
import json
import math
import os
import re
import sqlite3
import struct
import sys
from decimal import Decimal, ROUND_HALF_UP

# --------------------------------------------------------------------------
# Layout

STAR_COUNT = 45266
BRIGHT_COUNT = 1766
TOTAL_RECORDS = 51800

# (label, first record, last record) in file order
DEEP_SKY_CLASSES = [
    ("E", 45267, 45547),
    ("Ga", 45548, 48604),
    ("KSt", 48605, 48726),
    ("OSt", 48727, 49471),
    ("PlN", 49472, 50034),
]
BRIGHT_FIRST = 50035

RA_FACTOR = 9.424777958          # 3 pi to nine decimals, as the readers use it
TWO_PI = 2.0 * math.pi
DEDUP_ARCMIN = 1.0               # objects closer than this within a class are dropped

# --------------------------------------------------------------------------
# Deep-sky type mapping

# OpenNGC as packaged for KStars stores the KStars object type:
#   3 open cluster, 4 globular cluster, 5 gaseous nebula (emission,
#   reflection and HII nebulae and clusters with nebulosity, e.g. M 42, M 16,
#   NGC 7023), 6 planetary nebula, 7 supernova remnant, 8 galaxy.
# Left out: stars, double stars, asterisms, galaxy pairs/groups (14; their
# members are listed one by one), duplicates and non-existent entries (255).
OPENNGC_CLASS = {3: "OSt", 4: "KSt", 5: "E", 6: "PlN", 7: "E", 8: "Ga"}

# Stellarium's nebula types:
#   6 open cluster, 7 globular cluster, 11 planetary nebula, 0 galaxy,
#   10 nebula, 13 reflection nebula, 14 bipolar nebula, 15 emission nebula,
#   16 cluster with nebulosity, 17 HII region, 18 supernova remnant.
# Its type 5 ("star cluster") counts as an open cluster only when the object
# has a Collinder number, Collinder's list being one of open clusters; dark
# nebulae (12), whose "magnitude" is an opacity class, are left out.
STELLARIUM_CLASS = {0: "Ga", 6: "OSt", 7: "KSt", 11: "PlN",
                    10: "E", 13: "E", 14: "E", 15: "E", 16: "E", 17: "E", 18: "E"}

# Classes that NGC/IC alone cannot fill; only these take Stellarium's
# non-NGC/IC objects as well.
STELLARIUM_FILL = {"OSt", "PlN", "E"}

# --------------------------------------------------------------------------
# German constellation names, by IAU abbreviation.  Serpens is split into its
# two parts, which d3-celestial lists as two features with the same id, head
# first.

GERMAN_NAMES = {
    "And": "Andromeda", "Ant": "Luftpumpe", "Aps": "Paradiesvogel",
    "Aqr": "Wassermann", "Aql": "Adler", "Ara": "Altar", "Ari": "Widder",
    "Aur": "Fuhrmann", "Boo": "Bärenhüter", "Cae": "Grabstichel",
    "Cam": "Giraffe", "Cnc": "Krebs", "CVn": "Jagdhunde",
    "CMa": "Großer Hund", "CMi": "Kleiner Hund", "Cap": "Steinbock",
    "Car": "Kiel des Schiffs", "Cas": "Kassiopeia", "Cen": "Zentaur",
    "Cep": "Kepheus", "Cet": "Walfisch", "Cha": "Chamäleon", "Cir": "Zirkel",
    "Col": "Taube", "Com": "Haar der Berenike", "CrA": "Südliche Krone",
    "CrB": "Nördliche Krone", "Crv": "Rabe", "Crt": "Becher",
    "Cru": "Kreuz des Südens", "Cyg": "Schwan", "Del": "Delphin",
    "Dor": "Schwertfisch", "Dra": "Drache", "Equ": "Füllen",
    "Eri": "Eridanus", "For": "Chemischer Ofen", "Gem": "Zwillinge",
    "Gru": "Kranich", "Her": "Herkules", "Hor": "Pendeluhr",
    "Hya": "Wasserschlange", "Hyi": "Kleine Wasserschlange",
    "Ind": "Indianer", "Lac": "Eidechse", "Leo": "Löwe",
    "LMi": "Kleiner Löwe", "Lep": "Hase", "Lib": "Waage", "Lup": "Wolf",
    "Lyn": "Luchs", "Lyr": "Leier", "Men": "Tafelberg", "Mic": "Mikroskop",
    "Mon": "Einhorn", "Mus": "Fliege", "Nor": "Winkelmaß", "Oct": "Oktant",
    "Oph": "Schlangenträger", "Ori": "Orion", "Pav": "Pfau",
    "Peg": "Pegasus", "Per": "Perseus", "Phe": "Phönix", "Pic": "Maler",
    "Psc": "Fische", "PsA": "Südlicher Fisch",
    "Pup": "Achterdeck des Schiffs", "Pyx": "Kompass", "Ret": "Netz",
    "Sge": "Pfeil", "Sgr": "Schütze", "Sco": "Skorpion", "Scl": "Bildhauer",
    "Sct": "Schild", "Sex": "Sextant", "Tau": "Stier", "Tel": "Fernrohr",
    "Tri": "Dreieck", "TrA": "Südliches Dreieck", "Tuc": "Tukan",
    "UMa": "Großer Bär", "UMi": "Kleiner Bär", "Vel": "Segel des Schiffs",
    "Vir": "Jungfrau", "Vol": "Fliegender Fisch", "Vul": "Fuchs",
}
SERPENS_PARTS = [("Schlange (Kopf)", "Serpens Caput"),
                 ("Schlange (Schwanz)", "Serpens Cauda")]

DEFAULT_OPENNGC = "/usr/share/kstars/OpenNGC.kscat"
DEFAULT_STELLARIUM = "/usr/share/stellarium/nebulae/default/catalog.dat"


# --------------------------------------------------------------------------
# Small helpers

def fail(message):
    sys.stderr.write("make_catalogue: " + message + "\n")
    sys.exit(1)


def round_half_up(x):
    """Nearest whole number, halves away from minus infinity (floats)."""
    return int(math.floor(x + 0.5))


def magnitude_code(mag):
    """k = round(10 * (mag + 2)) with exact decimal arithmetic; at least 0."""
    k = int(((mag + 2) * 10).to_integral_value(rounding=ROUND_HALF_UP))
    return max(k, 0)


def encode(ra_rad, dec_deg, mag):
    """Return the (A, D) record pair for a position and a Decimal magnitude."""
    ra = math.fmod(ra_rad, TWO_PI)
    if ra < 0.0:
        ra += TWO_PI
    if ra >= TWO_PI:
        ra = 0.0
    k = magnitude_code(mag)
    frac = round_half_up(1e7 * ra / RA_FACTOR)
    a = k * 10000000 + frac
    if isinstance(dec_deg, Decimal):
        d = int((dec_deg * 20000000).to_integral_value(rounding=ROUND_HALF_UP))
    else:
        d = round_half_up(dec_deg * 2e7)
    for v in (a, d):
        if not -2**31 <= v < 2**31:
            fail("value %d does not fit a 32-bit record" % v)
    return a, d


def decode(a, d):
    """Decode a record pair as the program does: (ra_rad, dec_deg, mag)."""
    x = a * 1e-7
    k = math.floor(x)
    ra = (x - math.trunc(x)) * RA_FACTOR
    ra = ra - 6.2831853072 * math.floor(ra / 6.2831853072)
    return ra, d * 5e-8, 0.1 * k - 2.0


def separation_arcmin(ra1, de1, ra2, de2):
    """Angular distance in arcminutes; all inputs in radians."""
    s = (math.sin((de2 - de1) / 2) ** 2
         + math.cos(de1) * math.cos(de2) * math.sin((ra2 - ra1) / 2) ** 2)
    return math.degrees(2 * math.asin(min(1.0, math.sqrt(s)))) * 60.0


def float32_decimal(v):
    """The shortest decimal text that gives back the same single-precision
    value; Stellarium keeps its magnitudes as floats."""
    target = struct.unpack("<f", struct.pack("<f", v))[0]
    for digits in range(0, 9):
        text = "%.*f" % (digits, v)
        if struct.unpack("<f", struct.pack("<f", float(text)))[0] == target:
            return Decimal(text)
    return Decimal(repr(v))


def sha256_of(path):
    h = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            h.update(block)
    return h.hexdigest()


# --------------------------------------------------------------------------
# Stars

def find_d3_data(path):
    for candidate in (path, os.path.join(path, "data"),
                      os.path.join(path, "node_modules", "d3-celestial", "data")):
        if os.path.isfile(os.path.join(candidate, "stars.14.json")):
            return candidate
    fail("no stars.14.json under " + path)


def d3_version(data_dir):
    pkg = os.path.join(os.path.dirname(os.path.abspath(data_dir)), "package.json")
    if os.path.isfile(pkg):
        with open(pkg, encoding="utf-8") as f:
            return json.load(f).get("version", "?")
    return "?"


def lon_to_ra_rad(lon_deg):
    lon = Decimal(lon_deg) if not isinstance(lon_deg, Decimal) else lon_deg
    if lon < 0:
        lon += 360
    if lon >= 360:
        lon -= 360
    return float(lon) * math.pi / 180.0


def load_stars(data_dir):
    with open(os.path.join(data_dir, "stars.14.json"), encoding="utf-8") as f:
        doc = json.load(f, parse_float=Decimal, parse_int=Decimal)
    stars = []
    for feat in doc["features"]:
        hip = int(feat["id"])
        mag = Decimal(feat["properties"]["mag"])
        lon, lat = feat["geometry"]["coordinates"]
        stars.append({"hip": hip, "mag": mag, "lon": lon, "lat": lat,
                      "ra": lon_to_ra_rad(lon), "dec": lat})
    return stars


def select_stars(stars, count):
    """The `count` brightest (ties by HIP number), in ascending right
    ascension as stored: first by the encoded right-ascension fraction, then
    (for stars that share it) by the value the reader decodes, which differs
    in the last bits with the magnitude code, then by HIP number."""
    brightest = sorted(stars, key=lambda s: (s["mag"], s["hip"]))[:count]

    def order(s):
        a, d = encode(s["ra"], s["dec"], s["mag"])
        return (a % 10000000, decode(a, d)[0], s["hip"])
    return sorted(brightest, key=order)


# --------------------------------------------------------------------------
# Deep-sky objects

def load_stellarium(path):
    """Read Stellarium's gzip-compressed catalogue (Qt data stream, format
    version 3.x)."""
    with gzip.open(path, "rb") as f:
        data = f.read()
    pos = 0

    def u32():
        nonlocal pos
        v = struct.unpack_from(">I", data, pos)[0]
        pos += 4
        return v

    def f64():
        nonlocal pos
        v = struct.unpack_from(">d", data, pos)[0]
        pos += 8
        return v

    def qstring():
        nonlocal pos
        n = u32()
        if n == 0xFFFFFFFF:
            return ""
        s = data[pos:pos + n].decode("utf-16-be")
        pos += n
        return s

    version = qstring()
    edition = qstring()
    if not version.startswith("3."):
        fail("unknown Stellarium catalogue version " + version)
    objects = []
    while pos < len(data):
        o = {"id": u32(), "ra": f64(), "dec": f64(), "bmag": f64(), "vmag": f64(),
             "type": u32()}
        qstring()                                  # morphological type
        f64(); f64(); u32()                        # axes, orientation
        for _ in range(6):                         # redshift, parallax, distance
            f64()
        for name in ("NGC", "IC", "M", "C", "B", "Sh2", "VdB", "RCW", "LDN",
                     "LBN", "Cr", "Mel", "PGC", "UGC"):
            o[name] = u32()
        o["Ced"] = qstring()
        o["Arp"] = u32()
        o["VV"] = u32()
        for name in ("PK", "PNG", "SNRG", "ACO", "HCG", "ESO", "VdBH"):
            o[name] = qstring()
        for name in ("DWB", "Tr", "St", "Ru", "VdBHa"):
            o[name] = u32()
        objects.append(o)
    if pos != len(data):
        fail("Stellarium catalogue does not end on a record boundary")
    return version, edition, objects


def stellarium_name(o):
    for key, fmt in (("M", "M %d"), ("NGC", "NGC %d"), ("IC", "IC %d"),
                     ("Cr", "Cr %d"), ("Mel", "Mel %d"), ("Tr", "Tr %d"),
                     ("St", "St %d"), ("Ru", "Ru %d"), ("VdBHa", "vdB-Ha %d"),
                     ("Sh2", "Sh 2-%d"), ("VdB", "vdB %d"), ("RCW", "RCW %d"),
                     ("LBN", "LBN %d"), ("DWB", "DWB %d"), ("PGC", "PGC %d"),
                     ("UGC", "UGC %d")):
        if o[key]:
            return fmt % o[key]
    for key, fmt in (("Ced", "Ced %s"), ("PK", "PK %s"), ("PNG", "PN G%s"),
                     ("SNRG", "SNR G%s"), ("VdBH", "vdBH %s"), ("ESO", "ESO %s")):
        if o[key].strip():
            return fmt % o[key].strip()
    return "Stellarium DSO %d" % o["id"]


def stellarium_magnitude(o):
    """V magnitude, else B; None when the catalogue has neither (99)."""
    if o["vmag"] < 90.0:
        return float32_decimal(o["vmag"])
    if o["bmag"] < 90.0:
        return float32_decimal(o["bmag"])
    return None


def load_openngc(path):
    con = sqlite3.connect("file:" + path + "?mode=ro", uri=True)
    try:
        meta = con.execute("SELECT name, version, license FROM catalogs "
                           "WHERE id = 1").fetchone()
        rows = con.execute("SELECT type, ra, dec, magnitude, name, catalog_identifier "
                           "FROM cat ORDER BY catalog_identifier, name").fetchall()
    finally:
        con.close()
    return meta, rows


def build_candidates(openngc_rows, stel_objects):
    """Candidates per class: dicts with name, ra (rad), dec (deg), mag
    (Decimal), source, key."""
    by_number = {}
    for o in stel_objects:
        for cat in ("NGC", "IC"):
            if o[cat]:
                by_number.setdefault((cat, o[cat]), []).append(o)

    cands = {label: [] for label, _, _ in DEEP_SKY_CLASSES}
    mag_from = {"stellarium V": 0, "OpenNGC": 0, "stellarium B": 0}

    for typ, ra_deg, dec_deg, mag, name, ident in openngc_rows:
        label = OPENNGC_CLASS.get(typ)
        if label is None:
            continue
        m = re.fullmatch(r"(NGC|IC)(\d+)", ident or "")
        twin = None
        if m:
            hits = by_number.get((m.group(1), int(m.group(2))), [])
            if len(hits) == 1:
                twin = hits[0]
        magnitude = None
        if twin is not None and twin["vmag"] < 90.0:
            magnitude, origin = float32_decimal(twin["vmag"]), "stellarium V"
        elif mag is not None:
            magnitude, origin = Decimal(repr(mag)), "OpenNGC"
        elif twin is not None and twin["bmag"] < 90.0:
            magnitude, origin = float32_decimal(twin["bmag"]), "stellarium B"
        if magnitude is None:
            continue
        cands[label].append({"name": name, "ra": float(ra_deg) * math.pi / 180.0,
                             "dec": float(dec_deg), "mag": magnitude,
                             "source": 0, "key": ident or name, "origin": origin})

    for o in stel_objects:
        label = STELLARIUM_CLASS.get(o["type"])
        if label is None and o["type"] == 5 and o["Cr"]:
            label = "OSt"                 # star cluster of Collinder's open-cluster list
        if label not in STELLARIUM_FILL:
            continue
        if o["NGC"] or o["IC"] or o["M"]:
            continue                      # NGC/IC and Messier objects come from OpenNGC
        magnitude = stellarium_magnitude(o)
        if magnitude is None:
            continue
        cands[label].append({"name": stellarium_name(o), "ra": o["ra"],
                             "dec": math.degrees(o["dec"]), "mag": magnitude,
                             "source": 1, "key": "%09d" % o["id"],
                             "origin": "stellarium"})
    return cands


def select_class(cands, count):
    """Brightest first (ties: OpenNGC before Stellarium, then by identifier),
    dropping any object within 1' of one already taken."""
    chosen = []
    dropped = 0
    # a coarse declination grid keeps the neighbour search short
    grid = {}
    cell = 0.5  # degrees
    for c in sorted(cands, key=lambda c: (c["mag"], c["source"], c["key"])):
        if len(chosen) == count:
            break
        dr = math.radians(c["dec"])
        band = int(math.floor(c["dec"] / cell))
        near = False
        for b in (band - 1, band, band + 1):
            for other in grid.get(b, ()):
                if separation_arcmin(c["ra"], dr, other["ra"],
                                     math.radians(other["dec"])) < DEDUP_ARCMIN:
                    near = True
                    break
            if near:
                break
        if near:
            dropped += 1
            continue
        chosen.append(c)
        grid.setdefault(band, []).append(c)
    return chosen, dropped


# --------------------------------------------------------------------------
# Constellations

def build_figures(data_dir, star_records):
    """star_records: list of selected stars in record order (record 1 first).
    Returns the text of sternbld.dat (str) and a list of notes."""
    with open(os.path.join(data_dir, "constellations.json"), encoding="utf-8") as f:
        names = json.load(f, parse_float=Decimal, parse_int=Decimal)["features"]
    with open(os.path.join(data_dir, "constellations.lines.json"), encoding="utf-8") as f:
        lines = json.load(f, parse_float=Decimal, parse_int=Decimal)["features"]
    if len(names) != 89 or len(lines) != 89:
        fail("expected 89 constellation entries, got %d and %d" % (len(names), len(lines)))

    record_of = {}
    for i, s in enumerate(star_records):
        record_of[(s["lon"], s["lat"])] = i + 1

    out = []
    serpens = 0
    max_record = 0
    vertices = 0
    for feat, figure in zip(names, lines):
        abbr = feat["id"]
        if figure["id"] != abbr:
            fail("constellation files disagree at " + abbr)
        if abbr == "Ser":
            label, latin = SERPENS_PARTS[serpens]
            serpens += 1
        else:
            label, latin = GERMAN_NAMES[abbr], feat["properties"]["name"]
        lon, lat = feat["geometry"]["coordinates"]
        ra_h = float(lon if lon >= 0 else lon + 360) / 15.0
        out.append("%s,%s,%.4f,%.2f" % (label, latin, ra_h, float(lat)))

        fields = []
        polylines = figure["geometry"]["coordinates"]
        for j, poly in enumerate(polylines):
            if j:
                fields.append(0)
            for lon_v, lat_v in poly:
                rec = record_of.get((lon_v, lat_v))
                if rec is None:
                    fail("%s: vertex %s %s is not among records 1..%d"
                         % (abbr, lon_v, lat_v, STAR_COUNT))
                if rec == 1:
                    fail("%s: a figure star is record 1, which the file cannot "
                         "name (star number 0 lifts the pen)" % abbr)
                fields.append(rec - 1)
                max_record = max(max_record, rec)
                vertices += 1
        fields.append(-1)
        out.append("".join("%6d" % n for n in fields))
    return "\r\n".join(out) + "\r\n", vertices, max_record


# --------------------------------------------------------------------------
# Main

def write_file(path, payload):
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(payload)
    os.replace(tmp, path)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--d3", required=True,
                    help="folder of the d3-celestial package (or its data folder, "
                         "or the folder npm installed it into)")
    ap.add_argument("--openngc", default=DEFAULT_OPENNGC,
                    help="OpenNGC.kscat of Debian's kstars-data package")
    ap.add_argument("--stellarium", default=DEFAULT_STELLARIUM,
                    help="nebulae/default/catalog.dat of Debian's stellarium-data package")
    ap.add_argument("--out", default=os.path.dirname(here),
                    help="output folder (default: the data folder)")
    args = ap.parse_args()

    data_dir = find_d3_data(args.d3)
    for p in (args.openngc, args.stellarium):
        if not os.path.isfile(p):
            fail("missing source file " + p)

    print("sources:")
    print("  d3-celestial %s" % d3_version(data_dir))
    for fn in ("stars.14.json", "constellations.json", "constellations.lines.json"):
        print("    %-27s sha256 %s" % (fn, sha256_of(os.path.join(data_dir, fn))))
    meta, openngc_rows = load_openngc(args.openngc)
    print("  %s (catalog version %s, %s)  sha256 %s"
          % (os.path.basename(args.openngc), meta[1], meta[2], sha256_of(args.openngc)))
    version, edition, stel = load_stellarium(args.stellarium)
    print("  Stellarium catalog.dat %s %s, %d objects  sha256 %s"
          % (version, edition, len(stel), sha256_of(args.stellarium)))

    # stars
    stars = load_stars(data_dir)
    main_list = select_stars(stars, STAR_COUNT)
    bright_list = select_stars(stars, BRIGHT_COUNT)
    print("stars: %d in source; records 1-%d reach V %s, records %d-%d reach V %s"
          % (len(stars), STAR_COUNT, max(s["mag"] for s in main_list),
             BRIGHT_FIRST, TOTAL_RECORDS, max(s["mag"] for s in bright_list)))

    records = []
    for s in main_list:
        records.append(encode(s["ra"], s["dec"], s["mag"]))

    # deep-sky classes
    cands = build_candidates(openngc_rows, stel)
    for label, first, last in DEEP_SKY_CLASSES:
        need = last - first + 1
        chosen, dropped = select_class(cands[label], need)
        short = need - len(chosen)
        if short % 2:
            # the filler below comes in pairs; give up the faintest object
            chosen.pop()
            short += 1
        chosen.sort(key=lambda c: (c["ra"], c["source"], c["key"]))
        n_stel = sum(1 for c in chosen if c["source"] == 1)
        origins = {}
        for c in chosen:
            origins[c["origin"]] = origins.get(c["origin"], 0) + 1
        print("class %-3s records %d-%d: %d real objects (%d from OpenNGC, %d from "
              "Stellarium only), magnitudes %s to %s, %d dropped within 1'; "
              "magnitude taken from %s"
              % (label, first, last, len(chosen), len(chosen) - n_stel, n_stel,
                 min(c["mag"] for c in chosen), max(c["mag"] for c in chosen),
                 dropped, ", ".join("%s %d" % kv for kv in sorted(origins.items()))))
        for c in chosen:
            records.append(encode(c["ra"], c["dec"], c["mag"]))
        if short:
            # Not enough real objects with a known magnitude: the rest of the
            # range repeats the class's first objects, each twice in a row.
            # The overlay draws by exclusive-or, so a pair draws and erases
            # the same symbol and leaves the chart as it was.
            print("class %-3s: %d objects with a known magnitude; records %d-%d "
                  "hold %d pairs of copies of records %d-%d"
                  % (label, len(chosen), first + len(chosen), last, short // 2,
                     first, first + short // 2 - 1))
            for i in range(short // 2):
                pair = records[first - 1 + i]
                records.extend([pair, pair])

    for s in bright_list:
        records.append(encode(s["ra"], s["dec"], s["mag"]))
    if len(records) != TOTAL_RECORDS:
        fail("wrong record count %d" % len(records))

    # self-checks on the encoded records
    for lo, hi in ((1, STAR_COUNT), (BRIGHT_FIRST, TOTAL_RECORDS)):
        prev_frac, prev_ra = -1, -1.0
        for n in range(lo - 1, hi):
            a, d = records[n]
            ra = decode(a, d)[0]
            if a % 10000000 < prev_frac or ra < prev_ra:
                fail("records %d..%d not in ascending right ascension at %d"
                     % (lo, hi, n + 1))
            prev_frac, prev_ra = a % 10000000, ra

    sterne1 = b"".join(struct.pack("<i", a) for a, _ in records)
    sterne2 = b"".join(struct.pack("<i", d) for _, d in records)

    text, vertices, max_record = build_figures(data_dir, main_list)
    sternbld = text.encode("cp1252")
    print("constellations: 89 entries, %d figure vertices, highest record used %d"
          % (vertices, max_record))

    os.makedirs(args.out, exist_ok=True)
    write_file(os.path.join(args.out, "sterne1.var"), sterne1)
    write_file(os.path.join(args.out, "sterne2.var"), sterne2)
    write_file(os.path.join(args.out, "sternbld.dat"), sternbld)
    for fn in ("sterne1.var", "sterne2.var", "sternbld.dat"):
        p = os.path.join(args.out, fn)
        print("wrote %-12s %7d bytes  sha256 %s" % (fn, os.path.getsize(p), sha256_of(p)))


if __name__ == "__main__":
    main()
