#pragma once

#include <QListWidget>

#include <functional>

// A list box as the windows use it: items are never sorted; setting the list index from the
// program raises the click handler at once, before the setter returns, as a change made by the
// user does; clearing leaves no line selected and raises nothing; the focus arriving in a list
// with no line selected selects none and raises nothing. A TAB in an item jumps to the next
// standard tab stop (every eight average character widths).
class ListBox : public QListWidget
{
    Q_OBJECT

public:
    explicit ListBox(QWidget *parent = nullptr);

    void setClickHandler(std::function<void()> handler) { m_click = std::move(handler); }

    // The selected line, -1 when none.
    int listIndex() const { return currentRow(); }
    void setListIndex(int index);

    // The text of the selected line; empty when none is selected.
    QString text() const;
    QString itemText(int index) const;
    void setItemText(int index, const QString &text);
    void addItem(const QString &text) { QListWidget::addItem(text); }
    void clear();

    // The distance between tab stops, in pixels.
    int tabStopPixels() const;

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    void raiseClick();

    std::function<void()> m_click;
    bool m_settingIndex = false;
};
