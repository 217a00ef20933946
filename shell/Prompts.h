// The small text prompts of the shell (date, time, Julian Date, equinox,
// place, arbitrary object, limiting magnitude) and the input primitives they
// share. A prompt that the user cancels or closes changes nothing.
#pragma once

#include <string>
#include <string_view>

#include "astronomy/Numbers.h"
#include "astronomy/TimeCalendar.h"
#include "shell/Shell.h"

namespace shell {

// Typed answers are read with the program's number reader.
using astronomy::FieldValue;
using astronomy::LeadingNumber;
using astronomy::RoundToInt;

// A typed answer without its leading and trailing blanks.
inline std::string Trim(std::string_view text) { return std::string(astronomy::TrimBlanks(text)); }

// Edits a sexagesimal value (whole units, minutes, seconds, sign) in the
// open prompt window. inputGiven becomes 0 for an empty answer (the value
// is then unchanged) and -1 for a typed one. Returns false when cancelled;
// then nothing changes. "23:30:15" reads as "23 30 15"; in a date field
// (dateField) "24.12.2026" and "24,12,2026" read as "24 12 2026".
bool DmsInput(Shell& sh, int& units, int& minutes, double& seconds, int& sign, float& inputGiven,
              bool dateField = false);

// The label and DmsInput on a value in hours (or degrees); an empty answer
// keeps the value. False when cancelled.
bool InputSexagesimal(Shell& sh, const std::string& label, double& value);

// A date as typed into DmsInput: day, month and year are its three numbers.
struct DateEntry {
    int day = 1;
    int month = 1;
    double year = 2000;
};
// The label and the date; an empty answer keeps it, a typed "-" is
// ignored. False when cancelled.
bool InputDate(Shell& sh, const std::string& label, DateEntry& date);
// The year of a date entry as a whole number, rounded down; far beyond any
// calendar it is held at a million years so that it stays an int.
int WholeYear(double year);
// The instant of a date entry and a zone time. As in the date prompt, a
// month outside 1..12 counts as January; the day is kept within a million
// days.
astronomy::JulianDate InstantOf(const DateEntry& date, double hours, int zone);

// "Alpha in h,m,s = " / "δ in °,',"" = " followed by DmsInput on the value.
// An empty answer keeps the value; false when cancelled.
bool InputHours(Shell& sh, double& hours);
bool InputDegrees(Shell& sh, double& degrees);

void DatePrompt(Shell& sh);
void TimePrompt(Shell& sh);
void JulianDatePrompt(Shell& sh);
void EquinoxPrompt(Shell& sh);
// Edits the name, longitude and latitude of the current place Ort; the
// caller computes the latitude terms. Returns false when cancelled.
bool PlacePrompt(Shell& sh);
void ObjectPrompt(Shell& sh);
// The number of the Messier object (1..109 but 40).
void MessierPrompt(Shell& sh);
// Inside an already open prompt window: asks for Grenzmag. Returns false
// when cancelled.
bool LimitingMagnitudePrompt(Shell& sh);

}  // namespace shell
