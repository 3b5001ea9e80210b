#include "HelpService.h"

#include "platform/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextStream>
#include <QUrl>
#include <QVBoxLayout>

namespace help {

namespace {
QPointer<HelpWindow>& window() {
    static QPointer<HelpWindow> w;
    return w;
}

HelpWindow* ensureWindow() {
    if (!window()) {
        window() = new HelpWindow;
        window()->setAttribute(Qt::WA_DeleteOnClose);
    }
    return window();
}

void present(const QString& page) {
    HelpWindow* w = ensureWindow();
    w->showPage(page);
    w->show();
    w->raise();
    w->activateWindow();
}
}  // namespace

QString HelpFolder() { return AppPaths::findNoCase(AppPaths::programFolder(), QStringLiteral("help")); }

QString ContentsPage() { return QDir(HelpFolder()).filePath(QStringLiteral("index.html")); }

QVector<ContextEntry> ReadContextMap() {
    QVector<ContextEntry> entries;
    QFile file(QDir(HelpFolder()).filePath(QStringLiteral("contexts.map")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return entries;
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList parts = line.split(QRegularExpression(QStringLiteral("\\s+")));
        bool ok = false;
        const int context = parts.value(0).toInt(&ok);
        if (!ok || parts.size() < 2) continue;
        ContextEntry entry;
        entry.context = context;
        entry.page = parts.at(1);
        entry.title = parts.mid(2).join(QLatin1Char(' '));
        entries.append(entry);
    }
    return entries;
}

QString PageForContext(int context) {
    for (const ContextEntry& e : ReadContextMap()) {
        if (e.context != context) continue;
        const QString path = QDir(HelpFolder()).filePath(e.page);
        if (QFileInfo::exists(path)) return path;
        break;
    }
    return ContentsPage();
}

void OpenContents() { present(ContentsPage()); }

void OpenContext(int context) { present(PageForContext(context)); }

HelpWindow* CurrentHelpWindow() { return window(); }

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Ajuda do LOBRIX"));
    resize(760, 540);

    auto* contentsButton = new QPushButton(QStringLiteral("&Conteúdo"), this);
    contentsButton->setObjectName(QStringLiteral("btConteudo"));
    auto* backButton = new QPushButton(QStringLiteral("&Voltar"), this);
    backButton->setObjectName(QStringLiteral("btVoltar"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contentsButton);
    buttons->addWidget(backButton);
    buttons->addStretch();

    auto* splitter = new QSplitter(this);
    list_ = new QListWidget(splitter);
    list_->setObjectName(QStringLiteral("lbConteudo"));
    browser_ = new QTextBrowser(splitter);
    browser_->setObjectName(QStringLiteral("tbPagina"));
    browser_->setOpenExternalLinks(true);
    splitter->setStretchFactor(1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);

    connect(contentsButton, &QPushButton::clicked, this, [this] { showPage(ContentsPage()); });
    connect(backButton, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(list_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    fillContents();
}

void HelpWindow::fillContents() {
    list_->clear();
    auto* top = new QListWidgetItem(QStringLiteral("Conteúdo"), list_);
    top->setData(Qt::UserRole, ContentsPage());
    for (const ContextEntry& e : ReadContextMap()) {
        if (e.title.isEmpty()) continue;
        auto* item = new QListWidgetItem(e.title, list_);
        item->setData(Qt::UserRole, QDir(HelpFolder()).filePath(e.page));
    }
}

void HelpWindow::showPage(const QString& path) {
    current_ = path;
    if (!QFileInfo::exists(path)) {
        browser_->setHtml(QStringLiteral("<p>Arquivo de ajuda não encontrado:</p><p>%1</p>").arg(path.toHtmlEscaped()));
        return;
    }
    browser_->setSearchPaths({QFileInfo(path).absolutePath()});
    browser_->setSource(QUrl::fromLocalFile(path));
}

}  // namespace help
