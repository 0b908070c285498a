#include "app/formats/MediaInfoReader.h"

#include <MediaInfo/MediaInfo.h>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <langinfo.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {

namespace {

using MediaInfoLib::stream_t;

void UseUtf8Names() {
    const char* codeset = nl_langinfo(CODESET);
    if (codeset && QByteArray(codeset).toUpper().replace("-", "") == "UTF8") return;
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) std::setlocale(LC_CTYPE, "");
}

// By default libmediainfo also writes every value out for people ("1 min 28 s", "English",
// "48 pixels") as it reads, which is most of its work on small files. The values read here are
// the plain ones, and the three-letter language is kept without it. The setting is the library's,
// for every reader in the program; each reader makes it before it opens a file.
void ReadPlainValuesOnly() {
    MediaInfoLib::MediaInfo::Option_Static(L"ReadByHuman", L"0");
}

QString Get(MediaInfoLib::MediaInfo& info, stream_t kind, size_t number, const wchar_t* parameter) {
    return QString::fromStdWString(info.Get(kind, number, parameter)).trimmed();
}

std::optional<int> Pixels(const QString& text) {
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok && v > 0 ? std::optional<int>(v) : std::nullopt;
}

// Each track as its format and its three-letter language, tracks separated by ", ".
QString Tracks(MediaInfoLib::MediaInfo& info, stream_t kind) {
    QStringList tracks;
    const size_t count = info.Count_Get(kind);
    for (size_t i = 0; i < count; ++i) {
        QString track = Get(info, kind, i, L"Format");
        QString language = Get(info, kind, i, L"Language/String3");
        if (language.isEmpty()) language = Get(info, kind, i, L"Language");
        if (!language.isEmpty()) track += (track.isEmpty() ? "" : " ") + language;
        if (!track.isEmpty()) tracks << track;
    }
    return tracks.join(", ");
}

// Why the file cannot be read, or an empty text: libmediainfo only says that it could not open it.
QString AccessProblem(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == EACCES || errno == EPERM) return "permission denied";
        if (errno == ENOENT) return "no such file";
        return QString::fromLocal8Bit(std::strerror(errno));
    }
    struct stat status {};
    const bool file = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    ::close(fd);
    return file ? QString() : QString("not a file");
}

} // namespace

TMediaInfoReader::TMediaInfoReader() {
    UseUtf8Names();
    ReadPlainValuesOnly();
    info_ = std::make_unique<MediaInfoLib::MediaInfo>();
}

TMediaInfoReader::~TMediaInfoReader() = default;

QString TMediaInfoReader::LibraryVersion() {
    // "MediaInfoLib - v23.04"
    const QString info = QString::fromStdWString(MediaInfoLib::MediaInfo::Option_Static(L"Info_Version"));
    const int v = info.lastIndexOf(" - v");
    return v < 0 ? info : info.mid(v + 4);
}

bool TMediaInfoReader::Read(const QString& path, TMediaFacts& facts, QString& problem) noexcept try {
    const auto fail = [&problem](const QString& why) {
        problem = why;
        return false;
    };
    if (const QString why = AccessProblem(path); !why.isEmpty()) return fail(why);
    MediaInfoLib::MediaInfo& info = *info_;
    if (info.Open(path.toStdWString()) == 0) return fail("not a readable video file");
    struct TClose {
        MediaInfoLib::MediaInfo& info;
        ~TClose() { info.Close(); }
    } close{info};
    if (info.Count_Get(MediaInfoLib::Stream_Video) == 0 && info.Count_Get(MediaInfoLib::Stream_Audio) == 0)
        return fail("not a readable video file");

    facts = {};
    facts.Truncated = Get(info, MediaInfoLib::Stream_General, 0, L"IsTruncated") == "Yes";
    facts.Size = QFileInfo(path).size();
    if (info.Count_Get(MediaInfoLib::Stream_Video) > 0) {
        facts.Width = Pixels(Get(info, MediaInfoLib::Stream_Video, 0, L"Width"));
        facts.Height = Pixels(Get(info, MediaInfoLib::Stream_Video, 0, L"Height"));
    }
    bool ok = false;
    const double ms = Get(info, MediaInfoLib::Stream_General, 0, L"Duration").toDouble(&ok);
    if (ok && std::isfinite(ms) && ms >= 0 && ms < 2147483647.0) facts.Duration = std::llround(ms);
    facts.Audio = Tracks(info, MediaInfoLib::Stream_Audio);
    facts.EmbeddedSubtitles = Tracks(info, MediaInfoLib::Stream_Text);
    return true;
} catch (const std::exception& e) {
    problem = QString::fromUtf8(e.what());
    return false;
} catch (...) {
    problem = "not a readable video file";
    return false;
}

} // namespace tolvane
