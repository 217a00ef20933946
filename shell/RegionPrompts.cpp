// The region prompts of the equatorial, polar and horizon charts: one
// prompt window driver and the questions of each chart.
#include "shell/RegionPrompts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "astronomy/Numbers.h"
#include "astronomy/TextFormats.h"
#include "charts/Regions.h"
#include "shell/ChartCommands.h"
#include "shell/Prompts.h"
#include "shell/View.h"

namespace shell {

namespace {

using astronomy::ProgramState;
using astronomy::Reduce;
using astronomy::View;
using charts::ChartRegion;
using charts::SkyTarget;

// Typed numbers are kept within this range, so that no later arithmetic
// overflows or loses the reduction into a circle.
constexpr double kLargestTyped = 1e6;
// The polar limits a user can type: beyond these the stereographic radius
// runs away (below -90) or the circles repeat (above 270).
constexpr double kPolarLowest = -90, kPolarHighest = 270;

bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

double TypedNumber(const std::string& text) {
    return std::clamp(FieldValue(text, 1, ' '), -kLargestTyped, kLargestTyped);
}

// A number as a field offers it: at most four decimals, no trailing zeros.
std::string FieldText(double v) {
    if (!std::isfinite(v)) v = 0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.4f", v);
    std::string t = buf;
    while (t.back() == '0') t.pop_back();
    if (t.back() == '.') t.pop_back();
    return t == "-0" ? "0" : t;
}

// What the three prompts share: the selected object to centre on (found
// before the window opens), the prompt window with its edit fields, and the
// end: the limiting magnitude, the new region stored and the chart drawn.
// A cancel anywhere closes the window and changes nothing.
class RegionPrompt {
public:
    RegionPrompt(Shell& sh, const char* title) : sh_(sh), d_(sh.win.dialogs()), object_(FindObject(sh)) {
        d_.OpenPromptWindow(title, 235);
    }

    const ObjectPlace& object() const { return object_; }
    // The object's place, or the fallback when it has none now.
    SkyTarget Centre(const SkyTarget& fallback) const { return object_.known ? object_.at : fallback; }

