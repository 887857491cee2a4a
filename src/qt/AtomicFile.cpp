#include "qt/AtomicFile.h"

#include <QFileInfo>
#include <QSaveFile>

namespace zw {

bool AtomicFile::write(const QString& path, const QByteArray& bytes, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = path + QStringLiteral(": cannot be written (") + file.errorString() +
                QStringLiteral(")");
        return false;
    }
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        error = path + QStringLiteral(": cannot be written (") + file.errorString() +
                QStringLiteral(")");
        file.cancelWriting();
        return false;
    }
    return true;
}

}  // namespace zw
