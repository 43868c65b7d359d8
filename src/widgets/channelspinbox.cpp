#include "channelspinbox.h"

#include <QRegExp>
#include <QRegExpValidator>

namespace {
constexpr int LastC = 67;
constexpr int LastS = 105;
} // namespace

ChannelSpinBox::ChannelSpinBox(QWidget *parent, const char *name)
    : SpinBox(parent, name)
{
    setMinimum(0);
    setMaximum(LastS);
}

QString ChannelSpinBox::textFromValue(int value) const
{
    if (value <= LastC)
        return QStringLiteral("C%1").arg(value + 2, 2, 10, QLatin1Char('0'));
    return QStringLiteral("S%1").arg(value - 66, 2, 10, QLatin1Char('0'));
}

int ChannelSpinBox::valueFromText(const QString &text) const
{
    if (text.isEmpty())
        return 0;
    const int number = text.right(2).toInt();
    if (text.at(0) == QLatin1Char('C'))
        return number - 2;
    if (text.at(0) == QLatin1Char('S'))
        return number + 66;
    return 0;
}

QValidator::State ChannelSpinBox::validate(QString &text, int &pos)
{
    QRegExpValidator validator(
        QRegExp(QStringLiteral("C[0][2-9]|C[1-6][0-9]|S[0][2-9]|S[1-3][0-9]"), Qt::CaseSensitive,
                QRegExp::RegExp));
    return validator.validate(text, pos);
}
