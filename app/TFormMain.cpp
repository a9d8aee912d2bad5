#include "TFormMain.h"

#include "DisplayLayout.h"
#include "RunTexts.h"
#include "TApplication.h"
#include "controls/TDigit.h"
#include "core/Exception.h"
#include "platform/Registry.h"
#include "platform/SerialPortNames.h"
#include "platform/SystemClock.h"
#include "sortgrid/TSortGrid.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

namespace {

constexpr int TopBarHeight = 33;
constexpr int LeftColumnWidth = 289;
constexpr int InputAreaTop = 249;
constexpr int CaptionPanelHeight = 40;
constexpr int ProtocolButtonSize = 36;
/// Left edges of the right-hand protocol buttons as designed for the caption panel's first width.
constexpr int DesignedCaptionWidth = 831 - 289;
constexpr int StartNumberMin = 1;
constexpr int StartNumberMax = 65535;

QFont arialBold(int pixels) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(true);
    return f;
}

QString cssColor(TColor c) {
    return ColorToQColor(c).name();
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

static void initResources() {
    // The images live in this static library; they must be registered before first use.
    Q_INIT_RESOURCE(icons);
}

TFormMain::TFormMain(QWidget* parent) : QWidget(parent) {
    initResources();
    setWindowTitle(QStringLiteral("Vantro-Kartex v1.0"));
    resize(831, 513);
    setMinimumSize(804, 445);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    Panel1 = makePanel(this, clBtnFace);
    Panel2 = makePanel(this, clBtnFace);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel3 = makePanel(this, clBtnFace);
    Panel4 = makePanel(Panel3, clBtnShadow);
    m_caption = new QLabel(QStringLiteral("P R O T O K O L L"), Panel4);
    QFont captionFont = this->font();
    captionFont.setPixelSize(19);
    m_caption->setFont(captionFont);
    m_caption->setAlignment(Qt::AlignCenter);

    buildDisplay();
    buildInputArea();
    buildMenu();
    buildProtocolButtons();
    buildProtocolGrid();

    Clock = new QTimer(this);
    Clock->setInterval(10);
    Clock->setTimerType(Qt::PreciseTimer);
    connect(Clock, &QTimer::timeout, this, [this] { ClockTimer(Clock); });

    qApp->installEventFilter(this);

    ApplyResolution(m_acc);
    ShowDigits(0, 0);
    ShowDigits(1, 0);
    UpdateProtocolButtons();
    const char* const headers[4] = {"Who", "Time", "Speed", "Note"};
    for (int c = 0; c < 4; ++c)
        SortGrid1->setCells(c, 0, QString::fromLatin1(headers[c]));
    layoutAreas();

    // Light barrier (see the block at the end of this file).
    ComPort = new TComPort(this);
    ComPort->setName(QStringLiteral("ComPort"));
    ComPort->setPort(0);
    ComPort->setDataBits(5);
    ComPort->setEvents({TEvent::evDSR});
    ComPort->setWriteBufSize(64);
    ComPort->setReadBufSize(64);
    ComPort->OnDSR = [this](QObject* Sender) { ComPortDSR(Sender); };
    ReadPortSettings();
    OpenLightBarrierPort();
}

TFormMain::~TFormMain() {
    // While the window is still whole: a DSR event handed over before the close still runs.
    ComPort->Close();
    qApp->removeEventFilter(this);
}

// ---------------------------------------------------------------------------------------------
// Building the window

void TFormMain::buildDisplay() {
    using M = DisplayMetrics;
    struct RowSpec {
        QFrame* panel;
        TColor lit;
        std::array<TDigit**, 5> digits;
    };
    PanelTimerOwner = makePanel(Panel2, clBlack);
    PanelTimerOwner->setGeometry(0, 0, M::OwnerWidth, M::PanelHeight);
    PanelTimer = makePanel(PanelTimerOwner, clBlack);
    PanelTimer->setGeometry(0, 0, M::OwnerWidth, M::PanelHeight);
    Panel6 = makePanel(Panel2, clBlack);
    Panel6->setGeometry(0, 124, M::OwnerWidth, M::PanelHeight);

    const RowSpec rows[2] = {
        {PanelTimer, clYellow, {&Digit4, &Digit5, &Digit6, &Digit7, &Digit8}},
        {Panel6, clLime, {&Digit14, &Digit15, &Digit16, &Digit17, &Digit18}},
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
    Lab_sek = makeLabel(PanelTimer, QStringLiteral("Sek."), units, clYellow, 60, labelTop);
    Lab_100 = makeLabel(PanelTimer, QStringLiteral("100"), units, clYellow, 214, labelTop);
    Lab_100->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1 = makeLabel(Panel6, QStringLiteral(","), comma, clLime, M::CommaLeft, 20);
    Label2 = makeLabel(Panel6, QStringLiteral("Km/Hour"), units, clLime, 68, labelTop);
}

void TFormMain::buildInputArea() {
    Panel5 = makePanel(Panel2, clBtnShadow);
    const QFont labels = arialBold(19);
    makeLabel(Panel5, QStringLiteral("Name:"), labels, clBlack, 6, 12);
    makeLabel(Panel5, QStringLiteral("Nr:"), labels, clBlack, 172, 6);

    seStartN = new QSpinBox(Panel5);
    seStartN->setGeometry(212, 1, 74, 32);
    seStartN->setRange(StartNumberMin, StartNumberMax);
    seStartN->setValue(1);
    seStartN->setToolTip(QStringLiteral("Nummer"));
    if (QLineEdit* line = seStartN->findChild<QLineEdit*>())
        line->setMaxLength(7);

    QFont fieldFont = this->font();
    fieldFont.setPixelSize(16);
    seStartN->setFont(fieldFont);
    editStartN = new QLineEdit(Panel5);
    editStartN->setGeometry(2, 35, 285, 30);
    editStartN->setFont(fieldFont);
    // Its focus and key events reach eventFilter through the application-wide filter.

    struct ButtonSpec {
        TRunButton** button;
        const char* caption;
        TColor face;
        TColor text;
        int x, y;
    };
    const ButtonSpec buttons[4] = {
        {&bSTART, "&START", clGreen, clYellow, 2, 68},
        {&bLAP, "&LAP", clNavy, clYellow, 42, 100},
        {&bSTOP, "STOP&P", clRed, clWhite, 98, 132},
        {&bRESET, "RESET", clBlack, clWhite, 146, 164},
    };
    for (const ButtonSpec& spec : buttons) {
        auto* b = new TRunButton(QString::fromLatin1(spec.caption), Panel5);
        b->setGeometry(spec.x, spec.y, 136, 29);
        b->setFont(arialBold(19));
        // Enter on a focused button presses it, so a whole run can be timed with Enter alone.
        b->setAutoDefault(true);
        b->setStyleSheet(
            QStringLiteral("QPushButton { background-color: %1; color: %2; border: 2px outset %1; }"
                           "QPushButton:focus { border: 2px dotted %2; }"
                           "QPushButton:disabled { color: %3; }")
                .arg(cssColor(spec.face), cssColor(spec.text), cssColor(clGray)));
        *spec.button = b;
    }
    bLAP->setEnabled(false);
    bSTOP->setEnabled(false);
    bRESET->setEnabled(false);

    bSTART->OnMouseDown = [this](QObject* s, Qt::MouseButton b) { bSTARTMouseDown(s, b); };
    bLAP->OnMouseDown = [this](QObject* s, Qt::MouseButton b) { bLAPMouseDown(s, b); };
    bSTOP->OnMouseDown = [this](QObject* s, Qt::MouseButton b) { bSTOPMouseDown(s, b); };
    bRESET->OnMouseDown = [this](QObject* s, Qt::MouseButton b) { bRESETMouseDown(s, b); };
    connect(bSTART, &QPushButton::clicked, this, [this] { mStartClick(bSTART); });
    connect(bLAP, &QPushButton::clicked, this, [this] { mLapClick(bLAP); });
    connect(bSTOP, &QPushButton::clicked, this, [this] { mStopClick(bSTOP); });
    connect(bRESET, &QPushButton::clicked, this, [this] { bRESETClick(bRESET); });

    setTabOrder(bSTART, editStartN);
    setTabOrder(editStartN, seStartN);
    setTabOrder(seStartN, bLAP);
    setTabOrder(bLAP, bSTOP);
    setTabOrder(bSTOP, bRESET);
}

void TFormMain::buildMenu() {
    mStart = new TMenuItem(QStringLiteral("&Start"), 'S', this);
    mLap = new TMenuItem(QStringLiteral("&Lap"), 'L', this);
    mStop = new TMenuItem(QStringLiteral("Sto&pp"), 'P', this);
    mReset = new TMenuItem(QStringLiteral("Reset"), ShortCutCode::Delete, this);
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
        int x;
    };
    const ButtonSpec specs[6] = {
        {&sbCLS, "cls", "Protokoll  l\u00f6schen", 2}, {&sbLoad, "load", "Protokoll \u00f6ffnen", 42},
        {&sbPrint, "print", "Protokoll drucken", 82},  {&sbWord, "word", "Datei in MS Word", 410},
        {&sbExcel, "excel", "Datei in MS Excel", 450}, {&sbSave, "save", "Protokoll speichern unter", 490},
    };
    for (const ButtonSpec& spec : specs) {
        auto* b = new QToolButton(Panel4);
        QIcon icon;
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(QLatin1String(spec.icon)), QSize(), QIcon::Normal);
        icon.addFile(QStringLiteral(":/icons/%1-disabled.png").arg(QLatin1String(spec.icon)), QSize(),
                     QIcon::Disabled);
        b->setIcon(icon);
        b->setIconSize(QSize(28, 28));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip(QString::fromUtf8(spec.hint));
        b->setGeometry(spec.x, (CaptionPanelHeight - ProtocolButtonSize) / 2, ProtocolButtonSize,
                       ProtocolButtonSize);
        *spec.button = b;
    }

    PopupMenu1 = new QMenu(this);
    Strokadelete = PopupMenu1->addAction(QStringLiteral("Zeile entfernen"));
    Copy1 = PopupMenu1->addAction(QStringLiteral("Alles kopieren"));
}

