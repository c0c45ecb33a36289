#pragma once

#include <QList>
#include <QString>

// The exam's rows as a table of texts: entry (Prompt, i), (Expected_Answer, i) and
// (Typed_Answer, i) of row i, rows 1 to 100 in the order drawn. Field 0 and row 0 belong to no
// question (row 0 catches an answer entered while no row is selected). Like the other shared
// arrays it has no entries until dimensioned, and an entry outside the bounds reads as the
// empty text and cannot be written.
class ExamTable
{
public:
    enum Field
    {
        Prompt = 1,
        Expected_Answer = 2,
        Typed_Answer = 3
    };

    static constexpr int fieldUpper = 3;
    static constexpr int rowUpper = 100;

    // Every entry of 0..3 by 0..100 becomes the empty text.
    void dimension() { m_texts = QList<QString>((fieldUpper + 1) * (rowUpper + 1)); }
    bool isDimensioned() const { return !m_texts.isEmpty(); }

    static bool contains(int field, int row)
    {
        return field >= 0 && field <= fieldUpper && row >= 0 && row <= rowUpper;
    }

    QString at(int field, int row) const
    {
        return isDimensioned() && contains(field, row) ? m_texts.at(position(field, row))
                                                       : QString();
    }

    bool set(int field, int row, const QString &text)
    {
        if (!isDimensioned() || !contains(field, row))
            return false;
        m_texts[position(field, row)] = text;
        return true;
    }

private:
    static qsizetype position(int field, int row) { return field * (rowUpper + 1) + row; }

    QList<QString> m_texts;
};
