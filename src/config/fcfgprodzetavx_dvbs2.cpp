#include "fcfgprodzetavx_dvbs2.h"

#include "checkbox.h"
#include "combobox.h"
#include "commprotocol.h"
#include "editbox.h"
#include "falertmessage.h"
#include "iservicioscomunes.h"
#include "scrollarea.h"
#include "titlemenu.h"
#include "ui_fcfgprodzetavx_dvbs2.h"

#include <QAction>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include <climits>
#include <utility>

namespace {
const QString FormId = QStringLiteral("ZetaVX_DVBS2_CfgProd");

constexpr int FieldHeight = 16;

struct Level {
    int barValue;
    bool inRange;
    const char *text;
};
// Level codes are 5 dBuV bands; both ends are shown in red.
const Level Levels[] = {
    {15, false, QT_TRANSLATE_NOOP("FCfgProdZetaVX_DVBS2", "<45")},
    {25, true, QT_TRANSLATE_NOOP("FCfgProdZetaVX_DVBS2", "45-50")},
    {35, true, QT_TRANSLATE_NOOP("FCfgProdZetaVX_DVBS2", "50-55")},
    {45, true, QT_TRANSLATE_NOOP("FCfgProdZetaVX_DVBS2", "55-60")},
    {55, true, QT_TRANSLATE_NOOP("FCfgProdZetaVX_DVBS2", "60-65")},
    {65, true, QT_TRANSLATE_NOOP("FCfgProdZetaVX_DVBS2", "65-70")},
    {75, true, QT_TRANSLATE_NOOP("FCfgProdZetaVX_DVBS2", "70-75")},
    {85, true, QT_TRANSLATE_NOOP("FCfgProdZetaVX_DVBS2", "75-80")},
    {95, true, QT_TRANSLATE_NOOP("FCfgProdZetaVX_DVBS2", "80-85")},
    {100, false, QT_TRANSLATE_NOOP("FCfgProdZetaVX_DVBS2", ">85")},
};

} // namespace

FCfgProdZetaVX_DVBS2::FCfgProdZetaVX_DVBS2(QWidget *parent)
    : IForm(FormId, parent)
    , ui(this, &FCfgProdZetaVX_DVBS2::finishUi)
{ }

FCfgProdZetaVX_DVBS2::~FCfgProdZetaVX_DVBS2() = default;

void FCfgProdZetaVX_DVBS2::buildWidgets() { ui.get(); }

