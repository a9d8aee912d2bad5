#pragma once

#include <QHostAddress>
#include <QTimer>
#include <QWidget>

#include <functional>

class LiveQrView;
class LiveServer;
class QCheckBox;
class QComboBox;
class QLabel;
class QSpinBox;

/// "Live-Ergebnisse": switches the results server on and off, chooses its port, and shows the
/// addresses phones on the local network open, with a QR code of the chosen one. A port that cannot
/// be opened is said in the window; choosing another port tries again at once. The switch and the
/// port are the user's choice, which the owner keeps in the settings (`choiceChanged`).
class LiveServerWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int DefaultPort = 8080;

    /// A window over `server`, which must outlive it.
    explicit LiveServerWindow(LiveServer& server, QWidget* parent = nullptr);

    /// Sets the choice (from the settings) and starts or stops the server to match it.
    void setChoice(bool enabled, int port);
    /// The switch as set.
    bool enabledChoice() const;
    /// The port as set.
    int portChoice() const;

    /// The address the server listens on (default: every interface); tests take loopback.
    void setListenAddress(const QHostAddress& address) { m_listen = address; }

    /// Where the network addresses come from (default: the interfaces that are up); for tests.
    void setAddressSource(std::function<QList<QHostAddress>()> source);

    /// The line under the switch: running, stopped, or why it does not run.
    QString statusText() const;
    /// The addresses offered, "http://<address>:<port>/".
    QStringList urls() const;
    /// The QR code's view.
    LiveQrView* qrView() const { return m_qr; }

signals:
    /// The user changed the switch or the port.
    void choiceChanged(bool enabled, int port);

private:
    void apply();
    void userChanged();
    void showAddresses();
    void showClients();

    LiveServer& m_server;
    std::function<QList<QHostAddress>()> m_addresses;
    QHostAddress m_listen{QHostAddress::Any};
    QCheckBox* m_enabled = nullptr;
    QSpinBox* m_port = nullptr;
    QLabel* m_status = nullptr;
    QComboBox* m_urls = nullptr;
    QLabel* m_hint = nullptr;
    LiveQrView* m_qr = nullptr;
    QLabel* m_clients = nullptr;
    QTimer m_refresh;
    bool m_applying = false;
};
