// The menu bar built from a caption table: captions taken apart, titles,
// separators, greyed items, numbering, item states, no real shortcuts.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/qt/QtMenuBar.h"

namespace {

using platform::qt::CaptionParts;
using platform::qt::ParseCaption;
using platform::qt::QtMenuBar;

struct CaptionCase {
    std::string caption;
    std::string text;
    std::string hint;
    bool greyed = false;
    bool hintMnemonic = false;
};

TEST(MenuCaptions, TextAndKeyHint) {
    // Captions of the program's table, blanks as stored.
    const std::vector<CaptionCase> cases = {
        {"Parameter", "Parameter", ""},
        {"Zei&t", "Zei&t", ""},
        {"Jul. Datum", "Jul. Datum", ""},
        {"UT                 &0", "UT", "0", false, true},
        {"MESZ            &2", "MESZ", "2", false, true},
        {"Ort ändern geographisch", "Ort ändern geographisch", ""},
        {"-Ort ändern UTM", "Ort ändern UTM", "", true},
        {"M 1", "M 1", ""},
        {"M 109", "M 109", ""},
        {"1 Min +     &>", "1 Min +", ">", false, true},
        {"1 Woche + &w", "1 Woche +", "w", false, true},
        {"1 Monat -  &A", "1 Monat -", "A", false, true},
        {"1 Std -        &-", "1 Std -", "-", false, true},
        {"&Äquatorial  &Ä", "&Äquatorial", "Ä", false, true},
        {"&Sternbilder S", "&Sternbilder", "S"},
        {"&Namen       B", "&Namen", "B"},
        {"Drucken    ^P", "Drucken", "Strg+P"},
        {"Einstellungen speichern   ^S", "Einstellungen speichern", "Strg+S"},
        {"nach Norden     ^", "nach Norden", "^"},
        {"nach Osten       <-", "nach Osten", "<-"},
        {"Zoom                Bild vor", "Zoom", "Bild vor"},
        {"Mooz                Bild zurück", "Mooz", "Bild zurück"},
        {"Zentrieren        Pos1", "Zentrieren", "Pos1"},
        {"&Realtime                           R", "&Realtime", "R"},
        {"&Quit          Q", "&Quit", "Q"},
        {"1. Viertel", "1. Viertel", ""},
        {"Messier...", "Messier...", ""},
    };
    for (const CaptionCase& c : cases) {
        SCOPED_TRACE(c.caption);
        const CaptionParts parts = ParseCaption(c.caption);
        EXPECT_FALSE(parts.separator);
        EXPECT_EQ(parts.text, c.text);
        EXPECT_EQ(parts.hint, c.hint);
        EXPECT_EQ(parts.greyed, c.greyed);
        EXPECT_EQ(parts.hintMnemonic, c.hintMnemonic);
    }
    EXPECT_TRUE(ParseCaption("-").separator);
    EXPECT_FALSE(ParseCaption("-x").separator);
}

// A part of the program's table: three menus, ending at item 15.
std::vector<std::string> SampleCaptions() {
    return {
        "Parameter",                     // 0
        "Datum",                         // 1
        "Zei&t",                         // 2
        "-",                             // 3
        "UT                 &0",         // 4
        "-Ort ändern UTM",               // 5
        "",                              // 6
        "Darstellen",                    // 7
        "&Sternbilder S",                // 8
        "Drucken    ^P",                 // 9
        "Südpolar",                      // 10
        "",                              // 11
        "Kelmar",                        // 12
        "Info",                          // 13
        "&Quit          Q",              // 14
        "",                              // 15
        "Ignoriert",                     // 16: beyond the last item
    };
}

class MenuBarTest : public ::testing::Test {
protected:
    QMenuBar bar;
    QtMenuBar menu{&bar};
    std::vector<int> chosen;

    void SetUp() override {
        menu.onChoose = [this](int n) { chosen.push_back(n); };
        menu.Build(SampleCaptions(), 15);
    }

