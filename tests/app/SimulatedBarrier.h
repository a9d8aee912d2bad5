#pragma once

#include "app/window/TFormMain.h"
#include "serial/SerialDevice.h"
#include "serial/SerialPortNames.h"
#include "serial/SerialSimServer.h"
#include "settings/Registry.h"
#include "tests/support/ProcessUntil.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

/// The light-barrier simulator's socket in a folder of its own, written into the settings as port
/// 20, so the next main window made opens it at start-up as it would a real adapter.
class SimulatedBarrier {
public:
    SimulatedBarrier() {
        const QString socket = m_dir.filePath(QStringLiteral("lbsim.sock"));
        m_started = m_server.start(socket.toStdString()) == 0;
        platform::Registry registry;
        if (registry.OpenKey(QStringLiteral("\\Software\\") + QCoreApplication::applicationName(), true)) {
            registry.WriteInteger(QStringLiteral("Port"), 20);
            registry.WriteString(QStringLiteral("ComDevice20"), socket);
        }
    }
    ~SimulatedBarrier() { platform::clearComDeviceOverrides(); }
    SimulatedBarrier(const SimulatedBarrier&) = delete;
    SimulatedBarrier& operator=(const SimulatedBarrier&) = delete;

    /// True once the simulator listens.
    bool started() const { return m_started; }
    platform::SerialSimServer& server() { return m_server; }

    /// One pass of the barrier: the line goes on until `form` shows `linesAfter` protocol lines, then
    /// off until the window has seen it go.
    ::testing::AssertionResult pass(TFormMain& form, qsizetype linesAfter) {
        using testsupport::processUntil;
        m_server.setLines(platform::MS_DSR_ON, true);
        if (!processUntil([&] { return form.ProtocolLines().size() >= linesAfter; }))
            return ::testing::AssertionFailure() << "the protocol did not reach " << linesAfter << " lines";
        m_server.setLines(platform::MS_DSR_ON, false);
        if (!processUntil([&] { return (form.LastModemStatus() & platform::MS_DSR_ON) == 0; }))
            return ::testing::AssertionFailure() << "the window did not see the line go off";
        return ::testing::AssertionSuccess();
    }

private:
    QTemporaryDir m_dir;
    platform::SerialSimServer m_server;
    bool m_started = false;
};
