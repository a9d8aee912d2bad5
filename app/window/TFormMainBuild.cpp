#include "app/window/TFormMain.h"

#include "app/run/DisplayLayout.h"
#include "app/window/ShellLayout.h"
#include "controls/TDigit.h"
#include "sortgrid/TSortGrid.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QToolButton>
#include <algorithm>

namespace {

/// The window's size as designed; the right-hand protocol buttons are placed for this width.
constexpr int DesignedWidth = 831;
constexpr int DesignedHeight = 513;
constexpr int TopBarHeight = 33;
constexpr int LeftColumnWidth = 289;
constexpr int InputAreaTop = 249;
constexpr int CaptionPanelHeight = 40;
constexpr int DesignedCaptionWidth = DesignedWidth - LeftColumnWidth;
constexpr int ProtocolButtonSize = 36;
/// Left edges of the protocol buttons (clear, open, print, word processor, spreadsheet, save as)
/// in the caption panel at its designed width.
constexpr int ProtocolButtonLefts[6] = {2, 42, 82, 410, 450, 490};
/// From this index on the buttons keep their distance from the panel's right edge.
constexpr int FirstRightProtocolButton = 3;

QFont arialBold(int pixels) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(true);
    return f;
}

QFrame* makePanel(QWidget* parent, TColor color) {
    auto* panel = new QFrame(parent);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, ColorToQColor(color));
    panel->setPalette(pal);
    return panel;
}

QLabel* makeLabel(QWidget* parent, const QString& text, const QFont& font, TColor color, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, ColorToQColor(color));
    label->setPalette(pal);
    label->adjustSize();
    label->move(x, y);
    return label;
}

} // namespace

void TFormMain::buildWindow() {
    setWindowTitle(QStringLiteral("Vantro-Kartex v1.0"));
    resize(DesignedWidth, DesignedHeight);
    setMinimumSize(ShellLayout::MinimumClientSize);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    TopBar = makePanel(this, clBtnFace);
    LeftColumn = makePanel(this, clBtnFace);
    LeftColumn->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ProtocolArea = makePanel(this, clBtnFace);
    ProtocolCaption = makePanel(ProtocolArea, clBtnShadow);
    m_caption = new QLabel(tr("P R O T O K O L L"), ProtocolCaption);
    QFont captionFont = this->font();
    captionFont.setPixelSize(19);
    m_caption->setFont(captionFont);
    m_caption->setAlignment(Qt::AlignCenter);
}

void TFormMain::buildDisplay() {
    using M = DisplayMetrics;
    struct RowSpec {
        QFrame* panel;
        TColor lit;
        std::array<TDigit**, 5> digits;
    };
    PanelTimerOwner = makePanel(LeftColumn, clBlack);
    PanelTimerOwner->setGeometry(0, 0, M::OwnerWidth, M::PanelHeight);
    PanelTimer = makePanel(PanelTimerOwner, clBlack);
    PanelTimer->setGeometry(0, 0, M::OwnerWidth, M::PanelHeight);
    PanelSpeed = makePanel(LeftColumn, clBlack);
    PanelSpeed->setGeometry(0, 124, M::OwnerWidth, M::PanelHeight);

    const RowSpec rows[2] = {
        {PanelTimer, clYellow, {&Digit4, &Digit5, &Digit6, &Digit7, &Digit8}},
        {PanelSpeed, clLime, {&Digit14, &Digit15, &Digit16, &Digit17, &Digit18}},
    };
    for (const RowSpec& row : rows) {
        for (int i = 0; i < 5; ++i) {
            auto* d = new TDigit(row.panel);
            d->setGeometry(M::DigitLefts[i], M::DigitTop, M::DigitWidth, M::DigitHeight);
            d->setColor(clBlack);
            d->setColorOff(clBlack);
            d->setColorOn(i < 2 ? clDimDigit : row.lit);
            d->setValueBinary(0x7D);
            d->setThickness(5);
            d->setSeparation(1);
            *row.digits[i] = d;
        }
    }

    QFont comma(QStringLiteral("Times New Roman"));
    comma.setPixelSize(64);
    comma.setBold(true);
    const QFont units = arialBold(19);
    const int labelTop = M::DigitTop + M::DigitHeight + 2;
    LabSec = makeLabel(PanelTimer, QStringLiteral(","), comma, clYellow, M::CommaLeft, 20);
    Lab_sek = makeLabel(PanelTimer, tr("Sek."), units, clYellow, 60, labelTop);
    Lab_100 = makeLabel(PanelTimer, QStringLiteral("100"), units, clYellow, 214, labelTop);
    Lab_100->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    LabSpeedComma = makeLabel(PanelSpeed, QStringLiteral(","), comma, clLime, M::CommaLeft, 20);
    LabKmh = makeLabel(PanelSpeed, QStringLiteral("Km/Hour"), units, clLime, 68, labelTop);
}

