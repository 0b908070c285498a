#include "app/TextFold.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace tolvane {

namespace {

QString FullCaseFold(const QString& text) {
    // Full folding can lengthen a text (ß to ss, ŉ to ʼn): at most three characters for one.
    QString folded(text.size() * 3, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        u_strFoldCase(reinterpret_cast<UChar*>(folded.data()), static_cast<int32_t>(folded.size()),
                      reinterpret_cast<const UChar*>(text.utf16()), static_cast<int32_t>(text.size()),
                      U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status)) return text.toCaseFolded();
    folded.truncate(length);
    return folded;
}

} // namespace

bool TTextFold::IsAscii(const QString& text) {
    const char16_t* chars = reinterpret_cast<const char16_t*>(text.utf16());
    for (qsizetype i = 0, size = text.size(); i < size; ++i)
        if (chars[i] >= 0x80) return false;
    return true;
}

QString TTextFold::Folded(const QString& text) {
    if (text.isNull()) return text;
    if (IsAscii(text)) {
        QString folded(text.size(), Qt::Uninitialized);
        const QChar* in = text.constData();
        QChar* out = folded.data();
        for (qsizetype i = 0, size = text.size(); i < size; ++i) out[i] = QChar(AsciiLower(in[i].unicode()));
        return folded;
    }
    // Folding may undo a composition (İ folds to i and a combining dot), so compose again after.
    return FullCaseFold(text.normalized(QString::NormalizationForm_C))
        .normalized(QString::NormalizationForm_C);
}

bool TTextFold::AsciiStartsWith(const QString& text, const QString& foldedPrefix) {
    const qsizetype size = foldedPrefix.size();
    if (text.size() < size) return false;
    const QChar* a = text.constData();
    const QChar* b = foldedPrefix.constData();
    for (qsizetype i = 0; i < size; ++i)
        if (AsciiLower(a[i].unicode()) != b[i].unicode()) return false;
    return true;
}

} // namespace tolvane
