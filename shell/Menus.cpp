#include "shell/Menus.h"

#include <algorithm>
#include <array>

namespace shell {

namespace {

// The menu bar as built in: titles, items, an empty caption closing each
// menu, and the end marker "@".
const char* const kBuiltInCaptions[] = {
    "Parameter",  // 0
    "Datum",  // 1
    "Zei&t",  // 2
    "Jul. Datum",  // 3
    "Äquinoktium",  // 4
    "-",  // 5
    "UT                 &0",  // 6
    "MEZ              &1",  // 7
    "MESZ            &2",  // 8
    "-",  // 9
    "Ort1",  // 10
    "Ort2",  // 11
    "Ort3",  // 12
    "Ort4",  // 13
    "Ort5",  // 14
    "Ort6",  // 15
    "Ort7",  // 16
    "Ort8",  // 17
    "Ort9",  // 18
    "Ort10",  // 19
    "Ort11",  // 20
    "Ort12",  // 21
    "Ort13",  // 22
    "Ort14",  // 23
    "Ort15",  // 24
    "-",  // 25
    "Ort ändern geographisch",  // 26
    "-Ort ändern UTM",  // 27
    "",  // 28
    "Objekt",  // 29
    "Sonne",  // 30
    "Mond",  // 31
    "Merkur",  // 32
    "Venus",  // 33
    "Mars",  // 34
    "Jupiter",  // 35
    "Saturn",  // 36
    "Uranus",  // 37
    "Neptun",  // 38
    "Disk",  // 39
    "-",  // 40
    "M 1",  // 41
    "beliebig",  // 42
    "-",  // 43
    "Messier...",  // 44
    "Beliebig...",  // 45
    "",  // 46
    "Offset",  // 47
    "1 Min +     &>",  // 48
    "1 Std +      &+",  // 49
    "1 Tag +      &*",  // 50
    "1 Woche + &w",  // 51
    "1 Monat +  &a",  // 52
    "1 Jahr +      &c",  // 53
    "-",  // 54
    "1 Min -      &<",  // 55
    "1 Std -        &-",  // 56
    "1 Tag -       &/",  // 57
    "1 Woche - &W",  // 58
    "1 Monat -  &A",  // 59
    "1 Jahr -      &C",  // 60
    "-",  // 61
    "Minuten",  // 62
    "Stunden",  // 63
    "Tage",  // 64
    "Jahre",  // 65
    "",  // 66
    "Darstellen",  // 67
    "Objekt        &O",  // 68
    "&Äquatorial  &Ä",  // 69
    "&Nordpolar  &N",  // 70
    "Südpolar",  // 71
    "&Himmel     &H",  // 72
    "Horizont    &Z",  // 73
    "System       &Y",  // 74
    "Tagesephemeride",  // 75
    "-",  // 76
    "&Sternbilder S",  // 77
    "&Namen       B",  // 78
    "&Gitter         G",  // 79
    "&Ekliptik       E",  // 80
    "&Planeten    P",  // 81
    "&Messier     M",  // 82
    "&Track          T",  // 83
    "Koordinaten",  // 84
    "-",  // 85
    "&Invers          I",  // 86
    "Drucken    ^P",  // 87
    "",  // 88
    "Karte",  // 89
    "nach Norden     ^",  // 90
    "nach Süden        v",  // 91
    "nach Osten       <-",  // 92
    "nach Westen      ->",  // 93
    "-",  // 94
    "Zoom                Bild vor",  // 95
    "Mooz                Bild zurück",  // 96
    "-",  // 97
    "Zentrieren        Pos1",  // 98
    "",  // 99
    "Springe",  // 100
    "Jetzt               &J",  // 101
    "-",  // 102
    "Sonnennähe",  // 103
    "Erdnähe",  // 104
    "Aufgang",  // 105
    "-",  // 106
    "Neumond",  // 107
    "1. Viertel",  // 108
    "Vollmond",  // 109
    "3. Viertel",  // 110
    "-",  // 111
    "Mondfinsternis",  // 112
    "",  // 113
    "Rechnen",  // 114
    "Astrophotographie",  // 115
    "Ephemeride",  // 116
    "-",  // 117
    "Tagesdifferenzen",  // 118
    "Interpolation",  // 119
    "Präzession",  // 120
    "",  // 121
    "Extra",  // 122
    "Eingabe Tracklänge",  // 123
    "&Realtime                           R",  // 124
    "-",  // 125
    "Disk laden",  // 126
    "Disk ändern",  // 127
    "Disk speichern",  // 128
    "-",  // 129
    "Einstellungen speichern   ^S",  // 130
    "",  // 131
    "Kelmar",  // 132
    "Info",  // 133
    "Hilfe",  // 134
    "&Quit          Q",  // 135
    "",  // 136
    "@",
};

constexpr std::string_view kEndMarker = "@";

// Number of the first item whose caption equals text (or begins with it).
int FindCaption(const MenuTable& m, std::string_view text, bool prefix) {
    for (int n = 0; n <= m.LastMenuItem; ++n) {
        const std::string& c = m.captions[n];
        if (prefix ? c.starts_with(text) : c == text) return n;
    }
    return 0;
}

const std::string& CaptionAt(const MenuTable& m, int n) {
    static const std::string empty;
    if (n < 0 || n >= static_cast<int>(m.captions.size())) return empty;
    return m.captions[n];
}

// Byte length of the first `count` UTF-8 characters of text.
size_t Utf8Prefix(std::string_view text, size_t count) {
    size_t i = 0;
    while (i < text.size() && count > 0) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
        --count;
    }
    return i;
}

std::string JoinCaptions(const MenuTable& m, int first, int last) {
    std::string list;
    for (int n = first; n <= last; ++n) {
        if (n > first) list += '|';
        list += CaptionAt(m, n);
    }
    return list;
}

int PlacesInMenu(const astronomy::ProgramState& s) {
    return std::clamp(s.OrtAnz, 0, astronomy::kPlacesInMenu);
}

// The 17 characters of the zone table starting at position 17 * zone + 1:
// the zone's caption text without its "&".
std::string ZoneCaption(int zone) {
    constexpr std::string_view zones = "UT              0MEZ             1MESZ            2";
    if (zone < 0 || 17 * static_cast<size_t>(zone) >= zones.size()) return {};
    return std::string(zones.substr(17 * static_cast<size_t>(zone), 17));
}

}  // namespace

