#include "app/window/TFormMain.h"

#include "app/impulses/AssignPassCommand.h"
#include "app/impulses/ImpulseLog.h"
#include "app/impulses/ImpulseWindow.h"
#include "app/journal/JournalReplay.h"
#include "app/journal/ProtocolJournal.h"
#include "app/results/EventDocument.h"
#include "app/run/RunNotices.h"
#include "app/settings/PortSelfTestDialog.h"
#include "app/window/TStatusLabel.h"
#include "platform/AlarmSound.h"
#include "platform/Dialogs.h"
#include "platform/SystemClock.h"
#include "sortgrid/TSortGrid.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QUndoStack>

// The light barrier's trust: the impulse list, the self-test with its test mode, the alarm when the
// barrier is lost during a run, and the notices in the status.

namespace {

// The protocol grid as the assignment of a pass edits it.
class GridProtocolTarget : public ProtocolLineTarget {
public:
    explicit GridProtocolTarget(TFormMain& form) : m_form(form) {}

    QList<ProtocolLine> Lines() const override { return m_form.GridRows().mid(1); }

    void InsertLine(int row, const ProtocolLine& line) override {
        TSortGrid& grid = *m_form.SortGrid1;
        const int32_t at = row + 1;
        // AddRow fills an empty last row or appends one; the line is then moved to its place.
        grid.AddRow(QStringList{line.who, line.time, line.speed, line.note});
        const int32_t last = grid.RowCount() - 1;
        if (at < last)
            grid.MoveRow(last, at);
        m_form.JournalProtocolReplaced();
    }

    void RemoveLine(int row) override {
        m_form.SortGrid1->DeleteRow(row + 1);
        m_form.JournalProtocolReplaced();
    }

private:
    TFormMain& m_form;
};

// Keeps the notice over the protocol caption, between its buttons, as the caption panel resizes.
class NoticePlacer : public QObject {
public:
    NoticePlacer(QWidget* panel, std::function<void()> place) : QObject(panel), m_place(std::move(place)) {
        panel->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            m_place();
        return false;
    }

private:
    std::function<void()> m_place;
};

} // namespace

// ---------------------------------------------------------------------------------------------
// Impulse list

void TFormMain::StartImpulses() {
    m_impulseLog = std::make_unique<ImpulseLog>();
    m_protocolTarget = std::make_unique<GridProtocolTarget>(*this);
    if (m_journal) {
        // Today's passes from before a crash or a restart are in the file; what follows comes as
        // the journal records it. Nothing queued may be missed or read twice: flush first.
        m_journal->Flush();
        QFile file(QDir(m_journal->Directory())
                       .filePath(JournalFileName(platform::systemClock().localDateTime().date())));
        if (file.open(QIODevice::ReadOnly))
            m_impulseLog->Load(file.readAll());
        m_journal->OnRecord = [this](const JournalRecord& record) { m_impulseLog->Add(record); };
    }

    mImpulses = new TMenuItem(tr("Imp&ulse"), ShortCutCode::Alt | 'U', this);
    connect(mImpulses, &QAction::triggered, this, [this] { ShowImpulses(); });
    HideMenu1.append(mImpulses);

    LabNotice = new TStatusLabel(ProtocolCaption);
    LabNotice->setObjectName(QStringLiteral("LabNotice"));
    LabNotice->setAutoFillBackground(true);
    LabNotice->setAlignment(Qt::AlignCenter);
    LabNotice->setMargin(2);
    QPalette pal = LabNotice->palette();
    pal.setColor(QPalette::Window, QColor(0xff, 0xd8, 0x4d));
    pal.setColor(QPalette::WindowText, Qt::black);
    LabNotice->setPalette(pal);
    LabNotice->hide();
    new NoticePlacer(ProtocolCaption, [this] { layoutNotice(); });
}

ImpulseLog* TFormMain::Impulses() const {
    return m_impulseLog.get();
}

void TFormMain::ShowImpulses() {
    if (!m_impulseLog)
        return;
    if (!FormImpulses) {
        ImpulseContext context;
        context.LenLuch = [this] { return m_settings.LenLuch; };
        context.Acc = [this] { return m_settings.Acc; };
        context.Protocol = m_protocolTarget.get();
        context.Event = [this] { return m_event ? m_event->model() : nullptr; };
        context.TakeLive = [this](const PassAssignment& a) { return takePassLive(a); };
        // Taking a pass changes the event's run: it is undone with the event's other changes (Ctrl+Z).
        FormImpulses = new ImpulseWindow(*m_impulseLog, *m_event->undoStack(), std::move(context), this);
    }
    FormImpulses->show();
    FormImpulses->raise();
    FormImpulses->activateWindow();
}

