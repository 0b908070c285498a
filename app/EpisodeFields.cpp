#include "app/EpisodeFields.h"

#include "app/Formats.h"
#include "app/RecordSource.h"

namespace tolvane {

void TEpisodeFields::Calculate(TRecordSource& episodes) {
    const int frame = episodes.FieldIndex(QString::fromUtf8("Размеры"));
    const int width = episodes.FieldIndex(QString::fromUtf8("Ширина"));
    const int height = episodes.FieldIndex(QString::fromUtf8("Высота"));
    const int time = episodes.FieldIndex("Time");
    const int duration = episodes.FieldIndex(QString::fromUtf8("Длительность"));
    const int size = episodes.FieldIndex("Size");
    const int bytes = episodes.FieldIndex(QString::fromUtf8("Объём (байт)"));
    episodes.SetCalcText(frame, episodes.AsText(width) + "x" + episodes.AsText(height));
    episodes.SetCalcText(time, FormatDuration(episodes.AsInteger(duration)));
    episodes.SetCalcText(size, FormatSize(episodes.AsText(bytes)));
}

} // namespace tolvane