    static QString Shown(const QAction* a) { return a ? a->text() : QStringLiteral("<none>"); }
};

TEST_F(MenuBarTest, TitlesSeparatorsAndItems) {
    const QList<QAction*> titles = bar.actions();
    ASSERT_EQ(titles.size(), 3);
    EXPECT_EQ(titles[0]->text(), QStringLiteral("Parameter"));
    EXPECT_EQ(titles[1]->text(), QStringLiteral("Darstellen"));
    EXPECT_EQ(titles[2]->text(), QStringLiteral("Kelmar"));

    const QList<QAction*> first = titles[0]->menu()->actions();
    ASSERT_EQ(first.size(), 5);
    EXPECT_EQ(first[0]->text(), QStringLiteral("Datum"));
    EXPECT_EQ(first[1]->text(), QStringLiteral("Zei&t"));
    EXPECT_TRUE(first[2]->isSeparator());
    EXPECT_EQ(first[3]->text(), QStringLiteral("UT\t&0"));
    EXPECT_EQ(first[4]->text(), QStringLiteral("Ort ändern UTM"));
    EXPECT_FALSE(first[4]->isEnabled());

    EXPECT_EQ(titles[1]->menu()->actions().size(), 3);
    EXPECT_EQ(titles[2]->menu()->actions().size(), 2);
}

TEST_F(MenuBarTest, ItemNumbersAreTablePositions) {
    EXPECT_EQ(Shown(menu.Action(0)), QStringLiteral("Parameter"));
    EXPECT_EQ(Shown(menu.Action(2)), QStringLiteral("Zei&t"));
    EXPECT_EQ(menu.Action(3), nullptr);   // separator
    EXPECT_EQ(menu.Action(6), nullptr);   // end of a menu
    EXPECT_EQ(Shown(menu.Action(8)), QStringLiteral("&Sternbilder\tS"));
    EXPECT_EQ(Shown(menu.Action(9)), QStringLiteral("Drucken\tStrg+P"));
    EXPECT_EQ(Shown(menu.Action(14)), QStringLiteral("&Quit\tQ"));
    EXPECT_EQ(menu.Action(16), nullptr);  // beyond the last item
    EXPECT_EQ(menu.Action(-1), nullptr);

    menu.Action(9)->trigger();
    menu.Action(2)->trigger();
    menu.Action(14)->trigger();
    EXPECT_TRUE(chosen.empty()) << "choices are delivered after the menu has closed";
    QApplication::processEvents();
    EXPECT_EQ(chosen, (std::vector<int>{9, 2, 14}));
}

TEST_F(MenuBarTest, KeyHintsAreNotShortcuts) {
    for (int n = 0; n <= 15; ++n) {
        if (QAction* a = menu.Action(n)) {
            EXPECT_TRUE(a->shortcut().isEmpty()) << n;
        }
    }
}

TEST_F(MenuBarTest, ItemStates) {
    EXPECT_EQ(menu.ItemState(1), platform::kItemPlain);
    EXPECT_EQ(menu.ItemState(5), platform::kItemGreyed);  // "-text" starts greyed

    menu.SetItemState(1, platform::kItemChecked);
    EXPECT_EQ(menu.ItemState(1), platform::kItemChecked);
    EXPECT_TRUE(menu.Action(1)->isChecked());
    EXPECT_TRUE(menu.Action(1)->isEnabled());

    // A state replaces both marks.
    menu.SetItemState(1, platform::kItemGreyed);
    EXPECT_FALSE(menu.Action(1)->isChecked());
    EXPECT_FALSE(menu.Action(1)->isEnabled());
    menu.SetItemState(1, platform::kItemEnabled);
    EXPECT_EQ(menu.ItemState(1), platform::kItemEnabled);
    EXPECT_TRUE(menu.Action(1)->isEnabled());
    EXPECT_FALSE(menu.Action(1)->isChecked());

    menu.SetItemState(5, platform::kItemEnabled);
    EXPECT_TRUE(menu.Action(5)->isEnabled());
    menu.SetItemState(10, platform::kItemGreyed);
    EXPECT_FALSE(menu.Action(10)->isEnabled());
    menu.SetItemState(10, platform::kItemPlain);
    EXPECT_TRUE(menu.Action(10)->isEnabled());

    // Separators and numbers outside the table are left alone.
    menu.SetItemState(3, platform::kItemChecked);
    menu.SetItemState(99, platform::kItemChecked);
    EXPECT_EQ(menu.ItemState(3), platform::kItemPlain);
    EXPECT_EQ(menu.ItemState(99), platform::kItemPlain);
}

TEST_F(MenuBarTest, ChoosingAnItemKeepsItsMark) {
    menu.SetItemState(8, platform::kItemChecked);
    menu.Action(8)->trigger();
    EXPECT_TRUE(menu.Action(8)->isChecked());
    menu.SetItemState(13, platform::kItemPlain);
    menu.Action(13)->trigger();
    EXPECT_FALSE(menu.Action(13)->isChecked());
    QApplication::processEvents();
    EXPECT_EQ(chosen, (std::vector<int>{8, 13}));
}

TEST_F(MenuBarTest, RebuildClearsStatesAndTakesNewCaptions) {
    menu.SetItemState(1, platform::kItemChecked);
    menu.SetItemState(5, platform::kItemEnabled);
    menu.SetItemState(10, platform::kItemGreyed);
    std::vector<std::string> captions = SampleCaptions();
    captions[13] = "Über";
    menu.Build(captions, 15);
    EXPECT_EQ(bar.actions().size(), 3);
    EXPECT_EQ(menu.ItemState(1), platform::kItemPlain);
    EXPECT_FALSE(menu.Action(1)->isChecked());
    EXPECT_EQ(menu.ItemState(5), platform::kItemGreyed);
    EXPECT_FALSE(menu.Action(5)->isEnabled());
    EXPECT_TRUE(menu.Action(10)->isEnabled());
    EXPECT_EQ(Shown(menu.Action(13)), QStringLiteral("Über"));

    // Only the items up to the last one given.
    menu.Build(captions, 6);
    EXPECT_EQ(bar.actions().size(), 1);
    EXPECT_EQ(menu.Action(8), nullptr);
}

TEST_F(MenuBarTest, HandlerMayRebuildTheBar) {
    menu.onChoose = [this](int n) {
        chosen.push_back(n);
        menu.Build(SampleCaptions(), 15);
        menu.SetItemState(n, platform::kItemChecked);
    };
    menu.Action(4)->trigger();
    QApplication::processEvents();
    ASSERT_EQ(chosen, std::vector<int>{4});
    EXPECT_EQ(menu.ItemState(4), platform::kItemChecked);
    menu.Action(4)->trigger();
    QApplication::processEvents();
    EXPECT_EQ(chosen, (std::vector<int>{4, 4}));
}

}  // namespace
