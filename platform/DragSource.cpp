#include "DragSource.h"

#include <QDrag>
#include <QMimeData>
#include <QWidget>

namespace platform {

namespace {
QtDragSource g_qtDragSource;
DragSource* g_dragSource = &g_qtDragSource;
} // namespace

void QtDragSource::dragText(QWidget* source, const QString& text) {
    auto* drag = new QDrag(source);
    auto* data = new QMimeData;
    data->setText(text);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
}

DragSource& dragSource() {
    return *g_dragSource;
}

void setDragSource(DragSource* d) {
    g_dragSource = d ? d : &g_qtDragSource;
}

} // namespace platform
