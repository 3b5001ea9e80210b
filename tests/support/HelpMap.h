#pragma once
#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

// The help pages of help/contexts.map by context number.
inline QMap<int, QString> HelpPagesByContext() {
    QMap<int, QString> pages;
    QFile map(QStringLiteral(LOBRIX_SOURCE_DIR "/help/contexts.map"));
    if (!map.open(QIODevice::ReadOnly | QIODevice::Text)) return pages;
    for (const QString& line : QString::fromUtf8(map.readAll()).split(QLatin1Char('\n'))) {
        const QStringList parts = line.simplified().split(QLatin1Char(' '));
        if (parts.size() >= 2 && !parts.at(0).startsWith(QLatin1Char('#'))) pages[parts.at(0).toInt()] = parts.at(1);
    }
    return pages;
}

// Every help context the form's controls carry has its page in help/; at
// least `atLeast` controls carry one.
inline void ExpectHelpPagesForEveryContext(const QWidget* form, int atLeast) {
    const QMap<int, QString> pages = HelpPagesByContext();
    QList<int> contexts;
    for (const QWidget* w : form->findChildren<QWidget*>())
        if (const int c = w->property("helpContext").toInt()) contexts << c;
    EXPECT_GE(contexts.size(), atLeast);
    for (int c : contexts) {
        ASSERT_TRUE(pages.contains(c)) << c;
        EXPECT_TRUE(QFile::exists(QStringLiteral(LOBRIX_SOURCE_DIR "/help/") + pages.value(c))) << c;
    }
}

// The heading of the help page a context opens (empty when it has none).
inline QString HelpPageTitle(int context) {
    QFile page(QStringLiteral(LOBRIX_SOURCE_DIR "/help/") + HelpPagesByContext().value(context));
    if (!page.open(QIODevice::ReadOnly | QIODevice::Text)) return QString();
    const QString html = QString::fromUtf8(page.readAll());
    const qsizetype start = html.indexOf(QLatin1String("<h1>"));
    const qsizetype end = html.indexOf(QLatin1String("</h1>"));
    return start < 0 || end < start ? QString() : html.mid(start + 4, end - start - 4);
}