void LoadMenuCaptions(MenuTable& m) {
    m.captions.assign(kMenuCapacity, std::string());
    int n = 0;
    while (n + 1 < kMenuCapacity && kBuiltInCaptions[n] != kEndMarker) {
        m.captions[n] = kBuiltInCaptions[n];
        ++n;
    }
    // The marker and the entry after it stay empty.
    m.LastMenuItem = n - 1;

    m.DiskItem = FindCaption(m, "Disk", false);
    m.MessierItem = FindCaption(m, "M 1", false);
    m.BeliebigItem = FindCaption(m, "beliebig", false);
    m.DarstellenItem = FindCaption(m, "Darstellen", false);
    m.OffsetItem = FindCaption(m, "Offset", false);
    m.KarteItem = FindCaption(m, "Karte", false);
    m.SpringeItem = FindCaption(m, "Springe", false);
    m.ExtraItem = FindCaption(m, "Extra", false);
    m.QuitItem = FindCaption(m, "&Quit", true);
}

void ApplyStateCaptions(MenuTable& m, const astronomy::ProgramState& s) {
    const int places = PlacesInMenu(s);
    for (int n = 1; n <= places; ++n) {
        if (!s.Orte[n].name.empty()) m.captions[n + 9] = s.Orte[n].name;
    }
    if (!s.DiskName.empty()) m.captions[m.DiskItem] = s.DiskName;
    m.captions[m.MessierItem] = "M " + std::to_string(s.Messier);
    if (!s.BelName.empty()) m.captions[m.BeliebigItem] = s.BelName;
}

std::string PrepareMenuName(std::string_view text) {
    std::string t(text);
    if (const size_t amp = t.find('&'); amp != std::string::npos) t.erase(amp, 1);
    if (t.starts_with('-')) t.erase(0, 1);
    if (t.starts_with('&')) t.erase(0, 1);
    t += "        ";
    t.resize(Utf8Prefix(t, 8));
    return t;
}

