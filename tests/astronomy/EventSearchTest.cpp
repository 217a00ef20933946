// The event search, checked against the program's own places (the event
// found is where the quantity turns, to a fine step) and against an
// independent ephemeris (tests/data/apsides.csv, astronomy-engine 2.1.19:
// the Earth's perihelia and the Moon's perigees). The program's Sun and
// Moon are short theories; the limits below are the agreement they reach,
// measured over the whole table and set with some room above the largest
// difference found.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "astronomy/Constants.h"
#include "astronomy/EventSearch.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "CsvTable.h"

using namespace astronomy;

namespace {

// Measured: perigees up to 0.15 d and 549 km from the reference (the Moon's
// distance comes from a six-term parallax series), perihelia up to 0.05 d
// and 1e-5 AU.
constexpr double kPerigeeDays = 0.25;
constexpr double kPerigeeKm = 800;
constexpr double kPerihelionDays = 0.1;
constexpr double kPerihelionAu = 2e-5;

ProgramState StateAt(ObjectKind object, double jdUt, double latitudeDeg = 48.1, double longitudeDeg = 11.6) {
    ProgramState s;
    ApplyDefaults(s);
    s.Zone = 1;
    s.Latitude = latitudeDeg * kDegToRad;
    s.Longitude = longitudeDeg * kDegToRad;
    SetLatitudeTerms(s);
    s.Objekt = object;
    const Instant at = NormaliseInstant(std::floor(jdUt), jdUt - std::floor(jdUt));
    SetInstant(s, at.J, at.F);
    return s;
}

// The quantity at an instant, computed as every view of the program does.
double QuantityAt(const ProgramState& s, EventKind kind, double J, double F) {
    const PositionResult r = ComputePosition(ObservationAt(s, J, F), TargetOf(s, s.Objekt));
    return SearchQuantity(kind, r.body);
}
double QuantityAt(const ProgramState& s, EventKind kind, double jd) {
    const Instant at = NormaliseInstant(std::floor(jd), jd - std::floor(jd));
    return QuantityAt(s, kind, at.J, at.F);
}

double Jd(const EventSearchResult& r) { return r.J + r.F; }

// A hyperbolic comet that left the Sun in 2000 towards declination +79
// degrees: circumpolar from mid-northern latitudes for ever.
OrbitalElements LeavingComet() {
    OrbitalElements el;
    el.name = "Fortflug";
    el.e = 1.5;
    el.q = 3;
    el.node = 90 * kDegToRad;
    el.omega = 288 * kDegToRad;
    el.i = 90 * kDegToRad;
    el.T = 2451545;
    el.d = 10;
    el.mag = 8;
    el.kind = kKindComet;
    ElementNotes notes;
    CompleteAndCheckElements(el, notes);
    return el;
}

}  // namespace

TEST(EventSearch, DoesNothingWhereTheEventHasNoMeaning) {
    int asked = 0;
    const auto count = [&asked](SearchPhase, double, double) { return ++asked > 1000; };
    struct Case {
        ObjectKind object;
        EventKind kind;
    };
    for (const Case c : {Case{ObjectKind::Sun, EventKind::Perihelion}, Case{ObjectKind::Messier, EventKind::Perigee},
                         Case{ObjectKind::Messier, EventKind::Rising}, Case{ObjectKind::Arbitrary, EventKind::Rising},
                         Case{ObjectKind::Arbitrary, EventKind::Perihelion}}) {
        const ProgramState s = StateAt(c.object, 2461382.3);
        const EventSearchResult r = SearchEvent(s, c.kind, count);
        EXPECT_FALSE(r.changed);
        EXPECT_EQ(r.J, s.J);
        EXPECT_EQ(r.F, s.F);
    }
    EXPECT_EQ(asked, 0);
}

