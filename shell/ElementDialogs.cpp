// Loading, saving and entering the elements of the orbit object.
#include "shell/ElementDialogs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "astronomy/Files.h"
#include "astronomy/MpcOrbits.h"
#include "astronomy/OrbitElements.h"
#include "astronomy/TextEncoding.h"
#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "shell/Messages.h"
#include "shell/Prompts.h"
#include "shell/View.h"

namespace shell {
namespace {

namespace fs = std::filesystem;
using astronomy::kDegToRad;

constexpr int kLabelWidth = 65;   // labels are right-aligned in this many characters
constexpr int kFieldLength = 20;  // characters of an edit line
constexpr int kValueColumn = kLabelWidth + 3;  // after the label and ": "
// The text window of the entry dialog: wide enough for a label, ": " and
// the edit line, high enough for the whole sequence without scrolling much.
constexpr int kWindowWidth = 760;
constexpr int kWindowHeight = 520;
// Julian Dates beyond this are not shown as calendar dates (about 2.7
// million years either side of the epoch; beyond it the calendar's year
// would no longer fit its integer).
constexpr double kLargestCalendarDate = 1e9;
// The choice among the objects of a file of orbit lines lists this many.
constexpr std::size_t kListedObjects = 20;
constexpr int kChoiceWidth = 560;

const std::string kDegreeMark = "[\u00b0]";

// The shortest text that reads back as x (precision 0), or x to the given
// significant digits.
std::string ToChars(double x, int precision, std::chars_format format = std::chars_format::general) {
    std::array<char, 512> buf{};
    const auto r = precision > 0 ? std::to_chars(buf.data(), buf.data() + buf.size(), x, format, precision)
                                 : std::to_chars(buf.data(), buf.data() + buf.size(), x, format);
    return r.ec == std::errc() ? std::string(buf.data(), r.ptr) : std::string("0");
}

// A number as the edit line offers it: the shortest text that reads back as
// the same value, without an exponent where that fits the line ("0.0001",
// not "1e-04"); when even the exponent form does not fit, fewer digits.
std::string NumberText(double x) {
    if (!std::isfinite(x) || x == 0) x = 0;  // also no "-0"
    std::string text = ToChars(x, 0, std::chars_format::fixed);
    if (static_cast<int>(text.size()) <= kFieldLength) return text;
    text = ToChars(x, 0);
    for (int precision = 15; precision >= 1 && static_cast<int>(text.size()) > kFieldLength; --precision)
        text = ToChars(x, precision);
    return text;
}

// An angle held in radians as degrees: the shortest degree value that
// turns back into exactly these radians, so that 80 is offered as "80" and
// not as 79.99999999999999.
std::string DegreesText(double rad) {
    if (!std::isfinite(rad / kDegToRad)) return NumberText(0);
    return NumberText(astronomy::Val(astronomy::ShortestDegreesText(rad)));
}

// A number in a picture (FormatPicture), without a decimal point that no
// digit follows: 15 in "###.###" shows as "15", not "15.".
std::string Pictured(double value, std::string_view picture) {
    std::string text = astronomy::FormatPicture(value, picture);
    const std::size_t point = text.find('.');
    if (point != std::string::npos) {
        const bool digitFollows = point + 1 < text.size() && text[point + 1] >= '0' && text[point + 1] <= '9';
        if (!digitFollows) text.erase(point, 1);
    }
    return text;
}

// The same for a picture whose "," is the decimal comma of the German
// texts: "###,###" shows 58.0947 as "58,095".
std::string CommaPicture(double value, std::string picture) {
    std::replace(picture.begin(), picture.end(), ',', '.');
    std::string text = Pictured(value, picture);
    std::replace(text.begin(), text.end(), '.', ',');
    return text;
}

// The text window of the entry dialog. It counts its rows so that texts
// can be placed by character cell: a label right-aligned in 65 characters
// starts in the cell where its padding would end, and the values and edit
// lines all start in column 68, below one another also in the window's
// proportional font.
class EntryWindow {
public:
    explicit EntryWindow(platform::Dialogs& d) : d_(d) {}
    platform::Dialogs& dialogs() { return d_; }

