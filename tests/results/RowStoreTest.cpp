// The row store against a plain vector of rows: whatever is added, buried, erased, cleared, checked or
// sorted, every row reads back as it went in, keys and identities find their rows, and the order agrees.
#include "results/RowStore.h"
#include "results/RowOrder.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <set>
#include <vector>

namespace zorvik::test {
namespace {

struct PlainRow {
    QByteArray path;
    QByteArray sizeText;
    quint64 bytes;
    FileId id;
    bool checked;
    quint64 key;
    bool buried = false;
};

class RowStoreModel {
public:
    RowStoreModel() { store.holdIdentityIndex(); }
    ~RowStoreModel() { store.releaseIdentityIndex(); }
    RowStoreModel(const RowStoreModel&) = delete;
    RowStoreModel& operator=(const RowStoreModel&) = delete;

    void add() {
        const QByteArray folder =
            "/m/" + QByteArray::number(random() % 400) + (random() % 5 ? "" : "/\xff\xfe");
        QByteArray name(qsizetype(1 + random() % (random() % 10 ? 30 : 400)), 'n');
        name[0] = char(0x80 + random() % 0x7F); // not UTF-8
        name.back() = char('a' + random() % 26);
        const quint64 bytes = random() % 3 ? random() % 5000 : random();
        const FileId id = random() % 8 ? FileId{1 + random() % 3, random() % 3000} : FileId{};
        const RowOrigin origin{id, 2};
        const SizeTextWriter& writer = writers_[random() % writers_.size()];
        const auto unit = SizeUnit(random() % 4);
        QByteArray text = writer.utf8(bytes, unit, buffer_).toByteArray();
        if (random() % 4 == 0) {
            text = "given " + QByteArray::number(random());
            random() % 2 ? store.add(folder, name, RowSizeText(text), bytes, origin)
                         : store.addPath(QByteArray(folder + '/' + name), RowSizeText(text), bytes, origin);
        } else {
            store.add(folder, name, RowSizeText(writer, unit), bytes, origin);
        }
        rows.push_back(
            {QByteArray(folder + '/' + name), text, bytes, id, false, store.key(store.size() - 1)});
    }
    void erase() {
        std::vector<quint32> gone;
        for (std::size_t row = 0; row < rows.size(); ++row)
            if (random() % 50 == 0)
                gone.push_back(quint32(row));
        store.erase(gone);
        for (auto it = gone.rbegin(); it != gone.rend(); ++it) {
            goneKeys_.push_back(rows[*it].key);
            rows.erase(rows.begin() + *it);
        }
    }
    // Rows a long list no longer shows: neither key nor identity finds them until they are erased.
    void bury() {
        for (std::size_t row = 0; row < rows.size(); ++row)
            if (random() % 20 == 0) {
                rows[row].buried = true;
                store.bury(row);
            }
    }
    void eraseBuried() {
        store.eraseBuried();
        std::erase_if(rows, [&](const PlainRow& row) {
            if (row.buried)
                goneKeys_.push_back(row.key);
            return row.buried;
        });
    }
    void clear() {
        for (const PlainRow& row : rows)
            goneKeys_.push_back(row.key);
        rows.clear();
        store.clear();
    }
    void check(std::size_t row) {
        const bool checked = random() % 2 != 0;
        rows[row].checked = checked;
        store.setChecked(row, checked);
    }

