#pragma once
// Whether a catalogue file may be read through a memory mapping. A mapped page that cannot be
// read ends the process with SIGBUS instead of failing the read: a network share that drops out
// or answers with an I/O error (NFS, SMB/CIFS), or a FUSE file system whose program fails, does
// exactly that. A file on a local disk or in memory fails so only when another program cuts it
// short under the mapping, which a catalogue in use does not survive anyway.

#include <QString>

namespace tolvane {

class TFileMapping {
public:
    // The bytes a connection maps of a file where mapping is safe.
    static constexpr long long kBytes = 256LL * 1024 * 1024;

    // Whether the file lies on a file system known to be local; false for one that cannot be asked.
    static bool Safe(const QString& file);
    // The same by the file system's kind (statfs's f_type): false for every kind not known local.
    static bool LocalKind(unsigned long kind);
};

} // namespace tolvane
