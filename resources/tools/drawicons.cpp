// Draws the host's resource images into the folder given as the only
// argument. Run it after changing the artwork and commit the PNGs:
//   cmake --build build --target msp_drawicons && build/bin/msp_drawicons resources
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cstdio>

namespace {

QImage canvas(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

// A round badge with a light rim and one bold glyph, the style of the four alert icons.
QImage badge(const QColor &fill, const QString &glyph)
{
    QImage image = canvas(48);
    QPainter p(&image);
    prepare(p);
    p.setPen(QPen(fill.darker(140), 2));
    p.setBrush(fill);
    p.drawEllipse(QRectF(2, 2, 44, 44));
    p.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(32);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(0, 0, 48, 48), Qt::AlignCenter, glyph);
    return image;
}

QImage warning()
{
    QImage image = canvas(48);
    QPainter p(&image);
    prepare(p);
    const QPolygonF triangle({QPointF(24, 3), QPointF(46, 43), QPointF(2, 43)});
    QPen rim(QColor(150, 100, 0), 2);
    rim.setJoinStyle(Qt::RoundJoin);
    p.setPen(rim);
    p.setBrush(QColor(255, 196, 0));
    p.drawPolygon(triangle);
    p.setPen(Qt::black);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(28);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(0, 12, 48, 32), Qt::AlignCenter, QStringLiteral("!"));
    return image;
}

QImage error()
{
    QImage image = canvas(48);
    QPainter p(&image);
    prepare(p);
    const QColor red(210, 30, 30);
    p.setPen(QPen(red.darker(140), 2));
    p.setBrush(red);
    p.drawEllipse(QRectF(2, 2, 44, 44));
    QPen cross(Qt::white, 6, Qt::SolidLine, Qt::RoundCap);
    p.setPen(cross);
    p.drawLine(QPointF(15, 15), QPointF(33, 33));
    p.drawLine(QPointF(33, 15), QPointF(15, 33));
    return image;
}

QImage done()
{
    QImage image = canvas(48);
    QPainter p(&image);
    prepare(p);
    const QColor green(30, 150, 50);
    p.setPen(QPen(green.darker(140), 2));
    p.setBrush(green);
    p.drawEllipse(QRectF(2, 2, 44, 44));
    QPen tick(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(tick);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(13, 25), QPointF(21, 33), QPointF(35, 16)}));
    return image;
}

QImage folder()
{
    QImage image = canvas(32);
    QPainter p(&image);
    prepare(p);
    const QColor back(214, 160, 30);
    const QColor front(250, 200, 60);
    p.setPen(QPen(back.darker(130), 1));
    p.setBrush(back);
    QPainterPath tab;
    tab.moveTo(2, 27);
    tab.lineTo(2, 6);
    tab.lineTo(12, 6);
    tab.lineTo(15, 9);
    tab.lineTo(29, 9);
    tab.lineTo(29, 27);
    tab.closeSubpath();
    p.drawPath(tab);
    p.setBrush(front);
    p.drawPolygon(QPolygonF({QPointF(2, 27), QPointF(5, 13), QPointF(31, 13), QPointF(29, 27)}));
    return image;
}

QImage usbStick()
{
    QImage image = canvas(32);
    QPainter p(&image);
    prepare(p);
    // Metal plug on the right, with its two contact windows.
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(200, 200, 205));
    p.drawRect(QRectF(21.5, 10.5, 9, 11));
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(24.5, 13.5, 2, 2));
    p.drawRect(QRectF(24.5, 17.5, 2, 2));
    // Body.
    p.setPen(QPen(QColor(10, 40, 110), 1));
    p.setBrush(QColor(30, 80, 190));
    p.drawRoundedRect(QRectF(1.5, 7.5, 21, 17), 3, 3);
    p.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(8);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(1.5, 7.5, 21, 17), Qt::AlignCenter, QStringLiteral("USB"));
    return image;
}

QImage sdCard()
{
    QImage image = canvas(32);
    QPainter p(&image);
    prepare(p);
    QPainterPath card;
    card.moveTo(6.5, 1.5);
    card.lineTo(26.5, 1.5);
    card.lineTo(26.5, 30.5);
    card.lineTo(4.5, 30.5);
    card.lineTo(4.5, 8.5);
    card.lineTo(11.5, 1.5);
    card.closeSubpath();
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(QColor(60, 60, 70));
    p.drawPath(card);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 185, 50));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(12 + i * 3.5, 3.5, 2, 5));
    p.setPen(Qt::white);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(4.5, 12, 22, 16), Qt::AlignCenter, QStringLiteral("SD"));
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QList<QPair<QString, QImage>> images {
        {QStringLiteral("info_icon.png"), badge(QColor(30, 100, 200), QStringLiteral("i"))},
        {QStringLiteral("warning_icon.png"), warning()},
        {QStringLiteral("error_icon.png"), error()},
        {QStringLiteral("done_icon.png"), done()},
        {QStringLiteral("helpicon.png"), badge(QColor(0, 140, 150), QStringLiteral("?"))},
        {QStringLiteral("foldericon.png"), folder()},
        {QStringLiteral("USB.png"), usbStick()},
        {QStringLiteral("SD.png"), sdCard()},
    };
    for (const auto &entry : images) {
        if (!entry.second.save(out.filePath(entry.first))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out.filePath(entry.first)));
            return 1;
        }
    }
    return 0;
}
