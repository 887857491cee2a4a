#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <clocale>
#include <cstring>

// The widgets need a QApplication for the whole run; ctest runs each test in its own process.
// Listing the tests happens without ctest's environment, so offscreen is the default here.
// Suites named HiDpi... run as on a screen at 200 %: the scale factor must be set before the
// application object exists, and ctest runs each test alone with a filter naming it.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strstr(argv[i], "--gtest_filter=HiDpi") == argv[i]) {
            qputenv("QT_SCALE_FACTOR", "2");
        }
    }
    QApplication app(argc, argv);
    // The window keeps its recent sessions and preferences in the settings: never the user's own.
    const QTemporaryDir settings;
    if (!settings.isValid()) {
        return 2;
    }
    for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, settings.path());
        QSettings::setPath(format, QSettings::SystemScope, settings.path());
    }
    // Nor its data folder, where the recovery copies of unsaved sessions go.
    qputenv("XDG_DATA_HOME", QFile::encodeName(settings.path()));
    // As the application does: numbers never follow the desktop's locale.
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
