// The German texts of what the computations report, and showing them.
#pragma once

#include <string>
#include <vector>

#include "astronomy/AstroPhoto.h"
#include "astronomy/OrbitElements.h"
#include "astronomy/PositionService.h"

namespace platform {
class Dialogs;
}

namespace shell {

// A message box: its "|"-separated lines and button labels.
struct UserMessage {
    std::string text;
    std::string buttons;
    bool operator==(const UserMessage&) const = default;
};

// What an element file's reading and checks found.
UserMessage ElementNoteMessage(const astronomy::ElementNote& note);
std::vector<UserMessage> ElementNoteMessages(const astronomy::ElementNotes& notes);
// Why an element file could not be written (nothing for Written).
std::string ElementWriteError(astronomy::ElementWrite result, const std::string& path);
// Why the object has no position now: the Messier number not in the
// catalogue, or no place at this instant ("" for Ok).
UserMessage PositionMessage(astronomy::PositionStatus status, const astronomy::Target& target,
                            const std::string& objectName);

// The phase jumps and the eclipse search serve the years of the lunar
// series only; the typed start of the search was no date of those years.
UserMessage LunarYearsMessage();
UserMessage EclipseStartMessage(const std::string& typed);
// Why the photograph has no result ("" for Ok).
UserMessage PhotoMessage(astronomy::PhotoStatus status);

// A typed date, time or Julian Date held no number; the instant stays.
UserMessage NoNumberMessage(const std::string& what);
// The instant would leave the years the calendar serves; it stays.
UserMessage ServedYearsMessage();

// Each message in a message box, in turn.
void ShowMessages(platform::Dialogs& dialogs, const std::vector<UserMessage>& messages);

}  // namespace shell
