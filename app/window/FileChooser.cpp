#include "app/window/FileChooser.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>

namespace tolvane {

namespace {
TFileChooser::TAnswer& Answer() {
    static TFileChooser::TAnswer answer;
    return answer;
}
} // namespace

QString TFileChooser::Ask(QWidget* parent, TFileQuestion question, const QString& caption,
                          const QString& filter, QString* chosenFilter) {
    if (Answer()) return Answer()(question, caption, filter, chosenFilter);
    switch (question) {
    case TFileQuestion::fqOpen:
        return QFileDialog::getOpenFileName(parent, caption, {}, filter, chosenFilter);
    case TFileQuestion::fqSave:
        return QFileDialog::getSaveFileName(parent, caption, {}, filter, chosenFilter);
    case TFileQuestion::fqCreate:
        return QFileDialog::getSaveFileName(parent, caption, {}, filter, chosenFilter,
                                            QFileDialog::DontConfirmOverwrite);
    case TFileQuestion::fqFolder:
        return QFileDialog::getExistingDirectory(parent, caption);
    case TFileQuestion::fqServer:
        return QInputDialog::getText(parent, caption, filter, QLineEdit::Normal, "postgresql://").trimmed();
    }
    return {};
}

TFileChooser::TAnswer TFileChooser::SetAnswer(TAnswer answer) {
    std::swap(Answer(), answer);
    return answer;
}

} // namespace tolvane
