#pragma once

#include <QLoggingCategory>
#include <QStringList>

// Collects the debug stream while alive. The test runner switches debug
// output off by its logging rules, so a category filter turns it back on
// for the duration.
class DebugCapture
{
public:
    DebugCapture()
    {
        s_lines = &m_lines;
        m_oldFilter = QLoggingCategory::installFilter(&DebugCapture::enableDebug);
        m_oldHandler = qInstallMessageHandler(&DebugCapture::collect);
    }
    ~DebugCapture()
    {
        qInstallMessageHandler(m_oldHandler);
        QLoggingCategory::installFilter(m_oldFilter);
        s_lines = nullptr;
    }
    QStringList lines() const { return m_lines; }

private:
    static void enableDebug(QLoggingCategory *category)
    {
        if (qstrcmp(category->categoryName(), "default") == 0)
            category->setEnabled(QtDebugMsg, true);
    }
    static void collect(QtMsgType type, const QMessageLogContext &, const QString &msg)
    {
        if (s_lines && type == QtDebugMsg)
            s_lines->append(msg);
    }

    QStringList m_lines;
    QLoggingCategory::CategoryFilter m_oldFilter;
    QtMessageHandler m_oldHandler;
    static inline QStringList *s_lines = nullptr;
};
