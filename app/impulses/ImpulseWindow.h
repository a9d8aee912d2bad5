#pragma once

#include "app/impulses/ImpulseLog.h"

#include <QWidget>
#include <functional>

class EventModel;
class ImpulseListModel;
class ProtocolLineTarget;
class QLabel;
class QPushButton;
class QTableView;
class QUndoStack;

/// What the impulse list needs from the program to take a pass as LAP or STOP.
struct ImpulseContext {
    std::function<int()> LenLuch;           ///< metres between the LAP and the STOP pass
    std::function<int()> Acc;               ///< resolution of the protocol's time texts
    ProtocolLineTarget* Protocol = nullptr; ///< where the run's line goes; null for none
    std::function<EventModel*()> Event;     ///< the open event; null or returning null for none
    /// Takes the pass for the run still being timed, as the barrier would have (the run stops at the
    /// pass's tick); false when the pass's run is not the one under way or the action is not due.
    std::function<bool(const PassAssignment&)> TakeLive;
};

/// "Impulse": every light-barrier pass of the day, live, with the commands that take an ignored
/// pass as its run's LAP or STOP (undoable) on `undoStack`.
class ImpulseWindow : public QWidget {
    Q_OBJECT
public:
    ImpulseWindow(ImpulseLog& log, QUndoStack& undoStack, ImpulseContext context, QWidget* parent = nullptr);

    /// Takes the selected pass as LAP or STOP; a pass that cannot be taken is explained in a message.
    void assignSelected(PassRole role);
    /// The pass selected (-1 none).
    int selectedPass() const;
    /// Selects pass `pass`.
    void selectPass(int pass);

    QTableView* tvImpulses = nullptr;
    QPushButton* bAsLap = nullptr;
    QPushButton* bAsStop = nullptr;
    QPushButton* bUndo = nullptr;
    QPushButton* bRedo = nullptr;
    QLabel* lHint = nullptr;

private:
    void updateButtons();

    ImpulseLog& m_log;
    QUndoStack& m_undo;
    ImpulseContext m_context;
    ImpulseListModel* m_model = nullptr;
};
