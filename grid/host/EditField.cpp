#include "grid/host/EditField.h"

#include <algorithm>
#include <limits>

#include <QAction>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>

#include "grid/host/CustomControl.h"
#include "grid/host/ExceptionSink.h"
#include "grid/host/KeyMap.h"
#include "grid/host/QtConvert.h"
#include "grid/host/ScopedCount.h"

namespace tolvane {

namespace {

QFont FieldFont(const TFont& f) {
    QFont font(f.Name.isEmpty() ? QFont().family() : f.Name);
    font.setPixelSize(std::max(1, f.Height));
    font.setBold(f.Style.Contains(fsBold));
    font.setItalic(f.Style.Contains(fsItalic));
    font.setUnderline(f.Style.Contains(fsUnderline));
    font.setStrikeOut(f.Style.Contains(fsStrikeOut));
    return font;
}

} // namespace

class TEditField::TLineEdit : public QLineEdit {
public:
    TLineEdit(TEditField* field, QWidget* parent) : QLineEdit(parent), field(field) {
        setFrame(false);
        setAutoFillBackground(true);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setContextMenuPolicy(Qt::DefaultContextMenu);
        // Cell texts have no length limit; a field that cut them would lose data on commit.
        setMaxLength(std::numeric_limits<int>::max());
    }
    TEditField* field;
    int depth = 0; // handlers running; the field may not be deleted under them

protected:
    bool event(QEvent* e) override {
        // A failure goes to the error sink.
        const TScopedCount running(depth);
        bool result = true;
        GuardedCall([&] { result = QLineEdit::event(e); });
        return result;
    }

    void keyPressEvent(QKeyEvent* e) override {
        e->accept();
        if (!field) return;
        QPointer<QLineEdit> alive(this);
        int key = VirtualKeyFromQt(e->key());
        bool keyHandled = false;
        if (key != 0 && field->OnKeyDown) {
            field->OnKeyDown(key, ShiftStateFrom(e->modifiers(), Qt::NoButton));
            if (!alive || !field) return;
            keyHandled = key == 0;
        }
        const QString text = e->text();
        QString kept;
        bool changed = false;
        for (QChar c : text) {
            QChar k = c;
            if (field->OnKeyPress) {
                field->OnKeyPress(k);
                if (!alive || !field) return;
            }
            if (k != c) changed = true;
            if (!k.isNull()) kept += k;
        }
        const int qtKey = e->key();
        if (qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter || qtKey == Qt::Key_Escape) return;
        if (keyHandled || (!text.isEmpty() && kept.isEmpty())) return;
        if (field->OnPaste && e->matches(QKeySequence::Paste)) {
            field->OnPaste();
            return;
        }
        if (changed) {
            QKeyEvent copy(e->type(), qtKey, e->modifiers(), kept, e->isAutoRepeat(), ushort(e->count()));
            QLineEdit::keyPressEvent(&copy);
        } else {
            QLineEdit::keyPressEvent(e);
        }
        e->accept();
    }

    void keyReleaseEvent(QKeyEvent* e) override {
        e->accept();
        if (e->isAutoRepeat()) return; // a held key repeats its press only
        int key = VirtualKeyFromQt(e->key());
        if (field && key != 0 && field->OnKeyUp)
            field->OnKeyUp(key, ShiftStateFrom(e->modifiers(), Qt::NoButton));
    }

    void inputMethodEvent(QInputMethodEvent* e) override {
        if (!field || !field->OnKeyPress || e->commitString().isEmpty()) {
            QLineEdit::inputMethodEvent(e);
            return;
        }
        QPointer<QLineEdit> alive(this);
        QString kept;
        for (QChar c : e->commitString()) {
            QChar k = c;
            field->OnKeyPress(k);
            if (!alive || !field) return;
            if (!k.isNull()) kept += k;
        }
        QInputMethodEvent copy(e->preeditString(), e->attributes());
        copy.setCommitString(kept, e->replacementStart(), e->replacementLength());
        QLineEdit::inputMethodEvent(&copy);
    }

    TPoint ToOwner(const QPoint& p) const { return FromQPoint(p + pos()); }

