#include <QApplication>
#include <clocale>

#include "qt/CommandLine.h"

int main(int argc, char* argv[]) {
    zw::CommandLine::prepare(argc, argv);
    QApplication app(argc, argv);
    // QApplication takes the C library's locale from the environment; on a comma-decimal
    // desktop printf would then write "0,500". Numbers zwmap writes never follow the locale.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("zwmap"));
    QApplication::setApplicationVersion(QStringLiteral(ZW_VERSION));
    return zw::CommandLine::run(app);
}
