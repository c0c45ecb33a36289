#include "platform/layout.h"

#include "platform/captionlabel.h"
#include "platform/labelbutton.h"
#include "platform/listbox.h"
#include "platform/textbox.h"
#include "platform/twips.h"

#include <QComboBox>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>

namespace Layout {

QString objectName(const Control &control)
{
    QString name = QString::fromLatin1(control.name);
    if (control.index >= 0)
        name += QLatin1Char('_') + QString::number(control.index);
    return name;
}

QFont fontOf(const Font &font, const QFont &base)
{
    QFont result = base;
    if (!font.family)
        return result;
    result.setFamily(QString::fromLatin1(font.family));
    result.setPixelSize(qRound(font.points * 96.0 / 72.0));
    result.setBold(font.bold);
    result.setUnderline(font.underline);
    return result;
}

void Controls::insert(const Control &row, QWidget *widget)
{
    m_arrays[QString::fromLatin1(row.name)].insert(row.index, widget);
}

namespace {

void applyColors(QWidget *widget, const Control &row)
{
    QPalette pal = widget->palette();
    if (row.foreColor) {
        // Only the enabled looks take the design's colour: a disabled control keeps its greyed
        // look (a label's embossed caption).
        const QColor fore = colorFromBgr(*row.foreColor);
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            pal.setColor(group, QPalette::WindowText, fore);
            pal.setColor(group, QPalette::Text, fore);
            pal.setColor(group, QPalette::ButtonText, fore);
        }
    }
    if (row.backColor && row.kind != Kind::Label && row.kind != Kind::LabelButton)
        pal.setColor(QPalette::Base, colorFromBgr(*row.backColor));
    widget->setPalette(pal);
}

QWidget *makeWidget(const Control &row, QWidget *parent)
{
    const QString caption = QString::fromUtf8(row.caption);
    const Qt::Alignment align =
        (row.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
    switch (row.kind) {
    case Kind::Label:
    case Kind::LabelButton: {
        auto *label = row.kind == Kind::Label ? new CaptionLabel(parent) : new LabelButton(parent);
        label->setAlignment(align);
        label->setCaption(caption);
        if (row.backColor)
            label->setOpaqueBackground(colorFromBgr(*row.backColor));
        return label;
    }
    case Kind::Picture: {
        auto *picture = new QLabel(parent);
        picture->setScaledContents(true);
        if (row.picture)
            picture->setPixmap(QPixmap(QString::fromLatin1(row.picture)));
        return picture;
    }
    case Kind::Shape: {
        auto *shape = new ShapeWidget(row.shape, parent);
        if (row.backColor)
            shape->setFillColor(colorFromBgr(*row.backColor));
        if (row.foreColor)
            shape->setOutlineColor(colorFromBgr(*row.foreColor));
        return shape;
    }
    case Kind::TextBox: {
        auto *box = new TextBox(parent);
        box->setText(caption);
        return box;
    }
    case Kind::ListBox:
        return new ListBox(parent);
    case Kind::ComboBox:
        return new QComboBox(parent);
    case Kind::CommandButton:
        return new QPushButton(caption, parent);
    }
    return new QWidget(parent);
}

} // namespace

Controls build(QWidget *parent, std::span<const Control> table)
{
    Controls controls;
    for (const Control &row : table) {
        QWidget *widget = makeWidget(row, parent);
        widget->setObjectName(objectName(row));
        widget->setGeometry(Twips::toPixels(row.left, row.top, row.width, row.height));
        widget->setFont(fontOf(row.font, parent->font()));
        if (row.kind != Kind::Shape)
            applyColors(widget, row);
        widget->setVisible(row.visible);
        widget->raise();
        controls.insert(row, widget);
    }
    return controls;
}

int topTwips(const QWidget *widget) { return Twips::fromPixels(widget->y()); }

void setTopTwips(QWidget *widget, int top) { widget->move(widget->x(), Twips::toPixels(top)); }

QRect rectTwips(const QWidget *widget)
{
    const QRect r = widget->geometry();
    return QRect(Twips::fromPixels(r.x()), Twips::fromPixels(r.y()), Twips::fromPixels(r.width()),
                 Twips::fromPixels(r.height()));
}

} // namespace Layout
