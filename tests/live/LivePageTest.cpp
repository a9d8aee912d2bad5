// The live page in the program's language: the server translates the page's own texts and hands the
// script the texts it writes; in German the page goes out exactly as the program carries it.
#include "live/LivePage.h"
#include "tests/support/WidgetTexts.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

using testsupport::germanTexts;
using testsupport::ScopedLanguage;

namespace {

QByteArray carried(const QString& name) {
    QFile file(QStringLiteral(":/live/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The visible texts of a page: everything between tags, and the title.
QStringList pageTexts(const QByteArray& html) {
    QStringList texts;
    static const QRegularExpression between(QStringLiteral(">([^<]+)<"));
    for (const QRegularExpressionMatch& m : between.globalMatch(QString::fromUtf8(html)))
        if (const QString t = m.captured(1).trimmed(); !t.isEmpty())
            texts << t;
    return texts;
}

} // namespace

TEST(LivePage, EveryTranslatedTextStandsInThePageOrItsScript) {
    const LiveAssets german = livePageAssets();
    // Without a translator the page is the one carried, byte for byte.
    EXPECT_EQ(german.html, carried(QStringLiteral("index.html")));
    EXPECT_FALSE(german.html.contains("data-texts"));
    const QString page = QString::fromUtf8(german.html);
    const QString script = QString::fromUtf8(german.js);
    for (const QString& text : livePageSourceTexts())
        EXPECT_TRUE(page.contains(QLatin1Char('>') + text.toHtmlEscaped() + QLatin1Char('<')) ||
                    script.contains(QLatin1Char('\'') + text + QLatin1Char('\'')))
            << qPrintable(text) << " is neither in the page nor in the script";
}

TEST(LivePage, ServedInEnglishItCarriesEnglishTextsForThePageAndTheScript) {
    ScopedLanguage english(platform::Language::English);
    ASSERT_TRUE(english.installed()) << "vantro_en.qm not built";
    const LiveAssets assets = livePageAssets();
    const QString html = QString::fromUtf8(assets.html);
    EXPECT_TRUE(html.contains(QStringLiteral("<html lang=\"en\" data-texts=\"")));
    for (const char* text :
         {"<title>Live results</title>", ">On track<", ">Latest runs<", ">Class<", ">Gap<"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(text))) << text;

    static const QRegularExpression attribute(QStringLiteral("data-texts=\"([^\"]*)\""));
    const QRegularExpressionMatch m = attribute.match(html);
    ASSERT_TRUE(m.hasMatch());
    // The attribute is HTML-escaped JSON, keyed by the script's German texts.
    QString json = m.captured(1);
    json.replace(QStringLiteral("&quot;"), QStringLiteral("\""))
        .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    const QJsonObject texts = QJsonDocument::fromJson(json.toUtf8()).object();
    EXPECT_EQ(texts.value(QStringLiteral("Klasse %1")).toString(), QStringLiteral("Class %1"));
    EXPECT_EQ(texts.value(QStringLiteral("Keine Verbindung – verbinde neu …")).toString(),
              QStringLiteral("No connection – reconnecting …"));
    EXPECT_EQ(texts.value(QStringLiteral("%1. Lauf")).toString(), QStringLiteral("Run %1"));

    QByteArray withoutTexts = assets.html;
    withoutTexts.replace(m.captured(0).toUtf8(), QByteArray());
    EXPECT_EQ(germanTexts(pageTexts(withoutTexts)), QStringList{});
    EXPECT_LT(assets.html.size() + assets.css.size() + assets.js.size(), 50 * 1024) << "first load";
}
