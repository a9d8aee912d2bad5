#include "ToColorCombo.h"

#include "ColorComboGeometry.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QStyledItemDelegate>

const QString ToColorCombo::UserEntryName = QStringLiteral("Other...");

namespace {

constexpr int ColorRole = Qt::UserRole;

// Paints the drop-down list's entries the same way as the closed box.
class ColorEntryDelegate : public QStyledItemDelegate {
public:
    explicit ColorEntryDelegate(ToColorCombo* combo) : QStyledItemDelegate(combo), m_combo(combo) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        painter->save();
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& pal = option.palette;
        painter->setBrush(pal.color(selected ? QPalette::Highlight : QPalette::Base));
        painter->setPen(pal.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(m_combo->font());
        m_combo->DrawItem(*painter, index.row(), option.rect);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return QSize(option.rect.width(), m_combo->ItemHeight());
    }

private:
    ToColorCombo* m_combo;
};

} // namespace

const std::vector<std::pair<QString, TColor>>& ToColorCombo::PureColors() {
    static const std::vector<std::pair<QString, TColor>> colors = {
        {QStringLiteral("Black"), clBlack},   {QStringLiteral("Maroon"), clMaroon},
        {QStringLiteral("Green"), clGreen},   {QStringLiteral("Olive"), clOlive},
        {QStringLiteral("Navy"), clNavy},     {QStringLiteral("Purple"), clPurple},
        {QStringLiteral("Teal"), clTeal},     {QStringLiteral("Gray"), clGray},
        {QStringLiteral("Silver"), clSilver}, {QStringLiteral("Red"), clRed},
        {QStringLiteral("Lime"), clLime},     {QStringLiteral("Yellow"), clYellow},
        {QStringLiteral("Blue"), clBlue},     {QStringLiteral("Fuchsia"), clFuchsia},
        {QStringLiteral("Aqua"), clAqua},     {QStringLiteral("White"), clWhite},
    };
    return colors;
}

const QStringList& ToColorCombo::SystemColorNames() {
    static const QStringList names = {
        QStringLiteral("ScrollBar"),     QStringLiteral("Background"),
        QStringLiteral("ActiveCaption"), QStringLiteral("InactiveCaption"),
        QStringLiteral("Menu"),          QStringLiteral("Window"),
        QStringLiteral("WindowFrame"),   QStringLiteral("MenuText"),
        QStringLiteral("WindowText"),    QStringLiteral("CaptionText"),
        QStringLiteral("ActiveBorder"),  QStringLiteral("InactiveBorder"),
        QStringLiteral("AppWorkSpace"),  QStringLiteral("Highlight"),
        QStringLiteral("HighlightText"), QStringLiteral("BtnFace"),
        QStringLiteral("BtnShadow"),     QStringLiteral("GrayText"),
        QStringLiteral("BtnText"),       QStringLiteral("InactiveCaptionText"),
        QStringLiteral("BtnHighlight"),
    };
    return names;
}

ToColorCombo::ToColorCombo(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new ColorEntryDelegate(this));
    m_itemHeight = ColorItemHeight(QFontInfo(font()).pixelSize());
    connect(this, &QComboBox::activated, this, [this](int index) { Click(index); });
    BuildColorList();
}

void ToColorCombo::BuildColorList() {
    if (m_colorSet & clrPure) {
        for (const auto& [name, value] : PureColors())
            addItem(name, QVariant::fromValue(uint(value)));
    }
    if (m_colorSet & clrCtrl) {
        const QStringList& names = SystemColorNames();
        for (int k = 0; k < names.size(); ++k)
            addItem(names[k], QVariant::fromValue(uint(0xFF000000u + uint(k))));
    }
    if (m_colorSet & clrUser)
        addItem(UserEntryName, QVariant::fromValue(uint(InitialUserColor)));
    setCurrentIndex(count() > 0 ? 0 : -1);
}

TColor ToColorCombo::EntryColor(int index) const {
    return index >= 0 && index < count() ? TColor(itemData(index, ColorRole).toUInt()) : 0;
}

void ToColorCombo::setColorSet(ToColorSet s) {
    if (s == m_colorSet)
        return;
    m_colorSet = s ? s : ToColorSet(clrUser);
    clear();
    BuildColorList();
    update();
}

void ToColorCombo::setColorValue(TColor v) {
    if (v == m_colorValue)
        return;
    for (int i = 0; i < count(); ++i) {
        if (EntryColor(i) == v) {
            m_colorValue = v;
            setCurrentIndex(i);
            fireChange();
            return;
        }
    }
    if (!(m_colorSet & clrUser))
        return;
    m_colorValue = v;
    const int last = count() - 1;
    setCurrentIndex(last);
    setItemData(last, QVariant::fromValue(uint(v)), ColorRole);
    fireChange();
    update();
}

TColor ToColorCombo::ColorUser() const {
    return (m_colorSet & clrUser) && count() > 0 ? EntryColor(count() - 1) : InitialUserColor;
}

void ToColorCombo::setColorUser(TColor v) {
    if (m_colorSet & clrUser)
        setColorValue(v);
}

void ToColorCombo::setDrawColorName(bool draw) {
    if (draw == m_drawColorName)
        return;
    m_drawColorName = draw;
    update();
    if (view())
        view()->viewport()->update();
}

bool ToColorCombo::UserColorSelected() const {
    return (m_colorSet & clrUser) && currentIndex() >= 0 && currentIndex() + 1 == count();
}

void ToColorCombo::Click(int index) {
    if (index >= 0 && index < count())
        m_colorValue = EntryColor(index);
    if (OnClick)
        OnClick(this);
    fireChange();
}

void ToColorCombo::fireChange() {
    if (OnChange)
        OnChange(this);
}

void ToColorCombo::DrawItem(QPainter& painter, int index, const QRect& item) const {
    const ColorEntryGeometry g = ColorEntryLayout(item, m_drawColorName);
    const QBrush brush = painter.brush();
    const QPen textPen = painter.pen();
    painter.fillRect(item, brush);
    // A one-pixel black frame: QPainter outlines one pixel beyond the rectangle it is given.
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(g.Frame.adjusted(0, 0, -1, -1));
    painter.fillRect(g.Swatch, ColorToQColor(EntryColor(index)));
    painter.setPen(textPen);
    if (m_drawColorName)
        painter.drawText(g.Text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, itemText(index));
}

void ToColorCombo::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, opt);
    if (currentIndex() < 0)
        return;
    const QRect field =
        style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    const bool focused = hasFocus() && !view()->isVisible();
    painter.setBrush(palette().color(focused ? QPalette::Highlight : QPalette::Base));
    painter.setPen(palette().color(focused ? QPalette::HighlightedText : QPalette::Text));
    DrawItem(painter, currentIndex(), field);
}

void ToColorCombo::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_itemHeight = ColorItemHeight(QFontInfo(font()).pixelSize());
        recreate();
    }
}

void ToColorCombo::recreate() {
    // A new list from the groups, as after the control was first made; the user entry keeps its colour.
    const bool hadUser = (m_colorSet & clrUser) && count() > 0;
    const TColor user = hadUser ? EntryColor(count() - 1) : InitialUserColor;
    clear();
    BuildColorList();
    if (hadUser)
        setItemData(count() - 1, QVariant::fromValue(uint(user)), ColorRole);
    update();
}