bool TFormMain::takePassLive(const PassAssignment& a) {
    const ImpulseRun& run = m_impulseLog->Runs()[a.run];
    const RunAction action = a.role == PassRole::Stop ? RunAction::Stop : RunAction::Lap;
    // Only the run the session is timing: a run started by a pass at the session's START tick.
    if (a.run != m_impulseLog->Runs().size() - 1 || !run.startTick ||
        *run.startTick != m_session.StartTick() || !m_session.IsEnabled(action))
        return false;
    m_impulseLog->Assign(a);
    runAction(action, m_impulseLog->Impulses()[a.pass].tick);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Self-test and test mode

void TFormMain::CheckPort(const QString& portName, QSpinBox* deadTimeField) {
    if (portName.isEmpty() || !portName.startsWith(QLatin1String("COM"))) {
        platform::dialogs().showMessage(tr("Wählen Sie zuerst unter „Lichtschranke“ einen Port."));
        return;
    }
    PortSelfTestDialog dialog(isVisible() ? static_cast<QWidget*>(this) : nullptr);
    dialog.OnTestMode = [this, portName, &dialog](bool on) -> QString {
        if (!on) {
            m_passTap = nullptr;
            return {};
        }
        if (ComPort->Port() == 0 || ComPort->DeviceName() != portName)
            return tr("Der Testmodus zählt die Durchfahrten an der geöffneten Lichtschranke. %1 ist "
                      "noch nicht gewählt: übernehmen Sie die Wahl zuerst mit OK und öffnen Sie "
                      "„Lichtschranke prüfen“ dann erneut.")
                .arg(portName);
        if (!ComPort->Connected())
            return tr("%1 ist nicht geöffnet: beheben Sie zuerst, was oben als Fehler steht.").arg(portName);
        if (ClockRunning())
            return tr("Während ein Lauf gemessen wird, gibt es keinen Testmodus.");
        // While the test mode is on, passes go to the dialog and start no run.
        m_passTap = [&dialog](uint32_t tick) {
            dialog.addPass(tick, platform::systemClock().localDateTime().time());
        };
        return {};
    };
    dialog.OnDeadTimeChosen = [deadTimeField](int ms) {
        if (deadTimeField)
            deadTimeField->setValue(ms);
    };
    dialog.checkPort(portName);
    platform::dialogs().execModal(dialog);
    m_passTap = nullptr;
}

bool TFormMain::tapPass(uint32_t tick) {
    if (!m_passTap)
        return false;
    m_passTap(tick);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Alarm

void TFormMain::setAlarm(bool on) {
    m_settings.Sound = on;
}

void TFormMain::soundAlarmOnLoss() {
    m_alarm.setEnabled(m_settings.Sound);
    if (m_alarm.LinkChanged(m_link.State(), m_session.Phase()))
        platform::alarmSound().Play();
}

// ---------------------------------------------------------------------------------------------
// Notices

void TFormMain::ShowNotice(const QString& text) {
    if (!LabNotice)
        return;
    LabNotice->setText(text);
    LabNotice->setToolTip(text);
    LabNotice->setVisible(!text.isEmpty());
    layoutNotice();
}

QString TFormMain::Notice() const {
    return LabNotice && LabNotice->isVisible() ? LabNotice->text() : QString();
}

void TFormMain::layoutNotice() {
    if (!LabNotice)
        return;
    // Between the caption panel's left and right buttons, over the caption.
    const int left = sbPrint ? sbPrint->geometry().right() + 4 : 0;
    const int right = sbWord ? sbWord->geometry().left() - 4 : ProtocolCaption->width();
    LabNotice->setGeometry(left, 2, std::max(0, right - left), std::max(0, ProtocolCaption->height() - 4));
    LabNotice->raise();
}

void TFormMain::warnAtStart(const QString& startNumberText) {
    ShowNotice(StartNumberWarning(startNumberText, editStartN ? editStartN->text() : QString(),
                                  knownStartNumbers()));
}

QList<int> TFormMain::knownStartNumbers() const {
    QList<int> numbers;
    if (const EventModel* model = m_event ? m_event->model() : nullptr) {
        for (const Competitor& c : model->data().competitors)
            if (!c.deleted)
                numbers.append(c.startNumber);
    }
    return numbers;
}
