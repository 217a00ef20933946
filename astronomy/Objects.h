// The objects a user can select: the Sun, the Moon, the planets, the Earth,
// the orbit object "Disk", a Messier object and the arbitrary object. Their
// German names are the texts of the menu, the settings file and the command
// line; inside the program the kind is a type.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace astronomy {

enum class ObjectKind { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Earth, Disk, Messier, Arbitrary };

// "Sonne", "Mond", "Merkur", "Venus", "Mars", "Jupiter", "Saturn", "Uranus",
// "Neptun", "Erde", "Disk", "Messier", "beliebig".
std::string_view ObjectName(ObjectKind kind);
// The kind of one of those names (exactly as written); nothing otherwise.
std::optional<ObjectKind> ObjectKindFromName(std::string_view name);

// One of the seven planets of the element table.
bool IsPlanet(ObjectKind kind);
// The objects at fixed coordinates: a Messier object and the arbitrary object.
bool IsFixedObject(ObjectKind kind);
// The bodies near enough for the observer's place on the Earth to move
// them measurably: the Moon, Mercury, Venus, Mars and Jupiter.
bool HasParallax(ObjectKind kind);
// The days over which the solar-system view draws a body's orbit: about
// one revolution for the planets (Mercury 89 ... Neptune 60188), and
// 370 for the Earth; 1 for the others (the orbit object's period comes with
// its elements).
double OrbitTrackDays(ObjectKind kind);

}  // namespace astronomy
