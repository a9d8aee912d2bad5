#include "event/ResultTexts.h"

#include <gtest/gtest.h>

TEST(ResultTexts, TimesAreCutToTheResolutionWithADecimalComma) {
    struct Case {
        int64_t ms;
        int resolution;
        const char* text;
        double seconds;
    };
    for (const Case& c :
         {Case{43000, 2, "43,00", 43.0}, Case{43999, 2, "43,99", 43.99}, Case{43999, 1, "43,9", 43.9},
          Case{43999, 0, "43", 43.0}, Case{5, 2, "0,00", 0.0}, Case{125305, 2, "125,30", 125.3},
          Case{3723456, 2, "3723,45", 3723.45}, Case{-1500, 2, "-1,50", -1.5}}) {
        EXPECT_EQ(formatResultTime(c.ms, c.resolution), QString::fromUtf8(c.text))
            << c.ms << " @" << c.resolution;
        EXPECT_DOUBLE_EQ(resultSeconds(c.ms, c.resolution), c.seconds) << c.ms << " @" << c.resolution;
    }
    EXPECT_EQ(formatGap(1250, 2), QStringLiteral("+1,25"));
    EXPECT_EQ(formatGap(0, 1), QStringLiteral("+0,0"));
    EXPECT_EQ(formatGap(std::nullopt, 2), QString());
}

TEST(ResultTexts, RemarksNameMarksPenaltiesAndCorrections) {
    RunCell cell;
    cell.run.cones = 2;
    cell.run.gates = 1;
    cell.run.correction = QStringLiteral("Protest: Pylone 3 zurückgenommen");
    cell.dropped = true;
    EXPECT_EQ(runRemark(cell),
              QStringLiteral("Streicher, 2 Pylonen, 1 Tor, korrigiert: Protest: Pylone 3 zurückgenommen"));
    cell = RunCell{};
    cell.run.status = RunStatus::Disqualified;
    cell.run.disqualifyReason = QStringLiteral("Tor ausgelassen");
    cell.training = true;
    EXPECT_EQ(runRemark(cell), QStringLiteral("Training, disqualifiziert (Tor ausgelassen)"));

    StandingRow row;
    row.kind = ResultKind::Partial;
    row.countedRuns = 1;
    row.runs = {RunCell{}, cell};
    EXPECT_EQ(rowRemark(row),
              QStringLiteral(
                  "unvollständig (1 Lauf gewertet) / Lauf 2: Training, disqualifiziert (Tor ausgelassen)"));
}
