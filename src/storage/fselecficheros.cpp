#include "fselecficheros.h"

#include "configdata.h"
#include "devicedetector.h"
#include "editbox.h"
#include "falertmessage.h"
#include "titlemenu.h"
#include "ui_fselecficheros.h"

#include <QAction>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QListWidgetItem>

#include <algorithm>

namespace {
// Function codes: what the browse is for.
enum {
    Manage = 1,
    ChooseConfig = 2,
    ChooseQm = 4,
    ChooseSo = 8,
    SaveConfig = 16,
    LoadConfig = 32,
    SaveOrd = 64,
    LoadOrd = 128
};
// The alert's "Escape cancels" bit without a caption: the wait for media can
// only be left with Escape or by a medium arriving.
constexpr int EscapeOnly = 8;
constexpr qint64 CopyChunk = 256 * 1024;
} // namespace

FSelecFicheros::FSelecFicheros(QWidget *parent)
    : IForm(QStringLiteral("SelecFicheros"), parent)
    , ui(this, &FSelecFicheros::finishUi)
{
    CrearAcciones();
}

FSelecFicheros::~FSelecFicheros() = default;

void FSelecFicheros::buildWidgets() { ui.get(); }

void FSelecFicheros::finishUi()
{
    ui->m_ListSelecFichWidget->setCurrentRow(0);
    ui->m_ListSelecFichWidget->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->leNewFile->upDownToParent = true;
}

int FSelecFicheros::alert(const QString &title, const QString &message, int buttons, int icon,
                          bool modal)
{
    return FAlertMessage::getInstance()->showDialog(this, title, message, buttons, icon, modal);
}

bool FSelecFicheros::setFunctionAndOrigin(int f, const QStringList &names, const QStringList &paths)
{
    function = f;
    originNames = names;
    originPaths = paths;
    pathFicheros.clear();
    copySource.clear();
    cutSource.clear();
    rowHistory.clear();
    deviceIndex = -1;
    if (originPaths.size() == 1) {
        deviceIndex = 0;
        pathFicheros = originPaths.first();
    }
    return loadFiles(true, 0);
}

bool FSelecFicheros::waitConnDevices(int f, const QStringList &names, const QStringList &paths)
{
    function = f;
    DeviceDetector *detector = DeviceDetector::Instance();
    FAlertMessage *dialog = FAlertMessage::getInstance();
    forever {
        QStringList connectedNames;
        QStringList connectedPaths;
        for (int i = 0; i < names.size() && i < paths.size(); ++i) {
            if (detector->isDeviceConnected(paths.at(i))) {
                connectedNames << names.at(i);
                connectedPaths << paths.at(i);
            }
        }
        if (!connectedPaths.isEmpty())
            return setFunctionAndOrigin(f, connectedNames, connectedPaths);

        const QMetaObject::Connection usb
            = connect(detector, &DeviceDetector::USBDeviceConnected, dialog, &QDialog::accept);
        const QMetaObject::Connection sd
            = connect(detector, &DeviceDetector::SDDeviceConnected, dialog, &QDialog::accept);
        const int answer = alert(tr("Media not available"),
                                 QStringLiteral("USB: ") + tr("Not present") + QLatin1Char('\n')
                                     + QStringLiteral("SD: ") + tr("Not present"),
                                 EscapeOnly, FAlertMessage::IconInfo);
        disconnect(usb);
        disconnect(sd);
        if (answer != QDialog::Accepted)
            return false;
    }
}

int FSelecFicheros::getTipoFichero()
{
    const QString name = fichSelec;
    if (name.size() < 5) {
        qDebug() << "file" << name << "is a too short name";
        return -1;
    }
    if (name.endsWith(QLatin1String(".cfi"))) {
        qDebug() << "file" << name << "is a config file";
        return 0;
    }
    qDebug() << "file" << name << "is not a config file";
    return -1;
}

void FSelecFicheros::setFileFilter(QString filter) { fileFilter = filter; }

