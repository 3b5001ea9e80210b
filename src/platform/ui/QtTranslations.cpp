#include "platform/ui/QtTranslations.h"

#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace ui {

namespace {
QPointer<QTranslator>& installed() {
    static QPointer<QTranslator> translator;
    return translator;
}
}  // namespace

bool InstallQtTranslations() {
    if (installed()) return true;
    auto* app = QCoreApplication::instance();
    if (!app) return false;
    auto* translator = new QTranslator(app);
    const QStringList folders{QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                              QDir(AppPaths::programFolder()).filePath(QStringLiteral("translations"))};
    // "qtbase" holds the widgets' and print support's texts; "qt" is the
    // older catalogue that loads it.
    for (const QString& name : {QStringLiteral("qtbase_pt_BR"), QStringLiteral("qt_pt_BR")})
        for (const QString& folder : folders)
            if (translator->load(name, folder) && QCoreApplication::installTranslator(translator)) {
                installed() = translator;
                return true;
            }
    delete translator;
    return false;
}

void RemoveQtTranslations() {
    if (!installed()) return;
    QCoreApplication::removeTranslator(installed());
    delete installed();
}

}  // namespace ui
