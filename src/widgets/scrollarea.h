#pragma once

#include <QScrollArea>

// Scroll area for a long form: Up on the first field and Down on the last one
// scroll the content in 20-pixel steps, and a field that takes any other key
// is brought fully into view.
class ScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    explicit ScrollArea(QWidget *parent = nullptr);

    bool eventFilter(QObject *watched, QEvent *event) override;
    bool focusNextPrevChild(bool next) override;

    QWidget *lastWidget;

protected:
    void scrollContentsBy(int dx, int dy) override;

private:
    void filterFieldsFrom(QWidget *start);
    void scrollBy(int pixels);

    QWidget *firstWidget;
    int scrollSteps;
};
