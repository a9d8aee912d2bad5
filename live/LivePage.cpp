#include "live/LivePage.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

// The resource file of a static library is registered by hand, outside any namespace.
static void registerLivePage() {
    Q_INIT_RESOURCE(livepage);
}

namespace {

QByteArray resource(const QString& name) {
    QFile file(QStringLiteral(":/live/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The texts that stand in the page itself, each as an element's whole text.
const char* const HtmlTexts[] = {
    QT_TRANSLATE_NOOP("LivePage", "Live-Ergebnisse"),
    QT_TRANSLATE_NOOP("LivePage", "Verbinde …"),
    QT_TRANSLATE_NOOP("LivePage", "Auf der Strecke"),
    QT_TRANSLATE_NOOP("LivePage", "Gerade ist niemand auf der Strecke."),
    QT_TRANSLATE_NOOP("LivePage", "Wertung"),
    QT_TRANSLATE_NOOP("LivePage", "Klasse"),
    QT_TRANSLATE_NOOP("LivePage", "Pl."),
    QT_TRANSLATE_NOOP("LivePage", "Nr."),
    QT_TRANSLATE_NOOP("LivePage", "Name"),
    QT_TRANSLATE_NOOP("LivePage", "Zeit"),
    QT_TRANSLATE_NOOP("LivePage", "Abst."),
    QT_TRANSLATE_NOOP("LivePage", "Letzte Läufe"),
    QT_TRANSLATE_NOOP("LivePage",
                      "Diese Seite braucht JavaScript. Die Daten gibt es auch als JSON unter /api/state."),
};

// The texts the script writes, looked up there by their German wording.
const char* const ScriptTexts[] = {
    QT_TRANSLATE_NOOP("LivePage", "Live"),
    QT_TRANSLATE_NOOP("LivePage", "Keine Verbindung – verbinde neu …"),
    QT_TRANSLATE_NOOP("LivePage", "Live-Ergebnisse"),
    QT_TRANSLATE_NOOP("LivePage", "Klasse %1"),
    QT_TRANSLATE_NOOP("LivePage", "ohne Klasse"),
    QT_TRANSLATE_NOOP("LivePage", "Gerade ist niemand auf der Strecke."),
    QT_TRANSLATE_NOOP("LivePage", "Platz %1 in %2"),
    QT_TRANSLATE_NOOP("LivePage", "Noch keine Läufe."),
    QT_TRANSLATE_NOOP("LivePage", "%1. Lauf"),
    QT_TRANSLATE_NOOP("LivePage", "Noch keine Wertung."),
};

QByteArray htmlEscaped(const QString& text) {
    return text.toHtmlEscaped().replace(QLatin1Char('\''), QStringLiteral("&#39;")).toUtf8();
}

} // namespace

QByteArray localizedLivePage(const QByteArray& html) {
    QByteArray out = html;
    bool translated = false;
    for (const char* text : HtmlTexts) {
        const QString shown = QCoreApplication::translate("LivePage", text);
        if (shown == QString::fromUtf8(text))
            continue;
        translated = true;
        out.replace(QByteArray(">") + htmlEscaped(QString::fromUtf8(text)) + '<',
                    QByteArray(">") + htmlEscaped(shown) + '<');
    }
    QJsonObject scriptTexts;
    for (const char* text : ScriptTexts) {
        const QString shown = QCoreApplication::translate("LivePage", text);
        if (shown != QString::fromUtf8(text))
            scriptTexts.insert(QString::fromUtf8(text), shown);
    }
    if (!translated && scriptTexts.isEmpty())
        return out; // German, the page's own language
    const QByteArray language =
        htmlEscaped(QCoreApplication::translate("LivePage", "de", "language code of the page"));
    const QByteArray texts =
        htmlEscaped(QString::fromUtf8(QJsonDocument(scriptTexts).toJson(QJsonDocument::Compact)));
    out.replace("<html lang=\"de\">", "<html lang=\"" + language + "\" data-texts=\"" + texts + "\">");
    return out;
}

QStringList livePageSourceTexts() {
    QStringList texts;
    for (const char* text : HtmlTexts)
        texts << QString::fromUtf8(text);
    for (const char* text : ScriptTexts)
        texts << QString::fromUtf8(text);
    return texts;
}

LiveAssets livePageAssets() {
    registerLivePage();
    return LiveAssets{localizedLivePage(resource(QStringLiteral("index.html"))),
                      resource(QStringLiteral("live.css")), resource(QStringLiteral("live.js"))};
}
