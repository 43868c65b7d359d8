#include "fmainmenuzetavx_dvbs2.h"

#include "ui_fmainmenuzetavx_dvbs2.h"

#include <QKeyEvent>
#include <QListWidgetItem>

FMainMenuZetaVX_DVBS2::FMainMenuZetaVX_DVBS2(QWidget *parent)
    : IForm(QStringLiteral("ZetaVX_DVBS2_MainMenu"), parent)
    , ui(new Ui_FormMainMenuZetaVX_DVBS2)
{
    ui->setupUi(this);
    connect(ui->m_ListWidget, &QListWidget::itemActivated, this,
            &FMainMenuZetaVX_DVBS2::itemSelected);
    // The list would swallow typed characters for its keyboard search, so
    // they are handed to the menu first.
    ui->m_ListWidget->installEventFilter(this);

    // The service form's access sequence: the keypad's middle column, top to bottom.
    for (int digit : {2, 5, 8, 0})
        keyChecker.pushKeyToSequence(Qt::Key_0 + digit);
}

FMainMenuZetaVX_DVBS2::~FMainMenuZetaVX_DVBS2() { delete ui; }

void FMainMenuZetaVX_DVBS2::itemSelected(QListWidgetItem *item) { emit Seleccionado(item); }

bool FMainMenuZetaVX_DVBS2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->m_ListWidget && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty() && key->key() < Qt::Key_Escape) {
            keyPressEvent(key);
            // Accepted, or the application would hand it on to this form a second time.
            key->accept();
            return true;
        }
        // Keys the list moves with restart a partial match, as every key here does;
        // those it ignores reach keyPressEvent as well, which only restarts it again.
        keyChecker.isSequenceMatched(key->key());
    }
    return IForm::eventFilter(watched, event);
}

void FMainMenuZetaVX_DVBS2::keyPressEvent(QKeyEvent *event)
{
    if (keyChecker.isSequenceMatched(event->key())) {
        QListWidgetItem item;
        item.setData(Qt::WhatsThisRole, QStringLiteral("ZetaVX_DVBS2_FuncionesEspeciales"));
        emit Seleccionado(&item);
    }
    if (event->key() == Qt::Key_Escape)
        emit Salir(this);
    QWidget::keyPressEvent(event);
}

void FMainMenuZetaVX_DVBS2::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QWidget::changeEvent(event);
}
