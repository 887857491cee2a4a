#include "qt/AtomicFile.h"

#include <QFile>

#include "platform/FileSystem.h"

namespace zw {

bool AtomicFile::write(const QString& path, const QByteArray& bytes, QString& error) {
    std::string why;
    if (FileSystem::writeWhole(
            QFile::encodeName(path).toStdString(),
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), why)) {
        return true;
    }
    error = QFile::decodeName(QByteArray::fromStdString(why));
    return false;
}

}  // namespace zw