TEST(EventSearch, DistanceMinimumIsFoundToAFineStepAndIsTheNextOne) {
    // Start instants spread over two anomalistic months, some just before
    // and just after a perigee, so that the minimum falls at every place
    // between two coarse steps.
    for (EventKind kind : {EventKind::Perigee, EventKind::Perihelion}) {
        const ObjectKind object = kind == EventKind::Perigee ? ObjectKind::Moon : ObjectKind::Mercury;
        for (double start = 2461380.1; start < 2461380.1 + 55; start += 2.3) {
            const ProgramState s = StateAt(object, start);
            const EventSearchResult r = SearchEvent(s, kind);
            ASSERT_TRUE(r.changed && r.found) << start;
            EXPECT_FALSE(r.stopped);
            EXPECT_TRUE(r.F >= 0 && r.F < 1 && r.J == std::floor(r.J));
            const double at = Jd(r), q = QuantityAt(s, kind, at);
            EXPECT_EQ(r.quantity, QuantityAt(s, kind, r.J, r.F));
            EXPECT_LT(q, QuantityAt(s, kind, at + kDistanceFineStep)) << start;
            EXPECT_LE(q, QuantityAt(s, kind, at - kDistanceFineStep)) << start;
            // The next minimum: none between the start and the one found.
            EXPECT_GT(at, start + kDistanceBaseStep - kDistanceFineStep);
            double before = QuantityAt(s, kind, start + 0.6), here = QuantityAt(s, kind, start + 0.85);
            for (double t = start + 1.1; t < at - 0.3; t += 0.25) {
                const double after = QuantityAt(s, kind, t);
                EXPECT_FALSE(here < before && here < after) << "a minimum passed over at " << t - 0.25;
                before = here;
                here = after;
            }
        }
    }
}

TEST(EventSearch, PerigeesAndPerihelionsAgreeWithAnIndependentEphemeris) {
    int perigees = 0, perihelia = 0;
    for (const auto& row : ReadCsv("apsides.csv")) {
        const bool perigee = row[0] == "perigee";
        const double jd = std::stod(row[1]), distance = std::stod(row[2]);
        // The Sun's distance from the Earth is the Earth's from the Sun.
        const ProgramState s = StateAt(perigee ? ObjectKind::Moon : ObjectKind::Sun, jd - (perigee ? 6 : 60));
        const EventSearchResult r = SearchEvent(s, EventKind::Perigee);
        ASSERT_TRUE(r.found) << row[1];
        if (perigee) {
            ++perigees;
            EXPECT_NEAR(Jd(r), jd, kPerigeeDays) << row[1];
            EXPECT_NEAR(r.quantity, distance, kPerigeeKm) << row[1];
        } else {
            ++perihelia;
            EXPECT_NEAR(Jd(r), jd, kPerihelionDays) << row[1];
            EXPECT_NEAR(r.quantity, distance, kPerihelionAu) << row[1];
            const CivilDate d = JulianDateToCalendar(r.J, r.F, s.Zone);
            EXPECT_EQ(d.month, 1);
            EXPECT_LE(d.day, 6);
        }
    }
    EXPECT_EQ(perigees, 26);
    EXPECT_EQ(perihelia, 16);
}

TEST(EventSearch, RisingIsTheFirstFineStepAtOrAboveTheHorizon) {
    for (ObjectKind object : {ObjectKind::Sun, ObjectKind::Moon, ObjectKind::Mars}) {
        // Every three hours and a bit through two days: the object up, down,
        // rising and setting at the start, the search crossing midnight.
        for (double start = 2461381.0; start < 2461383; start += 0.13) {
            const ProgramState s = StateAt(object, start);
            const bool upAtStart = QuantityAt(s, EventKind::Rising, start + kRisingBaseStep) >= 0;
            const EventSearchResult r = SearchEvent(s, EventKind::Rising);
            ASSERT_TRUE(r.found);
            const double at = Jd(r);
            EXPECT_EQ(r.quantity, QuantityAt(s, EventKind::Rising, r.J, r.F));
            EXPECT_GE(r.quantity, 0);
            EXPECT_LT(QuantityAt(s, EventKind::Rising, at - kRisingFineStep), 0) << start;
            EXPECT_GT(at, start + kRisingBaseStep) << start;
            EXPECT_LT(at, start + 1.2) << start;  // the next rising, not a later one
            if (upAtStart) {
                // It first waited for the object to set: below the horizon
                // somewhere between the start and the rising.
                bool setMeanwhile = false;
                for (double t = start + kRisingBaseStep; t < at; t += kRisingBaseStep)
                    setMeanwhile = setMeanwhile || QuantityAt(s, EventKind::Rising, t) < 0;
                EXPECT_TRUE(setMeanwhile) << start;
            }
        }
    }
}

