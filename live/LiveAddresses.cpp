#include "live/LiveAddresses.h"

#include <QNetworkInterface>

QList<QHostAddress> usableLanAddresses(const QList<QHostAddress>& addresses) {
    QList<QHostAddress> out;
    for (const QHostAddress& a : addresses) {
        if (a.protocol() != QAbstractSocket::IPv4Protocol || a.isLoopback() || a.isLinkLocal() ||
            a.isNull() || a.isMulticast() || a == QHostAddress(QHostAddress::AnyIPv4) ||
            a == QHostAddress(QHostAddress::Broadcast))
            continue;
        if (!out.contains(a))
            out.append(a);
    }
    return out;
}

QStringList liveUrls(const QList<QHostAddress>& addresses, quint16 port) {
    QStringList urls;
    for (const QHostAddress& a : addresses)
        urls << QStringLiteral("http://%1:%2/").arg(a.toString()).arg(port);
    return urls;
}

QList<QHostAddress> localInterfaceAddresses() {
    QList<QHostAddress> out;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) || !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : iface.addressEntries())
            out.append(entry.ip());
    }
    return out;
}
