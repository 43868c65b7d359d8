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
#include <QProgressBar>

#include <algorithm>
#include <functional>

namespace {
const QString FormId = QStringLiteral("ZetaVX_DVBS2_CfgProd");

// "BW_1"/"BW_2" value for automatic bandwidth; the module's own marker is bit 7.
constexpr int AutoBandwidthKey = 255;
constexpr unsigned char AutoBandwidthFlag = 0x80;

constexpr int FreqMin = 950;
constexpr int FreqMax = 2150;
constexpr int SRateMin = 1000;
constexpr int SRateMax = 45000;
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

unsigned char indexByte(const QComboBox *box)
{
    return static_cast<unsigned char>(box->currentIndex());
}

// Frequencies travel as 16-bit signed numbers; anything else reads as 0.
unsigned short frequencyValue(const QLineEdit *edit)
{
    return static_cast<unsigned short>(edit->text().toShort());
}

// Symbol rates go up to 45000, beyond a signed short: the low 16 bits are sent.
unsigned short symbolRateValue(const QLineEdit *edit)
{
    return static_cast<unsigned short>(edit->text().toInt());
}

unsigned char bandwidthValue(const QCheckBox *autoBox, const QComboBox *list)
{
    if (autoBox->isChecked())
        return AutoBandwidthFlag;
    return static_cast<unsigned char>(list->currentText().toInt());
}

// One parameter of the module and the field(s) that hold it.
struct Field {
    const char *key;
    ComboBox *list;
    EditBox *edit;
    CheckBox *autoBox;
};

QList<Field> fields(Ui_FormCfgProdZetaVX_DVBS2 *ui)
{
    return {
        {"Entradas", ui->cbInputNum, nullptr, nullptr},
        {"C1_Act", ui->cbActive_p1, nullptr, nullptr},
        {"C2_Act", ui->cbActive_p2, nullptr, nullptr},
        {"LNB_1", ui->cbLnb_1, nullptr, nullptr},
        {"LNB_2", ui->cbLnb_2, nullptr, nullptr},
        {"Banda_1", ui->cbBand_1, nullptr, nullptr},
        {"Banda_2", ui->cbBand_2, nullptr, nullptr},
        {"Pol_1", ui->cbPol_1, nullptr, nullptr},
        {"Pol_2", ui->cbPol_2, nullptr, nullptr},
        {"Freq1_Input", nullptr, ui->leInputFreq_1, nullptr},
        {"Freq2_Input", nullptr, ui->leInputFreq_2, nullptr},
        {"SRate_1", nullptr, ui->leSRate_1, nullptr},
        {"SRate_2", nullptr, ui->leSRate_2, nullptr},
        {"RollOff_1", ui->cbRollOff_1, nullptr, nullptr},
        {"RollOff_2", ui->cbRollOff_2, nullptr, nullptr},
        {"BW_1", ui->cbBW_1, nullptr, ui->ckAutoBW_1},
        {"BW_2", ui->cbBW_2, nullptr, ui->ckAutoBW_2},
        {"Freq1_Output", nullptr, ui->leOutputFreq_1, nullptr},
        {"Freq2_Output", nullptr, ui->leOutputFreq_2, nullptr},
        {"Atten_1", ui->cbAten_1, nullptr, nullptr},
        {"Atten_2", ui->cbAten_2, nullptr, nullptr},
    };
}

// One frame of a send, in the order the module expects them in a bulk write.
struct SendItem {
    QList<QWidget *> focus;
    bool setsInputs;
    std::function<void(CommProtocol &, bool confirm)> build;
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

    for (EditBox *edit :
         {ui->leInputFreq_1, ui->leOutputFreq_1, ui->leInputFreq_2, ui->leOutputFreq_2})
        edit->setValidator(new QIntValidator(FreqMin, FreqMax, this));
    for (EditBox *edit : {ui->leSRate_1, ui->leSRate_2})
        edit->setValidator(new QIntValidator(SRateMin, SRateMax, this));

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

