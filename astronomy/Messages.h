// Messages that a computation hands back to its caller to show in a message
// box: the "|"-separated lines and the "|"-separated button labels.
#pragma once

#include <string>
#include <vector>

namespace astronomy {

struct UserMessage {
    std::string text;
    std::string buttons;
    bool operator==(const UserMessage&) const = default;
};

using MessageList = std::vector<UserMessage>;

}  // namespace astronomy
