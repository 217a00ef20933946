// The small text prompts of the shell (date, time, Julian Date, equinox,
// place, arbitrary object, limiting magnitude) and the input primitives they
// share. A prompt that the user cancels or closes changes nothing.
#pragma once

#include <string>
#include <string_view>

#include "shell/Shell.h"

namespace shell {

// The text without leading and trailing blanks.
std::string Trim(const std::string& text);
// The number at the start of a typed text (blanks skipped, a "+" allowed);
// 0 when there is none or it is not finite.
double LeadingNumber(std::string_view text);
// Rounded to the nearest integer, kept inside the int range; 0 for a value
// that is not finite.
int RoundToInt(double x);

// The number at the start of field n (1-based) of the trimmed text, fields
// being the runs of characters other than the separator; 0 when the text
// has fewer than n fields or the field does not start with a number.
double FieldValue(const std::string& text, int n, char separator);

// Edits a sexagesimal value (whole units, minutes, seconds, sign) in the
// open prompt window. inputGiven becomes 0 for an empty answer (the value
// is then unchanged) and -1 for a typed one. Returns false when cancelled;
// then nothing changes.
bool DmsInput(Shell& sh, int& units, int& minutes, double& seconds, int& sign, float& inputGiven);

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
// Inside an already open prompt window: asks for Grenzmag. Returns false
// when cancelled.
bool LimitingMagnitudePrompt(Shell& sh);

}  // namespace shell
