// The start-up baseline: a bare Qt program that shows one 320 x 220 widget.
// It reports the moment its first paint is done and ends at once, so that
// the process's whole run (and, under callgrind, its whole instruction
// count) is start to first paint.

#include "benchprobe.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

namespace {
class PaintProbe : public QWidget
{
protected:
    void paintEvent(QPaintEvent *) override
    {
        if (done)
            return;
        done = true;
        // Leave once this paint has reached the backing store.
        QTimer::singleShot(0, [] {
            BenchProbe::report("painted_ns", BenchProbe::monotonicNs());
            BenchProbe::report("rss_kb", BenchProbe::rssKb());
            _exit(0);
        });
    }

private:
    bool done = false;
};
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PaintProbe widget;
    widget.resize(320, 220);
    widget.show();
    return app.exec();
}
