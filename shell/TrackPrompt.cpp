// The track prompt: length, marker step and label unit of the track.
#include "shell/TrackPrompt.h"

#include <cfloat>
#include <cmath>
#include <sstream>
#include <vector>

#include "astronomy/Numbers.h"
#include "charts/Tracks.h"
#include "shell/Prompts.h"
#include "shell/View.h"

namespace shell {

namespace {

// One of the letters of the label units (not the empty text).
bool IsUnitLetter(const std::string& text) { return !text.empty() && text != "-" && charts::TrackUnitFromText(text); }

// Asks for the length until the answer is a number or empty (keeps the
// length); false when cancelled.
bool AskLength(Shell& sh, double& length) {
    platform::Dialogs& d = sh.win.dialogs();
    while (true) {
        d.PromptPrint(" Länge des Tracks in Tagen: ", false);
        std::string text = astronomy::ShortestText(length);
        if (!d.EditField(text, 10)) return false;
        text = Trim(text);
        if (text.empty()) return true;
        if (const std::optional<double> v = astronomy::ParseNumberExactly(text)) {
            length = *v;
            return true;
        }
        d.MessageBox(" Die Länge \"" + text + "\" ist keine Zahl !| ", " OK ", 1);
        d.PromptClear();
    }
}

bool AskStep(Shell& sh, TrackStepAnswer& answer) {
    platform::Dialogs& d = sh.win.dialogs();
    while (true) {
        d.PromptPrint("", true);
        d.PromptPrint(" Beschriftungen nach t=Tage, w=Woche, d=10 Tage, m=Monat, j=Jahr", true);
        d.PromptPrint(" ohne ist aus", true);
        d.PromptPrint(" Schrittweiten Marker, Beschriftungen:  ", false);
        std::string text = answer.step == 0 ? answer.unit : astronomy::ShortestText(answer.step) + " " + answer.unit;
        if (!d.EditField(text, 20)) return false;
        if (const std::optional<TrackStepAnswer> read = ReadTrackStepAnswer(text)) {
            answer = *read;
            return true;
        }
        d.MessageBox(" \"" + Trim(text) + "\" ist keine Schrittweite !| Eine Zahl und t, w, d, m oder j,| z.B. \"7 w\" oder \"m\"| ",
                     " OK ", 1);
        d.PromptClear();
    }
}

}  // namespace

std::optional<TrackStepAnswer> ReadTrackStepAnswer(const std::string& answer) {
    const std::string text = Trim(answer);
    TrackStepAnswer out;
    if (text.empty()) return out;
    if (IsUnitLetter(text)) {
        out.unit = text;
        return out;
    }
    std::istringstream words(text);
    std::vector<std::string> parts;
    for (std::string w; words >> w;) parts.push_back(w);
    if (parts.size() > 2) return std::nullopt;
    const std::optional<double> step = astronomy::ParseNumberExactly(parts[0]);
    if (!step || std::fabs(*step) > FLT_MAX) return std::nullopt;
    if (parts.size() == 2 && !IsUnitLetter(parts[1])) return std::nullopt;
    out.step = static_cast<float>(*step);
    if (parts.size() == 2) out.unit = parts[1];
    return out;
}

void EditTrackSettings(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow("  Eingabe der Tracklänge  ", 235);
    double length = s.TrackLaenge;
    TrackStepAnswer step{s.TrackStep, s.TrackDatum};
    const bool ok = AskLength(sh, length) && AskStep(sh, step);
    d.ClosePromptWindow();
    if (!ok) return;
    // The step runs the way the length runs.
    if ((step.step > 0 && length < 0) || (step.step < 0 && length > 0)) step.step = -step.step;
    s.TrackLaenge = length;
    s.TrackStep = step.step;
    s.TrackDatum = step.unit;
    RedrawView(sh);
}

}  // namespace shell
