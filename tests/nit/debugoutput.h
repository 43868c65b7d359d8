#pragma once

#include <QLoggingCategory>

// The test runner switches debug output off by its logging rules. While one
// of these lives, the default category's debug messages are on again, so
// QTest::ignoreMessage can insist on the descriptors' dumps.
struct DebugOutput {
    QLoggingCategory::CategoryFilter oldFilter
        = QLoggingCategory::installFilter([](QLoggingCategory *category) {
              if (qstrcmp(category->categoryName(), "default") == 0)
                  category->setEnabled(QtDebugMsg, true);
          });
    ~DebugOutput() { QLoggingCategory::installFilter(oldFilter); }
};
