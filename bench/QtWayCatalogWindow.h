#pragma once
// The catalogue window written the way Qt's documentation suggests, as a baseline for the
// benchmarks: a QSqlTableModel on the titles behind a QSortFilterProxyModel (case-insensitive
// prefix search) in a QTableView, a QDataWidgetMapper for the title's fields, a second
// QSqlTableModel filtered by the title key for the episodes, and the totals by a query.

#include <QSqlDatabase>
#include <QWidget>

class QComboBox;
class QDataWidgetMapper;
class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QSqlTableModel;
class QTableView;

class TQtWayCatalogWindow : public QWidget {
public:
    explicit TQtWayCatalogWindow(const QString& path, QWidget* parent = nullptr);
    ~TQtWayCatalogWindow() override;

    QLineEdit* Search = nullptr;
    QTableView* Titles = nullptr;
    QTableView* Episodes = nullptr;

private:
    void Filter(const QString& prefix);
    void ShowTitle(int proxyRow);

    QString connection_;
    QSqlDatabase db_;
    QSqlTableModel* titleModel_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    QSqlTableModel* episodeModel_ = nullptr;
    QDataWidgetMapper* mapper_ = nullptr;
    QComboBox* type_ = nullptr;
    QLineEdit* count_ = nullptr;
    QLineEdit* size_ = nullptr;
    QLineEdit* time_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QLabel* total_ = nullptr;
    int idColumn_ = 0;
};
