// The menu captions, their marks, the command dispatch and the key bindings.
// Item numbers and captions come from the built-in list.
#include "shell/Menus.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using astronomy::ProgramState;
using shell::MenuTable;
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
    s.DataFolder = "data";
    astronomy::ApplyDefaults(s);
    if (messier) s.Messier = messier;
    return s;
}

MenuTable LoadedTable(const ProgramState& s) {
    MenuTable m;
    shell::LoadMenuCaptions(m);
    shell::ApplyStateCaptions(m, s);
    return m;
}

// ---------------------------------------------------------------------------
// The caption table (item numbers and captions from the built-in list)

TEST(MenuCaptions, BuiltInListEndsAtTheMarker) {
    MenuTable m;
    shell::LoadMenuCaptions(m);
    // 0 to 136, then the end marker at 137: the marker and all after it cleared.
    EXPECT_EQ(m.captions.size(), 150u);
    EXPECT_EQ(m.LastMenuItem, 136);
    for (int n = 136; n < 150; ++n) EXPECT_EQ(m.captions[n], "") << n;
    const std::vector<int> remembered = {m.DiskItem,  m.MessierItem, m.BeliebigItem, m.OffsetItem, m.DarstellenItem,
                                         m.KarteItem, m.SpringeItem, m.ExtraItem,    m.QuitItem};
    EXPECT_EQ(remembered, (std::vector<int>{39, 41, 42, 47, 67, 89, 100, 122, 135}));
}

TEST(MenuCaptions, NineMenusEachClosedByAnEmptyCaption) {
    MenuTable m;
    shell::LoadMenuCaptions(m);
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
    MenuTable m;
    shell::LoadMenuCaptions(m);
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

TEST(PrepareMenuName, EightCharactersAfterTheMnemonicRules) {
    // The preparation rule of the mark search, worked by hand.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Sonne", "Sonne   "},
        {"", "        "},
        {"-", "        "},
        {"UT                 &0", "UT      "},
        {"&Äquatorial  &Ä", "Äquatori"},  // eight characters, not eight bytes
        {"Südpolar", "Südpolar"},
        {"-Ort ändern UTM", "Ort ände"},
        {"&Messier     M", "Messier "},
        {"Zei&t", "Zeit    "},
        {"--x", "-x      "},    // only one leading "-" goes
        {"&&x", "x       "},    // the first "&", then a leading one
        {"a&b&c", "ab&c    "},  // only the first "&" goes
        {"-&Gitter", "Gitter  "},
    };
    for (const auto& [text, prepared] : cases) EXPECT_EQ(shell::PrepareMenuName(text), prepared) << text;
}

