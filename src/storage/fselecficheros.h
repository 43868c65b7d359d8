#pragma once

#include "deferredui.h"
#include "iform.h"

#include <QFileInfoList>
#include <QStringList>
#include <QVector>

class QAction;
class Ui_FormSelecFicheros;

// Keypad file browser on the host's removable media: a table of media, then
// the folders and the files of the function's filter; in the save functions a
// box above the list takes the name of a new file. In file management
// (function 1) F5 offers a one-file clipboard: copy, cut, paste, delete.
class FSelecFicheros : public IForm
{
    Q_OBJECT

public:
    explicit FSelecFicheros(QWidget *parent = nullptr);
    ~FSelecFicheros() override;

    bool setFunctionAndOrigin(int function, const QStringList &names, const QStringList &paths);
    bool waitConnDevices(int function, const QStringList &names, const QStringList &paths);
    int getFunction() const { return function; }
    QString getFichSelec() const { return fichSelec; }
    QString getPathFicheros() const { return pathFicheros; }
    int getTipoFichero();
    void setFileFilter(QString filter);

    bool loadFiles(bool, int row);
    QFileInfoList LeerFicheros(const QString &path);
    bool MostrarFicheros(bool newFileMode, bool, int row);
    void buildDeviceTable(int row);
    void selectFilesTable(bool toList);
    void RecargarVentana(int);
    void createContextMenu();
    void CrearAcciones();

signals:
    void Salir(IForm *item);
    void Gestionar(IForm *item);
    void Aceptar(IForm *item);
    void BorrarFichero(IForm *item);
    void translateFileNames(QStringList &namelst);

protected:
    void buildWidgets() override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private slots:
    void cutFileToClipboard();
    void copyFileToClipboard();
    void pasteFromClipboard();
    void FuncBorrarFichero();
    void FuncGestionarFichero();

private:
    void finishUi();
    QString currentKey() const;
    bool isOnMedium(const QFileInfo &entry) const;
    bool canSaveInto(const QString &name);
    int alert(const QString &title, const QString &message, int buttons, int icon,
              bool modal = true);

    DeferredUi<Ui_FormSelecFicheros> ui;
    QAction *copyAction = nullptr;
    QAction *cutAction = nullptr;
    QAction *pasteAction = nullptr;
    QAction *clearAction = nullptr;
    QString fichSelec;
    QString pathFicheros;
    QString fileFilter;
    bool newFileMode = false;
    int deviceIndex = -1;
    QString copySource;
    QString cutSource;
    QVector<int> rowHistory;
    QStringList originNames;
    QStringList originPaths;
    int function = 1;
};