    void Line(const std::string& text) {
        d_.PromptPrint(text);
        ++row_;
    }
    // The text right-aligned so that it ends in column `last`; what is
    // printed next follows it.
    void Label(const std::string& text, int last = kLabelWidth) {
        const int length = static_cast<int>(astronomy::CharacterCount(text));
        d_.PromptLocate(std::max(1, last + 1 - length), row_);
        d_.PromptPrint(text, false);
    }
    // The label right-aligned in 65 characters and ": ".
    void ValueLabel(const std::string& label) { Label(label + ": ", kLabelWidth + 2); }
    // A label right-aligned in 65 characters and a value in the column of
    // the edit lines.
    void Info(const std::string& label, const std::string& value) {
        Label(label);
        d_.PromptLocate(kValueColumn, row_);
        Line(value);
    }
    // The edit line in its column; its answer stays on the row.
    bool Edit(std::string& text) {
        d_.PromptLocate(kValueColumn, row_);
        d_.PromptPrint("", false);
        const bool ok = d_.EditField(text, kFieldLength);
        ++row_;
        return ok;
    }

private:
    platform::Dialogs& d_;
    int row_ = 1;
};

// Asks for one value: the label right-aligned in 65 characters, ": " and an
// edit line offering the current value. Return on the offered (or an empty)
// text keeps the value exactly; a label ending in "[°]" edits in degrees a
// value held in radians. False when the user cancels.
bool PromptValue(EntryWindow& w, const std::string& label, double& value) {
    const bool degrees = label.ends_with(kDegreeMark);
    const std::string offered = degrees ? DegreesText(value) : NumberText(value);
    w.ValueLabel(label);
    std::string text = offered;
    if (!w.Edit(text)) return false;
    if (text == offered || Trim(text).empty()) return true;
    const double typed = LeadingNumber(text);
    value = degrees ? typed * kDegToRad : typed;
    return true;
}

// The name; its label carries its own ": ". A name longer than the edit
// line is offered cut; Return on the cut name keeps the whole one.
bool PromptName(EntryWindow& w, const std::string& label, std::string& name) {
    const std::string offered = astronomy::FirstCharacters(name, kFieldLength);
    w.Label(label);
    std::string text = offered;
    if (!w.Edit(text)) return false;
    if (text != offered && !Trim(text).empty()) name = Trim(text);
    return true;
}

// A Julian Date typed as a calendar date in UT: day with fraction, month,
// year, separated by blanks. The current date is offered (nothing when it
// is 0, "no value known").
bool PromptCalendarDate(EntryWindow& w, const std::string& label, double& jd) {
    std::string offered;
    if (jd != 0 && std::isfinite(jd) && std::fabs(jd) < kLargestCalendarDate) {
        const double J = std::floor(jd);
        const astronomy::CivilDate c = astronomy::JulianDateToCalendar(J, jd - J, 0);
        offered = Pictured(c.day + c.hours / 24, "#0.#####") + " " + std::to_string(c.month) + " " + std::to_string(c.year);
    }
    w.ValueLabel(label);
    std::string text = offered;
    if (!w.Edit(text)) return false;
    if (text == offered || Trim(text).empty()) return true;
    const double dayValue = FieldValue(text, 1, ' ');
    int month = RoundToInt(FieldValue(text, 2, ' '));
    const int year = RoundToInt(FieldValue(text, 3, ' '));
    if (month < 1 || month > 12) month = 1;
    const double day = std::floor(dayValue);
    const astronomy::JulianDate r = astronomy::CalendarToJulianDate((dayValue - day) * 24, RoundToInt(day), month, year, 0);
    jd = r.J + r.F;
    return true;
}

// An instant asked either in Julian days (label julianLabel) or as a date;
// a message box offers the choice. False when cancelled.
bool PromptInstant(EntryWindow& w, const std::string& julianLabel, double& jd) {
    const int how = w.dialogs().MessageBox("Datum in dd,mm,yyyy oder|jul. Tagen", "Datum|julian.", 0);
    if (how == 2) return PromptValue(w, julianLabel, jd);
    if (how == 1) return PromptCalendarDate(w, " Zeitpunkt hierzu in dd.ddd mm yyyy [UT]", jd);
    return false;
}

// What one file or entry's checks found, each text shown once: a file of
// many lines without "=" would otherwise ask for one click per line.
void ShowDistinctMessages(Shell& sh, const astronomy::ElementNotes& notes) {
    std::set<std::pair<std::string, std::string>> seen;
    std::vector<UserMessage> distinct;
    for (const UserMessage& m : ElementNoteMessages(notes)) {
        if (seen.insert({m.text, m.buttons}).second) distinct.push_back(m);
    }
    ShowMessages(sh.win.dialogs(), distinct);
}

// Element text at all: no NUL byte (that is a binary file) and a
// "key=value" line after the name.
bool HoldsElementText(const std::string& bytes) {
    if (bytes.find('\0') != std::string::npos) return false;
    const std::size_t lineEnd = bytes.find('\n');
    return lineEnd != std::string::npos && bytes.find('=', lineEnd + 1) != std::string::npos;
}

std::string ObjectFolder(const astronomy::ProgramState& s) {
    return (fs::path(s.DataFolder) / "Objekte").string() + "/";
}

// The file name of a path, also of an old one written with backslashes.
std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name the save dialog offers: the loaded file's. An object taken from
// a file of Minor Planet Center lines is saved in the program's own format,
// not over that file: its name and the kind's extension are offered.
std::string OfferedFileName(const astronomy::ProgramState& s) {
    std::string bytes;
    if (!astronomy::ReadSmallFile(astronomy::ResolvePathCaseInsensitive(s.Pfad), bytes, astronomy::kElementFileLimit) ||
        !astronomy::ReadMpcText(bytes))
        return FileNameOf(s.Pfad);
    std::string name = s.DiskName;
    std::replace_if(name.begin(), name.end(), [](char c) { return std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos; }, '-');
    const std::string extension = Trim(astronomy::ExtensionForKind(s.Elements.kind));
    return extension.empty() ? name : name + "." + extension;
}

// The caption of the Disk item and the menu marks follow the orbit
// object's name; an empty name would end the menu, so it shows "Disk".
void ShowDiskName(Shell& sh) {
    if (const int item = sh.menu.ItemOf(ObjectAction(astronomy::ObjectKind::Disk)))
        sh.menu.captions[item] = sh.s.DiskName.empty() ? "Disk" : sh.s.DiskName;
    RefreshMenuMarks(sh.menu, sh.win.menu(), sh.s);
}

// Computes and shows the orbit object when it is the selected object (the
// object views compute it as part of their redraw, the charts need it
// first), then redraws.
void RecomputeDisk(Shell& sh) {
    if (sh.s.Objekt == astronomy::ObjectKind::Disk) {
        // Also when the new elements give no position, the title names them.
        sh.ObjectTitle = sh.s.DiskName;
        if (!astronomy::IsObjectView(sh.s.ChartMode)) ComputePosition(sh, astronomy::ObjectKind::Disk);
    }
    RedrawView(sh);
    UpdateTitle(sh);
}

// The choice among the objects of a file of Minor Planet Center lines: the
// first ones listed with their numbers, and the number or the name of one
// asked for (the names as the command line's --mpc-name takes them).
// Nothing when the user cancels.
std::optional<std::size_t> ChooseMpcObject(Shell& sh, const std::vector<astronomy::MpcObject>& objects) {
    if (objects.size() == 1) return 0;
    platform::Dialogs& d = sh.win.dialogs();
    const std::size_t listed = std::min(objects.size(), kListedObjects);
    d.OpenPromptWindow("  Objekt w\u00e4hlen  ", kWindowHeight, kChoiceWidth);
    std::string text = "1";
    while (true) {
        d.PromptPrint(" Die Datei enth\u00e4lt " + std::to_string(objects.size()) + " Objekte:");
        for (std::size_t k = 0; k < listed; ++k) {
            const std::string number = std::to_string(k + 1);
            d.PromptPrint(std::string(4 - std::min<std::size_t>(number.size(), 4), ' ') + number + "  " + objects[k].name);
        }
        if (objects.size() > listed) d.PromptPrint("       ... und " + std::to_string(objects.size() - listed) + " weitere");
        d.PromptPrint(" Nummer oder Name: ", false);
        if (!d.EditField(text, kFieldLength)) {
            d.ClosePromptWindow();
            return std::nullopt;
        }
        // A number of the list first; a number beyond it may still be one
        // of a minor planet ("433" for "(433) Eros").
        const std::string answer = Trim(text);
        std::optional<std::size_t> k;
        if (!answer.empty() && answer.size() <= 9 && std::all_of(answer.begin(), answer.end(), astronomy::IsDigit)) {
            const std::size_t n = std::stoul(answer);
            if (n >= 1 && n <= objects.size()) k = n - 1;
        }
        if (!k) k = astronomy::FindMpcObject(objects, answer);
        if (k) {
            d.ClosePromptWindow();
            return k;
        }
        d.MessageBox("Kein Objekt '" + answer + "'|in der Datei", " OK ", 1);
        d.PromptClear();
    }
}

// The object of a file of Minor Planet Center lines: the chosen line's
// orbit, completed and checked. Nothing changes when the file has no
// object line, when the choice is cancelled or when the line is malformed.
std::optional<astronomy::OrbitalElements> MpcFileElements(Shell& sh, const std::vector<astronomy::MpcObject>& objects,
                                                          const std::string& path) {
    if (objects.empty()) {
        sh.win.dialogs().MessageBox("Keine Bahnelemente in Datei|" + path, " OK ", 1);
        return std::nullopt;
    }
    const std::optional<std::size_t> k = ChooseMpcObject(sh, objects);
    if (!k) return std::nullopt;
    astronomy::ElementNotes notes;
    std::optional<astronomy::OrbitalElements> el = astronomy::MpcObjectElements(objects[*k], notes);
    ShowDistinctMessages(sh, notes);
    return el;
}

}  // namespace

std::string ElementFileFilter(int kind, ElementFileUse use) {
    // Kind 12 (neither comet nor minor planet) has three blanks for its
    // extension: its filter then lists every file.
    std::string extension = Trim(astronomy::ExtensionForKind(kind));
    if (extension.empty()) extension = "*";
    const std::string own = "Bahnelemente|*." + extension + ";|Kometen *.kom|*.kom;|Kleinplaneten *.kpl|*.kpl;|";
    const std::string all = "alles *.*|*.*";
    if (use == ElementFileUse::Save) return own + all;
    // Loading also offers the files of the Minor Planet Center (MPCORB.DAT,
    // CometEls.txt and extracts of them).
    return "Alle Bahnelemente|*.pla;*.kpl;*.kom;|" + own + "Minor Planet Center *.dat *.txt|*.dat;*.DAT;*.txt;|" + all;
}

bool LoadDiskFile(Shell& sh, const std::string& path) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    // The same reading as ParseElementFile; its "not opened" cases (missing,
    // a folder, a device, larger than an element file can be) and files
    // without any element text keep the current object: reading such a file
    // would replace it by an empty record.
    std::string bytes;
    if (!astronomy::ReadSmallFile(astronomy::ResolvePathCaseInsensitive(path), bytes, astronomy::kElementFileLimit)) {
        d.MessageBox("Datei kann nicht gelesen werden|" + path, " OK ", 1);
        return false;
    }
    astronomy::OrbitalElements el;
    if (const std::optional<std::vector<astronomy::MpcObject>> objects = astronomy::ReadMpcText(bytes)) {
        const std::optional<astronomy::OrbitalElements> chosen = MpcFileElements(sh, *objects, path);
        if (!chosen) return false;
        el = *chosen;
    } else {
        if (!HoldsElementText(bytes)) {
            d.MessageBox("Keine Bahnelemente in Datei|" + path, " OK ", 1);
            return false;
        }
        astronomy::ElementNotes notes;
        el = astronomy::ParseElementText(bytes, path, s.Aequi, notes);
        ShowDistinctMessages(sh, notes);
    }
    s.Elements = el;
    s.Pfad = path;
    s.DiskName = el.name;
    ShowDiskName(sh);
    if (s.Objekt == astronomy::ObjectKind::Disk)
        RecomputeDisk(sh);
    else if (!astronomy::IsObjectView(s.ChartMode))
        RedrawView(sh);  // the charts' body layer shows the orbit object as well
    else
        UpdateTitle(sh);
    return true;
}

