#pragma once

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

// Answers the pop-up menus a test provokes with queued keys, counts each
// opening and records the entries of the latest one (its title row left out).
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
    QString title;
    int menus = 0;

private:
    void poll()
    {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible()) {
            open = false;
            return;
        }
        // Menus live on their owner's stack, so a new one may reuse an old
        // address: an opening is a menu seen after none was.
        if (!open) {
            open = true;
            ++menus;
            entries.clear();
            const auto actions = menu->actions();
            for (int i = 1; i < actions.size(); ++i)
                entries << actions.at(i)->text();
        }
        if (keys.isEmpty()) {
            menu->close();
            open = false;
            return;
        }
        QTest::keyClick(menu, static_cast<Qt::Key>(keys.takeFirst()));
        if (!menu->isVisible())
            open = false;
    }

    QList<int> keys;
    QTimer timer;
    bool open = false;
};
