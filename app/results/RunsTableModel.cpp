#include "app/results/RunsTableModel.h"

#include "app/results/EventDocument.h"
#include "event/EventTexts.h"
#include "event/MarkTrainingCommand.h"
#include "event/MoveRunCommand.h"
#include "event/ResultTexts.h"
#include "event/SetCorrectionCommand.h"
#include "event/SetPenaltiesCommand.h"
#include "event/SetRunStatusCommand.h"
#include "event/VoidRunCommand.h"

#include <QBrush>
#include <QUndoStack>

RunsTableModel::RunsTableModel(EventDocument& document, QObject* parent)
    : QAbstractTableModel(parent), m_document(document) {
    connect(&document, &EventDocument::refreshed, this, &RunsTableModel::refresh);
    connect(&document, &EventDocument::eventReplaced, this, &RunsTableModel::rebuild);
    rebuild();
}

void RunsTableModel::setResolution(int resolution) {
    if (resolution == m_resolution)
        return;
    m_resolution = resolution;
    if (!m_ids.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int64_t RunsTableModel::runId(int row) const {
    return row >= 0 && row < m_ids.size() ? m_ids[row] : 0;
}

int RunsTableModel::rowOf(int64_t runId) const {
    return int(m_ids.indexOf(runId));
}

void RunsTableModel::rebuild() {
    beginResetModel();
    m_ids.clear();
    if (const EventModel* model = m_document.model())
        for (auto it = model->data().runs.crbegin(); it != model->data().runs.crend(); ++it)
            m_ids.append(it->id);
    takeCells();
    endResetModel();
}

void RunsTableModel::takeCells() {
    m_cells.clear();
    for (const StandingRow& row : m_document.standings().overall)
        for (const RunCell& cell : row.runs)
            m_cells.insert(cell.run.id, cell);
}

void RunsTableModel::refresh() {
    takeCells();
    const EventModel* model = m_document.model();
    const qsizetype total = model ? model->data().runs.size() : 0;
    // Runs are only ever added at the end of the record: the new ones become rows at the top.
    if (total > m_ids.size()) {
        const int added = int(total - m_ids.size());
        beginInsertRows({}, 0, added - 1);
        QList<int64_t> fresh;
        for (qsizetype i = total - 1; i >= total - added; --i)
            fresh.append(model->data().runs[i].id);
        m_ids = fresh + m_ids;
        endInsertRows();
    } else if (total < m_ids.size()) {
        rebuild();
        return;
    }
    if (!m_ids.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int RunsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_ids.size());
}

int RunsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant RunsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const char* const titles[ColumnCount] = {
        QT_TR_NOOP("Nr."),      QT_TR_NOOP("Name"),     QT_TR_NOOP("Klasse"),   QT_TR_NOOP("Lauf"),
        QT_TR_NOOP("Start"),    QT_TR_NOOP("Zeit"),     QT_TR_NOOP("Pylonen"),  QT_TR_NOOP("Tore"),
        QT_TR_NOOP("Ergebnis"), QT_TR_NOOP("Status"),   QT_TR_NOOP("Training"), QT_TR_NOOP("ungültig"),
        QT_TR_NOOP("Wertung"),  QT_TR_NOOP("Korrektur")};
    return tr(titles[section]);
}

Qt::ItemFlags RunsTableModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    switch (index.column()) {
    case Number:
    case Cones:
    case Gates:
    case Status:
    case Correction:
        return f | Qt::ItemIsEditable;
    case Training:
    case Void:
        return f | Qt::ItemIsUserCheckable;
    default:
        return f;
    }
}

