#include "app/FormatModuleLoader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>
#include <mutex>

#include "app/CatalogError.h"

namespace tolvane {

namespace {

std::mutex Lock;
const TFormatModule* Loaded = nullptr;

QString ProgramFolder() {
    // The program's own file, however it was started (a link in PATH, a relative name).
    return QFileInfo(QFileInfo("/proc/self/exe").symLinkTarget()).absolutePath();
}

const TFormatModule* Load(const QString& path) {
    // Never closed: objects the module made may live until the process ends.
    void* handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) throw ECatalogError(QString("cannot load %1: %2").arg(path, QString::fromLocal8Bit(dlerror())));
    auto entry = reinterpret_cast<TFormatModuleEntry>(dlsym(handle, FormatModuleEntry));
    const TFormatModule* module = entry ? entry() : nullptr;
    if (!module || module->Version != FormatModuleVersion)
        throw ECatalogError(path + ": not the formats module of this version of the program");
    return module;
}

} // namespace

QStringList TFormatModuleLoader::Candidates() {
    const QDir folder(ProgramFolder());
    return {folder.filePath(FormatModuleFile),
            QDir::cleanPath(folder.filePath(QString(TOLVANE_MODULE_FOLDER) + "/" + FormatModuleFile))};
}

const TFormatModule& TFormatModuleLoader::Get() {
    std::lock_guard<std::mutex> hold(Lock);
    if (Loaded) return *Loaded;
    const QStringList candidates = Candidates();
    for (const QString& path : candidates) {
        if (!QFileInfo::exists(path)) continue;
        Loaded = Load(path);
        return *Loaded;
    }
    throw ECatalogError(QString("%1 is missing (looked for %2): video files, Access databases and "
                                "Excel workbooks cannot be read or written without it")
                            .arg(FormatModuleFile, candidates.join(" and ")));
}

} // namespace tolvane
