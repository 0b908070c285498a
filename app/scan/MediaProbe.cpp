#include "app/scan/MediaProbe.h"

#include <MediaInfo/MediaInfo.h>
#include <QFileInfo>
#include <QStringList>
#include <clocale>
#include <cmath>
#include <langinfo.h>

namespace tolvane {

namespace {

using MediaInfoLib::stream_t;

void UseUtf8Names() {
    const char* codeset = nl_langinfo(CODESET);
    if (codeset && QByteArray(codeset).toUpper().replace("-", "") == "UTF8") return;
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) std::setlocale(LC_CTYPE, "");
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

} // namespace

TMediaProbe::TMediaProbe() {
    UseUtf8Names();
    info_ = std::make_unique<MediaInfoLib::MediaInfo>();
}

TMediaProbe::~TMediaProbe() = default;

std::optional<TMediaFacts> TMediaProbe::Read(const QString& path) {
    MediaInfoLib::MediaInfo& info = *info_;
    if (info.Open(path.toStdWString()) == 0) return std::nullopt;
    struct TClose {
        MediaInfoLib::MediaInfo& info;
        ~TClose() { info.Close(); }
    } close{info};
    if (info.Count_Get(MediaInfoLib::Stream_Video) == 0 && info.Count_Get(MediaInfoLib::Stream_Audio) == 0)
        return std::nullopt;

    TMediaFacts facts;
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
    return facts;
}

} // namespace tolvane
