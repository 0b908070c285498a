#include "QtWayCatalogWindow.h"

#include <QComboBox>
#include <QDataWidgetMapper>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QTableView>
#include <QVBoxLayout>

#include <atomic>

namespace {

QString Connection() {
    static std::atomic<int> next{0};
    return QString("qtway-%1").arg(next++);
}

} // namespace

TQtWayCatalogWindow::TQtWayCatalogWindow(const QString& path, QWidget* parent)
    : QWidget(parent), connection_(Connection()) {
    db_ = QSqlDatabase::addDatabase("QSQLITE", connection_);
    db_.setDatabaseName(path);
    db_.setConnectOptions("QSQLITE_OPEN_READONLY");
    db_.open();

    titleModel_ = new QSqlTableModel(this, db_);
    titleModel_->setTable("Sp");
    titleModel_->setEditStrategy(QSqlTableModel::OnManualSubmit);
    titleModel_->select();
    // The proxy filters the rows the model has fetched: all of them, for the search to see all.
    while (titleModel_->canFetchMore()) titleModel_->fetchMore();
    const QSqlRecord titleFields = titleModel_->record();
    const int name = titleFields.indexOf(QString::fromUtf8("Название"));
    idColumn_ = titleFields.indexOf("ID");

    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(titleModel_);
    proxy_->setFilterKeyColumn(name);

    Search = new QLineEdit;
    Titles = new QTableView;
    Titles->setModel(proxy_);
    Titles->setSelectionBehavior(QAbstractItemView::SelectRows);
    Titles->setSelectionMode(QAbstractItemView::SingleSelection);
    Titles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Titles->horizontalHeader()->hide();
    Titles->horizontalHeader()->setStretchLastSection(true);
    Titles->verticalHeader()->hide();
    for (int c = 0; c < titleFields.count(); ++c) Titles->setColumnHidden(c, c != name);

    type_ = new QComboBox;
    type_->setEditable(true);
    type_->addItems({"OVA", "Movie", "TV"});
    count_ = new QLineEdit;
    size_ = new QLineEdit;
    size_->setReadOnly(true);
    time_ = new QLineEdit;
    time_->setReadOnly(true);
    comment_ = new QLineEdit;
    mapper_ = new QDataWidgetMapper(this);
    mapper_->setModel(titleModel_);
    mapper_->addMapping(type_, titleFields.indexOf(QString::fromUtf8("Тип")));
    mapper_->addMapping(count_, titleFields.indexOf(QString::fromUtf8("Количество серий")));
    mapper_->addMapping(comment_, titleFields.indexOf(QString::fromUtf8("Комментарий")));

    episodeModel_ = new QSqlTableModel(this, db_);
    episodeModel_->setTable(QString::fromUtf8("Серии"));
    Episodes = new QTableView;
    Episodes->setModel(episodeModel_);
    Episodes->verticalHeader()->hide();

    total_ = new QLabel(QString("Total: %1").arg(titleModel_->rowCount()));

    auto* fields = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(type_), static_cast<QWidget*>(count_),
                       static_cast<QWidget*>(size_), static_cast<QWidget*>(time_),
                       static_cast<QWidget*>(comment_)})
        fields->addWidget(w);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addWidget(Episodes);
    auto* left = new QVBoxLayout;
    left->addWidget(Search);
    left->addWidget(Titles);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 2);
    columns->addLayout(right, 5);
    auto* window = new QVBoxLayout(this);
    window->addLayout(columns);
    window->addWidget(total_);

    connect(Search, &QLineEdit::textChanged, this, [this](const QString& text) { Filter(text); });
    connect(Titles->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { ShowTitle(current.row()); });
    Titles->setCurrentIndex(proxy_->index(0, name));
}

TQtWayCatalogWindow::~TQtWayCatalogWindow() {
    delete episodeModel_;
    delete mapper_;
    delete proxy_;
    delete titleModel_;
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection_);
}

void TQtWayCatalogWindow::Filter(const QString& prefix) {
    proxy_->setFilterRegularExpression(QRegularExpression(
        "^" + QRegularExpression::escape(prefix), QRegularExpression::CaseInsensitiveOption));
    Titles->setCurrentIndex(proxy_->index(0, proxy_->filterKeyColumn()));
}

void TQtWayCatalogWindow::ShowTitle(int proxyRow) {
    if (proxyRow < 0) return;
    const int row = proxy_->mapToSource(proxy_->index(proxyRow, 0)).row();
    mapper_->setCurrentIndex(row);
    const qlonglong id = titleModel_->data(titleModel_->index(row, idColumn_)).toLongLong();
    episodeModel_->setFilter(QString::fromUtf8("\"Название\" = %1").arg(id));
    episodeModel_->select();
    QSqlQuery totals(db_);
    totals.prepare(R"(SELECT * FROM "Rjk" WHERE "ID" = ?)");
    totals.addBindValue(id);
    totals.exec();
    if (totals.next()) {
        size_->setText(totals.value(1).toString());
        time_->setText(totals.value(2).toString());
    } else {
        size_->clear();
        time_->clear();
    }
}
