#pragma once
// Binds an edit box or an editable combo box to one field of a source's current record: the box
// shows the field, and what the user types becomes a pending edit of the record.

#include <QMetaObject>
#include <QString>

class QComboBox;
class QLineEdit;
class QWidget;

namespace tolvane {

class TRecordSource;

class TFieldLink {
public:
    TFieldLink(TRecordSource& source, const QString& field, QLineEdit* edit);
    TFieldLink(TRecordSource& source, const QString& field, QComboBox* combo);
    ~TFieldLink();
    TFieldLink(const TFieldLink&) = delete;
    TFieldLink& operator=(const TFieldLink&) = delete;

    // Shows the current record's value; the box takes no input while there is no record.
    void Refresh();
    // Whether the box accepts input at all (false for a catalogue opened read-only).
    void SetWritable(bool writable);

private:
    void Connect();
    void UserChanged(const QString& text);
    void SetText(const QString& text);
    QWidget* Widget() const;

    TRecordSource& source_;
    int field_;
    QLineEdit* edit_ = nullptr;
    QComboBox* combo_ = nullptr;
    bool updating_ = false;
    bool writable_ = true;
    QMetaObject::Connection connection_;
};

} // namespace tolvane
