#include "grids/PackedRow.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

namespace {

struct RowDeleter {
    void operator()(PackedRow* row) const { PackedRow::destroy(row); }
};
using Row = std::unique_ptr<PackedRow, RowDeleter>;

int dummy[4];
void* P(int k) {
    return &dummy[k];
}

// Texts of every kind a cell can hold.
QString Long() {
    return QString(70000, QChar(u'x')) + QStringLiteral("Ende");
}
const QString kTexts[] = {
    QString(),
    QStringLiteral("Start:"),
    QStringLiteral("Jörg-Alexander Maaß"),
    QStringLiteral("Łódź Ğ €uro 漢字 \U0001F3C1"), // beyond Latin-1, a surrogate pair too
    QString(3, QChar(u'\0')),                      // only zero characters
    QString::fromUtf16(u"a\0b", 3),
    QStringLiteral(" "),
};

// What a row should hold: the reference the packed row is compared with.
struct Cell {
    QString text;
    void* object = nullptr;
};

void ExpectSame(const PackedRow& row, const std::vector<Cell>& model, const char* step) {
    size_t count = model.size();
    while (count > 0 && model[count - 1].text.isEmpty() && !model[count - 1].object)
        --count;
    ASSERT_EQ(size_t(row.count()), count) << step;
    for (size_t c = 0; c < model.size() + 2; ++c) {
        const Cell expected = c < model.size() ? model[c] : Cell{};
        EXPECT_EQ(row.text(int32_t(c)), expected.text) << step << ", cell " << c;
        EXPECT_EQ(row.object(int32_t(c)), expected.object) << step << ", cell " << c;
    }
}

} // namespace

TEST(PackedRow, EveryKindOfTextRoundTripsInEveryCell) {
    std::vector<QString> texts(std::begin(kTexts), std::end(kTexts));
    texts.push_back(Long());
    // Written left to right (the growing path), then read back.
    Row row(PackedRow::create());
    std::vector<Cell> model;
    for (size_t c = 0; c < texts.size(); ++c) {
        row.reset(PackedRow::setText(row.release(), int32_t(c), texts[c]));
        model.push_back({texts[c], nullptr});
    }
    ExpectSame(*row, model, "filled left to right");
    EXPECT_EQ(row->text(3).size(), texts[3].size()) << "surrogate pairs are kept as two units";
    EXPECT_EQ(row->text(4).size(), 3) << "zero characters are text, not an end";

    // Made in one piece from the same texts.
    std::vector<QStringView> views(texts.begin(), texts.end());
    Row whole(PackedRow::fromTexts(views));
    ExpectSame(*whole, model, "made in one piece");

    // Every text overwritten by every other one, in place and with a new block.
    for (size_t c = 0; c < texts.size(); ++c)
        for (const QString& t : texts) {
            row.reset(PackedRow::setText(row.release(), int32_t(c), t));
            model[c].text = t;
            ExpectSame(*row, model, "overwritten");
        }
}

TEST(PackedRow, EmptyCellsAtTheEndAreDroppedAndGapsReadEmpty) {
    Row row(PackedRow::create());
    EXPECT_EQ(row->count(), 0);
    row.reset(PackedRow::setText(row.release(), 5, QStringLiteral("far")));
    EXPECT_EQ(row->count(), 6);
    EXPECT_EQ(row->text(2), u"");
    EXPECT_EQ(row->text(5), u"far");
    row.reset(PackedRow::setText(row.release(), 1, QStringLiteral("near")));
    row.reset(PackedRow::setText(row.release(), 5, QString()));
    EXPECT_EQ(row->count(), 2) << "the row ends after its last non-empty cell";
    row.reset(PackedRow::setText(row.release(), 9, QString()));
    EXPECT_EQ(row->count(), 2) << "an empty text past the end changes nothing";
    row.reset(PackedRow::setText(row.release(), 1, QString()));
    EXPECT_EQ(row->count(), 0);
    EXPECT_EQ(row->bytes(), sizeof(uint32_t) * 4) << "an empty row is its header alone";
}