void TFormMain::buildProtocolGrid() {
    SortGrid1 = new TSortGrid(Panel3);
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
    SortGrid1->setPopupMenu(PopupMenu1);
    // Until the grid handles its own mouse input, the window shows the context menu.
    SortGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(SortGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(SortGrid1->mapToGlobal(pos)); });
    SortGrid1->SetModified(false);
}

void TFormMain::layoutAreas() {
    const int w = width();
    const int h = height();
    Panel1->setGeometry(0, 0, w, TopBarHeight);
    Panel2->setGeometry(0, TopBarHeight, LeftColumnWidth, h - TopBarHeight);
    Panel5->setGeometry(0, InputAreaTop, LeftColumnWidth, std::max(0, Panel2->height() - InputAreaTop));
    Panel3->setGeometry(LeftColumnWidth, TopBarHeight, std::max(0, w - LeftColumnWidth), h - TopBarHeight);
    Panel4->setGeometry(0, 0, Panel3->width(), CaptionPanelHeight);
    m_caption->setGeometry(0, 0, Panel4->width(), CaptionPanelHeight);
    // The right-hand buttons keep their designed distance from the panel's right edge.
    const int shift = Panel4->width() - DesignedCaptionWidth;
    sbWord->move(410 + shift, sbWord->y());
    sbExcel->move(450 + shift, sbExcel->y());
    sbSave->move(490 + shift, sbSave->y());
    SortGrid1->setGeometry(0, CaptionPanelHeight, Panel3->width(),
                           std::max(0, Panel3->height() - CaptionPanelHeight));
    FormResize();
}

void TFormMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutAreas();
}

// ---------------------------------------------------------------------------------------------
// Settings

void TFormMain::setLenLuch(int metres) {
    m_lenLuch = metres;
}

void TFormMain::setAcc(int acc) {
    acc = std::clamp(acc, 0, 2);
    if (acc == m_acc)
        return;
    m_acc = acc;
    ApplyResolution(m_acc);
}

void TFormMain::setC3(TColor c) {
    m_c3 = c;
}

void TFormMain::setC4(TColor c) {
    m_c4 = c;
}

// ---------------------------------------------------------------------------------------------
// Run control

template <typename F> void TFormMain::guarded(F&& action) {
    try {
        action();
    } catch (...) {
        ShowException(std::current_exception());
    }
}

uint32_t TFormMain::takeActionTick() {
    if (m_eventTick) {
        const uint32_t tick = *m_eventTick;
        m_eventTick.reset();
        return tick;
    }
    return GetTickCount();
}

void TFormMain::setRunEnabled(TRunButton* button, bool enabled) {
    button->setEnabled(enabled);
    TMenuItem* item = button == bSTART ? mStart : button == bLAP ? mLap : button == bSTOP ? mStop : mReset;
    item->setEnabled(enabled);
}

void TFormMain::ClickWithTick(TMenuItem* item, uint32_t tick) {
    m_eventTick = tick;
    item->Click();
    m_eventTick.reset();
}

