// The German texts of what the computations report.
#include <gtest/gtest.h>

#include "shell/Messages.h"

namespace {

using astronomy::ElementIssue;
using shell::UserMessage;

TEST(Messages, ElementFileNotesAndWriteFailures) {
    // The check messages of the element files, as the user has always read
    // them; the two checks differ by the blank after the "|".
    EXPECT_EQ(shell::ElementNoteMessage({ElementIssue::LineWithoutValue, "d/f.kom"}),
              (UserMessage{"Fehler in Datei|d/f.kom", " OK "}));
    EXPECT_EQ(shell::ElementNoteMessage({ElementIssue::EpochMissing, "X"}),
              (UserMessage{"Bahnelemente von X|überprüfen !", " Aha "}));
    EXPECT_EQ(shell::ElementNoteMessage({ElementIssue::Suspicious, "X"}),
              (UserMessage{"Bahnelemente von X| überprüfen !", " Aha "}));
    EXPECT_EQ(shell::ElementNoteMessages({{ElementIssue::Suspicious, ""}, {ElementIssue::LineWithoutValue, "a"}}).size(),
              2u);
    EXPECT_EQ(shell::ElementWriteError(astronomy::ElementWrite::Written, "p"), "");
    EXPECT_EQ(shell::ElementWriteError(astronomy::ElementWrite::Failed, "/d/x.kom"),
              "Datei kann nicht geschrieben werden|/d/x.kom");
    EXPECT_EQ(shell::ElementWriteError(astronomy::ElementWrite::InvalidNumbers, "/d/x.kom"),
              "Bahnelemente enthalten ungültige Zahlen|Nicht gespeichert: /d/x.kom");
    EXPECT_EQ(shell::ElementWriteError(astronomy::ElementWrite::NoName, ""), "Kein Dateiname angegeben");
}

TEST(Messages, PositionsThatCannotBeComputed) {
    astronomy::Target m;
    m.kind = astronomy::ObjectKind::Messier;
    m.messier = 110;
    EXPECT_EQ(shell::PositionMessage(astronomy::PositionStatus::NoMessier, m, "Messier"),
              (UserMessage{"M 110 ist nicht im Messier-Katalog", " OK "}));
    EXPECT_EQ(shell::PositionMessage(astronomy::PositionStatus::NoPosition, {}, "Disk"),
              (UserMessage{"Die Position von Disk|ist zu diesem Zeitpunkt nicht berechenbar.", " OK "}));
    EXPECT_EQ(shell::PositionMessage(astronomy::PositionStatus::Ok, {}, "Sonne"), UserMessage{});
}

}  // namespace
