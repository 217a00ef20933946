// The event search: a first stage that leaves the current minimum (or waits
// for the object to set), coarse steps until the event has passed, and fine
// steps from the last coarse instant before it.
#include "astronomy/EventSearch.h"

#include <cmath>

#include "astronomy/Constants.h"
#include "astronomy/TimeCalendar.h"

namespace astronomy {

std::optional<EventKind> EventKindFromNumber(int number) {
    switch (number) {
        case 0: return EventKind::Perigee;
        case 1: return EventKind::Perihelion;
        case 2: return EventKind::Rising;
        default: return std::nullopt;
    }
}

double SearchQuantity(EventKind kind, const BodyPosition& body) {
    switch (kind) {
        case EventKind::Perigee: return body.delta;
        case EventKind::Perihelion: return body.r;
        case EventKind::Rising: return body.altitude / kDegToRad;
    }
    return body.delta;
}

bool SearchApplies(ObjectKind object, EventKind kind) {
    if (IsFixedObject(object)) return false;
    return !(object == ObjectKind::Sun && kind == EventKind::Perihelion);
}

namespace {

// The object's place at the instants of one search. The last two places
// are kept: the trend over a day, tested every half day, asks for the
// place of a day ahead that the step after next starts from.
class Places {
public:
    Places(const ProgramState& s, EventKind kind) : s_(s), target_(TargetOf(s, s.Objekt)), kind_(kind) {}

    // The observation at the instant and the place computed for it.
    struct Place {
        Observation at;
        PositionResult result;
    };
    const Place& PlaceAt(double J, double F) {
        for (Kept& k : kept_)
            if (k.valid && k.J == J && k.F == F) return k.place;
        Kept& k = kept_[next_];
        next_ = 1 - next_;
        const Instant n = NormaliseInstant(J, F);
        k.valid = true;
        k.J = J;
        k.F = F;
        k.place.at = ObservationAt(s_, n.J, n.F);
        k.place.result = ComputePosition(k.place.at, target_);
        return k.place;
    }
    const PositionResult& At(double J, double F) { return PlaceAt(J, F).result; }
    // The searched quantity; not a number where no place can be computed.
    double Quantity(double J, double F) {
        const PositionResult& r = At(J, F);
        return r.status == PositionStatus::Ok ? SearchQuantity(kind_, r.body) : std::nan("");
    }
    int Trend(double J, double F, double step) {
        if (kind_ == EventKind::Rising) step = step / 24;
        const double q1 = Quantity(J, F);
        const double q2 = Quantity(J + step, F);
        if (q1 > q2) return -1;
        if (q1 < q2) return +1;
        return 0;
    }
    const ProgramState& state() const { return s_; }
    const Target& target() const { return target_; }

private:
    struct Kept {
        bool valid = false;
        double J = 0, F = 0;
        Place place;
    };
    const ProgramState& s_;
    Target target_;
    EventKind kind_;
    Kept kept_[2];
    int next_ = 0;
};

// Margins of the certainty below: the Earth's orbital speed at perihelion
// and the speed of a place on the equator (AU per day), the observer's
// distance from the Earth's centre (AU), what aberration, nutation and
// precession can move a place in ten days (radians), and a safety factor on
// the object's greatest speed.
constexpr double kEarthSpeed = 0.0175;
constexpr double kObserverSpeed = 0.0003;
constexpr double kObserverOffset = 5e-5;
constexpr double kApparentPlaceDrift = 1e-3;
constexpr double kSpeedSafety = 1.1;

}  // namespace

int RisingStepsCertain(const Target& target, const Observation& at, const BodyPosition& p, double step, bool up) {
    if (target.kind != ObjectKind::Disk || target.elements == nullptr) return 0;
    const OrbitalElements& el = *target.elements;
    if (!(el.q > 0) || !(el.e >= 0)) return 0;
    const double latitude = std::atan2(at.SinLat, at.CosLat);
    const double sinDec = at.SinLat * std::sin(p.altitude) - at.CosLat * std::cos(p.altitude) * std::cos(p.azimuth);
    const double dec = std::asin(std::fmax(-1.0, std::fmin(1.0, sinDec)));
    const double speed = kSpeedSafety * kGaussK * std::sqrt((1 + el.e) / el.q) + kEarthSpeed + kObserverSpeed;
    const double distance = p.delta - kObserverOffset;
    if (!std::isfinite(speed) || !std::isfinite(dec) || !(distance > 0)) return 0;
    for (const int steps : {480, 48}) {
        const double moved = speed * steps * step;
        if (!(moved < distance)) continue;
        const double drift = std::asin(moved / distance) + kApparentPlaceDrift;
        // The lowest altitude in a day is |latitude| + dec - 90 degrees (dec
        // counted towards the visible pole), the highest 90 - |latitude - dec|.
        const bool certain = up ? (latitude >= 0 ? dec : -dec) - drift > kPi / 2 - std::fabs(latitude)
                                : std::fabs(latitude - dec) - drift > kPi / 2;
        if (certain) return steps;
    }
    return 0;
}

namespace {

class Search {
public:
    Search(const ProgramState& s, EventKind kind, const SearchStopRequest& stopRequested)
        : places_(s, kind), kind_(kind), rising_(kind == EventKind::Rising), stopRequested_(stopRequested),
          base_(rising_ ? kRisingBaseStep : kDistanceBaseStep), J_(s.J), F_(s.F) {}

