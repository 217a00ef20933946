// Throughput of the npm package astronomy-engine for the kind of work one
// Kelmaron position computation does: a topocentric right ascension and
// declination of date (light-time corrected, no aberration) and the altitude
// and azimuth (no refraction), for one body at one instant and place.
//
// Usage: npm install --no-save astronomy-engine@2.1.19 (in this folder or a
// parent, or point NODE_PATH at a node_modules folder that holds it), then
//   node reference_throughput.mjs [seconds-per-body]
// Prints positions per second for each body, by the wall clock
// (process.hrtime.bigint) and by the process's CPU time (process.cpuUsage,
// all threads, comparable to Google Benchmark's CPU-time rate on a loaded
// machine). The instants step through 1900 to 2100 so that no cached value
// (nutation, Moon) is reused.

import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';

const require = createRequire(import.meta.url);
const A = require('astronomy-engine');
const version = JSON.parse(
    readFileSync(join(dirname(require.resolve('astronomy-engine')), 'package.json'), 'utf8')).version;

const BODIES = [
    ['Sonne', A.Body.Sun], ['Mond', A.Body.Moon], ['Merkur', A.Body.Mercury],
    ['Venus', A.Body.Venus], ['Mars', A.Body.Mars], ['Jupiter', A.Body.Jupiter],
    ['Saturn', A.Body.Saturn], ['Uranus', A.Body.Uranus], ['Neptun', A.Body.Neptune],
];
const observer = new A.Observer(52.5, 13.4, 0);
const secondsPerBody = Number(process.argv[2] ?? 1.0);

// 1900-01-01 to about 2100, in UT days from J2000; a step that is not a
// whole number of days so that the hour of day varies as well.
const START = -36524.5;
const STEP = 0.7318;
const SPAN = 73048;

let sink = 0;  // keeps the results alive

function run(body, n, offset) {
    for (let k = 0; k < n; ++k) {
        const ut = START + ((offset + k) * STEP) % SPAN;
        const time = A.MakeTime(ut);
        const eq = A.Equator(body, time, observer, true, false);
        const hor = A.Horizon(time, observer, eq.ra, eq.dec);
        sink += hor.altitude + hor.azimuth;
    }
}

function seconds(t0) {
    return Number(process.hrtime.bigint() - t0) / 1e9;
}

console.log(`astronomy-engine ${version}, node ${process.version}`);
console.log('body      positions/s (wall)   us each (wall)   positions/s (CPU)   N');
for (const [name, body] of BODIES) {
    run(body, 2000, 0);  // warm-up: let the JIT compile the paths used
    // Calibrate N for about secondsPerBody.
    let n = 1000;
    for (;;) {
        const t0 = process.hrtime.bigint();
        run(body, n, 5000);
        const dt = seconds(t0);
        if (dt > 0.2) {
            n = Math.max(n, Math.round(n * secondsPerBody / dt));
            break;
        }
        n *= 4;
    }
    const c0 = process.cpuUsage();
    const t0 = process.hrtime.bigint();
    run(body, n, 100000);
    const dt = seconds(t0);
    const cpu = process.cpuUsage(c0);
    const cpuSeconds = (cpu.user + cpu.system) / 1e6;
    const rate = n / dt;
    console.log(`${name.padEnd(9)} ${rate.toFixed(0).padStart(18)} ${(1e6 / rate).toFixed(2).padStart(16)} ` +
                `${(n / cpuSeconds).toFixed(0).padStart(19)}   ${n}`);
}
if (!Number.isFinite(sink)) console.log('non-finite result');
