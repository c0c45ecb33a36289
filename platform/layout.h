#pragma once

#include "platform/controlarray.h"
#include "platform/shapewidget.h"

#include <QHash>
#include <QString>
#include <QWidget>

#include <optional>
#include <span>

// A window layout as data: one row a control, in twips, in stacking order (later rows lie in
// front of earlier ones). Layout::build() makes the widgets.
namespace Layout {

enum class Kind
{
    Label,         // CaptionLabel
    LabelButton,   // LabelButton
    Picture,       // QLabel showing a picture stretched to the control
    Shape,         // ShapeWidget
    TextBox,       // TextBox
    ListBox,       // ListBox
    ComboBox,      // QComboBox, pick-only
    CommandButton, // QPushButton
};

enum class Align
{
    Left,
    Centre
};

struct Font
{
    const char *family = nullptr; // nullptr: the window's default font
    double points = 0;
    bool bold = false;
    bool underline = false;
};

struct Control
{
    const char *name;
    int index = -1; // -1: not part of a control array
    Kind kind = Kind::Label;
    const char *caption = ""; // UTF-8
    int left = 0, top = 0, width = 0, height = 0;
    Font font = {};
    std::optional<quint32> foreColor = {}; // &H00BBGGRR; none: the default text colour
    std::optional<quint32> backColor = {}; // shapes: the fill; other controls: an opaque back
    Align align = Align::Left;
    bool visible = true;
    ShapeWidget::Kind shape = ShapeWidget::Kind::Rectangle;
    const char *picture = nullptr; // resource path of a picture
};

// The object name that tests and assistive technology find a control by: "Label2_7" for
// index 7 of Label2, "Text1" for a control outside an array.
QString objectName(const Control &control);

// The font of a layout row, sized in pixels as the design's 96 dpi screen shows it.
QFont fontOf(const Font &font, const QFont &base);

class Controls
{
public:
    void insert(const Control &row, QWidget *widget);

    template <typename T> ControlArray<T> array(const char *name) const
    {
        ControlArray<T> result;
        const auto byIndex = m_arrays.value(QString::fromLatin1(name));
        for (auto it = byIndex.cbegin(); it != byIndex.cend(); ++it)
            if (T *control = qobject_cast<T *>(it.value()))
                result.insert(it.key(), control);
        return result;
    }

    template <typename T> T *single(const char *name) const
    {
        return qobject_cast<T *>(m_arrays.value(QString::fromLatin1(name)).value(-1, nullptr));
    }

private:
    QHash<QString, QMap<int, QWidget *>> m_arrays;
};

// Creates the controls as children of parent, in table order.
Controls build(QWidget *parent, std::span<const Control> table);

// Geometry of a control in twips, as the program's logic works with it.
int topTwips(const QWidget *widget);
void setTopTwips(QWidget *widget, int top);
QRect rectTwips(const QWidget *widget);

} // namespace Layout
