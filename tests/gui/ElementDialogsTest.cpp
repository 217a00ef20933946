// The orbit object's dialogs answered through the real window: the load
// and save file dialogs, the element entry in the text window and its
// message boxes.
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "../platform/ModalHelper.h"
#include "astronomy/OrbitElements.h"
#include "platform/Menu.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtWindow.h"
#include "shell/ElementDialogs.h"
#include "shell/Shell.h"
#include "WindowFixture.h"

namespace fs = std::filesystem;
using platform::qt::testing::WhenReady;

namespace {

constexpr double kDeg = 0.017453292519943295;

// One answer of a scripted dialog: a message box button (0 closes the box),
// a text typed into the edit line, the offered text kept, or Escape.
struct Step {
    enum Kind { Box, Type, Keep, Escape } kind;
    int button = 0;
    std::string text;
};
Step Box(int button) { return {Step::Box, button, {}}; }
Step Type(const std::string& text) { return {Step::Type, 0, text}; }
const Step kKeep{Step::Keep, 0, {}};
const Step kEscape{Step::Escape, 0, {}};

// The message box on top, if one is shown.
QWidget* ShownMessageBox() {
    QWidget* top = QApplication::activeModalWidget();
    return top && top->findChild<QPushButton*>(QStringLiteral("button1")) ? top : nullptr;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

void ExpectSameElements(const astronomy::OrbitalElements& a, const astronomy::OrbitalElements& b) {
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.e, b.e);
    EXPECT_EQ(a.a, b.a);
    EXPECT_EQ(a.q, b.q);
    EXPECT_EQ(a.node, b.node);
    EXPECT_EQ(a.omega, b.omega);
    EXPECT_EQ(a.i, b.i);
    EXPECT_EQ(a.T, b.T);
    EXPECT_EQ(a.M, b.M);
    EXPECT_EQ(a.t, b.t);
    EXPECT_EQ(a.d, b.d);
    EXPECT_EQ(a.equinox, b.equinox);
    EXPECT_EQ(a.mag, b.mag);
    EXPECT_EQ(a.mass, b.mass);
    EXPECT_EQ(a.kind, b.kind);
}

class ElementDialogs : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_TRUE(Start());
        objects = data / "Objekte";
        // Folders are listed whatever the file filter: the file dialogs
        // always have something to list once they have read the folder.
        fs::create_directories(objects / "Archiv");
        // Message boxes nobody scripted are answered with their first button
        // and recorded, so that an unexpected one fails a test instead of
        // blocking it.
        boxTimer = std::make_unique<QTimer>();
        boxTimer->setInterval(20);
        QObject::connect(boxTimer.get(), &QTimer::timeout, [this]() {
            if (!autoAnswer) return;
            if (QWidget* box = ShownMessageBox()) {
                boxes.push_back(BoxText(box));
                box->findChild<QPushButton*>(QStringLiteral("button1"))->click();
            }
        });
        boxTimer->start();
    }
    void TearDown() override {
        boxTimer.reset();
        WindowFixture::TearDown();
    }

    static std::string BoxText(QWidget* box) {
        auto* label = box->findChild<QLabel*>(QStringLiteral("text"));
        return label ? label->text().toStdString() : std::string();
    }

    // Plays the steps in turn as the dialog asks; afterwards further boxes
    // are answered automatically. Records the boxes' texts and default
    // buttons, and the offered text and the window's lines at each field.
    void Play(std::vector<Step> steps) {
        autoAnswer = steps.empty();
        if (steps.empty()) return;
        const Step step = steps.front();
        std::vector<Step> rest(steps.begin() + 1, steps.end());
        platform::qt::QtDialogs& dialogs = window->DialogBoxes();
        if (step.kind == Step::Box) {
            WhenReady([]() { return ShownMessageBox() != nullptr; },
                      [this, step, rest]() {
                          QWidget* box = ShownMessageBox();
                          boxes.push_back(BoxText(box));
                          int preselected = 0;
                          for (int k = 1; k <= 3; ++k) {
                              auto* b = box->findChild<QPushButton*>(QStringLiteral("button%1").arg(k));
                              if (b && b->isDefault()) preselected = k;
                          }
                          defaults.push_back(preselected);
                          Play(rest);
                          if (step.button == 0) box->close();
                          else box->findChild<QPushButton*>(QStringLiteral("button%1").arg(step.button))->click();
                      });
            return;
        }
        WhenReady([&dialogs]() { return dialogs.Prompt() && dialogs.Prompt()->Field() && dialogs.Prompt()->Field()->isVisible(); },
                  [this, &dialogs, step, rest]() {
                      QLineEdit* field = dialogs.Prompt()->Field();
                      offered.push_back(field->text().toStdString());
                      lines.push_back(dialogs.Prompt()->Lines());
                      Play(rest);
                      if (step.kind == Step::Escape) {
                          QTest::keyClick(field, Qt::Key_Escape);
                          return;
                      }
                      if (step.kind == Step::Type) {
                          field->selectAll();
                          if (!step.text.empty()) QTest::keyClicks(field, QString::fromStdString(step.text));
                          else QTest::keyClick(field, Qt::Key_Delete);
                      }
                      QTest::keyClick(field, Qt::Key_Return);
                  });
    }

    // What a file dialog showed when it was answered.
    struct FileDialogSeen {
        std::string title, folder, offered;
        QStringList filters;
    };

    // Answers the next file dialog, once its folder is listed, with a name
    // typed into its name field.
    void ChooseFile(const std::string& name, FileDialogSeen& seen) {
        WhenReady(
            []() {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                auto* model = dialog ? dialog->findChild<QFileSystemModel*>() : nullptr;
                return model && model->rowCount(model->index(dialog->directory().absolutePath())) > 0;
            },
            [&seen, name]() {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                seen.title = dialog->windowTitle().toStdString();
                seen.folder = dialog->directory().absolutePath().toStdString();
                seen.offered = dialog->selectedFiles().value(0).toStdString();
                seen.filters = dialog->nameFilters();
                auto* field = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                ASSERT_NE(field, nullptr);
                dialog->selectFile(QString::fromStdString(name));
                field->setText(QString::fromStdString(name));
                static_cast<QDialog*>(dialog)->accept();  // past QFileDialog's own checks
            });
    }

    std::string DiskCaption() const { return sh->menu.captions[sh->menu.ItemOf(shell::ObjectAction(astronomy::ObjectKind::Disk))]; }
    // The orbit object as the program holds and shows it.
    struct OrbitObject {
        astronomy::OrbitalElements elements;
        std::string pfad, name, caption;
    };
    OrbitObject CurrentOrbitObject() const { return {state.Elements, state.Pfad, state.DiskName, DiskCaption()}; }
    void ExpectOrbitObject(const OrbitObject& before, const std::string& what) const {
        SCOPED_TRACE(what);
        ExpectSameElements(state.Elements, before.elements);
        EXPECT_EQ(state.Pfad, before.pfad);
        EXPECT_EQ(state.DiskName, before.name);
        EXPECT_EQ(DiskCaption(), before.caption);
    }

    fs::path objects;
    bool autoAnswer = true;
    std::unique_ptr<QTimer> boxTimer;
    std::vector<std::string> boxes;
    std::vector<int> defaults;
    std::vector<std::string> offered;
    std::vector<QStringList> lines;
};

