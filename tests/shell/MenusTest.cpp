#include "shell/Menus.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

using astronomy::ProgramState;
using shell::MenuTable;

// A menu bar that remembers what it was told.
class RecordingMenuBar : public platform::MenuBar {
public:
    void Build(const std::vector<std::string>& captions, int last) override {
        ++builds;
        builtCaptions = captions;
        builtLast = last;
        states.clear();
        calls.clear();
    }
    void SetItemState(int n, int state) override {
        states[n] = state;
        calls.emplace_back(n, state);
    }
    int ItemState(int n) const override {
        auto it = states.find(n);
        return it == states.end() ? platform::kItemPlain : it->second;
    }
    // The items whose state is not plain.
    std::map<int, int> Marked() const {
        std::map<int, int> marked;
        for (auto [n, st] : states)
            if (st != platform::kItemPlain) marked[n] = st;
        return marked;
    }

    int builds = 0;
    std::vector<std::string> builtCaptions;
    int builtLast = -1;
    std::map<int, int> states;
    std::vector<std::pair<int, int>> calls;  // SetItemState in call order
};

using Calls = std::vector<std::pair<int, int>>;

// The defaults of a fresh installation: 15 built-in places, "Pluto" as the
// orbit object, "Polarstern" as the arbitrary object.
ProgramState DefaultState() {
    ProgramState s;
    s.DataFolder = "data";
    astronomy::ApplyDefaults(s);
    return s;
}

MenuTable LoadedTable(const ProgramState& s) {
    MenuTable m;
    shell::LoadMenuCaptions(m);
    shell::ApplyStateCaptions(m, s);
    return m;
}

// ---------------------------------------------------------------------------
// The caption table

TEST(MenuCaptions, BuiltInListEndsAtTheMarker) {
    MenuTable m;
    shell::LoadMenuCaptions(m);
    // Source: the built-in list, 0 to 136 followed by the end marker at 137.
    EXPECT_EQ(m.captions.size(), 150u);
    EXPECT_EQ(m.LastMenuItem, 136);
    EXPECT_EQ(m.captions[136], "");
    EXPECT_EQ(m.captions[137], "") << "the marker itself is cleared";
    EXPECT_EQ(m.captions[138], "") << "the entry after the marker is cleared";
    for (int n = 137; n < 150; ++n) EXPECT_EQ(m.captions[n], "") << n;
}

TEST(MenuCaptions, RememberedItemsAreFoundInTheList) {
    MenuTable m;
    shell::LoadMenuCaptions(m);
    // Source: the item numbers of the built-in list.
    EXPECT_EQ(m.DiskItem, 39);
    EXPECT_EQ(m.MessierItem, 41);
    EXPECT_EQ(m.BeliebigItem, 42);
    EXPECT_EQ(m.OffsetItem, 47);
    EXPECT_EQ(m.DarstellenItem, 67);
    EXPECT_EQ(m.KarteItem, 89);
    EXPECT_EQ(m.SpringeItem, 100);
    EXPECT_EQ(m.ExtraItem, 122);
    EXPECT_EQ(m.QuitItem, 135);
}

TEST(MenuCaptions, NineMenusEachClosedByAnEmptyCaption) {
    MenuTable m;
    shell::LoadMenuCaptions(m);
    // Source: the list of titles under the built-in table.
    const std::vector<std::pair<int, std::string>> titles = {
        {0, "Parameter"}, {29, "Objekt"}, {47, "Offset"}, {67, "Darstellen"}, {89, "Karte"},
        {100, "Springe"}, {114, "Rechnen"}, {122, "Extra"}, {132, "Kelmar"}};
    std::vector<std::pair<int, std::string>> found;
    for (int n = 0; n <= m.LastMenuItem; ++n) {
        if (n == 0 || m.captions[n - 1].empty()) {
            if (n <= m.LastMenuItem && !m.captions[n].empty()) found.emplace_back(n, m.captions[n]);
        }
    }
    EXPECT_EQ(found, titles);
    std::vector<int> empties;
    for (int n = 0; n <= m.LastMenuItem; ++n)
        if (m.captions[n].empty()) empties.push_back(n);
    // Each menu ends with an empty caption just before the next title.
    EXPECT_EQ(empties, (std::vector<int>{28, 46, 66, 88, 99, 113, 121, 131, 136}));
}

