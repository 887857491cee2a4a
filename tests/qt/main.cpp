#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

// The widgets need a QApplication for the whole run; ctest runs each test in its own process.
// Listing the tests happens without ctest's environment, so offscreen is the default here.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // As the application does: numbers never follow the desktop's locale.
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