const std::string kExampleComet = "Beispiel\ne= .9\nq= 1.5\nknoten= 80\nomega= 120\ni= 10\nT= 2461000.5\n";

}  // namespace

TEST(ElementFileFilter, SavingOffersTheExtensionOfTheKindFirst) {
    using shell::ElementFileUse;
    const std::string rest = ";|Kometen *.kom|*.kom;|Kleinplaneten *.kpl|*.kpl;|alles *.*|*.*";
    EXPECT_EQ(shell::ElementFileFilter(astronomy::kKindComet, ElementFileUse::Save), "Bahnelemente|*.kom" + rest);
    EXPECT_EQ(shell::ElementFileFilter(astronomy::kKindMinorPlanet, ElementFileUse::Save), "Bahnelemente|*.kpl" + rest);
    EXPECT_EQ(shell::ElementFileFilter(astronomy::kKindPluto, ElementFileUse::Save), "Bahnelemente|*.pla" + rest);
    // Kind 12 has no extension of its own: every file.
    EXPECT_EQ(shell::ElementFileFilter(astronomy::kKindOther, ElementFileUse::Save), "Bahnelemente|*.*" + rest);
    // Loading: every element file first, also the files of the Minor Planet Center.
    EXPECT_EQ(shell::ElementFileFilter(astronomy::kKindComet, ElementFileUse::Load),
              "Alle Bahnelemente|*.pla;*.kpl;*.kom;|Bahnelemente|*.kom;|Kometen *.kom|*.kom;|Kleinplaneten *.kpl|*.kpl;|"
              "Minor Planet Center *.dat *.txt|*.dat;*.DAT;*.txt;|alles *.*|*.*");
}

