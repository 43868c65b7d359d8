#include "titlemenu.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPalette>

TitleMenu::TitleMenu(QWidget *parent)
    : QMenu(parent)
{
    QAction *placeholder = QMenu::addAction(QStringLiteral("title"));
    placeholder->setEnabled(false);

    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Button, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::ButtonText, Qt::black);
    pal.setColor(QPalette::BrightText, Qt::cyan);
    pal.setColor(QPalette::AlternateBase, Qt::cyan);
    setPalette(pal);
}

QMenu *TitleMenu::addMenu(const QString &title)
{
    QMenu *menu = QMenu::addMenu(title);
    menu->setPalette(palette());
    return menu;
}

void TitleMenu::highlightFirstEntry()
{
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier, QString(), false, 1);
    QApplication::sendEvent(this, &down);
}

QAction *TitleMenu::exec()
{
    highlightFirstEntry();
    return QMenu::exec();
}

QAction *TitleMenu::exec(const QPoint &pos, QAction *at)
{
    highlightFirstEntry();
    return QMenu::exec(pos, at);
}

void TitleMenu::paintEvent(QPaintEvent *event)
{
    QMenu::paintEvent(event);
    const QList<QAction *> all = actions();
    if (all.isEmpty())
        return;
    const QRect bar = actionGeometry(all.first());
    QPainter painter(this);
    painter.fillRect(QRect(QPoint(0, 0), bar.bottomRight()), QBrush(Qt::black, Qt::SolidPattern));
    const QFont previous = painter.font();
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 9, 50, false));
    painter.drawText(bar, Qt::AlignHCenter | Qt::AlignVCenter, title);
    painter.setFont(previous);
}
