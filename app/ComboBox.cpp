#include "app/ComboBox.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>

namespace tolvane {

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent) {}

void TComboBox::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (lineEdit()) lineEdit()->setReadOnly(readOnly);
}

void TComboBox::showPopup() {
    if (!readOnly_) QComboBox::showPopup();
}

namespace {

// Keys with which a combo box picks another item of its list or opens it.
bool PicksItem(const QKeyEvent& e) {
    switch (e.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_F4:
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        return e.modifiers() & Qt::ControlModifier;
    default:
        return false;
    }
}

} // namespace

void TComboBox::keyPressEvent(QKeyEvent* event) {
    if (readOnly_ && PicksItem(*event)) {
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void TComboBox::wheelEvent(QWheelEvent* event) {
    if (readOnly_) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

} // namespace tolvane
