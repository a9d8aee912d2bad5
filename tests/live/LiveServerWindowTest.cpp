#include "app/live/LiveServerWindow.h"
#include "app/live/LiveQrView.h"
#include "live/LiveServer.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QList<QHostAddress> network() {
    return {QHostAddress("127.0.0.1"), QHostAddress("192.168.2.17"), QHostAddress("169.254.9.9")};
}

// A port nobody listens on right now.
quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::Any, 0);
    return probe.serverPort();
}

} // namespace

TEST(LiveServerWindow, OffByDefaultOnWithTheAddressAndItsCode) {
    LiveServer server;
    LiveServerWindow window(server);
    window.setAddressSource(&network);
    EXPECT_FALSE(window.enabledChoice());
    EXPECT_EQ(window.portChoice(), 8080);
    EXPECT_FALSE(server.isRunning());
    EXPECT_TRUE(window.urls().isEmpty());
    EXPECT_FALSE(window.qrView()->code());

    const quint16 port = freePort();
    QSignalSpy choice(&window, &LiveServerWindow::choiceChanged);
    window.setChoice(true, port);
    EXPECT_TRUE(choice.isEmpty()); // set from the settings: nothing to keep
    ASSERT_TRUE(server.isRunning());
    EXPECT_EQ(server.port(), port);
    const QString url = QStringLiteral("http://192.168.2.17:%1/").arg(port);
    EXPECT_EQ(window.urls(), QStringList{url});
    EXPECT_EQ(window.qrView()->text(), url.toUtf8());
    EXPECT_TRUE(window.qrView()->code());
    EXPECT_GE(window.qrView()->minimumWidth(), LiveQrView::MinimumSide);

    // Switched off by the user: stopped, and the choice reported to be kept.
    window.findChild<QCheckBox*>(QStringLiteral("cbLive"))->click();
    EXPECT_FALSE(server.isRunning());
    ASSERT_EQ(choice.size(), 1);
    EXPECT_EQ(choice[0][0].toBool(), false);
    EXPECT_EQ(choice[0][1].toInt(), port);
    EXPECT_FALSE(window.qrView()->code());
}

TEST(LiveServerWindow, PortInUseIsSaidAndAnotherPortWorksAtOnce) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::Any, 0));
    LiveServer server;
    LiveServerWindow window(server);
    window.setAddressSource(&network);
    window.setChoice(true, other.serverPort());
    EXPECT_FALSE(server.isRunning());
    EXPECT_TRUE(window.statusText().contains(QStringLiteral("belegt"))) << qPrintable(window.statusText());
    EXPECT_TRUE(window.statusText().contains(QString::number(other.serverPort())));
    EXPECT_TRUE(window.urls().isEmpty());

    QSignalSpy choice(&window, &LiveServerWindow::choiceChanged);
    const quint16 port = freePort();
    window.findChild<QSpinBox*>(QStringLiteral("sePort"))->setValue(port);
    EXPECT_TRUE(server.isRunning());
    EXPECT_EQ(server.port(), port);
    EXPECT_FALSE(window.statusText().contains(QStringLiteral("belegt")));
    ASSERT_EQ(choice.size(), 1);
    EXPECT_EQ(choice[0][0].toBool(), true);
    EXPECT_EQ(choice[0][1].toInt(), port);
}

TEST(LiveServerWindow, WithoutANetworkTheLocalAddressIsNamed) {
    LiveServer server;
    LiveServerWindow window(server);
    window.setAddressSource([] { return QList<QHostAddress>{QHostAddress("127.0.0.1")}; });
    window.setChoice(true, freePort());
    ASSERT_TRUE(server.isRunning());
    EXPECT_TRUE(window.urls().isEmpty());
    EXPECT_FALSE(window.qrView()->code());
}

TEST(LiveQrView, WholePixelModulesWithTheQuietZoneInside) {
    for (const int side : {400, 437, 800}) {
        for (const int modules : {21, 25, 29, 33}) {
            const QrPlacement p = placeQrCode(QRect(0, 0, side, side), modules);
            ASSERT_GE(p.modulePx, 1);
            EXPECT_EQ(p.code.width(), p.modulePx * modules);
            EXPECT_LE(p.code.width() + 8 * p.modulePx, side);
            EXPECT_GE(p.code.left(), 4 * p.modulePx);
            EXPECT_LE(p.code.right() + 4 * p.modulePx, side - 1);
            // Not much room wasted: one more pixel per module would not fit.
            EXPECT_GT((p.modulePx + 1) * (modules + 8), side);
        }
    }
    // At the smallest size an address's code has modules of at least 10 px.
    EXPECT_GE(placeQrCode(QRect(0, 0, LiveQrView::MinimumSide, LiveQrView::MinimumSide), 29).modulePx, 10);
    EXPECT_EQ(placeQrCode(QRect(0, 0, 20, 20), 29).modulePx, 0);
}