    void expectSame() {
        ASSERT_EQ(store.size(), rows.size());
        std::set<std::pair<quint64, quint64>> shownIds;
        for (const PlainRow& row : rows)
            if (!row.buried)
                shownIds.insert({row.id.device, row.id.inode});
        QByteArray path;
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const PlainRow& plain = rows[row];
            store.pathInto(row, path);
            EXPECT_EQ(path, plain.path);
            EXPECT_EQ(store.sizeText(row, buffer_).toByteArray(), plain.sizeText);
            EXPECT_EQ(store.bytes(row), plain.bytes);
            EXPECT_EQ(store.fileId(row), plain.id);
            EXPECT_EQ(store.checked(row), plain.checked);
            EXPECT_EQ(store.key(row), plain.key);
            EXPECT_EQ(store.isBuried(row), plain.buried);
            EXPECT_EQ(store.rowOfKey(plain.key),
                      plain.buried ? std::nullopt : std::optional<std::size_t>(row));
            const std::optional<std::size_t> ofFile = store.rowOfFile(plain.id);
            EXPECT_EQ(ofFile.has_value(),
                      plain.id.isKnown() && shownIds.count({plain.id.device, plain.id.inode}));
            if (ofFile) {
                EXPECT_EQ(store.fileId(*ofFile), plain.id);
                EXPECT_FALSE(store.isBuried(*ofFile));
            }
        }
        EXPECT_FALSE(store.rowOfFile({1, 3000}));
        for (quint64 key : goneKeys_)
            EXPECT_FALSE(store.rowOfKey(key));
        expectSameOrder(RowOrder::SortKey::Size,
                        [&](std::size_t a, std::size_t b) { return rows[a].bytes < rows[b].bytes; });
        expectSameOrder(RowOrder::SortKey::Path,
                        [&](std::size_t a, std::size_t b) { return rows[a].path < rows[b].path; });
    }

    std::mt19937_64 random{20261209};
    RowStore store;
    std::vector<PlainRow> rows;

private:
    template <class Less> void expectSameOrder(RowOrder::SortKey key, Less less) {
        RowOrder order(store);
        for (std::size_t row = 0; row < store.size(); ++row)
            order.append(quint32(row));
        order.sort(key, Qt::AscendingOrder);
        std::vector<std::size_t> expected(rows.size());
        std::iota(expected.begin(), expected.end(), 0);
        std::stable_sort(expected.begin(), expected.end(), less);
        for (std::size_t position = 0; position < expected.size(); ++position)
            ASSERT_EQ(order.rowAt(position), expected[position]) << "at " << position;
    }

    std::vector<SizeTextWriter> writers_{SizeTextWriter(QLocale(QLocale::English, QLocale::UnitedStates)),
                                         SizeTextWriter(QLocale(QLocale::German, QLocale::Germany)),
                                         SizeTextWriter(QLocale(QLocale::French, QLocale::France))};
    SizeTextWriter::Buffer buffer_;
    std::vector<quint64> goneKeys_;
};

TEST(RowStore, AgreesWithAPlainVectorOfRowsThroughAddsBurialsErasesClearsChecksAndSorts) {
    RowStoreModel model;
    for (int step = 1; step <= 6000; ++step) {
        const auto what = model.random() % 100;
        if (step == 2500)
            model.clear();
        else if (what < 85 || model.rows.empty())
            model.add();
        else if (what < 97)
            model.check(model.random() % model.rows.size());
        else if (what < 98)
            model.bury();
        else if (what < 99)
            model.erase();
        else
            model.eraseBuried();
        if (step % 1000 == 0)
            model.expectSame();
    }
    EXPECT_GT(model.rows.size(), 1000U);
}

// A search of one folder leaves the index unbuilt while it meets each file once. Whoever else may
// look a file up, or add one the search may meet, builds it over every row first.
TEST(RowStore, AnUnbuiltIndexIsBuiltOverEveryRowForASecondHoldAPutBackRowOrWhenNeeded) {
    for (int builder = 0; builder < 3; ++builder) {
        RowStore store;
        store.holdIdentityIndex();
        store.deferIdentityIndex();
        store.add("/a", "f", {}, 1, {{1, 10}, RowOrigin::kOwnFolder});
        if (builder == 0)
            store.holdIdentityIndex();
        else if (builder == 1)
            store.addPath("/b/g", {}, 2, {{1, 20}, RowOrigin::kOwnFolder});
        else
            store.needIdentityIndex();
        store.add("/a", "h", {}, 3, {{1, 30}, RowOrigin::kOwnFolder});
        EXPECT_EQ(store.rowOfFile({1, 10}), 0U) << builder;
        EXPECT_EQ(store.rowOfFile({1, 30}), store.size() - 1) << builder;
        store.deferIdentityIndex(); // over rows, or under two holds: no effect
        EXPECT_EQ(store.rowOfFile({1, 10}), 0U) << builder;
    }
}

} // namespace
} // namespace zorvik::test
