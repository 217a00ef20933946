// The settings file: writer layout, reader rules, write/read round trip,
// safe writing, and the import of the older sequential files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "shell/Settings.h"

namespace fs = std::filesystem;
using astronomy::kDegToRad;
using astronomy::ProgramState;

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kelmaron-settings-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    ProgramState Defaults(const fs::path& folder) const {
        ProgramState s;
        s.DataFolder = folder.string();
        astronomy::ApplyDefaults(s);
        return s;
    }
    static void WriteBytes(const fs::path& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    static std::string ReadBytes(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    fs::path dir_;
};

std::vector<std::string> SplitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, text.size()) << "text after the last CRLF";
    return lines;
}

// Every field the file stores, compared one by one for readable failures.
void ExpectStoredFieldsEqual(const ProgramState& a, const ProgramState& b) {
    EXPECT_EQ(a.x_pos, b.x_pos);
    EXPECT_EQ(a.y_pos, b.y_pos);
    EXPECT_EQ(a.x_max, b.x_max);
    EXPECT_EQ(a.y_max, b.y_max);
    EXPECT_EQ(a.Maximiert, b.Maximiert);
    EXPECT_EQ(a.Zone, b.Zone);
    EXPECT_EQ(a.Aequi, b.Aequi);
    EXPECT_EQ(a.Ort, b.Ort);
    EXPECT_EQ(a.Objekt, b.Objekt);
    EXPECT_EQ(a.Pfad, b.Pfad);
    EXPECT_EQ(a.Messier, b.Messier);
    EXPECT_EQ(a.BelName, b.BelName);
    EXPECT_EQ(a.BelAlpha, b.BelAlpha);
    EXPECT_EQ(a.BelDelta, b.BelDelta);
    EXPECT_EQ(a.BelMag, b.BelMag);
    EXPECT_EQ(a.BelAequi, b.BelAequi);
    EXPECT_EQ(a.ChartMode, b.ChartMode);
    EXPECT_EQ(a.Grenzmag, b.Grenzmag);
    EXPECT_EQ(a.Invers, b.Invers);
    EXPECT_EQ(a.DisplayFlags, b.DisplayFlags);
    EXPECT_EQ(a.TrackLaenge, b.TrackLaenge);
    EXPECT_EQ(a.TrackStep, b.TrackStep);
    EXPECT_EQ(a.TrackDatum, b.TrackDatum);
    EXPECT_EQ(a.TrackAlle, b.TrackAlle);
    const double ProgramState::*regions[] = {
        &ProgramState::Alpha_min, &ProgramState::Alpha_max, &ProgramState::Delta_min,
        &ProgramState::Delta_max, &ProgramState::Pol_max,   &ProgramState::Pol_min,
        &ProgramState::Pol_mitte, &ProgramState::Hoehe_max, &ProgramState::Hoehe_min,
        &ProgramState::Azi_min,   &ProgramState::Azi_max,   &ProgramState::View_lambda,
        &ProgramState::View_beta, &ProgramState::View_rs};
    for (auto field : regions) EXPECT_EQ(a.*field, b.*field);
    ASSERT_EQ(a.OrtAnz, b.OrtAnz);
    for (int n = 1; n <= a.OrtAnz; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(a.Orte[n].name, b.Orte[n].name);
        EXPECT_EQ(a.Orte[n].longitude, b.Orte[n].longitude);
        EXPECT_EQ(a.Orte[n].latitude, b.Orte[n].latitude);
    }
}

