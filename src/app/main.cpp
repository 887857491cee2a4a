#include <QApplication>

#include "qt/MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    zw::MainWindow window;
    window.show();
    return QApplication::exec();
}
