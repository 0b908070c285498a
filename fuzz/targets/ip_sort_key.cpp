// Sorting a text column by dotted-number keys (stIP). Only EConvertError escapes, exactly when a
// text has an empty number or one beyond 32 bits, and then the rows keep their order; otherwise
// every row travels whole and the keys come out in order, the larger first when ascending.
#include <QStringList>
#include <array>
#include <exception>
#include <optional>
#include <vector>

#include "FuzzCheck.h"
#include "grid/base/Errors.h"
#include "grid/model/cells/CellColumnSource.h"
#include "grid/model/cells/Cells.h"

using namespace tolvane;
using namespace tolvane::fuzz;

namespace {

using TKey = std::array<long long, 4>;

// The key as documented, written out plainly: a digit extends the pending number, a "." or the
// last character ends it (an empty number is an error), anything else is skipped, numbers beyond
// the fourth are dropped.
std::optional<TKey> ReferenceKey(const QString& text) {
    const std::string narrow = text.toStdString();
    TKey key{0, 0, 0, 0};
    std::size_t filled = 0;
    long long run = 0;
    bool digits = false;
    for (std::size_t k = 0; k < narrow.size(); ++k) {
        const char c = narrow[k];
        if (c >= '0' && c <= '9') {
            run = run * 10 + (c - '0');
            if (run > 2147483647LL) return std::nullopt;
            digits = true;
        }
        if (c == '.' || k + 1 == narrow.size()) {
            if (!digits) return std::nullopt;
            if (filled < 4) key[filled++] = run;
            run = 0;
            digits = false;
        }
    }
    return key;
}

// The fourth number weighs most.
int Compare(const TKey& a, const TKey& b) {
    for (int k = 3; k >= 0; --k)
        if (a[k] != b[k]) return a[k] < b[k] ? -1 : 1;
    return 0;
}

// Two text columns: the texts, and each row's original position.
class TTwoTextColumns : public TCellColumnSource {
public:
    int ColumnCount() const override { return count; }
    int ColumnCellKind(int) const override { return 7; }
    TColor ColumnColor(int) const override { return clWindow; }
    QString ColumnDefaultValue(int) const override { return QString(); }
    int count = 0;
};

QString Texts(const TCells& cells) {
    QStringList texts;
    for (int r = 0; r < cells.RowCount(); ++r) texts << const_cast<TCells&>(cells).GetCell(0, r)->Text();
    return "[" + texts.join("|") + "]";
}

} // namespace

TOLVANE_FUZZ_INITIALIZE_WITH_FIXED_LOCALE()

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TFuzzInput input(data, size);
    const bool descending = input.Take<std::uint8_t>() & 1;
    QStringList texts = QString::fromUtf8(input.Rest()).split('\n');
    if (texts.size() > 64) texts = texts.mid(0, 64);

    // A text column and the row's original position beside it.
    TTwoTextColumns columns;
    TCells cells(&columns);
    for (int c = 0; c < 2; ++c) {
        ++columns.count;
        cells.AddColumn();
    }
    cells.AddRows(int(texts.size()));
    bool valid = true;
    for (int r = 0; r < int(texts.size()); ++r) {
        cells.GetCell(0, r)->SetText(texts[r]);
        cells.GetCell(1, r)->SetText(QString::number(r));
        valid = valid && ReferenceKey(texts[r]).has_value();
    }

    bool refused = false;
    try {
        cells.SortRows(0, stIP, descending);
    } catch (const EConvertError&) {
        refused = true;
    } catch (const std::exception& e) {
        Unexpected(e.what());
    }

    // A single row is never read, so it is never refused.
    if (texts.size() >= 2)
        FUZZ_REQUIRE(refused == !valid, "refused " + QString::number(refused) + " " + Texts(cells));
    std::vector<bool> seen(texts.size(), false);
    std::optional<TKey> previous;
    for (int r = 0; r < cells.RowCount(); ++r) {
        const int from = cells.GetCell(1, r)->Text().toInt();
        const QString text = cells.GetCell(0, r)->Text();
        FUZZ_REQUIRE(from >= 0 && from < int(texts.size()) && !seen[from] && texts[from] == text,
                     "row " + QString::number(r) + " of " + Texts(cells));
        seen[from] = true;
        if (refused) {
            FUZZ_REQUIRE(from == r, "a refused sort moved rows: " + Texts(cells));
            continue;
        }
        if (texts.size() < 2) continue;
        const TKey key = *ReferenceKey(text);
        if (previous) {
            const int c = Compare(*previous, key);
            FUZZ_REQUIRE(descending ? c <= 0 : c >= 0,
                         "out of order at row " + QString::number(r) + ": " + Texts(cells));
        }
        previous = key;
    }
    return 0;
}
