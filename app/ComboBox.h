#pragma once
// An editable combo box that can be made read-only like an edit box: its text can still be
// selected and copied, but neither typing nor its list, the wheel or the arrow keys change it.

#include <QComboBox>

namespace tolvane {

class TComboBox : public QComboBox {
public:
    explicit TComboBox(QWidget* parent = nullptr);

    void SetReadOnly(bool readOnly);
    bool ReadOnly() const { return readOnly_; }

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool readOnly_ = false;
};

} // namespace tolvane
