#pragma once

#include "core/Colors.h"
#include "core/NotifyEvent.h"

#include <QComboBox>
#include <QFlags>

class QPainter;

/// A group of colours the combo can list.
enum ToColor {
    clrPure = 0x1, ///< the sixteen pure colours
    clrCtrl = 0x2, ///< the twenty-one system colours
    clrUser = 0x4, ///< the user entry "Other...", always last
};
Q_DECLARE_FLAGS(ToColorSet, ToColor)
Q_DECLARE_OPERATORS_FOR_FLAGS(ToColorSet)

/// A drop-down list of colours: each entry a framed swatch and, optionally, the colour's name.
/// The list holds the groups of `ColorSet` in the order pure, system, user.
class ToColorCombo : public QComboBox {
    Q_OBJECT
    Q_PROPERTY(uint ColorValue READ ColorValue WRITE setColorValue)
    Q_PROPERTY(uint ColorUser READ ColorUser WRITE setColorUser)
    Q_PROPERTY(bool DrawColorName READ DrawColorName WRITE setDrawColorName)

public:
    static constexpr ToColorSet InitialColorSet = ToColorSet(clrPure | clrCtrl);
    static constexpr TColor InitialColorValue = 0;
    static constexpr TColor InitialUserColor = clWhite;
    static constexpr bool InitialDrawColorName = true;
    /// The user entry's name.
    static const QString UserEntryName;

    /// A combo listing the pure and the system colours with their names, entry 0 selected.
    explicit ToColorCombo(QWidget* parent = nullptr);

    /// The groups the list holds.
    ToColorSet ColorSet() const { return m_colorSet; }
    /// Rebuilds the list with `s` (an empty set counts as the user entry alone); selects entry 0
    /// and leaves ColorValue alone.
    virtual void setColorSet(ToColorSet s);

    /// The selected colour.
    TColor ColorValue() const { return m_colorValue; }
    /// Selects the first entry of colour `v` and fires OnChange; a colour not listed goes into the
    /// user entry, or is ignored without one. Nothing happens when `v` is the current value.
    virtual void setColorValue(TColor v);

    /// The user entry's colour; white without a user entry.
    TColor ColorUser() const;
    /// With a user entry, the same as setColorValue(v); ignored otherwise.
    void setColorUser(TColor v);

    /// Whether each entry shows its name beside the swatch.
    bool DrawColorName() const { return m_drawColorName; }
    /// Sets whether names are drawn; repaints.
    virtual void setDrawColorName(bool draw);

    /// True when the list has a user entry and it is selected.
    bool UserColorSelected() const;

    /// Appends the groups of ColorSet, each in its order, and selects entry 0. Does not clear.
    virtual void BuildColorList();

    /// The colour of entry `index`.
    TColor EntryColor(int index) const;

    /// The height of one list entry, following the font.
    int ItemHeight() const { return m_itemHeight; }

    /// Draws entry `index` into `item` on a painter whose brush and pen (text colour) are set for
    /// the normal or the selected state.
    void DrawItem(QPainter& painter, int index, const QRect& item) const;

    /// A number for the owner's use; the settings dialog keeps its re-entry mark here.
    int Tag() const { return m_tag; }
    /// Sets Tag.
    void setTag(int value) { m_tag = value; }

    /// Fired after the selection changed, by the operator or by setting ColorValue.
    TNotifyEvent OnChange;
    /// Fired when the operator picks an entry, before OnChange.
    TNotifyEvent OnClick;

    /// The names and values of the pure colours, in list order.
    static const std::vector<std::pair<QString, TColor>>& PureColors();
    /// The names of the system colours; entry k has the value 0xFF000000 + k.
    static const QStringList& SystemColorNames();

protected:
    /// The operator picked entry `index`.
    virtual void Click(int index);
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void recreate();
    void fireChange();

    ToColorSet m_colorSet = InitialColorSet;
    TColor m_colorValue = InitialColorValue;
    bool m_drawColorName = InitialDrawColorName;
    int m_itemHeight = 10;
    int m_tag = 0;
};
