#include "fselecmodulos.h"

#include "configdata.h"
#include "editbox.h"
#include "falertmessage.h"
#include "titlemenu.h"
#include "ui_fselecmodulos.h"

#include <QAction>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QTableWidgetItem>

namespace {
// Function codes: manage the modules of a file, save into it, load from it.
enum { Manage = 1, Save = 2, Load = 4 };
constexpr int RowHeight = 20;
} // namespace

FSelecModulos::FSelecModulos(QWidget *parent)
    : IForm(QStringLiteral("SelecModulos"), parent)
    , ui(this, &FSelecModulos::finishUi)
{ }

FSelecModulos::~FSelecModulos() = default;

void FSelecModulos::buildWidgets() { ui.get(); }

void FSelecModulos::finishUi()
{
    ui->lineEditNewModule->setValidator(new QIntValidator(ui->lineEditNewModule));
    ui->lineEditNewModule->upDownToParent = true;
    ui->lineEditNewModule->noErrorDialog = true;
    QTableWidget *table = ui->m_tableWidget;
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    // The style's minimum would make the rows taller than the 20 pixels asked for.
    table->verticalHeader()->setMinimumSectionSize(1);
    table->setShowGrid(false);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
}

void FSelecModulos::setFunction(int f, QString &file, QString &family)
{
    function = f;
    fileName = file;
    familyFilter = family;
}

void FSelecModulos::setQuienMeLLama(QString who) { quienMeLLama = who; }

void FSelecModulos::setModSeleccionado(QString id)
{
    modSeleccionado = id;
    // The pointer is only good while it is still the identifier cell of its row.
    QTableWidget *table = ui->m_tableWidget;
    if (selectedItem && selectedRow >= 0 && selectedRow < table->rowCount()
        && table->item(selectedRow, 0) == selectedItem)
        selectedItem->setText(id);
}

void FSelecModulos::reload()
{
    QStringList families;
    QStringList ids = ConfigData().getModuleList(fileName, families, familyFilter);
    if (function == Save)
        newIdMode = true;
    else if (function == Manage || function == Load)
        newIdMode = false;
    MostrarModulos(ids, families, newIdMode);
}

void FSelecModulos::showEvent(QShowEvent *event)
{
    if (quienMeLLama == QLatin1String("SelecFicheros"))
        reload();
    IForm::showEvent(event);
}

void FSelecModulos::MostrarModulos(QStringList &ids, QStringList &families, bool withNewId)
{
    QTableWidget *table = ui->m_tableWidget;
    table->clear();
    table->setRowCount(0);
    table->setColumnCount(0);
    selectedItem = nullptr;
    selectedRow = -1;
    if (withNewId) {
        ui->lineEditNewModule->show();
        table->setGeometry(0, 40, 320, 180);
    } else {
        ui->lineEditNewModule->hide();
        table->setGeometry(0, 20, 320, 200);
    }

    table->setColumnCount(2);
    table->setRowCount(ids.size());
    for (int row = 0; row < ids.size(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(ids.at(row)));
        auto *family = new QTableWidgetItem(row < families.size() ? families.at(row) : QString());
        family->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, 1, family);
        table->setRowHeight(row, RowHeight);
    }
    table->resizeColumnToContents(0);
    table->setColumnWidth(1, qMax(0, table->width() - 20 - table->columnWidth(0)));
    table->selectRow(0);

    if (!withNewId) {
        table->setFocus();
    } else {
        ui->lineEditNewModule->setText(tr("New ID"));
        ui->lineEditNewModule->setFocus();
        ui->lineEditNewModule->selectAll();
    }
}

void FSelecModulos::selectModulesTable(bool toTable)
{
    QTableWidget *table = ui->m_tableWidget;
    if (toTable) {
        table->setFocus(Qt::OtherFocusReason);
        table->selectRow(0);
        table->setPalette(QPalette());
        return;
    }
    QPalette pal = table->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Highlight, Qt::white);
        pal.setColor(group, QPalette::HighlightedText, Qt::black);
    }
    table->setPalette(pal);
    ui->lineEditNewModule->setFocus();
    ui->lineEditNewModule->selectAll();
}

void FSelecModulos::keyPressEvent(QKeyEvent *event)
{
    QTableWidget *table = ui->m_tableWidget;
    EditBox *box = ui->lineEditNewModule;
    switch (event->key()) {
    case Qt::Key_Escape:
        emit Salir(this);
        break;
    case Qt::Key_F5:
        CrearAcciones();
        if (function == Manage)
            createContextMenu();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (box->hasFocus()) {
            // 0, empty or not a number: no identifier. The text is kept as
            // typed, so 007 stays 007.
            if (box->text().toInt(nullptr, 10) == 0)
                return;
            modSeleccionado = box->text();
            emit Seleccionado(this);
            break;
        }
        if (!table->currentItem() || !table->item(table->currentRow(), 0))
            return;
        modSeleccionado = table->item(table->currentRow(), 0)->text();
        emit Seleccionado(this);
        break;
    case Qt::Key_Up:
        if (box->isVisible() && table->hasFocus() && table->currentRow() == 0)
            selectModulesTable(false);
        break;
    case Qt::Key_Down:
        if (box->isVisible() && box->hasFocus())
            selectModulesTable(true);
        break;
    default:
        break;
    }
    IForm::keyPressEvent(event);
}

void FSelecModulos::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && ui.isBuilt())
        ui->retranslateUi(this);
    IForm::changeEvent(event);
}

void FSelecModulos::CrearAcciones()
{
    // Built once: every F5 would otherwise add two more children to the form.
    if (clearAction)
        return;
    clearAction = new QAction(tr("&Module Clear"), this);
    clearAction->setStatusTip(tr("Clear Module from File"));
    connect(clearAction, &QAction::triggered, this, &FSelecModulos::FuncBorrarModulo);
    modifyAction = new QAction(tr("&Modify Module ID"), this);
    modifyAction->setStatusTip(tr("Modify Module ID"));
    connect(modifyAction, &QAction::triggered, this, &FSelecModulos::FuncModifIDModulo);
}

void FSelecModulos::createContextMenu()
{
    CrearAcciones();
    TitleMenu menu(ui->m_tableWidget);
    menu.addAction(clearAction);
    menu.addAction(modifyAction);
    menu.title = tr("Module Menu");
    menu.adjustSize();
    const QPoint centre(width() / 2 - menu.width() / 2, height() / 2 - menu.height() / 2);
    menu.exec(mapToGlobal(centre));
}

void FSelecModulos::FuncBorrarModulo()
{
    QTableWidget *table = ui->m_tableWidget;
    if (table->rowCount() == 0 || !table->currentItem())
        return;
    modSeleccionado = table->currentItem()->text();
    if (modSeleccionado.isEmpty())
        return;
    const int answer = FAlertMessage::getInstance()->showDialog(
        this, tr("Module Erasing"), tr("Confirm delete of ") + tr("Module ") + modSeleccionado,
        FAlertMessage::ButtonOkEsc, FAlertMessage::IconInfo, true);
    if (answer != QDialog::Accepted)
        return;
    emit deleteModuleId(this);
    reload();
}

void FSelecModulos::FuncModifIDModulo()
{
    QTableWidget *table = ui->m_tableWidget;
    if (table->rowCount() == 0 || table->currentRow() < 0)
        return;
    selectedItem = table->item(table->currentRow(), 0);
    if (!selectedItem)
        return;
    modSeleccionado = selectedItem->text();
    selectedRow = selectedItem->tableWidget() ? selectedItem->row() : -1;
    emit ModificarID(this);
}