bool FSelecFicheros::loadFiles(bool flag, int row)
{
    fileFilter.clear();
    switch (function) {
    case Manage:
        newFileMode = false;
        break;
    case ChooseConfig:
    case LoadConfig:
        fileFilter = QStringLiteral("*.cfi");
        newFileMode = false;
        break;
    case SaveConfig:
        fileFilter = QStringLiteral("*.cfi");
        newFileMode = true;
        break;
    case ChooseQm:
        fileFilter = QStringLiteral("*.qm");
        newFileMode = false;
        break;
    case ChooseSo:
        fileFilter = QStringLiteral("*.so");
        newFileMode = false;
        break;
    case SaveOrd:
        fileFilter = QStringLiteral("*.ord");
        newFileMode = true;
        break;
    case LoadOrd:
        fileFilter = QStringLiteral("*.ord");
        newFileMode = false;
        break;
    default:
        break;
    }

    if (pathFicheros.isEmpty()) {
        buildDeviceTable(row);
        return true;
    }

    const bool knownDevice = deviceIndex >= 0 && deviceIndex < originPaths.size();
    const QString root = knownDevice ? originPaths.at(deviceIndex) : QString();
    const QString name
        = knownDevice && deviceIndex < originNames.size() ? originNames.at(deviceIndex) : QString();
    QString rel = pathFicheros.startsWith(root) ? pathFicheros.mid(root.size()) : pathFicheros;
    qDebug() << "relative path" << rel << "path fich" << pathFicheros << "dev path" << root;
    const QFontMetrics metrics(ui->lbTitulo->font());
    const int room = ui->lbTitulo->width() - 10;
    const QString prefix = name + QLatin1Char(' ');
    if (metrics.horizontalAdvance(prefix + rel) > room)
        rel = metrics.elidedText(rel, Qt::ElideLeft, room - metrics.horizontalAdvance(prefix));
    ui->lbTitulo->setText(prefix + rel);
    return MostrarFicheros(newFileMode, flag, row);
}

void FSelecFicheros::buildDeviceTable(int row)
{
    QListWidget *list = ui->m_ListSelecFichWidget;
    list->clear();
    for (int i = 0; i < originNames.size() && i < originPaths.size(); ++i) {
        const QString &name = originNames.at(i);
        auto *item = new QListWidgetItem(
            QIcon(QStringLiteral(":/resources/") + name + QStringLiteral(".png")), name);
        item->setData(Qt::ToolTipRole, originPaths.at(i));
        list->addItem(item);
    }
    selectFilesTable(true);
    list->setCurrentRow(row < list->count() ? row : 0);
    ui->lbTitulo->setText(tr("Select device"));
    list->show();
    ui->leNewFile->hide();
    list->setGeometry(0, 20, 320, 200);
}

QFileInfoList FSelecFicheros::LeerFicheros(const QString &path)
{
    qDebug() << "Reading files in" << path << "filter" << fileFilter;
    QDir dir(path);
    if (!fileFilter.isEmpty())
        dir.setNameFilters(QStringList {fileFilter});
    dir.setFilter(QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot);
    dir.setSorting(QDir::Name | QDir::DirsFirst);
    QFileInfoList entries = dir.entryInfoList();
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [this](const QFileInfo &e) { return !isOnMedium(e); }),
                  entries.end());
    return entries;
}

namespace {
bool isInside(const QString &path, const QString &root)
{
    return path == root
        || path.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'));
}
} // namespace

// A stick can carry links to anywhere: a link whose target is not on the
// current medium (or nowhere, or in a loop) is neither shown nor entered.
bool FSelecFicheros::isOnMedium(const QFileInfo &entry) const
{
    if (!entry.isSymLink())
        return true;
    if (deviceIndex < 0 || deviceIndex >= originPaths.size())
        return false;
    const QString root = QFileInfo(originPaths.at(deviceIndex)).canonicalFilePath();
    const QString target = entry.canonicalFilePath();
    return !root.isEmpty() && !target.isEmpty() && isInside(target, root);
}

