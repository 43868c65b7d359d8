#pragma once

#include "falertmessage.h"

#include <QDialog>
#include <QPushButton>
#include <QRect>

// The frame that the alert and the capture dialog share: placed over the
// host's window below its title line, button captions by request bits, and
// the two keys that close it only when the caller asked for them.
namespace DialogFrame {

constexpr int HostTitleHeight = 20;

inline void placeOverHost(QDialog *dialog, QWidget *parent)
{
    if (!parent)
        return;
    QWidget *top = parent->window();
    QRect area = top->geometry();
    area.setTop(area.top() + HostTitleHeight);
    dialog->setGeometry(area);
    dialog->setPalette(top->palette());
}

// Shows the captions the buttons bits ask for and returns the bits with the
// key bits added.
inline int showButtons(int flags, QPushButton *first, QPushButton *second, const QString &okText,
                       const QString &escText)
{
    first->hide();
    second->hide();
    if (flags & FAlertMessage::ButtonOk) {
        first->setText(okText);
        first->show();
        flags |= FAlertMessage::ReturnKey;
        if (flags & FAlertMessage::ButtonEsc) {
            second->setText(escText);
            second->show();
        }
    } else if (flags & FAlertMessage::ButtonEsc) {
        first->setText(escText);
        first->show();
    }
    if (flags & FAlertMessage::ButtonEsc)
        flags |= FAlertMessage::EscKey;
    // The buttons span two grid columns between expanding spacers, which
    // would squeeze a long caption; each keeps at least its caption's width.
    for (QPushButton *button : {first, second})
        button->setMinimumWidth(
            button->isVisibleTo(button->parentWidget()) ? button->sizeHint().width() : 0);
    return flags;
}

inline void closeByKey(QDialog *dialog, int key, int flags)
{
    if (key == Qt::Key_Escape && (flags & FAlertMessage::EscKey))
        dialog->reject();
    else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (flags & FAlertMessage::ReturnKey))
        dialog->accept();
}

} // namespace DialogFrame