void TFormMain::buildInputArea() {
    InputArea = makePanel(LeftColumn, clBtnShadow);
    const QFont labels = arialBold(19);
    makeLabel(InputArea, QStringLiteral("Name:"), labels, clBlack, 6, 12);
    makeLabel(InputArea, tr("Nr:"), labels, clBlack, 172, 6);

    seStartN = new QSpinBox(InputArea);
    seStartN->setGeometry(212, 1, 74, 32);
    seStartN->setRange(RunSession::StartNumberMin, RunSession::StartNumberMax);
    seStartN->setValue(1);
    seStartN->setToolTip(tr("Nummer"));
    if (QLineEdit* line = seStartN->findChild<QLineEdit*>())
        line->setMaxLength(7);

    QFont fieldFont = this->font();
    fieldFont.setPixelSize(16);
    seStartN->setFont(fieldFont);
    editStartN = new QLineEdit(InputArea);
    editStartN->setGeometry(2, 35, 285, 30);
    editStartN->setFont(fieldFont);
    // Its focus and key events reach eventFilter through the application-wide filter.

    struct ButtonSpec {
        TBitBtnWithColor** button;
        const char* caption;
        TColor face;
        TColor text;
        int x, y;
    };
    const ButtonSpec buttons[4] = {
        {&bSTART, "&START", clGreen, clYellow, 2, 68},
        {&bLAP, "&LAP", clNavy, clYellow, 42, 100},
        {&bSTOP, QT_TR_NOOP("STOP&P"), clRed, clWhite, 98, 132},
        {&bRESET, "RESET", clBlack, clWhite, 146, 164},
    };
    for (const ButtonSpec& spec : buttons) {
        // Enter on a focused button presses it, so a whole run can be timed with Enter alone.
        auto* b = new TBitBtnWithColor(tr(spec.caption), InputArea);
        b->setGeometry(spec.x, spec.y, 136, 29);
        b->setFont(arialBold(19));
        b->setColor(spec.face);
        b->setFontColor(spec.text);
        *spec.button = b;
    }
    bLAP->setEnabled(false);
    bSTOP->setEnabled(false);
    bRESET->setEnabled(false);

    bSTART->OnMouseDown = [this](QObject* s, Qt::MouseButton b) { bSTARTMouseDown(s, b); };
    bLAP->OnMouseDown = [this](QObject* s, Qt::MouseButton b) { bLAPMouseDown(s, b); };
    bSTOP->OnMouseDown = [this](QObject* s, Qt::MouseButton b) { bSTOPMouseDown(s, b); };
    bRESET->OnMouseDown = [this](QObject* s, Qt::MouseButton b) { bRESETMouseDown(s, b); };
    // Each action disables its button at the press, so the release no longer clicks it; the click
    // stays for Space, Enter and the mnemonics.
    bSTART->OnClick = [this](QObject* s) { mStartClick(s); };
    bLAP->OnClick = [this](QObject* s) { mLapClick(s); };
    bSTOP->OnClick = [this](QObject* s) { mStopClick(s); };
    bRESET->OnClick = [this](QObject* s) { bRESETClick(s); };

    setTabOrder(bSTART, editStartN);
    setTabOrder(editStartN, seStartN);
    setTabOrder(seStartN, bLAP);
    setTabOrder(bLAP, bSTOP);
    setTabOrder(bSTOP, bRESET);
}

void TFormMain::buildMenu() {
    mStart = new TMenuItem(tr("&Start"), ShortCutCode::Start, this);
    mLap = new TMenuItem(tr("&Lap"), ShortCutCode::Lap, this);
    mStop = new TMenuItem(tr("Sto&pp"), ShortCutCode::Stop, this);
    mReset = new TMenuItem(QStringLiteral("Reset"), ShortCutCode::Reset, this);
    mLap->setEnabled(false);
    mStop->setEnabled(false);
    mReset->setEnabled(false);
    connect(mStart, &QAction::triggered, this, [this] { mStartClick(mStart); });
    connect(mLap, &QAction::triggered, this, [this] { mLapClick(mLap); });
    connect(mStop, &QAction::triggered, this, [this] { mStopClick(mStop); });
    connect(mReset, &QAction::triggered, this, [this] { mResetClick(mReset); });
    HideMenu1 = {mStart, mLap, mStop, mReset};
}

