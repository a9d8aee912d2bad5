#include "app/settings/PortSelfTestDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

using platform::FindingSeverity;
using platform::PortFinding;

namespace {

QString milliseconds(uint32_t ms) {
    return QStringLiteral("%1,%2 s").arg(ms / 1000).arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

// A finding as a paragraph: a coloured mark, the text, and the commands it names (its lines that
// begin with blanks) set apart so they can be copied as they are.
QString findingHtml(const PortFinding& f) {
    const char* mark = f.Severity == FindingSeverity::Ok ? "<span style='color:#1a7f1a'>&#10004;</span>"
                       : f.Severity == FindingSeverity::Warning
                           ? "<span style='color:#b36b00'>&#9888;</span>"
                           : "<span style='color:#c00000'>&#10008;</span>";
    QString html = QStringLiteral("<p><b>%1</b> ").arg(QLatin1String(mark));
    bool first = true;
    for (const QString& line : f.Text.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("  ")))
            html += QStringLiteral("<br><code>&nbsp;&nbsp;%1</code>").arg(line.trimmed().toHtmlEscaped());
        else
            html += (first ? QString() : QStringLiteral("<br>")) + line.toHtmlEscaped();
        first = false;
    }
    return html + QStringLiteral("</p>");
}

} // namespace

