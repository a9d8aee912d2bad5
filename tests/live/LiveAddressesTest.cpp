#include "live/LiveAddresses.h"
#include "live/LiveQrCode.h"

#include <gtest/gtest.h>

TEST(LiveAddresses, OffersOnlyAddressesPhonesOnTheLocalNetworkReach) {
    const QList<QHostAddress> all = {
        QHostAddress("127.0.0.1"),    QHostAddress("192.168.1.20"), QHostAddress("::1"),
        QHostAddress("fe80::1"),      QHostAddress("169.254.3.4"),  QHostAddress("10.0.0.5"),
        QHostAddress("192.168.1.20"), QHostAddress("2001:db8::5"),  QHostAddress("0.0.0.0"),
    };
    const QList<QHostAddress> lan = usableLanAddresses(all);
    ASSERT_EQ(lan.size(), 2);
    EXPECT_EQ(lan[0], QHostAddress("192.168.1.20"));
    EXPECT_EQ(lan[1], QHostAddress("10.0.0.5"));
    EXPECT_EQ(liveUrls(lan, 8080), QStringList({"http://192.168.1.20:8080/", "http://10.0.0.5:8080/"}));
    EXPECT_TRUE(usableLanAddresses({QHostAddress("127.0.0.1")}).isEmpty());
}

TEST(LiveQrCode, EncodesTheAddressWithItsThreeFinderPatterns) {
    const std::optional<LiveQrCode> qr = makeLiveQrCode("http://192.168.178.123:8080/");
    ASSERT_TRUE(qr);
    // Version 2 or 3 at level M for an address of this length: 25 or 29 modules.
    EXPECT_TRUE(qr->size == 25 || qr->size == 29) << qr->size;
    ASSERT_EQ(qr->modules.size(), qr->size * qr->size);
    // A finder pattern: a dark 7x7 ring, a light ring inside it and a dark 3x3 centre.
    auto finderAt = [&](int left, int top) {
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x) {
                const bool ring = x == 0 || y == 0 || x == 6 || y == 6;
                const bool centre = x >= 2 && x <= 4 && y >= 2 && y <= 4;
                if (qr->dark(left + x, top + y) != (ring || centre))
                    return false;
            }
        return true;
    };
    EXPECT_TRUE(finderAt(0, 0));
    EXPECT_TRUE(finderAt(qr->size - 7, 0));
    EXPECT_TRUE(finderAt(0, qr->size - 7));
    EXPECT_FALSE(finderAt(qr->size - 7, qr->size - 7));
    EXPECT_FALSE(qr->dark(-1, 0));
    EXPECT_FALSE(qr->dark(qr->size, 0));
    // Another text, another code.
    EXPECT_NE(makeLiveQrCode("http://10.0.0.2:8081/")->modules, qr->modules);
}

TEST(LiveQrCode, NothingForEmptyOrOverlongText) {
    EXPECT_FALSE(makeLiveQrCode(QByteArray()));
    EXPECT_FALSE(makeLiveQrCode(QByteArray(4000, 'x')));
}
