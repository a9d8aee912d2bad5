#include "app/window/TApplication.h"
#include "core/Exception.h"
#include "testing/FakeDialogs.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(ShowException, ShowsTheMessageOfEveryKindOfErrorInAMessageBox) {
    platform::FakeDialogs dialogs;
    ShowException(std::make_exception_ptr(Exception(QStringLiteral("Grid index out of range"))));
    ShowException(std::make_exception_ptr(std::runtime_error("Kein Speicher")));
    ShowException(std::make_exception_ptr(42));
    EXPECT_EQ(dialogs.messages(),
              (QStringList{"Grid index out of range", "Kein Speicher", "Unbekannter Fehler"}));
}
