// The menu bar, built from the program's caption table.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Item states: 0 plain, 1 checked, 2 greyed, 3 plain (enabled again).
inline constexpr int kItemPlain = 0;
inline constexpr int kItemChecked = 1;
inline constexpr int kItemGreyed = 2;
inline constexpr int kItemEnabled = 3;

class MenuBar {
public:
    virtual ~MenuBar() = default;
    // Removes the bar and builds it anew from captions[0..last]: each menu is
    // its title followed by its items and ends with an empty caption; "-" is
    // a separator, "-text" a greyed item, "&" marks the mnemonic, the text
    // after the run of blanks is the key hint. All states become plain.
    // Choosing item n reports n to the window's menu handler.
    virtual void Build(const std::vector<std::string>& captions, int last) = 0;
    // Replaces the check and grey state of item n.
    virtual void SetItemState(int n, int state) = 0;
    virtual int ItemState(int n) const = 0;
};

}  // namespace platform
