#include "modalanswerer.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTest>

ModalAnswerer::ModalAnswerer(QList<int> k, QObject *parent)
    : QObject(parent)
    , keys(std::move(k))
{
    connect(&timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    timer.start(10);
}

void ModalAnswerer::poll()
{
    QWidget *w = QApplication::activeModalWidget();
    if (!w || !w->isVisible())
        return;
    const auto *title = w->findChild<QLabel *>(QStringLiteral("lbTitulo"));
    const auto *message = w->findChild<QLabel *>(QStringLiteral("m_LabelMessage"));
    Seen s {title ? title->text() : QString(), message ? message->text() : QString(), 0};
    if (keys.isEmpty()) {
        ++unexpected;
        seen.append(s);
        if (auto *dialog = qobject_cast<QDialog *>(w))
            dialog->reject();
        return;
    }
    s.key = keys.takeFirst();
    seen.append(s);
    QTest::keyClick(w, static_cast<Qt::Key>(s.key));
}
