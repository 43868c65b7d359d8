#include "falertmessage.h"

#include "dialogframe_p.h"
#include "inputalert.h"
#include "ui_falertmessage.h"

#include <QCoreApplication>
#include <QDebug>
#include <QElapsedTimer>
#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>

FAlertMessage *FAlertMessage::m_pAlertMessage = nullptr;

namespace {
constexpr int NonModalWaitMs = 100;
// The one dialog is in a modal call's exec().
bool waiting = false;

// A value refused by an input widget: the error alert with OK, modal.
void presentInputAlert(QWidget *parent, const QString &title, const QString &message)
{
    FAlertMessage::getInstance()->showDialog(parent, title, message, FAlertMessage::ButtonOk,
                                             FAlertMessage::IconError, true);
}

// Runs when the library is loaded, before any widget can refuse a value;
// whatever links the alert dialog gets this with it.
void registerInputAlert() { InputAlert::setPresenter(presentInputAlert); }
} // namespace

Q_CONSTRUCTOR_FUNCTION(registerInputAlert)

FAlertMessage *FAlertMessage::getInstance()
{
    if (!m_pAlertMessage)
        m_pAlertMessage = new FAlertMessage;
    return m_pAlertMessage;
}

FAlertMessage::FAlertMessage()
    : QDialog(nullptr, Qt::FramelessWindowHint)
    , ui(new Ui_FormAlertMessage)
    , iconName(QStringLiteral("info_icon.png"))
    , flags(0)
{
    ui->setupUi(this);
}

int FAlertMessage::showDialog(QWidget *parent, QString title, QString message, int buttons,
                              int icon, bool modal)
{
    // Asked for from inside a waiting alert's event loop, typically by a module
    // message delivered meanwhile: the waiting alert keeps its text and its
    // caller's answer, and this one is only logged.
    if (waiting) {
        qWarning() << "Alert not shown while another one waits:" << title << message;
        return QDialog::Rejected;
    }
    firstButtonText = tr("Press Ok to continue");
    secondButtonText = tr("Press Esc to cancel");

    DialogFrame::placeOverHost(this, parent);

    flags = buttons;

    iconName = QStringLiteral("info_icon.png");
    if (icon & IconInfo)
        iconName = QStringLiteral("info_icon.png");
    if (icon & IconWarning)
        iconName = QStringLiteral("warning_icon.png");
    if (icon & IconError)
        iconName = QStringLiteral("error_icon.png");
    if (icon & IconDone)
        iconName = QStringLiteral("done_icon.png");

    ui->lbTitulo->setText(title);
    ui->m_LabelMessage->setText(message);

    const QIcon image(QPixmap(QStringLiteral(":/resources/") + iconName));
    ui->m_CenterIconLabel->setPixmap(image.pixmap(size()));

    flags = DialogFrame::showButtons(flags, ui->m_FirstButton, ui->m_SecondButton, firstButtonText,
                                     secondButtonText);

    // A dialog still up from a non-modal call must be shown afresh to become modal.
    if (modal && isVisible())
        hide();
    setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    setModal(modal);
    show();
    repaint();

    if (modal) {
        waiting = true;
        const int result = exec();
        waiting = false;
        if (parent)
            parent->window()->activateWindow();
        return result;
    }
    open();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < NonModalWaitMs)
        QCoreApplication::processEvents();
    return 1;
}

void FAlertMessage::keyPressEvent(QKeyEvent *event)
{
    DialogFrame::closeByKey(this, event->key(), flags);
    // Not QDialog's handler: Escape must not close a dialog that offers no Esc.
    QWidget::keyPressEvent(event); // NOLINT(bugprone-parent-virtual-call)
}

void FAlertMessage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(QCoreApplication::translate("FormAlertMessage", "Form"));
        ui->m_CenterIconLabel->setText(QString());
    }
    QWidget::changeEvent(event);
}
