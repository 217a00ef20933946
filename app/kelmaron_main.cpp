// Kelmaron: the main window.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTranslator>

#include <string>

#include "platform/qt/QtWindow.h"
#include "shell/Commands.h"
#include "shell/Shell.h"
#include "shell/StartUp.h"

namespace {

// The program's read-only data: next to the executable in a build tree,
// share/kelmaron beside bin/ when installed.
std::string ProgramFolder() {
    const QDir exe(QCoreApplication::applicationDirPath());
    if (QFileInfo::exists(exe.filePath("messier.kat"))) return exe.absolutePath().toStdString();
    const QString installed = QDir::cleanPath(exe.filePath("../share/kelmaron"));
    if (QFileInfo::exists(installed + "/messier.kat")) return installed.toStdString();
    return exe.absolutePath().toStdString();
}

// The arguments after the program's path as one command line, quoting
// those that hold blanks, for the start-up's own splitting.
std::string CommandLine(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (!line.empty()) line += ' ';
        line += arg.find(' ') != std::string::npos ? "\"" + arg + "\"" : arg;
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName("Kelmaron");
    // The toolkit's own dialogs (files, printer) speak German as well, and
    // show sizes and dates the German way.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QLocale(QLocale::German, QLocale::Germany), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&toolkitTexts);

    astronomy::ProgramState state;
    state.ProgramFolder = ProgramFolder();
    state.DataFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() + "/Kelmar";

    platform::qt::QtWindow window(800, 550);
    shell::Shell sh(state, window);
    // Quitting closes the window, the last one, which ends the program.
    shell::Connect(sh, [&window] { window.Frame().close(); });
    window.Show();

    if (!shell::StartUp(sh, argv[0], CommandLine(argc, argv))) {
        // Missing files: the report stays until a key is pressed.
        window.onKey = [&](const platform::Key&) { app.quit(); };
        window.onMenu = nullptr;
        window.onClose = [] { return true; };
    }
    return app.exec();
}
