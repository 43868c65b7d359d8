#pragma once

#include <QPushButton>

// Keypad push button: Return clicks it.
class Boton : public QPushButton
{
    Q_OBJECT

public:
    explicit Boton(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};