void LoadElementDialog(Shell& sh) {
    const std::optional<std::string> chosen =
        sh.win.dialogs().OpenFile("Objekt laden..", ObjectFolder(sh.s),
                                  ElementFileFilter(sh.s.Elements.kind, ElementFileUse::Load));
    if (!chosen || chosen->empty()) return;
    LoadDiskFile(sh, *chosen);
}

bool SaveDiskFile(Shell& sh, const std::string& path) {
    const astronomy::ElementWrite result = astronomy::WriteElementFile(path, sh.s.Elements);
    if (result != astronomy::ElementWrite::Written) {
        sh.win.dialogs().MessageBox(ElementWriteError(result, path), " OK ", 1);
        return false;
    }
    sh.s.Pfad = path;
    return true;
}

void SaveElementFileDialog(Shell& sh) {
    const std::string folder = ObjectFolder(sh.s);
    // A data folder without Objekte/ gets one; should that fail, writing
    // into it fails and says so.
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::optional<std::string> chosen = sh.win.dialogs().SaveFile(
        "Speichern unter..", folder, OfferedFileName(sh.s), ElementFileFilter(sh.s.Elements.kind, ElementFileUse::Save));
    if (!chosen || chosen->empty()) return;
    SaveDiskFile(sh, *chosen);
}

