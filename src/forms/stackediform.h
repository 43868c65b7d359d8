#pragma once

#include <QStackedWidget>

class IForm;

// A stack of forms addressed by form identifier instead of by index.
class StackedIForm : public QStackedWidget
{
    Q_OBJECT

public:
    explicit StackedIForm(QWidget *parent = nullptr);

    int indexOf(const QString &formId) const;
    IForm *form(const QString &formId) const;
    QString currentForm() const;

    using QStackedWidget::indexOf;

public slots:
    void setCurrentForm(QString formId);
};
