#pragma once

#include <QMap>

// Controls that share a name and are told apart by an index, as the layouts number them.
// Looking up an index that the layout does not have gives nullptr.
template <typename Control> class ControlArray
{
public:
    void insert(int index, Control *control) { m_controls.insert(index, control); }
    Control *operator[](int index) const { return m_controls.value(index, nullptr); }
    bool contains(int index) const { return m_controls.contains(index); }
    QList<int> indices() const { return m_controls.keys(); }

private:
    QMap<int, Control *> m_controls;
};
