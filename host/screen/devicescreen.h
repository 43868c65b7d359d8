#pragma once

#include <QFont>
#include <QImage>
#include <QWidget>

class QLabel;

// The device's 320 x 240 screen: a 20-pixel status line and, below it, the
// 320 x 220 area in which the plug-in runs.
class DeviceScreen : public QWidget
{
    Q_OBJECT

public:
    explicit DeviceScreen(QWidget *parent = nullptr);

    // The device's font, DejaVu Sans 12, as the application's default: widgets
    // without a font of their own look as on the device, and every text shares
    // one family. It covers all the characters the plug-ins and translations
    // use, so no fallback fonts are looked up, which keeps them off start-up.
    static QFont deviceFont();

    QWidget *pluginArea() const { return area; }
    // kept, if given, follows the text and is never cut.
    void setStatus(const QString &text, const QString &kept = QString());
    void setIndicators(const QString &text);
    // Shown in the plug-in's area while no plug-in window runs.
    void showPlaceholder(const QString &text);
    void hidePlaceholder();

    // The screen as the user sees it, with the dialogs and menus that lie over it.
    QImage grabScreen() const;

private:
    void layOutStatusLine();

    QString statusText;
    QString statusKept;
    QString indicatorText;
    QLabel *status;
    QLabel *indicators;
    QWidget *area;
    QLabel *placeholder;
};