TEST_F(ElementDialogs, SavedFileLoadsBackUnchanged) {
    const astronomy::OrbitalElements original = state.Elements;  // Pluto, read at start-up
    ASSERT_EQ(original.name, "Pluto");
    ASSERT_NE(original.t, 0);  // written with M and t, the fuller form

    FileDialogSeen save;
    ChooseFile("Kopie.kpl", save);
    shell::SaveElementFileDialog(*sh);
    const fs::path copy = objects / "Kopie.kpl";
    ASSERT_TRUE(fs::is_regular_file(copy));
    EXPECT_EQ(save.title, "Speichern unter..");
    EXPECT_TRUE(fs::equivalent(save.folder, objects));
    EXPECT_EQ(fs::path(save.offered).filename(), "Pluto.kpl");
    EXPECT_EQ(save.filters.value(0).toStdString(), "Bahnelemente (*.pla)");  // Pluto's own kind
    EXPECT_TRUE(fs::equivalent(state.Pfad, copy));

    state.Elements = astronomy::OrbitalElements{};
    state.DiskName = "anderes";
    FileDialogSeen load;
    ChooseFile("Kopie.kpl", load);
    shell::LoadElementDialog(*sh);
    EXPECT_EQ(load.title, "Objekt laden..");
    EXPECT_TRUE(fs::equivalent(load.folder, objects));
    EXPECT_EQ(load.filters.value(0).toStdString(), "Alle Bahnelemente (*.pla *.kpl *.kom)");
    ExpectSameElements(state.Elements, original);
    EXPECT_EQ(state.DiskName, "Pluto");
    EXPECT_TRUE(fs::equivalent(state.Pfad, copy));

    FileDialogSeen again;
    ChooseFile("Kopie2.kpl", again);
    shell::SaveElementFileDialog(*sh);
    EXPECT_EQ(fs::path(again.offered).filename(), "Kopie.kpl");
    EXPECT_EQ(ReadBytes(objects / "Kopie2.kpl"), ReadBytes(copy));
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(ElementDialogs, LoadDialogListsEveryBundledElementFile) {
    // The bundled folder holds .kpl and .kom files: the load dialog lists
    // them all at once, whatever the kind of the current object, in the
    // detail list with every entry of every column whole, not cut to "...".
    // The folder is read in the background: the test waits until the list
    // stands (and fails after some seconds if it never reads whole).
    auto readable = [](QFileDialog* dialog) {
        auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        if (!view || !view->isVisible() || view->header()->count() < 4) return false;
        const QModelIndex root = view->rootIndex();
        if (view->model()->rowCount(root) < 4) return false;
        for (int row = 0; row < view->model()->rowCount(root); ++row) {
            // A file's size, type and date come when the folder is read.
            const bool file = !view->model()->index(row, 0, root).data().toString().startsWith(QStringLiteral("Archiv"));
            for (int k = 0; k < 4; ++k) {
                const QString text = view->model()->index(row, k, root).data().toString();
                if ((file && text.isEmpty()) || view->header()->sectionSize(k) <= view->fontMetrics().horizontalAdvance(text))
                    return false;
            }
        }
        return true;
    };
    std::set<std::string> listed;
    std::map<std::string, std::pair<QString, QString>> sizeAndDate;  // as the list shows them
    bool columnsReadable = false;
    WhenReady(
        [readable]() {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            return dialog && readable(dialog);
        },
        [&listed, &sizeAndDate, &columnsReadable]() {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            columnsReadable = true;
            auto* model = dialog->findChild<QFileSystemModel*>();
            const QModelIndex folder = model->index(dialog->directory().absolutePath());
            for (int row = 0; row < model->rowCount(folder); ++row)
                listed.insert(model->index(row, 0, folder).data().toString().toStdString());
            auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            const QModelIndex root = view->rootIndex();
            for (int row = 0; row < view->model()->rowCount(root); ++row)
                sizeAndDate[view->model()->index(row, 0, root).data().toString().toStdString()] = {
                    view->model()->index(row, 1, root).data().toString(),
                    view->model()->index(row, 3, root).data().toString()};
            dialog->reject();
        });
    shell::LoadElementDialog(*sh);
    for (const char* name : {"Pluto.kpl", "Ceres.kpl", "Halley.kom", "Encke.kom"})
        EXPECT_TRUE(listed.count(name)) << name;
    EXPECT_TRUE(columnsReadable);
    // Sizes and dates in German, whatever the computer's locale: "394 Bytes",
    // "1,2 KB", "07.12.2026 17:40" (the file's time of change).
    const QRegularExpression size(QStringLiteral("^\\d+(,\\d)? (Bytes?|KB)$"));
    for (const char* name : {"Pluto.kpl", "Halley.kom"}) {
        const auto [shownSize, shownDate] = sizeAndDate[name];
        EXPECT_TRUE(size.match(shownSize).hasMatch()) << name << ": " << shownSize.toStdString();
        const QDateTime changed = QFileInfo(QString::fromStdString((objects / name).string())).lastModified();
        EXPECT_EQ(shownDate, changed.toString(QStringLiteral("dd.MM.yyyy HH:mm"))) << name;
    }
}

TEST_F(ElementDialogs, LoadedNameBecomesTheDiskCaptionAndTitle) {
    const fs::path file = objects / "Beispiel.kom";
    WriteBytes(file, kExampleComet);
    state.Objekt = astronomy::ObjectKind::Disk;
    state.ChartMode = astronomy::View::ObjectBody;  // the object view
    SetInstant(12, 1, 3, 2026);

    ASSERT_TRUE(shell::LoadDiskFile(*sh, file.string()));
    EXPECT_EQ(state.DiskName, "Beispiel");
    EXPECT_EQ(state.Elements.kind, astronomy::kKindComet);
    EXPECT_NEAR(state.Elements.a, 15, 1e-12);
    EXPECT_EQ(state.Pfad, file.string());
    EXPECT_EQ(DiskCaption(), "Beispiel");
    QAction* item = window->Menus().Action(sh->menu.ItemOf(shell::ObjectAction(astronomy::ObjectKind::Disk)));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text().toStdString(), "Beispiel");
    EXPECT_EQ(window->menu().ItemState(sh->menu.ItemOf(shell::ObjectAction(astronomy::ObjectKind::Disk))), platform::kItemChecked);
    EXPECT_NE(window->Title().find(" - Objekt: Beispiel"), std::string::npos) << window->Title();
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(ElementDialogs, UnreadableFilesKeepTheCurrentObject) {
    const OrbitObject before = CurrentOrbitObject();
    auto expectUnchanged = [&](const std::string& what) { ExpectOrbitObject(before, what); };

    const fs::path folder = objects / "Ordner.kom";
    fs::create_directories(folder);
    const fs::path blob = objects / "Blob.kpl";
    WriteBytes(blob, std::string("\x7f" "ELF\x02\x01\x01\0\0\0\0e=1\n\0\xff", 18));
    const fs::path huge = objects / "Riesig.kom";
    WriteBytes(huge, "Riesig\ne=0.5\n" + std::string(2 << 20, 'x'));
    const fs::path prose = objects / "Brief.txt";
    WriteBytes(prose, "Lieber Freund,\nwie geht es dir?\n");
    const fs::path missing = objects / "Fehlt.kom";

    for (const fs::path& path : {folder, blob, huge, prose, missing}) {
        boxes.clear();
        EXPECT_FALSE(shell::LoadDiskFile(*sh, path.string()));
        ASSERT_EQ(boxes.size(), 1u) << path;
        EXPECT_NE(boxes[0].find(path.string()), std::string::npos) << boxes[0];
        expectUnchanged(path.string());
    }

    // Chosen in the load dialog, the binary file is refused the same way.
    boxes.clear();
    FileDialogSeen load;
    ChooseFile("Blob.kpl", load);
    shell::LoadElementDialog(*sh);
    EXPECT_EQ(boxes.size(), 1u);
    expectUnchanged("dialog");

    // A folder cannot be written over: the message, and Pfad stays.
    boxes.clear();
    EXPECT_FALSE(shell::SaveDiskFile(*sh, folder.string()));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Datei kann nicht geschrieben werden", 0), 0u) << boxes[0];
    EXPECT_TRUE(fs::is_directory(folder));
    expectUnchanged("save");

    // A readable file with many broken lines loads and complains once.
    boxes.clear();
    std::string text = "Viele\n";
    for (int k = 0; k < 200; ++k) text += "kaputt\n";
    text += "e=0.5\nq=1\nknoten=10\nomega=20\ni=5\nT=2451545\n";
    const fs::path broken = objects / "Viele.kpl";
    WriteBytes(broken, text);
    EXPECT_TRUE(shell::LoadDiskFile(*sh, broken.string()));
    EXPECT_EQ(state.DiskName, "Viele");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Fehler in Datei\n" + broken.string());
}

TEST_F(ElementDialogs, InputDialogEntersTheWorkedExampleAndKeepsUnchangedAnswers) {
    const int equinox = state.Elements.equinox;
    Play({Box(2), Type("Beispiel"), Type("0.9"), Box(2), Type("1.5"), Type("80"), Type("120"), Type("10"), Box(1),
          Box(2), Type("2461000.5"), Type(""), Type("0"), Type("0"), Type("0")});
    shell::ElementInputDialog(*sh);
    EXPECT_EQ(window->DialogBoxes().Prompt(), nullptr);
    ASSERT_EQ(offered.size(), 11u);
    ASSERT_EQ(boxes.size(), 4u);  // no check message after the four questions
    EXPECT_EQ(defaults[0], 1);    // Pluto is offered as a minor planet
    EXPECT_EQ(boxes[0], "\n  Art des Objektes ?    \n");

    const astronomy::OrbitalElements& el = state.Elements;
    EXPECT_EQ(el.name, "Beispiel");
    EXPECT_EQ(el.kind, astronomy::kKindComet);
    EXPECT_EQ(el.e, 0.9);
    EXPECT_EQ(el.q, 1.5);
    EXPECT_NEAR(el.a, 15, 1e-12);
    EXPECT_DOUBLE_EQ(el.node, 80 * kDeg);
    EXPECT_DOUBLE_EQ(el.omega, 120 * kDeg);
    EXPECT_DOUBLE_EQ(el.i, 10 * kDeg);
    EXPECT_EQ(el.T, 2461000.5);
    EXPECT_EQ(el.M, 0);
    EXPECT_EQ(el.equinox, equinox);  // empty answer: kept
    EXPECT_EQ(el.mag, 0);
    EXPECT_EQ(el.mass, 0);
    EXPECT_EQ(el.d, 0.0001);
    EXPECT_EQ(state.DiskName, "Beispiel");
    EXPECT_EQ(DiskCaption(), "Beispiel");

    // The e label right-aligned in 65 characters, then ": ".
    const QString eLine = lines.at(1).last();
    EXPECT_EQ(eLine.size(), 67);
    EXPECT_TRUE(eLine.endsWith(QStringLiteral(" Exzentrizit\u00e4t e: "))) << eLine.toStdString();
    // After q: a and the period sqrt(15^3) = 58.09 years, with decimal comma.
    const QString shown = lines.at(3).join(QLatin1Char('\n'));
    EXPECT_TRUE(shown.contains(QRegularExpression(QStringLiteral(" Gro\u00dfe Halbachse a \\[AE\\]: +15 *\n"))))
        << shown.toStdString();
    EXPECT_TRUE(shown.contains(QRegularExpression(QStringLiteral(" Umlaufzeit in Jahren: +58,095 *\n"))))
        << shown.toStdString();

    // Again, keeping every value and giving a mean anomaly at a calendar
    // date instead: the kept values stay exactly as they were.
    const astronomy::OrbitalElements first = state.Elements;
    offered.clear();
    boxes.clear();
    defaults.clear();
    Play({Box(2), kKeep, kKeep, Box(2), kKeep, kKeep, kKeep, kKeep, Box(2), Type("10"), Box(1), Type("1.5 1 2000"),
          kKeep, kKeep, kKeep, kKeep});
    shell::ElementInputDialog(*sh);
    ASSERT_EQ(offered.size(), 12u);
    EXPECT_EQ(offered[0], "Beispiel");
    EXPECT_EQ(offered[3], "80");
    EXPECT_EQ(defaults[0], 2);  // a comet now
    EXPECT_EQ(defaults[1], 2);  // q known
    EXPECT_EQ(defaults[2], 1);  // T known
    EXPECT_EQ(state.Elements.e, first.e);
    EXPECT_EQ(state.Elements.q, first.q);
    EXPECT_EQ(state.Elements.node, first.node);
    EXPECT_EQ(state.Elements.omega, first.omega);
    EXPECT_EQ(state.Elements.i, first.i);
    EXPECT_EQ(state.Elements.d, first.d);
    EXPECT_DOUBLE_EQ(state.Elements.M, 10 * kDeg);
    EXPECT_EQ(state.Elements.t, 2451545.0);  // 1.5 January 2000 UT
    EXPECT_EQ(boxes.size(), 4u);
}

TEST_F(ElementDialogs, AcceptingEveryOfferedAnswerKeepsTheOrbit) {
    // A minor planet placed by mean anomaly and epoch, a comet with a
    // perihelion time and an osculation epoch, a hyperbola given by a: every
    // field accepted as offered and every question answered with its
    // preselected button leaves the orbit exactly as loaded.
    struct File {
        const char* name;
        const char* text;
        bool meanAnomaly;  // the placing the dialog should offer
    };
    const File files[] = {
        {"Ceres.kpl", "Ceres\ne=0.0785\na=2.7666\nknoten=80.25\nomega=73.4\ni=10.59\nM=291.4\nt=2460600.5\n", true},
        {"Komet.kom", "Komet\ne=0.95\nq=0.8\nknoten=30\nomega=40\ni=50\nT=2461000.5\nt=2460800.5\n", false},
        {"Weit.kom", "Weit\ne=1.2\na=-2.5\nknoten=5\nomega=6\ni=7\nT=2460000.5\n", false},
    };
    for (const File& f : files) {
        SCOPED_TRACE(f.name);
        WriteBytes(objects / f.name, f.text);
        ASSERT_TRUE(shell::LoadDiskFile(*sh, (objects / f.name).string()));
        const astronomy::OrbitalElements loaded = state.Elements;
        const int kind = loaded.kind == astronomy::kKindComet ? 2 : 1;
        const int distance = loaded.q != 0 ? 2 : 1;
        std::vector<Step> script = {Box(kind), kKeep, kKeep, Box(distance), kKeep, kKeep, kKeep, kKeep,
                                    Box(f.meanAnomaly ? 2 : 1)};
        if (f.meanAnomaly) {
            script.insert(script.end(), {kKeep, Box(2), kKeep});
        } else {
            script.insert(script.end(), {Box(2), kKeep});
        }
        script.insert(script.end(), {kKeep, kKeep, kKeep, kKeep});
        boxes.clear();
        defaults.clear();
        Play(script);
        shell::ElementInputDialog(*sh);
        ASSERT_GE(defaults.size(), 3u);
        EXPECT_EQ(defaults[0], kind);
        EXPECT_EQ(defaults[1], distance);
        EXPECT_EQ(defaults[2], f.meanAnomaly ? 2 : 1);
        ExpectSameElements(state.Elements, loaded);
    }
}

TEST_F(ElementDialogs, CancelledInputDialogChangesNothing) {
    const astronomy::OrbitalElements before = state.Elements;
    const std::string name = state.DiskName, caption = DiskCaption();
    const std::vector<std::vector<Step>> scripts = {
        {Box(0)},                                                             // the first box closed
        {Box(2), Type("Neu"), Type("0.5"), Box(1), Type("3"), kEscape},       // Escape in a field
        {Box(1), kKeep, kKeep, Box(1), kKeep, kKeep, kKeep, kKeep, Box(1), Box(0)},  // the date box closed
    };
    for (std::size_t k = 0; k < scripts.size(); ++k) {
        SCOPED_TRACE(k);
        boxes.clear();
        Play(scripts[k]);
        shell::ElementInputDialog(*sh);
        EXPECT_EQ(window->DialogBoxes().Prompt(), nullptr);
        ExpectSameElements(state.Elements, before);
        EXPECT_EQ(state.DiskName, name);
        EXPECT_EQ(DiskCaption(), caption);
    }
}

TEST_F(ElementDialogs, MpcFileOfTwoLinesLoadsTheObjectChosenByNumberOrName) {
    const fs::path file = objects / "MPCORB.DAT";
    fs::copy_file(KELMARON_TEST_DATA "/elements/MPCORB-Auszug.DAT", file);
    state.Objekt = astronomy::ObjectKind::Disk;
    state.ChartMode = astronomy::View::ObjectBody;
    SetInstant(21, 15, 3, 2026);

    // Chosen in the load dialog, then by number: the list shows both objects.
    FileDialogSeen load;
    ChooseFile("MPCORB.DAT", load);
    Play({Type("2")});
    shell::LoadElementDialog(*sh);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].contains(QStringLiteral(" Die Datei enth\u00e4lt 2 Objekte:")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("   1  (1) Ceres")));
    EXPECT_TRUE(lines[0].contains(QStringLiteral("   2  (4) Vesta")));
    EXPECT_EQ(offered, std::vector<std::string>{"1"});
    EXPECT_EQ(state.DiskName, "(4) Vesta");
    EXPECT_EQ(state.Elements.kind, astronomy::kKindMinorPlanet);
    EXPECT_EQ(state.Elements.equinox, 2000);
    EXPECT_NEAR(state.Elements.a, 2.3619872, 1e-15);
    EXPECT_EQ(state.Pfad, file.string());
    EXPECT_EQ(DiskCaption(), "(4) Vesta");
    EXPECT_NE(window->Title().find(" - Objekt: (4) Vesta"), std::string::npos) << window->Title();

    // By name, after a name that is not in the file.
    Play({Type("Pallas"), Box(1), Type("ceres")});
    ASSERT_TRUE(shell::LoadDiskFile(*sh, file.string()));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Kein Objekt 'Pallas'\nin der Datei");
    EXPECT_EQ(state.DiskName, "(1) Ceres");

    // Saving offers the object's name with the kind's extension, not the
    // MPC file, and writes the program's own format, which loads back.
    const astronomy::OrbitalElements ceres = state.Elements;
    FileDialogSeen save;
    ChooseFile("Ceres-neu.kpl", save);
    shell::SaveElementFileDialog(*sh);
    EXPECT_EQ(fs::path(save.offered).filename(), "(1) Ceres.kpl");
    EXPECT_EQ(ReadBytes(objects / "Ceres-neu.kpl").rfind("(1) Ceres\r\ne=", 0), 0u);
    ASSERT_TRUE(shell::LoadDiskFile(*sh, (objects / "Ceres-neu.kpl").string()));
    ExpectSameElements(state.Elements, ceres);
    EXPECT_EQ(boxes.size(), 1u);  // only the one above
}

