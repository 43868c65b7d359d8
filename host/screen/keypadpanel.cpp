#include "keypadpanel.h"

#include <QGridLayout>
#include <QPushButton>

namespace {
struct KeyButton {
    const char *caption;
    int key;
    const char *text;
    int row, column;
};

const KeyButton buttons[] = {
    {"F5", Qt::Key_F5, "", 0, 0},        {"F6", Qt::Key_F6, "", 0, 1},
    {"F7", Qt::Key_F7, "", 0, 2},        {"F8", Qt::Key_F8, "", 0, 3},
    {"Esc", Qt::Key_Escape, "", 1, 0},   {"\u25B2", Qt::Key_Up, "", 1, 1},
    {"OK", Qt::Key_Return, "\r", 1, 2},  {"Lang", Qt::Key_F12, "", 1, 3},
    {"\u25C0", Qt::Key_Left, "", 2, 0},  {"\u25BC", Qt::Key_Down, "", 2, 1},
    {"\u25B6", Qt::Key_Right, "", 2, 2}, {"1", Qt::Key_1, "1", 3, 0},
    {"2", Qt::Key_2, "2", 3, 1},         {"3", Qt::Key_3, "3", 3, 2},
    {"4", Qt::Key_4, "4", 4, 0},         {"5", Qt::Key_5, "5", 4, 1},
    {"6", Qt::Key_6, "6", 4, 2},         {"7", Qt::Key_7, "7", 5, 0},
    {"8", Qt::Key_8, "8", 5, 1},         {"9", Qt::Key_9, "9", 5, 2},
    {"0", Qt::Key_0, "0", 5, 3},
};
} // namespace

KeypadPanel::KeypadPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Keypad"));
    setFixedHeight(240);
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->setSpacing(3);
    for (const KeyButton &b : buttons) {
        auto *button = new QPushButton(QString::fromUtf8(b.caption), this);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(44, 32);
        const int key = b.key;
        const QString text = QString::fromLatin1(b.text);
        connect(button, &QPushButton::clicked, this,
                [this, key, text] { emit keyPressed(key, text); });
        grid->addWidget(button, b.row, b.column);
    }
}
