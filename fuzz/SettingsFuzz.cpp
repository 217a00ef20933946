// The settings text: read over the defaults, then what start-up does with
// it short of drawing (instant, place, the selected object's position), and
// written and read again to the same text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "astronomy/PositionService.h"
#include "astronomy/ProgramState.h"
#include "astronomy/TimeCalendar.h"
#include "FuzzCheck.h"
#include "shell/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    astronomy::ProgramState s;
    astronomy::ApplyDefaults(s);
    shell::ParseSettingsText(s, bytes);
    FUZZ_REQUIRE(s.Zone >= 0 && s.Zone <= 2);
    FUZZ_REQUIRE(s.Ort >= 1 && s.OrtAnz >= 0 && s.OrtAnz <= astronomy::kPlaceSlots);
    FUZZ_REQUIRE(s.x_max >= 0 && s.x_max <= 100000 && s.y_max >= 0 && s.y_max <= 100000);
    // The start-up steps that need no window: the first instant, the place,
    // the selected object (without its files: no elements, no catalogue).
    const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(12, 24, 12, 2026, s.Zone);
    astronomy::SetInstant(s, jd.J, jd.F);
    if (s.Ort <= s.OrtAnz) {
        s.Longitude = s.Orte[s.Ort].longitude;
        s.Latitude = s.Orte[s.Ort].latitude;
        FUZZ_REQUIRE(!(std::fabs(s.Latitude) > 1.5707963267948967));
    }
    astronomy::SetLatitudeTerms(s);
    astronomy::UpdateTimeQuantities(s);
    if (s.Objekt != astronomy::ObjectKind::Disk)
        fuzz::RequireFinite(astronomy::ComputePosition(astronomy::ObservationOf(s), astronomy::TargetOf(s, s.Objekt)));
    // Written, read and written again: the same text.
    const std::string first = shell::SettingsText(s, " Version 6.54");
    astronomy::ProgramState again;
    astronomy::ApplyDefaults(again);
    shell::ParseSettingsText(again, first);
    FUZZ_REQUIRE(shell::SettingsText(again, " Version 6.54") == first);
    return 0;
}
