#include "app/FileMapping.h"

#include <QFile>
#include <sys/vfs.h>

namespace tolvane {

bool TFileMapping::LocalKind(unsigned long kind) {
    switch (kind) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x9123683E: // btrfs
    case 0x58465342: // xfs
    case 0x01021994: // tmpfs
    case 0x858458F6: // ramfs
    case 0xF2F52010: // f2fs
    case 0x2FC12FC1: // zfs
    case 0x52654973: // reiserfs
    case 0x794C7630: // overlayfs (a container's layers on a local disk)
        return true;
    default:
        return false;
    }
}

bool TFileMapping::Safe(const QString& file) {
    struct statfs info {};
    if (file.isEmpty() || statfs(QFile::encodeName(file).constData(), &info) != 0) return false;
    return LocalKind(static_cast<unsigned long>(info.f_type));
}

} // namespace tolvane
