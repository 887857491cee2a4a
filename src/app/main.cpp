#include <QApplication>
#include <clocale>

#include "qt/CommandLine.h"
#include "qt/Translation.h"

int main(int argc, char* argv[]) {
    // The arguments are read before the application object is made: a usage error is told in
    // one line and needs no display.
    zw::CommandLine commandLine(argc, argv);
    if (const std::optional<int> status = commandLine.finishEarly()) {
        return *status;
    }
    QApplication app(argc, argv);
    // QApplication takes the C library's locale from the environment; on a comma-decimal
    // desktop printf would then write "0,500". Numbers zwmap writes never follow the locale.
    std::setlocale(LC_NUMERIC, "C");
    // The settings (the recent sessions) are kept under these names.
    QApplication::setOrganizationName(QStringLiteral("zwmap"));
    QApplication::setApplicationName(QStringLiteral("zwmap"));
    QApplication::setApplicationVersion(QStringLiteral(ZW_VERSION));
    // The person's language, before the window or the help is made; numbers stay as above.
    zw::translation::install(app);
    return commandLine.run(app);
}
