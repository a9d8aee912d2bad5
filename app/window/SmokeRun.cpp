#include "app/window/SmokeRun.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>

bool SmokeRun::Requested(const QStringList& arguments) {
    return arguments.mid(1).contains(QStringLiteral("--smoke"));
}

SmokeRun::SmokeRun(QWidget* window, int timeoutMs, Finish finish)
    : m_window(window), m_finish(std::move(finish)) {
    if (!m_finish)
        m_finish = [](int exitCode) { QCoreApplication::exit(exitCode); };
    // The window's children may cover all of it, so a paint of any widget in it counts.
    QCoreApplication::instance()->installEventFilter(this);
    m_timeout.setSingleShot(true);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        std::fprintf(stderr, "vantro --smoke: the window drew no frame within %d ms\n", m_timeout.interval());
        finishWith(1);
    });
    m_timeout.start(timeoutMs);
}

bool SmokeRun::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Paint || m_finished)
        return QObject::eventFilter(watched, event);
    if (const auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window() == m_window) {
        // End after this paint has been drawn and flushed, not while it is under way.
        QTimer::singleShot(0, this, [this] { finishWith(0); });
    }
    return QObject::eventFilter(watched, event);
}

void SmokeRun::finishWith(int exitCode) {
    if (m_finished)
        return;
    m_finished = true;
    m_timeout.stop();
    QCoreApplication::instance()->removeEventFilter(this);
    m_finish(exitCode);
}
