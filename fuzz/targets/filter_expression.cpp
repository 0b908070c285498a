// Filter texts and the search text. Parsing any text gives a filter or ECatalogError, and a
// parsed filter rebuilds to the text it came from; a search text always makes a prefix filter
// that keeps the text as typed; an ID makes an "=" filter with that number; and the titles a
// search lists are exactly those whose name begins with it, both compared NFC-normalised and
// fully case-folded (the fold here is ICU's own call, not the catalogue's code).
#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <exception>
#include <memory>
#include <vector>

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include "FuzzCheck.h"
#include "app/CatalogError.h"
#include "app/CatalogSchema.h"
#include "app/CatalogStore.h"
#include "app/FilterExpression.h"
#include "app/RecordSource.h"

using namespace tolvane;
using namespace tolvane::fuzz;

namespace {

const QString kName = QString::fromUtf8("Название");

// NFC, Unicode full case folding, NFC again.
QString FullFold(const QString& text) {
    const QString nfc = text.normalized(QString::NormalizationForm_C);
    std::vector<UChar> folded(std::size_t(nfc.size()) * 3 + 1);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = u_strFoldCase(folded.data(), int32_t(folded.size()),
                                         reinterpret_cast<const UChar*>(nfc.utf16()), int32_t(nfc.size()),
                                         U_FOLD_CASE_DEFAULT, &status);
    if (U_FAILURE(status)) return nfc;
    return QString(reinterpret_cast<const QChar*>(folded.data()), length).normalized(QString::NormalizationForm_C);
}

// Names that fold in every way the search must handle: letter case, non-ASCII letters whose
// folding changes their length, quotes and percent signs, an empty and a missing name.
const char* const kTitles[] = {"Naruto",   "NANA",     "nana",  "Наруто",  "наруто",    "Straße", "STRASSE",
                               "İstanbul", "istanbul", "ǅemal", "O'Brien", "100% Real", "ﬁne",    "Ὀδυσσεύς",
                               "日本",     "",         "a_b",   "a%b",     "ΣΊΣΥΦΟΣ",   "σίσυφος"};

struct TCatalogue {
    QTemporaryDir dir;
    TCatalogStore store;
    std::unique_ptr<TRecordSource> titles;
};

TCatalogue* catalogue = nullptr;

void CreateCatalogue() {
    catalogue = new TCatalogue;
    const QString path = catalogue->dir.filePath("search.db");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fuzz-create");
        db.setDatabaseName(path);
        db.open();
        TCatalogSchema::Create(db);
        QSqlQuery q(db);
        q.prepare("INSERT INTO \"Sp\" (\"Название\") VALUES (?)");
        for (const char* title : kTitles) {
            q.addBindValue(QString::fromUtf8(title));
            q.exec();
        }
        q.exec("INSERT INTO \"Sp\" (\"Название\") VALUES (NULL)");
        db.close();
    }
    QSqlDatabase::removeDatabase("fuzz-create");
    catalogue->store.Open(path, TOpenMode::omReadOnly);
    catalogue->titles = std::make_unique<TRecordSource>(TCatalogSchema::Titles());
    catalogue->titles->Open(catalogue->store);
}

// Any text on any source: a filter or ECatalogError; a parsed filter rebuilds to the text.
void CheckParse(const std::string& text, const TSourceDef& def) {
    std::optional<TFilterExpression> parsed;
    try {
        parsed = TFilterExpression::Parse(text, def);
    } catch (const ECatalogError&) {
        return;
    } catch (const std::exception& e) {
        Unexpected(e.what());
    }
    if (QString::fromStdString(text).toStdString() != text) return; // not UTF-8: the value is repaired
    const QString field = def.Fields[std::size_t(parsed->Field())].Name;
    const std::string value = parsed->Value().toStdString();
    const std::string rebuilt = parsed->Type() == TFilterType::ftPrefix
                                    ? TFilterExpression::Prefix(field, value)
                                    : TFilterExpression::Equals(field, value);
    FUZZ_REQUIRE(rebuilt == text,
                 QString::fromStdString(text) + " rebuilt as " + QString::fromStdString(rebuilt));
    if (parsed->HasNumber()) FUZZ_REQUIRE(parsed->Number() == parsed->Value().toLongLong(), parsed->Value());
}

void CheckSearchFilter(const std::string& search) {
    const std::string text = TFilterExpression::Prefix(kName, search);
    for (const TSourceDef* def :
         {&TCatalogSchema::Titles(), &TCatalogSchema::Episodes(), &TCatalogSchema::Totals()}) {
        try {
            const TFilterExpression e = TFilterExpression::Parse(text, *def);
            FUZZ_REQUIRE(e.Type() == TFilterType::ftPrefix &&
                             def->Fields[std::size_t(e.Field())].Name == kName &&
                             e.Value() == QString::fromStdString(search),
                         QString::fromStdString(text));
        } catch (const std::exception& e) {
            Fail(__FILE__, __LINE__, "a search text always parses",
                 QString::fromStdString(text) + ": " + e.what());
        }
    }
}

void CheckIdFilter(std::int64_t id) {
    const std::string text = TFilterExpression::Equals("ID", std::to_string(id));
    const TFilterExpression e = TFilterExpression::Parse(text, TCatalogSchema::Titles());
    FUZZ_REQUIRE(e.Type() == TFilterType::ftEquals && e.HasNumber() && e.Number() == id,
                 QString::fromStdString(text));
}

// The listed titles against a plain reading of the rule.
void CheckSearchResult(const std::string& search) {
    TRecordSource& titles = *catalogue->titles;
    try {
        titles.SetFiltered(false);
        titles.SetFilter(TFilterExpression::Prefix(kName, search));
        titles.SetFiltered(true);
    } catch (const std::exception& e) {
        Fail(__FILE__, __LINE__, "a search text always filters",
             QString::fromStdString(search) + ": " + e.what());
    }
    const QString prefix = FullFold(QString::fromStdString(search));
    // As in SQL, a missing name begins with nothing, not even the empty text.
    const auto begins = [&prefix](const QString& name) { return FullFold(name).startsWith(prefix); };
    int expected = 0;
    for (const char* title : kTitles)
        if (begins(QString::fromUtf8(title))) ++expected;
    int listed = 0;
    for (int k = 1; k <= titles.RecordCount(); ++k) {
        const QVariant name = titles.ValueAt(k, 1);
        FUZZ_REQUIRE(!name.isNull() && begins(name.toString()),
                     "'" + name.toString() + "' listed for '" + prefix + "'");
        ++listed;
    }
    FUZZ_REQUIRE(listed == expected,
                 QString("%1 listed, %2 expected for '%3'").arg(listed).arg(expected).arg(prefix));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    UseFixedLocale();
    CreateCatalogue();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    const std::int64_t id = input.Take<std::int64_t>();
    const std::string text = input.Rest();

    for (const TSourceDef* def :
         {&TCatalogSchema::Titles(), &TCatalogSchema::Episodes(), &TCatalogSchema::Totals()})
        CheckParse(text, *def);
    CheckSearchFilter(text);
    CheckIdFilter(id);
    CheckSearchResult(text);
    return 0;
}
