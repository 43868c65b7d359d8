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

void DeviceScreen::setStatus(const QString &text, const QString &kept)
{
    statusText = text;
    statusKept = kept;
    layOutStatusLine();
}

void DeviceScreen::setIndicators(const QString &text)
{
    indicatorText = text;
    layOutStatusLine();
}

void DeviceScreen::layOutStatusLine()
{
    // The indicators take what they need, up to half the line; the status
    // text gets the rest and loses its end first, never the kept part.
    const QFontMetrics fm = status->fontMetrics();
    const int right = width() - 4;
    const int indicatorWidth = qMin(fm.horizontalAdvance(indicatorText) + 2, right / 2);
    indicators->setGeometry(right - indicatorWidth, 0, indicatorWidth, 20);
    indicators->setText(fm.elidedText(indicatorText, Qt::ElideRight, indicatorWidth));
    status->setGeometry(4, 0, right - indicatorWidth - 8, 20);
    const QString tail = statusKept.isEmpty() ? QString() : QLatin1Char(' ') + statusKept;
    const int room = status->width() - fm.horizontalAdvance(tail);
    status->setText(fm.elidedText(statusText, Qt::ElideRight, room) + tail);
    status->setToolTip(statusText + tail);
}

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
