#include "app/impulses/ImpulseWindow.h"

#include "app/impulses/AssignPassCommand.h"
#include "app/impulses/ImpulseListModel.h"
#include "platform/Dialogs.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

ImpulseWindow::ImpulseWindow(ImpulseLog& log, QUndoStack& undoStack, ImpulseContext context, QWidget* parent)
    : QWidget(parent, Qt::Window), m_log(log), m_undo(undoStack), m_context(std::move(context)) {
    setObjectName(QStringLiteral("ImpulseWindow"));
    setWindowTitle(tr("Impulse"));
    resize(640, 420);

    auto* layout = new QVBoxLayout(this);
    m_model = new ImpulseListModel(m_log, this);
    tvImpulses = new QTableView(this);
    tvImpulses->setObjectName(QStringLiteral("tvImpulses"));
    tvImpulses->setModel(m_model);
    tvImpulses->setSelectionBehavior(QAbstractItemView::SelectRows);
    tvImpulses->setSelectionMode(QAbstractItemView::SingleSelection);
    tvImpulses->verticalHeader()->hide();
    tvImpulses->horizontalHeader()->setStretchLastSection(true);
    tvImpulses->setColumnWidth(ImpulseListModel::TimeColumn, 100);
    tvImpulses->setColumnWidth(ImpulseListModel::TickColumn, 90);
    tvImpulses->setColumnWidth(ImpulseListModel::OutcomeColumn, 150);
    layout->addWidget(tvImpulses);

    lHint = new QLabel(tr("Ein ignorierter Impuls (Sperrzeit, nach STOP) kann als fehlender LAP oder "
                          "STOP seines Laufs übernommen werden."),
                       this);
    lHint->setWordWrap(true);
    layout->addWidget(lHint);

    auto* row = new QHBoxLayout;
    bAsLap = new QPushButton(tr("Als &LAP übernehmen"), this);
    bAsLap->setObjectName(QStringLiteral("bAsLap"));
    bAsStop = new QPushButton(tr("Als &STOP übernehmen"), this);
    bAsStop->setObjectName(QStringLiteral("bAsStop"));
    bUndo = new QPushButton(tr("&Rückgängig"), this);
    bUndo->setObjectName(QStringLiteral("bUndo"));
    bRedo = new QPushButton(tr("&Wiederholen"), this);
    bRedo->setObjectName(QStringLiteral("bRedo"));
    row->addWidget(bAsLap);
    row->addWidget(bAsStop);
    row->addStretch();
    row->addWidget(bUndo);
    row->addWidget(bRedo);
    layout->addLayout(row);

    connect(bAsLap, &QPushButton::clicked, this, [this] { assignSelected(PassRole::Lap); });
    connect(bAsStop, &QPushButton::clicked, this, [this] { assignSelected(PassRole::Stop); });
    connect(bUndo, &QPushButton::clicked, &m_undo, &QUndoStack::undo);
    connect(bRedo, &QPushButton::clicked, &m_undo, &QUndoStack::redo);
    connect(&m_undo, &QUndoStack::indexChanged, this, [this] { updateButtons(); });
    connect(tvImpulses->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { updateButtons(); });
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this] { updateButtons(); });
    // Live: the newest pass comes into view, unless the operator scrolled up to look at older ones.
    connect(m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        QScrollBar* bar = tvImpulses->verticalScrollBar();
        if (bar->value() >= bar->maximum() - 2 * tvImpulses->verticalHeader()->defaultSectionSize())
            tvImpulses->scrollToBottom();
    });
    tvImpulses->scrollToBottom();
    updateButtons();
}

int ImpulseWindow::selectedPass() const {
    const QModelIndexList rows = tvImpulses->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void ImpulseWindow::selectPass(int pass) {
    tvImpulses->selectRow(pass);
}

void ImpulseWindow::updateButtons() {
    const int pass = selectedPass();
    const bool open = pass >= 0 && pass < m_log.Impulses().size() && m_log.Impulses()[pass].ignored() &&
                      !m_log.Impulses()[pass].assigned;
    bAsLap->setEnabled(open);
    bAsStop->setEnabled(open);
    bUndo->setEnabled(m_undo.canUndo());
    bUndo->setToolTip(m_undo.undoText());
    bRedo->setEnabled(m_undo.canRedo());
    bRedo->setToolTip(m_undo.redoText());
}

void ImpulseWindow::assignSelected(PassRole role) {
    QString why;
    const std::optional<PassAssignment> plan =
        m_log.PlanAssignment(selectedPass(), role, m_context.LenLuch ? m_context.LenLuch() : 10,
                             m_context.Acc ? m_context.Acc() : 2, QLocale().decimalPoint(), &why);
    if (!plan) {
        platform::dialogs().showMessage(why);
        return;
    }
    // The run under way is stopped (or lapped) as the barrier would have done it; the run's
    // records then follow the usual way, and like any STOP this is not undone here.
    if (m_context.TakeLive && m_context.TakeLive(*plan)) {
        updateButtons();
        return;
    }
    EventModel* event = m_context.Event ? m_context.Event() : nullptr;
    m_undo.push(new AssignPassCommand(m_log, *plan, m_context.Protocol, event));
}
