#include "fmainmenuzetavx_dvbs2.h"

#include <QKeyEvent>

FMainMenuZetaVX_DVBS2::FMainMenuZetaVX_DVBS2(QWidget *parent)
    : IForm(QStringLiteral("ZetaVX_DVBS2_MainMenu"), parent)
{
}

void FMainMenuZetaVX_DVBS2::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        emit Salir(this);
    QWidget::keyPressEvent(event);
}
