#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT and SIGTERM into a Qt signal on the GUI thread, so that the
// host leaves its event loop and ends like on Ctrl+Q: whatever runs (a save to
// a medium) finishes first and every object cleans up after itself. A second
// signal of the same kind ends the process at once.
class QuitSignals : public QObject
{
    Q_OBJECT

public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

signals:
    void received(int signalNumber);

private:
    static void handler(int signalNumber);
    void readSignal();

    static inline int fds[2] = {-1, -1};
    QSocketNotifier *notifier = nullptr;
};
