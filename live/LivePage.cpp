#include "live/LivePage.h"

#include <QFile>

// The resource file of a static library is registered by hand, outside any namespace.
static void registerLivePage() {
    Q_INIT_RESOURCE(livepage);
}

namespace {

QByteArray resource(const QString& name) {
    QFile file(QStringLiteral(":/live/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

LiveAssets livePageAssets() {
    registerLivePage();
    return LiveAssets{resource(QStringLiteral("index.html")), resource(QStringLiteral("live.css")),
                      resource(QStringLiteral("live.js"))};
}
