// Sorting the rows of a grid: numbers as numbers, text in the order of the Chinese
// collation (pinyin), which is how a clerk expects names in a list to be sorted.

#include <QCollator>
#include <QLocale>
#include <iterator>
#include <numeric>
#include <optional>

#include "platform/Grid.h"
#include "platform/VbNumbers.h"

namespace bw {

namespace {

QCollator& collator(bool caseSensitive) {
    static QCollator sensitive = [] {
        QCollator c(QLocale(QLocale::Chinese, QLocale::China));
        c.setCaseSensitivity(Qt::CaseSensitive);
        return c;
    }();
    static QCollator insensitive = [] {
        QCollator c(QLocale(QLocale::Chinese, QLocale::China));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return caseSensitive ? sensitive : insensitive;
}

// The number a cell holds for sorting; "1,234.5" counts as 1234.5.
double numberOf(const QString& text) {
    QString t = text;
    t.remove(QLatin1Char(','));
    return Val(t);
}

struct Key {
    bool isNumber = false;
    double number = 0;
    std::optional<QCollatorSortKey> text;
};

}  // namespace

void Grid::SortRows(int how, int firstRow, int lastRow, int firstCol, int lastCol) {
    if (how < SortGenericAscending || how > SortStringDescending) return;
    if (firstRow > lastRow) std::swap(firstRow, lastRow);
    if (firstCol > lastCol) std::swap(firstCol, lastCol);
    firstRow = std::max(firstRow, fixedRows_);
    lastRow = std::min(lastRow, Rows() - 1);
    firstCol = std::max(firstCol, 0);
    lastCol = std::min(lastCol, Cols() - 1);
    if (firstRow >= lastRow || firstCol > lastCol) return;

    const bool descending = how % 2 == 0;
    const bool generic = how <= SortGenericDescending;
    const bool numeric = how == SortNumericAscending || how == SortNumericDescending;
    const bool caseSensitive = how >= SortStringAscending;
    QCollator& coll = collator(caseSensitive);

    const int n = lastRow - firstRow + 1;
    const int keyCols = lastCol - firstCol + 1;
    std::vector<Key> keys(static_cast<size_t>(n) * keyCols);
    for (int i = 0; i < n; ++i) {
        for (int k = 0; k < keyCols; ++k) {
            const QString& t = cell(firstRow + i, firstCol + k);
            Key& key = keys[static_cast<size_t>(i) * keyCols + k];
            if (numeric || (generic && IsNumeric(t))) {
                key.isNumber = true;
                key.number = numberOf(t);
            } else {
                key.text.emplace(coll.sortKey(t));
            }
        }
    }

    // Numbers come before text; ties go to the next key column, then keep their order.
    auto compare = [&](int a, int b) {
        for (int k = 0; k < keyCols; ++k) {
            const Key& x = keys[static_cast<size_t>(a) * keyCols + k];
            const Key& y = keys[static_cast<size_t>(b) * keyCols + k];
            int c = 0;
            if (x.isNumber != y.isNumber) {
                c = x.isNumber ? -1 : 1;
            } else if (x.isNumber) {
                c = x.number < y.number ? -1 : (y.number < x.number ? 1 : 0);
            } else {
                c = x.text->compare(*y.text);
            }
            if (c != 0) return descending ? c > 0 : c < 0;
        }
        return false;
    };
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), compare);

    const size_t cols = cols_.size();
    std::vector<RowData> sorted;
    std::vector<QString> sortedTexts;
    sorted.reserve(n);
    sortedTexts.reserve(n * cols);
    for (int i : order) {
        sorted.push_back(std::move(rows_[firstRow + i]));
        const auto from = texts_.begin() + (firstRow + i) * cols;
        std::move(from, from + cols, std::back_inserter(sortedTexts));
    }
    std::move(sorted.begin(), sorted.end(), rows_.begin() + firstRow);
    std::move(sortedTexts.begin(), sortedTexts.end(), texts_.begin() + firstRow * cols);
    touch();
}

}  // namespace bw
