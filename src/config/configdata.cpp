#include "configdata.h"

bool ConfigData::readData(const QString &, const QString &, QHash<QString, QVariant> &)
{
    return false;
}

bool ConfigData::writeDataPlusServices(const QString &, const QString &, const QString &,
                                       QHash<QString, QVariant> &, QStringList &, QList<int> &,
                                       QList<int> &)
{
    return true;
}
