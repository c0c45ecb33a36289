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

void Controls::insert(const Control &spec, QWidget *widget)
{
    m_arrays[QString::fromLatin1(spec.name)].insert(spec.index, widget);
}

namespace {

void applyColors(QWidget *widget, const Control &spec)
{
    QPalette pal = widget->palette();
    if (spec.foreColor) {
        // The disabled look keeps the style's greyed text, so a locked button shows it.
        const QColor fore = colorFromBgr(*spec.foreColor);
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            pal.setColor(group, QPalette::WindowText, fore);
            pal.setColor(group, QPalette::Text, fore);
            pal.setColor(group, QPalette::ButtonText, fore);
        }
    }
    if (spec.backColor && spec.kind != Kind::Label && spec.kind != Kind::LabelButton)
        pal.setColor(QPalette::Base, colorFromBgr(*spec.backColor));
    widget->setPalette(pal);
}

QWidget *makeWidget(const Control &spec, QWidget *parent)
{
    const QString caption = QString::fromUtf8(spec.caption);
    const Qt::Alignment align =
        (spec.align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
    switch (spec.kind) {
    case Kind::Label:
    case Kind::LabelButton: {
        auto *label = spec.kind == Kind::Label ? new CaptionLabel(parent) : new LabelButton(parent);
        label->setAlignment(align);
        label->setCaption(caption);
        if (spec.backColor)
            label->setOpaqueBackground(colorFromBgr(*spec.backColor));
        return label;
    }
    case Kind::Picture: {
        auto *picture = new QLabel(parent);
        picture->setScaledContents(true);
        if (spec.picture)
            picture->setPixmap(QPixmap(QString::fromLatin1(spec.picture)));
        return picture;
    }
    case Kind::Shape: {
        auto *shape = new ShapeWidget(spec.shape, parent);
        if (spec.backColor)
            shape->setFillColor(colorFromBgr(*spec.backColor));
        if (spec.foreColor)
            shape->setOutlineColor(colorFromBgr(*spec.foreColor));
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
    for (const Control &spec : table) {
        QWidget *widget = makeWidget(spec, parent);
        widget->setObjectName(objectName(spec));
        widget->setGeometry(Twips::toPixels(spec.left, spec.top, spec.width, spec.height));
        widget->setFont(fontOf(spec.font, parent->font()));
        if (spec.kind != Kind::Shape)
            applyColors(widget, spec);
        widget->setVisible(spec.visible);
        widget->raise();
        controls.insert(spec, widget);
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
