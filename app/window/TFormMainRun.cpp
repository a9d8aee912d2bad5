#include "app/window/TFormMain.h"

#include "app/run/RunTexts.h"
#include "app/window/TApplication.h"
#include "platform/SystemClock.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>

// Each action asks the session for its result and applies it to the widgets; the session decides
// what is enabled, the widgets only mirror it.

template <typename F> void TFormMain::guarded(F&& action) {
    try {
        action();
    } catch (...) {
        ShowException(std::current_exception());
    }
}

uint32_t TFormMain::takeActionTick() {
    if (m_eventTick) {
        const uint32_t tick = *m_eventTick;
        m_eventTick.reset();
        return tick;
    }
    return GetTickCount();
}

TBitBtnWithColor* TFormMain::runButton(RunAction action) const {
    switch (action) {
    case RunAction::Start:
        return bSTART;
    case RunAction::Lap:
        return bLAP;
    case RunAction::Stop:
        return bSTOP;
    case RunAction::Reset:
        return bRESET;
    }
    return bSTART;
}

TMenuItem* TFormMain::runItem(RunAction action) const {
    switch (action) {
    case RunAction::Start:
        return mStart;
    case RunAction::Lap:
        return mLap;
    case RunAction::Stop:
        return mStop;
    case RunAction::Reset:
        return mReset;
    }
    return mStart;
}

void TFormMain::applyRunState() {
    const RunEnables e = m_session.Enables();
    const std::pair<RunAction, bool> actions[4] = {{RunAction::Start, e.start},
                                                   {RunAction::Lap, e.lap},
                                                   {RunAction::Stop, e.stop},
                                                   {RunAction::Reset, e.reset}};
    for (const auto& [action, enabled] : actions) {
        runButton(action)->setEnabled(enabled);
        runItem(action)->setEnabled(enabled);
    }
    seStartN->setEnabled(e.startNumber);
    if (e.clock && !Clock->isActive())
        Clock->start();
    else if (!e.clock)
        Clock->stop();
}

void TFormMain::addProtocolLine(const ProtocolLine& line) {
    AddProtocolRow(line.who, line.time, line.speed, line.note);
}

void TFormMain::ClickWithTick(TMenuItem* item, uint32_t tick) {
    const QScopedValueRollback<std::optional<uint32_t>> handOver(m_eventTick, tick);
    item->Click();
}

void TFormMain::mStartClick(QObject*) {
    guarded([this] {
        const uint32_t tick = takeActionTick();
        const std::optional<StartResult> r = m_session.Start(tick, seStartN->text(), editStartN->text(),
                                                             platform::systemClock().localDateTime().time());
        if (!r)
            return;
        warnAtStart(seStartN->text());
        applyRunState();
        for (const ProtocolLine& line : r->lines)
            addProtocolLine(line);
        runButton(RunSession::FocusAfter(RunAction::Start))->setFocus();
    });
}

void TFormMain::mLapClick(QObject*) {
    DoLap();
}

void TFormMain::DoLap() {
    guarded([this] {
        const std::optional<LapResult> r = m_session.Lap(takeActionTick());
        if (!r)
            return;
        applyRunState();
        ShowDigits(0, r->time);
        QCoreApplication::processEvents();
        addProtocolLine(r->line);
        // A RESET that ran while the display repainted has ended this run; STOP must stay off then.
        if (!m_session.CompleteLap())
            return;
        applyRunState();
        runButton(RunSession::FocusAfter(RunAction::Lap))->setFocus();
    });
}

void TFormMain::mStopClick(QObject*) {
    guarded([this] {
        const std::optional<StopResult> r = m_session.Stop(takeActionTick(), QLocale().decimalPoint());
        if (!r)
            return;
        applyRunState();
        ShowDigits(0, r->time);
        QCoreApplication::processEvents();
        ShowDigits(1, r->speed);
        addProtocolLine(r->line);
        runButton(RunSession::FocusAfter(RunAction::Stop))->setFocus();
        ShowLastRun();
    });
}

void TFormMain::bRESETClick(QObject*) {
    guarded([this] {
        const std::optional<ResetResult> r = m_session.Reset(seStartN->value());
        if (!r)
            return;
        applyRunState();
        seStartN->setValue(r->startNumber);
        editStartN->clear();
        addProtocolLine(r->line);
        ShowDigits(0, 0);
        ShowDigits(1, 0);
        runButton(RunSession::FocusAfter(RunAction::Reset))->setFocus();
    });
}

void TFormMain::mResetClick(QObject*) {
    // The button's click operation runs whether or not the button is enabled.
    bRESET->Click();
}

void TFormMain::bSTARTMouseDown(QObject*, Qt::MouseButton) {
    mStart->Click();
}

void TFormMain::bLAPMouseDown(QObject*, Qt::MouseButton) {
    DoLap();
}

void TFormMain::bSTOPMouseDown(QObject*, Qt::MouseButton) {
    mStop->Click();
}

void TFormMain::bRESETMouseDown(QObject*, Qt::MouseButton) {
    mResetClick(bRESET);
}

void TFormMain::ClockTimer(QObject*) {
    ShowDigits(0, m_session.Elapsed(GetTickCount()));
}

bool TFormMain::ClockRunning() const {
    return Clock->isActive();
}

// ---------------------------------------------------------------------------------------------
// Name field

void TFormMain::editStartNEnter(QObject*) {
    for (TMenuItem* item : {mStart, mLap, mStop, mReset})
        item->setShortCut(0);
}

void TFormMain::editStartNExit(QObject*) {
    mStart->setShortCut(ShortCutCode::Start);
    mLap->setShortCut(ShortCutCode::Lap);
    mStop->setShortCut(ShortCutCode::Stop);
    mReset->setShortCut(ShortCutCode::Reset);
    bool ok = false;
    const qlonglong number = editStartN->text().toLongLong(&ok, 10);
    if (ok)
        seStartN->setValue(
            int(std::clamp<qlonglong>(number, RunSession::StartNumberMin, RunSession::StartNumberMax)));
}

void TFormMain::editStartNKeyDown(QObject*, int& Key, Qt::KeyboardModifiers) {
    if ((Key == Qt::Key_Return || Key == Qt::Key_Enter) && m_session.IsEnabled(RunAction::Start))
        bSTART->setFocus();
}
