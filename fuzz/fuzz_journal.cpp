// Protocol journal: a line is read only when it is exactly what the writer makes of the record it
// reads as, and any protocol line written reads back identical. Replaying any file is safe, and a
// file cut after any line (a crash) never gives back fewer lines than its last complete state.
#include "FuzzCheck.h"
#include "app/journal/JournalFormat.h"
#include "app/journal/JournalReplay.h"

namespace {

QByteArray withCrc(QByteArrayView payload) {
    return QByteArray::number(JournalCrc32(payload), 16).rightJustified(8, '0') + ' ' + payload.toByteArray();
}

void checkReadsAsWritten(QByteArrayView line) {
    const auto record = ParseJournalLine(line);
    if (!record)
        return;
    QByteArray expected = line.toByteArray();
    if (!expected.endsWith('\n'))
        expected += '\n';
    FUZZ_CHECK(FormatJournalLine(*record) == expected, "a line that reads is the line its record writes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // As a whole line, and as a payload with the right checksum, so that the fields are reached.
    checkReadsAsWritten(bytes);
    checkReadsAsWritten(withCrc(bytes));

    // As a journal file: replaying never fails, and counts only what is there.
    const JournalReplay replay = ReplayJournal(bytes);
    FUZZ_CHECK(replay.damaged <= bytes.count('\n') + 1, "no more damaged lines than lines");
    FUZZ_CHECK(replay.lines.size() <= bytes.count('\n'), "no more protocol lines than lines");
    FUZZ_CHECK(!replay.closed || replay.hasSession, "only a session can be closed");

    // Cut after every line (a crash between two writes, or a line cut off and skipped): an
    // unfinished snapshot or session start keeps the lines of the last complete state before it.
    qsizetype completeLines = 0;
    qsizetype from = 0;
    for (int cuts = 0; from < bytes.size() && cuts < 48; ++cuts) {
        const qsizetype eol = bytes.indexOf('\n', from);
        from = eol < 0 ? bytes.size() : eol + 1;
        const JournalReplay prefix = ReplayJournal(bytes.first(from));
        if (prefix.pending)
            FUZZ_CHECK(prefix.lines.size() >= completeLines, "an unfinished state loses no complete one");
        else
            completeLines = prefix.lines.size();
    }

    // As the texts of a protocol line (UTF-8, as the window's texts are whole characters; a tab
    // separates the four texts).
    const QStringList texts = QString::fromUtf8(bytes).split(QLatin1Char('\t'));
    JournalRecord r;
    r.kind = JournalKind::Line;
    r.at = QDateTime(QDate(2026, 12, 8), QTime(14, 3, 27, 125));
    r.line = {texts.value(0), texts.value(1), texts.value(2), texts.mid(3).join(QLatin1Char('\t'))};
    const QByteArray line = FormatJournalLine(r);
    FUZZ_CHECK(line.endsWith('\n') && line.count('\n') == 1, "a record is one line");
    const auto back = ParseJournalLine(line);
    FUZZ_CHECK(back && *back == r, "a protocol line reads back identical");
    return 0;
}
