// The German wording of the status values of the computations.
#include "shell/Messages.h"

#include "astronomy/LunarEvents.h"
#include "platform/Dialogs.h"

namespace shell {

UserMessage ElementNoteMessage(const astronomy::ElementNote& note) {
    switch (note.issue) {
        case astronomy::ElementIssue::LineWithoutValue: return {"Fehler in Datei|" + note.subject, " OK "};
        case astronomy::ElementIssue::EpochMissing: return {"Bahnelemente von " + note.subject + "|überprüfen !", " Aha "};
        case astronomy::ElementIssue::Suspicious: return {"Bahnelemente von " + note.subject + "| überprüfen !", " Aha "};
    }
    return {};
}

std::vector<UserMessage> ElementNoteMessages(const astronomy::ElementNotes& notes) {
    std::vector<UserMessage> messages;
    for (const astronomy::ElementNote& note : notes) messages.push_back(ElementNoteMessage(note));
    return messages;
}

std::string ElementWriteError(astronomy::ElementWrite result, const std::string& path) {
    switch (result) {
        case astronomy::ElementWrite::Written: return "";
        case astronomy::ElementWrite::NoName: return "Kein Dateiname angegeben";
        case astronomy::ElementWrite::InvalidNumbers:
            return "Bahnelemente enthalten ungültige Zahlen|Nicht gespeichert: " + path;
        case astronomy::ElementWrite::Failed: return "Datei kann nicht geschrieben werden|" + path;
    }
    return "";
}

UserMessage PositionMessage(astronomy::PositionStatus status, const astronomy::Target& target,
                            const std::string& objectName) {
    switch (status) {
        case astronomy::PositionStatus::Ok: return {};
        case astronomy::PositionStatus::NoMessier:
            return {"M " + std::to_string(target.messier) + " ist nicht im Messier-Katalog", " OK "};
        case astronomy::PositionStatus::NoPosition:
            return {"Die Position von " + objectName + "|ist zu diesem Zeitpunkt nicht berechenbar.", " OK "};
    }
    return {};
}

UserMessage NoNumberMessage(const std::string& what) {
    return {"Keine Zahl eingegeben: " + what + " bleibt unver\u00e4ndert.", " OK "};
}

UserMessage ServedYearsMessage() {
    return {"Nur die Jahre " + std::to_string(astronomy::kFirstYear) + " bis " + std::to_string(astronomy::kLastYear) +
                ": der Zeitpunkt bleibt unver\u00e4ndert.",
            " OK "};
}

UserMessage LunarYearsMessage() {
    return {"Mondphasen und Mondfinsternisse nur für die Jahre " + std::to_string(astronomy::kLunarFirstYear) +
                " bis " + std::to_string(astronomy::kLunarLastYear) + " !| ",
            " OK "};
}

UserMessage EclipseStartMessage(const std::string& typed) {
    return {"Kein gültiges Datum: " + typed + "|Bitte als Tag.Monat.Jahr eingeben, z. B. 24.12.2026,|mit einem Jahr von " +
                std::to_string(astronomy::kLunarFirstYear) + " bis " + std::to_string(astronomy::kLunarLastYear) + ".",
            " OK "};
}

UserMessage PhotoMessage(astronomy::PhotoStatus status) {
    switch (status) {
        case astronomy::PhotoStatus::Ok: break;
        case astronomy::PhotoStatus::BelowHorizon: return {"Das Objekt steht unter dem Horizont.", " OK "};
        case astronomy::PhotoStatus::Unlit: return {"Das Objekt ist nicht beleuchtet.", " OK "};
        case astronomy::PhotoStatus::OutOfRange: return {"Die Belichtungszeit ist nicht berechenbar.", " OK "};
    }
    return {};
}

void ShowMessages(platform::Dialogs& dialogs, const std::vector<UserMessage>& messages) {
    for (const UserMessage& m : messages) dialogs.MessageBox(m.text, m.buttons, 1);
}

}  // namespace shell
