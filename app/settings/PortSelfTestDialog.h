#pragma once

#include "serial/PassIntervalMeter.h"
#include "serial/PortSelfTest.h"

#include <QDialog>
#include <QTime>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QTextBrowser;

/// "Lichtschranke prüfen": shows the port self-test's findings item by item, and a test mode that
/// counts each pass with the time since the previous one, so double edges show and a dead time
/// can be taken from what was measured. A thin view: the findings come from `SelfTest`, the
/// passes from whoever calls addPass (the main window, while the test mode is on).
class PortSelfTestDialog : public QDialog {
    Q_OBJECT
public:
    explicit PortSelfTestDialog(QWidget* parent = nullptr);
    ~PortSelfTestDialog() override;

    /// Checks `portName` ("COM5") and shows the findings.
    void checkPort(const QString& portName);
    /// The port checked last.
    const QString& Port() const { return m_port; }
    /// The findings shown.
    const std::vector<platform::PortFinding>& Findings() const { return m_findings; }

    /// A pass of the light barrier at `tick`, handled at `timeOfDay`; counted while the test mode is on.
    void addPass(uint32_t tick, const QTime& timeOfDay);
    /// Whether the test mode is on.
    bool TestMode() const { return m_testMode; }
    /// Starts or stops the test mode.
    void setTestMode(bool on);
    /// The intervals measured in the test mode.
    const platform::PassIntervalMeter& Meter() const { return m_meter; }

    /// A line of the test mode's list: "3.  10:04:05.123  +0,112 s" and, below the double-edge
    /// limit, "  Doppelflanke?".
    static QString passText(int number, const QTime& timeOfDay, std::optional<uint32_t> interval);

    /// The self-test; the real system's by default, tests give fake trees.
    std::function<std::vector<platform::PortFinding>(const std::string& port)> SelfTest;
    /// The test mode starts (true) or stops: the caller hands passes to addPass from then on.
    /// Returns an empty text, or for the operator why no passes can come (the test mode then stays off).
    std::function<QString(bool on)> OnTestMode;
    /// The operator takes the proposed dead time in milliseconds ("Sperrzeit übernehmen").
    std::function<void(int ms)> OnDeadTimeChosen;

    QLabel* lPort = nullptr;
    QTextBrowser* tbFindings = nullptr; ///< the findings, one paragraph each
    QPushButton* bRetest = nullptr;
    QPushButton* bTestMode = nullptr;
    QLabel* lTestNote = nullptr;
    QListWidget* lwPasses = nullptr;
    QLabel* lSummary = nullptr;
    QPushButton* bTakeDeadTime = nullptr;
    QPushButton* bClose = nullptr;

protected:
    /// Ends the test mode, so the passes go back to the run, however the dialog closes.
    void done(int result) override;

private:
    void showFindings();
    void showSummary();

    QString m_port;
    std::vector<platform::PortFinding> m_findings;
    bool m_testMode = false;
    platform::PassIntervalMeter m_meter;
};
