// The astrophotography calculator: its prompts, the result window with the
// film frame, and "Weiter?".
#include "shell/AstroPhoto.h"

#include <optional>
#include <string>

#include "astronomy/AstroPhoto.h"
#include "reports/AstroPhoto.h"
#include "reports/ObjectPanel.h"
#include "shell/Messages.h"
#include "shell/Prompts.h"
#include "shell/View.h"

namespace shell {

namespace {

constexpr int kPromptHeight = 300;
// The result window holds the rows of text and, below them, the frame.
constexpr int kResultHeight = 480;
constexpr int kSpeedLength = 6, kOpticsLength = 10;

// The texts of the fields; what was typed is offered again.
struct PhotoTexts {
    std::string asa, filter, aperture, focal;
};

// A derived value as the text its field offers next time: short enough
// for the field, and read back by the field's own number reader.
std::string FieldText(double v) { return astronomy::ShortestText(static_cast<float>(v)); }

// One field after its label; false when cancelled.
bool Field(platform::Dialogs& d, const std::string& label, std::string& text, int length) {
    d.PromptPrint(label, false);
    return d.EditField(text, length);
}

// The inputs of the prompt window; nothing when the film speed was left
// empty or a field was cancelled. The optics are asked again until two of
// the three values are given.
std::optional<astronomy::PhotoInput> AskInputs(platform::Dialogs& d, PhotoTexts& t) {
    astronomy::PhotoInput in;
    d.PromptPrint("Empfindlichkeit:");
    if (!Field(d, "  ASA =", t.asa, kSpeedLength) || Trim(t.asa).empty()) return std::nullopt;
    in.asa = astronomy::FilmSpeed(LeadingNumber(t.asa));
    t.asa = std::to_string(in.asa);
    if (!Field(d, "  Filterfaktor = x", t.filter, kSpeedLength)) return std::nullopt;
    in.filter = astronomy::FilterFactor(LeadingNumber(t.filter));

    std::string ratio;  // the focal ratio is not kept between uses
    std::optional<astronomy::Optics> optics;
    while (!optics) {
        d.PromptPrint("Optikdaten:     D/f/N        (ein Wert darf fehlen!)");
        if (!Field(d, "  Durchmesser [mm] =       ", t.aperture, kOpticsLength)) return std::nullopt;
        if (!Field(d, "  Brennweite [mm] =        ", t.focal, kOpticsLength)) return std::nullopt;
        const double D = LeadingNumber(t.aperture), f = LeadingNumber(t.focal);
        if (D > 0 && f > 0) ratio = FieldText(f / D);
        if (!Field(d, "  Blende =              1 :", ratio, kOpticsLength)) return std::nullopt;
        optics = astronomy::CompleteOptics(D, f, LeadingNumber(ratio));
    }
    // A value worked out from the other two is what its field offers next.
    if (!(LeadingNumber(t.aperture) > 0))
        t.aperture = FieldText(optics->aperture);
    else if (!(LeadingNumber(t.focal) > 0))
        t.focal = FieldText(optics->focal);
    in.optics = *optics;
    return in;
}

void PrintAt(platform::Dialogs& d, int column, int row, const std::string& text) {
    d.PromptLocate(column, row);
    d.PromptPrint(text, false);
}

// The result window: the rows of text, the frame with the picture, and
// "Weiter?" after each key or click until "Schließen" (or the window closed).
void ShowResult(Shell& sh, const astronomy::PhotoResult& r) {
    platform::Dialogs& d = sh.win.dialogs();
    d.OpenPromptWindow(reports::PhotoResultTitle(sh.pos.name), kResultHeight);
    const std::vector<std::string> lines = reports::PhotoResultLines(r);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!lines[i].empty()) PrintAt(d, 1, reports::kPhotoFirstRow + static_cast<int>(i), lines[i]);
    PrintAt(d, reports::kFrameLabelColumn, reports::kFrameLabelRow, "Format:");
    PrintAt(d, reports::kFrameLabelColumn, reports::kFrameLabelRow + 1, " 15x22mm");
    const platform::Dialogs::CellOrigin at = d.PromptCellOrigin(reports::kFrameLabelColumn, reports::kFrameLabelRow);
    const reports::CellPosition laidOut = reports::TextCell(reports::kFrameLabelColumn, reports::kFrameLabelRow, 1.0);
    reports::DrawFilmFrame(d.PromptCanvas(), sh.s, sh.pos, r.input.optics.focal, at.x - laidOut.x, at.y - laidOut.y);
    constexpr int kHold = 2;
    for (;;) {
        if (!d.PromptWaitKeyOrClick()) return;  // the window was closed
        if (d.MessageBox("Weiter?", "Schließen|Halten", 1) != kHold) return;
    }
}

}  // namespace

void AstroPhotoCalculator(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    PhotoTexts texts{s.PhotoAsa, s.PhotoFilter, s.PhotoAperture, s.PhotoFocal};
    d.OpenPromptWindow("  Photographie  ", kPromptHeight);
    const std::optional<astronomy::PhotoInput> input = AskInputs(d, texts);
    d.ClosePromptWindow();
    if (!input) {
        RedrawView(sh);
        return;
    }
    s.PhotoAsa = texts.asa;
    s.PhotoFilter = texts.filter;
    s.PhotoAperture = texts.aperture;
    s.PhotoFocal = texts.focal;

    // The object as last computed: real time may have moved it since the
    // menu offered the command.
    const astronomy::PhotoResult result = astronomy::ComputeAstroPhoto(*input, sh.pos, s.Objekt);
    if (result.status != astronomy::PhotoStatus::Ok) {
        ShowMessages(d, {PhotoMessage(result.status)});
    } else {
        ShowResult(sh, result);
        d.ClosePromptWindow();
    }
    RedrawView(sh);
}

}  // namespace shell
