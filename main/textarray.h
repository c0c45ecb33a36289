#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A text array of the shared state. It has no elements until it is first dimensioned;
// dimensioning it (again) gives every element of the new bounds the empty text. Reading an
// element outside the bounds gives the empty text and writing one changes nothing, so no
// caller can step outside the array.
template <typename Text> class TextArrayOf
{
public:
    void dimension(int upperBound) { m_items = QList<Text>(qMax(upperBound, -1) + 1); }
    bool isDimensioned() const { return !m_items.isEmpty(); }
    int upperBound() const { return int(m_items.size()) - 1; }
    bool contains(int index) const { return index >= 0 && index < m_items.size(); }

    Text at(int index) const { return contains(index) ? m_items.at(index) : Text(); }
    Text operator[](int index) const { return at(index); }

    bool set(int index, const Text &text)
    {
        if (!contains(index))
            return false;
        m_items[index] = text;
        return true;
    }

    // Direct access for code that has already checked the bounds.
    Text &ref(int index) { return m_items[index]; }
    const QList<Text> &items() const { return m_items; }

private:
    QList<Text> m_items;
};

using TextArray = TextArrayOf<QString>;
// Results lines are bytes: their score characters reach 132, beyond plain text.
using ByteTextArray = TextArrayOf<QByteArray>;
