#include <QtGlobal>
#include <gtest/gtest.h>

#include "TestCatalog.h"
#include "app/CatalogStore.h"
#include "app/RowReader.h"
#include "app/StatementCache.h"

namespace tolvane {
namespace {

using test::TRawDb;
using test::TTestCatalog;

class StatementCacheTest : public ::testing::TestWithParam<test::TEngine> {};
TOLVANE_ON_BOTH_ENGINES(StatementCacheTest);

QStringList Names(const TCatalogStore& store, const QString& sql, const QVariantList& values) {
    QStringList names;
    for (const auto& row : TRowReader::Read(store.Database(), sql, 1, {0}, values, nullptr, &store.Statements()))
        names << row[0].toString();
    return names;
}

TEST_P(StatementCacheTest, KeptStatementsReadWhatIsStoredNowWithTheValuesGivenNow) {
    TTestCatalog catalogue(GetParam());
    const qlonglong a = catalogue.AddTitle("Alpha");
    const qlonglong b = catalogue.AddTitle("Beta");
    TCatalogStore store;
    store.Open(catalogue.Path(), TOpenMode::omReadOnly);
    const QString byId = QString::fromUtf8("SELECT \"Название\" FROM \"Sp\" WHERE \"ID\" = ?");
    const QString byRange = QString::fromUtf8("SELECT \"Название\" FROM \"Sp\" WHERE \"ID\" BETWEEN ? AND ? ORDER BY 1");
    struct TStep {
        QString sql;
        QVariantList values;
        QStringList names;
    };
    const TStep steps[] = {
        {byId, {a}, {"Alpha"}},
        {byId, {b}, {"Beta"}},
        {byRange, {a, b}, {"Alpha", "Beta"}},
        {byId, {a}, {"Alpha"}},
        {byRange, {b, b}, {"Beta"}},
        {byId, {b + 100}, {}},
    };
    for (int round = 0; round < 2; ++round)
        for (const TStep& step : steps) EXPECT_EQ(Names(store, step.sql, step.values), step.names) << round;

    // Another connection's write is read by the statements kept from before it.
    TRawDb(catalogue.Path()).Exec(QString::fromUtf8("UPDATE \"Sp\" SET \"Название\" = 'Gamma' WHERE \"ID\" = ?"), {a});
    EXPECT_EQ(Names(store, byId, {a}), QStringList{"Gamma"});
    EXPECT_EQ(Names(store, byRange, {a, b}), (QStringList{"Beta", "Gamma"}));
}

QStringList warnings;

TEST_P(StatementCacheTest, ClosingLetsTheConnectionGoWithNothingLeftOnIt) {
    TTestCatalog catalogue(GetParam());
    const qlonglong a = catalogue.AddTitle("Alpha");
    warnings.clear();
    const QtMessageHandler before = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings << text; });
    {
        TCatalogStore store;
        store.Open(catalogue.Path(), TOpenMode::omReadOnly);
        EXPECT_EQ(Names(store, QString::fromUtf8("SELECT \"Название\" FROM \"Sp\" WHERE \"ID\" = ?"), {a}),
                  QStringList{"Alpha"});
        store.Close();
        store.Open(catalogue.Path(), TOpenMode::omReadOnly);
        EXPECT_EQ(Names(store, QString::fromUtf8("SELECT \"Название\" FROM \"Sp\" WHERE \"ID\" = ?"), {a}),
                  QStringList{"Alpha"});
    }
    qInstallMessageHandler(before);
    EXPECT_TRUE(warnings.filter("still in use").isEmpty()) << warnings.join("\n").toStdString();
}

} // namespace
} // namespace tolvane