TEST(MenuCaptions, CaptionsCharacterForCharacter) {
    MenuTable m;
    shell::LoadMenuCaptions(m);
    // Source: the built-in list, blanks included.
    const std::vector<std::pair<int, std::string>> cases = {
        {1, "Datum"},
        {2, "Zei&t"},
        {4, "Äquinoktium"},
        {5, "-"},
        {6, "UT                 &0"},
        {7, "MEZ              &1"},
        {8, "MESZ            &2"},
        {10, "Ort1"},
        {24, "Ort15"},
        {26, "Ort ändern geographisch"},
        {27, "-Ort ändern UTM"},
        {39, "Disk"},
        {41, "M 1"},
        {42, "beliebig"},
        {44, "Messier..."},
        {45, "Beliebig..."},
        {48, "1 Min +     &>"},
        {49, "1 Std +      &+"},
        {50, "1 Tag +      &*"},
        {51, "1 Woche + &w"},
        {52, "1 Monat +  &a"},
        {53, "1 Jahr +      &c"},
        {55, "1 Min -      &<"},
        {56, "1 Std -        &-"},
        {57, "1 Tag -       &/"},
        {58, "1 Woche - &W"},
        {59, "1 Monat -  &A"},
        {60, "1 Jahr -      &C"},
        {62, "Minuten"},
        {65, "Jahre"},
        {68, "Objekt        &O"},
        {69, "&Äquatorial  &Ä"},
        {70, "&Nordpolar  &N"},
        {71, "Südpolar"},
        {72, "&Himmel     &H"},
        {73, "Horizont    &Z"},
        {74, "System       &Y"},
        {75, "Tagesephemeride"},
        {77, "&Sternbilder S"},
        {78, "&Namen       B"},
        {79, "&Gitter         G"},
        {80, "&Ekliptik       E"},
        {81, "&Planeten    P"},
        {82, "&Messier     M"},
        {83, "&Track          T"},
        {84, "Koordinaten"},
        {86, "&Invers          I"},
        {87, "Drucken    ^P"},
        {90, "nach Norden     ^"},
        {91, "nach Süden        v"},
        {92, "nach Osten       <-"},
        {93, "nach Westen      ->"},
        {95, "Zoom                Bild vor"},
        {96, "Mooz                Bild zurück"},
        {98, "Zentrieren        Pos1"},
        {101, "Jetzt               &J"},
        {103, "Sonnennähe"},
        {108, "1. Viertel"},
        {112, "Mondfinsternis"},
        {115, "Astrophotographie"},
        {120, "Präzession"},
        {123, "Eingabe Tracklänge"},
        {124, "&Realtime                           R"},
        {126, "Disk laden"},
        {127, "Disk ändern"},
        {128, "Disk speichern"},
        {130, "Einstellungen speichern   ^S"},
        {133, "Info"},
        {134, "Hilfe"},
        {135, "&Quit          Q"},
    };
    for (const auto& [n, caption] : cases) {
        SCOPED_TRACE(n);
        EXPECT_EQ(m.captions[n], caption);
    }
    for (int k = 1; k <= 15; ++k) EXPECT_EQ(m.captions[k + 9], "Ort" + std::to_string(k));
}

TEST(MenuCaptions, StateCaptionsOfPlacesAndObjects) {
    const ProgramState s = DefaultState();
    const MenuTable m = LoadedTable(s);
    // Source: the built-in places in list order, DiskName "Pluto", M 1 and
    // "Polarstern" of the defaults.
    const std::vector<std::pair<int, std::string>> cases = {
        {10, "Hannover"}, {11, "Berlin"}, {22, "Nordpol"},  {23, "Äquator"},
        {24, "Südpol"},   {25, "-"},      {39, "Pluto"},    {41, "M 1"},
        {42, "Polarstern"}, {126, "Disk laden"},
    };
    for (const auto& [n, caption] : cases) {
        SCOPED_TRACE(n);
        EXPECT_EQ(m.captions[n], caption);
    }
}

TEST(MenuCaptions, StateCaptionsKeepTheirItemsWhereNamesAreMissing) {
    ProgramState s = DefaultState();
    s.OrtAnz = 3;
    s.Orte[2].name = "";
    s.Messier = 31;
    s.DiskName = "";
    s.BelName = "";
    const MenuTable m = LoadedTable(s);
    // Source: only places 1 to OrtAnz with a name replace "Ort<n>".
    EXPECT_EQ(m.captions[10], "Hannover");
    EXPECT_EQ(m.captions[11], "Ort2");
    EXPECT_EQ(m.captions[12], "Hamburg");
    EXPECT_EQ(m.captions[13], "Ort4");
    EXPECT_EQ(m.captions[41], "M 31");
    // An empty caption would close the "Objekt" menu early.
    EXPECT_EQ(m.captions[39], "Disk");
    EXPECT_EQ(m.captions[42], "beliebig");
}

