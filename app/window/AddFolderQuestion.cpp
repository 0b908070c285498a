#include "app/window/AddFolderQuestion.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolvane {

namespace {
TAddFolderQuestion::TAnswer& Answer() {
    static TAddFolderQuestion::TAnswer answer;
    return answer;
}
} // namespace

std::optional<TAddFolderChoice> TAddFolderQuestion::Ask(QWidget* parent, const QString& folder,
                                                         const QString& current) {
    if (Answer()) return Answer()(folder, current);

    QDialog dialog(parent);
    dialog.setObjectName("AddFolderQuestion");
    dialog.setWindowTitle("Add Folder");
    auto* layout = new QVBoxLayout(&dialog);
    auto* asNew = new QRadioButton("As a new title", &dialog);
    auto* name = new QLineEdit(QDir(folder).dirName(), &dialog);
    auto* type = new QComboBox(&dialog);
    type->addItems({"TV", "OVA", "Movie", ""});
    auto* fields = new QFormLayout;
    fields->addRow("Name:", name);
    fields->addRow("Type:", type);
    auto* toCurrent = new QRadioButton(current.isEmpty() ? "To the current title (none is shown)"
                                                         : "To the current title, " + current,
                                       &dialog);
    toCurrent->setEnabled(!current.isEmpty());
    asNew->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(asNew);
    layout->addLayout(fields);
    layout->addWidget(toCurrent);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    const auto follow = [&] {
        name->setEnabled(asNew->isChecked());
        type->setEnabled(asNew->isChecked());
        buttons->button(QDialogButtonBox::Ok)
            ->setEnabled(!asNew->isChecked() || !name->text().trimmed().isEmpty());
    };
    QObject::connect(asNew, &QRadioButton::toggled, &dialog, follow);
    QObject::connect(name, &QLineEdit::textChanged, &dialog, follow);
    follow();
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    if (toCurrent->isChecked()) return TAddFolderChoice{current, {}};
    return TAddFolderChoice{name->text().trimmed(), type->currentText()};
}

TAddFolderQuestion::TAnswer TAddFolderQuestion::SetAnswer(TAnswer answer) {
    std::swap(Answer(), answer);
    return answer;
}

} // namespace tolvane
