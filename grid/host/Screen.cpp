#include "grid/host/Screen.h"

#include <map>

#include <QBitmap>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace tolvane {

namespace {

std::map<TCursor, QCursor>& Table() {
    static std::map<TCursor, QCursor> table;
    return table;
}

TCursor screenCursor = crDefault;

// Cursor images are drawn here in code: 32 x 32, black outlines on white, the rest transparent.
QPixmap Blank() {
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    return p;
}

void Outlined(QPainter& p, const QPolygon& poly) {
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawPolygon(poly);
}

QCursor HorzSplit() {
    QPixmap pix = Blank();
    QPainter p(&pix);
    // Two bars with arrows pointing left and right.
    Outlined(p, QPolygon({QPoint(14, 6), QPoint(17, 6), QPoint(17, 12), QPoint(21, 12), QPoint(21, 9),
                          QPoint(26, 15), QPoint(21, 21), QPoint(21, 18), QPoint(17, 18), QPoint(17, 24),
                          QPoint(14, 24), QPoint(14, 18), QPoint(10, 18), QPoint(10, 21), QPoint(5, 15),
                          QPoint(10, 9), QPoint(10, 12), QPoint(14, 12)}));
    p.fillRect(15, 7, 2, 17, Qt::black);
    return QCursor(pix, 15, 15);
}

QCursor ColumnNoDrag() {
    QPixmap pix = Blank();
    QPainter p(&pix);
    Outlined(p, QPolygon({QPoint(1, 1), QPoint(1, 17), QPoint(5, 13), QPoint(8, 19), QPoint(10, 18),
                          QPoint(7, 12), QPoint(12, 12)}));
    // A crossed-out header cell below the arrow.
    p.setPen(Qt::black);
    p.setBrush(Qt::lightGray);
    p.drawRect(12, 18, 16, 8);
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(13, 17, 28, 28);
    p.drawLine(13, 28, 28, 17);
    return QCursor(pix, 1, 1);
}

QCursor ReversedArrow() {
    QPixmap pix = Blank();
    QPainter p(&pix);
    Outlined(p, QPolygon({QPoint(30, 1), QPoint(30, 17), QPoint(26, 13), QPoint(23, 19), QPoint(21, 18),
                          QPoint(24, 12), QPoint(19, 12)}));
    return QCursor(pix, 30, 1);
}

QCursor IndicatorSelect() {
    QPixmap pix = Blank();
    QPainter p(&pix);
    // A thick arrow pointing right, used over the row indicator.
    Outlined(p, QPolygon({QPoint(4, 12), QPoint(16, 12), QPoint(16, 7), QPoint(26, 15), QPoint(16, 23),
                          QPoint(16, 18), QPoint(4, 18)}));
    return QCursor(pix, 26, 15);
}

// The roll cursors: a circle with arrows up and down; ROLLUP/ROLLDOWN keep one arrow.
QCursor Roll(bool up, bool down) {
    QPixmap pix = Blank();
    QPainter p(&pix);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawEllipse(QRect(13, 13, 6, 6));
    if (up) Outlined(p, QPolygon({QPoint(16, 2), QPoint(23, 10), QPoint(9, 10)}));
    if (down) Outlined(p, QPolygon({QPoint(16, 30), QPoint(23, 22), QPoint(9, 22)}));
    return QCursor(pix, 16, 16);
}

Qt::CursorShape BuiltIn(TCursor id) {
    switch (id) {
    case crNone:
        return Qt::BlankCursor;
    case crCross:
        return Qt::CrossCursor;
    case crIBeam:
        return Qt::IBeamCursor;
    case crSizeNESW:
        return Qt::SizeBDiagCursor;
    case crSizeNS:
        return Qt::SizeVerCursor;
    case crSizeNWSE:
        return Qt::SizeFDiagCursor;
    case crSizeWE:
        return Qt::SizeHorCursor;
    case crUpArrow:
        return Qt::UpArrowCursor;
    case crHourGlass:
        return Qt::WaitCursor;
    case crDrag:
        return Qt::DragMoveCursor;
    case crNoDrop:
    case crNo:
        return Qt::ForbiddenCursor;
    case crHSplit:
        return Qt::SplitHCursor;
    case crVSplit:
        return Qt::SplitVCursor;
    case crHandPoint:
        return Qt::PointingHandCursor;
    case crSizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace

bool TScreen::LoadCursor(TCursor id, const QString& name) {
    const QString n = name.toUpper();
    QCursor c;
    if (n == QLatin1String("HORZSPLIT"))
        c = HorzSplit();
    else if (n == QLatin1String("COLUMNNODRAG"))
        c = ColumnNoDrag();
    else if (n == QLatin1String("REVERSEDARROW"))
        c = ReversedArrow();
    else if (n == QLatin1String("INDICATORSELECT"))
        c = IndicatorSelect();
    else if (n == QLatin1String("ROLL"))
        c = Roll(true, true);
    else if (n == QLatin1String("ROLLUP"))
        c = Roll(true, false);
    else if (n == QLatin1String("ROLLDOWN"))
        c = Roll(false, true);
    else
        return false;
    Table()[id] = c;
    return true;
}

void TScreen::SetCursorImage(TCursor id, const QCursor& cursor) {
    Table()[id] = cursor;
}

bool TScreen::HasCursor(TCursor id) {
    return Table().count(id) != 0;
}

QCursor TScreen::CursorOf(TCursor id) {
    auto it = Table().find(id);
    if (it != Table().end()) return it->second;
    if (id == 100) { // the classic id of the reversed arrow
        SetCursorImage(100, ReversedArrow());
        return Table()[100];
    }
    return QCursor(BuiltIn(id));
}

TCursor TScreen::Cursor() {
    return screenCursor;
}

void TScreen::SetCursor(TCursor id) {
    if (id == screenCursor) return;
    const bool hadOverride = screenCursor != crDefault;
    screenCursor = id;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    if (id == crDefault) {
        if (hadOverride) QGuiApplication::restoreOverrideCursor();
    } else if (hadOverride) {
        QGuiApplication::changeOverrideCursor(CursorOf(id));
    } else {
        QGuiApplication::setOverrideCursor(CursorOf(id));
    }
}

int TScreen::CursorX() {
    return QCursor::pos().x();
}
int TScreen::CursorY() {
    return QCursor::pos().y();
}

} // namespace tolvane
