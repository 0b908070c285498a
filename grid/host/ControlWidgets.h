#pragma once
// The Qt widgets standing for a custom-painted control, and the translation of their events into
// the control's hooks: mouse and key messages, typed and composed text, focus, the scroll bars'
// actions as scroll requests, and the paint events that copy the surface and the frame to the
// screen. Every entry from Qt is guarded: an error goes to the error sink, never through Qt.
// Platform layer only; the control is the API.

#include <QList>
#include <QInputMethodEvent>
#include <QPointer>
#include <QWidget>

class QScrollBar;

namespace tolvane {

class TCustomControl;

// Holds the client area: shows the surface and receives input and focus.
class TClientWidget : public QWidget {
public:
    TClientWidget(TCustomControl* owner, QWidget* parent);
    // The event that asks the owner to settle its invalid region (posted to this widget).
    static QEvent::Type SettleEvent();
    TCustomControl* owner;
    int eventDepth = 0; // handlers running; the control may not delete the widgets under them
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    bool event(QEvent* e) override;

private:
    bool Dispatch(QEvent* e);
    void TypeText(const QString& text, const QInputMethodEvent* composing = nullptr);

    bool clicked_ = false; // a left press came here: its release is a click
};

// The window: carries the frame and the scroll bars round the client widget.
class TControlWidget : public QWidget {
public:
    explicit TControlWidget(TCustomControl* owner);
    ~TControlWidget() override;
    TCustomControl* owner;
    TClientWidget* client;
    QScrollBar* bars[2];

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    // Sends a scroll request from a bar; answers whether the control is still there.
    bool Scroll(int kind, int code, int pos);
};

// Counts a handler running on the client widget (eventDepth) for as long as it runs, exceptions
// included; the widget may go meanwhile.
class TEventDepth {
public:
    explicit TEventDepth(TClientWidget* client);
    ~TEventDepth();
    TEventDepth(const TEventDepth&) = delete;
    TEventDepth& operator=(const TEventDepth&) = delete;

private:
    QPointer<TClientWidget> client_;
};

} // namespace tolvane
