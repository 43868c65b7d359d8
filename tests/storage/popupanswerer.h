#pragma once

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

// Answers the pop-up menus a test provokes with queued keys and records the
// entries of the latest one (its title row left out): none if none opened.
class PopupAnswerer
{
public:
    explicit PopupAnswerer(QList<int> k = {})
        : keys(std::move(k))
    {
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start(10);
    }

    QStringList entries;

private:
    void poll()
    {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        // Menus live on their owner's stack, so a new one may reuse an old
        // address: an opening is a menu seen after none was.
        if (!menu || !menu->isVisible() || !open) {
            open = menu && menu->isVisible();
            if (!open)
                return;
            entries.clear();
            for (QAction *action : menu->actions().mid(1))
                entries << action->text();
        }
        // Keys only once the menu is active: else no window is active after it.
        if (QGuiApplication::focusWindow() != menu->windowHandle())
            return;
        if (keys.isEmpty())
            menu->close();
        else
            QTest::keyClick(menu, static_cast<Qt::Key>(keys.takeFirst()));
        open = menu->isVisible();
    }

    QList<int> keys;
    QTimer timer;
    bool open = false;
};
