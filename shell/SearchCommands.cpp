// The event searches of "Springe" in the window: the busy window, Escape,
// the progress in the title and the view at the instant found.
#include "shell/SearchCommands.h"

#include <chrono>
#include <cstdio>

#include "astronomy/TextFormats.h"
#include "astronomy/TimeCalendar.h"
#include "shell/Busy.h"
#include "shell/Messages.h"
#include "shell/View.h"

namespace shell {

using astronomy::EventKind;

namespace {

// The title shows the progress once a search has run this long, and then
// this often.
constexpr auto kProgressAfter = std::chrono::milliseconds(500);
constexpr auto kProgressEvery = std::chrono::milliseconds(250);

// A stop request of the window: Escape or a right click is taken (a later
// stage goes on until the next one); a request to close the window holds
// for the rest of the search.
bool TakeStopRequest(Shell& sh) {
    Shell::Busy& busy = sh.busy;
    if ((busy.pressed & platform::kMouseRight) != 0) {  // the right button stops as Escape does
        busy.pressed = 0;
        return true;
    }
    if (!busy.stop) return false;
    if (busy.key && busy.key->text == "\x1b") {
        busy.stop = false;
        busy.key.reset();
    }
    return true;
}

}  // namespace

std::string_view EventName(EventKind kind) {
    switch (kind) {
        case EventKind::Perigee: return "Erdnähe";
        case EventKind::Perihelion: return "Sonnennähe";
        case EventKind::Rising: return "Aufgang";
    }
    return "";
}

std::string SearchProgressTitle(EventKind kind, const astronomy::ProgramState& s, double J, double F) {
    const astronomy::Instant at = astronomy::NormaliseInstant(J, F);
    const astronomy::CivilDate c = astronomy::JulianDateToCalendar(at.J, at.F, s.Zone);
    return "Kelmaron - Suche " + std::string(EventName(kind)) + " - Datum: " +
           astronomy::FormatDateNumeric(c.day, c.month, c.year) + " - Zeit: " + astronomy::FormatHmZone(c.hours, s.Zone) +
           " - Esc bricht ab";
}

void SearchEvent(Shell& sh, EventKind kind) {
    astronomy::ProgramState& s = sh.s;
    if (!astronomy::SearchApplies(s.Objekt, kind)) return;
    const astronomy::View saved = s.ChartMode;
    s.ChartMode = astronomy::View::Searching;  // a redraw meanwhile draws nothing
    astronomy::EventSearchResult found;
    bool leftTheYears = false;
    {
        BusyWindow busy(sh);
        using Clock = std::chrono::steady_clock;
        const Clock::time_point started = Clock::now();
        Clock::time_point shown = started;
        found = astronomy::SearchEvent(s, kind, [&](astronomy::SearchPhase, double J, double F) {
            busy.KeepAlive();
            const Clock::time_point now = Clock::now();
            if (now - started >= kProgressAfter && now - shown >= kProgressEvery) {
                sh.win.SetTitle(SearchProgressTitle(kind, s, J, F));
                shown = now;
            }
            // Beyond the years the calendar serves the search gives up.
            if (!astronomy::InstantInServedYears(J, F)) leftTheYears = true;
            return TakeStopRequest(sh) || leftTheYears;
        });
    }
    s.ChartMode = saved;
    if (leftTheYears || !astronomy::InstantInServedYears(found.J, found.F)) {
        UpdateTitle(sh);
        ShowMessages(sh.win.dialogs(), {ServedYearsMessage()});
        return;
    }
    if (found.status != astronomy::PositionStatus::Ok) {
        const astronomy::Target target = astronomy::TargetOf(s, s.Objekt);
        UpdateTitle(sh);
        ShowMessages(sh.win.dialogs(),
                     {PositionMessage(found.status, target, std::string(astronomy::ObjectName(s.Objekt)))});
        return;
    }
    astronomy::SetInstant(s, found.J, found.F);
    // The object views compute the object as they draw; the charts keep it.
    if (!astronomy::IsObjectView(s.ChartMode)) ComputePosition(sh, s.Objekt, false);
    RedrawView(sh);
}

}  // namespace shell