    void mousePressEvent(QMouseEvent* e) override {
        if (field && field->OnPaste && e->button() == Qt::MiddleButton) {
            e->accept();
            return;
        }
        QPointer<QLineEdit> alive(this);
        QLineEdit::mousePressEvent(e);
        if (!alive || !field || !field->OnMouseDown) return;
        const TPoint p = ToOwner(e->position().toPoint());
        field->OnMouseDown(ButtonFrom(e->button()), ShiftStateFrom(e->modifiers(), e->buttons()), p.X, p.Y);
    }

    void mouseMoveEvent(QMouseEvent* e) override {
        QPointer<QLineEdit> alive(this);
        QLineEdit::mouseMoveEvent(e);
        if (!alive || !field || !field->OnMouseMove) return;
        const TPoint p = ToOwner(e->position().toPoint());
        field->OnMouseMove(ShiftStateFrom(e->modifiers(), e->buttons()), p.X, p.Y);
    }

    void mouseReleaseEvent(QMouseEvent* e) override {
        // The middle button pastes the selection on some platforms: a paste filter must see it.
        if (field && field->OnPaste && e->button() == Qt::MiddleButton) {
            field->OnPaste();
            e->accept();
            return;
        }
        QPointer<QLineEdit> alive(this);
        QLineEdit::mouseReleaseEvent(e);
        if (!alive || !field || !field->OnMouseUp) return;
        const TPoint p = ToOwner(e->position().toPoint());
        field->OnMouseUp(ButtonFrom(e->button()), ShiftStateFrom(e->modifiers(), e->buttons()), p.X, p.Y);
    }

    void wheelEvent(QWheelEvent* e) override {
        e->accept();
        const int delta = e->angleDelta().y();
        if (field && field->OnMouseWheel && delta != 0)
            field->OnMouseWheel(ShiftStateFrom(e->modifiers(), e->buttons()), delta,
                                FromQPoint(e->globalPosition().toPoint()));
    }

