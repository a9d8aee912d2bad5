#pragma once

#include "platform/DragSource.h"

#include <QStringList>

namespace platform {

/// A drag source that drags nothing: it records the texts. Installs itself while it lives.
class FakeDragSource : public DragSource {
public:
    /// Installs the fake as the drag source in force.
    FakeDragSource() { setDragSource(this); }
    /// Restores the Qt drag source.
    ~FakeDragSource() override { setDragSource(nullptr); }
    FakeDragSource(const FakeDragSource&) = delete;
    FakeDragSource& operator=(const FakeDragSource&) = delete;

    void dragText(QWidget*, const QString& text) override { m_texts.append(text); }

    /// Every text dragged so far, oldest first.
    const QStringList& texts() const { return m_texts; }

private:
    QStringList m_texts;
};

} // namespace platform