void ElementInputDialog(Shell& sh) {
    astronomy::ProgramState& s = sh.s;
    platform::Dialogs& d = sh.win.dialogs();
    // Every answer goes into a copy; the object changes only when the last
    // question is answered.
    astronomy::OrbitalElements el = s.Elements;
    const astronomy::OrbitalElements before = s.Elements;

    d.OpenPromptWindow("  Eingabe der Bahnelemente  ", kWindowHeight, kWindowWidth);
    EntryWindow w(d);
    const auto cancel = [&d]() { d.ClosePromptWindow(); };

    const int kindChoice = el.kind == astronomy::kKindMinorPlanet || el.kind == astronomy::kKindPluto
                               ? 1
                               : (el.kind == astronomy::kKindComet ? 2 : 0);
    const int b = d.MessageBox("|  Art des Objektes ?    |", " KPl |Komet", kindChoice);
    if (b != 1 && b != 2) return cancel();
    el.kind = 15 - 2 * b;  // 13 minor planet, 11 comet

    w.Line("Bei Eingabe von nur 'Return' ->alter Wert bleibt bestehen!");
    w.Line("Bei '0' -> kein Wert bekannt");
    if (!PromptName(w, " Name des Objektes: ", el.name)) return cancel();
    if (el.name == "Pluto") el.kind = astronomy::kKindPluto;
    if (!PromptValue(w, " Exzentrizit\u00e4t e", el.e)) return cancel();

    const int aq = d.MessageBox("Gro\u00dfe Halbachse a oder|Periheldistanz q bekannt ?", " a | q ", el.q != 0 ? 2 : 1);
    // The other distance follows a changed answer; an answer kept as offered
    // keeps both, so that the orbit stays exactly as it was.
    const double aBefore = el.a, qBefore = el.q;
    if (aq == 1) {
        if (!PromptValue(w, " Gro\u00dfe Halbachse a [AE]", el.a)) return cancel();
        if (el.a != aBefore || el.e != before.e) el.q = (1 - el.e) * el.a;
    } else if (aq == 2) {
        if (!PromptValue(w, " Periheldistanz q [AE]", el.q)) return cancel();
        if (el.q != qBefore || el.e != before.e) el.a = el.e < 1 ? el.q / (1 - el.e) : 0;
    } else {
        return cancel();
    }
    if (el.a > 0) {
        if (aq == 2) w.Info(" Gro\u00dfe Halbachse a [AE]: ", CommaPicture(el.a, "###,###### "));
        w.Info(" Umlaufzeit in Jahren: ", CommaPicture(std::sqrt(el.a * el.a * el.a), "###,### "));
    }

    if (!PromptValue(w, " L\u00e4nge des aufsteigenden Knotens (gr. Omega, Note) [\u00b0]", el.node)) return cancel();
    if (!PromptValue(w, " Abstand des Perihels vom aufst. Knoten (kl. omega, Peri) [\u00b0]", el.omega))
        return cancel();
    if (!PromptValue(w, " Bahnneigung i (Incl) [\u00b0]", el.i)) return cancel();
    if (el.i == 0) el.i = 1e-12;

    // The orbit is placed by the mean anomaly when it has one, else by the
    // perihelion time: that is the answer offered. What is not asked again
    // stays unless an answer changed the orbit's placing.
    const int tm = d.MessageBox("Ist die Periheldurchgangszeit T|oder eine mittlere Anomalie|bekannt ?", " T |t+M",
                                el.M != 0 || el.T == 0 ? 2 : 1);
    if (tm == 1) {
        if (!PromptInstant(w, " Periheldurchgangszeit in jul. Tagen", el.T)) return cancel();
        if (el.T != before.T || el.M != 0) {
            el.M = 0;
            el.t = 0;
        }
    } else if (tm == 2) {
        if (!PromptValue(w, " mittlere Anomalie [\u00b0]", el.M)) return cancel();
        if (!PromptInstant(w, " Zeitpunkt hierzu in jul. Tagen", el.t)) return cancel();
        if (el.M != before.M || el.t != before.t || before.M == 0) el.T = 0;
    } else {
        return cancel();
    }

    double equinox = el.equinox;
    if (!PromptValue(w, " Jahr des \u00c4quinoktiums", equinox)) return cancel();
    el.equinox = RoundToInt(equinox);
    if (!PromptValue(w, " Helligkeit im Abstand von 1 AE [mag]", el.mag)) return cancel();
    if (!PromptValue(w, " Masse [kg]", el.mass)) return cancel();
    if (!PromptValue(w, " (letzter Wert)            Durchmesser [km]", el.d)) return cancel();
    if (el.d < 1) el.d = 0.0001;
    d.ClosePromptWindow();

    // The same completion and checks as after reading a file: they only fill
    // what the answers left at 0 (T from t or t from T; for a hyperbola the
    // negative a) and tell about elements that give no position, which the
    // position service then declines to compute.
    astronomy::ElementNotes notes;
    astronomy::CompleteAndCheckElements(el, notes);
    s.Elements = el;
    s.DiskName = el.name;
    ShowDistinctMessages(sh, notes);
    ShowDiskName(sh);
    RecomputeDisk(sh);
}

}  // namespace shell