    void Line(const std::string& text) { d_.PromptPrint(text); }
    // The label and an edit field offering `text`; false when cancelled.
    bool Ask(const std::string& label, std::string& text) {
        d_.PromptPrint(label, false);
        return d_.EditField(text, 10);
    }
    bool Cancel() {
        d_.ClosePromptWindow();
        return false;
    }
    bool Finish(const ChartRegion& region, View view) {
        if (!LimitingMagnitudePrompt(sh_)) return Cancel();
        d_.ClosePromptWindow();
        StoreRegion(sh_.s, region);
        sh_.s.ChartMode = view;
        RedrawView(sh_);
        return true;
    }

private:
    Shell& sh_;
    platform::Dialogs& d_;
    ObjectPlace object_;
};

}  // namespace

bool EquatorialRegionPrompt(Shell& sh) {
    const ProgramState& s = sh.s;
    ChartRegion r = charts::RegionOf(s);
    RegionPrompt p(sh, " Wahl des Ausschnittes ");
    const SkyTarget at = p.Centre({charts::RaCentre(r), (r.Delta_min + r.Delta_max) / 2});
    p.Line("(leere Felder -> " + p.object().name + " in Mitte)");
    double low = r.Delta_min, high = r.Delta_max;
    bool centred = false;
    do {
        std::string text = FieldText(low).substr(0, 7);
        if (!p.Ask("untere Grenze in Deklination: ", text)) return p.Cancel();
        centred = IsBlank(text);
        if (centred) {
            low = at.decDeg - 10;
            high = at.decDeg + 10;
            if (high > 90) low = 70, high = 90;
            if (low < -90) low = -90, high = -70;
        } else {
            low = TypedNumber(text);
            text = FieldText(high).substr(0, 7);
            if (!p.Ask("obere Grenze in Deklination:  ", text)) return p.Cancel();
            if (!IsBlank(text)) high = TypedNumber(text);
        }
        // The limits are kept within 20 degrees beyond the poles; a pair
        // that this leaves without extent is asked for again.
        low = std::max(low, -110.0);
        high = std::min(high, 110.0);
    } while (!(high > low));

    double width = (high - low) / 15 * FrameAspect(s);
    double centre = at.raHours;
    if (!centred) {
        width = std::min(width, 24.0);
        p.Line("In R.A. können " + astronomy::FormatFixed(width, 5, 2) + " h dargestellt werden.");
        std::string text = FieldText(charts::RaCentre(r));
        if (!p.Ask("Mittelpunkt in R.A.: ", text)) return p.Cancel();
        if (!IsBlank(text)) centre = TypedNumber(text);
    }
    r.Delta_min = low;
    r.Delta_max = high;
    return p.Finish(charts::WithRaWindow(r, centre, width), View::Equatorial);
}

bool PolarRegionPrompt(Shell& sh, bool southPolar) {
    ChartRegion r = charts::RegionOf(sh.s);
    RegionPrompt p(sh, " Wahl des Ausschnittes ");
    const SkyTarget at = p.Centre({r.Pol_mitte, (r.Pol_min + r.Pol_max) / 2});
    p.Line("Deklination wird auf volle 5° gerundet !");
    p.Line("(leere Felder -> " + p.object().name + " in Mitte)");
    double low = r.Pol_min, high = r.Pol_max;
    bool centred = false;
    do {
        std::string text = FieldText(low);
        if (!p.Ask("untere Grenze in °: ", text)) return p.Cancel();
        centred = IsBlank(text);
        if (centred) {
            low = at.decDeg - 5;
            high = at.decDeg + 5;
            if (high > 90) low = 71, high = 89;
            if (low < -90) low = -89, high = -71;
        } else {
            low = std::clamp(TypedNumber(text), kPolarLowest, kPolarHighest);
            p.Line("Werte > 90° geben Vollkreise (z.B. 0..180)");
            text = FieldText(high);
            if (!p.Ask("obere Grenze in °:  ", text)) return p.Cancel();
            if (!IsBlank(text)) high = std::clamp(TypedNumber(text), kPolarLowest, kPolarHighest);
            if (!(high > low)) high = 180 - low;
        }
        low = 5 * std::floor(low / 5);
        high = 5 * std::ceil(high / 5);
    } while (!(high > low));

    double middle = at.raHours;
    if (!centred) {
        p.Line("Eingabe wird auf 30 min gerundet !");
        std::string text = FieldText(r.Pol_mitte);
        if (!p.Ask("Mittelpunkt in h: ", text)) return p.Cancel();
        if (!IsBlank(text)) middle = TypedNumber(text);
    }
    r.Pol_min = low;
    r.Pol_max = high;
    r.Pol_mitte = Reduce(std::floor(2 * middle + 0.5) * 0.5, 24);  // the nearest half hour
    return p.Finish(r, southPolar ? View::SouthPolar : View::NorthPolar);
}

bool HorizonRegionPrompt(Shell& sh) {
    const ProgramState& s = sh.s;
    ChartRegion r = charts::RegionOf(s);
    RegionPrompt p(sh, "Wahl des Ausschnittes");
    const SkyTarget at = p.Centre({0, 0, (r.Hoehe_min + r.Hoehe_max) / 2, charts::AziCentre(r)});
    p.Line("(leere Felder -> " + p.object().name + " in Mitte)");
    double low = r.Hoehe_min, high = r.Hoehe_max, centre = charts::AziCentre(r);
    while (true) {
        std::string text = astronomy::FormatFixed(high, 7, 2);
        if (!p.Ask("Karte bis obere Höhe (60°):", text)) return p.Cancel();
        if (IsBlank(text)) {
            high = std::max(at.altDeg + 10, 10.0);
            low = 0;
            centre = at.aziDeg;
        } else {
            high = std::fabs(TypedNumber(text));
            text = astronomy::FormatFixed(low, 7, 2);
            if (!p.Ask("Karte bis untere Höhe (0°):", text)) return p.Cancel();
            if (!IsBlank(text)) low = std::fabs(TypedNumber(text));
            if (!(high > low)) continue;
            const double width = (high - low) * FrameAspect(s);
            p.Line("In Azimut können " + astronomy::FormatFixed(width, 5, 1) + "° dargestellt werden.");
            p.Line("Mittelpunkt für Nordazimut (O=90,S=180,W=270)");
            text = FieldText(centre);
            if (!p.Ask("('Return'=" + p.object().name + " in Mitte):", text)) return p.Cancel();
            centre = IsBlank(text) ? at.aziDeg : Reduce(TypedNumber(text), 360);
        }
        // The chart shows the sky above the horizon only.
        high = std::min(high, 90.0);
        low = std::max(low, 0.0);
        if (high > low) break;
    }
    r.Hoehe_min = low;
    r.Hoehe_max = high;
    return p.Finish(charts::WithAziWindow(r, centre, charts::AziWidthForHeight(r, FrameAspect(s))),
                    View::Horizon);
}

}  // namespace shell
