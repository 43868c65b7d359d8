#include "devicescreen.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>

DeviceScreen::DeviceScreen(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DeviceScreen"));
    setFixedSize(320, 240);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(40, 40, 48));
    pal.setColor(QPalette::WindowText, Qt::white);
    setPalette(pal);

    QFont small = deviceFont();
    small.setPointSize(8);
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("hostStatus"));
    status->setGeometry(4, 0, 200, 20);
    status->setFont(small);
    indicators = new QLabel(this);
    indicators->setObjectName(QStringLiteral("hostIndicators"));
    indicators->setGeometry(204, 0, 112, 20);
    indicators->setFont(small);
    indicators->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    area = new QWidget(this);
    area->setObjectName(QStringLiteral("pluginArea"));
    area->setGeometry(0, 20, 320, 220);
    area->setAutoFillBackground(true);
    QPalette areaPal = area->palette();
    areaPal.setColor(QPalette::Window, Qt::white);
    areaPal.setColor(QPalette::WindowText, Qt::black);
    area->setPalette(areaPal);

    placeholder = new QLabel(area);
    placeholder->setGeometry(0, 0, 320, 220);
    placeholder->setAlignment(Qt::AlignCenter);
    placeholder->setWordWrap(true);
    placeholder->hide();
}

QFont DeviceScreen::deviceFont()
{
    QFont font(QStringLiteral("DejaVu Sans"), 12);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

void DeviceScreen::setStatus(const QString &text)
{
    status->setText(status->fontMetrics().elidedText(text, Qt::ElideRight, status->width()));
    status->setToolTip(text);
}

void DeviceScreen::setIndicators(const QString &text) { indicators->setText(text); }

void DeviceScreen::showPlaceholder(const QString &text)
{
    placeholder->setText(text);
    placeholder->raise();
    placeholder->show();
}

void DeviceScreen::hidePlaceholder() { placeholder->hide(); }

QImage DeviceScreen::grabScreen() const
{
    QImage image = const_cast<DeviceScreen *>(this)->grab().toImage();
    QPainter painter(&image);
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    // Dialogs and pop-up menus are top-level windows placed over the screen.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w == window() || w->isAncestorOf(this))
            continue;
        const QRect r = w->frameGeometry();
        if (!r.intersects(QRect(origin, size())))
            continue;
        painter.drawPixmap(r.topLeft() - origin, w->grab());
    }
    return image;
}
