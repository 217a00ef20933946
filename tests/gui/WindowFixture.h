// A real main window over a fresh data folder, for the headless window tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "astronomy/TimeCalendar.h"
#include "platform/qt/QtWindow.h"
#include "shell/Shell.h"

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
        astronomy::ApplyJulianDate(state, jd.J, jd.F);
        astronomy::UpdateTimeQuantities(state);
    }

    std::filesystem::path data;
    astronomy::ProgramState state;
    std::unique_ptr<platform::qt::QtWindow> window;
    std::unique_ptr<shell::Shell> sh;
};
