#pragma once

#include <QWidget>

// A full-window screen of the plug-in. Forms never switch screens themselves:
// they emit signals carrying a pointer to themselves, and the main window
// decides from formId what comes next.
class IForm : public QWidget
{
    Q_OBJECT

public:
    explicit IForm(const QString &id, QWidget *parent = nullptr);

    const QString formId;

    void setVisible(bool visible) override;

protected:
    // A form that builds its widgets on first use builds them here, before it
    // is first shown.
    virtual void buildWidgets() { }
};