bool FSelecFicheros::MostrarFicheros(bool withNewFile, bool, int row)
{
    QListWidget *list = ui->m_ListSelecFichWidget;
    list->clear();
    list->setCurrentRow(0);
    if (withNewFile) {
        ui->leNewFile->show();
        list->setGeometry(0, 40, 320, 180);
    } else {
        ui->leNewFile->hide();
        list->setGeometry(0, 20, 320, 200);
    }

    const QFileInfoList entries = LeerFicheros(pathFicheros);
    QStringList shownNames;
    for (const QFileInfo &entry : entries) {
        if (!entry.isDir())
            shownNames << entry.fileName();
    }
    emit translateFileNames(shownNames);

    ConfigData config;
    int fileIndex = 0;
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        qDebug() << "Showing file or dir" << name;
        if (entry.isDir()) {
            auto *item
                = new QListWidgetItem(QIcon(QStringLiteral(":/resources/foldericon.png")), name);
            qDebug() << "Setting directory tooltip" << name << "file path"
                     << entry.absoluteFilePath();
            item->setData(Qt::ToolTipRole, name);
            qDebug() << "tooltip set to" << name;
            list->addItem(item);
            continue;
        }
        // A receiver may have shortened the list; missing names show as they are.
        const QString shown = fileIndex < shownNames.size() ? shownNames.at(fileIndex) : name;
        ++fileIndex;
        if (shown.isEmpty())
            continue;
        if ((function == ChooseConfig || function == LoadConfig)
            && !config.isValidFile(entry.absoluteFilePath()))
            continue;
        auto *item = new QListWidgetItem(shown);
        qDebug() << "Setting file tooltip" << name;
        item->setData(Qt::ToolTipRole, name);
        qDebug() << "tooltip set to" << name;
        list->addItem(item);
    }

    if (list->count() > 0)
        list->item(0)->setSelected(true);
    list->setVisible(!(entries.isEmpty() && withNewFile));

    if (!withNewFile) {
        // A save browse before may have hidden the selection bar.
        list->setPalette(QPalette());
        if (window()->isActiveWindow())
            list->setFocus();
    } else {
        ui->leNewFile->setText(tr("New File"));
        selectFilesTable(false);
    }
    if (row < list->count())
        list->setCurrentRow(row);
    return true;
}

void FSelecFicheros::selectFilesTable(bool toList)
{
    QListWidget *list = ui->m_ListSelecFichWidget;
    if (toList) {
        list->setFocus(Qt::OtherFocusReason);
        list->setCurrentRow(0);
        list->setPalette(QPalette());
        return;
    }
    // Without a visible selection bar the list does not look focused.
    QPalette pal = list->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Highlight, Qt::white);
        pal.setColor(group, QPalette::HighlightedText, Qt::black);
    }
    list->setPalette(pal);
    ui->leNewFile->setFocus();
    ui->leNewFile->selectAll();
}

void FSelecFicheros::RecargarVentana(int)
{
    qDebug() << "FSelecFicheros reloading window";
    loadFiles(false, 0);
}

// Saving reports success whatever the medium does, so what would make a save
// fail is told here, while the user can still choose another folder or file.
bool FSelecFicheros::canSaveInto(const QString &name)
{
    if (function != SaveConfig)
        return true;
    // A typed name obeys the listing's rule: no way off the medium, whether
    // by "..", by a folder in the name or by a link, dangling or not.
    const QFileInfo chosen(pathFicheros + QLatin1Char('/') + name);
    if (name.contains(QLatin1Char('/')) || name == QLatin1String("..")
        || (chosen.isSymLink() && !isOnMedium(chosen))) {
        alert(tr("Data writing"), tr("This name leads off the medium:\n") + name,
              FAlertMessage::ButtonOk, FAlertMessage::IconError);
        return false;
    }
    if (!QFileInfo(pathFicheros).isWritable()) {
        alert(tr("Data writing"), tr("The medium is write protected"), FAlertMessage::ButtonOk,
              FAlertMessage::IconError);
        return false;
    }
    if (!ConfigData().canHoldModules(pathFicheros + QLatin1Char('/') + name)) {
        alert(tr("Data writing"), tr("Not a configuration file:\n") + name, FAlertMessage::ButtonOk,
              FAlertMessage::IconError);
        return false;
    }
    return true;
}

QString FSelecFicheros::currentKey() const
{
    const QListWidgetItem *item = ui->m_ListSelecFichWidget->currentItem();
    return item ? item->data(Qt::ToolTipRole).toString() : QString();
}