void FCfgProdZetaVX_DVBS2::finishUi()
{
    ui->scrollArea->setContextMenuPolicy(Qt::ActionsContextMenu);
    ui->scrollArea->lastWidget = ui->cbAten_2;

    for (const ModuleParameters::Parameter &p : ModuleParameters::all()) {
        Field f {&p, nullptr, nullptr, nullptr, nullptr};
        if (p.kind == ModuleParameters::Number)
            f.field = f.edit = findChild<QLineEdit *>(QLatin1String(p.field));
        else
            f.field = f.list = findChild<QComboBox *>(QLatin1String(p.field));
        if (p.autoField)
            f.autoBox = findChild<QCheckBox *>(QLatin1String(p.autoField));
        if (!f.field || (p.autoField && !f.autoBox))
            qFatal("The configuration form has no field %s for %s", p.field, p.key);
        if (f.edit)
            f.edit->setValidator(new QIntValidator(p.minimum, p.maximum, this));
        fieldList.append(f);
    }

    connect(ui->ckAutoBW_1, &QCheckBox::stateChanged, this, &FCfgProdZetaVX_DVBS2::autoBWChanged_1);
    connect(ui->ckAutoBW_2, &QCheckBox::stateChanged, this, &FCfgProdZetaVX_DVBS2::autoBWChanged_2);
    const auto indexChanged = QOverload<int>::of(&QComboBox::currentIndexChanged);
    connect(ui->cbInputNum, indexChanged, this, &FCfgProdZetaVX_DVBS2::NumEntChanged);
    connect(ui->cbActive_p1, indexChanged, this, &FCfgProdZetaVX_DVBS2::ActivateC1Changed);
    connect(ui->cbActive_p2, indexChanged, this, &FCfgProdZetaVX_DVBS2::ActivateC2Changed);
    connect(ui->cbLnb_1, indexChanged, this, &FCfgProdZetaVX_DVBS2::ActivateLNB1Changed);
    connect(ui->cbLnb_2, indexChanged, this, &FCfgProdZetaVX_DVBS2::ActivateLNB2Changed);

    ui->cbActive_p1->setCurrentIndex(1);
    ui->cbActive_p2->setCurrentIndex(1);
    ui->cbLnb_1->setCurrentIndex(0);
    ui->cbLnb_2->setCurrentIndex(0);
    ui->ckAutoBW_1->setChecked(true);
    ui->ckAutoBW_2->setChecked(true);
    ui->cbBW_1->setEnabled(false);
    ui->cbBW_2->setEnabled(false);

    // The levels are kept up to date but not shown on this screen.
    for (QWidget *w :
         {static_cast<QWidget *>(ui->label_11), static_cast<QWidget *>(ui->pbNivelEntrada_1),
          static_cast<QWidget *>(ui->lbNivelEntrada_1), static_cast<QWidget *>(ui->label_40),
          static_cast<QWidget *>(ui->label_46), static_cast<QWidget *>(ui->pbNivelEntrada_2),
          static_cast<QWidget *>(ui->lbNivelEntrada_2), static_cast<QWidget *>(ui->label_47)})
        w->hide();

    ActivateLNB1Changed(ui->cbLnb_1->currentIndex());
    ActivateLNB2Changed(ui->cbLnb_2->currentIndex());
    NumEntChanged(ui->cbInputNum->currentIndex());
    ActivateC1Changed(ui->cbActive_p1->currentIndex());
    ActivateC2Changed(ui->cbActive_p2->currentIndex());

    fitFieldsToFont();

    // A configuration handed over before the form was first needed.
    if (!pendingConfig.isEmpty())
        SetDataConfig(std::exchange(pendingConfig, {}));
}

// Fields are 16 pixels high, which fits the device's fonts; on screens whose
// fonts come out taller they grow to the line height so no text is clipped.
// The scroll area does not resize its content, so the content takes the
// height its rows need once the level rows are hidden.
void FCfgProdZetaVX_DVBS2::fitFieldsToFont()
{
    const int height = qMax(FieldHeight, fontMetrics().height() + 2);
    const auto children = ui->scrollAreaWidgetContents->findChildren<QWidget *>(
        QString(), Qt::FindDirectChildrenOnly);
    for (QWidget *w : children) {
        if (w->maximumHeight() < height)
            w->setMaximumHeight(height);
        if (w->minimumHeight() == FieldHeight)
            w->setMinimumHeight(height);
    }
    ui->gridLayout->invalidate();
    ui->scrollAreaWidgetContents->resize(ui->scrollAreaWidgetContents->maximumWidth(),
                                         ui->gridLayout->sizeHint().height());
}

void FCfgProdZetaVX_DVBS2::setCommServices(Imsp *m, IServiciosComunes *s)
{
    msp = m;
    services = s;
}

void FCfgProdZetaVX_DVBS2::alert(const QString &title, const QString &message)
{
    FAlertMessage::getInstance()->showDialog(this, title, message, FAlertMessage::ButtonOk,
                                             FAlertMessage::IconError, true);
}

void FCfgProdZetaVX_DVBS2::CrearAcciones()
{
    // The previous pair belonged to a menu that no longer exists.
    delete readFileAction;
    delete writeFileAction;
    readFileAction = new QAction(tr("&Read Configuration from File"), this);
    connect(readFileAction, &QAction::triggered, this, &FCfgProdZetaVX_DVBS2::FuncLeerConfDeFich);
    writeFileAction = new QAction(tr("&Write Configuration to File"), this);
    connect(writeFileAction, &QAction::triggered, this,
            &FCfgProdZetaVX_DVBS2::FuncEscribirConfDeFich);
}

