#include "hostwindow.h"

#include "configstore.h"
#include "devicescreen.h"
#include "hostservices.h"
#include "imsp.h"
#include "keypadpanel.h"
#include "languageswitcher.h"
#include "mediawatcher.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QTimer>

HostWindow::HostWindow(HostServices *services, MediaWatcher *media, ConfigStore *store,
                       LanguageSwitcher *language, bool withKeypad, QWidget *parent)
    : QWidget(parent)
    , services(services)
    , mediaWatcher(media)
    , store(store)
    , languageSwitcher(language)
{
    setObjectName(QStringLiteral("HostWindow"));
    setWindowTitle(QStringLiteral("msp-host"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    device = new DeviceScreen(this);
    layout->addWidget(device, 0, Qt::AlignTop);
    if (withKeypad) {
        keypad = new KeypadPanel(this);
        layout->addWidget(keypad, 0, Qt::AlignTop);
        connect(keypad, &KeypadPanel::keyPressed, this, &HostWindow::sendKey);
    }
    // The plug-in's alerts cover the host window below its status line, so the
    // window is exactly as high as the device screen.
    setFixedHeight(240);
    setFocusPolicy(Qt::StrongFocus);

    connect(services, &HostServices::statusChanged, device,
            [this](const QString &text) { device->setStatus(text); });
    connect(services, &HostServices::moduleEnded, this, &HostWindow::moduleEnded);
    if (mediaWatcher)
        connect(mediaWatcher, &MediaWatcher::mediumChanged, this,
                [this](const QString &name, bool present) {
                    device->setStatus(present ? tr("%1 inserted").arg(name)
                                              : tr("%1 removed").arg(name));
                    refreshIndicators();
                });
    if (languageSwitcher)
        connect(languageSwitcher, &LanguageSwitcher::languageChanged, this, [this] {
            if (running && msp)
                device->setStatus(msp->Nombre(), msp->Version());
            refreshIndicators();
        });
    qApp->installEventFilter(this);
    refreshIndicators();
}

HostWindow::~HostWindow() { qApp->removeEventFilter(this); }

void HostWindow::startModule()
{
    if (!msp || running)
        return;
    device->hidePlaceholder();
    msp->SetIServiciosComunes(services);
    services->setPlugin(msp);
    running = true;
    msp->Run(device->pluginArea());
    if (store) {
        const QHash<QString, QVariant> stored = store->load(msp->Id(), msp->Id());
        if (!stored.isEmpty())
            msp->SetDataConfig(stored);
    }
    device->setStatus(msp->Nombre(), msp->Version());
    activateWindow();
    // On the device nothing but the plug-in takes keys while it runs, and the
    // host does not place the focus for it.
    setFocusPolicy(Qt::NoFocus);
    refreshIndicators();
}

void HostWindow::moduleEnded()
{
    running = false;
    placeholderKeys = false;
    QTimer::singleShot(0, this, [this] { placeholderKeys = !running; });
    device->showPlaceholder(
        tr("Module closed.\n\nOK (Return): start it again\nEsc: quit the host"));
    setFocusPolicy(Qt::StrongFocus);
    setFocus();
}

void HostWindow::refreshIndicators()
{
    QStringList parts;
    parts << (services->IsLinkUp() ? services->LinkDescription().section(QLatin1Char(' '), 0, 0)
                                   : tr("no link"));
    if (mediaWatcher)
        for (const MediaWatcher::Medium &m : mediaWatcher->media())
            if (m.present)
                parts << m.name;
    if (languageSwitcher)
        parts << languageSwitcher->language().toUpper();
    device->setIndicators(parts.join(QLatin1Char(' ')));
}

QWidget *HostWindow::keyTarget() const
{
    // As the window system does: a pop-up's keys go to its focus widget (a
    // combo box's list), not to the frame around it.
    if (QWidget *popup = QApplication::activePopupWidget())
        return popup->focusWidget() ? popup->focusWidget() : popup;
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal->focusWidget() ? modal->focusWidget() : modal;
    if (QWidget *focus = QApplication::focusWidget())
        return focus;
    return const_cast<HostWindow *>(this);
}

void HostWindow::sendKey(int key, const QString &text)
{
    QWidget *target = keyTarget();
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
    QCoreApplication::postEvent(target,
                                new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
}

bool HostWindow::saveScreenshot(const QString &path, QString &error)
{
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir)) {
        error = tr("cannot create %1").arg(dir);
        return false;
    }
    if (!device->grabScreen().save(path, "PNG")) {
        error = tr("cannot write %1").arg(path);
        return false;
    }
    return true;
}

void HostWindow::switchLanguage()
{
    if (!languageSwitcher)
        return;
    QString error;
    if (!languageSwitcher->toggle(error))
        device->setStatus(error);
}

bool HostWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F12) {
            switchLanguage();
            return true;
        }
        if (key->key() == Qt::Key_F10) {
            const QString path = QDir(shotDir.isEmpty() ? QDir::currentPath() : shotDir)
                                     .filePath(QStringLiteral("msp-host-%1.png")
                                                   .arg(++shotCount, 3, 10, QLatin1Char('0')));
            QString error;
            device->setStatus(saveScreenshot(path, error) ? tr("saved %1").arg(path) : error);
            return true;
        }
        if (key->key() == Qt::Key_Q && (key->modifiers() & Qt::ControlModifier)) {
            emit quitRequested();
            return true;
        }
    }
    if (event->type() == QEvent::KeyRelease) {
        const int k = static_cast<QKeyEvent *>(event)->key();
        if (k == Qt::Key_F12 || k == Qt::Key_F10)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void HostWindow::keyPressEvent(QKeyEvent *event)
{
    if (running || !placeholderKeys) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        startModule();
    else if (event->key() == Qt::Key_Escape)
        emit quitRequested();
    else
        QWidget::keyPressEvent(event);
}