void FSelecFicheros::keyPressEvent(QKeyEvent *event)
{
    QListWidget *list = ui->m_ListSelecFichWidget;
    switch (event->key()) {
    case Qt::Key_Escape:
        if (rowHistory.isEmpty()) {
            emit Salir(this);
            return;
        }
        if (deviceIndex < 0 || deviceIndex >= originPaths.size()) {
            qDebug() << "Unexpected invalid current device" << deviceIndex;
            return;
        }
        {
            // Up one level, never above the medium's root: from the root
            // (however its path was spelt) only back to the device table.
            const QString root = QDir::cleanPath(originPaths.at(deviceIndex));
            const QString current = QDir::cleanPath(pathFicheros);
            if (current == root || !isInside(current, root))
                pathFicheros.clear();
            else
                pathFicheros = QFileInfo(current).absolutePath();
        }
        loadFiles(false, rowHistory.takeLast());
        break;
    case Qt::Key_F5:
        createContextMenu();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        if (ui->leNewFile->hasFocus()) {
            fichSelec = ui->leNewFile->text();
            const QString extension = fileFilter.right(4);
            if (!fileFilter.isEmpty() && fichSelec.right(4) != extension)
                fichSelec += extension;
            if (canSaveInto(fichSelec))
                emit Aceptar(this);
            break;
        }
        if (!list->currentItem())
            return;
        const QString key = currentKey();
        if (pathFicheros.isEmpty()) {
            const int index = originPaths.indexOf(key);
            if (index < 0)
                return;
            deviceIndex = index;
            pathFicheros = key;
            rowHistory.append(list->currentRow());
            loadFiles(false, 0);
            break;
        }
        const QFileInfo target(pathFicheros + QLatin1Char('/') + key);
        if (target.isFile()) {
            qDebug() << "Press enter over name" << key;
            fichSelec = key;
            if (canSaveInto(fichSelec))
                emit Aceptar(this);
            return;
        }
        // Gone since it was listed, or changed into a link off the medium.
        if (!target.isDir() || !isOnMedium(target))
            return;
        pathFicheros += QLatin1Char('/') + key;
        rowHistory.append(list->currentRow());
        loadFiles(false, 0);
        break;
    }
    case Qt::Key_Up:
        if (ui->leNewFile->isVisible() && list->hasFocus() && list->currentRow() == 0)
            selectFilesTable(false);
        break;
    case Qt::Key_Down:
        if (ui->leNewFile->isVisible() && ui->leNewFile->hasFocus() && list->count() > 0)
            selectFilesTable(true);
        break;
    default:
        break;
    }
    IForm::keyPressEvent(event);
}

void FSelecFicheros::showEvent(QShowEvent *)
{
    // The browse was laid out by setFunctionAndOrigin; showing keeps it.
}

void FSelecFicheros::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && ui.isBuilt())
        ui->retranslateUi(this);
    IForm::changeEvent(event);
}

void FSelecFicheros::CrearAcciones()
{
    copyAction = new QAction(tr("&Copy File"), this);
    copyAction->setStatusTip(tr("Copy a file to the clipboard"));
    connect(copyAction, &QAction::triggered, this, &FSelecFicheros::copyFileToClipboard);

    cutAction = new QAction(tr("&Cut File"), this);
    cutAction->setStatusTip(tr("Cut a file to the clipboard"));
    connect(cutAction, &QAction::triggered, this, &FSelecFicheros::cutFileToClipboard);

    pasteAction = new QAction(tr("&Paste File"), this);
    pasteAction->setStatusTip(tr("Paste the clipboard file here"));
    connect(pasteAction, &QAction::triggered, this, &FSelecFicheros::pasteFromClipboard);

    clearAction = new QAction(tr("&File Clear"), this);
    clearAction->setStatusTip(tr("Clear File from Directory"));
    connect(clearAction, &QAction::triggered, this, &FSelecFicheros::FuncBorrarFichero);
}

