#pragma once

#include <QMenu>
#include <QString>

class QAction;
class QPoint;

// Pop-up menu with a black title bar. Its first action is a disabled
// placeholder row under that bar; every real entry follows it, and the menu
// opens with the first real entry highlighted so Return acts at once.
class TitleMenu : public QMenu
{
public:
    explicit TitleMenu(QWidget *parent = nullptr);

    using QMenu::addMenu;
    QMenu *addMenu(const QString &title);

    QAction *exec();
    QAction *exec(const QPoint &pos, QAction *at = nullptr);

    QString title;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void highlightFirstEntry();
};
