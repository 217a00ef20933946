// Element files: read, completed, checked, written and read again, and the
// orbit object's place at instants years apart. No input may crash, hang or
// give a place with a number that is not finite; a written file must read
// back to the same orbit.
#include <cstddef>
#include <cstdint>
#include <string>

#include "astronomy/OrbitElements.h"
#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    astronomy::ElementNotes notes;
    astronomy::ProgramState s;
    astronomy::ApplyDefaults(s);
    s.Elements = astronomy::ParseElementText(bytes, "fuzz.kom", 2000, notes);
    s.Objekt = astronomy::ObjectKind::Disk;
    for (double J : {2451545.0, 2461000.0, 2300000.0}) {
        astronomy::SetInstant(s, J, 0.25);
        fuzz::RequireFinite(astronomy::ComputePosition(astronomy::ObservationOf(s), astronomy::TargetOf(s, s.Objekt)));
    }
    // What the program writes reads back to the same placing of the orbit.
    const std::string written = astronomy::FormatElementFile(s.Elements);
    const astronomy::OrbitalElements back = astronomy::ParseElementText(written, "fuzz.kom", 2000, notes);
    const astronomy::OrbitalElements& el = s.Elements;
    const bool finite = std::isfinite(el.T) && std::isfinite(el.t) && std::isfinite(el.M) && std::isfinite(el.e) &&
                        std::isfinite(el.a) && std::isfinite(el.q);
    if (finite) {
        FUZZ_REQUIRE(back.T == el.T && back.t == el.t && back.e == el.e && back.a == el.a && back.q == el.q);
    }
    return 0;
}