void TFormMain::buildProtocolButtons() {
    struct ButtonSpec {
        QToolButton** button;
        const char* icon;
        const char* hint;
    };
    const ButtonSpec specs[6] = {
        {&sbCLS, "cls", QT_TR_NOOP("Protokoll  löschen")},
        {&sbLoad, "load", QT_TR_NOOP("Protokoll öffnen")},
        {&sbPrint, "print", QT_TR_NOOP("Protokoll drucken")},
        {&sbWord, "word", QT_TR_NOOP("Datei in MS Word")},
        {&sbExcel, "excel", QT_TR_NOOP("Datei in MS Excel")},
        {&sbSave, "save", QT_TR_NOOP("Protokoll speichern unter")},
    };
    for (int i = 0; i < 6; ++i) {
        const ButtonSpec& spec = specs[i];
        auto* b = new QToolButton(ProtocolCaption);
        QIcon icon;
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(spec.icon)), QSize(), QIcon::Normal);
        icon.addFile(QStringLiteral(":/icons/%1-disabled.png").arg(QLatin1String(spec.icon)), QSize(),
                     QIcon::Disabled);
        b->setIcon(icon);
        b->setIconSize(QSize(28, 28));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip(tr(spec.hint));
        b->setGeometry(ProtocolButtonLefts[i], (CaptionPanelHeight - ProtocolButtonSize) / 2,
                       ProtocolButtonSize, ProtocolButtonSize);
        *spec.button = b;
    }

    PopupMenu1 = new QMenu(this);
    mDeleteLine = PopupMenu1->addAction(tr("Zeile entfernen"));
    Copy1 = PopupMenu1->addAction(tr("Alles kopieren"));
}

void TFormMain::buildProtocolGrid() {
    SortGrid1 = new TSortGrid(ProtocolArea);
    SortGrid1->setColCount(4);
    SortGrid1->setRowCount(2);
    SortGrid1->setFixedCols(0);
    SortGrid1->setDefaultColWidth(60);
    SortGrid1->setDefaultRowHeight(22);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setPixelSize(16);
    SortGrid1->setFont(courier);
    SortGrid1->setOptions(TGridOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine |
                                       goColSizing | goRowSelect));
    SortGrid1->setScrollBars(ssVertical);
    SortGrid1->SortOptions()->setCanSort(false);
    SortGrid1->setFiltered(false);
    SortGrid1->setAlignmentHorz(taLeftJustify);
    SortGrid1->setAlignmentVert(taMiddle);
    // The grid shows the menu itself on a right-button release over a data row.
    SortGrid1->setPopupMenu(PopupMenu1);
    SortGrid1->SetModified(false);
}

void TFormMain::layoutAreas() {
    const int w = width();
    const int h = height();
    TopBar->setGeometry(0, 0, w, TopBarHeight);
    layoutTopBar();
    LeftColumn->setGeometry(0, TopBarHeight, LeftColumnWidth, h - TopBarHeight);
    InputArea->setGeometry(0, InputAreaTop, LeftColumnWidth,
                           std::max(0, LeftColumn->height() - InputAreaTop));
    ProtocolArea->setGeometry(LeftColumnWidth, TopBarHeight, std::max(0, w - LeftColumnWidth),
                              h - TopBarHeight);
    ProtocolCaption->setGeometry(0, 0, ProtocolArea->width(), CaptionPanelHeight);
    m_caption->setGeometry(0, 0, ProtocolCaption->width(), CaptionPanelHeight);
    // The right-hand buttons keep their designed distance from the panel's right edge.
    const int shift = ProtocolCaption->width() - DesignedCaptionWidth;
    const std::array<QToolButton*, 6> buttons{sbCLS, sbLoad, sbPrint, sbWord, sbExcel, sbSave};
    for (int i = FirstRightProtocolButton; i < 6; ++i)
        buttons[i]->move(ProtocolButtonLefts[i] + shift, buttons[i]->y());
    SortGrid1->setGeometry(0, CaptionPanelHeight, ProtocolArea->width(),
                           std::max(0, ProtocolArea->height() - CaptionPanelHeight));
    layoutBarrierStatus();
    FormResize();
}

void TFormMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The grid stretches its last column when it first gets its size, after the window laid it
    // out; the protocol's own column widths come last.
    FormResize();
}

void TFormMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutAreas();
}
