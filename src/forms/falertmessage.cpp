#include "falertmessage.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

FAlertMessage *FAlertMessage::m_pAlertMessage = nullptr;

FAlertMessage *FAlertMessage::getInstance()
{
    if (!m_pAlertMessage)
        m_pAlertMessage = new FAlertMessage;
    return m_pAlertMessage;
}

FAlertMessage::FAlertMessage()
    : QDialog(nullptr, Qt::FramelessWindowHint)
    , lbTitulo(new QLabel(this))
    , m_LabelMessage(new QLabel(this))
{
    lbTitulo->setObjectName(QStringLiteral("lbTitulo"));
    m_LabelMessage->setObjectName(QStringLiteral("m_LabelMessage"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lbTitulo);
    layout->addWidget(m_LabelMessage);
}

int FAlertMessage::showDialog(QWidget *, QString title, QString message, int buttons, int, bool modal)
{
    flags = buttons;
    lbTitulo->setText(title);
    m_LabelMessage->setText(message);
    if (!modal) {
        show();
        return 1;
    }
    return exec();
}

void FAlertMessage::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && (flags & 4))
        reject();
    else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && (flags & 2))
        accept();
}