ProgramState Changed(const std::string& folder, const std::string& trackDatum) {
    ProgramState s;
    s.DataFolder = folder;
    astronomy::ApplyDefaults(s);
    s.x_pos = -7, s.y_pos = 12, s.x_max = 1919, s.y_max = 1017, s.Maximiert = -1;
    s.Zone = 2, s.Aequi = 9999, s.Ort = 3;
    s.Objekt = astronomy::ObjectKind::Jupiter, s.Pfad = "/daten/Objekte/Hale-Bopp.kom", s.DiskName = "Hale-Bopp";
    s.Messier = 31, s.BelName = "Wega", s.BelAlpha = 4.873565, s.BelDelta = 0.676903;
    s.BelMag = 0.03, s.BelAequi = 1950;
    s.ChartMode = astronomy::View::Horizon, s.Grenzmag = 6.25, s.Invers = 0, s.DisplayFlags = 1023;
    s.TrackLaenge = 365.25, s.TrackStep = 0.1f, s.TrackDatum = trackDatum, s.TrackAlle = 0;
    s.Alpha_min = 0.1, s.Alpha_max = 23.9, s.Delta_min = -89.5, s.Delta_max = 1e-7;
    s.Pol_max = 170, s.Pol_min = 10, s.Pol_mitte = 2.0 / 3;
    s.Hoehe_max = 45.5, s.Hoehe_min = -18, s.Azi_min = 359.99, s.Azi_max = 1e6;
    s.View_lambda = 12.345678901234567, s.View_beta = -45, s.View_rs = 0.001;
    s.OrtAnz = 4;
    s.Orte[1] = {"Köln", 6.95 * kDegToRad, 50.93333 * kDegToRad};
    s.Orte[2] = {"Südpol", 0, -90 * kDegToRad};
    s.Orte[3] = {"Äquator", 1.0 / 3, 0};
    s.Orte[4] = {"Ort mit = Zeichen", -2.2, -0.1};
    return s;
}

}  // namespace

TEST_F(SettingsFileTest, WriteThenReadRestoresEveryKey) {
    for (const std::string datum : {"", "w", " 1.1.2000 "}) {
        SCOPED_TRACE("TrackDatum '" + datum + "'");
        const ProgramState written = Changed(dir_.string(), datum);
        const std::string text = shell::SettingsText(written, " Version 6.54");
        ProgramState read = Defaults(dir_);
        shell::ParseSettingsText(read, text);
        ExpectStoredFieldsEqual(written, read);
        EXPECT_EQ(read.DiskName, "Pluto");  // "Disk" is written, never read
    }
    // Radians that no degree text maps onto exactly come back to the last bit or two.
    ProgramState odd = Changed(dir_.string(), "");
    odd.Orte[2] = {"Irgendwo", 0.12130038, 0.88895};
    odd.BelDelta = 0.7777777777777777;
    ProgramState read = Defaults(dir_);
    shell::ParseSettingsText(read, shell::SettingsText(odd, "Version 6.54"));
    EXPECT_NEAR(read.Orte[2].longitude, 0.12130038, 1e-16);
    EXPECT_NEAR(read.Orte[2].latitude, 0.88895, 3e-16);
    EXPECT_NEAR(read.BelDelta, 0.7777777777777777, 3e-16);
}

