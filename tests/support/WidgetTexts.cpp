#include "WidgetTexts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextDocument>
#include <QTranslator>
#include <QTreeView>
#include <QWidget>

namespace testsupport {

namespace {

QString plain(QString text) {
    if (Qt::mightBeRichText(text)) {
        QTextDocument document;
        document.setHtml(text);
        text = document.toPlainText();
    }
    // "&&" is a shown ampersand, a single one marks the mnemonic.
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    return text.trimmed();
}

void headerTexts(QAbstractItemView* view, QStringList& out) {
    QAbstractItemModel* model = view->model();
    if (!model)
        return;
    for (int c = 0; c < model->columnCount(); ++c)
        out << model->headerData(c, Qt::Horizontal).toString();
}

void actionTexts(QAction* action, QStringList& out) {
    out << action->text() << action->toolTip() << action->statusTip();
    if (QMenu* menu = action->menu()) {
        out << menu->title();
        for (QAction* a : menu->actions())
            actionTexts(a, out);
    }
}

} // namespace

QStringList widgetTexts(QWidget* root) {
    QStringList raw;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        raw << w->windowTitle() << w->toolTip() << w->statusTip() << w->accessibleName();
        if (auto* label = qobject_cast<QLabel*>(w))
            raw << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            raw << button->text();
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            raw << group->title();
        else if (auto* edit = qobject_cast<QLineEdit*>(w))
            raw << edit->placeholderText();
        else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                raw << combo->itemText(i) << combo->itemData(i, Qt::ToolTipRole).toString();
        } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                raw << tabs->tabText(i) << tabs->tabToolTip(i);
        } else if (auto* view = qobject_cast<QAbstractItemView*>(w)) {
            headerTexts(view, raw);
        }
        for (QAction* a : w->actions())
            actionTexts(a, raw);
    }
    QStringList texts;
    for (const QString& text : raw) {
        const QString shown = plain(text);
        if (!shown.isEmpty() && !texts.contains(shown))
            texts << shown;
    }
    return texts;
}

QStringList germanTexts(const QStringList& texts, const QStringList& allowed) {
    // Words of the program's German texts that English never uses; whole words, any case.
    static const QRegularExpression german(
        QStringLiteral("[äöüÄÖÜß]|\\b(der|die|das|dem|den|des|und|oder|nicht|kein|keine|mit|für|von|vom|zum|"
                       "zur|ist|sind|wird|wurde|werden|ein|eine|einen|noch|nach|bei|aus|auf|alle|neu|neue|"
                       "Datei|Lauf|Läufe|Fahrer|Ergebnis|Ergebnisse|Einstellungen|Speichern|Öffnen|"
                       "Drucken|Abbrechen|Veranstaltung|Startliste|Klasse|Klassen|Zeit|Strafe|Strafen|"
                       "Wertung|Zuschauer|Anzeige|Sprache|Schließen|Beenden|Hilfe|Bearbeiten|Löschen|"
                       "Rückgängig|Wiederholen|Nummer|Startnummer|Vorname|Verein|Fehler|Warnung|"
                       "Lichtschranke|Empfindlichkeit|Sperrzeit|Farbe|Ziffern|Fenster|Protokoll|"
                       "Einfügen|Ausschneiden|Kopieren|Alles|Zurück|Weiter|Ja|Nein|Uhr|Gesamt|Bestzeit)\\b"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    QStringList found;
    for (const QString& text : texts) {
        if (!allowed.contains(text) && german.match(text).hasMatch())
            found << text;
    }
    return found;
}

void saveScreenshots(QWidget& window, const QString& name) {
    const QString dir = qEnvironmentVariable("VANTRO_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return;
    QTest::qWait(50);
    QTabWidget* tabs = window.findChild<QTabWidget*>();
    if (!tabs) {
        window.grab().save(QStringLiteral("%1/%2.png").arg(dir, name));
        return;
    }
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        window.grab().save(QStringLiteral("%1/%2-%3.png").arg(dir, name).arg(i));
    }
}

ScopedLanguage::ScopedLanguage(platform::Language language)
    : m_translators(platform::installLanguage(language)) {}

ScopedLanguage::~ScopedLanguage() {
    for (QTranslator* translator : m_translators) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

} // namespace testsupport
