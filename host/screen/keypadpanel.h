#pragma once

#include <QWidget>

// The device's keypad beside the screen, for mouse users: arrows, OK (Return),
// Esc, the function keys F5 to F8, the digits and the language key. Its
// buttons never take the focus; each click is handed on as a key.
class KeypadPanel : public QWidget
{
    Q_OBJECT

public:
    explicit KeypadPanel(QWidget *parent = nullptr);

signals:
    void keyPressed(int key, const QString &text);
};
