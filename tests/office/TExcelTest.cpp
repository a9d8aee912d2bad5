// TExcel's late-bound calls, as the recording automation server sees them.
#include "office/TExcel.h"
#include "testing/RecordingAutomation.h"

#include <gtest/gtest.h>

using platform::Automation;
using platform::EOleException;
using platform::OleError;
using platform::RecordingAutomationServer;

namespace {

class TExcelTest : public ::testing::Test {
protected:
    TExcelTest() {
        server.Register(automation, QStringLiteral("Excel.Application"));
        platform::setAutomation(&automation);
    }
    ~TExcelTest() override { platform::setAutomation(nullptr); }

    void fill(TExcel& excel, const QStringList& texts) {
        excel.Values().Clear();
        for (const QString& t : texts)
            excel.Values().Add(t);
    }

    Automation automation;
    RecordingAutomationServer server;
};

TEST_F(TExcelTest, ConstructionValues) {
    TExcel excel;
    EXPECT_FALSE(excel.ExcelNew());
    EXPECT_TRUE(excel.Horizontal());
    EXPECT_EQ(excel.line(), 1);
    EXPECT_EQ(excel.Values().Count(), 0);
    EXPECT_FALSE(excel.Application().IsAssigned());
}

TEST_F(TExcelTest, ExportMakesTheCallsInOrderByTheirNames) {
    TExcel excel;
    ASSERT_TRUE(excel.Connect());
    excel.NewWorkbook();
    fill(excel, {"Who", "Time"});
    excel.WriteLine();
    fill(excel, {"12,5", "a\"b"});
    excel.WriteLine();
    excel.AutoFitColumns();
    const QStringList expected = {
        "create",
        "put visible(true)",
        "get Workbooks()",
        "Workbooks.call add()",
        R"(put Cells(1, 1, "Who"))",
        R"(put Cells(1, 2, "Time"))",
        R"(put Cells(2, 1, "12,5"))",
        R"(put Cells(2, 2, "a""b"))",
        "get cells()",
        "cells.call select()",
        "get Selection()",
        "Selection.get Columns()",
        "Selection.Columns.call Autofit()",
    };
    EXPECT_EQ(server.Calls(), expected);
    EXPECT_EQ(excel.line(), 3);
}

TEST_F(TExcelTest, LineGoesAcrossARowOrDownAColumn) {
    TExcel excel;
    ASSERT_TRUE(excel.Connect());
    server.ClearCalls();
    fill(excel, {"a", "b", "c", "d"});
    excel.setLine(3);
    excel.WriteLine();
    EXPECT_EQ(server.Calls(), QStringList({R"(put Cells(3, 1, "a"))", R"(put Cells(3, 2, "b"))",
                                           R"(put Cells(3, 3, "c"))", R"(put Cells(3, 4, "d"))"}));
    EXPECT_EQ(excel.line(), 4);

    server.ClearCalls();
    excel.setHorizontal(false);
    excel.setLine(3);
    excel.WriteLine();
    EXPECT_EQ(server.Calls(), QStringList({R"(put Cells(1, 3, "a"))", R"(put Cells(2, 3, "b"))",
                                           R"(put Cells(3, 3, "c"))", R"(put Cells(4, 3, "d"))"}));
    EXPECT_EQ(excel.line(), 4);
}

TEST_F(TExcelTest, EmptyLineWritesNothingButAdvances) {
    TExcel excel;
    ASSERT_TRUE(excel.Connect());
    server.ClearCalls();
    excel.setLine(7);
    excel.WriteLine();
    EXPECT_TRUE(server.Calls().isEmpty());
    EXPECT_EQ(excel.line(), 8);
}

TEST_F(TExcelTest, NewWorkbookStartsAtTheFirstRowAgain) {
    TExcel excel;
    ASSERT_TRUE(excel.Connect());
    excel.NewWorkbook();
    fill(excel, {"x"});
    excel.WriteLine();
    excel.WriteLine();
    ASSERT_EQ(excel.line(), 3);
    excel.NewWorkbook();
    EXPECT_EQ(excel.line(), 1);
    server.ClearCalls();
    excel.WriteLine();
    EXPECT_EQ(server.Calls(), QStringList({R"(put Cells(1, 1, "x"))"}));
}

TEST_F(TExcelTest, AttachesToTheRunningApplicationUnlessToldToStartANewOne) {
    TExcel first;
    ASSERT_TRUE(first.Connect());
    ASSERT_EQ(server.Instances(), 1);

    TExcel attaching;
    ASSERT_TRUE(attaching.Connect());
    ASSERT_TRUE(attaching.Connect());
    EXPECT_EQ(server.Instances(), 1);
    EXPECT_EQ(attaching.Application().Object(), first.Application().Object());

    TExcel starting;
    starting.setExcelNew(true);
    ASSERT_TRUE(starting.Connect());
    ASSERT_TRUE(starting.Connect());
    EXPECT_EQ(server.Instances(), 3);
    EXPECT_NE(starting.Application().Object(), first.Application().Object());
}

TEST_F(TExcelTest, StartsAnApplicationWhenNoneIsRunning) {
    TExcel excel;
    ASSERT_TRUE(excel.Connect());
    EXPECT_EQ(server.Instances(), 1);
    EXPECT_TRUE(excel.Application().IsAssigned());
}

TEST_F(TExcelTest, ConnectIsFalseWhenNoApplicationCanBeReached) {
    server.setFailCreate(true);
    TExcel excel;
    EXPECT_FALSE(excel.Connect());
    excel.setExcelNew(true);
    EXPECT_FALSE(excel.Connect());
    EXPECT_TRUE(server.Calls().isEmpty());

    Automation none;
    platform::setAutomation(&none);
    EXPECT_FALSE(excel.Connect());
    platform::setAutomation(&automation);
}

TEST_F(TExcelTest, FailuresAfterConnectReachTheCaller) {
    TExcel excel;
    // Without Connect there is no application to call.
    try {
        excel.NewWorkbook();
        FAIL() << "no exception";
    } catch (const EOleException& e) {
        EXPECT_EQ(e.Kind(), OleError::NotAnObject);
        EXPECT_TRUE(e.Message().contains("Workbooks"));
    }

    server.FailOn("visible");
    EXPECT_THROW(excel.Connect(), EOleException);

    ASSERT_TRUE(excel.Connect());
    excel.NewWorkbook();
    server.FailOn("Cells", 3);
    server.ClearCalls();
    fill(excel, {"a", "b", "c", "d"});
    try {
        excel.WriteLine();
        FAIL() << "no exception";
    } catch (const EOleException& e) {
        EXPECT_TRUE(e.Message().contains("Cells"));
    }
    // The cells before the failing one were written; nothing after it.
    EXPECT_EQ(server.Calls(),
              QStringList({R"(put Cells(1, 1, "a"))", R"(put Cells(1, 2, "b"))", R"(put Cells(1, 3, "c"))"}));
    EXPECT_EQ(excel.line(), 1);

    server.FailOn("Autofit");
    EXPECT_THROW(excel.AutoFitColumns(), EOleException);
}

} // namespace