void FCfgProdZetaVX_DVBS2::createContextMenu()
{
    TitleMenu menu(ui->scrollArea);
    menu.addAction(readFileAction);
    menu.addAction(writeFileAction);
    menu.title = tr("Product Configuration From File");
    menu.setContextMenuPolicy(Qt::ActionsContextMenu);
    // Shown once so that its size is known before it is centred over the form.
    menu.setVisible(true);
    const QPoint centred(width() / 2 - menu.width() / 2, height() / 2 - menu.height() / 2);
    menu.exec(mapToGlobal(centred), nullptr);
}

void FCfgProdZetaVX_DVBS2::FuncLeerConfDeFich() { emit PresentaFichLect(this); }

void FCfgProdZetaVX_DVBS2::FuncEscribirConfDeFich() { emit PresentaFichEsc(this); }

void FCfgProdZetaVX_DVBS2::initInputParams()
{
    ui->pbNivelEntrada_1->setValue(ui->pbNivelEntrada_1->minimum());
    ui->pbNivelEntrada_2->setValue(ui->pbNivelEntrada_2->minimum());
}

void FCfgProdZetaVX_DVBS2::initOutputParams()
{
    // Nothing on the output side depends on what was sent.
}

void FCfgProdZetaVX_DVBS2::NumEntChanged(int index) { ui->cbLnb_2->setEnabled(index != 0); }

void FCfgProdZetaVX_DVBS2::ActivateLNB1Changed(int index)
{
    ui->cbBand_1->setEnabled(index != 0);
    ui->cbPol_1->setEnabled(index != 0);
}

void FCfgProdZetaVX_DVBS2::ActivateLNB2Changed(int index)
{
    ui->cbBand_2->setEnabled(index != 0);
    ui->cbPol_2->setEnabled(index != 0);
}

// Switching a processor off leaves its "Auto" box alone, so the bandwidth list
// can still be unlocked while the processor is off.
void FCfgProdZetaVX_DVBS2::enableProcessor(bool on, CheckBox *autoBox,
                                           const QList<QWidget *> &settings, QWidget *bandwidth)
{
    for (QWidget *w : settings)
        w->setEnabled(on);
    if (on) {
        autoBox->setEnabled(true);
        bandwidth->setEnabled(!autoBox->isChecked());
    } else {
        bandwidth->setEnabled(false);
    }
}

void FCfgProdZetaVX_DVBS2::ActivateC1Changed(int index)
{
    enableProcessor(
        index != 0, ui->ckAutoBW_1,
        {ui->cbAten_1, ui->cbRollOff_1, ui->leInputFreq_1, ui->leOutputFreq_1, ui->leSRate_1},
        ui->cbBW_1);
}

void FCfgProdZetaVX_DVBS2::ActivateC2Changed(int index)
{
    enableProcessor(
        index != 0, ui->ckAutoBW_2,
        {ui->cbAten_2, ui->cbRollOff_2, ui->leInputFreq_2, ui->leOutputFreq_2, ui->leSRate_2},
        ui->cbBW_2);
}

void FCfgProdZetaVX_DVBS2::autoBWChanged_1(int state)
{
    if (state == Qt::Checked)
        ui->cbBW_1->setEnabled(false);
    else if (state == Qt::Unchecked)
        ui->cbBW_1->setEnabled(true);
}

void FCfgProdZetaVX_DVBS2::autoBWChanged_2(int state)
{
    if (state == Qt::Checked)
        ui->cbBW_2->setEnabled(false);
    else if (state == Qt::Unchecked)
        ui->cbBW_2->setEnabled(true);
}