void TFormMain::mStartClick(QObject*) {
    guarded([this] {
        m_startTick = takeActionTick();
        Clock->start();
        setRunEnabled(bSTART, false);
        setRunEnabled(bRESET, true);
        setRunEnabled(bLAP, true);
        seStartN->setEnabled(false);
        const QString timeOfDay = FormatTimeOfDay(platform::systemClock().localDateTime().time());
        bool ok = false;
        int number = seStartN->text().toInt(&ok);
        if (!ok)
            number = StartNumberMin;
        AddProtocolRow(QStringLiteral("  Nr.:"), QString::number(number), editStartN->text(), QString());
        AddProtocolRow(QStringLiteral("Start:"), QStringLiteral("  0,00"), QString(), timeOfDay);
        bLAP->setFocus();
        m_lapTick = 0;
    });
}

void TFormMain::mLapClick(QObject*) {
    DoLap();
}

void TFormMain::DoLap() {
    guarded([this] {
        m_lapTick = takeActionTick();
        setRunEnabled(bLAP, false);
        const int32_t elapsed = TickInterval(m_startTick, m_lapTick);
        ShowDigits(0, elapsed);
        const int resetsBefore = m_resetCount;
        QCoreApplication::processEvents();
        AddProtocolRow(QStringLiteral("  Lap:"), FormatRunTime(elapsed), QString(), QString());
        // A RESET that ran while the display repainted has ended this run; STOP must stay off then.
        if (m_resetCount != resetsBefore)
            return;
        setRunEnabled(bSTOP, true);
        bSTOP->setFocus();
    });
}

void TFormMain::mStopClick(QObject*) {
    guarded([this] {
        m_stopTick = takeActionTick();
        Clock->stop();
        setRunEnabled(bSTART, false);
        setRunEnabled(bSTOP, false);
        setRunEnabled(bRESET, true);
        const int32_t elapsed = TickInterval(m_startTick, m_stopTick);
        ShowDigits(0, elapsed);
        QCoreApplication::processEvents();
        const SpeedResult speed =
            ComputeSpeed(m_lenLuch, TickInterval(m_lapTick, m_stopTick), QLocale().decimalPoint());
        ShowDigits(1, speed.value);
        AddProtocolRow(QStringLiteral("Stopp:"), FormatRunTime(elapsed), speed.speedText, speed.noteText);
        bRESET->setFocus();
        ShowLastRun();
    });
}

void TFormMain::bRESETClick(QObject*) {
    guarded([this] {
        Clock->stop();
        setRunEnabled(bSTART, true);
        setRunEnabled(bRESET, false);
        // A reset run is over: LAP and STOP must not survive into the next one.
        setRunEnabled(bLAP, false);
        setRunEnabled(bSTOP, false);
        ++m_resetCount;
        seStartN->setValue(std::min(seStartN->value() + 1, StartNumberMax));
        seStartN->setEnabled(true);
        editStartN->clear();
        AddProtocolRow(QStringLiteral("-"), QString(), QString(), QString());
        ShowDigits(0, 0);
        ShowDigits(1, 0);
        bSTART->setFocus();
    });
}

void TFormMain::mResetClick(QObject*) {
    bRESETClick(bRESET);
}

void TFormMain::bSTARTMouseDown(QObject*, Qt::MouseButton) {
    mStart->Click();
}

void TFormMain::bLAPMouseDown(QObject*, Qt::MouseButton) {
    DoLap();
}

void TFormMain::bSTOPMouseDown(QObject*, Qt::MouseButton) {
    mStop->Click();
}

void TFormMain::bRESETMouseDown(QObject*, Qt::MouseButton) {
    mResetClick(bRESET);
}

