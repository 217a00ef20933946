// The menu table: its captions, the command of each item, the marks and the
// key bindings. Item numbers and captions come from the built-in list.
#include "shell/Menus.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using astronomy::ProgramState;
using shell::MenuTable;
using astronomy::ObjectKind;
using astronomy::View;
using shell::Command;
using shell::MenuAction;
using Calls = std::vector<std::pair<int, int>>;
constexpr int kPlain = platform::kItemPlain, kChecked = platform::kItemChecked, kGreyed = platform::kItemGreyed;

// A menu bar that remembers what it was told.
class RecordingMenuBar : public platform::MenuBar {
public:
    void Build(const std::vector<std::string>& captions, int last) override {
        ++builds, builtCaptions = captions, builtLast = last;
        states.clear(), calls.clear();
    }
    void SetItemState(int n, int state) override { states[n] = state, calls.emplace_back(n, state); }
    int ItemState(int n) const override {
        auto it = states.find(n);
        return it == states.end() ? kPlain : it->second;
    }
    // The items in [from, to] whose state is not plain.
    std::map<int, int> Marked(int from = 0, int to = 1000) const {
        std::map<int, int> marked;
        for (auto [n, st] : states)
            if (st != kPlain && n >= from && n <= to) marked[n] = st;
        return marked;
    }

    int builds = 0, builtLast = -1;
    std::vector<std::string> builtCaptions;
    std::map<int, int> states;
    Calls calls;  // SetItemState in call order
};

// The defaults of a fresh installation: 15 built-in places, "Pluto" as the
// orbit object, "Polarstern" as the arbitrary object; optionally M 31.
ProgramState DefaultState(int messier = 0) {
    ProgramState s;
    if (messier) s.Messier = messier;
    return s;
}

MenuTable LoadedTable(const ProgramState& s) {
    MenuTable m = shell::LoadMenuTable();
    shell::ApplyStateCaptions(m, s);
    return m;
}

// ---------------------------------------------------------------------------
// The table (item numbers and captions from the built-in list)

TEST(MenuCaptions, NineMenusEachClosedByAnEmptyCaption) {
    const MenuTable m = shell::LoadMenuTable();
    EXPECT_EQ(m.LastMenuItem, 136);
    ASSERT_EQ(m.captions.size(), 137u);
    const std::vector<std::pair<int, std::string>> titles = {
        {0, "Parameter"}, {29, "Objekt"}, {47, "Offset"}, {67, "Darstellen"}, {89, "Karte"},
        {100, "Springe"}, {114, "Rechnen"}, {122, "Extra"}, {132, "Kelmar"}};
    std::vector<std::pair<int, std::string>> found;
    std::vector<int> empties;
    for (int n = 0; n <= m.LastMenuItem; ++n) {
        if ((n == 0 || m.captions[n - 1].empty()) && !m.captions[n].empty()) found.emplace_back(n, m.captions[n]);
        if (m.captions[n].empty()) empties.push_back(n);
    }
    EXPECT_EQ(found, titles);
    // Each menu ends with an empty caption just before the next title.
    EXPECT_EQ(empties, (std::vector<int>{28, 46, 66, 88, 99, 113, 121, 131, 136}));
}

TEST(MenuCaptions, SampleCaptionsCharacterForCharacter) {
    const MenuTable m = shell::LoadMenuTable();
    // A sample across the menus, blanks included; the keys test below checks
    // the hint at the end of every bound item.
    const std::vector<std::pair<int, std::string>> cases = {
        {2, "Zei&t"},
        {4, "Äquinoktium"},
        {6, "UT                 &0"},
        {27, "-Ort ändern UTM"},
        {41, "M 1"},
        {51, "1 Woche + &w"},
        {56, "1 Std -        &-"},
        {69, "&Äquatorial  &Ä"},
        {79, "&Gitter         G"},
        {91, "nach Süden        v"},
        {95, "Zoom                Bild vor"},
        {96, "Mooz                Bild zurück"},
        {108, "1. Viertel"},
        {124, "&Realtime                           R"},
        {130, "Einstellungen speichern   ^S"},
    };
    for (const auto& [n, caption] : cases) EXPECT_EQ(m.captions[n], caption) << n;
    for (int k = 1; k <= 15; ++k) EXPECT_EQ(m.captions[k + 9], "Ort" + std::to_string(k));
}

