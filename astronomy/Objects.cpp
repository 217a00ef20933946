// The table of the selectable objects: name and parallax of each kind.
#include "astronomy/Objects.h"

#include <array>

namespace astronomy {

namespace {

struct ObjectRow {
    ObjectKind kind;
    const char* name;
    bool parallax;
};

constexpr std::array<ObjectRow, 13> kObjects = {{
    {ObjectKind::Sun, "Sonne", false},
    {ObjectKind::Moon, "Mond", true},
    {ObjectKind::Mercury, "Merkur", true},
    {ObjectKind::Venus, "Venus", true},
    {ObjectKind::Mars, "Mars", true},
    {ObjectKind::Jupiter, "Jupiter", true},
    {ObjectKind::Saturn, "Saturn", false},
    {ObjectKind::Uranus, "Uranus", false},
    {ObjectKind::Neptune, "Neptun", false},
    {ObjectKind::Earth, "Erde", false},
    {ObjectKind::Disk, "Disk", false},
    {ObjectKind::Messier, "Messier", false},
    {ObjectKind::Arbitrary, "beliebig", false},
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

}  // namespace astronomy