void SetMenuMark(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState&,
                 std::string_view list, int state) {
    const int last = m.LastMenuItem;
    int p = 1;
    while (true) {
        const size_t sep = list.find('|');
        std::string_view name = list.substr(0, sep);
        list = sep == std::string_view::npos ? std::string_view() : list.substr(sep + 1);

        const std::string wanted = PrepareMenuName(name == "Messier" ? CaptionAt(m, m.MessierItem) : name);
        while (true) {
            ++p;
            if (CaptionAt(m, p - 1).empty()) ++p;  // skip the next menu's title
            if (PrepareMenuName(CaptionAt(m, p)) == wanted) break;
            if (p >= last || CaptionAt(m, p) == kEndMarker) break;
        }
        if (p < last) SetMenuItemState(bar, p, state);
        if (list.empty()) break;
    }
}

void RefreshMenuMarks(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s) {
    bar.Build(m.captions, m.LastMenuItem);
    const int places = PlacesInMenu(s);
    SetMenuMark(m, bar, s, JoinCaptions(m, 10, places + 12), platform::kItemPlain);
    SetMenuMark(m, bar, s, CaptionAt(m, s.Ort + 9), platform::kItemChecked);
    SetMenuMark(m, bar, s, ZoneCaption(s.Zone), platform::kItemChecked);
    if (s.Ort >= 1 && s.Ort <= s.OrtAnz && s.Ort <= astronomy::kPlaceSlots) {
        SetMenuMark(m, bar, s, s.Orte[s.Ort].name, platform::kItemChecked);
    }
    SetMenuMark(m, bar, s, s.Objekt + "|Objekt", platform::kItemChecked);
    if (s.Objekt == "Disk") SetMenuMark(m, bar, s, CaptionAt(m, m.DiskItem), platform::kItemChecked);
    if (s.Objekt == "Messier") SetMenuMark(m, bar, s, CaptionAt(m, m.MessierItem), platform::kItemChecked);
    if (s.Objekt == "beliebig") SetMenuMark(m, bar, s, CaptionAt(m, m.BeliebigItem), platform::kItemChecked);
    RefreshModeMarks(m, bar, s);
}

void RefreshModeMarks(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s) {
    SetMenuMark(m, bar, s, "Objekt  |Äquatorial|Nordpolar|Himmel|Horizont|System|Tageseph",
                platform::kItemPlain);
    SetMenuMark(m, bar, s, "Südpolar", platform::kItemGreyed);

    const float mode = s.ChartMode;
    const char* current = nullptr;
    if (mode <= 3.0f) current = "Objekt  ";
    else if (mode == 4.0f) current = "Himmel";
    else if (mode == 5.0f) current = "Äquatorial";
    else if (mode == 5.5f) current = "Horizont";
    else if (mode == 6.0f) current = "Nordpolar";
    else if (mode == 7.0f) current = "Südpolar";
    else if (mode == 8.0f) current = "Tageseph";
    else if (mode == 12.0f) current = "System";
    if (current) SetMenuMark(m, bar, s, current, platform::kItemChecked);

    RefreshFlagMarks(m, bar, s);
    // The coordinate tool reads the equatorial and the polar charts; on
    // every other view it has nothing to read.
    const bool readable = mode == 5.0f || mode == 6.0f || mode == 7.0f;
    SetMenuMark(m, bar, s, "Koordina", readable ? platform::kItemEnabled : platform::kItemGreyed);
    SetMenuMark(m, bar, s, "Astropho", platform::kItemGreyed);
}

void RefreshFlagMarks(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s) {
    // "Messier" in this list is read as the Messier object's caption, so
    // the search ends there and the last two layer items keep their marks.
    // "Messier " with its blank: the bare name "Messier" stands for the
    // Messier object's item ("M 1"), which would end the search before the
    // layer items "&Messier" and "&Track" and leave their marks on.
    SetMenuMark(m, bar, s, "Sternbild|Namen|Gitter|Ekliptik|Planeten|Messier |Track", platform::kItemPlain);
    static constexpr std::array<const char*, 7> kLayerNames = {
        "Sternbild", "Namen   ", "Gitter  ", "Ekliptik", "Planeten", "Messier ", "Track"};
    for (size_t bit = 0; bit < kLayerNames.size(); ++bit) {
        if (s.DisplayFlags & (1 << bit)) SetMenuMark(m, bar, s, kLayerNames[bit], platform::kItemChecked);
    }
    SetMenuMark(m, bar, s, "Invers", platform::kItemPlain);
}

