#pragma once

#include <QLineEdit>

#include <functional>

// A one-line text box whose key-down handler runs before the key's character lands in the
// box, for every key that goes down, Tab too. The handler gets the key code by reference and
// may change it for its own later steps; setting it to 0 swallows the key.
class TextBox : public QLineEdit
{
    Q_OBJECT

public:
    using KeyHandler = std::function<void(int &keyCode, int shift)>;

    explicit TextBox(QWidget *parent = nullptr);

    void setKeyDownHandler(KeyHandler handler) { m_keyDown = std::move(handler); }

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Runs the handler; false when it swallowed the key.
    bool keyDown(QKeyEvent *event);

    KeyHandler m_keyDown;
};
