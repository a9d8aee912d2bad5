#include "app/window/TFormMain.h"

#include "app/journal/ProtocolJournal.h"
#include "app/window/TFDlgYesNo.h"
#include "platform/Dialogs.h"
#include "platform/StateDir.h"
#include "sortgrid/TSortGrid.h"

#include <QLabel>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>

// The protocol journal: every line the protocol receives and every light-barrier pass goes to a
// file in the state folder, so that a crash, a power cut or a closed lid loses nothing.

namespace {

// How often a journal that could not begin is tried again.
constexpr int JournalRetryMs = 5000;

bool offersRestore(const JournalReplay& previous) {
    return previous.hasSession && !previous.closed && previous.HasText();
}

} // namespace

void TFormMain::StartJournal() {
    m_journal = std::make_unique<ProtocolJournal>(platform::stateDirectory());
    m_journal->OnError = [](const QString& message) { platform::dialogs().showMessage(message); };
    m_journalRetry = new QTimer(this);
    m_journalRetry->setInterval(JournalRetryMs);
    connect(m_journalRetry, &QTimer::timeout, this, &TFormMain::RetryJournal);
    watchProtocolChanges();
    // The journal's first snapshot holds the grid's header row.
    runCreationStep(CreationStep::GridHeader);

    QString error = m_journal->Lock();
    if (error.isEmpty()) {
        // Only under the lock: an unclosed session then belongs to no running program.
        m_journalPreviousRead = true;
        const JournalReplay previous = m_journal->Previous();
        JournalStart start = JournalStart::Fresh;
        if (offersRestore(previous) && askRestore()) {
            restoreProtocol(previous);
            start = JournalStart::Restored;
        }
        error = m_journal->Begin(GridRows(), start);
    }
    if (!error.isEmpty()) {
        platform::dialogs().showMessage(error);
        m_journalRetry->start();
    }
}

void TFormMain::RetryJournal() {
    if (!m_journal || m_journal->Active()) {
        m_journalRetry->stop();
        return;
    }
    // Quietly: the one message at start has said that the journal is off.
    if (!m_journal->Lock().isEmpty())
        return;
    if (!m_journalPreviousRead) {
        m_journalPreviousRead = true;
        if (offersRestore(m_journal->Previous())) {
            // A window that crashed left a protocol to restore. Taking the journal over would put
            // this window's protocol in its place; the next start offers it instead.
            m_journalRetry->stop();
            m_journal->Close();
            return;
        }
    }
    if (m_journal->Begin(GridRows()).isEmpty())
        m_journalRetry->stop();
}

void TFormMain::restoreProtocol(const JournalReplay& previous) {
    {
        SortGrid1->BeginUpdate();
        const auto endUpdate = qScopeGuard([this] { SortGrid1->EndUpdate(); });
        // The grid keeps one data row even when it is empty.
        const auto rows = int32_t(std::max<qsizetype>(previous.lines.size(), 1));
        SortGrid1->setRowCount(rows + 1);
        auto put = [this](int32_t row, const ProtocolLine& line) {
            const QString* texts[4] = {&line.who, &line.time, &line.speed, &line.note};
            for (int32_t c = 0; c < 4; ++c)
                SortGrid1->setCells(c, row, *texts[c]);
        };
        if (previous.header)
            put(0, *previous.header);
        for (qsizetype i = 0; i < previous.lines.size(); ++i)
            put(int32_t(i + 1), previous.lines[i]);
    }
    if (const std::optional<int> next = RunSession::NextStartNumber(previous.lines))
        seStartN->setValue(*next);
    UpdateProtocolButtons();
}

void TFormMain::watchProtocolChanges() {
    // Whatever changes the protocol other than a new line (a command, an edit, a sort) makes the
    // journal take the whole protocol again; handlers assigned before stay in force.
    SortGrid1->OnModified = [this, before = SortGrid1->OnModified](QObject* Sender) {
        if (before)
            before(Sender);
        protocolChanged();
    };
    SortGrid1->OnRowDelete = [this, before = SortGrid1->OnRowDelete](QObject* Sender, int32_t ARow) {
        if (before)
            before(Sender, ARow);
        protocolChanged();
    };
    SortGrid1->OnAfterSort = [this, before = SortGrid1->OnAfterSort](QObject* Sender, int32_t Col) {
        if (before)
            before(Sender, Col);
        protocolChanged();
    };
}

void TFormMain::protocolChanged() {
    if (m_addingRow || m_snapshotPending || !m_journal || !m_journal->Active())
        return;
    // Once per turn of the event loop, however many cells a command changed.
    m_snapshotPending = true;
    QTimer::singleShot(0, this, [this] {
        m_snapshotPending = false;
        JournalProtocolReplaced();
    });
}

bool TFormMain::askRestore() {
    TFDlgYesNo dialog(this);
    dialog.LabQuestion->setText(tr("Protokoll wiederherstellen?"));
    return dialog.ShowModal() == TFDlgYesNo::mrYes;
}

void TFormMain::CloseJournal() {
    if (m_journalRetry)
        m_journalRetry->stop();
    if (m_journal)
        m_journal->Close();
}

ProtocolJournal* TFormMain::Journal() const {
    return m_journal.get();
}

QList<ProtocolLine> TFormMain::GridRows() const {
    QList<ProtocolLine> rows;
    rows.reserve(SortGrid1->RowCount());
    for (int32_t r = 0; r < SortGrid1->RowCount(); ++r)
        rows.append(ProtocolLine{SortGrid1->Cells(0, r), SortGrid1->Cells(1, r), SortGrid1->Cells(2, r),
                                 SortGrid1->Cells(3, r)});
    return rows;
}

void TFormMain::JournalProtocolReplaced() {
    if (m_journal)
        m_journal->Snapshot(GridRows());
}

void TFormMain::journalEdge(uint32_t tick, EdgeOutcome outcome) {
    if (m_journal)
        m_journal->Edge(tick, outcome);
}
