// The table of the selectable objects: name, parallax and orbit track length of each kind.
#include "astronomy/Objects.h"

#include <array>

namespace astronomy {

namespace {

struct ObjectRow {
    ObjectKind kind;
    const char* name;
    bool parallax;
    double trackDays;  // one revolution, rounded; 1 where the object has none of its own here
};

constexpr std::array<ObjectRow, 13> kObjects = {{
    {ObjectKind::Sun, "Sonne", false, 1},
    {ObjectKind::Moon, "Mond", true, 1},
    {ObjectKind::Mercury, "Merkur", true, 89},
    {ObjectKind::Venus, "Venus", true, 225},
    {ObjectKind::Mars, "Mars", true, 688},
    {ObjectKind::Jupiter, "Jupiter", true, 4333},
    {ObjectKind::Saturn, "Saturn", false, 10760},
    {ObjectKind::Uranus, "Uranus", false, 30686},
    {ObjectKind::Neptune, "Neptun", false, 60188},
    {ObjectKind::Earth, "Erde", false, 370},
    {ObjectKind::Disk, "Disk", false, 1},
    {ObjectKind::Messier, "Messier", false, 1},
    {ObjectKind::Arbitrary, "beliebig", false, 1},
}};

static_assert(
    [] {
        for (std::size_t i = 0; i < kObjects.size(); ++i)
            if (kObjects[i].kind != static_cast<ObjectKind>(i)) return false;
        return true;
    }(),
    "the rows are in the order of the kinds");

const ObjectRow& RowOf(ObjectKind kind) { return kObjects[static_cast<std::size_t>(kind)]; }

}  // namespace

std::string_view ObjectName(ObjectKind kind) { return RowOf(kind).name; }

std::optional<ObjectKind> ObjectKindFromName(std::string_view name) {
    for (const ObjectRow& row : kObjects)
        if (name == row.name) return row.kind;
    return std::nullopt;
}

bool IsPlanet(ObjectKind kind) { return kind >= ObjectKind::Mercury && kind <= ObjectKind::Neptune; }

bool IsFixedObject(ObjectKind kind) { return kind == ObjectKind::Messier || kind == ObjectKind::Arbitrary; }

bool HasParallax(ObjectKind kind) { return RowOf(kind).parallax; }

double OrbitTrackDays(ObjectKind kind) { return RowOf(kind).trackDays; }

}  // namespace astronomy
