#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

class QWidget;

// Answers the modal dialogs a test provokes with keys, one key per look at the
// active modal widget, and records what each dialog showed. A dialog that
// appears when no key is left is closed with reject() and counted, so a test
// never hangs on an unexpected alert.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    explicit ModalAnswerer(QList<int> keys = {}, QObject *parent = nullptr);

    // The texts of root's visible labels, buttons and combo boxes that are
    // wider than the room their widget gives them.
    static QStringList clippedTexts(const QWidget *root);

    struct Seen {
        QString title;
        QString message;
        QStringList clipped;
    };
    QList<Seen> seen;
    int unexpected = 0;

private:
    void poll();

    QList<int> keys;
    QTimer timer;
};
