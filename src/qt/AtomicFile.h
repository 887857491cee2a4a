#pragma once

#include <QByteArray>
#include <QString>

namespace zw {

// Replaces a file whole or not at all: the bytes go to a temporary file in the same folder,
// which is renamed over the old one only once everything is written. A device or a named
// pipe is written in place; errors name the file and say why ("no space left on the device").
class AtomicFile {
  public:
    static bool write(const QString& path, const QByteArray& bytes, QString& error);
};

}  // namespace zw
