// A real main window over a fresh data folder, for the headless window tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "astronomy/TimeCalendar.h"
#include "platform/qt/QtWindow.h"
#include "shell/ChartCommands.h"
#include "shell/Commands.h"
#include "shell/Layout.h"
#include "shell/Mouse.h"
#include "shell/Quit.h"
#include "shell/Shell.h"
#include "shell/StartUp.h"
#include "shell/Time.h"
#include "shell/View.h"

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        data = std::filesystem::temp_directory_path() /
               ("kelmaron-gui-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(data);
        state.ProgramFolder = KELMARON_PROGRAM_DATA;
        state.DataFolder = data.string();
        window = std::make_unique<platform::qt::QtWindow>(800, 550);
        sh = std::make_unique<shell::Shell>(state, *window);
        sh->startupPauses = false;  // the about box's second and the wait before the first view
        shell::Connect(*sh);        // the program's own wiring of the window's events
        window->Show();
    }
    void TearDown() override {
        sh.reset();
        window.reset();
        std::filesystem::remove_all(data);
    }
    bool Start(const std::string& commandLine = "") { return shell::StartUp(*sh, "kelmaron", commandLine); }
    void SetInstant(double hours, int day, int month, int year) {
        const astronomy::JulianDate jd = astronomy::CalendarToJulianDate(hours, day, month, year, state.Zone);
        shell::SetInstant(state, jd.J, jd.F);
    }

    std::filesystem::path data;
    astronomy::ProgramState state;
    std::unique_ptr<platform::qt::QtWindow> window;
    std::unique_ptr<shell::Shell> sh;
};