TEST(MenuCaptions, MorePlacesThanTheMenuHoldsLeaveTheMenuIntact) {
    ProgramState s = DefaultState();
    s.OrtAnz = 20;
    for (int n = 16; n <= 20; ++n) s.Orte[n].name = "Extra" + std::to_string(n);
    const MenuTable m = LoadedTable(s);
    // Source: only places 1 to 15 can be shown (items 10 to 24).
    EXPECT_EQ(m.captions[24], "Südpol");
    EXPECT_EQ(m.captions[25], "-");
    EXPECT_EQ(m.captions[28], "");
    EXPECT_EQ(m.captions[29], "Objekt");
}

// ---------------------------------------------------------------------------
// Marks

TEST(PrepareMenuName, EightCharactersAfterTheMnemonicRules) {
    // Source: the preparation rule of the mark search, worked by hand.
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Sonne", "Sonne   "},
        {"", "        "},
        {"-", "        "},
        {"UT                 &0", "UT      "},
        {"UT              0", "UT      "},
        {"&Äquatorial  &Ä", "Äquatori"},   // eight characters, not eight bytes
        {"Äquatorial", "Äquatori"},
        {"Südpolar", "Südpolar"},
        {"-Ort ändern UTM", "Ort ände"},
        {"Ort ändern geographisch", "Ort ände"},
        {"&Messier     M", "Messier "},
        {"Zei&t", "Zeit    "},
        {"--x", "-x      "},                 // only one leading "-" goes
        {"&&x", "x       "},                 // the first "&", then a leading one
        {"a&b&c", "ab&c    "},               // only the first "&" goes
        {"-&Gitter", "Gitter  "},
    };
    for (const auto& [text, prepared] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(shell::PrepareMenuName(text), prepared);
    }
}

TEST(SetMenuMark, SearchGoesOnFromTheLastMatch) {
    ProgramState s = DefaultState();
    s.Messier = 31;
    const MenuTable m = LoadedTable(s);
    struct Case {
        const char* list;
        int state;
        Calls expected;
    };
    // Source: the edge cases of the mark search and the table's numbers.
    const std::vector<Case> cases = {
        {"Sonne|Objekt", 1, {{30, 1}, {68, 1}}},
        {"Objekt|Sonne", 1, {{68, 1}}},
        {"Disk|Objekt", 1, {}},                       // item 39 shows "Pluto"
        {"Pluto|Objekt", 1, {{39, 1}, {68, 1}}},
        {"Objekt", 1, {{68, 1}}},                     // the title 29 is skipped
        {"Offset", 1, {}},                            // titles never match
        {"Kelmar", 1, {}},
        {"Datum", 1, {}},                             // item 1 never matches
        {"Zeit", 1, {{2, 1}}},
        {"Messier", 1, {{41, 1}}},                    // "Messier" stands for "M 31"
        {"Messier ", 1, {{82, 1}}},                   // the layer item
        {"Hannover|Nordpolar", 0, {{10, 0}, {70, 0}}},
        {"Südpolar", 2, {{71, 2}}},
        {"Track|Sternbild", 1, {{83, 1}}},
        {"MEZ             1", 1, {{7, 1}}},
        {"", 1, {{5, 1}}},                            // blanks match a separator
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
    const ProgramState s = DefaultState();
    const MenuTable m = LoadedTable(s);
    RecordingMenuBar bar;
    std::string list;
    for (int n = 10; n <= 27; ++n) list += (n > 10 ? "|" : "") + m.captions[n];
    shell::SetMenuMark(m, bar, s, list, 0);
    // Source: items 10 to OrtAnz + 12 are the places, the separator and the
    // two place-change items; each name finds its own item in order.
    Calls expected;
    for (int n = 10; n <= 27; ++n) expected.emplace_back(n, 0);
    EXPECT_EQ(bar.calls, expected);
}

TEST(RefreshMenuMarks, DefaultsOfAFreshInstallation) {
    const ProgramState s = DefaultState();
    const MenuTable m = LoadedTable(s);
    RecordingMenuBar bar;
    bar.states[50] = platform::kItemChecked;  // cleared by the rebuild
    shell::RefreshMenuMarks(m, bar, s);
    EXPECT_EQ(bar.builds, 1);
    EXPECT_EQ(bar.builtLast, 136);
    EXPECT_EQ(bar.builtCaptions, m.captions);
    // Source: place 1 "Hannover", zone MEZ, object "Sonne", ChartMode 4,
    // DisplayFlags 123 (every layer but the grid); "Südpolar",
    // "Koordinaten" and "Astrophotographie" greyed.
    const std::map<int, int> expected = {
        {7, 1},  {10, 1}, {30, 1}, {71, 2}, {72, 1}, {77, 1}, {78, 1},
        {80, 1}, {81, 1}, {82, 1}, {83, 1}, {84, 2}, {115, 2},
    };
    EXPECT_EQ(bar.Marked(), expected);
    EXPECT_EQ(bar.ItemState(68), platform::kItemPlain) << "the mode marks clear it for the whole sky";
}

TEST(RefreshMenuMarks, ZonePlaceAndObject) {
    struct Case {
        int zone;
        int ort;
        std::string objekt;
        float mode;
        std::vector<int> checked;    // among the zone, place and object items
        std::vector<int> unchecked;
    };
    // Source: the item numbers of zones (6 to 8), places (10 + Ort - 1) and
    // objects (30 to 42) in the built-in list.
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
        s.Zone = c.zone;
        s.Ort = c.ort;
        s.Objekt = c.objekt;
        s.ChartMode = c.mode;
        const MenuTable m = LoadedTable(s);
        RecordingMenuBar bar;
        shell::RefreshMenuMarks(m, bar, s);
        for (int n : c.checked) EXPECT_EQ(bar.ItemState(n), platform::kItemChecked) << n;
        for (int n : c.unchecked) EXPECT_EQ(bar.ItemState(n), platform::kItemPlain) << n;
    }
}

