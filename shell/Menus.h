// The menu bar: its caption table, the check and grey marks it shows, and
// the pure half of command dispatch (which item a choice or a key means).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "astronomy/ProgramState.h"
#include "platform/Menu.h"
#include "platform/Window.h"

namespace shell {

inline constexpr int kMenuCapacity = 150;

// The caption table and the item numbers found in it at start-up. Every
// menu is its title followed by its items and ends with an empty caption.
struct MenuTable {
    std::vector<std::string> captions = std::vector<std::string>(kMenuCapacity);
    int LastMenuItem = 0;  // the empty caption closing the last menu

    // Items whose captions change at run time.
    int DiskItem = 0;      // shows DiskName
    int MessierItem = 0;   // shows "M " and the Messier number
    int BeliebigItem = 0;  // shows BelName

    // Titles the key bindings count from, and the quit item.
    int DarstellenItem = 0;
    int OffsetItem = 0;
    int KarteItem = 0;
    int SpringeItem = 0;
    int ExtraItem = 0;
    int QuitItem = 0;
};

// Fills the table from the built-in caption list up to its end marker "@"
// and finds the remembered item numbers.
void LoadMenuCaptions(MenuTable& m);

// The captions taken from the state: the names of places 1 to OrtAnz (only
// the first 15 fit the menu; empty names keep their caption), the orbit
// object's name, "M <n>" and the arbitrary object's name. An empty DiskName
// or BelName keeps the caption, since an empty caption would end the menu.
void ApplyStateCaptions(MenuTable& m, const astronomy::ProgramState& s);

// A name or caption as the marks compare it: its first "&" removed, then
// one leading "-", then one leading "&", padded with blanks and cut to
// eight characters.
std::string PrepareMenuName(std::string_view text);

inline void SetMenuItemState(platform::MenuBar& bar, int n, int state) {
    bar.SetItemState(n, state);
}

// Sets the state of the items whose captions match the names of the
// "|"-separated list. The search goes on from the last match, so the names
// must be given in menu order; once one is missing the rest find nothing.
// Titles and item 1 never match; the name "Messier" stands for the caption
// of the Messier item. The program state is taken as by the other mark
// operations but not read: the captions alone decide.
void SetMenuMark(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s,
                 std::string_view list, int state);

// Builds the bar anew and sets every mark from the state.
void RefreshMenuMarks(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s);
// Marks the item of the current ChartMode, the layer items and the greyed ones.
void RefreshModeMarks(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s);
// Marks the items of the DisplayFlags bits that are set.
void RefreshFlagMarks(const MenuTable& m, platform::MenuBar& bar, const astronomy::ProgramState& s);

// What item n stands for: the command name, the title of its menu and its
// offset below the title. Items outside the table, titles, separators and
// empty captions give an invalid command.
struct MenuCommand {
    std::string name;
    int title = -1;
    int offset = 0;
    bool valid() const { return title >= 0; }
};
MenuCommand ResolveMenuCommand(const MenuTable& m, int n);

// ResolveMenuCommand with the one mark a menu choice sets first: choosing
// the orbit object's or the arbitrary object's item checks its caption.
MenuCommand BeginMenuCommand(const MenuTable& m, platform::MenuBar& bar,
                             const astronomy::ProgramState& s, int n);

// The items a key stands for, in the order the key dispatcher tests its
// bindings. Letters are case-sensitive; most keys have no item.
std::vector<int> ItemsForKey(const MenuTable& m, const platform::Key& key);

// The marks of an object choice (items 30 to 39, 41, 42) after the mode
// check: the old object loses its mark, the renamed object items that were
// not chosen are cleared, the chosen name is marked. Returns the new Objekt
// ("Messier" for a name "M ..."); computing it is the caller's step.
std::string ObjectChoiceMarks(const MenuTable& m, platform::MenuBar& bar,
                              const astronomy::ProgramState& s, int n, const std::string& name);

}  // namespace shell
