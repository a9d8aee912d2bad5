#include "app/window/TFormMain.h"

#include "app/run/RunTexts.h"
#include "app/window/TApplication.h"
#include "platform/SystemClock.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
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

// ---------------------------------------------------------------------------------------------
// The run's actions. Keys and menu items (through the item's click), buttons and the light barrier
// all come to runAction with the moment the action happened; the described handlers only forward.

void TFormMain::runAction(RunAction action, uint32_t tick) {
    guarded([&] {
        if (!m_session.IsEnabled(action))
            return;
        std::optional<RunResult> result;
        switch (action) {
        case RunAction::Start:
            if (auto r = m_session.Start(tick, seStartN->text(), editStartN->text(),
                                         platform::systemClock().localDateTime().time()))
                result = std::move(*r);
            break;
        case RunAction::Lap:
            if (auto r = m_session.Lap(tick))
                result = std::move(*r);
            break;
        case RunAction::Stop:
            if (auto r = m_session.Stop(tick, QLocale().decimalPoint()))
                result = std::move(*r);
            break;
        case RunAction::Reset:
            if (auto r = m_session.Reset(seStartN->value()))
                result = std::move(*r);
            break;
        }
        if (result)
            applyRunResult(action, tick, *result);
    });
}

void TFormMain::applyRunResult(RunAction action, uint32_t, const RunResult& result) {
    if (action == RunAction::Start)
        warnAtStart(seStartN->text());
    applyRunState();
    if (const auto* start = std::get_if<StartResult>(&result)) {
        for (const ProtocolLine& line : start->lines)
            addProtocolLine(line);
        feedEvent(RunAction::Start);
    } else if (const auto* lap = std::get_if<LapResult>(&result)) {
        ShowDigits(0, lap->time);
        QCoreApplication::processEvents();
        addProtocolLine(lap->line);
        feedEvent(RunAction::Lap);
        // A RESET that ran while the display repainted has ended this run; STOP must stay off then.
        if (!m_session.CompleteLap())
            return;
        applyRunState();
    } else if (const auto* stop = std::get_if<StopResult>(&result)) {
        ShowDigits(0, stop->time);
        QCoreApplication::processEvents();
        ShowDigits(1, stop->speed);
        addProtocolLine(stop->line);
        feedEvent(RunAction::Stop);
    } else if (const auto* reset = std::get_if<ResetResult>(&result)) {
        seStartN->setValue(reset->startNumber);
        editStartN->clear();
        addProtocolLine(reset->line);
        ShowDigits(0, 0);
        ShowDigits(1, 0);
        feedEvent(RunAction::Reset);
    }
    feedLive(action);
    runButton(RunSession::FocusAfter(action))->setFocus();
    if (action == RunAction::Stop)
        ShowLastRun();
}

void TFormMain::mStartClick(QObject*) {
    runAction(RunAction::Start, GetTickCount());
}

void TFormMain::mLapClick(QObject*) {
    DoLap();
}

void TFormMain::DoLap() {
    runAction(RunAction::Lap, GetTickCount());
}

void TFormMain::mStopClick(QObject*) {
    runAction(RunAction::Stop, GetTickCount());
}

void TFormMain::bRESETClick(QObject*) {
    runAction(RunAction::Reset, GetTickCount());
}

void TFormMain::mResetClick(QObject*) {
    // The button's click operation runs whether or not the button is enabled.
    bRESET->Click();
}

// The press, not the release, is the moment: the tick is read before anything else happens.

void TFormMain::bSTARTMouseDown(QObject*, Qt::MouseButton) {
    runAction(RunAction::Start, GetTickCount());
}

void TFormMain::bLAPMouseDown(QObject*, Qt::MouseButton) {
    runAction(RunAction::Lap, GetTickCount());
}

void TFormMain::bSTOPMouseDown(QObject*, Qt::MouseButton) {
    runAction(RunAction::Stop, GetTickCount());
}

void TFormMain::bRESETMouseDown(QObject*, Qt::MouseButton) {
    runAction(RunAction::Reset, GetTickCount());
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