void FCfgProdZetaVX_DVBS2::keyPressEvent(QKeyEvent *event)
{
    bool inputsChanged = false;
    bool outputsChanged = false;
    bool sent = true;
    // Every key stops here: none is handed on to the base class.
    event->accept();
    switch (event->key()) {
    case Qt::Key_Escape:
        emit Salir(this);
        break;
    case Qt::Key_F5:
        CrearAcciones();
        createContextMenu();
        break;
    case Qt::Key_F6:
        readFromModule();
        return;
    case Qt::Key_F7:
        sent = sendCfgData(false, inputsChanged, outputsChanged);
        break;
    case Qt::Key_F8:
        sent = sendCfgData(true, inputsChanged, outputsChanged);
        break;
    default:
        break;
    }
    if (inputsChanged)
        initInputParams();
    if (outputsChanged)
        initOutputParams();
    if (!sent)
        alert(tr("Comm error"), tr("Communication error"));
}

void FCfgProdZetaVX_DVBS2::changeEvent(QEvent *event)
{
    // A form not built yet will be built in the current language. A built
    // one keeps every selection and value: the lists only get their texts
    // in the new language, so a language change never alters the
    // configuration that F8 or leaving the form would carry on.
    if (event->type() == QEvent::LanguageChange && ui.isBuilt())
        ui->retranslateUi(this);
    IForm::changeEvent(event);
}

void FCfgProdZetaVX_DVBS2::readFromModule()
{
    if (!services)
        return;
    CommProtocol msg;
    msg.clearMsgData();
    msg.buildGetModuleInfoRequest();
    if (!services->SendMsg(msp, msg)) {
        alert(tr("Comm error"), tr("Module info read error"));
        return;
    }
    msg.clearMsgData();
    msg.buildGetLevelRequest();
    if (!services->SendMsg(msp, msg)) {
        alert(tr("Comm error"), tr("Module Input read error"));
        return;
    }
    msg.clearMsgData();
    msg.buildGetAllCfgRequest();
    if (!services->SendMsg(msp, msg))
        alert(tr("Comm error"), tr("Configuration read error"));
}

bool FCfgProdZetaVX_DVBS2::sendCfgData(bool all, bool &inputsChanged, bool &outputsChanged)
{
    Q_UNUSED(outputsChanged)
    if (!services)
        return false;

    CommProtocol msg;
    auto send = [&](const Field &f, bool confirm) {
        msg.clearMsgData();
        msg.buildParameterRequest(f.parameter->command, static_cast<unsigned short>(wireValue(f)),
                                  confirm);
        if (!services->SendMsg(msp, msg))
            return false;
        if (f.parameter->changesInputs)
            inputsChanged = true;
        return true;
    };
    const QVector<Field> &list = fields();
    auto field = [&list](const ModuleParameters::Parameter *p) -> const Field & {
        return list.at(ModuleParameters::indexOf(*p));
    };

    if (!all) {
        for (const ModuleParameters::Parameter *p : ModuleParameters::inBulkOrder()) {
            const Field &f = field(p);
            const bool focused = f.field->hasFocus() || (f.autoBox && f.autoBox->hasFocus());
            if (focused && !send(f, true))
                return false;
        }
        return true;
    }

    // A bulk write is framed by the set-all marker: 0 before, 1 (confirmed) after.
    msg.clearMsgData();
    msg.buildSetAllCfgRequest(false, false);
    if (!services->SendMsg(msp, msg))
        return false;
    for (const ModuleParameters::Parameter *p : ModuleParameters::inBulkOrder()) {
        if (!send(field(p), false))
            return false;
    }
    msg.clearMsgData();
    msg.buildSetAllCfgRequest(true, true);
    return services->SendMsg(msp, msg);
}