TEST(RefreshModeMarks, ItemOfEachChartMode) {
    struct Case {
        float mode;
        int item;  // 0: no mode item checked
    };
    // Source: the ChartMode table and the "Darstellen" items 68 to 75.
    const std::vector<Case> cases = {
        {0, 68}, {1, 68}, {2, 68}, {3, 68}, {4, 72}, {5, 69}, {5.5f, 73},
        {6, 70}, {7, 71}, {8, 75}, {12, 74}, {9, 0},  {10, 0}, {99, 0},
    };
    const ProgramState base = DefaultState();
    const MenuTable m = LoadedTable(base);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ProgramState s = base;
        s.ChartMode = c.mode;
        RecordingMenuBar bar;
        for (int n = 68; n <= 75; ++n) bar.states[n] = platform::kItemChecked;  // stale marks
        shell::RefreshModeMarks(m, bar, s);
        for (int n = 68; n <= 75; ++n) {
            SCOPED_TRACE(n);
            int expected = n == c.item ? platform::kItemChecked : platform::kItemPlain;
            if (n == 71 && c.item != 71) expected = platform::kItemGreyed;
            EXPECT_EQ(bar.ItemState(n), expected);
        }
        EXPECT_EQ(bar.ItemState(84), platform::kItemGreyed);
        EXPECT_EQ(bar.ItemState(115), platform::kItemGreyed);
    }
}

TEST(RefreshFlagMarks, OneItemPerSetBit) {
    struct Case {
        int flags;
        std::vector<int> checked;
    };
    // Source: the DisplayFlags table, items 77 to 83 in bit order.
    const std::vector<Case> cases = {
        {123, {77, 78, 80, 81, 82, 83}},
        {127, {77, 78, 79, 80, 81, 82, 83}},
        {4, {79}},
        {64, {83}},
        {0, {}},
    };
    const ProgramState base = DefaultState();
    const MenuTable m = LoadedTable(base);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        ProgramState s = base;
        s.DisplayFlags = c.flags;
        RecordingMenuBar bar;
        bar.states[86] = platform::kItemChecked;
        shell::RefreshFlagMarks(m, bar, s);
        std::vector<int> checked;
        for (int n = 77; n <= 83; ++n)
            if (bar.ItemState(n) == platform::kItemChecked) checked.push_back(n);
        EXPECT_EQ(checked, c.checked);
        EXPECT_EQ(bar.ItemState(86), platform::kItemPlain) << "Invers is unmarked";
    }
}