    Ui_FormCfgProdZetaVX_DVBS2 *u = ui.get();
    const QList<SendItem> items = {
        {{u->cbInputNum},
         true,
         [u](CommProtocol &m, bool c) { m.buildNumInputsRequest(indexByte(u->cbInputNum), c); }},
        {{u->cbLnb_1},
         true,
         [u](CommProtocol &m, bool c) { m.buildLNB1Request(indexByte(u->cbLnb_1), c); }},
        {{u->cbLnb_2},
         true,
         [u](CommProtocol &m, bool c) { m.buildLNB2Request(indexByte(u->cbLnb_2), c); }},
        {{u->cbBand_1},
         true,
         [u](CommProtocol &m, bool c) { m.buildBand1Request(indexByte(u->cbBand_1), c); }},
        {{u->cbBand_2},
         true,
         [u](CommProtocol &m, bool c) { m.buildBand2Request(indexByte(u->cbBand_2), c); }},
        {{u->cbPol_1},
         true,
         [u](CommProtocol &m, bool c) { m.buildPol1Request(indexByte(u->cbPol_1), c); }},
        {{u->cbPol_2},
         true,
         [u](CommProtocol &m, bool c) { m.buildPol2Request(indexByte(u->cbPol_2), c); }},
        {{u->leInputFreq_1},
         true,
         [u](CommProtocol &m, bool c) {
             m.buildInputFreq1Request(frequencyValue(u->leInputFreq_1), c);
         }},
        {{u->leInputFreq_2},
         true,
         [u](CommProtocol &m, bool c) {
             m.buildInputFreq2Request(frequencyValue(u->leInputFreq_2), c);
         }},
        {{u->leSRate_1},
         true,
         [u](CommProtocol &m, bool c) {
             m.buildInputSRate1Request(symbolRateValue(u->leSRate_1), c);
         }},
        {{u->leSRate_2},
         true,
         [u](CommProtocol &m, bool c) {
             m.buildInputSRate2Request(symbolRateValue(u->leSRate_2), c);
         }},
        {{u->cbRollOff_1},
         true,
         [u](CommProtocol &m, bool c) { m.buildRollOff1Request(indexByte(u->cbRollOff_1), c); }},
        {{u->cbRollOff_2},
         true,
         [u](CommProtocol &m, bool c) { m.buildRollOff2Request(indexByte(u->cbRollOff_2), c); }},
        {{u->cbBW_1, u->ckAutoBW_1},
         false,
         [u](CommProtocol &m, bool c) {
             m.buildInputBandwidth1Request(bandwidthValue(u->ckAutoBW_1, u->cbBW_1), c);
         }},
        {{u->cbBW_2, u->ckAutoBW_2},
         false,
         [u](CommProtocol &m, bool c) {
             m.buildInputBandwidth2Request(bandwidthValue(u->ckAutoBW_2, u->cbBW_2), c);
         }},
        {{u->leOutputFreq_1},
         false,
         [u](CommProtocol &m, bool c) {
             m.buildOutputFreq1Request(frequencyValue(u->leOutputFreq_1), c);
         }},
        {{u->leOutputFreq_2},
         false,
         [u](CommProtocol &m, bool c) {
             m.buildOutputFreq2Request(frequencyValue(u->leOutputFreq_2), c);
         }},
        {{u->cbAten_1},
         false,
         [u](CommProtocol &m, bool c) {
             m.buildOutputAttenuation1Request(indexByte(u->cbAten_1), c);
         }},
        {{u->cbAten_2},
         false,
         [u](CommProtocol &m, bool c) {
             m.buildOutputAttenuation2Request(indexByte(u->cbAten_2), c);
         }},
        {{u->cbActive_p1},
         true,
         [u](CommProtocol &m, bool c) { m.buildC1ActivateRequest(indexByte(u->cbActive_p1), c); }},
        {{u->cbActive_p2},
         true,
         [u](CommProtocol &m, bool c) { m.buildC2ActivateRequest(indexByte(u->cbActive_p2), c); }},
    };

    CommProtocol msg;
    auto send = [&](const SendItem &item, bool confirm) {
        msg.clearMsgData();
        item.build(msg, confirm);
        if (!services->SendMsg(msp, msg))
            return false;
        if (item.setsInputs)
            inputsChanged = true;
        return true;
    };

    if (!all) {
        for (const SendItem &item : items) {
            const bool focused = std::any_of(item.focus.cbegin(), item.focus.cend(),
                                             [](QWidget *w) { return w->hasFocus(); });
            if (focused && !send(item, true))
                return false;
        }
        return true;
    }