    EventSearchResult Run() {
        EventSearchResult out;
        const ProgramState& s = places_.state();
        out.J = s.J;
        out.F = s.F;
        if (!SearchApplies(s.Objekt, kind_)) return out;
        const PositionResult& now = places_.At(s.J, s.F);
        out.status = now.status;
        out.name = now.body.name;
        if (out.status != PositionStatus::Ok) return out;

        cursor_ = J_ + base_;
        J_ = cursor_;
        const PositionResult& start = places_.At(J_, F_);
        const double period = start.body.period;
        const bool leaving = rising_ ? SearchQuantity(kind_, start.body) >= 0 : places_.Trend(J_, F_, 0.5) == +1;
        if (leaving) {
            // The long steps serve the distances only: for the rising they
            // would pass over risings.
            const bool longSteps = !rising_ && (period < -1 || (kind_ == EventKind::Perihelion && period > kLongPeriodYears));
            if (longSteps)
                LeaveInLongSteps();
            else if (rising_)
                WaitForSetting();
            else
                LeaveMinimum();
        }
        const bool found = Coarse();
        if (found) out.found = Fine();

        const Instant end = NormaliseInstant(J_, F_);
        out.changed = true;
        out.stopped = stopped_;
        out.J = end.J;
        out.F = end.F;
        out.quantity = places_.Quantity(end.J, end.F);
        return out;
    }

private:
    // The rising steps go on in the fraction, carried into the day number.
    void StepFraction(double step) {
        F_ = F_ + step;
        if (F_ > 1) {
            J_ = J_ + 1;
            cursor_ = J_;
            F_ = F_ - 1;
        }
        J_ = cursor_;
    }

    void LeaveInLongSteps() {
        while (true) {
            cursor_ = cursor_ + kLongStep;
            J_ = cursor_;
            if (places_.Trend(J_, F_, 1.0) < 0) return;
            if (Ask(SearchPhase::Leaving)) return;
        }
    }
    void LeaveMinimum() {
        while (true) {
            cursor_ = cursor_ + 20 * base_;
            J_ = cursor_;
            if (places_.Trend(J_, F_, 1.0) < 0) return;
            if (Ask(SearchPhase::Leaving)) return;
        }
    }
    void WaitForSetting() {
        int certain = 0;
        while (true) {
            StepFraction(base_);
            if (certain > 0) {
                --certain;
            } else {
                const Places::Place& p = places_.PlaceAt(J_, F_);
                if (p.result.status == PositionStatus::Ok) {
                    if (SearchQuantity(kind_, p.result.body) < 0) return;  // it has set
                    certain = RisingStepsCertain(places_.target(), p.at, p.result.body, base_, true);
                }
            }
            if (Ask(SearchPhase::Leaving)) return;
        }
    }

    // The coarse steps; true when the event has passed.
    bool Coarse() {
        lastJ_ = J_;
        lastF_ = F_;
        int certain = 0;
        while (true) {
            J_ = cursor_;
            bool found;
            if (!rising_) {
                found = places_.Trend(J_, F_, 1.0) == +1;
            } else if (certain > 0) {
                --certain;
                found = false;
            } else {
                const Places::Place& p = places_.PlaceAt(J_, F_);
                const bool ok = p.result.status == PositionStatus::Ok;
                found = ok && SearchQuantity(kind_, p.result.body) >= 0;
                if (ok && !found) certain = RisingStepsCertain(places_.target(), p.at, p.result.body, base_, false);
            }
            if (found) return true;
            lastJ_ = J_;
            lastF_ = F_;
            if (rising_)
                StepFraction(base_);
            else
                cursor_ = cursor_ + base_;
            if (Ask(SearchPhase::Coarse)) return false;
        }
    }

    // The fine steps from the last coarse instant before the event; true
    // when they reach it.
    bool Fine() {
        J_ = lastJ_;
        F_ = lastF_;
        cursor_ = lastJ_;
        while (true) {
            J_ = cursor_;
            const bool found = rising_ ? places_.Quantity(J_, F_) >= 0 : places_.Trend(J_, F_, kDistanceFineStep) == +1;
            if (found) return true;
            if (rising_)
                StepFraction(kRisingFineStep);
            else
                cursor_ = cursor_ + kDistanceFineStep;
            if (Ask(SearchPhase::Fine)) return false;
        }
    }

    // Asks whether to stop: in the first stage a granted request ends that
    // stage only, in the later ones the search.
    bool Ask(SearchPhase phase) {
        if (!stopRequested_ || !stopRequested_(phase, J_, F_)) return false;
        stopped_ = true;
        return true;
    }

    Places places_;
    EventKind kind_;
    bool rising_;
    const SearchStopRequest& stopRequested_;
    double base_;
    double J_, F_;
    double cursor_ = 0;
    double lastJ_ = 0, lastF_ = 0;
    bool stopped_ = false;
};

}  // namespace

int Trend(const ProgramState& s, EventKind kind, double J, double F, double step) {
    return Places(s, kind).Trend(J, F, step);
}

EventSearchResult SearchEvent(const ProgramState& s, EventKind kind, const SearchStopRequest& stopRequested) {
    return Search(s, kind, stopRequested).Run();
}

}  // namespace astronomy