TEST_F(ElementDialogs, MpcChoiceCancelledOrMalformedLineKeepsTheCurrentObject) {
    const OrbitObject before = CurrentOrbitObject();
    auto expectUnchanged = [&](const std::string& what) { ExpectOrbitObject(before, what); };
    std::string text = ReadBytes(KELMARON_TEST_DATA "/elements/MPCORB-Auszug.DAT");
    const fs::path file = objects / "MPCORB.DAT";
    WriteBytes(file, text);
    Play({kEscape});
    EXPECT_FALSE(shell::LoadDiskFile(*sh, file.string()));
    EXPECT_TRUE(boxes.empty());
    expectUnchanged("cancelled");

    // Ceres with a letter in its mean anomaly: the check message, nothing else.
    text[text.find("00001 ") + 29] = 'x';
    WriteBytes(file, text);
    Play({Type("1")});
    EXPECT_FALSE(shell::LoadDiskFile(*sh, file.string()));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Bahnelemente von (1) Ceres\n \u00fcberpr\u00fcfen !");
    expectUnchanged("malformed");

    // The header alone holds no object.
    boxes.clear();
    WriteBytes(file, text.substr(0, text.find("00001 ")));
    EXPECT_FALSE(shell::LoadDiskFile(*sh, file.string()));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Keine Bahnelemente in Datei\n" + file.string());
    expectUnchanged("empty");

    // A file of one comet line loads without a choice.
    boxes.clear();
    const std::string comets = ReadBytes(KELMARON_TEST_DATA "/elements/CometEls-Auszug.txt");
    const fs::path one = objects / "Komet.txt";
    WriteBytes(one, comets.substr(comets.find("    CK20F030")));
    ASSERT_TRUE(shell::LoadDiskFile(*sh, one.string()));
    EXPECT_EQ(state.DiskName, "C/2020 F3 (NEOWISE)");
    EXPECT_EQ(state.Elements.kind, astronomy::kKindComet);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
}

