#include "grids/CellTextOverflow.h"

#include <gtest/gtest.h>

namespace {

// Cells of 60 pixels with a line of 1 between them; a text "t:<end>" ends at <end>, "-" is empty,
// "box" is an empty cell that shows a glyph, "right:<end>" is a right-aligned text.
std::vector<OverflowCell> Row(const std::vector<std::string>& cells) {
    std::vector<OverflowCell> row;
    int left = 0;
    for (const std::string& s : cells) {
        OverflowCell c{left, left + 60, left, s == "-", false};
        if (s.starts_with("t:") || s.starts_with("right:")) {
            c.TextRight = std::stoi(s.substr(s.find(':') + 1));
            c.RunsOn = s.starts_with("t:");
        }
        if (s == "hidden")
            c.Right = c.Left;
        else
            left += 61;
        row.push_back(c);
    }
    return row;
}

} // namespace

TEST(CellTextOverflow, ATextRunsOnThroughTheEmptyCellsItReachesAndNoFurther) {
    struct Case {
        std::vector<std::string> cells;
        int32_t col;
        int right;
        std::vector<int32_t> sources; // of every cell
    };
    const std::vector<Case> cases{
        {{"t:40", "-", "-"}, 0, 60, {0, -1, -1}},                // fits its cell
        {{"t:100", "-", "-"}, 0, 121, {0, 0, -1}},               // reaches the second cell only
        {{"t:300", "-", "-"}, 0, 182, {0, 0, 0}},                // as far as the row goes
        {{"t:300", "-", "t:150", "-"}, 0, 121, {0, 0, 2, -1}},   // a text stops it
        {{"t:300", "box", "-"}, 0, 60, {0, 1, -1}},              // so does a glyph
        {{"right:100", "-"}, 0, 60, {0, -1}},                    // only left-aligned text runs on
        {{"-", "t:200", "-", "-"}, 1, 243, {-1, 1, 1, 1}},       // from the middle of the row
        {{"t:100", "hidden", "-", "-"}, 0, 121, {0, -1, 0, -1}}, // a hidden column is passed over
    };
    for (const Case& c : cases) {
        const std::vector<OverflowCell> row = Row(c.cells);
        EXPECT_EQ(OverflowRight(row, c.col), c.right) << c.cells[0] << " " << c.cells[1];
        for (int32_t i = 0; i < int32_t(row.size()); ++i) {
            if (row[size_t(i)].Right > row[size_t(i)].Left) {
                EXPECT_EQ(OverflowSource(row, i), c.sources[size_t(i)]) << c.cells[0] << " cell " << i;
            }
        }
    }
}
