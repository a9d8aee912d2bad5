#include "controls/TBitBtnWithColor.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcut>

TBitBtnWithColor::TBitBtnWithColor(QWidget* parent) : TBitBtnWithColor(QString(), parent) {}

TBitBtnWithColor::TBitBtnWithColor(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
    // A focused button takes Enter, as a focused push button does on the operator's desktop.
    setAutoDefault(true);
    connect(this, &QAbstractButton::clicked, this, [this] { Click(); });
    // A default button shows its frame while no other button has the focus.
    connect(qApp, &QApplication::focusChanged, this, [this] {
        if (m_default)
            update();
    });
}

void TBitBtnWithColor::setColor(TColor c) {
    if (c == m_color)
        return;
    m_color = c;
    // The glyph images are built on the face colour; the change counts as a change of the glyph.
    m_glyph.Invalidate();
    m_glyphModified = true;
    update();
}

void TBitBtnWithColor::setFontColor(TColor c) {
    if (c == m_fontColor)
        return;
    m_fontColor = c;
    update();
}

TBitBtnWithColorKind TBitBtnWithColor::Kind() const {
    if (m_kind != TBitBtnWithColorKind::bkCustom) {
        const TBitBtnKindPreset& preset = KindPreset(m_kind);
        if (m_glyphModified || m_default != preset.Default || m_cancel != preset.Cancel ||
            m_modalResult != preset.ModalResult)
            m_kind = TBitBtnWithColorKind::bkCustom;
    }
    return m_kind;
}

void TBitBtnWithColor::setKind(TBitBtnWithColorKind k) {
    if (k == Kind())
        return;
    if (k != TBitBtnWithColorKind::bkCustom) {
        const TBitBtnKindPreset& preset = KindPreset(k);
        setDefault(preset.Default);
        setCancel(preset.Cancel);
        setModalResult(preset.ModalResult);
        setText(QCoreApplication::translate("TBitBtnWithColor", preset.Caption));
        m_glyph.setGlyph(KindGlyph(k));
        m_glyph.setNumGlyphs(2);
        m_glyphModified = false;
    }
    m_kind = k;
    update();
}

void TBitBtnWithColor::setGlyph(const QImage& strip) {
    m_glyph.setGlyph(strip);
    m_glyphModified = true;
    update();
}

void TBitBtnWithColor::setNumGlyphs(int n) {
    n = std::clamp(n, 1, 4);
    if (n == m_glyph.NumGlyphs())
        return;
    m_glyph.setNumGlyphs(n);
    update();
}

void TBitBtnWithColor::setLayout(TButtonLayout layout) {
    if (layout == m_layout)
        return;
    m_layout = layout;
    update();
}

void TBitBtnWithColor::setMargin(int margin) {
    if (margin < -1 || margin == m_margin)
        return;
    m_margin = margin;
    update();
}

void TBitBtnWithColor::setSpacing(int spacing) {
    if (spacing == m_spacing)
        return;
    m_spacing = spacing;
    update();
}

void TBitBtnWithColor::setStyle(TButtonStyle style) {
    if (style == m_style)
        return;
    m_style = style;
    update();
}

void TBitBtnWithColor::setDefault(bool d) {
    if (d == m_default)
        return;
    m_default = d;
    QPushButton::setDefault(d);
    update();
}

void TBitBtnWithColor::setCancel(bool c) {
    if (c == m_cancel)
        return;
    m_cancel = c;
    if (c && !m_cancelShortcut) {
        m_cancelShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        m_cancelShortcut->setContext(Qt::WindowShortcut);
        connect(m_cancelShortcut, &QShortcut::activated, this, [this] {
            if (isEnabled() && isVisible())
                click();
        });
    }
    if (m_cancelShortcut)
        m_cancelShortcut->setEnabled(c);
}

void TBitBtnWithColor::setModalResult(int r) {
    m_modalResult = r;
}

void TBitBtnWithColor::setHelpContext(int context) {
    m_helpContext = context;
}

void TBitBtnWithColor::Click() {
    const TBitBtnWithColorKind kind = Kind();
    if (kind == TBitBtnWithColorKind::bkHelp) {
        for (QWidget* w = this; w; w = w->parentWidget()) {
            const int context = w->property("HelpContext").toInt();
            if (context == 0)
                continue;
            if (HelpViewer)
                HelpViewer(context);
            return;
        }
    } else if (kind == TBitBtnWithColorKind::bkClose) {
        if (QWidget* form = window(); form != this) {
            form->close();
            return;
        }
    }
    QPointer<TBitBtnWithColor> self(this);
    if (m_modalResult != 0) {
        if (auto* dialog = qobject_cast<QDialog*>(window()))
            dialog->done(m_modalResult);
    }
    if (self && OnClick)
        OnClick(this);
}

void TBitBtnWithColor::mousePressEvent(QMouseEvent* event) {
    if (OnMouseDown) {
        QPointer<TBitBtnWithColor> self(this);
        OnMouseDown(this, event->button());
        // A handler that disabled, hid or deleted the button has taken the press: the release, which
        // Qt no longer delivers to a disabled button, must not find it half pressed either.
        if (!self)
            return;
        if (!isEnabled() || !isVisible()) {
            event->accept();
            return;
        }
    }
    QPushButton::mousePressEvent(event);
}

void TBitBtnWithColor::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second click of a double click presses the button again, so it clicks twice.
    mousePressEvent(event);
}