bool FCfgProdZetaVX_DVBS2::dataRcvd(CommProtocol &msg)
{
    if (msg.linkFlags[1] || msg.linkFlags[2]) {
        // The link layer's failure is shown untranslated, as the host reports it.
        FAlertMessage::getInstance()->showDialog(
            this, tr("Comm error"), QStringLiteral("Communication error"), FAlertMessage::ButtonOk,
            FAlertMessage::IconError, true);
        return true;
    }
    msg.popShort(true);
    switch (msg.getCurrentRxCmd()) {
    case CommProtocol::GetLevel: {
        const unsigned char level1 = msg.popByte(true);
        const unsigned char level2 = msg.popByte(true);
        setInputLevel_1(level1);
        setInputLevel_2(level2);
        break;
    }
    case CommProtocol::GetModuleInfo:
        readModuleInfo(msg);
        break;
    case CommProtocol::GetAllCfg:
        // Anything up to the next record tag is skipped two bytes at a time.
        while (msg.msgData.size() >= 4) {
            if (msg.popShort(true) != CommProtocol::RecordTag)
                continue;
            applyRecord(msg.getCurrentRxCmd(), msg);
        }
        break;
    case CommProtocol::GetVXStatus: {
        bool flag = false;
        msg.getVXStatusInfo(flag);
        break;
    }
    default:
        break;
    }
    return true;
}

namespace {
// The answers mostly repeat what the form shows, and setting a list to the
// position it holds still goes through its model. An editable list whose box
// shows other text is set anyway: that puts the item's text back.
void select(QComboBox *list, int index)
{
    if (list->currentIndex() != index
        || (list->isEditable() && list->lineEdit()->text() != list->itemText(index)))
        list->setCurrentIndex(index);
}

// setText would leave the box exactly like this, only at a cost.
bool shows(const QLineEdit *edit, const QString &text)
{
    return edit->text() == text && !edit->isModified() && !edit->isUndoAvailable()
        && !edit->isRedoAvailable() && !edit->hasSelectedText()
        && edit->cursorPosition() == text.size();
}
} // namespace

void FCfgProdZetaVX_DVBS2::applyRecord(unsigned short code, CommProtocol &msg)
{
    const ModuleParameters::Parameter *p = ModuleParameters::byCommand(code);
    if (!p)
        return;
    const Field &f = fields().at(ModuleParameters::indexOf(*p));
    const int value = p->width == 2 ? msg.popShort(true) : msg.popByte(true);
    switch (p->kind) {
    case ModuleParameters::ListIndex:
        select(f.list, value);
        break;
    case ModuleParameters::Number: {
        const QString text = QString::number(value);
        if (!shows(f.edit, text))
            f.edit->setText(text);
        break;
    }
    case ModuleParameters::AutoBandwidth:
        applyBandwidth(static_cast<unsigned char>(value), f.autoBox, f.list);
        break;
    }
}

// In the module's answer, bit 7 marks automatic bandwidth with the list
// position in bits 0..6; without it the value is the bandwidth in MHz.
void FCfgProdZetaVX_DVBS2::applyBandwidth(unsigned char value, QCheckBox *autoBox, QComboBox *list)
{
    if (value & ModuleParameters::AutoBandwidthFlag) {
        select(list, value & 0x7F);
        autoBox->setChecked(true);
    } else {
        select(list,
               list->findText(QString::number(value), Qt::MatchExactly | Qt::MatchCaseSensitive));
        autoBox->setChecked(false);
    }
}

void FCfgProdZetaVX_DVBS2::readModuleInfo(CommProtocol &msg)
{
    auto pop24 = [&msg]() {
        unsigned int v = 0;
        for (int i = 0; i < 3; ++i)
            v = (v << 8) | msg.popByte(true);
        return v;
    };

    ui->lbCodigo->setText(QString::number(pop24()) + tr(" VX-Lyra"));

    const unsigned char major = msg.popByte(true);
    const unsigned char minor = msg.popByte(true);
    ui->lbVersionHW->setText(
        QStringLiteral("%1.%2").arg(major).arg(minor, 2, 10, QLatin1Char('0')));

    const QByteArray raw = msg.popString(5);
    const int end = raw.indexOf('\0');
    QString firmware = QString::fromLatin1(end < 0 ? raw : raw.left(end));
    if (firmware.startsWith(QLatin1Char('0')))
        firmware.remove(0, 1);
    ui->lbVersionFW->setText(firmware);

    const unsigned char prefix = msg.popByte(true);
    ui->lbNumSerie->setText(QStringLiteral("%1-%2").arg(prefix).arg(pop24()));
}

