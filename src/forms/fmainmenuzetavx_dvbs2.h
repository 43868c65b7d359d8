#pragma once

#include "ckeysequencechecker.h"
#include "iform.h"

class QListWidgetItem;
class Ui_FormMainMenuZetaVX_DVBS2;

// The first screen: the product's title and its one menu entry. Typing the
// access sequence on it opens the service form, which has no entry.
class FMainMenuZetaVX_DVBS2 : public IForm
{
    Q_OBJECT

public:
    explicit FMainMenuZetaVX_DVBS2(QWidget *parent = nullptr);
    ~FMainMenuZetaVX_DVBS2() override;

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void Salir(IForm *form);
    void Seleccionado(QListWidgetItem *item);

public slots:
    void itemSelected(QListWidgetItem *item);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Ui_FormMainMenuZetaVX_DVBS2 *ui;
    CKeySequenceChecker keyChecker;
};