TEST(SetMenuMark, SearchGoesOnFromTheLastMatch) {
    const ProgramState s = DefaultState(31);
    const MenuTable m = LoadedTable(s);
    struct Case {
        const char* list;
        int state;
        Calls expected;
    };
    const std::vector<Case> cases = {
        {"Sonne|Objekt", 1, {{30, 1}, {68, 1}}},
        {"Objekt|Sonne", 1, {{68, 1}}},
        {"Disk|Objekt", 1, {}},  // item 39 shows "Pluto"
        {"Pluto|Objekt", 1, {{39, 1}, {68, 1}}},
        {"Objekt", 1, {{68, 1}}},  // the title 29 is skipped
        {"Offset", 1, {}},         // titles never match
        {"Kelmar", 1, {}},
        {"Datum", 1, {}},  // item 1 never matches
        {"Zeit", 1, {{2, 1}}},
        {"Messier", 1, {{41, 1}}},   // "Messier" stands for "M 31"
        {"Messier ", 1, {{82, 1}}},  // the layer item
        {"Hannover|Nordpolar", 0, {{10, 0}, {70, 0}}},
        {"Südpolar", 2, {{71, 2}}},
        {"Track|Sternbild", 1, {{83, 1}}},
        {"MEZ             1", 1, {{7, 1}}},
        {"", 1, {{5, 1}}},  // blanks match a separator
        {"Quit", 1, {{135, 1}}},
        {"Nichts|Sonne", 1, {}},
        {"Koordina|Astropho", 2, {{84, 2}, {115, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.list);
        RecordingMenuBar bar;
        shell::SetMenuMark(m, bar, s, c.list, c.state);
        EXPECT_EQ(bar.calls, c.expected);
    }
}

TEST(SetMenuMark, PlaceItemsFromTheirCaptions) {
    // Items 10 to OrtAnz + 12 are the places, the separator and the two
    // place-change items; each name finds its own item in order.
    const ProgramState s = DefaultState();
    const MenuTable m = LoadedTable(s);
    std::string list;
    Calls expected;
    for (int n = 10; n <= 27; ++n) list += (n > 10 ? "|" : "") + m.captions[n], expected.emplace_back(n, 0);
    RecordingMenuBar bar;
    shell::SetMenuMark(m, bar, s, list, 0);
    EXPECT_EQ(bar.calls, expected);
}

TEST(RefreshMenuMarks, DefaultsOfAFreshInstallation) {
    const ProgramState s = DefaultState();
    const MenuTable m = LoadedTable(s);
    RecordingMenuBar bar;
    bar.states[50] = kChecked;  // cleared by the rebuild
    shell::RefreshMenuMarks(m, bar, s);
    EXPECT_EQ(bar.builds, 1);
    EXPECT_EQ(bar.builtLast, 136);
    EXPECT_EQ(bar.builtCaptions, m.captions);
    // Place 1 "Hannover", zone MEZ, object "Sonne", ChartMode 4, DisplayFlags
    // 123 (every layer but the grid); "Südpolar", "Koordinaten" and
    // "Astrophotographie" greyed; the mode marks clear "Objekt" (68).
    const std::map<int, int> expected = {{7, 1},  {10, 1}, {30, 1}, {71, 2}, {72, 1}, {77, 1}, {78, 1},
                                         {80, 1}, {81, 1}, {82, 1}, {83, 1}, {84, 2}, {115, 2}};
    EXPECT_EQ(bar.Marked(), expected);
}

TEST(RefreshMenuMarks, ZonePlaceAndObject) {
    struct Case {
        int zone, ort;
        std::string objekt;
        float mode;
        std::vector<int> checked, unchecked;  // among the zone, place and object items
    };
    // Zones are items 6 to 8, places 10 + Ort - 1, objects 30 to 42.
    const std::vector<Case> cases = {
        {0, 2, "Mond", 1, {6, 11, 31, 68}, {7, 8, 10, 30}},
        {2, 15, "Neptun", 4, {8, 24, 38, 72}, {6, 7, 68}},
        {1, 1, "Messier", 2, {7, 41, 68}, {30, 39, 42}},
        {1, 1, "Disk", 1, {39, 68}, {41, 42}},
        {1, 1, "beliebig", 3, {42, 68}, {39, 41}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.objekt);
        ProgramState s = DefaultState();
        s.Zone = c.zone, s.Ort = c.ort, s.Objekt = c.objekt, s.ChartMode = c.mode;
        const MenuTable m = LoadedTable(s);
        RecordingMenuBar bar;
        shell::RefreshMenuMarks(m, bar, s);
        for (int n : c.checked) EXPECT_EQ(bar.ItemState(n), kChecked) << n;
        for (int n : c.unchecked) EXPECT_EQ(bar.ItemState(n), kPlain) << n;
    }
}

TEST(RefreshModeMarks, ItemOfEachChartMode) {
    // The ChartMode table and the "Darstellen" items 68 to 75; 0: none checked.
    const std::vector<std::pair<float, int>> cases = {{0, 68},  {1, 68}, {2, 68}, {3, 68},  {4, 72},
                                                      {5, 69},  {5.5f, 73}, {6, 70}, {7, 71}, {8, 75},
                                                      {12, 74}, {9, 0},  {10, 0}, {99, 0}};
    const ProgramState base = DefaultState();
    const MenuTable m = LoadedTable(base);
    for (const auto& [mode, item] : cases) {
        SCOPED_TRACE(mode);
        ProgramState s = base;
        s.ChartMode = mode;
        RecordingMenuBar bar;
        for (int n = 68; n <= 75; ++n) bar.states[n] = kChecked;  // stale marks
        shell::RefreshModeMarks(m, bar, s);
        for (int n = 68; n <= 75; ++n)  // "Südpolar" (71) greyed unless it is the mode
            EXPECT_EQ(bar.ItemState(n), n == item ? kChecked : n == 71 ? kGreyed : kPlain) << n;
        // "Koordinaten" only where the tool has a chart to read.
        const bool readable = mode == 5 || mode == 6 || mode == 7;
        EXPECT_EQ(bar.ItemState(84), readable ? platform::kItemEnabled : kGreyed);
        EXPECT_EQ(bar.ItemState(115), kGreyed);
    }
}

TEST(RefreshFlagMarks, OneItemPerSetBitAndSwitchedOffLayersLoseTheirMarks) {
    // The DisplayFlags table, items 77 to 83 in bit order. Every layer item,
    // "&Messier" and "&Track" included, is reset before the set bits are
    // marked again (the bare name "Messier" would have stood for the Messier
    // object's item "M 1" and stopped the search early).
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

// ---------------------------------------------------------------------------
// Dispatch

TEST(ResolveMenuCommand, NameTitleAndOffset) {
    MenuTable m = LoadedTable(DefaultState(31));
    m.captions[33] = "--Venus";  // a caption written with a doubled "-"
    struct Case {
        int n;
        std::string name;
        int title;
    };
    // DiskItem and BeliebigItem by their fixed names, "--" to "-", the first
    // "&" removed; one item under every title.
    const std::vector<Case> cases = {
        {2, "Zeit", 0},
        {6, "UT                 0", 0},
        {27, "-Ort ändern UTM", 0},
        {39, "Disk", 29},
        {42, "beliebig", 29},
        {41, "M 31", 29},
        {30, "Sonne", 29},
        {33, "-Venus", 29},
        {50, "1 Tag +      *", 47},
        {69, "Äquatorial  &Ä", 67},
        {98, "Zentrieren        Pos1", 89},
        {101, "Jetzt               J", 100},
        {120, "Präzession", 114},
        {130, "Einstellungen speichern   ^S", 122},
        {135, "Quit          Q", 132},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        const shell::MenuCommand cmd = shell::ResolveMenuCommand(m, c.n);
        ASSERT_TRUE(cmd.valid());
        EXPECT_EQ(cmd.name, c.name);
        EXPECT_EQ(cmd.title, c.title);
        EXPECT_EQ(cmd.offset, c.n - c.title);
    }
}

TEST(ResolveMenuCommand, NothingOutsideTheItems) {
    // Numbers outside the table, titles, separators and empty captions.
    const MenuTable m = LoadedTable(DefaultState());
    for (int n : {-1, 0, 5, 9, 25, 28, 29, 46, 47, 54, 66, 67, 89, 132, 136, 137, 149, 150, 1000})
        EXPECT_FALSE(shell::ResolveMenuCommand(m, n).valid()) << n;
}

TEST(BeginMenuCommand, RenamedObjectItemsMarkTheirCaption) {
    // Choosing the "Disk" or "beliebig" item checks its caption first.
    const ProgramState s = DefaultState();
    const MenuTable m = LoadedTable(s);
    struct Case {
        int n;
        std::string name;
        Calls marks;
    };
    for (const Case& c : {Case{39, "Disk", {{39, 1}}}, Case{42, "beliebig", {{42, 1}}}, Case{41, "M 1", {}},
                          Case{50, "1 Tag +      *", {}}}) {
        SCOPED_TRACE(c.n);
        RecordingMenuBar bar;
        EXPECT_EQ(shell::BeginMenuCommand(m, bar, s, c.n).name, c.name);
        EXPECT_EQ(bar.calls, c.marks);
    }
}

TEST(ItemsForKey, EveryBoundKeyAndItsCaption) {
    // The Key column of the command table. Every key's item carries the key
    // at the end of its caption (hint or mnemonic), so the bindings and the
    // list cannot drift apart unnoticed.
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
        EXPECT_EQ(shell::ItemsForKey(m, c.key), std::vector<int>{c.item});
        EXPECT_TRUE(m.captions[c.item].ends_with(c.hint)) << m.captions[c.item];
    }
}

TEST(ItemsForKey, UnboundKeysAndOtherCases) {
    // Letters are case-sensitive; only the tabled keys are bound.
    const MenuTable m = LoadedTable(DefaultState());
    for (const platform::Key& key : std::vector<platform::Key>{
             {"Q"}, {"O"}, {"H"}, {"Ä"}, {"x"}, {"3"}, {"\x11"}, {"oo"}, {""}, {"ä "}})
        EXPECT_TRUE(shell::ItemsForKey(m, key).empty()) << key.text;
}

// ---------------------------------------------------------------------------
// Object choice

TEST(ObjectChoiceMarks, OldObjectOffNewObjectOn) {
    struct Case {
        std::string oldObjekt;
        int n;
        std::string newObjekt;
        Calls calls;
        std::map<int, int> marked;  // among items 30 to 42 afterwards
    };
    // DiskName "Pluto", M 31, BelName "Polarstern". The names "Disk" and
    // "beliebig" match no caption: their items are checked by the choice's
    // first step, by their captions.
    const std::vector<Case> cases = {
        {"Sonne", 33, "Venus", {{30, 0}, {39, 0}, {41, 0}, {42, 0}, {33, 1}}, {{33, 1}}},
        {"Sonne", 41, "Messier", {{30, 0}, {39, 0}, {42, 0}, {41, 1}}, {{41, 1}}},
        {"Messier", 31, "Mond", {{41, 0}, {39, 0}, {41, 0}, {42, 0}, {31, 1}}, {{31, 1}}},
        {"Messier", 39, "Disk", {{39, 1}, {41, 0}, {41, 0}, {42, 0}}, {{39, 1}}},
        {"Disk", 42, "beliebig", {{42, 1}, {39, 0}, {41, 0}}, {{42, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.newObjekt);
        ProgramState s = DefaultState(31);
        s.Objekt = c.oldObjekt;
        const MenuTable m = LoadedTable(s);
        RecordingMenuBar bar;
        const shell::MenuCommand cmd = shell::BeginMenuCommand(m, bar, s, c.n);
        EXPECT_EQ(shell::ObjectChoiceMarks(m, bar, s, c.n, cmd.name), c.newObjekt);
        EXPECT_EQ(bar.calls, c.calls);
        EXPECT_EQ(bar.Marked(30, 42), c.marked);
    }
}

}  // namespace
