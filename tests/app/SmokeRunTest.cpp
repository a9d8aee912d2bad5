// The "--smoke" start: the program ends once its window is drawn, or fails when it is not.
#include "app/window/SmokeRun.h"

#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(SmokeRun, EndsWithZeroAfterTheWindowsFirstFrameAndFailsWithoutOne) {
    struct Case {
        bool shown;
        int expected;
    };
    for (const Case c : {Case{true, 0}, Case{false, 1}}) {
        QWidget window;
        window.resize(200, 100);
        // Like the program's window, covered all over by its children.
        QWidget cover(&window);
        cover.setGeometry(0, 0, 200, 100);
        cover.setAutoFillBackground(true);
        std::optional<int> exitCode;
        SmokeRun smoke(&window, c.shown ? 10000 : 100, [&](int code) {
            EXPECT_FALSE(exitCode) << "ended twice";
            exitCode = code;
        });
        if (c.shown)
            window.show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return exitCode.has_value(); }, 10000)) << "shown " << c.shown;
        EXPECT_EQ(exitCode, c.expected) << "shown " << c.shown;
        // A later frame or the time-out does not end it again.
        window.update();
        QTest::qWait(150);
    }
}

} // namespace
