#pragma once

#include "spinbox.h"

// Spin box over the 106 channels C02..C69 (values 0..67) and S02..S39 (68..105).
class ChannelSpinBox : public SpinBox
{
public:
    explicit ChannelSpinBox(QWidget *parent = nullptr, const char *name = nullptr);

    QValidator::State validate(QString &text, int &pos) override;
    using SpinBox::validate;

    int valueFromText(const QString &text) const override;
    QString textFromValue(int value) const override;
};
