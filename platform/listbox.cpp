#include "platform/listbox.h"

#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextLayout>

namespace {

// Draws an item's text with the list's tab stops, so that TAB-separated fields line up in
// columns.
class TabStopDelegate : public QStyledItemDelegate
{
public:
    explicit TabStopDelegate(ListBox *list) : QStyledItemDelegate(list), m_list(list) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        QStyle *style = opt.widget ? opt.widget->style() : nullptr;
        if (style)
            style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

        const QRect textRect =
            style ? style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget) : opt.rect;
        QTextOption textOption(Qt::AlignLeft | Qt::AlignVCenter);
        textOption.setWrapMode(QTextOption::NoWrap);
        textOption.setTabStopDistance(m_list->tabStopPixels());
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(QPalette::Normal, (opt.state & QStyle::State_Selected)
                                                                ? QPalette::HighlightedText
                                                                : QPalette::Text));
        painter->drawText(QRectF(textRect), text, textOption);
        painter->restore();
    }

private:
    ListBox *m_list;
};

} // namespace

ListBox::ListBox(QWidget *parent) : QListWidget(parent)
{
    setSortingEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Lines longer than the list are cut at its edge, as in the design, rather than scrolled.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setItemDelegate(new TabStopDelegate(this));
    connect(this, &QListWidget::currentRowChanged, this, [this] {
        if (!m_settingIndex)
            raiseClick();
    });
}

void ListBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        return;
    m_settingIndex = true;
    setCurrentRow(index);
    if (index < 0)
        clearSelection();
    m_settingIndex = false;
    raiseClick();
}

QString ListBox::text() const { return itemText(currentRow()); }

QString ListBox::itemText(int index) const
{
    const QListWidgetItem *it = item(index);
    return it ? it->text() : QString();
}

void ListBox::setItemText(int index, const QString &text)
{
    if (QListWidgetItem *it = item(index))
        it->setText(text);
}

void ListBox::clear()
{
    m_settingIndex = true;
    QListWidget::clear();
    setCurrentRow(-1);
    m_settingIndex = false;
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    // The view makes its first line current when the focus arrives with none (by Tab, say),
    // which would select it and raise a click.
    const int before = currentRow();
    m_settingIndex = true;
    QListWidget::focusInEvent(event);
    if (before < 0 && currentRow() >= 0)
        setCurrentRow(-1);
    m_settingIndex = false;
}

int ListBox::tabStopPixels() const
{
    // Eight average characters, the average taken over the lower-case letters as the desktop
    // takes it (the font's own average counts every glyph and comes out wider).
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    return 8 * qRound(fontMetrics().horizontalAdvance(letters) / qreal(letters.size()));
}

void ListBox::raiseClick()
{
    if (m_click)
        m_click();
}