    void contextMenuEvent(QContextMenuEvent* e) override {
        QMenu* menu = createStandardContextMenu();
        if (field && field->OnPaste) {
            for (QAction* action : menu->actions()) {
                if (action->objectName() != QLatin1String("edit-paste")) continue;
                action->disconnect();
                QPointer<QLineEdit> alive(this);
                QObject::connect(action, &QAction::triggered, this, [this, alive] {
                    if (alive && field && field->OnPaste) GuardedCall([this] { field->OnPaste(); });
                });
            }
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(e->globalPos());
    }

    void focusInEvent(QFocusEvent* e) override {
        QPointer<QLineEdit> alive(this);
        QLineEdit::focusInEvent(e);
        if (alive && field && field->OnFocusIn) field->OnFocusIn();
    }

    void focusOutEvent(QFocusEvent* e) override {
        QPointer<QLineEdit> alive(this);
        QLineEdit::focusOutEvent(e);
        if (alive && field && field->OnFocusOut) field->OnFocusOut();
    }

    void enterEvent(QEnterEvent* e) override {
        QLineEdit::enterEvent(e);
        if (field && field->OnMouseEnter) field->OnMouseEnter();
    }

    void leaveEvent(QEvent* e) override {
        QLineEdit::leaveEvent(e);
        if (field && field->OnMouseLeave) field->OnMouseLeave();
    }
};

struct TEditField::Impl {
    QPointer<TLineEdit> edit;
    TRect field;
};

TEditField::TEditField(TCustomControl& owner) : d(std::make_unique<Impl>()) {
    QWidget* client = owner.ClientWidget();
    d->edit = new TLineEdit(this, client);
    if (client) {
        client->setFocusProxy(d->edit);
        d->edit->show();
    }
    // Raised inside Qt's signal delivery (from typing, and from SetText): a failure is reported here.
    QObject::connect(d->edit, &QLineEdit::textChanged, d->edit, [this] {
        if (OnChange) GuardedCall([this] { OnChange(); });
    });
}

TEditField::~TEditField() {
    TLineEdit* edit = d->edit;
    if (!edit) return;
    edit->field = nullptr;
    QObject::disconnect(edit, &QLineEdit::textChanged, nullptr, nullptr);
    if (QWidget* parent = edit->parentWidget(); parent && parent->focusProxy() == edit)
        parent->setFocusProxy(nullptr);
    if (edit->depth > 0) {
        edit->hide();
        edit->deleteLater();
    } else {
        delete edit;
    }
}

QString TEditField::Text() const {
    return d->edit ? d->edit->text() : QString();
}

void TEditField::SetText(const QString& text) {
    if (d->edit) d->edit->setText(text);
}

int TEditField::SelStart() const {
    if (!d->edit) return 0;
    return d->edit->hasSelectedText() ? d->edit->selectionStart() : d->edit->cursorPosition();
}

int TEditField::SelLength() const {
    return d->edit && d->edit->hasSelectedText() ? int(d->edit->selectedText().size()) : 0;
}

QString TEditField::SelText() const {
    return d->edit ? d->edit->selectedText() : QString();
}

void TEditField::SetSelection(int start, int length) {
    if (!d->edit) return;
    const int size = int(d->edit->text().size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (length == 0)
        d->edit->setCursorPosition(start);
    else
        d->edit->setSelection(start, length);
}

void TEditField::SelectAll() {
    if (d->edit) d->edit->selectAll();
}

void TEditField::SetCaret(int position) {
    SetSelection(position, 0);
}

void TEditField::ShowStartWhenCut() {
    if (!d->edit) return;
    const QString text = d->edit->text();
    const QMargins margins = d->edit->textMargins();
    // QLineEdit keeps a small margin of its own on each side of the text.
    const int room = d->edit->contentsRect().width() - margins.left() - margins.right() - 4;
    if (d->edit->fontMetrics().horizontalAdvance(text) <= room) return;
    const int size = int(text.size());
    if (d->edit->hasSelectedText() && d->edit->selectedText().size() == size)
        d->edit->setSelection(size, -size);
    else
        d->edit->setCursorPosition(0);
}

int TEditField::CaretPosition() const {
    return d->edit ? d->edit->cursorPosition() : 0;
}

bool TEditField::ReadOnly() const {
    return d->edit && d->edit->isReadOnly();
}

void TEditField::SetReadOnly(bool value) {
    if (d->edit) d->edit->setReadOnly(value);
}

void TEditField::Insert(const QString& text) {
    if (d->edit) d->edit->insert(text);
}

bool TEditField::CanUndo() const {
    return d->edit && d->edit->isUndoAvailable();
}

void TEditField::Undo() {
    if (d->edit) d->edit->undo();
}

void TEditField::SetLayout(const TRect& field, const TRect& text) {
    d->field = field;
    if (!d->edit) return;
    d->edit->setGeometry(ToQRect(field));
    d->edit->setTextMargins(std::max(0, text.Left - field.Left), std::max(0, text.Top - field.Top),
                            std::max(0, field.Right - text.Right), std::max(0, field.Bottom - text.Bottom));
}

TRect TEditField::FieldRect() const {
    return d->field;
}

void TEditField::SetAlignment(TAlignment value) {
    if (!d->edit) return;
    const Qt::Alignment horizontal =
        value == taRightJustify ? Qt::AlignRight : (value == taCenter ? Qt::AlignHCenter : Qt::AlignLeft);
    d->edit->setAlignment(horizontal | Qt::AlignVCenter);
}

void TEditField::SetColors(TColor background, TColor text) {
    if (!d->edit) return;
    QPalette palette = d->edit->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, ToQColor(background));
        palette.setColor(group, QPalette::Window, ToQColor(background));
        palette.setColor(group, QPalette::Text, ToQColor(text));
    }
    d->edit->setPalette(palette);
}

void TEditField::SetFont(const TFont& font) {
    if (d->edit) d->edit->setFont(FieldFont(font));
}

void TEditField::SetCursor(TCursor cursor) {
    if (!d->edit) return;
    if (cursor == crDefault)
        d->edit->setCursor(Qt::IBeamCursor);
    else
        d->edit->setCursor(TScreen::CursorOf(cursor));
}

void TEditField::SetVisible(bool value) {
    if (d->edit) d->edit->setVisible(value);
}

bool TEditField::HasFocus() const {
    return d->edit && d->edit->hasFocus();
}

} // namespace tolvane
