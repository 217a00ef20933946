// Independent reference for the event search: the Earth's perihelia and the
// Moon's perigees, from the npm package astronomy-engine 2.1.19 (see
// ../README.md).
//
// Usage (from tests/data/tools, astronomy-engine installed as for
// make_reference_positions.mjs):
//   node make_apsis_reference.mjs > ../apsides.csv
//
// Deterministic: fixed instants, fixed number formats, no clock.

import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const A = require('astronomy-engine');

const KM_PER_AU = 149597870.7;

// UT as a Julian Date, from astronomy-engine's days since 2000-01-01 12:00 UT.
function julianDate(time) {
    return (time.ut + 2451545).toFixed(6);
}

console.log('# The Earth\'s perihelia (SearchPlanetApsis of the Earth: the heliocentric distance of the');
console.log('# Earth\'s centre, AU) and the Moon\'s perigees (SearchLunarApsis: geocentric');
console.log('# distance of the Moon\'s centre, km). Times are UT.');
console.log('event,jd_ut,distance');
let p = A.SearchPlanetApsis(A.Body.Earth, A.MakeTime(new Date(Date.UTC(2020, 6, 1))));
for (let n = 0; n < 16; ) {
    if (p.kind === A.ApsisKind.Pericenter) {
        console.log(`perihelion,${julianDate(p.time)},${p.dist_au.toFixed(9)}`);
        ++n;
    }
    p = A.NextPlanetApsis(A.Body.Earth, p);
}
let m = A.SearchLunarApsis(A.MakeTime(new Date(Date.UTC(2026, 0, 1))));
for (let n = 0; n < 26; ) {
    if (m.kind === A.ApsisKind.Pericenter) {
        console.log(`perigee,${julianDate(m.time)},${(m.dist_au * KM_PER_AU).toFixed(1)}`);
        ++n;
    }
    m = A.NextLunarApsis(m);
}