QVariant RunsTableModel::data(const QModelIndex& index, int role) const {
    const EventModel* model = m_document.model();
    const RunRecord* run = model ? model->run(runId(index.row())) : nullptr;
    if (!run)
        return {};
    const RunCell cell = m_cells.value(run->id);
    if (role == Qt::CheckStateRole) {
        if (index.column() == Training)
            return run->training ? Qt::Checked : Qt::Unchecked;
        if (index.column() == Void)
            return run->voided ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role == Qt::ForegroundRole && (run->deleted || run->voided))
        return QBrush(Qt::gray);
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
        case Number:
        case Run:
        case Time:
        case Cones:
        case Gates:
        case Result:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
        }
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const Competitor* who = model->competitorByNumber(run->startNumber);
    switch (index.column()) {
    case Number:
        return run->startNumber;
    case Name:
        return who ? who->displayName() : QString();
    case Class:
        return who ? who->className : QString();
    case Run:
        return run->runNumber > 0 ? QVariant(run->runNumber) : QVariant(QString());
    case Start:
        return run->startTime.time().toString(QStringLiteral("HH:mm:ss"));
    case Time:
        return run->runTimeMs ? formatResultTime(*run->runTimeMs, m_resolution) : QString();
    case Cones:
        return run->cones;
    case Gates:
        return run->gates;
    case Result:
        return cell.resultMs ? formatResultTime(*cell.resultMs, m_resolution) : runStatusCode(run->status);
    case Status:
        if (role == Qt::EditRole)
            return runStatusText(run->status);
        return run->status == RunStatus::Disqualified && !run->disqualifyReason.isEmpty()
                   ? runStatusText(run->status) + QStringLiteral(" (%1)").arg(run->disqualifyReason)
                   : runStatusText(run->status);
    case Training:
    case Void:
        return {};
    case Remark: {
        QStringList parts;
        if (run->deleted)
            parts << tr("gelöscht");
        if (cell.training)
            parts << tr("Training");
        if (cell.dropped)
            parts << tr("Streicher");
        if (cell.counts)
            parts << tr("zählt");
        if (run->needsCheck)
            parts << tr("prüfen");
        return parts.join(QStringLiteral(", "));
    }
    case Correction:
        return run->correction;
    }
    return {};
}

bool RunsTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    EventModel* model = m_document.model();
    const RunRecord* run = model ? model->run(runId(index.row())) : nullptr;
    if (!run)
        return false;
    const int64_t id = run->id;
    QUndoStack* undo = m_document.undoStack();
    auto count = [&](int& out) {
        bool ok = false;
        out = value.toString().trimmed().toInt(&ok);
        if (!ok || out < 0 || out > 999) {
            if (OnRefused)
                OnRefused(tr("Bitte eine Anzahl von 0 bis 999 eingeben."));
            return false;
        }
        return true;
    };
    if (role == Qt::CheckStateRole) {
        const bool on = value.toInt() == Qt::Checked;
        if (index.column() == Training)
            undo->push(new MarkTrainingCommand(*model, id, on));
        else if (index.column() == Void)
            undo->push(new VoidRunCommand(*model, id, on));
        else
            return false;
        return true;
    }
    if (role != Qt::EditRole)
        return false;
    switch (index.column()) {
    case Number: {
        bool ok = false;
        const int number = value.toString().trimmed().toInt(&ok);
        if (!ok || number < 1 || number > 65535) {
            if (OnRefused)
                OnRefused(tr("Die Startnummer muss eine Zahl von 1 bis 65535 sein."));
            return false;
        }
        undo->push(new MoveRunCommand(*model, id, number));
        return true;
    }
    case Cones:
    case Gates: {
        int n = 0;
        if (!count(n))
            return false;
        const int cones = index.column() == Cones ? n : run->cones;
        const int gates = index.column() == Gates ? n : run->gates;
        undo->push(new SetPenaltiesCommand(*model, id, cones, gates));
        return true;
    }
    case Status: {
        const std::optional<RunStatus> status = value.toString().trimmed().isEmpty()
                                                    ? std::optional<RunStatus>(RunStatus::Finished)
                                                    : runStatusFromText(value.toString());
        if (!status) {
            if (OnRefused)
                OnRefused(tr("Unbekannter Status „%1“.").arg(value.toString()));
            return false;
        }
        QString why;
        if (*status == RunStatus::Disqualified) {
            const std::optional<QString> asked =
                AskDisqualifyReason ? AskDisqualifyReason() : std::optional<QString>(QString());
            if (!asked)
                return false;
            why = *asked;
        }
        if (*status == RunStatus::Finished && !run->runTimeMs) {
            if (OnRefused)
                OnRefused(tr("Ein Lauf ohne Zeit kann nicht gewertet werden."));
            return false;
        }
        undo->push(new SetRunStatusCommand(*model, id, *status, why));
        return true;
    }
    case Correction:
        undo->push(new SetCorrectionCommand(*model, id, value.toString().trimmed()));
        return true;
    default:
        return false;
    }
}