MenuCommand ResolveMenuCommand(const MenuTable& m, int n) {
    MenuCommand cmd;
    if (n < 0 || n > m.LastMenuItem || n >= static_cast<int>(m.captions.size())) return cmd;
    const std::string& caption = m.captions[n];
    if (caption.empty() || caption == "-") return cmd;

    std::string name = caption;
    if (n == m.DiskItem) name = "Disk";
    else if (n == m.BeliebigItem) name = "beliebig";
    if (name.starts_with("--")) name.erase(0, 1);

    int title = 0;
    for (int k = n - 1; k >= 0; --k) {
        if (m.captions[k].empty()) {
            title = k + 1;
            break;
        }
    }
    if (title == n) return cmd;  // a title is no command

    if (const size_t amp = name.find('&'); amp != std::string::npos) name.erase(amp, 1);
    cmd.name = std::move(name);
    cmd.title = title;
    cmd.offset = n - title;
    return cmd;
}

MenuCommand BeginMenuCommand(const MenuTable& m, platform::MenuBar& bar,
                             const astronomy::ProgramState& s, int n) {
    if (n > 0 && (n == m.DiskItem || n == m.BeliebigItem)) {
        SetMenuMark(m, bar, s, CaptionAt(m, n), platform::kItemChecked);
    }
    return ResolveMenuCommand(m, n);
}

std::vector<int> ItemsForKey(const MenuTable& m, const platform::Key& key) {
    using K = platform::Key;
    struct Binding {
        K::Special special;
        std::string_view text;
        int item;
    };
    const int karte = m.KarteItem, offset = m.OffsetItem, darst = m.DarstellenItem;
    // The dispatcher's order of tests.
    const Binding bindings[] = {
        {K::Up, "", karte + 1},          {K::Down, "", karte + 2},
        {K::Left, "", karte + 3},        {K::Right, "", karte + 4},
        {K::PageUp, "", karte + 6},      {K::PageDown, "", karte + 7},
        {K::Home, "", karte + 9},
        {K::None, "0", 6},               {K::None, "1", 7},
        {K::None, "2", 8},
        {K::None, ">", offset + 1},      {K::None, "+", offset + 2},
        {K::None, "*", offset + 3},      {K::None, "w", offset + 4},
        {K::None, "a", offset + 5},      {K::None, "c", offset + 6},
        {K::None, "<", offset + 8},      {K::None, "-", offset + 9},
        {K::None, "/", offset + 10},     {K::None, "W", offset + 11},
        {K::None, "A", offset + 12},     {K::None, "C", offset + 13},
        {K::None, "o", darst + 1},       {K::None, "ä", darst + 2},
        {K::None, "n", darst + 3},       {K::None, "h", darst + 5},
        {K::None, "z", darst + 6},       {K::None, "y", darst + 7},
        {K::None, "g", darst + 12},      {K::None, "e", darst + 13},
        {K::None, "p", darst + 14},      {K::None, "m", darst + 15},
        {K::None, "t", darst + 16},      {K::None, "i", darst + 19},
        {K::None, "\x10", darst + 20},   {K::None, "j", m.SpringeItem + 1},
        {K::None, "r", m.ExtraItem + 2}, {K::None, "\x13", m.ExtraItem + 8},
        {K::None, "q", m.QuitItem},      {K::None, "b", darst + 11},
        {K::None, "s", darst + 10},
    };
    std::vector<int> items;
    for (const Binding& b : bindings) {
        const bool hit = b.special != K::None ? key.special == b.special : key.text == b.text;
        if (hit) items.push_back(b.item);
    }
    return items;
}

std::string ObjectChoiceMarks(const MenuTable& m, platform::MenuBar& bar,
                              const astronomy::ProgramState& s, int n, const std::string& name) {
    SetMenuMark(m, bar, s, s.Objekt, platform::kItemPlain);
    for (int item : {m.DiskItem, m.MessierItem, m.BeliebigItem}) {
        if (item != n) SetMenuItemState(bar, item, platform::kItemPlain);
    }
    SetMenuMark(m, bar, s, name, platform::kItemChecked);
    if (name.starts_with("M ")) return "Messier";
    return name;
}

}  // namespace shell
