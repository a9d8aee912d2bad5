#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

class QWidget;

/// The "--smoke" start, which proves that the program comes up: ends the program once its window
/// has drawn its first frame, with exit code 0, or with exit code 1 and a message on stderr when
/// no frame was drawn in time.
class SmokeRun : public QObject {
    Q_OBJECT
public:
    /// How the program ends; by default the application's event loop ends with the code.
    using Finish = std::function<void(int exitCode)>;

    /// Whether the program's arguments `arguments` ask for the smoke start.
    static bool Requested(const QStringList& arguments);

    /// Watches `window` (not yet shown) for its first frame for at most `timeoutMs`.
    SmokeRun(QWidget* window, int timeoutMs, Finish finish = {});

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void finishWith(int exitCode);

    QWidget* m_window;
    QTimer m_timeout;
    Finish m_finish;
    bool m_finished = false;
};