void TFormMain::ClockTimer(QObject*) {
    ShowDigits(0, TickInterval(m_startTick, GetTickCount()));
}

bool TFormMain::ClockRunning() const {
    return Clock->isActive();
}

void TFormMain::editStartNEnter(QObject*) {
    for (TMenuItem* item : {mStart, mLap, mStop, mReset})
        item->setShortCut(0);
}

void TFormMain::editStartNExit(QObject*) {
    mStart->setShortCut('S');
    mLap->setShortCut('L');
    mStop->setShortCut('P');
    mReset->setShortCut(ShortCutCode::Delete);
    bool ok = false;
    const qlonglong number = editStartN->text().toLongLong(&ok, 10);
    if (ok)
        seStartN->setValue(int(std::clamp<qlonglong>(number, StartNumberMin, StartNumberMax)));
}

void TFormMain::editStartNKeyDown(QObject*, int& Key, Qt::KeyboardModifiers) {
    if ((Key == Qt::Key_Return || Key == Qt::Key_Enter) && bSTART->isEnabled())
        bSTART->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Keyboard: the invisible menu sees every key before the focused control does.

bool TFormMain::handleShortCut(QKeyEvent* key, bool onlyProbe) {
    const int code = ShortCutFromKey(key->key(), key->modifiers());
    if (code == 0)
        return false;
    for (TMenuItem* item : HideMenu1) {
        if (item->ShortCut() != code)
            continue;
        // A matching key is taken even while its item is disabled.
        if (!onlyProbe)
            item->Click();
        return true;
    }
    // Mnemonics of the run buttons press them like a click.
    if ((code & ~ShortCutCode::Alt) != 0 && (code & ShortCutCode::Alt) && !(code & ShortCutCode::Ctrl)) {
        const int letter = code & 0xFF;
        for (TRunButton* b : {bSTART, bLAP, bSTOP}) {
            const int amp = b->text().indexOf(QLatin1Char('&'));
            if (amp < 0 || amp + 1 >= b->text().size() || b->text().at(amp + 1).toUpper().unicode() != letter)
                continue;
            if (!b->isEnabled())
                return false;
            if (!onlyProbe)
                b->click();
            return true;
        }
    }
    return false;
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (type == QEvent::ShortcutOverride) {
                // Claim the key so it arrives as a key press, where the menu handles it.
                if (handleShortCut(key, true)) {
                    event->accept();
                    return true;
                }
            } else if (handleShortCut(key, false)) {
                return true;
            }
        }
    }
    if (watched == editStartN) {
        if (type == QEvent::FocusIn || type == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Switching windows or opening a popup is not leaving the field.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                if (type == QEvent::FocusIn)
                    editStartNEnter(editStartN);
                else
                    editStartNExit(editStartN);
            }
        } else if (type == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            int code = key->key();
            editStartNKeyDown(editStartN, code, key->modifiers());
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Display

std::array<TDigit*, 5> TFormMain::rowDigits(int row) const {
    if (row == 0)
        return {Digit4, Digit5, Digit6, Digit7, Digit8};
    return {Digit14, Digit15, Digit16, Digit17, Digit18};
}

void TFormMain::ShowDigits(int row, int64_t value) {
    const DigitRowValues v = SplitDigitValue(value);
    const TColor dim = row == 0 ? m_c3 : clDimDigit;
    const TColor lit = row == 0 ? m_c4 : clLime;
    const std::array<TDigit*, 5> d = rowDigits(row);
    d[0]->setValue(v.hundreds);
    d[0]->setColorOn(v.hundredsLit ? lit : dim);
    d[1]->setValue(v.tens);
    d[1]->setColorOn(v.tensLit ? lit : dim);
    d[2]->setValue(v.ones);
    d[3]->setValue(v.tenths);
    d[4]->setValue(v.hundredths);
}

void TFormMain::ApplyResolution(int acc) {
    const TimeRowShape shape = ComputeTimeRowShape(acc, PanelTimer->width(), PanelTimerOwner->width());
    Digit8->setVisible(shape.digit8Visible);
    Digit7->setVisible(shape.digit7Visible);
    PanelTimer->setGeometry(shape.panelLeft, 0, shape.panelWidth, PanelTimer->height());
    Lab_100->setText(shape.lab100Caption);
    Lab_100->adjustSize();
    Lab_100->move(shape.lab100Left, Lab_100->y());
    Lab_100->setVisible(shape.lab100Visible);
    LabSec->setVisible(shape.lab100Visible);
}

QString TFormMain::FormatRunTime(int64_t ms) const {
    return ::FormatRunTime(ms, m_acc);
}

// ---------------------------------------------------------------------------------------------
// Protocol

void TFormMain::AddProtocolRow(const QString& who, const QString& time, const QString& speed,
                               const QString& note) {
    SortGrid1->AddRow(QStringList{who, time, speed, note});
}

void TFormMain::ShowLastRun() {
    // With fewer than four data rows (the protocol was cleared during the run) stay below the header.
    const int32_t last = SortGrid1->RowCount() - 1;
    const int32_t first = std::max<int32_t>(1, SortGrid1->RowCount() - 4);
    SortGrid1->setTopRow(first);
    SortGrid1->setSelection(TGridRect{0, first, 3, last});
}

QList<ProtocolLine> TFormMain::ProtocolLines() const {
    QList<ProtocolLine> lines;
    for (int32_t r = 1; r < SortGrid1->RowCount(); ++r) {
        if (SortGrid1->IsRowEmpty(r))
            continue;
        lines.append(ProtocolLine{SortGrid1->Cells(0, r), SortGrid1->Cells(1, r), SortGrid1->Cells(2, r),
                                  SortGrid1->Cells(3, r)});
    }
    return lines;
}

void TFormMain::UpdateProtocolButtons() {
    sbCLS->setEnabled(SortGrid1->RowCount() > 1);
    sbWord->setEnabled(sbCLS->isEnabled());
    sbSave->setEnabled(sbCLS->isEnabled());
    sbPrint->setEnabled(sbCLS->isEnabled());
    sbExcel->setEnabled(sbWord->isEnabled());
}

void TFormMain::FormResize() {
    for (int32_t c = 0; c < 3; ++c)
        SortGrid1->setColWidths(c, 64);
    SortGrid1->setColWidths(
        3, SortGrid1->ClientWidth() -
               (SortGrid1->ColWidths(0) + SortGrid1->ColWidths(1) + SortGrid1->ColWidths(2)) - 24);
}

// ---------------------------------------------------------------------------------------------
// Light barrier

void TFormMain::ReadPortSettings() {
    platform::Registry registry;
    if (!registry.OpenKey(QStringLiteral("\\Software\\") + QCoreApplication::applicationName(), false))
        return;
    static const QRegularExpression deviceName(QStringLiteral("^ComDevice([0-9]+)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    for (const QString& name : registry.GetValueNames()) {
        const QRegularExpressionMatch m = deviceName.match(name);
        if (m.hasMatch() && registry.GetDataType(name) == platform::RegDataType::String)
            platform::setComDeviceOverride(m.captured(1).toInt(), registry.ReadString(name).toStdString());
    }
    if (registry.GetDataType(QStringLiteral("Port")) == platform::RegDataType::Integer) {
        const int port = registry.ReadInteger(QStringLiteral("Port"));
        if (port >= 0 && port <= 255)
            ComPort->setPort(uint8_t(port));
    }
}

void TFormMain::OpenLightBarrierPort() {
    if (ComPort->Port() == 0)
        return;
    try {
        ComPort->Open();
    } catch (const Exception&) {
        // The barrier stays off until the port is chosen again in the settings.
    }
}

void TFormMain::ComPortDSR(QObject*) {
    // The word as it was at the edge: a later read could already see the next edge.
    const uint32_t s = ComPort->EventModemStatus();
    if (s == m_lastModemStatus)
        return;
    m_lastModemStatus = s;
    if (Alg() == 0 && (s & platform::MS_DSR_ON))
        LightBarrierTrigger();
}

void TFormMain::LightBarrierTrigger() {
    const uint32_t tick = ComPort->EventTick();
    if (bSTART->isEnabled())
        ClickWithTick(mStart, tick);
    else if (bSTOP->isEnabled())
        ClickWithTick(mStop, tick);
    else if (bLAP->isEnabled())
        ClickWithTick(mLap, tick);
}