TEST(EventSearch, TrendComparesNowWithAStepLaterInDaysOrHoursForTheAltitude) {
    const ProgramState s = StateAt(ObjectKind::Sun, 2461381.85);  // morning: the Sun climbs
    EXPECT_EQ(Trend(s, EventKind::Rising, s.J, s.F, 1.0), +1);
    EXPECT_EQ(Trend(s, EventKind::Rising, s.J, s.F + 0.25, 1.0), -1);  // afternoon
    const double a = QuantityAt(s, EventKind::Perigee, s.J + s.F), b = QuantityAt(s, EventKind::Perigee, s.J + s.F + 3);
    EXPECT_EQ(Trend(s, EventKind::Perigee, s.J, s.F, 3.0), a < b ? +1 : -1);
}

TEST(EventSearch, StopInTheFirstStageEndsThatStageOnlyLaterTheSearch) {
    // The Sun in June at 80 degrees north never sets: the first stage waits
    // for ever. A stop there goes on with the coarse steps, which find the
    // Sun up at once.
    {
        const ProgramState s = StateAt(ObjectKind::Sun, 2461201.2, 80);
        std::vector<SearchPhase> asked;
        const EventSearchResult r = SearchEvent(s, EventKind::Rising, [&](SearchPhase p, double, double) {
            asked.push_back(p);
            return asked.size() == 100;
        });
        ASSERT_EQ(asked.size(), 100u);
        EXPECT_EQ(asked.back(), SearchPhase::Leaving);
        EXPECT_TRUE(r.stopped && r.found);
        EXPECT_NEAR(Jd(r), s.J + s.F + 101 * kRisingBaseStep, 1e-6);
    }
    // A hyperbolic comet after perihelion: the distance from the Sun only
    // grows. The first stage takes 50-day steps; stopped there, the coarse
    // steps see the distance growing and the search ends where it stopped.
    {
        ProgramState s = StateAt(ObjectKind::Disk, 2461382.5);
        s.Elements = LeavingComet();
        std::vector<double> leaving;
        int coarse = 0;
        const EventSearchResult r = SearchEvent(s, EventKind::Perihelion, [&](SearchPhase p, double J, double F) {
            if (p != SearchPhase::Leaving) return ++coarse > 0;
            leaving.push_back(J + F);
            return leaving.size() == 5;
        });
        ASSERT_EQ(leaving.size(), 5u);
        EXPECT_EQ(coarse, 0);
        EXPECT_DOUBLE_EQ(leaving[0] - (s.J + s.F), kDistanceBaseStep + kLongStep);
        for (std::size_t i = 1; i < leaving.size(); ++i) EXPECT_DOUBLE_EQ(leaving[i] - leaving[i - 1], kLongStep);
        EXPECT_TRUE(r.stopped);
        EXPECT_NEAR(Jd(r), leaving.back(), 1e-6);
        EXPECT_GT(r.quantity, QuantityAt(s, EventKind::Perihelion, s.J + s.F));
    }
}

