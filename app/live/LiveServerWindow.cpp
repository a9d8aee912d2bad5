#include "app/live/LiveServerWindow.h"

#include "app/live/LiveQrView.h"
#include "live/LiveAddresses.h"
#include "live/LiveServer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QVBoxLayout>

LiveServerWindow::LiveServerWindow(LiveServer& server, QWidget* parent)
    : QWidget(parent, Qt::Window), m_server(server), m_addresses(&localInterfaceAddresses) {
    setWindowTitle(tr("Live-Ergebnisse"));
    auto* layout = new QVBoxLayout(this);

    m_enabled = new QCheckBox(tr("Live-Ergebnisse im lokalen Netz anbieten"), this);
    m_enabled->setObjectName(QStringLiteral("cbLive"));
    layout->addWidget(m_enabled);

    auto* form = new QFormLayout;
    m_port = new QSpinBox(this);
    m_port->setObjectName(QStringLiteral("sePort"));
    m_port->setRange(1, 65535);
    m_port->setValue(DefaultPort);
    m_port->setKeyboardTracking(false); // a port is tried once it is typed in full
    form->addRow(tr("Port:"), m_port);
    layout->addLayout(form);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("labStatus"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    m_urls = new QComboBox(this);
    m_urls->setObjectName(QStringLiteral("cbAddress"));
    layout->addWidget(m_urls);
    m_hint = new QLabel(this);
    m_hint->setWordWrap(true);
    m_hint->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_hint);
    m_qr = new LiveQrView(this);
    layout->addWidget(m_qr, 1);
    m_clients = new QLabel(this);
    m_clients->setObjectName(QStringLiteral("labClients"));
    layout->addWidget(m_clients);

    connect(m_enabled, &QCheckBox::toggled, this, &LiveServerWindow::userChanged);
    connect(m_port, &QSpinBox::valueChanged, this, &LiveServerWindow::userChanged);
    connect(m_urls, &QComboBox::currentTextChanged, this, [this](const QString& url) {
        m_qr->setText(m_server.isRunning() ? url.toUtf8() : QByteArray());
    });
    connect(&m_refresh, &QTimer::timeout, this, &LiveServerWindow::showClients);
    m_refresh.start(1000);
    apply();
}

void LiveServerWindow::setChoice(bool enabled, int port) {
    {
        QScopedValueRollback guard(m_applying, true);
        m_port->setValue(port);
        m_enabled->setChecked(enabled);
    }
    apply();
}

bool LiveServerWindow::enabledChoice() const {
    return m_enabled->isChecked();
}

int LiveServerWindow::portChoice() const {
    return m_port->value();
}

void LiveServerWindow::setAddressSource(std::function<QList<QHostAddress>()> source) {
    m_addresses = source ? std::move(source) : std::function<QList<QHostAddress>()>(&localInterfaceAddresses);
    showAddresses();
}

QString LiveServerWindow::statusText() const {
    return m_status->text();
}

QStringList LiveServerWindow::urls() const {
    QStringList out;
    for (int i = 0; i < m_urls->count(); ++i)
        out << m_urls->itemText(i);
    return out;
}

void LiveServerWindow::userChanged() {
    if (m_applying)
        return;
    apply();
    emit choiceChanged(enabledChoice(), portChoice());
}

void LiveServerWindow::apply() {
    const quint16 port = quint16(m_port->value());
    if (!m_enabled->isChecked()) {
        m_server.stop();
        m_status->setText(tr("Aus. Die Ergebnisse sind nur an diesem Rechner zu sehen."));
        m_status->setStyleSheet(QString());
    } else if (!m_server.isRunning() || m_server.port() != port) {
        const LiveStartResult result = m_server.start(port, m_listen);
        if (result.ok()) {
            m_status->setText(tr("Läuft auf Port %1. Telefone im selben Netz öffnen die Adresse unten "
                                 "oder scannen den Code.")
                                  .arg(m_server.port()));
            m_status->setStyleSheet(QString());
        } else {
            m_status->setText(liveStartErrorText(result, port));
            m_status->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
        }
    }
    showAddresses();
    showClients();
}

void LiveServerWindow::showAddresses() {
    const QString current = m_urls->currentText();
    m_urls->blockSignals(true);
    m_urls->clear();
    if (m_server.isRunning()) {
        const QList<QHostAddress> lan = usableLanAddresses(m_addresses());
        m_urls->addItems(liveUrls(lan, m_server.port()));
        m_hint->setText(lan.isEmpty() ? tr("Kein lokales Netz gefunden. Auf diesem Rechner: "
                                           "http://127.0.0.1:%1/")
                                            .arg(m_server.port())
                        : lan.size() > 1 ? tr("Dieser Rechner hat mehrere Adressen; der Code zeigt die "
                                              "gewählte. Die Telefone brauchen die aus ihrem Netz.")
                                         : tr("Adresse im Browser des Telefons öffnen oder den Code "
                                              "scannen."));
    } else {
        m_hint->clear();
    }
    const int keep = m_urls->findText(current);
    m_urls->setCurrentIndex(keep >= 0 ? keep : 0);
    m_urls->blockSignals(false);
    m_urls->setVisible(m_urls->count() > 0);
    m_qr->setText(m_server.isRunning() ? m_urls->currentText().toUtf8() : QByteArray());
}

void LiveServerWindow::showClients() {
    if (!m_server.isRunning()) {
        m_clients->clear();
        return;
    }
    const int pages = m_server.stats().pushClients;
    m_clients->setText(pages == 1 ? tr("1 Seite geöffnet") : tr("%1 Seiten geöffnet").arg(pages));
}
