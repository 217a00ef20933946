// The constellation file: every figure read ends with exactly one end mark
// and refers to star records only by numbers the chart can look up.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "charts/Catalogue.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<charts::ConstellationFigure> figures;
    std::string error;
    const bool ok = charts::ParseConstellationFile(bytes, "sternbilder.dat", figures, error);
    FUZZ_REQUIRE(ok || !error.empty());
    FUZZ_REQUIRE(figures.size() <= static_cast<std::size_t>(charts::kConstellationCount));
    for (const charts::ConstellationFigure& f : figures) {
        FUZZ_REQUIRE(!f.items.empty() && f.items.back() == charts::kFigureEnd);
        for (std::size_t k = 0; k + 1 < f.items.size(); ++k)
            FUZZ_REQUIRE(f.items[k] == charts::kFigurePenUp || f.items[k] >= 2);
    }
    return 0;
}