TEST(EventSearch, RecedingLongPeriodObjectLeavesInFiftyDaySteps) {
    // An ellipse of a 2500-year period, a year after perihelion.
    ProgramState s = StateAt(ObjectKind::Disk, 2451000);
    s.Elements = LeavingComet();
    s.Elements.e = 0.995;
    s.Elements.q = 0.92;
    s.Elements.T = 2450540;
    s.Elements.a = 0;  // from q and e
    ElementNotes notes;
    CompleteAndCheckElements(s.Elements, notes);
    ASSERT_GT(std::pow(s.Elements.q / (1 - s.Elements.e), 1.5), kLongPeriodYears);
    std::vector<double> leaving;
    SearchEvent(s, EventKind::Perihelion, [&](SearchPhase p, double J, double F) {
        if (p == SearchPhase::Leaving) leaving.push_back(J + F);
        return true;
    });
    ASSERT_EQ(leaving.size(), 1u);
    EXPECT_NEAR(leaving[0], s.J + s.F + kDistanceBaseStep + kLongStep, 1e-9);
    // A period below the limit (2.5 years, 100 days after perihelion) leaves
    // in steps of ten days.
    s.Elements.e = 0.5;
    s.Elements.T = s.J - 100;
    s.Elements.a = 0;
    CompleteAndCheckElements(s.Elements, notes);
    leaving.clear();
    SearchEvent(s, EventKind::Perihelion, [&](SearchPhase p, double J, double F) {
        if (p == SearchPhase::Leaving) leaving.push_back(J + F);
        return true;
    });
    ASSERT_EQ(leaving.size(), 1u);
    EXPECT_NEAR(leaving[0], s.J + s.F + 21 * kDistanceBaseStep, 1e-9);
}

TEST(EventSearch, StepsCertainOnOneSideOfTheHorizonNeverCross) {
    // Wherever the certainty says "n steps up (or down)", the place at each
    // of those steps is on that side: for the leaving comet and a comet
    // passing the Earth, from places near and far from the poles.
    OrbitalElements nearComet = LeavingComet();
    nearComet.q = 0.9;
    nearComet.e = 1.01;
    nearComet.T = 2461390;
    int certainSteps = 0;
    for (const OrbitalElements& el : {LeavingComet(), nearComet}) {
        for (double latitude : {-70.0, -20.0, 30.0, 55.0, 75.0, 89.0}) {
            ProgramState s = StateAt(ObjectKind::Disk, 2461300, latitude);
            s.Elements = el;
            const Target target = TargetOf(s, ObjectKind::Disk);
            for (double t = 2461300; t < 2461300 + 200; t += 7.3) {
                const Instant at = NormaliseInstant(std::floor(t), t - std::floor(t));
                const Observation o = ObservationAt(s, at.J, at.F);
                const PositionResult r = ComputePosition(o, target);
                ASSERT_EQ(r.status, PositionStatus::Ok);
                const bool up = r.body.altitude >= 0;
                const int n = RisingStepsCertain(target, o, r.body, kRisingBaseStep, up);
                certainSteps += n;
                for (int k = 1; k <= n; k += 3)
                    EXPECT_EQ(QuantityAt(s, EventKind::Rising, t + k * kRisingBaseStep) >= 0, up)
                        << el.name << " " << latitude << " " << t << " step " << k;
            }
        }
    }
    EXPECT_GT(certainSteps, 10000);  // the certainty is not empty
    // The other objects are never skipped.
    const ProgramState sun = StateAt(ObjectKind::Sun, 2461201.2, 80);
    const Observation o = ObservationOf(sun);
    EXPECT_EQ(RisingStepsCertain(BodyTarget(ObjectKind::Sun), o,
                                 ComputePosition(o, BodyTarget(ObjectKind::Sun)).body, kRisingBaseStep, true),
              0);
}

TEST(EventSearch, CircumpolarOrbitObjectIsSearchedToTheLimitQuickly) {
    ProgramState s = StateAt(ObjectKind::Disk, 2461382.5, 50);
    s.Elements = LeavingComet();
    long asked = 0;
    const double limit = 300 * kDaysPerYear;
    const EventSearchResult r = SearchEvent(s, EventKind::Rising, [&](SearchPhase p, double J, double F) {
        ++asked;
        return p != SearchPhase::Leaving || (J - s.J) + (F - s.F) > limit;
    });
    EXPECT_TRUE(r.stopped);
    // Every half-hour step was asked for, however many places were skipped.
    EXPECT_NEAR(asked, limit / kRisingBaseStep, 3);
    EXPECT_GE(r.quantity, 0);
}
