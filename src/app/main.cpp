#include <QApplication>
#include <clocale>

#include "qt/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // QApplication takes the C library's locale from the environment; on a comma-decimal
    // desktop printf would then write "0,500". Numbers zwmap writes never follow the locale.
    std::setlocale(LC_NUMERIC, "C");
    zw::MainWindow window;
    window.show();
    return QApplication::exec();
}
