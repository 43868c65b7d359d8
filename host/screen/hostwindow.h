#pragma once

#include <QWidget>

class ConfigStore;
class DeviceScreen;
class HostServices;
class Imsp;
class KeypadPanel;
class LanguageSwitcher;
class MediaWatcher;
class ModuleEmulator;

// The substitute host's window: the device screen, the optional on-screen
// keypad, the plug-in's start and end, and the host's own keys:
// F12 switches the language, F10 saves a screenshot, Ctrl+Q quits. While no
// plug-in window runs, Return starts it again and Escape quits.
class HostWindow : public QWidget
{
    Q_OBJECT

public:
    HostWindow(HostServices *services, MediaWatcher *media, ConfigStore *store,
               LanguageSwitcher *language, bool keypad, QWidget *parent = nullptr);
    ~HostWindow() override;

    void setPlugin(Imsp *plugin) { msp = plugin; }
    // The emulator of the in-process link, or null.
    void setEmulator(ModuleEmulator *module) { emulator = module; }
    ModuleEmulator *module() const { return emulator; }
    MediaWatcher *media() const { return mediaWatcher; }
    LanguageSwitcher *language() const { return languageSwitcher; }
    DeviceScreen *screen() const { return device; }
    void setShotDir(const QString &dir) { shotDir = dir; }
    QString screenshotDir() const { return shotDir; }

    // Runs the plug-in in the screen and hands it the configuration the host
    // kept from its last run.
    void startModule();
    bool moduleRunning() const { return running; }

    // Delivers a key as the keypad would: to the open pop-up menu, else the
    // modal dialog, else the widget with the keyboard focus.
    void sendKey(int key, const QString &text = QString());
    QWidget *keyTarget() const;
    bool saveScreenshot(const QString &path, QString &error);

public slots:
    // Link, media and language in the status line.
    void refreshIndicators();

signals:
    // Escape on the "Module closed" screen or Ctrl+Q.
    void quitRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void moduleEnded();
    void switchLanguage();

    HostServices *services;
    MediaWatcher *mediaWatcher;
    ConfigStore *store;
    LanguageSwitcher *languageSwitcher;
    DeviceScreen *device;
    KeypadPanel *keypad = nullptr;
    Imsp *msp = nullptr;
    ModuleEmulator *emulator = nullptr;
    bool running = false;
    // Set once the key that closed the plug-in has finished travelling up
    // the widget tree, so that it does not also quit the host.
    bool placeholderKeys = false;
    bool linkUp = false;
    QString shotDir;
    int shotCount = 0;
};
