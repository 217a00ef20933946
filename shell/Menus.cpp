// The built-in menu table, its state captions, its marks and the command keys.
#include "shell/Menus.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "charts/Regions.h"

namespace shell {

namespace {

using astronomy::ObjectKind;
using astronomy::View;
using charts::PanDirection;

constexpr int Kind(ObjectKind k) { return static_cast<int>(k); }
constexpr int Step(TimeStep t) { return static_cast<int>(t); }
constexpr int Pan(PanDirection d) { return static_cast<int>(d); }

struct MenuRow {
    const char* caption;
    MenuAction action;
};

// The menu bar as built in: titles, items, an empty caption closing each
// menu. The number after each row is its item number.
const MenuRow kBuiltInMenu[] = {
    {"Parameter", {}},  // 0
    {"Datum", {Command::Date}},  // 1
    {"Zei&t", {Command::Time}},  // 2
    {"Jul. Datum", {Command::JulianDate}},  // 3
    {"Äquinoktium", {Command::Equinox}},  // 4
    {"-", {}},  // 5
    {"UT                 &0", {Command::Zone, 0}},  // 6
    {"MEZ              &1", {Command::Zone, 1}},  // 7
    {"MESZ            &2", {Command::Zone, 2}},  // 8
    {"-", {}},  // 9
    {"Ort1", {Command::Place, 1}},  // 10
    {"Ort2", {Command::Place, 2}},  // 11
    {"Ort3", {Command::Place, 3}},  // 12
    {"Ort4", {Command::Place, 4}},  // 13
    {"Ort5", {Command::Place, 5}},  // 14
    {"Ort6", {Command::Place, 6}},  // 15
    {"Ort7", {Command::Place, 7}},  // 16
    {"Ort8", {Command::Place, 8}},  // 17
    {"Ort9", {Command::Place, 9}},  // 18
    {"Ort10", {Command::Place, 10}},  // 19
    {"Ort11", {Command::Place, 11}},  // 20
    {"Ort12", {Command::Place, 12}},  // 21
    {"Ort13", {Command::Place, 13}},  // 22
    {"Ort14", {Command::Place, 14}},  // 23
    {"Ort15", {Command::Place, 15}},  // 24
    {"-", {}},  // 25
    {"Ort ändern geographisch", {Command::PlaceGeographic}},  // 26
    {"-Ort ändern UTM", {Command::PlaceUtm}},  // 27
    {"", {}},  // 28
    {"Objekt", {}},  // 29
    {"Sonne", {Command::SelectObject, Kind(ObjectKind::Sun)}},  // 30
    {"Mond", {Command::SelectObject, Kind(ObjectKind::Moon)}},  // 31
    {"Merkur", {Command::SelectObject, Kind(ObjectKind::Mercury)}},  // 32
    {"Venus", {Command::SelectObject, Kind(ObjectKind::Venus)}},  // 33
    {"Mars", {Command::SelectObject, Kind(ObjectKind::Mars)}},  // 34
    {"Jupiter", {Command::SelectObject, Kind(ObjectKind::Jupiter)}},  // 35
    {"Saturn", {Command::SelectObject, Kind(ObjectKind::Saturn)}},  // 36
    {"Uranus", {Command::SelectObject, Kind(ObjectKind::Uranus)}},  // 37
    {"Neptun", {Command::SelectObject, Kind(ObjectKind::Neptune)}},  // 38
    {"Disk", {Command::SelectObject, Kind(ObjectKind::Disk)}},  // 39
    {"-", {}},  // 40
    {"M 1", {Command::SelectObject, Kind(ObjectKind::Messier)}},  // 41
    {"beliebig", {Command::SelectObject, Kind(ObjectKind::Arbitrary)}},  // 42
    {"-", {}},  // 43
    {"Messier...", {Command::MessierPrompt}},  // 44
    {"Beliebig...", {Command::ObjectPrompt}},  // 45
    {"", {}},  // 46
    {"Offset", {}},  // 47
    {"1 Min +     &>", {Command::Step, Step(TimeStep::MinuteForward)}},  // 48
    {"1 Std +      &+", {Command::Step, Step(TimeStep::HourForward)}},  // 49
    {"1 Tag +      &*", {Command::Step, Step(TimeStep::DayForward)}},  // 50
    {"1 Woche + &w", {Command::Step, Step(TimeStep::WeekForward)}},  // 51
    {"1 Monat +  &a", {Command::Step, Step(TimeStep::MonthForward)}},  // 52
    {"1 Jahr +      &c", {Command::Step, Step(TimeStep::YearForward)}},  // 53
    {"-", {}},  // 54
    {"1 Min -      &<", {Command::Step, Step(TimeStep::MinuteBack)}},  // 55
    {"1 Std -        &-", {Command::Step, Step(TimeStep::HourBack)}},  // 56
    {"1 Tag -       &/", {Command::Step, Step(TimeStep::DayBack)}},  // 57
    {"1 Woche - &W", {Command::Step, Step(TimeStep::WeekBack)}},  // 58
    {"1 Monat -  &A", {Command::Step, Step(TimeStep::MonthBack)}},  // 59
    {"1 Jahr -      &C", {Command::Step, Step(TimeStep::YearBack)}},  // 60
    {"-", {}},  // 61
    {"Minuten", {Command::Step, Step(TimeStep::Minutes)}},  // 62
    {"Stunden", {Command::Step, Step(TimeStep::Hours)}},  // 63
    {"Tage", {Command::Step, Step(TimeStep::Days)}},  // 64
    {"Jahre", {Command::Step, Step(TimeStep::Years)}},  // 65
    {"", {}},  // 66
    {"Darstellen", {}},  // 67
    {"Objekt        &O", {Command::ShowObject}},  // 68
    {"&Äquatorial  &Ä", {Command::ShowEquatorial}},  // 69
    {"&Nordpolar  &N", {Command::ShowNorthPolar}},  // 70
    {"Südpolar", {Command::ShowSouthPolar}},  // 71
    {"&Himmel     &H", {Command::ShowWholeSky}},  // 72
    {"Horizont    &Z", {Command::ShowHorizon}},  // 73
    {"System       &Y", {Command::ShowSystem}},  // 74
    {"Tagesephemeride", {Command::ShowDayEphemeris}},  // 75
    {"-", {}},  // 76
    {"&Sternbilder S", {Command::Layer, 0}},  // 77
    {"&Namen       B", {Command::Layer, 1}},  // 78
    {"&Gitter         G", {Command::Layer, 2}},  // 79
    {"&Ekliptik       E", {Command::Layer, 3}},  // 80
    {"&Planeten    P", {Command::Layer, 4}},  // 81
    {"&Messier     M", {Command::Layer, 5}},  // 82
    {"&Track          T", {Command::Layer, 6}},  // 83
    {"Koordinaten", {Command::Coordinates}},  // 84
    {"-", {}},  // 85
    {"&Invers          I", {Command::Invers}},  // 86
    {"Drucken    ^P", {Command::Print}},  // 87
    {"", {}},  // 88
    {"Karte", {}},  // 89
    {"nach Norden     ^", {Command::Pan, Pan(PanDirection::North)}},  // 90
    {"nach Süden        v", {Command::Pan, Pan(PanDirection::South)}},  // 91
    {"nach Osten       <-", {Command::Pan, Pan(PanDirection::East)}},  // 92
    {"nach Westen      ->", {Command::Pan, Pan(PanDirection::West)}},  // 93
    {"-", {}},  // 94
    {"Zoom                Bild vor", {Command::ZoomIn}},  // 95
    {"Mooz                Bild zurück", {Command::ZoomOut}},  // 96
    {"-", {}},  // 97
    {"Zentrieren        Pos1", {Command::Centre}},  // 98
    {"", {}},  // 99
    {"Springe", {}},  // 100
    {"Jetzt               &J", {Command::Now}},  // 101
    {"-", {}},  // 102
    {"Sonnennähe", {Command::Perihelion}},  // 103
    {"Erdnähe", {Command::Perigee}},  // 104
    {"Aufgang", {Command::Rising}},  // 105
    {"-", {}},  // 106
    {"Neumond", {Command::NewMoon}},  // 107
    {"1. Viertel", {Command::FirstQuarter}},  // 108
    {"Vollmond", {Command::FullMoon}},  // 109
    {"3. Viertel", {Command::LastQuarter}},  // 110
    {"-", {}},  // 111
    {"Mondfinsternis", {Command::LunarEclipse}},  // 112
    {"", {}},  // 113
    {"Rechnen", {}},  // 114
    {"Astrophotographie", {Command::Astrophotography}},  // 115
    {"Ephemeride", {Command::Ephemeris}},  // 116
    {"-", {}},  // 117
    {"Tagesdifferenzen", {Command::DayDifference}},  // 118
    {"Interpolation", {Command::Interpolation}},  // 119
    {"Präzession", {Command::Precession}},  // 120
    {"", {}},  // 121
    {"Extra", {}},  // 122
    {"Eingabe Tracklänge", {Command::TrackLength}},  // 123
    {"&Realtime                           R", {Command::Realtime}},  // 124
    {"-", {}},  // 125
    {"Disk laden", {Command::LoadDisk}},  // 126
    {"Disk ändern", {Command::EditDisk}},  // 127
    {"Disk speichern", {Command::SaveDisk}},  // 128
    {"-", {}},  // 129
    {"Einstellungen speichern   ^S", {Command::SaveSettings}},  // 130
    {"", {}},  // 131
    {"Kelmar", {}},  // 132
    {"Info", {Command::Info}},  // 133
    {"Hilfe", {Command::Help}},  // 134
    {"&Quit          Q", {Command::Quit}},  // 135
    {"", {}},  // 136
};

// The object kinds of the "Objekt" menu in its order.
constexpr std::array<ObjectKind, 12> kMenuObjects = {
    ObjectKind::Sun,     ObjectKind::Moon,   ObjectKind::Mercury, ObjectKind::Venus,
    ObjectKind::Mars,    ObjectKind::Jupiter, ObjectKind::Saturn, ObjectKind::Uranus,
    ObjectKind::Neptune, ObjectKind::Disk,   ObjectKind::Messier, ObjectKind::Arbitrary};

// The items of the views in the "Darstellen" menu.
constexpr std::array<std::pair<View, Command>, 8> kViewItems = {{
    {View::ObjectBody, Command::ShowObject},
    {View::Equatorial, Command::ShowEquatorial},
    {View::NorthPolar, Command::ShowNorthPolar},
    {View::SouthPolar, Command::ShowSouthPolar},
    {View::WholeSky, Command::ShowWholeSky},
    {View::Horizon, Command::ShowHorizon},
    {View::System, Command::ShowSystem},
    {View::DayEphemeris, Command::ShowDayEphemeris},
}};

constexpr int kLayerBits = 7;

}  // namespace

int MenuTable::ItemOf(MenuAction action) const {
    if (action.command == Command::None) return 0;
    const auto it = std::find(actions.begin(), actions.end(), action);
    return it == actions.end() ? 0 : static_cast<int>(it - actions.begin());
}

MenuAction MenuTable::ActionOf(int n) const {
    if (n < 0 || n > LastMenuItem || n >= static_cast<int>(actions.size())) return {};
    return actions[static_cast<std::size_t>(n)];
}

MenuTable LoadMenuTable() {
    MenuTable m;
    for (const MenuRow& row : kBuiltInMenu) {
        m.captions.emplace_back(row.caption);
        m.actions.push_back(row.action);
    }
    m.LastMenuItem = static_cast<int>(m.captions.size()) - 1;
    return m;
}

void ApplyStateCaptions(MenuTable& m, const astronomy::ProgramState& s) {
    const int places = std::clamp(s.OrtAnz, 0, astronomy::kPlacesInMenu);
    for (int n = 1; n <= places; ++n) {
        const int item = m.ItemOf({Command::Place, n});
        if (item && !s.Orte[n].name.empty()) m.captions[item] = s.Orte[n].name;
    }
    if (const int item = m.ItemOf(ObjectAction(ObjectKind::Disk)); item && !s.DiskName.empty())
        m.captions[item] = s.DiskName;
    if (const int item = m.ItemOf(ObjectAction(ObjectKind::Messier)))
        m.captions[item] = "M " + std::to_string(s.Messier);
    if (const int item = m.ItemOf(ObjectAction(ObjectKind::Arbitrary)); item && !s.BelName.empty())
        m.captions[item] = s.BelName;
}

void MarkAction(const MenuTable& m, platform::MenuBar& bar, MenuAction action, int state) {
    if (const int item = m.ItemOf(action)) bar.SetItemState(item, state);
}

void MarkCommand(const MenuTable& m, platform::MenuBar& bar, Command command, int state) {
    MarkAction(m, bar, {command}, state);
}

MenuAction ObjectAction(ObjectKind kind) { return {Command::SelectObject, Kind(kind)}; }

MenuAction ViewAction(View view) {
    if (astronomy::IsObjectView(view)) return {Command::ShowObject};
    for (const auto& [v, command] : kViewItems)
        if (v == view) return {command};
    return {};
}

void RefreshMenuMarks(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s) {
    bar.Build(m.captions, m.LastMenuItem);
    // The place items, also those that edit the place, are enabled; the
    // items beyond the list of places (a settings file may hold fewer than
    // fifteen) are greyed.
    for (int n = 1; n <= astronomy::kPlacesInMenu; ++n)
        MarkAction(m, bar, {Command::Place, n}, n <= s.OrtAnz ? platform::kItemPlain : platform::kItemGreyed);
    MarkCommand(m, bar, Command::PlaceGeographic, platform::kItemPlain);
    MarkCommand(m, bar, Command::PlaceUtm, platform::kItemPlain);
    MarkAction(m, bar, {Command::Place, s.Ort}, platform::kItemChecked);
    MarkAction(m, bar, {Command::Zone, s.Zone}, platform::kItemChecked);
    MarkAction(m, bar, ObjectAction(s.Objekt), platform::kItemChecked);
    RefreshModeMarks(m, bar, s);
}

void RefreshModeMarks(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s) {
    for (const auto& [view, command] : kViewItems) MarkCommand(m, bar, command, platform::kItemPlain);
    MarkCommand(m, bar, Command::ShowSouthPolar, platform::kItemGreyed);
    MarkAction(m, bar, ViewAction(s.ChartMode), platform::kItemChecked);
    RefreshFlagMarks(m, bar, s);
    // The coordinate tool reads the equatorial and the polar charts; on
    // every other view it has nothing to read.
    const bool readable = s.ChartMode == View::Equatorial || astronomy::IsPolarChart(s.ChartMode);
    MarkCommand(m, bar, Command::Coordinates, readable ? platform::kItemEnabled : platform::kItemGreyed);
    MarkCommand(m, bar, Command::Astrophotography, platform::kItemGreyed);
}

void RefreshFlagMarks(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s) {
    for (int bit = 0; bit < kLayerBits; ++bit) {
        const bool set = (s.DisplayFlags & (1 << bit)) != 0;
        MarkAction(m, bar, {Command::Layer, bit}, set ? platform::kItemChecked : platform::kItemPlain);
    }
    MarkCommand(m, bar, Command::Invers, platform::kItemPlain);
}

void MarkObjectChoice(const MenuTable& m, platform::MenuBar& bar, ObjectKind kind) {
    for (const ObjectKind k : kMenuObjects) MarkAction(m, bar, ObjectAction(k), platform::kItemPlain);
    MarkAction(m, bar, ObjectAction(kind), platform::kItemChecked);
}

std::vector<MenuAction> ActionsForKey(const platform::Key& key) {
    using K = platform::Key;
    struct Binding {
        K::Special special;
        std::string_view text;
        MenuAction action;
    };
    static const Binding kBindings[] = {
        {K::Up, "", {Command::Pan, Pan(PanDirection::North)}},
        {K::Down, "", {Command::Pan, Pan(PanDirection::South)}},
        {K::Left, "", {Command::Pan, Pan(PanDirection::East)}},
        {K::Right, "", {Command::Pan, Pan(PanDirection::West)}},
        {K::PageUp, "", {Command::ZoomIn}},
        {K::PageDown, "", {Command::ZoomOut}},
        {K::Home, "", {Command::Centre}},
        {K::F1, "", {Command::Help}},  // the help key of every desktop program
        {K::None, "0", {Command::Zone, 0}},
        {K::None, "1", {Command::Zone, 1}},
        {K::None, "2", {Command::Zone, 2}},
        {K::None, ">", {Command::Step, Step(TimeStep::MinuteForward)}},
        {K::None, "+", {Command::Step, Step(TimeStep::HourForward)}},
        {K::None, "*", {Command::Step, Step(TimeStep::DayForward)}},
        {K::None, "w", {Command::Step, Step(TimeStep::WeekForward)}},
        {K::None, "a", {Command::Step, Step(TimeStep::MonthForward)}},
        {K::None, "c", {Command::Step, Step(TimeStep::YearForward)}},
        {K::None, "<", {Command::Step, Step(TimeStep::MinuteBack)}},
        {K::None, "-", {Command::Step, Step(TimeStep::HourBack)}},
        {K::None, "/", {Command::Step, Step(TimeStep::DayBack)}},
        {K::None, "W", {Command::Step, Step(TimeStep::WeekBack)}},
        {K::None, "A", {Command::Step, Step(TimeStep::MonthBack)}},
        {K::None, "C", {Command::Step, Step(TimeStep::YearBack)}},
        {K::None, "o", {Command::ShowObject}},
        {K::None, "ä", {Command::ShowEquatorial}},
        {K::None, "n", {Command::ShowNorthPolar}},
        {K::None, "h", {Command::ShowWholeSky}},
        {K::None, "z", {Command::ShowHorizon}},
        {K::None, "y", {Command::ShowSystem}},
        {K::None, "g", {Command::Layer, 2}},
        {K::None, "e", {Command::Layer, 3}},
        {K::None, "p", {Command::Layer, 4}},
        {K::None, "m", {Command::Layer, 5}},
        {K::None, "t", {Command::Layer, 6}},
        {K::None, "i", {Command::Invers}},
        {K::None, "\x10", {Command::Print}},
        {K::None, "j", {Command::Now}},
        {K::None, "r", {Command::Realtime}},
        {K::None, "\x13", {Command::SaveSettings}},
        {K::None, "q", {Command::Quit}},
        {K::None, "b", {Command::Layer, 1}},
        {K::None, "s", {Command::Layer, 0}},
    };
    std::vector<MenuAction> actions;
    for (const Binding& b : kBindings) {
        const bool hit = b.special != K::None ? key.special == b.special : key.text == b.text;
        if (hit) actions.push_back(b.action);
    }
    return actions;
}

}  // namespace shell