void FSelecFicheros::createContextMenu()
{
    if (function != Manage || pathFicheros.isEmpty())
        return;
    TitleMenu menu(ui->m_ListSelecFichWidget);
    if (ui->m_ListSelecFichWidget->currentItem()
        && QFileInfo(pathFicheros + QLatin1Char('/') + currentKey()).isFile()) {
        menu.addAction(copyAction);
        menu.addAction(cutAction);
        menu.addAction(clearAction);
    }
    if (!copySource.isEmpty() || !cutSource.isEmpty())
        menu.addAction(pasteAction);
    // The title row is an action too: alone, there is nothing to offer.
    if (menu.actions().size() <= 1)
        return;
    menu.title = tr("File Menu");
    menu.adjustSize();
    const QPoint centre(width() / 2 - menu.width() / 2, height() / 2 - menu.height() / 2);
    menu.exec(mapToGlobal(centre));
}

void FSelecFicheros::copyFileToClipboard()
{
    copySource = getPathFicheros() + QLatin1Char('/') + currentKey();
    cutSource.clear();
}

void FSelecFicheros::cutFileToClipboard()
{
    cutSource = getPathFicheros() + QLatin1Char('/') + currentKey();
    copySource.clear();
}

void FSelecFicheros::pasteFromClipboard()
{
    const QString sourcePath = !copySource.isEmpty() ? copySource : cutSource;
    const bool cut = copySource.isEmpty();
    if (sourcePath.isEmpty())
        return;
    const QString fileName = sourcePath.mid(sourcePath.lastIndexOf(QLatin1Char('/')) + 1);

    if (alert(tr("Confirm file paste"), tr("Please confirm paste of file\n") + fileName,
              FAlertMessage::ButtonOkEsc, FAlertMessage::IconInfo)
        != QDialog::Accepted)
        return;

    QFile source(sourcePath);
    if (!QFileInfo(sourcePath).isFile() || !source.open(QIODevice::ReadOnly)) {
        alert(tr("File open error"), tr("Cannot open file ") + fileName, FAlertMessage::ButtonOk,
              FAlertMessage::IconError);
        qDebug() << "Cannot open file" << sourcePath;
        return;
    }
    alert(tr("Pasting file"), tr("Pasting file, please wait"), FAlertMessage::ButtonNone,
          FAlertMessage::IconInfo, false);

    const QString destinationPath = pathFicheros + QLatin1Char('/') + fileName;
    if (QFileInfo::exists(destinationPath) || QFileInfo(destinationPath).isSymLink()) {
        // A dialog that is already on screen does not become modal again.
        FAlertMessage::getInstance()->hide();
        alert(tr("File open error"), tr("Destination file already exists, delete first"),
              FAlertMessage::ButtonOk, FAlertMessage::IconError);
        return;
    }
    QFile destination(destinationPath);
    if (!destination.open(QIODevice::WriteOnly)) {
        FAlertMessage::getInstance()->hide();
        alert(tr("File open error"), tr("Cannot open file ") + fileName, FAlertMessage::ButtonOk,
              FAlertMessage::IconError);
        qDebug() << "Cannot open file" << destinationPath;
        return;
    }
    // In pieces rather than all at once: a file on a medium can be larger
    // than the device's memory.
    bool complete = true;
    while (complete) {
        const QByteArray chunk = source.read(CopyChunk);
        if (chunk.isEmpty()) {
            complete = source.atEnd();
            break;
        }
        complete = destination.write(chunk) == chunk.size();
    }
    complete = complete && destination.flush();
    destination.close();
    if (!complete) {
        FAlertMessage::getInstance()->hide();
        alert(tr("File open error"), tr("Cannot write file ") + sourcePath, FAlertMessage::ButtonOk,
              FAlertMessage::IconError);
        qDebug() << "Cannot write file" << destinationPath;
        return;
    }
    if (cut) {
        qDebug() << "Deleting file" << sourcePath;
        source.close();
        QFile::remove(sourcePath);
    }
    FAlertMessage::getInstance()->hide();
    copySource.clear();
    cutSource.clear();
    loadFiles(false, 0);
}

void FSelecFicheros::FuncBorrarFichero()
{
    fichSelec = currentKey();
    emit BorrarFichero(this);
}

void FSelecFicheros::FuncGestionarFichero()
{
    fichSelec = currentKey();
    if (getTipoFichero() == 0)
        emit Gestionar(this);
}
