// What every fuzz target checks besides the sanitizers: a condition that
// must hold for any input ends the run loudly when it does not.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>

#define FUZZ_REQUIRE(condition)                                                            \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: requirement failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (0)

#include "astronomy/PositionService.h"

namespace fuzz {

// A position the service calls good has only finite numbers.
inline void RequireFinite(const astronomy::PositionResult& r) {
    if (r.status != astronomy::PositionStatus::Ok) return;
    const astronomy::BodyPosition& p = r.body;
    for (double v : {p.ra, p.dec, p.hourAngle, p.altitude, p.azimuth, p.r, p.delta, p.magnitude, p.diameter,
                     p.transit, p.rise, p.set, p.phaseAngle, p.illuminatedFraction})
        FUZZ_REQUIRE(std::isfinite(v));
}

}  // namespace fuzz