TEST(RefreshFlagMarks, SwitchedOffLayersLoseTheirMarks) {
    // Every layer item, "&Messier" and "&Track" included, is reset before the
    // set bits are marked again (the bare name "Messier" would have stood for
    // the Messier object's item "M 1" and stopped the search early).
    ProgramState s = DefaultState();
    const MenuTable m = LoadedTable(s);
    RecordingMenuBar bar;
    for (int n = 77; n <= 83; ++n) bar.states[n] = platform::kItemChecked;
    s.DisplayFlags = 0;
    shell::RefreshFlagMarks(m, bar, s);
    for (int n = 77; n <= 83; ++n) EXPECT_EQ(bar.ItemState(n), platform::kItemPlain) << n;
}

// ---------------------------------------------------------------------------
// Dispatch

TEST(ResolveMenuCommand, NameTitleAndOffset) {
    ProgramState s = DefaultState();
    s.Messier = 31;
    MenuTable m = LoadedTable(s);
    m.captions[33] = "--Venus";  // a caption written with a doubled "-"
    struct Case {
        int n;
        std::string name;
        int title;
    };
    // Source: the built-in list and the dispatch rules (DiskItem and
    // BeliebigItem by their fixed names, "--" to "-", first "&" removed).
    const std::vector<Case> cases = {
        {50, "1 Tag +      *", 47},
        {39, "Disk", 29},
        {42, "beliebig", 29},
        {41, "M 31", 29},
        {30, "Sonne", 29},
        {33, "-Venus", 29},
        {2, "Zeit", 0},
        {6, "UT                 0", 0},
        {10, "Hannover", 0},
        {27, "-Ort ändern UTM", 0},
        {56, "1 Std -        -", 47},
        {65, "Jahre", 47},
        {69, "Äquatorial  &Ä", 67},
        {72, "Himmel     &H", 67},
        {87, "Drucken    ^P", 67},
        {98, "Zentrieren        Pos1", 89},
        {101, "Jetzt               J", 100},
        {112, "Mondfinsternis", 100},
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
    const MenuTable m = LoadedTable(DefaultState());
    // Source: numbers outside the table, titles, separators and empty
    // captions have no command.
    for (int n : {-1, 0, 5, 9, 25, 28, 29, 46, 47, 54, 66, 67, 89, 132, 136, 137, 149, 150, 1000}) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(shell::ResolveMenuCommand(m, n).valid());
    }
}

TEST(BeginMenuCommand, RenamedObjectItemsMarkTheirCaption) {
    const ProgramState s = DefaultState();
    const MenuTable m = LoadedTable(s);
    struct Case {
        int n;
        std::string name;
        Calls marks;
    };
    // Source: choosing the "Disk" or "beliebig" item checks its caption first.
    const std::vector<Case> cases = {
        {39, "Disk", {{39, 1}}},
        {42, "beliebig", {{42, 1}}},
        {41, "M 1", {}},
        {50, "1 Tag +      *", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        RecordingMenuBar bar;
        EXPECT_EQ(shell::BeginMenuCommand(m, bar, s, c.n).name, c.name);
        EXPECT_EQ(bar.calls, c.marks);
    }
}

TEST(ItemsForKey, EveryBoundKey) {
    const MenuTable m = LoadedTable(DefaultState());
    using K = platform::Key;
    struct Case {
        K key;
        int item;
    };
    // Source: the Key column of the command table.
    const std::vector<Case> cases = {
        {{"", K::Up}, 90},       {{"", K::Down}, 91},     {{"", K::Left}, 92},
        {{"", K::Right}, 93},    {{"", K::PageUp}, 95},   {{"", K::PageDown}, 96},
        {{"", K::Home}, 98},
        {{"0"}, 6},  {{"1"}, 7},  {{"2"}, 8},
        {{">"}, 48}, {{"+"}, 49}, {{"*"}, 50}, {{"w"}, 51}, {{"a"}, 52}, {{"c"}, 53},
        {{"<"}, 55}, {{"-"}, 56}, {{"/"}, 57}, {{"W"}, 58}, {{"A"}, 59}, {{"C"}, 60},
        {{"o"}, 68}, {{"ä"}, 69}, {{"n"}, 70}, {{"h"}, 72}, {{"z"}, 73}, {{"y"}, 74},
        {{"s"}, 77}, {{"b"}, 78}, {{"g"}, 79}, {{"e"}, 80}, {{"p"}, 81}, {{"m"}, 82},
        {{"t"}, 83}, {{"i"}, 86}, {{"\x10"}, 87},
        {{"j"}, 101}, {{"r"}, 124}, {{"\x13"}, 130}, {{"q"}, 135},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key.text + "/" + std::to_string(c.key.special));
        EXPECT_EQ(shell::ItemsForKey(m, c.key), std::vector<int>{c.item});
    }
}

