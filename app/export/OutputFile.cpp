#include "app/export/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <cerrno>
#include <unistd.h>

#include "app/CatalogError.h"

namespace tolvane {

void TOutputFile::Create(const QString& path, const std::function<void(const QString& part)>& write) {
    const QFileInfo info(path);
    if (info.exists() || info.isSymLink()) throw ECatalogError(path + ": already exists");
    const QDir folder = info.absoluteDir();
    if (!folder.exists()) throw ECatalogError(path + ": no such folder " + folder.path());
    const QString part =
        folder.filePath("." + info.fileName() + "." + QUuid::createUuid().toString(QUuid::Id128) + ".part");
    try {
        write(part);
        if (!QFileInfo::exists(part)) throw ECatalogError(path + ": cannot write");
        // A hard link, unlike a rename, fails when another program made the file meanwhile.
        if (::link(QFile::encodeName(part).constData(), QFile::encodeName(path).constData()) != 0) {
            if (errno == EEXIST) throw ECatalogError(path + ": already exists");
            if (!QFile::rename(part, path)) throw ECatalogError(path + ": cannot write");
        }
    } catch (...) {
        QFile::remove(part);
        throw;
    }
    QFile::remove(part);
}

void TOutputFile::Create(const QString& path, const std::string& bytes) {
    Create(path, [&](const QString& part) {
        QFile file(part);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
            file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.flush())
            throw ECatalogError(path + ": cannot write (" + file.errorString() + ")");
    });
}

} // namespace tolvane