TEST_F(ElementDialogs, TitleNamesALoadedObjectThatHasNoPlace) {
    // A negative perihelion distance: the file loads, the orbit gives no place.
    const fs::path file = objects / "Kaputt.kpl";
    WriteBytes(file, "Kaputt\ne=0.5\nq=-1\nknoten=10\nomega=20\ni=5\nT=2451545\n");
    // Loaded while it is the selected object.
    window->onMenu(39);  // "Disk"
    ASSERT_EQ(state.Objekt, astronomy::ObjectKind::Disk);
    EXPECT_TRUE(shell::LoadDiskFile(*sh, file.string()));
    EXPECT_FALSE(boxes.empty());  // the user is told why
    EXPECT_NE(window->Title().find(" - Objekt: Kaputt"), std::string::npos) << window->Title();
    // Chosen from the menu after another object: the title no longer names
    // the one before, in a chart and in the object view.
    for (const int view : {0, 1}) {
        window->onMenu(35);  // "Jupiter"
        ASSERT_NE(window->Title().find(" - Objekt: Jupiter"), std::string::npos) << window->Title();
        if (view == 1) window->onMenu(68);  // "Objekt" (the object view)
        boxes.clear();
        window->onMenu(39);
        EXPECT_EQ(state.Objekt, astronomy::ObjectKind::Disk);
        EXPECT_FALSE(boxes.empty());
        EXPECT_NE(window->Title().find(" - Objekt: Kaputt"), std::string::npos) << view << ": " << window->Title();
    }
}
