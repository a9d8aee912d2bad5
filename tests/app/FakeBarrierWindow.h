#pragma once

#include "app/window/TFormMain.h"
#include "testing/FakeClock.h"
#include "testing/FakeDialogs.h"
#include "testing/FakeSerialDevice.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>

/// The main window with its light barrier on port 3 of a fake serial device, shown, the port open
/// and its watcher waiting for the first edge; the clock and the dialogs are fakes.
class FakeBarrierWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TFormMain>();
        form->show();
        form->ComPort->setPort(3);
        form->OpenLightBarrierPort();
        ASSERT_TRUE(form->ComPort->Connected());
        ASSERT_TRUE(serial.line().waitUntilWaiting());
    }

    /// One edge of the barrier at the current fake tick; returns once the window has handled it.
    /// The clock moves on by `lateMs` before the GUI thread gets to the event.
    void edge(bool on, uint32_t lateMs = 7) {
        serial.line().changeLines(on ? platform::MS_DSR_ON : 0);
        deliver(lateMs);
    }

    /// Lets the window take the hand-over the watcher made, `lateMs` after it.
    void deliver(uint32_t lateMs = 7) {
        ASSERT_TRUE(waitFor([&] { return form->ComPort->HandOverPending(); }));
        clock.advance(lateMs);
        ASSERT_TRUE(waitFor([&] {
            QCoreApplication::processEvents();
            return !form->ComPort->HandOverPending();
        }));
        ASSERT_TRUE(serial.line().waitUntilWaiting());
    }

    /// Waits, without running the event loop, for the watcher's thread to make `done` hold.
    static bool waitFor(const std::function<bool()>& done) {
        QElapsedTimer t;
        t.start();
        while (!done()) {
            if (t.elapsed() > 3000)
                return false;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return true;
    }

    platform::FakeClock clock{100000, QDateTime(QDate(2026, 12, 8), QTime(9, 5, 7))};
    platform::FakeDialogs dialogs;
    platform::FakeSerial serial;
    std::unique_ptr<TFormMain> form;
};
