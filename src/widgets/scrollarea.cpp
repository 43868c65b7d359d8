#include "scrollarea.h"

#include <QKeyEvent>
#include <QScrollBar>

namespace {
constexpr int Step = 20;
constexpr int VisibleMargin = 80;
} // namespace

ScrollArea::ScrollArea(QWidget *parent)
    : QScrollArea(parent)
    , lastWidget(nullptr)
    , firstWidget(nullptr)
    , scrollSteps(0)
{ }

void ScrollArea::filterFieldsFrom(QWidget *start)
{
    QWidget *w = start;
    while (w && w->parentWidget() && w->parentWidget() == widget()) {
        w->installEventFilter(this);
        w = w->nextInFocusChain();
        if (w == start)
            break;
    }
}

void ScrollArea::scrollBy(int pixels)
{
    QScrollBar *bar = verticalScrollBar();
    bar->setValue(bar->value() + pixels);
}

bool ScrollArea::focusNextPrevChild(bool next)
{
    QWidget *fw = focusWidget();
    if (!firstWidget) {
        firstWidget = fw;
        filterFieldsFrom(fw);
    }
    const QScrollBar *bar = verticalScrollBar();
    if (fw && next) {
        if (fw == firstWidget && scrollSteps < 0) {
            scrollBy(Step);
            ++scrollSteps;
            return false;
        }
        if (fw == lastWidget) {
            if (bar->value() < bar->maximum()) {
                scrollBy(Step);
                ++scrollSteps;
            }
            return false;
        }
    } else if (fw) {
        if (fw == lastWidget && scrollSteps > 0) {
            scrollBy(-Step);
            --scrollSteps;
            return false;
        }
        if (fw == firstWidget) {
            if (bar->value() > bar->minimum()) {
                --scrollSteps;
                scrollBy(-Step);
            }
            return false;
        }
    }
    return QScrollArea::focusNextPrevChild(next);
}

bool ScrollArea::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched != widget() && watched->isWidgetType()) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Up && key != Qt::Key_Down) {
            const auto *field = static_cast<QWidget *>(watched);
            ensureVisible(field->x(), field->y(), 0, VisibleMargin);
            ensureVisible(field->x(), field->y() + field->height(), 0, VisibleMargin);
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

void ScrollArea::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    viewport()->repaint();
}
