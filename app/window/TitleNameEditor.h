#pragma once
// The box in which a new title is named, over its row in the title list: Enter or leaving it
// stores the name (a checked write), Escape keeps the name the title has.

#include <QLineEdit>
#include <cstdint>
#include <functional>

namespace tolvane {

class TCatalogForm;

class TTitleNameEditor : public QLineEdit {
public:
    // Called once the new name is stored.
    using TRenamed = std::function<void(const QString& from, const QString& to)>;

    // Opens over the shown title's row, its name selected.
    TTitleNameEditor(TCatalogForm& form, std::int64_t id, const QString& name, TRenamed renamed);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Stores the name, once; then the editor goes.
    void Finish(bool store);

    TCatalogForm& form_;
    std::int64_t id_;
    QString name_;
    TRenamed renamed_;
    bool finished_ = false;
};

} // namespace tolvane
