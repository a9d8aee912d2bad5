#pragma once

#include <QString>

class QWidget;

namespace platform {

/// Drag and drop out of the program's controls. Controls start drags through `dragSource()` so
/// tests can see what would be dragged without a nested event loop.
class DragSource {
public:
    virtual ~DragSource() = default;
    /// Drags `text` as plain text from `source` (copy only) and returns when it was dropped or
    /// abandoned.
    virtual void dragText(QWidget* source, const QString& text) = 0;
};

/// The Qt implementation: a real drag.
class QtDragSource : public DragSource {
public:
    void dragText(QWidget* source, const QString& text) override;
};

/// The drag source in force: the Qt one unless a test installed another.
DragSource& dragSource();

/// Installs `d` as the drag source in force; nullptr restores the Qt one. The caller keeps ownership.
void setDragSource(DragSource* d);

} // namespace platform
