#include "event/EventTexts.h"

#include <gtest/gtest.h>

TEST(EventTexts, EveryStatusReadsBackFromItsWordAndItsCode) {
    for (RunStatus s :
         {RunStatus::Finished, RunStatus::DidNotFinish, RunStatus::DidNotStart, RunStatus::Disqualified}) {
        EXPECT_EQ(runStatusFromText(runStatusText(s)), s);
        EXPECT_EQ(runStatusFromText(runStatusCode(s).toLower()), s);
    }
    EXPECT_EQ(runStatusText(RunStatus::DidNotFinish), QStringLiteral("Abbruch"));
    EXPECT_EQ(runStatusFromText(QStringLiteral(" DSQ ")), RunStatus::Disqualified);
    EXPECT_FALSE(runStatusFromText(QStringLiteral("gewonnen")).has_value());
}
