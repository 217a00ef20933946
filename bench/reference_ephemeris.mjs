// Time the npm package astronomy-engine needs for the rows of the interval
// table that BM_IntervalTableMoon1000Rows of ephemeris_bench computes: the
// Moon at Hannover (9.7983° E, 52.4° N) hourly from 1 January 2026 0:00 MEZ
// (31 December 2025 23:00 UT), 1000 rows. Each row is what a row of the
// table shows: the topocentric right ascension and declination of date,
// the distance, the elongation, magnitude and phase angle, the altitude and
// azimuth, and the rise, transit and set around the instant.
//
// Usage: npm install --no-save astronomy-engine@2.1.19 (in this folder or a
// parent, or point NODE_PATH at a node_modules folder that holds it), then
//   node reference_ephemeris.mjs [repetitions]
// Prints milliseconds per table of 1000 rows: the median and the best of the
// repetitions by the wall clock (process.hrtime.bigint), and the mean by
// the process's CPU time (process.cpuUsage), comparable to Google
// Benchmark's CPU time.

import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';

const require = createRequire(import.meta.url);
const A = require('astronomy-engine');
const version = JSON.parse(
    readFileSync(join(dirname(require.resolve('astronomy-engine')), 'package.json'), 'utf8')).version;

const repetitions = Number(process.argv[2] ?? 20);
const observer = new A.Observer(52.4, 9.79833333333333, 0);
const ROWS = 1000;
const START = A.MakeTime(new Date(Date.UTC(2025, 11, 31, 23, 0, 0)));

let sink = 0;  // keeps the results alive

function table() {
    let rows = 0;
    for (let k = 0; k < ROWS; ++k) {
        const time = START.AddDays(k / 24);
        const eq = A.Equator(A.Body.Moon, time, observer, true, true);
        const hor = A.Horizon(time, observer, eq.ra, eq.dec);
        const ill = A.Illumination(A.Body.Moon, time);
        const elong = A.Elongation(A.Body.Moon, time);
        // The transit of that day, the rise before it and the set after it.
        const transit = A.SearchHourAngle(A.Body.Moon, observer, 0, time.AddDays(-0.5));
        const rise = A.SearchRiseSet(A.Body.Moon, observer, +1, transit.time.AddDays(-1), 1);
        const set = A.SearchRiseSet(A.Body.Moon, observer, -1, transit.time, 1);
        sink += eq.ra + eq.dec + eq.dist + hor.altitude + hor.azimuth + ill.mag + ill.phase_angle + elong.elongation +
                transit.time.ut + (rise ? rise.ut : 0) + (set ? set.ut : 0);
        ++rows;
    }
    return rows;
}

table();  // warm-up: let the JIT compile the paths used
table();
const wall = [];
const c0 = process.cpuUsage();
for (let i = 0; i < repetitions; ++i) {
    const t0 = process.hrtime.bigint();
    table();
    wall.push(Number(process.hrtime.bigint() - t0) / 1e6);
}
const cpu = process.cpuUsage(c0);
wall.sort((a, b) => a - b);
console.log(`astronomy-engine ${version}, node ${process.version}`);
console.log(`Moon, ${ROWS} hourly rows with rise, transit and set, ${repetitions} repetitions:`);
console.log(`  wall median ${wall[Math.floor(wall.length / 2)].toFixed(1)} ms, best ${wall[0].toFixed(1)} ms, ` +
            `CPU mean ${((cpu.user + cpu.system) / 1e3 / repetitions).toFixed(1)} ms per table`);
if (!Number.isFinite(sink)) console.log('non-finite result');
