#include "grid/model/columns/classes/TextualColumn.h"


namespace tolvane {

TColumnClasses TTextualColumn::Classes() {
    return TColumnHooks::Of<TTextualColumn>();
}

TTextualColumn::TTextualColumn() : TTextualColumn(Classes()) {}

TTextualColumn::TTextualColumn(const TColumnClasses& classes) : TCustomColumn(classes) {
    autoExecute_ = false;
    SetSortType(stAlphabetic);
    SetOptions(Options() + coShowTextFitHint);
}

QString TTextualColumn::FormatText(const QString& value) const {
    return textBefore_ + value + textAfter_;
}

bool TTextualColumn::AcceptsKey(QChar key) const {
    return key.unicode() > 32;
}

void TTextualColumn::CopyFrom(const TCustomColumn& source) {
    TCustomColumn::CopyFrom(source);
    auto textual = dynamic_cast<const TTextualColumn*>(&source);
    if (!textual || textual == this) return;
    SetAutoExecute(textual->AutoExecute());
    SetTextAfter(textual->TextAfter());
    SetTextBefore(textual->TextBefore());
}

} // namespace tolvane
