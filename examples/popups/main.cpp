// The two popup views on their own: a drop-down list of 200 strings and the month calendar,
// each opened under its button the way an editor opens them (on the press). Keys typed into
// the line edit go to the open list (Up, Down, Home, End, Page Up/Down, Enter, Escape), since the
// popup never takes the keyboard focus.
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include "grid/base/Conversions.h"
#include "grid/editors/popups/DatePopup.h"
#include "grid/editors/popups/PopupList.h"
#include "grid/host/KeyMap.h"
#include "grid/host/SystemColors.h"

using namespace tolvane;

namespace {

// Passes the line edit's keys on to the list while it is open.
class KeyForwarder : public QObject {
public:
    explicit KeyForwarder(TPopupList& list) : list_(list) {}

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress || list_.Closed()) return false;
        auto* k = static_cast<QKeyEvent*>(e);
        int key = VirtualKeyFromQt(k->key());
        list_.KeyDown(key, ShiftStateFrom(k->modifiers(), Qt::NoButton));
        return key == 0;
    }

private:
    TPopupList& list_;
};

TPoint BelowOf(QWidget* w) {
    const QPoint p = w->mapToGlobal(QPoint(0, w->height()));
    return TPoint{p.x(), p.y()};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    UseApplicationPalette();

    QWidget window;
    window.setWindowTitle(QStringLiteral("Tolvane popups"));
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit(QStringLiteral("Choice 42"));
    auto* buttons = new QHBoxLayout;
    auto* listButton = new QPushButton(QStringLiteral("List"));
    auto* dateButton = new QPushButton(QStringLiteral("Calendar"));
    auto* chosen = new QLabel(QStringLiteral("Nothing chosen yet"));
    buttons->addWidget(listButton);
    buttons->addWidget(dateButton);
    layout->addWidget(edit);
    layout->addLayout(buttons);
    layout->addWidget(chosen);

    QStringList items;
    for (int i = 0; i < 200; ++i) items << QStringLiteral("Choice %1").arg(i);
    TPopupList list;
    list.SetItems(&items);
    list.SetSelectedIndex(-1); // open at the edit's text
    list.OnSelect = [&](TPopupView*, const QString& value) {
        edit->setText(value);
        chosen->setText(QStringLiteral("List: %1").arg(value));
    };
    TDatePopup calendar;
    calendar.SetBounds(0, 0, 151, 163);
    // The calendar's cells are 17 pixels wide: a small font keeps two digits apart.
    TFont small = calendar.Font();
    small.Height = 11;
    calendar.SetFont(small);
    calendar.OnSelect = [&](TPopupView*, const QString& value) {
        chosen->setText(value.isEmpty() ? QStringLiteral("Calendar: none")
                                        : QStringLiteral("Calendar: %1").arg(value));
    };

    // The popup holds the mouse from the press on, so the buttons never see their release.
    list.OnCloseUp = [&](TPopupView*) { listButton->setDown(false); };
    calendar.OnCloseUp = [&](TPopupView*) { dateButton->setDown(false); };

    KeyForwarder forwarder(list);
    edit->installEventFilter(&forwarder);

    QObject::connect(listButton, &QPushButton::pressed, [&] {
        list.SetDropDownSize(listButton->width(), 8);
        list.SetText(edit->text());
        const TPoint p = BelowOf(listButton);
        list.Popup(p.X, p.Y);
        edit->setFocus();
    });
    QObject::connect(dateButton, &QPushButton::pressed, [&] {
        calendar.SetDate(Date());
        const TPoint p = BelowOf(dateButton);
        calendar.Popup(p.X, p.Y);
    });

    window.resize(320, 120);
    window.show();
    return app.exec();
}
