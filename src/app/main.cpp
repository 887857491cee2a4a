#include <QApplication>

#include "qt/CommandLine.h"

int main(int argc, char* argv[]) {
    zw::CommandLine::prepare(argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zwmap"));
    QApplication::setApplicationVersion(QStringLiteral(ZW_VERSION));
    return zw::CommandLine::run(app);
}