TEST_F(SettingsFileTest, WrittenLayoutOfTheDefaults) {
    ProgramState s = Defaults(dir_);
    s.Pfad = "/d/Objekte/Pluto.kpl";
    const std::vector<std::string> lines = SplitCrLf(shell::SettingsText(s, " Version 6.54  "));
    const std::vector<std::string> head = {
        "[Main]", "Version 6.54", "x_pos=150", "y_pos=45", "x_max=1300", "y_max=900",
        "Maximiert=0", "Zone=1", "Aequi=2000", "Ort=1", "", "[Objekt]", "Objekt= Sonne",
        "Disk=Pluto", "Pfad=/d/Objekte/Pluto.kpl", "Messier=1", "BelName=Polarstern",
        "BelAlpha=2.5302777777777", "BelDelta=89.260555555", "BelMag=1.97", "BelAequi=2000", "",
        "[Darstellen]", "Flag=4", "Grenzmag=8", "Invers=1", "Mode=123", "TrackLaenge=31",
        "TrackStep=0", "TrackDatum=d", "TrackAlle=1", "Alpha_min=1.8", "Alpha_max=6.2",
        "Delta_min=5", "Delta_max=30", "Pol_max=120", "Pol_min=60", "Pol_mitte=0",
        "Hoehe_max=20", "Hoehe_min=0", "Azi_min=72.05", "Azi_max=118.65", "View_lambda=180",
        "View_beta=30", "View_rs=4", "", "[Orte]", "OrtAnz=15", "OrtName01=Hannover",
        "OrtLaenge01=9.79833333333333", "OrtBreite01=52.4", "OrtName02=Berlin",
        "OrtLaenge02=13.36666", "OrtBreite02=52.51666", "OrtName03=Hamburg"};
    ASSERT_EQ(lines.size(), head.size() - 7 + 15 * 3 + 1);
    for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(lines[i], head[i]) << "line " << i + 1;
    EXPECT_EQ(lines[lines.size() - 4], "OrtName15=S\xFC" "dpol");  // Windows-1252
    EXPECT_EQ(lines[lines.size() - 3], "OrtLaenge15=0");
    EXPECT_EQ(lines[lines.size() - 2], "OrtBreite15=-90");
    EXPECT_EQ(lines.back(), "");
    EXPECT_EQ(lines[48 + 3 * 3], "OrtName04=K\xF6ln");
    EXPECT_EQ(lines[48 + 3 * 12 + 1], "OrtLaenge13=0");
}

