#pragma once

#include <QHostAddress>
#include <QList>
#include <QStringList>

/// The addresses phones on the local network reach this computer by: IPv4, neither loopback nor
/// link-local (169.254.x.x), in the order given, without repeats.
QList<QHostAddress> usableLanAddresses(const QList<QHostAddress>& addresses);

/// "http://<address>:<port>/" for each address.
QStringList liveUrls(const QList<QHostAddress>& addresses, quint16 port);

/// The addresses of the network interfaces that are up (loopback left out).
QList<QHostAddress> localInterfaceAddresses();