TEST(MenuCommands, EveryItemRunsItsOwnCommand) {
    // Titles, separators and the empty captions run nothing; every other
    // item runs a command that no other item runs, so that the marks of a
    // command land on exactly one item.
    const MenuTable m = shell::LoadMenuTable();
    for (int n = 0; n <= m.LastMenuItem; ++n) {
        const std::string& c = m.captions[n];
        const bool title = n == 0 || m.captions[n - 1].empty();
        const MenuAction a = m.ActionOf(n);
        SCOPED_TRACE(std::to_string(n) + " " + c);
        if (title || c.empty() || c == "-") {
            EXPECT_EQ(a.command, Command::None);
            continue;
        }
        ASSERT_NE(a.command, Command::None);
        EXPECT_EQ(m.ItemOf(a), n);
    }
    for (int n : {-1, 137, 1000}) EXPECT_EQ(m.ActionOf(n).command, Command::None) << n;
}

TEST(MenuCommands, EveryViewMarksItsItem) {
    // The object views (and the state before the first view) share the
    // "Objekt" item; the views without an item of their own mark none.
    const MenuTable m = shell::LoadMenuTable();
    const std::vector<std::pair<View, int>> views = {
        {View::None, 68},       {View::ObjectBody, 68}, {View::ObjectMessier, 68}, {View::ObjectArbitrary, 68},
        {View::WholeSky, 72},   {View::Equatorial, 69}, {View::Horizon, 73},       {View::NorthPolar, 70},
        {View::SouthPolar, 71}, {View::DayEphemeris, 75}, {View::System, 74},      {View::MoonPhases, 0},
        {View::Astrophoto, 0},  {View::Searching, 0}};
    for (const auto& [view, item] : views) EXPECT_EQ(m.ItemOf(shell::ViewAction(view)), item) << item;
    EXPECT_EQ(m.ItemOf(shell::ObjectAction(ObjectKind::Earth)), 0);  // the Earth is no menu object
}

TEST(MenuCaptions, StateCaptionsOfPlacesAndObjects) {
    const MenuTable m = LoadedTable(DefaultState());
    // The built-in places in list order, DiskName "Pluto", M 1, "Polarstern".
    const std::vector<std::pair<int, std::string>> cases = {
        {10, "Hannover"}, {11, "Berlin"}, {22, "Nordpol"}, {23, "Äquator"},    {24, "Südpol"},
        {25, "-"},        {39, "Pluto"},  {41, "M 1"},     {42, "Polarstern"}, {126, "Disk laden"}};
    for (const auto& [n, caption] : cases) EXPECT_EQ(m.captions[n], caption) << n;
}

TEST(MenuCaptions, StateCaptionsKeepTheirItemsWhereNamesAreMissing) {
    ProgramState s = DefaultState(31);
    s.OrtAnz = 3;
    s.Orte[2].name = "";
    s.DiskName = "";
    s.BelName = "";
    const MenuTable m = LoadedTable(s);
    // Only places 1 to OrtAnz with a name replace "Ort<n>"; an empty caption
    // would close the "Objekt" menu early.
    const std::vector<std::pair<int, std::string>> cases = {
        {10, "Hannover"}, {11, "Ort2"}, {12, "Hamburg"}, {13, "Ort4"}, {41, "M 31"}, {39, "Disk"}, {42, "beliebig"}};
    for (const auto& [n, caption] : cases) EXPECT_EQ(m.captions[n], caption) << n;
}

TEST(MenuCaptions, MorePlacesThanTheMenuHoldsLeaveTheMenuIntact) {
    ProgramState s = DefaultState();
    s.OrtAnz = 20;
    for (int n = 16; n <= 20; ++n) s.Orte[n].name = "Extra" + std::to_string(n);
    const MenuTable m = LoadedTable(s);
    // Only places 1 to 15 can be shown (items 10 to 24).
    EXPECT_EQ(m.captions[24], "Südpol");
    EXPECT_EQ(m.captions[25], "-");
    EXPECT_EQ(m.captions[28], "");
    EXPECT_EQ(m.captions[29], "Objekt");
}

// ---------------------------------------------------------------------------
// Marks

TEST(RefreshMenuMarks, DefaultsOfAFreshInstallation) {
    const ProgramState s = DefaultState();
    const MenuTable m = LoadedTable(s);
    RecordingMenuBar bar;
    bar.states[50] = kChecked;  // cleared by the rebuild
    shell::RefreshMenuMarks(m, bar, s);
    EXPECT_EQ(bar.builds, 1);
    EXPECT_EQ(bar.builtLast, 136);
    EXPECT_EQ(bar.builtCaptions, m.captions);
    // Place 1 "Hannover", zone MEZ, object "Sonne", "Himmel", DisplayFlags
    // 123 (every layer but the grid); "Südpolar", "Koordinaten" and
    // "Astrophotographie" greyed; the place entries enabled.
    const std::map<int, int> expected = {{7, 1},  {10, 1}, {30, 1}, {71, 2}, {72, 1}, {77, 1}, {78, 1},
                                         {80, 1}, {81, 1}, {82, 1}, {83, 1}, {84, 2}, {115, 2}};
    EXPECT_EQ(bar.Marked(), expected);
    EXPECT_EQ(bar.ItemState(27), kPlain);  // "-Ort ändern UTM" is built greyed
}