void FCfgProdZetaVX_DVBS2::setInputLevel_1(unsigned char level)
{
    setInputLevel(ui->pbNivelEntrada_1, ui->lbNivelEntrada_1, level);
}

void FCfgProdZetaVX_DVBS2::setInputLevel_2(unsigned char level)
{
    setInputLevel(ui->pbNivelEntrada_2, ui->lbNivelEntrada_2, level);
}

void FCfgProdZetaVX_DVBS2::setInputLevel(QProgressBar *bar, QLabel *label, unsigned char level)
{
    // Codes beyond the table are read as the lowest band.
    const Level &l = level < sizeof(Levels) / sizeof(Levels[0]) ? Levels[level] : Levels[0];
    bar->setValue(l.barValue);
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Highlight, l.inRange ? QColor(Qt::green) : QColor(Qt::red));
    // Setting a palette resolves it against the parent's again, which costs
    // more than the rest of the answer: the bar only takes a new colour.
    if (!bar->testAttribute(Qt::WA_SetPalette) || palette != bar->palette()
        || palette.resolve() != bar->palette().resolve())
        bar->setPalette(palette);
    label->setText(tr(l.text));
}

const QVector<FCfgProdZetaVX_DVBS2::Field> &FCfgProdZetaVX_DVBS2::fields() const
{
    ui.get();
    return fieldList;
}

// The value a set-request carries for a field.
int FCfgProdZetaVX_DVBS2::wireValue(const Field &f) const
{
    const ModuleParameters::Parameter &p = *f.parameter;
    switch (p.kind) {
    case ModuleParameters::ListIndex:
        return f.list->currentIndex();
    case ModuleParameters::Number:
        // A range that fits a signed 16-bit number is read as one, so that
        // anything beyond it reads as 0; wider ones (symbol rates) are read
        // whole and their low bits sent.
        return p.maximum <= SHRT_MAX ? f.edit->text().toShort() : f.edit->text().toInt();
    case ModuleParameters::AutoBandwidth:
        if (f.autoBox->isChecked())
            return ModuleParameters::AutoBandwidthFlag;
        return f.list->currentText().toInt();
    }
    return 0;
}

QHash<QString, QVariant> FCfgProdZetaVX_DVBS2::UpdateDataMSP()
{
    QHash<QString, QVariant> hash;
    for (const Field &f : fields()) {
        const QString key = QString::fromLatin1(f.parameter->key);
        if (f.autoBox)
            hash.insert(key,
                        f.autoBox->isChecked() ? ModuleParameters::AutoBandwidthKey
                                               : f.list->currentIndex());
        else if (f.list)
            hash.insert(key, f.list->currentIndex());
        else
            hash.insert(key, f.edit->text());
    }
    return hash;
}

// Values from a configuration file arrive as strings, values from the host as
// numbers; the variant conversions take both.
void FCfgProdZetaVX_DVBS2::SetDataConfig(QHash<QString, QVariant> hash)
{
    // A host hands its stored configuration over right after Run: that must
    // not build the form's widgets, which the first use does anyway.
    if (!ui.isBuilt()) {
        pendingConfig.insert(hash);
        return;
    }
    initInputParams();
    for (const Field &f : fields()) {
        const auto it = hash.constFind(QString::fromLatin1(f.parameter->key));
        if (it == hash.constEnd())
            continue;
        if (f.autoBox) {
            if (it->toInt() == ModuleParameters::AutoBandwidthKey) {
                f.autoBox->setChecked(true);
            } else {
                f.autoBox->setChecked(false);
                f.list->setCurrentIndex(it->toInt());
            }
        } else if (f.list) {
            f.list->setCurrentIndex(it->toInt());
        } else {
            f.edit->setText(it->toString());
        }
    }
}
