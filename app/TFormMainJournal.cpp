#include "TFormMain.h"

#include "ProtocolJournal.h"
#include "TFDlgYesNo.h"
#include "platform/Dialogs.h"
#include "platform/StateDir.h"
#include "sortgrid/TSortGrid.h"

#include <QLabel>
#include <QScopedValueRollback>
#include <QTimer>

// The protocol journal: every line the protocol receives and every light-barrier pass goes to a
// file in the state folder, so that a crash, a power cut or a closed lid loses nothing.

void TFormMain::StartJournal() {
    m_journal = std::make_unique<ProtocolJournal>(platform::stateDirectory());
    m_journal->OnError = [](const QString& message) { platform::dialogs().showMessage(message); };
    QString error = m_journal->Lock();
    if (error.isEmpty()) {
        // Only under the lock: an unclosed session then belongs to no running program.
        const JournalReplay previous = m_journal->Previous();
        if (previous.hasSession && !previous.closed && !previous.lines.isEmpty() && askRestore()) {
            for (const ProtocolLine& line : previous.lines)
                addProtocolLine(line);
            UpdateProtocolButtons();
        }
        error = m_journal->Begin(ProtocolLines());
    }
    if (!error.isEmpty()) {
        platform::dialogs().showMessage(error);
        return;
    }
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
    dialog.Label1->setText(QStringLiteral("Protokoll wiederherstellen?"));
    return dialog.ShowModal() == TFDlgYesNo::mrYes;
}

void TFormMain::CloseJournal() {
    if (m_journal)
        m_journal->Close();
}

ProtocolJournal* TFormMain::Journal() const {
    return m_journal.get();
}

void TFormMain::JournalProtocolReplaced() {
    if (m_journal)
        m_journal->Snapshot(ProtocolLines());
}

void TFormMain::journalEdge(uint32_t tick, EdgeOutcome outcome) {
    if (m_journal)
        m_journal->Edge(tick, outcome);
}