TEST(RefreshMenuMarks, ZonePlaceAndObject) {
    struct Case {
        int zone, ort;
        ObjectKind objekt;
        View mode;
        std::vector<int> checked, unchecked;  // among the zone, place and object items
    };
    // Zones are items 6 to 8, places 10 + Ort - 1, objects 30 to 42.
    const std::vector<Case> cases = {
        {0, 2, ObjectKind::Moon, View::ObjectBody, {6, 11, 31, 68}, {7, 8, 10, 30}},
        {2, 15, ObjectKind::Neptune, View::WholeSky, {8, 24, 38, 72}, {6, 7, 68}},
        {1, 1, ObjectKind::Messier, View::ObjectMessier, {7, 41, 68}, {30, 39, 42}},
        {1, 1, ObjectKind::Disk, View::ObjectBody, {39, 68}, {41, 42}},
        {1, 1, ObjectKind::Arbitrary, View::ObjectArbitrary, {42, 68}, {39, 41}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(astronomy::ObjectName(c.objekt)));
        ProgramState s = DefaultState();
        s.Zone = c.zone, s.Ort = c.ort, s.Objekt = c.objekt, s.ChartMode = c.mode;
        const MenuTable m = LoadedTable(s);
        RecordingMenuBar bar;
        shell::RefreshMenuMarks(m, bar, s);
        for (int n : c.checked) EXPECT_EQ(bar.ItemState(n), kChecked) << n;
        for (int n : c.unchecked) EXPECT_EQ(bar.ItemState(n), kPlain) << n;
    }
}

TEST(RefreshModeMarks, ItemOfEachView) {
    // The views and the "Darstellen" items 68 to 75; 0: none checked.
    const std::vector<std::pair<View, int>> cases = {
        {View::None, 68},       {View::ObjectBody, 68},   {View::ObjectMessier, 68}, {View::ObjectArbitrary, 68},
        {View::WholeSky, 72},   {View::Equatorial, 69},   {View::Horizon, 73},       {View::NorthPolar, 70},
        {View::SouthPolar, 71}, {View::DayEphemeris, 75}, {View::System, 74},        {View::MoonPhases, 0},
        {View::Astrophoto, 0},  {View::Searching, 0}};
    const ProgramState base = DefaultState();
    const MenuTable m = LoadedTable(base);
    for (const auto& [mode, item] : cases) {
        SCOPED_TRACE(astronomy::ViewNumber(mode));
        ProgramState s = base;
        s.ChartMode = mode;
        RecordingMenuBar bar;
        for (int n = 68; n <= 75; ++n) bar.states[n] = kChecked;  // stale marks
        shell::RefreshModeMarks(m, bar, s);
        for (int n = 68; n <= 75; ++n)  // "Südpolar" (71) greyed unless it is the view
            EXPECT_EQ(bar.ItemState(n), n == item ? kChecked : n == 71 ? kGreyed : kPlain) << n;
        // "Koordinaten" only where the tool has a chart to read.
        const bool readable = mode == View::Equatorial || mode == View::NorthPolar || mode == View::SouthPolar;
        EXPECT_EQ(bar.ItemState(84), readable ? platform::kItemEnabled : kGreyed);
        EXPECT_EQ(bar.ItemState(115), kGreyed);
    }
}

TEST(RefreshFlagMarks, OneItemPerSetBitAndSwitchedOffLayersLoseTheirMarks) {
    // The DisplayFlags table, items 77 to 83 in bit order.
    const std::vector<std::pair<int, std::vector<int>>> cases = {
        {123, {77, 78, 80, 81, 82, 83}}, {127, {77, 78, 79, 80, 81, 82, 83}}, {4, {79}}, {64, {83}}, {0, {}}};
    const ProgramState base = DefaultState();
    const MenuTable m = LoadedTable(base);
    for (const auto& [flags, expected] : cases) {
        SCOPED_TRACE(flags);
        ProgramState s = base;
        s.DisplayFlags = flags;
        RecordingMenuBar bar;
        for (int n : {77, 78, 79, 80, 81, 82, 83, 86}) bar.states[n] = kChecked;  // stale marks
        shell::RefreshFlagMarks(m, bar, s);
        std::vector<int> checked;
        for (auto [n, st] : bar.Marked(77, 83)) {
            checked.push_back(n);
            EXPECT_EQ(st, kChecked) << n;
        }
        EXPECT_EQ(checked, expected);
        EXPECT_EQ(bar.ItemState(86), kPlain) << "Invers is unmarked";
    }
}

