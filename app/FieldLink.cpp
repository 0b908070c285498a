#include "app/FieldLink.h"

#include <QComboBox>
#include <QLineEdit>

#include "app/ErrorReporter.h"
#include "app/RecordSource.h"

namespace tolvane {

TFieldLink::TFieldLink(TRecordSource& source, const QString& field, QLineEdit* edit)
    : source_(source), field_(source.FieldIndex(field)), edit_(edit) {
    Connect();
}

TFieldLink::TFieldLink(TRecordSource& source, const QString& field, QComboBox* combo)
    : source_(source), field_(source.FieldIndex(field)), combo_(combo) {
    Connect();
}

TFieldLink::~TFieldLink() {
    QObject::disconnect(connection_);
}

void TFieldLink::Connect() {
    const int size = source_.FieldDef(field_).Size;
    if (edit_) {
        if (size > 0) edit_->setMaxLength(size);
        connection_ = QObject::connect(edit_, &QLineEdit::textChanged, edit_,
                                       [this](const QString& text) { UserChanged(text); });
    } else {
        if (size > 0 && combo_->lineEdit()) combo_->lineEdit()->setMaxLength(size);
        connection_ = QObject::connect(combo_, &QComboBox::editTextChanged, combo_,
                                       [this](const QString& text) { UserChanged(text); });
    }
}

QWidget* TFieldLink::Widget() const {
    return edit_ ? static_cast<QWidget*>(edit_) : static_cast<QWidget*>(combo_);
}

void TFieldLink::SetText(const QString& text) {
    // The same text again would move the caret of someone typing (a refresh while editing).
    if ((edit_ ? edit_->text() : combo_->currentText()) == text) return;
    updating_ = true;
    if (edit_)
        edit_->setText(text);
    else
        combo_->setEditText(text);
    updating_ = false;
}

void TFieldLink::Refresh() {
    const bool hasRecord = source_.Active() && source_.HasRecord();
    SetText(hasRecord ? QString::fromStdString(source_.AsText(field_)) : QString());
    Widget()->setEnabled(hasRecord);
}

void TFieldLink::SetWritable(bool writable) {
    writable_ = writable;
    if (edit_) edit_->setReadOnly(!writable);
    if (combo_ && combo_->lineEdit()) combo_->lineEdit()->setReadOnly(!writable);
}

void TFieldLink::UserChanged(const QString& text) {
    if (updating_ || !writable_ || !source_.Active() || !source_.HasRecord()) return;
    TErrorReporter::Guard([&] {
        if (text.isEmpty() && source_.IsNull(field_)) return;
        if (QString::fromStdString(source_.AsText(field_)) == text) return;
        source_.SetValue(field_, text);
    });
}

} // namespace tolvane
