// Leaks on purpose, from a slot that Qt's event loop calls, so that a check can show that the
// leak checker, with the suppressions the sanitized suites use, still reports a leak of the
// program's own even when Qt's frames are on its stack (as in every slot and event handler).
#include <QCoreApplication>
#include <QTimer>

namespace {
int* volatile sink = nullptr;
}

__attribute__((noinline)) void zwLeakProbeAllocation() {
    sink = new int[64];
    sink = nullptr;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTimer::singleShot(0, &app, [] {
        zwLeakProbeAllocation();
        QCoreApplication::quit();
    });
    return QCoreApplication::exec();
}