TEST(PackedRow, ObjectsKeepTheirCellAndKeepAnEmptyCellAlive) {
    Row row(PackedRow::create());
    row.reset(PackedRow::setText(row.release(), 0, QStringLiteral("a")));
    row.reset(PackedRow::setObject(row.release(), 2, P(1)));
    EXPECT_EQ(row->count(), 3) << "a cell with an object and no text is not empty";
    row.reset(PackedRow::setText(row.release(), 2, QStringLiteral("with object")));
    row.reset(PackedRow::setText(row.release(), 2, QString()));
    EXPECT_EQ(row->object(2), P(1)) << "clearing the text keeps the object";
    EXPECT_EQ(row->count(), 3);
    row.reset(PackedRow::setObject(row.release(), 2, nullptr));
    EXPECT_EQ(row->count(), 1);
    EXPECT_EQ(row->text(0), u"a");
}

TEST(PackedRow, MovingACellShiftsTheOthersLikeAStringList) {
    const auto make = [](std::initializer_list<const char*> texts) {
        Row row(PackedRow::create());
        int32_t c = 0;
        for (const char* t : texts)
            row.reset(PackedRow::setText(row.release(), c++, QString::fromUtf8(t)));
        return row;
    };
    const auto texts = [](const PackedRow& row, int32_t n) {
        QStringList out;
        for (int32_t c = 0; c < n; ++c)
            out << row.text(c).toString();
        return out;
    };
    Row row = make({"x", "y", "z"});
    row.reset(PackedRow::setObject(row.release(), 0, P(2)));
    row.reset(PackedRow::moveCell(row.release(), 0, 2));
    EXPECT_EQ(texts(*row, 3), (QStringList{"y", "z", "x"}));
    EXPECT_EQ(row->object(2), P(2));
    EXPECT_EQ(row->object(0), nullptr);

    row.reset(PackedRow::moveCell(row.release(), 2, 6));
    EXPECT_EQ(texts(*row, 7), (QStringList{"y", "z", "", "", "", "", "x"})) << "a move past the end pads";
    row.reset(PackedRow::moveCell(row.release(), 9, 0));
    EXPECT_EQ(texts(*row, 8), (QStringList{"", "y", "z", "", "", "", "", "x"}))
        << "an empty cell from past the end is inserted";
}

TEST(PackedRow, RandomChangesMatchASimpleModel) {
    // Every path (in place, growing at the end, new block, moves, objects) against a vector of cells.
    std::mt19937 rng(20261209);
    std::vector<QString> texts(std::begin(kTexts), std::end(kTexts));
    texts.push_back(QString(300, QChar(0x4E2D)));
    Row row(PackedRow::create());
    std::vector<Cell> model;
    for (int step = 0; step < 4000; ++step) {
        const auto col = int32_t(rng() % 12);
        switch (rng() % 8) {
        case 0: {
            void* o = rng() % 3 == 0 ? nullptr : P(int(rng() % 4));
            row.reset(PackedRow::setObject(row.release(), col, o));
            if (model.size() <= size_t(col))
                model.resize(size_t(col) + 1);
            model[size_t(col)].object = o;
            break;
        }
        case 1: {
            const auto to = int32_t(rng() % 12);
            row.reset(PackedRow::moveCell(row.release(), col, to));
            if (col != to) {
                const Cell moved = size_t(col) < model.size() ? model[size_t(col)] : Cell{};
                if (size_t(col) < model.size())
                    model.erase(model.begin() + col);
                if (model.size() < size_t(to))
                    model.resize(size_t(to));
                model.insert(model.begin() + to, moved);
            }
            break;
        }
        default: {
            const QString& t = texts[rng() % texts.size()];
            row.reset(PackedRow::setText(row.release(), col, t));
            if (model.size() <= size_t(col))
                model.resize(size_t(col) + 1);
            model[size_t(col)].text = t;
        }
        }
        while (!model.empty() && model.back().text.isEmpty() && !model.back().object)
            model.pop_back();
        ExpectSame(*row, model, "random step");
        if (HasFailure())
            FAIL() << "at step " << step;
    }
}
