// What a user types into the date, time, Julian Date and number prompts:
// the readers, and the calendar conversions of whatever they accept.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "astronomy/Numbers.h"
#include "astronomy/TimeCalendar.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    // The date as typed: a date it accepts lies in the range and reads back.
    if (const auto d = astronomy::ReadTypedDate(text, astronomy::kFirstYear, astronomy::kLastYear)) {
        FUZZ_REQUIRE(d->year >= astronomy::kFirstYear && d->year <= astronomy::kLastYear);
        const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(0, d->day, d->month, d->year, 1);
        const astronomy::CivilDate c = astronomy::JulianDateToCalendar(jd.J, jd.F, 1);
        FUZZ_REQUIRE(c.day == d->day && c.month == d->month && c.year == d->year && c.hours == 0);
    }
    // The Julian Date: a day number and a fraction in [0, 1).
    double J = 0, F = 0;
    if (astronomy::SplitJulianDateText(text, J, F) && astronomy::InstantInServedYears(J, F)) {
        FUZZ_REQUIRE(F >= 0 && F < 1);
        const astronomy::CivilDate c = astronomy::JulianDateToCalendar(J, F, 2);
        FUZZ_REQUIRE(c.month >= 1 && c.month <= 12 && c.day >= 1 && c.day <= 31);
        FUZZ_REQUIRE(c.hours >= 0 && c.hours < 24);
    }
    // The fields of the date, time and coordinate prompts.
    for (int n = 1; n <= 3; ++n) {
        const double v = astronomy::FieldValue(text, n, ' ');
        (void)astronomy::RoundToInt(v);
        (void)astronomy::HoursToHms(v);
    }
    const double v = astronomy::Val(text);
    (void)astronomy::ValFloat(text);
    (void)astronomy::LeadingNumber(text);
    if (const auto exact = astronomy::ParseNumberExactly(text)) FUZZ_REQUIRE(!std::isnan(*exact));
    if (std::isfinite(v)) FUZZ_REQUIRE(astronomy::Val(astronomy::ShortestText(v)) == v);
    return 0;
}
