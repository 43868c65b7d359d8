#include "modalanswerer.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

ModalAnswerer::ModalAnswerer(QList<int> k, QObject *parent)
    : QObject(parent)
    , keys(std::move(k))
{
    connect(&timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    timer.start(10);
}

void ModalAnswerer::poll()
{
    QWidget *w = QApplication::activeModalWidget();
    if (!w || !w->isVisible())
        return;
    const auto *title = w->findChild<QLabel *>(QStringLiteral("lbTitulo"));
    const auto *message = w->findChild<QLabel *>(QStringLiteral("m_LabelMessage"));
    seen.append({title ? title->text() : QString(), message ? message->text() : QString(),
                 clippedTexts(w)});
    if (keys.isEmpty()) {
        ++unexpected;
        if (auto *dialog = qobject_cast<QDialog *>(w))
            dialog->reject();
        return;
    }
    QTest::keyClick(w, static_cast<Qt::Key>(keys.takeFirst()));
}

QStringList ModalAnswerer::clippedTexts(const QWidget *root)
{
    QStringList clipped;
    for (const QLabel *label : root->findChildren<QLabel *>()) {
        if (!label->isVisible() || label->wordWrap() || label->text().contains(QLatin1Char('<')))
            continue;
        for (const QString &line : label->text().split(QLatin1Char('\n')))
            if (label->fontMetrics().horizontalAdvance(line) > label->contentsRect().width())
                clipped << line;
    }
    for (const QPushButton *button : root->findChildren<QPushButton *>()) {
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin);
        if (button->isVisible()
            && button->fontMetrics().horizontalAdvance(button->text()) + margin > button->width())
            clipped << button->text();
    }
    for (const QComboBox *combo : root->findChildren<QComboBox *>()) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        if (combo->isVisible()
            && combo->fontMetrics().horizontalAdvance(combo->currentText()) > field.width())
            clipped << combo->currentText();
    }
    return clipped;
}
