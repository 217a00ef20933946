// Throughput of the npm package astronomy-engine's lunar eclipse search, for
// comparison with BM_NextLunarEclipse and BM_LunarEclipsesFrom2000 of
// astronomy_bench:
//   - next eclipse: SearchLunarEclipse from start dates stepping by 97.3
//     days through 1900-2100 (the same start dates as BM_NextLunarEclipse).
//     astronomy-engine returns penumbral eclipses as well; Kelmaron's search
//     returns only eclipses that reach the umbra, so the script also times
//     the next umbral eclipse: SearchLunarEclipse and then NextLunarEclipse
//     until one is partial or total.
//   - 2000-2030: every eclipse from 1 January 2000 to the end of 2030
//     (SearchLunarEclipse, then NextLunarEclipse), 71 with the penumbral
//     ones, 46 umbral. Reported as all eclipses per second and as umbral
//     eclipses per second (umbral ones found / time to walk through all),
//     the figure to compare with Kelmaron's eclipses/s.
//
// Usage: npm install --no-save astronomy-engine@2.1.19 (in this folder or a
// parent, or point NODE_PATH at a node_modules folder that holds it), then
//   node reference_eclipses.mjs [seconds-per-case]
// Rates by the wall clock (process.hrtime.bigint) and by the process's CPU
// time (process.cpuUsage, all threads, comparable to Google Benchmark's
// CPU-time rate on a loaded machine).

import { createRequire } from 'node:module';
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';

const require = createRequire(import.meta.url);
const A = require('astronomy-engine');
const version = JSON.parse(
    readFileSync(join(dirname(require.resolve('astronomy-engine')), 'package.json'), 'utf8')).version;

const secondsPerCase = Number(process.argv[2] ?? 1.0);

// Start dates as Julian Dates (UT): 1900-01-01 0h plus multiples of 97.3
// days, wrapped into 201 years; astronomy-engine counts days from J2000.
const FIRST = 2415020.5;
const SPAN = 73414;
const STEP = 97.3;
function startTime(i) {
    return A.MakeTime(FIRST + ((i + 1) * STEP) % SPAN - 2451545);
}

let sink = 0;  // keeps the results alive

// Each case runs n units of work and returns [eclipses found, umbral found].
function nextEclipse(n, offset) {
    let all = 0;
    for (let i = 0; i < n; ++i) {
        const e = A.SearchLunarEclipse(startTime(offset + i));
        sink += e.peak.ut;
        ++all;
    }
    return [all, 0];
}

function nextUmbralEclipse(n, offset) {
    let all = 0, umbral = 0;
    for (let i = 0; i < n; ++i) {
        let e = A.SearchLunarEclipse(startTime(offset + i));
        ++all;
        while (e.kind === A.EclipseKind.Penumbral) {
            e = A.NextLunarEclipse(e.peak);
            ++all;
        }
        sink += e.peak.ut;
        ++umbral;
    }
    return [all, umbral];
}

const FROM_2000 = A.MakeTime(new Date(Date.UTC(2000, 0, 1)));
const TO_2031 = A.MakeTime(new Date(Date.UTC(2031, 0, 1))).ut;
function eclipses2000To2030(n) {
    let all = 0, umbral = 0;
    for (let i = 0; i < n; ++i) {
        for (let e = A.SearchLunarEclipse(FROM_2000); e.peak.ut < TO_2031; e = A.NextLunarEclipse(e.peak)) {
            ++all;
            if (e.kind !== A.EclipseKind.Penumbral) ++umbral;
            sink += e.peak.ut;
        }
    }
    return [all, umbral];
}

function seconds(t0) {
    return Number(process.hrtime.bigint() - t0) / 1e9;
}

// Calibrates the number of units for about secondsPerCase, then times them.
function measure(run) {
    run(3, 7000);  // warm-up: let the JIT compile the paths used
    let n = 1;
    for (;;) {
        const t0 = process.hrtime.bigint();
        run(n, 5000);
        const dt = seconds(t0);
        if (dt > 0.2) {
            n = Math.max(n, Math.round(n * secondsPerCase / dt));
            break;
        }
        n *= 4;
    }
    const c0 = process.cpuUsage();
    const t0 = process.hrtime.bigint();
    const [all, umbral] = run(n, 0);
    const wall = seconds(t0);
    const cpu = process.cpuUsage(c0);
    const cpuSeconds = (cpu.user + cpu.system) / 1e6;
    return { n, all, umbral, wall, cpuSeconds };
}

function line(name, count, r) {
    console.log(`${name.padEnd(34)} ${(count / r.wall).toFixed(1).padStart(14)} ` +
                `${(count / r.cpuSeconds).toFixed(1).padStart(14)} ${(1e3 * r.wall / count).toFixed(3).padStart(10)}` +
                `   ${count}`);
}

console.log(`astronomy-engine ${version}, node ${process.version}`);
console.log('case                               eclipses/s wall  eclipses/s CPU   ms each   eclipses');
const next = measure(nextEclipse);
line('next eclipse (any kind)', next.all, next);
const nextUmbral = measure(nextUmbralEclipse);
line('next umbral eclipse', nextUmbral.umbral, nextUmbral);
const run = measure(eclipses2000To2030);
line('2000-2030, all eclipses', run.all, run);
line('2000-2030, umbral (46 per run)', run.umbral, run);
console.log(`(2000-2030: ${run.all / run.n} eclipses per run, ${run.umbral / run.n} umbral; ` +
            `next umbral: ${(nextUmbral.all / nextUmbral.umbral).toFixed(2)} eclipses searched per umbral one)`);
if (!Number.isFinite(sink)) console.log('non-finite result');
