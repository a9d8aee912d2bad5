// The automation layer: name lookup without case, "create new" and "get running", the texts of
// its failures.
#include "office/Automation.h"
#include "office/ExcelServer.h"
#include "testing/RecordingAutomation.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

template <typename F> EOleException caught(F&& f) {
    try {
        f();
    } catch (const EOleException& e) {
        return e;
    }
    ADD_FAILURE() << "no EOleException";
    return EOleException(OleError::Failed, {});
}

TEST(AutomationTest, ServersAreFoundByProgramIdentifierInAnyCase) {
    Automation a;
    RecordingAutomationServer server;
    server.Register(a, "Some.Server");
    EXPECT_TRUE(a.HasServer("some.SERVER"));
    ASSERT_NE(a.CreateObject("SOME.server"), nullptr);

    const auto e = caught([&] { a.CreateObject("Other.Server"); });
    EXPECT_EQ(e.Kind(), OleError::UnknownClass);
    EXPECT_EQ(e.Message(), "No automation server is registered as \"Other.Server\"");

    server.setFailCreate(true);
    const auto f = caught([&] { a.CreateObject("Some.Server"); });
    EXPECT_EQ(f.Kind(), OleError::ServerFailed);
    EXPECT_TRUE(f.Message().startsWith("\"Some.Server\" could not be started: "));
}

TEST(AutomationTest, RunningObjectLivesAsLongAsItsHolders) {
    Automation a;
    RecordingAutomationServer server;
    server.Register(a, "Some.Server");
    EXPECT_EQ(caught([&] { a.GetActiveObject("Some.Server"); }).Kind(), OleError::NotRunning);
    EXPECT_EQ(caught([&] { a.GetActiveObject("None.Server"); }).Kind(), OleError::UnknownClass);

    AutomationRef first = a.CreateObject("Some.Server");
    AutomationRef second = a.CreateObject("Some.Server");
    EXPECT_EQ(a.GetActiveObject("some.server"), first); // the first started is the running one
    first.reset();
    EXPECT_EQ(caught([&] { a.GetActiveObject("Some.Server"); }).Kind(), OleError::NotRunning);
    AutomationRef third = a.CreateObject("Some.Server");
    EXPECT_EQ(a.GetActiveObject("Some.Server"), third);
}

TEST(AutomationTest, MembersAreCalledByNameInAnyCaseAndFailWithClearTexts) {
    QTemporaryDir dir;
    Automation a;
    ExcelServerSettings settings;
    settings.folder = dir.path();
    RegisterExcelServer(a, settings);
    OleObject app(a.CreateObject("excel.application"));

    app.Put("VISIBLE", true);
    EXPECT_EQ(app.Get("visible"), OleVariant(true));
    app.Put("Visible", false);
    EXPECT_EQ(app.Get("ViSiBlE"), OleVariant(false));

    auto unknown = caught([&] { app.Call("Frobnicate", {1}); });
    EXPECT_EQ(unknown.Kind(), OleError::UnknownName);
    EXPECT_EQ(unknown.Message(), "Excel.Application has no member named \"Frobnicate\"");

    auto kind = caught([&] { app.Call("Visible"); });
    EXPECT_EQ(kind.Kind(), OleError::WrongKind);
    EXPECT_EQ(kind.Message(), "Excel.Application.Visible is no method");

    auto noBook = caught([&] { app.Put("Cells", {1, 1}, QString("x")); });
    EXPECT_EQ(noBook.Kind(), OleError::Failed);
    EXPECT_EQ(noBook.Message(), "Excel.Application.Cells: no workbook is open");

    app.GetObject("workbooks").Call("ADD");
    EXPECT_EQ(caught([&] { app.Put("Cells", {1}, QString("x")); }).Kind(), OleError::BadArguments);
    EXPECT_EQ(caught([&] {
                  app.Put("Cells", {0, 1}, QString("x"));
              }).Message(),
              "Excel.Application.Cells: cell (0, 1) is outside the sheet");
    EXPECT_EQ(caught([&] {
                  app.Put("Cells", {QString("zwei"), 1}, QString("x"));
              }).Kind(),
              OleError::BadArguments);
    EXPECT_EQ(caught([&] { app.GetObject("Visible"); }).Kind(), OleError::NotAnObject);
    EXPECT_EQ(caught([&] { OleObject().Call("add"); }).Message(),
              "\"add\" called without an automation object");

    app.Put("Cells", {2, 3}, QString("Größe"));
    EXPECT_EQ(app.GetObject("cells", {2, 3}).Get("value"), OleVariant(QString("Größe")));
    EXPECT_EQ(app.GetObject("Workbooks").Get("count"), OleVariant(1));
}

TEST(AutomationTest, RecordingServerLogsCallsWithTheirArguments) {
    Automation a;
    RecordingAutomationServer server;
    server.Register(a, "Word.Basic");
    server.setResult("Count", 5);
    OleObject o(a.CreateObject("Word.Basic"));
    o.Call("TextToTable", {Named("ConvertFrom", 1), Named("NumColumns", 4)});
    o.Call("Insert", {QString("a\tb\r\n\"x\"")});
    EXPECT_EQ(o.Get("count"), OleVariant(5));
    EXPECT_EQ(server.Calls(), QStringList({"create", "call TextToTable(ConvertFrom=1, NumColumns=4)",
                                           "call Insert(\"a\tb\r\n\"\"x\"\"\")", "get count()"}));
}

} // namespace

namespace {

TEST(AutomationTest, PlatformOffersTheSpreadsheetAndTheWordProcessor) {
    EXPECT_TRUE(automation().HasServer("Excel.Application"));
    EXPECT_TRUE(automation().HasServer("Word.Basic"));
    Automation mine;
    setAutomation(&mine);
    EXPECT_EQ(&automation(), &mine);
    setAutomation(nullptr);
    EXPECT_NE(&automation(), &mine);
}

} // namespace