PortSelfTestDialog::PortSelfTestDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PortSelfTestDialog"));
    setWindowTitle(tr("Lichtschranke prüfen"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    resize(560, 520);
    SelfTest = [](const std::string& port) {
        return platform::runPortSelfTest(port, platform::PortSelfTestEnvironment::current());
    };

    auto* layout = new QVBoxLayout(this);
    lPort = new QLabel(this);
    lPort->setObjectName(QStringLiteral("lPort"));
    QFont bold = lPort->font();
    bold.setBold(true);
    lPort->setFont(bold);
    layout->addWidget(lPort);

    tbFindings = new QTextBrowser(this);
    tbFindings->setObjectName(QStringLiteral("tbFindings"));
    tbFindings->setOpenLinks(false);
    layout->addWidget(tbFindings, 3);

    auto* testRow = new QHBoxLayout;
    bRetest = new QPushButton(tr("Erneut prüfen"), this);
    bRetest->setObjectName(QStringLiteral("bRetest"));
    bTestMode = new QPushButton(tr("Testmodus starten"), this);
    bTestMode->setObjectName(QStringLiteral("bTestMode"));
    testRow->addWidget(bRetest);
    testRow->addWidget(bTestMode);
    testRow->addStretch();
    layout->addLayout(testRow);

    lTestNote = new QLabel(tr("Im Testmodus zählt jede Durchfahrt, ohne einen Lauf zu starten. "
                              "Fahren oder gehen Sie mehrmals durch die Lichtschranke: "
                              "Abstände unter 0,5 s sind meist Doppelflanken einer Durchfahrt."),
                           this);
    lTestNote->setObjectName(QStringLiteral("lTestNote"));
    lTestNote->setWordWrap(true);
    layout->addWidget(lTestNote);

    lwPasses = new QListWidget(this);
    lwPasses->setObjectName(QStringLiteral("lwPasses"));
    QFont mono = lwPasses->font();
    mono.setFamily(QStringLiteral("Courier New"));
    mono.setStyleHint(QFont::Monospace);
    lwPasses->setFont(mono);
    layout->addWidget(lwPasses, 2);

    auto* summaryRow = new QHBoxLayout;
    lSummary = new QLabel(this);
    lSummary->setObjectName(QStringLiteral("lSummary"));
    lSummary->setWordWrap(true);
    bTakeDeadTime = new QPushButton(this);
    bTakeDeadTime->setObjectName(QStringLiteral("bTakeDeadTime"));
    summaryRow->addWidget(lSummary, 1);
    summaryRow->addWidget(bTakeDeadTime);
    layout->addLayout(summaryRow);

    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    bClose = new QPushButton(tr("Schließen"), this);
    bClose->setObjectName(QStringLiteral("bClose"));
    closeRow->addWidget(bClose);
    layout->addLayout(closeRow);

    connect(bRetest, &QPushButton::clicked, this, [this] { checkPort(m_port); });
    connect(bTestMode, &QPushButton::clicked, this, [this] { setTestMode(!m_testMode); });
    connect(bTakeDeadTime, &QPushButton::clicked, this, [this] {
        if (OnDeadTimeChosen && m_meter.proposedDeadTime() > 0)
            OnDeadTimeChosen(m_meter.proposedDeadTime());
    });
    connect(bClose, &QPushButton::clicked, this, &QDialog::accept);
    showSummary();
}

PortSelfTestDialog::~PortSelfTestDialog() = default;

void PortSelfTestDialog::checkPort(const QString& portName) {
    m_port = portName;
    lPort->setText(tr("Lichtschranke an %1").arg(portName));
    m_findings = SelfTest ? SelfTest(portName.toStdString()) : std::vector<PortFinding>{};
    showFindings();
}

void PortSelfTestDialog::showFindings() {
    QString html;
    for (const PortFinding& f : m_findings)
        html += findingHtml(f);
    const bool allOk = std::all_of(m_findings.begin(), m_findings.end(),
                                   [](const PortFinding& f) { return f.Severity == FindingSeverity::Ok; });
    if (!m_findings.empty() && allOk)
        html += tr("<p>Alles in Ordnung. Prüfen Sie die Lichtschranke selbst mit dem Testmodus.</p>");
    tbFindings->setHtml(html);
}

void PortSelfTestDialog::setTestMode(bool on) {
    if (on == m_testMode)
        return;
    if (on && OnTestMode) {
        const QString why = OnTestMode(true);
        if (!why.isEmpty()) {
            lTestNote->setText(why);
            return;
        }
    } else if (!on && OnTestMode) {
        OnTestMode(false);
    }
    m_testMode = on;
    if (on) {
        m_meter.reset();
        lwPasses->clear();
    }
    bTestMode->setText(on ? tr("Testmodus beenden") : tr("Testmodus starten"));
    showSummary();
}

void PortSelfTestDialog::addPass(uint32_t tick, const QTime& timeOfDay) {
    if (!m_testMode)
        return;
    m_meter.addPass(tick);
    lwPasses->addItem(passText(m_meter.count(), timeOfDay, m_meter.lastInterval()));
    lwPasses->scrollToBottom();
    showSummary();
}

QString PortSelfTestDialog::passText(int number, const QTime& timeOfDay, std::optional<uint32_t> interval) {
    QString text =
        QStringLiteral("%1.  %2").arg(number, 3).arg(timeOfDay.toString(QStringLiteral("HH:mm:ss.zzz")));
    if (interval) {
        text += QStringLiteral("  +%1").arg(milliseconds(*interval), 9);
        if (*interval < platform::PassIntervalMeter::DoubleEdgeLimit)
            text += tr("  Doppelflanke?");
    }
    return text;
}

void PortSelfTestDialog::showSummary() {
    const int proposal = m_meter.proposedDeadTime();
    QString text;
    if (!m_testMode && m_meter.count() == 0) {
        text = tr("Testmodus aus.");
    } else {
        text = tr("Durchfahrten: %1").arg(m_meter.count());
        if (const std::optional<uint32_t> shortest = m_meter.shortestInterval())
            text += tr(" · kürzester Abstand: %1 ms").arg(*shortest);
        if (const std::optional<uint32_t> edge = m_meter.longestDoubleEdge())
            text +=
                tr(" · längste Doppelflanke: %1 ms · Vorschlag Sperrzeit: %2 ms").arg(*edge).arg(proposal);
        else if (m_meter.count() > 1)
            text += tr(" · keine Doppelflanken");
    }
    lSummary->setText(text);
    bTakeDeadTime->setText(proposal > 0 ? tr("Sperrzeit %1 ms übernehmen").arg(proposal)
                                        : tr("Sperrzeit übernehmen"));
    bTakeDeadTime->setEnabled(proposal > 0 && OnDeadTimeChosen != nullptr);
}

void PortSelfTestDialog::done(int result) {
    setTestMode(false);
    QDialog::done(result);
}
