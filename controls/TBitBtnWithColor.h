#pragma once

#include "controls/BitBtnKind.h"
#include "controls/ButtonLayout.h"
#include "controls/TButtonGlyph.h"
#include "core/Colors.h"
#include "core/NotifyEvent.h"

#include <QPushButton>
#include <functional>

class QShortcut;

/// Kept for stored forms; the drawing does not depend on it.
enum class TButtonStyle { bsAutoDetect, bsWin31, bsNew };

/// A push button whose face is painted in a colour of the program's choosing, with an optional glyph
/// and the usual presets (OK, Cancel, Help ...). The focused button takes Enter, Space presses it, and
/// a double click counts as a second press.
class TBitBtnWithColor : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(uint Color READ Color WRITE setColor)
    Q_PROPERTY(uint FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE setNumGlyphs)
    Q_PROPERTY(int Margin READ Margin WRITE setMargin)
    Q_PROPERTY(int Spacing READ Spacing WRITE setSpacing)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE setModalResult)
    Q_PROPERTY(int HelpContext READ HelpContext WRITE setHelpContext)

public:
    /// Values a new button starts with.
    static constexpr TColor InitialColor = clBtnFace;
    static constexpr TColor InitialFontColor = clWindowText;
    static constexpr int InitialMargin = -1;
    static constexpr int InitialSpacing = 4;

    /// Creates a button without caption in the system's button colour.
    explicit TBitBtnWithColor(QWidget* parent = nullptr);
    /// Creates a button with `caption` ("&" marks the mnemonic letter).
    TBitBtnWithColor(const QString& caption, QWidget* parent);

    /// The face colour.
    TColor Color() const { return m_color; }
    /// Sets the face colour; the glyph images are rebuilt on it, and a preset Kind reads back bkCustom.
    void setColor(TColor c);

    /// The colour of the caption while the button is enabled.
    TColor FontColor() const { return m_fontColor; }
    /// Sets the caption colour; repaints.
    void setFontColor(TColor c);

    /// The preset; a preset reads back bkCustom once Default, Cancel, ModalResult, Glyph or Color differ
    /// from what it set.
    TBitBtnWithColorKind Kind() const;
    /// Applies preset `k` (Default, Cancel, ModalResult, caption and glyph); bkCustom changes nothing else.
    void setKind(TBitBtnWithColorKind k);

    /// The glyph strip: up to four images side by side (up, disabled, down, exclusive).
    const QImage& Glyph() const { return m_glyph.Glyph(); }
    /// Takes a copy of `strip` (its bottom-left pixel is the transparent colour); a strip whose width
    /// is a whole multiple of its height sets NumGlyphs. A preset Kind reads back bkCustom.
    void setGlyph(const QImage& strip);

    /// The number of images in the glyph strip, 1..4.
    int NumGlyphs() const { return m_glyph.NumGlyphs(); }
    /// Sets the number of images; values above 4 are stored as 4, below 1 as 1.
    void setNumGlyphs(int n);

    /// Where the glyph sits relative to the caption.
    TButtonLayout Layout() const { return m_layout; }
    /// Sets the glyph position; repaints.
    void setLayout(TButtonLayout layout);
    using QWidget::setLayout;

    /// Pixels between the edge and the glyph; -1 centres glyph and caption.
    int Margin() const { return m_margin; }
    /// Sets the margin; values below -1 are ignored.
    void setMargin(int margin);

    /// Pixels between glyph and caption; -1 centres the caption in the space the glyph leaves.
    int Spacing() const { return m_spacing; }
    /// Sets the spacing; repaints.
    void setSpacing(int spacing);

    /// The button style, stored only.
    TButtonStyle Style() const { return m_style; }
    /// Sets the style; repaints.
    void setStyle(TButtonStyle style);
    using QWidget::setStyle;

    /// Whether Enter presses the button when no other button has the focus.
    bool Default() const { return m_default; }
    /// Makes the button the window's default button, or not.
    void setDefault(bool d);

    /// Whether Esc presses the button.
    bool Cancel() const { return m_cancel; }
    /// Makes Esc in the button's window press it, or not.
    void setCancel(bool c);

    /// The result a dialog containing the button ends with when it is clicked; 0 ends nothing.
    int ModalResult() const { return m_modalResult; }
    /// Sets the modal result.
    void setModalResult(int r);

    /// The help topic of this button; 0 for none.
    int HelpContext() const { return m_helpContext; }
    /// Sets the help topic.
    void setHelpContext(int context);

    /// The button's click, also run by mouse, Space, Enter, Esc (with Cancel) and the mnemonic.
    /// bkHelp shows the help topic of the nearest widget (itself or a parent) with a non-zero
    /// "HelpContext" property; bkClose closes the button's window. Otherwise, and when there is no such
    /// topic or window, a dialog containing the button ends with ModalResult (if not 0) and OnClick fires.
    virtual void Click();

    /// Fired by every click that is not taken by the help or close presets.
    TNotifyEvent OnClick;
    /// Fired when a mouse button goes down on the button, any mouse button, before the button reacts.
    /// A handler that disables or hides the button keeps the release from clicking it.
    std::function<void(QObject* Sender, Qt::MouseButton Button)> OnMouseDown;

    /// Shows help topic `context`; installed once by the application for the bkHelp preset.
    static inline std::function<void(int context)> HelpViewer;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool markedFocused() const;
    void drawFace(QPainter& p, bool pressed, bool focused);
    void drawCaption(QPainter& p, const QRect& bounds);

    TColor m_color = InitialColor;
    TColor m_fontColor = InitialFontColor;
    mutable TBitBtnWithColorKind m_kind = TBitBtnWithColorKind::bkCustom;
    TButtonGlyph m_glyph;
    bool m_glyphModified = false;
    TButtonLayout m_layout = TButtonLayout::blGlyphLeft;
    int m_margin = InitialMargin;
    int m_spacing = InitialSpacing;
    TButtonStyle m_style = TButtonStyle::bsAutoDetect;
    bool m_default = false;
    bool m_cancel = false;
    int m_modalResult = 0;
    int m_helpContext = 0;
    QShortcut* m_cancelShortcut = nullptr;
};
