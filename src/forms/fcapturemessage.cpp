#include "fcapturemessage.h"

#include "dialogframe_p.h"
#include "ui_fcapturemessage.h"

#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>

FCaptureMessage *FCaptureMessage::m_pCaptureMessage = nullptr;

FCaptureMessage *FCaptureMessage::getInstance()
{
    if (!m_pCaptureMessage)
        m_pCaptureMessage = new FCaptureMessage;
    return m_pCaptureMessage;
}

FCaptureMessage::FCaptureMessage()
    : QDialog(nullptr, Qt::FramelessWindowHint)
    , ui(new Ui_FormCaptureMessage)
    , iconName(QStringLiteral("helpicon.png"))
    , flags(0)
{
    ui->setupUi(this);
    firstButtonText = tr("Press Ok to continue");
    secondButtonText = tr("Press Esc to cancel");
}

void FCaptureMessage::setButtonTexts(const QString &first, const QString &second)
{
    firstButtonText = first;
    secondButtonText = second;
}

int FCaptureMessage::showDialog(QWidget *parent, QString title, QString message, int buttons,
                                QString &text)
{
    DialogFrame::placeOverHost(this, parent);

    flags = buttons;
    ui->lbTitulo->setText(title);
    ui->m_LabelMessage->setText(message);
    ui->m_TextIntroduced->setText(text);

    const QIcon image(QPixmap(QStringLiteral(":/resources/") + iconName));
    ui->m_CenterIconLabel->setPixmap(image.pixmap(size()));

    flags = DialogFrame::showButtons(flags, ui->m_FirstButton, ui->m_SecondButton, firstButtonText,
                                     secondButtonText);

    setModal(true);
    show();
    repaint();
    ui->m_TextIntroduced->setFocus();
    const int result = exec();
    nameIntroduced = ui->m_TextIntroduced->text();
    if (parent)
        parent->window()->activateWindow();
    return result;
}

QString FCaptureMessage::getNameIntroduced()
{
    nameIntroduced = ui->m_TextIntroduced->text();
    return nameIntroduced;
}

void FCaptureMessage::keyPressEvent(QKeyEvent *event)
{
    DialogFrame::closeByKey(this, event->key(), flags);
    // As in the alert: Escape closes only when the caller asked for it.
    QWidget::keyPressEvent(event); // NOLINT(bugprone-parent-virtual-call)
}

void FCaptureMessage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(QCoreApplication::translate("FormCaptureMessage", "Form"));
        ui->m_CenterIconLabel->setText(QString());
    }
    QWidget::changeEvent(event);
}

void FCaptureMessage::showEvent(QShowEvent *)
{
    // The geometry set by showDialog stays; no re-centring over a parent.
}