TEST(MarkObjectChoice, OnlyTheChosenObjectIsChecked) {
    const ProgramState s = DefaultState(31);
    const MenuTable m = LoadedTable(s);
    const std::vector<std::pair<ObjectKind, int>> cases = {
        {ObjectKind::Venus, 33}, {ObjectKind::Messier, 41}, {ObjectKind::Disk, 39}, {ObjectKind::Arbitrary, 42}};
    for (const auto& [kind, item] : cases) {
        SCOPED_TRACE(item);
        RecordingMenuBar bar;
        for (int n = 30; n <= 42; ++n)
            if (n != 40) bar.states[n] = kChecked;  // stale marks on the items
        shell::MarkObjectChoice(m, bar, kind);
        EXPECT_EQ(bar.Marked(30, 42), (std::map<int, int>{{item, kChecked}}));
    }
}

// ---------------------------------------------------------------------------
// Keys

TEST(ActionsForKey, EveryBoundKeyAndItsCaption) {
    // Every bound key with the menu item it runs. Every key's item carries
    // the key at the end of its caption (hint or mnemonic), so the bindings
    // and the menu cannot drift apart unnoticed.
    const MenuTable m = LoadedTable(DefaultState());
    using K = platform::Key;
    struct Case {
        K key;
        int item;
        const char* hint;
    };
    const std::vector<Case> cases = {
        {{"", K::Up}, 90, " ^"},       {{"", K::Down}, 91, " v"},        {{"", K::Left}, 92, " <-"},
        {{"", K::Right}, 93, " ->"},   {{"", K::PageUp}, 95, " Bild vor"}, {{"", K::PageDown}, 96, " Bild zurück"},
        {{"", K::Home}, 98, " Pos1"},  {{"0"}, 6, "&0"},   {{"1"}, 7, "&1"},   {{"2"}, 8, "&2"},
        {{">"}, 48, "&>"},  {{"+"}, 49, "&+"},  {{"*"}, 50, "&*"},  {{"w"}, 51, "&w"},  {{"a"}, 52, "&a"},
        {{"c"}, 53, "&c"},  {{"<"}, 55, "&<"},  {{"-"}, 56, "&-"},  {{"/"}, 57, "&/"},  {{"W"}, 58, "&W"},
        {{"A"}, 59, "&A"},  {{"C"}, 60, "&C"},  {{"o"}, 68, "&O"},  {{"ä"}, 69, "&Ä"},  {{"n"}, 70, "&N"},
        {{"h"}, 72, "&H"},  {{"z"}, 73, "&Z"},  {{"y"}, 74, "&Y"},  {{"s"}, 77, " S"},  {{"b"}, 78, " B"},
        {{"g"}, 79, " G"},  {{"e"}, 80, " E"},  {{"p"}, 81, " P"},  {{"m"}, 82, " M"},  {{"t"}, 83, " T"},
        {{"i"}, 86, " I"},  {{"\x10"}, 87, "^P"}, {{"j"}, 101, "&J"}, {{"r"}, 124, " R"}, {{"\x13"}, 130, "^S"},
        {{"q"}, 135, " Q"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key.text + "/" + std::to_string(c.key.special));
        const std::vector<MenuAction> actions = shell::ActionsForKey(c.key);
        ASSERT_EQ(actions.size(), 1u);
        EXPECT_EQ(m.ItemOf(actions.front()), c.item);
        EXPECT_TRUE(m.captions[c.item].ends_with(c.hint)) << m.captions[c.item];
    }
}

TEST(ActionsForKey, UnboundKeysAndOtherCases) {
    // Letters are case-sensitive; only the tabled keys are bound.
    for (const platform::Key& key : std::vector<platform::Key>{
             {"Q"}, {"O"}, {"H"}, {"Ä"}, {"x"}, {"3"}, {"\x11"}, {"oo"}, {""}, {"ä "}})
        EXPECT_TRUE(shell::ActionsForKey(key).empty()) << key.text;
}

}  // namespace
