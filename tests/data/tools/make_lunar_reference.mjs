// Independent reference for the moon phases and the lunar eclipses, from the
// npm package astronomy-engine 2.1.19 (see ../README.md).
//
// Usage (from tests/data/tools, astronomy-engine installed as for
// make_reference_positions.mjs):
//   node make_lunar_reference.mjs phases   > ../lunar_phases.csv
//   node make_lunar_reference.mjs eclipses > ../lunar_eclipses.csv
//
// Deterministic: fixed instants, fixed number formats, no clock.

import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const A = require('astronomy-engine');

const DEG = 180 / Math.PI;
const KM_PER_AU = 149597870.7;

function utcText(time) {
    return time.date.toISOString().replace('T', ' ').replace('Z', '');
}

// UT as a Julian Date, from astronomy-engine's days since 2000-01-01 12:00 UT.
function julianDate(time) {
    return (time.ut + 2451545).toFixed(6);
}

function phases() {
    console.log('# Moon phases from astronomy-engine SearchMoonQuarter/NextMoonQuarter (true geocentric ecliptic');
    console.log('# longitude of the Moon minus the Sun 0, 90, 180, 270 degrees). Times are UT (astronomy-engine');
    console.log('# converts with its own Delta T, Espenak and Meeus 2006 as the program does).');
    console.log('phase,jd_ut,utc');
    // A whole year now, and a few lunations in three far centuries.
    const spans = [[2026, 1, 1, 13], [-1000, 3, 1, 6], [2250, 6, 1, 6], [3000, 9, 1, 6]];
    for (const [year, month, day, lunations] of spans) {
        // Date.UTC reads years 0..99 as 1900..1999: set the year separately.
        const d = new Date(0);
        d.setUTCFullYear(year, month - 1, day);
        d.setUTCHours(0, 0, 0, 0);
        let q = A.SearchMoonQuarter(A.MakeTime(d));
        for (let i = 0; i < 4 * lunations; ++i) {
            console.log(`${q.quarter},${julianDate(q.time)},${utcText(q.time)}`);
            q = A.NextMoonQuarter(q);
        }
    }
}

// Umbral magnitude at the eclipse's peak from astronomy-engine's geocentric
// vectors: the Moon's distance from the shadow axis against the radius of
// the umbral cone at the Moon's distance, enlarged by the same 2 % as the
// program's shadow (Chauvenet's rule), in units of the Moon's diameter.
function umbralMagnitude(time) {
    const moon = A.GeoMoon(time);                    // AU, J2000
    const sun = A.GeoVector(A.Body.Sun, time, false);  // AU
    const sunDist = Math.hypot(sun.x, sun.y, sun.z);
    const axis = { x: -sun.x / sunDist, y: -sun.y / sunDist, z: -sun.z / sunDist };
    const along = moon.x * axis.x + moon.y * axis.y + moon.z * axis.z;
    const px = moon.x - along * axis.x, py = moon.y - along * axis.y, pz = moon.z - along * axis.z;
    const offAxisKm = Math.hypot(px, py, pz) * KM_PER_AU;
    const alongKm = along * KM_PER_AU, sunKm = sunDist * KM_PER_AU;
    const earthKm = 6378.137, sunRadiusKm = 696000, moonKm = 1737.4;
    const umbraKm = 1.02 * (earthKm - alongKm * (sunRadiusKm - earthKm) / sunKm);
    return (umbraKm + moonKm - offAxisKm) / (2 * moonKm);
}

function eclipses() {
    console.log('# Lunar eclipses 1900-2100 from astronomy-engine SearchLunarEclipse/NextLunarEclipse: peak in UT,');
    console.log('# kind, semi-durations of the partial and total phases in minutes (0: none), and the umbral');
    console.log('# magnitude computed here from its geocentric Sun and Moon vectors (see umbralMagnitude).');
    console.log('kind,peak_jd_ut,peak_utc,sd_partial_min,sd_total_min,umbral_magnitude');
    let e = A.SearchLunarEclipse(A.MakeTime(new Date(Date.UTC(1900, 0, 1))));
    while (e.peak.date.getUTCFullYear() <= 2100) {
        console.log(`${e.kind},${julianDate(e.peak)},${utcText(e.peak)},${e.sd_partial.toFixed(3)},` +
                    `${e.sd_total.toFixed(3)},${umbralMagnitude(e.peak).toFixed(4)}`);
        e = A.NextLunarEclipse(e.peak);
    }
}

const what = process.argv[2];
if (what === 'phases') phases();
else if (what === 'eclipses') eclipses();
else {
    console.error('usage: node make_lunar_reference.mjs phases|eclipses');
    process.exit(2);
}
