#pragma once

#include "deferredui.h"
#include "iform.h"

#include <QStringList>

class QAction;
class QTableWidgetItem;
class Ui_FormSelecModulos;

// The modules stored in one configuration file, one row each with its family.
// The user picks a module or, when saving, types the identifier of a new one.
// In module management (function 1) F5 offers deleting a module or changing
// its identifier.
class FSelecModulos : public IForm
{
    Q_OBJECT

public:
    explicit FSelecModulos(QWidget *parent = nullptr);
    ~FSelecModulos() override;

    void setFunction(int function, QString &fileName, QString &familyFilter);
    void setQuienMeLLama(QString who);
    QString getQuienMeLLama() const { return quienMeLLama; }
    int getFunction() const { return function; }
    QString getModSeleccionado() const { return modSeleccionado; }
    void setModSeleccionado(QString id);

    void MostrarModulos(QStringList &ids, QStringList &families, bool newIdMode);
    void selectModulesTable(bool toTable);
    void CrearAcciones();
    void createContextMenu();

signals:
    void Seleccionado(IForm *f);
    void Salir(IForm *item);
    void ModificarID(IForm *item);
    void deleteModuleId(IForm *item);

protected:
    void buildWidgets() override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void FuncBorrarModulo();
    void FuncModifIDModulo();

private:
    void finishUi();
    void reload();

    DeferredUi<Ui_FormSelecModulos> ui;
    QAction *clearAction = nullptr;
    QAction *modifyAction = nullptr;
    QString modSeleccionado;
    QString fileName;
    QString familyFilter;
    QTableWidgetItem *selectedItem = nullptr;
    int selectedRow = -1;
    QString quienMeLLama;
    bool newIdMode = false;
    int function = 0;
};
