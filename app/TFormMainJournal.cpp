#include "TFormMain.h"

#include "ProtocolJournal.h"
#include "platform/Dialogs.h"
#include "platform/StateDir.h"

// The protocol journal: every line the protocol receives and every light-barrier pass goes to a
// file in the state folder, so that a crash, a power cut or a closed lid loses nothing.

void TFormMain::StartJournal() {
    m_journal = std::make_unique<ProtocolJournal>(platform::stateDirectory());
    m_journal->OnError = [](const QString& message) { platform::dialogs().showMessage(message); };
    QString error = m_journal->Lock();
    if (error.isEmpty()) {
        // Only under the lock: an unclosed session then belongs to no running program.
        const JournalReplay previous = m_journal->Previous();
        if (previous.hasSession && !previous.closed && !previous.lines.isEmpty() &&
            platform::dialogs().askYesNo(QStringLiteral("Protokoll wiederherstellen?"))) {
            for (const ProtocolLine& line : previous.lines)
                addProtocolLine(line);
            UpdateProtocolButtons();
        }
        error = m_journal->Begin(ProtocolLines());
    }
    if (!error.isEmpty())
        platform::dialogs().showMessage(error);
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
