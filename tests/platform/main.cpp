// Runs the platform tests headless: the offscreen platform plugin, and a
// temporary home so that no test touches a real profile.
#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <unistd.h>

namespace {

// The offscreen platform reports window-manager requests it cannot serve
// (raise, size hints); they say nothing about the tests.
QtMessageHandler standardHandler = nullptr;

void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    if (standardHandler) {
        standardHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);

    std::string pattern = (std::filesystem::temp_directory_path() / "kelmaron-platform-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return 2;
    const std::filesystem::path home(pattern);
    const std::filesystem::path runtime = home / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef KELMARON_TEST_SCALE_FACTOR
    // Every window as on a high-resolution screen of this scale.
    qputenv("QT_SCALE_FACTOR", KELMARON_TEST_SCALE_FACTOR);
#endif
    qputenv("HOME", QByteArray::fromStdString(home.string()));
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.string()));
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((home / "data").string()));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((home / "config").string()));

    standardHandler = qInstallMessageHandler(QuietHandler);
    int result = 0;
    {
        QApplication app(argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    return result;
}