TEST(ItemsForKey, UnboundKeysAndOtherCases) {
    const MenuTable m = LoadedTable(DefaultState());
    using K = platform::Key;
    // Source: letters are case-sensitive; only the tabled keys are bound.
    const std::vector<K> keys = {{"Q"}, {"O"}, {"H"}, {"Ä"}, {"x"}, {"3"}, {"\x11"}, {"oo"}, {""}, {"ä "}};
    for (const K& key : keys) {
        SCOPED_TRACE(key.text);
        EXPECT_TRUE(shell::ItemsForKey(m, key).empty());
    }
}

TEST(ItemsForKey, KeysFollowTheirMenuItems) {
    // Every key's item carries the key in its caption's hint or mnemonic,
    // so the bindings and the list cannot drift apart unnoticed.
    const MenuTable m = LoadedTable(DefaultState());
    const std::vector<std::pair<std::string, std::string>> keys = {
        {">", "&>"}, {"+", "&+"}, {"*", "&*"}, {"w", "&w"}, {"a", "&a"}, {"c", "&c"},
        {"<", "&<"}, {"-", "&-"}, {"/", "&/"}, {"W", "&W"}, {"A", "&A"}, {"C", "&C"},
        {"0", "&0"}, {"1", "&1"}, {"2", "&2"}, {"o", "&O"}, {"ä", "&Ä"}, {"n", "&N"},
        {"h", "&H"}, {"z", "&Z"}, {"y", "&Y"}, {"j", "&J"}, {"s", " S"}, {"b", " B"},
        {"g", " G"}, {"e", " E"}, {"p", " P"}, {"m", " M"}, {"t", " T"}, {"i", " I"},
        {"r", " R"}, {"q", " Q"}, {"\x10", "^P"}, {"\x13", "^S"},
    };
    for (const auto& [text, hint] : keys) {
        SCOPED_TRACE(hint);
        const std::vector<int> items = shell::ItemsForKey(m, platform::Key{text});
        ASSERT_EQ(items.size(), 1u);
        EXPECT_TRUE(m.captions[items[0]].ends_with(hint)) << m.captions[items[0]];
    }
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
    // Source: the object-choice steps, with the item numbers of the built-in
    // list; DiskName "Pluto", M 31, BelName "Polarstern".
    const std::vector<Case> cases = {
        {"Sonne", 33, "Venus", {{30, 0}, {39, 0}, {41, 0}, {42, 0}, {33, 1}}, {{33, 1}}},
        {"Sonne", 41, "Messier", {{30, 0}, {39, 0}, {42, 0}, {41, 1}}, {{41, 1}}},
        {"Messier", 31, "Mond", {{41, 0}, {39, 0}, {41, 0}, {42, 0}, {31, 1}}, {{31, 1}}},
        // The names "Disk" and "beliebig" match no caption: their items are
        // checked by the choice's first step, by their captions.
        {"Messier", 39, "Disk", {{39, 1}, {41, 0}, {41, 0}, {42, 0}}, {{39, 1}}},
        {"Disk", 42, "beliebig", {{42, 1}, {39, 0}, {41, 0}}, {{42, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.newObjekt);
        ProgramState s = DefaultState();
        s.Messier = 31;
        s.Objekt = c.oldObjekt;
        const MenuTable m = LoadedTable(s);
        RecordingMenuBar bar;
        const shell::MenuCommand cmd = shell::BeginMenuCommand(m, bar, s, c.n);
        EXPECT_EQ(shell::ObjectChoiceMarks(m, bar, s, c.n, cmd.name), c.newObjekt);
        EXPECT_EQ(bar.calls, c.calls);
        std::map<int, int> marked;
        for (auto [n, st] : bar.Marked())
            if (n >= 30 && n <= 42) marked[n] = st;
        EXPECT_EQ(marked, c.marked);
    }
}

}  // namespace