TEST_F(SettingsFileTest, WrittenValuesOfChangedFields) {
    ProgramState s = Changed(dir_.string(), "");
    const std::string text = shell::SettingsText(s, "Version 6.54");
    for (const char* expected : {"\r\nDisk=HaleBopp\r\n", "\r\nFlag=5.5\r\n", "\r\nMaximiert=-1\r\n",
                                 "\r\nTrackStep=0.1\r\n", "\r\nTrackDatum=-\r\n", "\r\nOrtAnz=4\r\n",
                                 "\r\nOrtName01=K\xF6ln\r\n", "\r\nOrtBreite02=-90\r\n"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected;
    EXPECT_EQ(text.find("OrtName05"), std::string::npos);
    s.DiskName = "A-B-C";
    const std::string other = shell::SettingsText(s, "Version 6.54");
    EXPECT_NE(other.find("\r\nDisk=AB-C\r\n"), std::string::npos);  // only the first "-"
    // Every object and every view as the file names them.
    for (int k = 0; k <= static_cast<int>(astronomy::ObjectKind::Arbitrary); ++k) {
        s.Objekt = static_cast<astronomy::ObjectKind>(k);
        const std::string name(astronomy::ObjectName(s.Objekt));
        EXPECT_NE(shell::SettingsText(s, "").find("\r\nObjekt= " + name + "\r\n"), std::string::npos) << name;
    }
    const std::vector<std::pair<astronomy::View, std::string>> views = {
        {astronomy::View::None, "0"},       {astronomy::View::ObjectMessier, "2"}, {astronomy::View::Equatorial, "5"},
        {astronomy::View::Horizon, "5.5"},  {astronomy::View::SouthPolar, "7"},    {astronomy::View::System, "12"},
        {astronomy::View::Searching, "99"}};
    for (const auto& [view, number] : views) {
        s.ChartMode = view;
        EXPECT_NE(shell::SettingsText(s, "").find("\r\nFlag=" + number + "\r\n"), std::string::npos) << number;
    }
}

TEST_F(SettingsFileTest, ReaderRules) {
    const ProgramState d = Defaults(dir_);
    struct Case {
        const char* text;
        std::function<void(const ProgramState&)> check;
    };
    const Case cases[] = {
        {"[Main]\r\n", [&](const ProgramState& s) { ExpectStoredFieldsEqual(d, s); }},
        {"", [&](const ProgramState& s) { ExpectStoredFieldsEqual(d, s); }},
        {"Objekt= Mond\r\n", [](const ProgramState& s) { EXPECT_EQ(s.Objekt, astronomy::ObjectKind::Moon); }},
        {"Objekt=beliebig\r\nFlag=3\r\n",
         [](const ProgramState& s) {
             EXPECT_EQ(s.Objekt, astronomy::ObjectKind::Arbitrary);
             EXPECT_EQ(s.ChartMode, astronomy::View::ObjectArbitrary);
         }},
        // A name that is no object, a number that is no view: the defaults
        // stay; numbers below 4 are the object view.
        {"Objekt= Pluto\r\nFlag=4.5\r\n",
         [&](const ProgramState& s) {
             EXPECT_EQ(s.Objekt, d.Objekt);
             EXPECT_EQ(s.ChartMode, d.ChartMode);
         }},
        {"Objekt=\r\nFlag=-2\r\n",
         [&](const ProgramState& s) {
             EXPECT_EQ(s.Objekt, d.Objekt);
             EXPECT_EQ(s.ChartMode, astronomy::View::None);
         }},
        {"BelAlpha=2.5302777777777\r\n",
         [](const ProgramState& s) { EXPECT_NEAR(s.BelAlpha / kDegToRad, 37.95416666666655, 1e-9); }},
        {"TrackDatum=-\n", [](const ProgramState& s) { EXPECT_EQ(s.TrackDatum, ""); }},
        {"TrackDatum= m \n", [](const ProgramState& s) { EXPECT_EQ(s.TrackDatum, " m "); }},
        {"OrtName03=Irgendwo\r\nOrtAnz=3\r\nOrtName02=Linz\r\n",
         [](const ProgramState& s) {
             EXPECT_EQ(s.OrtAnz, 3);
             EXPECT_EQ(s.Orte[3].name, "Hamburg");
             EXPECT_EQ(s.Orte[2].name, "Linz");
         }},
        {"OrtAnz=20\nOrtName16=X\nOrtName15=Pol\n",
         [](const ProgramState& s) {
             EXPECT_EQ(s.OrtAnz, 15);
             EXPECT_EQ(s.Orte[16].name, "");
             EXPECT_EQ(s.Orte[15].name, "Pol");
         }},
        {"OrtAnz=-3\nOrtName01=X\n",
         [](const ProgramState& s) {
             EXPECT_EQ(s.OrtAnz, 0);
             EXPECT_EQ(s.Orte[1].name, "Hannover");
         }},
        {"OrtAnz=2\nOrtName01=K\xF6ln\n", [](const ProgramState& s) { EXPECT_EQ(s.Orte[1].name, "Köln"); }},
        {"OrtAnz=2\nOrtLaenge02=-0.5\nOrtName02=M\xC3\xBCnchen\nOrt=2\n",
         [](const ProgramState& s) {
             EXPECT_EQ(s.Orte[2].name, "München");
             EXPECT_EQ(s.Orte[2].longitude, -0.5 * kDegToRad);
             EXPECT_EQ(s.Ort, 2);
         }},
        {"OrtAnz=3\nOrt=9\n", [](const ProgramState& s) { EXPECT_EQ(s.Ort, 1); }},
        {"zone=2\nZone=5\nAequi=1950\n",
         [](const ProgramState& s) {
             EXPECT_EQ(s.Zone, 1);
             EXPECT_EQ(s.Aequi, 1950);
         }},
        {"Zone=1.6\nMode=  12.5abc\nx_pos=-3.4\n",
         [](const ProgramState& s) {
             EXPECT_EQ(s.Zone, 2);
             EXPECT_EQ(s.DisplayFlags, 13);
             EXPECT_EQ(s.x_pos, -3);
         }},
        {"Messier=40\n", [](const ProgramState& s) { EXPECT_EQ(s.Messier, 1); }},
        {"Messier=110\n", [](const ProgramState& s) { EXPECT_EQ(s.Messier, 1); }},
        {"Messier=109\n", [](const ProgramState& s) { EXPECT_EQ(s.Messier, 109); }},
        {"Grenzmag=abc\nBelMag=nan\nPol_mitte=inf\n",
         [](const ProgramState& s) {
             EXPECT_EQ(s.Grenzmag, 0);
             EXPECT_EQ(s.BelMag, 0);
             EXPECT_EQ(s.Pol_mitte, 0);
         }},
        {"Grenzmag=1e999\nFlag=1e300\nBelAlpha=1e308\nAzi_min=-1e-999\nView_rs=1.5e+2x\n",
         [&](const ProgramState& s) {
             EXPECT_EQ(s.Grenzmag, d.Grenzmag);
             EXPECT_EQ(s.ChartMode, d.ChartMode);
             EXPECT_EQ(s.BelAlpha, d.BelAlpha);
             EXPECT_EQ(s.Azi_min, 0);
             EXPECT_EQ(s.View_rs, 150);
         }},
        {"x_pos=1e300\ny_pos=-1e300\nx_max=3e9\n",
         [](const ProgramState& s) {
             EXPECT_EQ(s.x_pos, 8192);
             EXPECT_EQ(s.y_pos, -8192);  // held within the range on both sides alike
             EXPECT_EQ(s.x_max, 8192);
         }},
        {"=5\nx_pos 5\nab\n[x_pos=3\nDisk=Komet\nFremd=1\n",
         [&](const ProgramState& s) { ExpectStoredFieldsEqual(d, s); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ProgramState s = d;
        shell::ParseSettingsText(s, c.text);
        c.check(s);
    }
}

TEST_F(SettingsFileTest, DamagedInputReadsWithoutHarm) {
    std::mt19937 random(7);
    std::vector<std::string> inputs;
    for (int i = 0; i < 20; ++i) {
        std::string bytes(4000, '\0');
        for (char& c : bytes) c = static_cast<char>(random() % 256);
        inputs.push_back(bytes);
        // Garbage framed as key lines.
        inputs.push_back("OrtAnz=7\nOrtName0" + std::to_string(i % 10) + "=" + bytes.substr(0, 300) + "\nOrt=" +
                         bytes.substr(300, 20) + "\n");
    }
    inputs.push_back(std::string(500000, '7'));
    inputs.push_back("Grenzmag=" + std::string(500000, '9') + "\n");
    inputs.push_back("Grenzmag=0." + std::string(500000, '0') + "1\n");
    inputs.push_back("OrtAnz=1\nOrtName01=" + std::string(500000, 'x') + "\n");
    inputs.push_back("\r\r\r\n\n[[[\n====\nx=\n");
    for (const std::string& in : inputs) {
        ProgramState s = Defaults(dir_);
        shell::ParseSettingsText(s, in);
        EXPECT_GE(s.OrtAnz, 0);
        EXPECT_LE(s.OrtAnz, 15);
        EXPECT_GE(s.Ort, 1);
        EXPECT_LE(s.Ort, std::max(s.OrtAnz, 1));
        EXPECT_TRUE(s.Zone >= 0 && s.Zone <= 2);
        EXPECT_TRUE(std::isfinite(s.Grenzmag));
    }
    ProgramState s = Defaults(dir_);
    shell::ParseSettingsText(s, "Grenzmag=0." + std::string(500000, '0') + "1\n");
    EXPECT_EQ(s.Grenzmag, 0);
}

TEST_F(SettingsFileTest, WindowAndPlacesStayWithinWhatCanBeShown) {
    // A window of ten billion pixels, or placed a billion pixels away, is
    // brought into the range of real screens; a latitude beyond a pole is
    // refused as the place prompt refuses it.
    ProgramState s = Defaults(dir_);
    shell::ParseSettingsText(s, "x_max=1e10\r\ny_max=100000\r\nx_pos=-1e12\r\ny_pos=2147483647\r\nOrtAnz=3\r\n"
                                "OrtBreite01=95\r\nOrtBreite02=90\r\nOrtBreite03=-91.5\r\n");
    EXPECT_LE(s.x_max, 8192);
    EXPECT_LE(s.y_max, 8192);
    EXPECT_GE(s.x_pos, -8192);
    EXPECT_LE(s.y_pos, 8192);
    const ProgramState d = Defaults(dir_);
    EXPECT_EQ(s.Orte[1].latitude, d.Orte[1].latitude);
    EXPECT_EQ(s.Orte[2].latitude, 90 * kDegToRad);
    EXPECT_EQ(s.Orte[3].latitude, d.Orte[3].latitude);
    shell::ParseSettingsText(s, "x_max=0\r\ny_max=-5\r\n");
    EXPECT_GE(s.x_max, 320);
    EXPECT_GE(s.y_max, 320);
}

TEST_F(SettingsFileTest, NoNumberThatIsNotFiniteIsWritten) {
    // Values a broken computation or a hostile file could leave in the
    // state: the file holds numbers only.
    ProgramState s = Defaults(dir_);
    const double nan = std::nan(""), inf = HUGE_VAL;
    s.Grenzmag = nan, s.Alpha_min = inf, s.Pol_mitte = -inf, s.BelAlpha = nan, s.BelDelta = inf, s.BelMag = -inf;
    s.TrackStep = static_cast<float>(nan), s.Orte[1].longitude = inf, s.Orte[2].latitude = nan;
    const std::string text = shell::SettingsText(s, " Version 6.54");
    for (const char* bad : {"nan", "inf", "NaN", "INF"}) EXPECT_EQ(text.find(bad), std::string::npos) << bad;
}

TEST_F(SettingsFileTest, DoubledCarriageReturnsEndTheLineOnly) {
    ProgramState s = Defaults(dir_);
    shell::ParseSettingsText(s, "[Orte]\r\r\nOrtAnz=2\r\r\nOrtName01=Hannover\r\r\nPfad=/d/x.kpl\r\r\n"
                                "OrtName02=\rBerlin\r\n");
    EXPECT_EQ(s.OrtAnz, 2);
    EXPECT_EQ(s.Orte[1].name, "Hannover");
    EXPECT_EQ(s.Orte[2].name, "Berlin");  // a CR inside the line is a blank
    EXPECT_EQ(s.Pfad, "/d/x.kpl");
}

TEST_F(SettingsFileTest, TextsWindows1252LacksComeBackWhole) {
    // A path and a place name with characters outside Windows-1252 read
    // back as they were; texts it has are still written in it.
    ProgramState s = Defaults(dir_);
    s.Pfad = "/daten/\u041e\u0431\u044a\u0435\u043a\u0442\u044b/Ceres.kpl";
    s.Orte[2].name = "\u0141\u00f3d\u017a";
    s.Orte[3].name = "\u00c2\u00b8";  // in Windows-1252 the bytes of UTF-8 "\u00b8"
    ProgramState read = Defaults(dir_);
    shell::ParseSettingsText(read, shell::SettingsText(s, " Version 6.54"));
    EXPECT_EQ(read.Pfad, s.Pfad);
    EXPECT_EQ(read.Orte[2].name, s.Orte[2].name);
    s.Orte[2].name = "Berlin";
    s.Pfad = "/d/Ceres.kpl";
    read = Defaults(dir_);
    shell::ParseSettingsText(read, shell::SettingsText(s, " Version 6.54"));
    EXPECT_EQ(read.Orte[3].name, s.Orte[3].name);
    s = Defaults(dir_);
    s.Orte[2].name = "K\u00f6ln";
    const std::string text = shell::SettingsText(s, " Version 6.54");
    EXPECT_NE(text.find("OrtName02=K\xF6ln\r\n"), std::string::npos);
}

TEST_F(SettingsFileTest, WriteCreatesTheFolderAndReadFindsTheFile) {
    const fs::path folder = dir_ / "neu" / "Kelmar";
    const ProgramState written = Changed(folder.string(), "");
    std::string error = "alt";
    ASSERT_TRUE(shell::WriteSettings(written, " Version 6.54", error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(ReadBytes(folder / "Kelmaron.ini"), shell::SettingsText(written, " Version 6.54"));

    // Found and replaced whatever the case of its name.
    fs::rename(folder / "Kelmaron.ini", folder / "KELMARON.INI");
    ProgramState read;
    read.DataFolder = folder.string();
    shell::ReadSettings(read);
    ExpectStoredFieldsEqual(written, read);
    ASSERT_TRUE(shell::WriteSettings(Defaults(folder), " Version 6.54", error));
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++files;
    EXPECT_EQ(files, 1);
    EXPECT_NE(ReadBytes(folder / "KELMARON.INI").find("OrtAnz=15"), std::string::npos);
}

TEST_F(SettingsFileTest, FailedWriteReportsAndLeavesOldFileAlone) {
    WriteBytes(dir_ / "datei", "kein Ordner");
    std::string error;
    EXPECT_FALSE(shell::WriteSettings(Defaults(dir_ / "datei" / "Kelmar"), " Version 6.54", error));
    EXPECT_EQ(error.rfind("Die Einstellungen konnten nicht gespeichert werden.|", 0), 0u) << error;
    EXPECT_NE(error.find("datei"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir_ / "datei"), "kein Ordner");

    // The target cannot be replaced (a folder in the way): nothing else changes.
    fs::create_directories(dir_ / "Kelmaron.ini" / "inhalt");
    error.clear();
    EXPECT_FALSE(shell::WriteSettings(Defaults(dir_), " Version 6.54", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::exists(dir_ / "Kelmaron.ini" / "inhalt"));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++entries;
    EXPECT_EQ(entries, 2);  // "datei" and the folder: no temporary file left
}

TEST_F(SettingsFileTest, ImportOfOlderFiles) {
    std::string places = "3\r\n";  // raised to 12
    for (int n = 1; n <= 12; ++n)
        places += "\"Ort " + std::to_string(n) + (n == 2 ? " K\xF6ln" : "") + "\"," + std::to_string(n) + ",-" +
                  std::to_string(n) + ".5\r\n";
    const std::string group2 = "2,\"C:\\KELMAR\\OBJEKTE\\CERES.KPL\",0,\"Mars\",2.5,13,60,0.5,77,819,610,42,3,1\r\n";

    // Groups 1 and 2, then the file ends inside group 3: groups 3 to 9 fall back.
    WriteBytes(dir_ / "Kelmar.dat", places + group2 + "\"Wega\",18.6\r\n");
    ProgramState s = Defaults(dir_);
    shell::ReadSettings(s);  // no Kelmaron.ini: imports
    EXPECT_EQ(s.OrtAnz, 15);
    EXPECT_EQ(s.Orte[2].name, "Ort 2 Köln");
    EXPECT_EQ(s.Orte[12].longitude, 12 * kDegToRad);
    EXPECT_EQ(s.Orte[12].latitude, -12.5 * kDegToRad);
    EXPECT_EQ(s.Orte[13].name, "Nordpol");
    EXPECT_EQ(s.Zone, 2);
    EXPECT_EQ(s.Pfad, "C:\\KELMAR\\OBJEKTE\\CERES.KPL");
    EXPECT_EQ(s.Objekt, astronomy::ObjectKind::Mars);
    EXPECT_EQ(s.ChartMode, astronomy::View::None);  // 2.5: an object view
    EXPECT_EQ(s.Ort, 1);  // 13 exceeds 12
    EXPECT_EQ(s.TrackStep, 0.5f);
    EXPECT_EQ(s.DisplayFlags, 77);
    EXPECT_EQ(s.x_max, 800);
    EXPECT_EQ(s.y_max, 550);
    EXPECT_EQ(s.Messier, 42);
    EXPECT_EQ(s.TrackAlle, 1);
    EXPECT_EQ(s.BelName, "Polarstern");
    EXPECT_EQ(s.BelAlpha, 2.530277778 * 15 * kDegToRad);
    EXPECT_EQ(s.BelDelta, 89.2605556 * kDegToRad);
    EXPECT_EQ(s.Pol_max, 180);
    EXPECT_EQ(s.Grenzmag, 6);
    EXPECT_EQ(s.Alpha_min, -5);
    EXPECT_EQ(s.TrackDatum, "m");
    EXPECT_EQ(s.y_pos, 100);
    EXPECT_EQ(s.Azi_max, 200);
    EXPECT_EQ(s.Aequi, 9999);
    EXPECT_EQ(s.View_beta, 90);

    // "Kelmar.ini" wins over "Kelmar.dat"; a damaged last group falls back alone.
    WriteBytes(dir_ / "Kelmar.ini",
               places + group2 + "\"Wega\",18.6,38.5,0.03,1950\r\n10,170,5,7.5\r\n1,2,3,4,\"-\"\r\n20,2\r\n" +
                   "50,-5,100,250\r\n1950\r\nabc,1\r\n");
    s = Defaults(dir_);
    shell::ImportOldSettings(s);
    EXPECT_EQ(s.BelName, "Wega");
    EXPECT_EQ(s.BelAlpha, 18.6 * 15 * kDegToRad);
    EXPECT_EQ(s.BelAequi, 1950);
    EXPECT_EQ(s.Pol_max, 170);
    EXPECT_EQ(s.Grenzmag, 7.5);
    EXPECT_EQ(s.Delta_max, 4);
    EXPECT_EQ(s.TrackDatum, "");
    EXPECT_EQ(s.x_pos, 20);
    EXPECT_EQ(s.y_pos, 5);  // raised to 5
    EXPECT_EQ(s.Azi_max, 250);
    EXPECT_EQ(s.Aequi, 1950);
    EXPECT_EQ(s.View_lambda, 180);
    EXPECT_EQ(s.View_beta, 90);

    // A first group that cannot be read imports nothing at all.
    WriteBytes(dir_ / "Kelmar.ini", "viele,\"Hannover\"\r\n" + group2);
    const ProgramState d = Defaults(dir_);
    s = d;
    shell::ImportOldSettings(s);
    ExpectStoredFieldsEqual(d, s);
}

// The program's defaults are one state: a fresh record holds them, the
// defaults step gives them back, reading without a settings file leaves
// them, and written and read back they come out bit for bit.
TEST_F(SettingsFileTest, DefaultsAreOneStateAndSurviveARoundTrip) {
    using astronomy::StoredSettings;
    const StoredSettings defaults = ProgramState{};
    ProgramState changed = Changed(dir_.string(), "w");
    ASSERT_FALSE(static_cast<const StoredSettings&>(changed) == defaults);
    astronomy::ApplyDefaults(changed);
    EXPECT_TRUE(static_cast<const StoredSettings&>(changed) == defaults);

    ProgramState read;
    read.DataFolder = dir_.string();
    shell::ReadSettings(read);  // no file at all
    EXPECT_TRUE(static_cast<const StoredSettings&>(read) == defaults);

    ProgramState other = Changed(dir_.string(), "w");
    shell::ParseSettingsText(other, shell::SettingsText(ProgramState{}, " Version 6.54"));
    ExpectStoredFieldsEqual(ProgramState{}, other);
    EXPECT_TRUE(static_cast<const StoredSettings&>(other) == defaults);
}
