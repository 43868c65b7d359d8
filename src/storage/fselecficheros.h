#pragma once

#include "iform.h"

#include <QStringList>

// Placeholder until the file browser lands: identifier, signals and getters.
class FSelecFicheros : public IForm
{
    Q_OBJECT

public:
    explicit FSelecFicheros(QWidget *parent = nullptr);

    bool setFunctionAndOrigin(int function, const QStringList &names, const QStringList &paths);
    int getFunction() const { return function; }
    QString getFichSelec() const { return fichSelec; }
    QString getPathFicheros() const { return pathFicheros; }
    int getTipoFichero();

signals:
    void Salir(IForm *item);
    void Gestionar(IForm *item);
    void Aceptar(IForm *item);
    void BorrarFichero(IForm *item);
    void translateFileNames(QStringList &namelst);

private:
    QString fichSelec;
    QString pathFicheros;
    int function = 1;
};