    // A bulk write is framed by the set-all marker: 0 before, 1 (confirmed) after.
    msg.clearMsgData();
    msg.buildSetAllCfgRequest(false, false);
    if (!services->SendMsg(msp, msg))
        return false;
    for (const SendItem &item : items) {
        if (!send(item, false))
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

void FCfgProdZetaVX_DVBS2::applyRecord(unsigned short code, CommProtocol &msg)
{
    auto setIndex = [&msg](ComboBox *box) { box->setCurrentIndex(msg.popByte(true)); };
    auto setNumber = [&msg](EditBox *edit) { edit->setText(QString::number(msg.popShort(true))); };
    switch (code) {
    case CommProtocol::LNB1:
        setIndex(ui->cbLnb_1);
        break;
    case CommProtocol::LNB2:
        setIndex(ui->cbLnb_2);
        break;
    case CommProtocol::Pol1:
        setIndex(ui->cbPol_1);
        break;
    case CommProtocol::Pol2:
        setIndex(ui->cbPol_2);
        break;
    case CommProtocol::Band1:
        setIndex(ui->cbBand_1);
        break;
    case CommProtocol::Band2:
        setIndex(ui->cbBand_2);
        break;
    case CommProtocol::InputFreq1:
        setNumber(ui->leInputFreq_1);
        break;
    case CommProtocol::InputFreq2:
        setNumber(ui->leInputFreq_2);
        break;
    case CommProtocol::InputSRate1:
        setNumber(ui->leSRate_1);
        break;
    case CommProtocol::InputSRate2:
        setNumber(ui->leSRate_2);
        break;
    case CommProtocol::RollOff1:
        setIndex(ui->cbRollOff_1);
        break;
    case CommProtocol::RollOff2:
        setIndex(ui->cbRollOff_2);
        break;
    case CommProtocol::InputBandwidth1:
        applyBandwidth(msg.popByte(true), ui->ckAutoBW_1, ui->cbBW_1);
        break;
    case CommProtocol::InputBandwidth2:
        applyBandwidth(msg.popByte(true), ui->ckAutoBW_2, ui->cbBW_2);
        break;
    case CommProtocol::NumInputs:
        setIndex(ui->cbInputNum);
        break;
    case CommProtocol::C1Activate:
        setIndex(ui->cbActive_p1);
        break;
    case CommProtocol::C2Activate:
        setIndex(ui->cbActive_p2);
        break;
    case CommProtocol::OutputFreq1:
        setNumber(ui->leOutputFreq_1);
        break;
    case CommProtocol::OutputFreq2:
        setNumber(ui->leOutputFreq_2);
        break;
    case CommProtocol::OutputAttenuation1:
        setIndex(ui->cbAten_1);
        break;
    case CommProtocol::OutputAttenuation2:
        setIndex(ui->cbAten_2);
        break;
    default:
        break;
    }
}

// In the module's answer, bit 7 marks automatic bandwidth with the list
// position in bits 0..6; without it the value is the bandwidth in MHz.
void FCfgProdZetaVX_DVBS2::applyBandwidth(unsigned char value, CheckBox *autoBox, ComboBox *list)
{
    if (value & AutoBandwidthFlag) {
        list->setCurrentIndex(value & 0x7F);
        autoBox->setChecked(true);
    } else {
        list->setCurrentIndex(
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
    bar->setPalette(palette);
    label->setText(tr(l.text));
}

QHash<QString, QVariant> FCfgProdZetaVX_DVBS2::UpdateDataMSP()
{
    QHash<QString, QVariant> hash;
    for (const Field &f : fields(ui.get())) {
        const QString key = QString::fromLatin1(f.key);
        if (f.autoBox)
            hash.insert(key, f.autoBox->isChecked() ? AutoBandwidthKey : f.list->currentIndex());
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
    initInputParams();
    for (const Field &f : fields(ui.get())) {
        const auto it = hash.constFind(QString::fromLatin1(f.key));
        if (it == hash.constEnd())
            continue;
        if (f.autoBox) {
            if (it->toInt() == AutoBandwidthKey) {
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
