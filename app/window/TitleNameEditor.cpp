#include "app/window/TitleNameEditor.h"

#include <QKeyEvent>
#include <QTimer>

#include "app/CatalogForm.h"
#include "app/ErrorReporter.h"
#include "app/GridTitleList.h"
#include "app/TitleRecords.h"
#include "grid/control/GridView.h"

namespace tolvane {

TTitleNameEditor::TTitleNameEditor(TCatalogForm& form, std::int64_t id, const QString& name, TRenamed renamed)
    : QLineEdit(name, form.GV->Widget()), form_(form), id_(id), name_(name), renamed_(std::move(renamed)) {
    setObjectName("TitleNameEditor");
    QRect bounds(0, 0, form.GV->Widget()->width(), fontMetrics().height() + 6);
    if (auto* list = dynamic_cast<TGridTitleList*>(form.GV)) {
        const TRect cell = list->Grid().GetCellRect(1, form.GV->CurrentRow());
        if (cell.Right > cell.Left) bounds = QRect(cell.Left, cell.Top, cell.Right - cell.Left, cell.Bottom - cell.Top);
    }
    setGeometry(bounds.adjusted(0, -2, 0, 2));
    selectAll();
    show();
    setFocus();
}

void TTitleNameEditor::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Finish(true);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        Finish(false);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TTitleNameEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    Finish(true);
}

void TTitleNameEditor::Finish(bool store) {
    if (finished_) return;
    finished_ = true;
    const QString name = text().trimmed();
    if (store && !name.isEmpty() && name != name_) {
        TErrorReporter::Guard([&] {
            if (!TTitleRecords::Rename(form_.Conn.Database(), id_, name_, name))
                TErrorReporter::Report("The title \"" + name_ +
                                       "\" was changed or deleted elsewhere: it keeps what is stored there.");
            else if (renamed_)
                renamed_(name_, name);
        });
        form_.RefreshFromCatalog();
        form_.SelectTitle(id_);
    }
    form_.GV->Widget()->setFocus();
    hide();
    deleteLater();
}

} // namespace tolvane
