// The Messier catalogue: read, and every entry's place computed; a failing
// file leaves the catalogue as it was.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "charts/Catalogue.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    astronomy::ProgramState s;
    astronomy::ApplyDefaults(s);
    std::vector<astronomy::MessierEntry> catalogue{astronomy::MessierEntry{}};
    std::string error;
    const bool ok = charts::ParseMessierCatalogue(bytes, "messier.kat", catalogue, error);
    if (!ok) {
        FUZZ_REQUIRE(catalogue.size() == 1);
        FUZZ_REQUIRE(!error.empty());
        return 0;
    }
    s.MessierCatalogue = catalogue;
    astronomy::SetInstant(s, 2461000, 0.75);
    s.Objekt = astronomy::ObjectKind::Messier;
    for (int n = 1; n <= static_cast<int>(catalogue.size()); ++n) {
        s.Messier = n;
        fuzz::RequireFinite(astronomy::ComputePosition(astronomy::ObservationOf(s), astronomy::MessierTarget(s, n)));
    }
    return 0;
}
