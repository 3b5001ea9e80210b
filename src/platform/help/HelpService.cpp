#include "HelpService.h"

#include "platform/AppPaths.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextStream>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

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

constexpr QSize kPreferredSize{760, 540};
// Room for the window manager's title bar and borders before the first show.
constexpr QMargins kAssumedFrame{4, 28, 4, 4};
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
        bool ok = parts.value(0) == QLatin1String("-");  // a page of the contents only
        const int context = ok ? 0 : parts.value(0).toInt(&ok);
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
    if (context == 0) return ContentsPage();
    for (const ContextEntry& e : ReadContextMap()) {
        if (e.context != context) continue;
        const QString path = QDir(HelpFolder()).filePath(e.page);
        if (QFileInfo::exists(path)) return path;
        break;
    }
    return QString();
}

void OpenContents() {
    HelpWindow* w = ensureWindow();
    w->showPage(ContentsPage());
    w->bringForward();
}

void OpenContext(int context) {
    HelpWindow* w = ensureWindow();
    const QString page = PageForContext(context);
    if (page.isEmpty()) w->showMissingContext(context);
    else w->showPage(page);
    w->bringForward();
}

QRect HelpWindowGeometry(const QRect& available, const QRect& asking, const QSize& preferred, const QMargins& frame) {
    const QSize room = available.marginsRemoved(frame).size();
    const QSize size = preferred.boundedTo(room);
    const int outerWidth = size.width() + frame.left() + frame.right();
    const int outerHeight = size.height() + frame.top() + frame.bottom();
    int x = available.right() + 1 - outerWidth;  // at the right of the screen
    if (asking.isValid()) {
        if (asking.right() + outerWidth <= available.right()) x = asking.right() + 1;
        else if (asking.left() - outerWidth >= available.left()) x = asking.left() - outerWidth;
    }
    int y = asking.isValid() ? asking.top() : available.top();
    x = std::clamp(x, available.left(), available.right() + 1 - outerWidth);
    y = std::clamp(y, available.top(), available.bottom() + 1 - outerHeight);
    return QRect(QPoint(x + frame.left(), y + frame.top()), size);
}

HelpWindow* CurrentHelpWindow() { return window(); }

// A dialog-type window, so that the window manager keeps it above its owner
// (the modal form that is open, or the program's other windows).
HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Ajuda do LOBRIX"));
    resize(kPreferredSize);

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

bool HelpWindow::event(QEvent* event) {
    // A modal form opened after the help blocks it: the help moves beside
    // that form, as a help that belongs to no window stays usable.
    if (event->type() == QEvent::WindowBlocked)
        QTimer::singleShot(0, this, [this] { standBesideModalForm(); });
    return QWidget::event(event);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == owner_ && event->type() == QEvent::Hide)
        QTimer::singleShot(0, this, [this] { standBesideModalForm(); });
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::standBesideModalForm() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == this || !windowHandle()) return;
    if (modal && !modal->windowHandle()) modal->winId();
    // A window that is transient for the modal one is neither blocked by it
    // nor hidden behind it.
    QWindow* owner = modal ? modal->windowHandle() : nullptr;
    if (windowHandle()->transientParent() == owner) return;
    // When that form goes, the help goes on beside the next one, or alone.
    if (owner_) owner_->removeEventFilter(this);
    owner_ = modal;
    if (modal) modal->installEventFilter(this);
    windowHandle()->setTransientParent(owner);
    // The window manager reads the owner when the window is mapped: an open
    // help is shown again, where it was.
    if (isVisible()) {
        const QRect where = geometry();
        hide();
        setGeometry(where);
        show();
    }
}

void HelpWindow::placeOnScreen() {
    QWidget* asking = QApplication::activeModalWidget();
    if (!asking) asking = QApplication::activeWindow();
    if (asking == this) asking = nullptr;
    QScreen* screen = asking && asking->screen() ? asking->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect geometry = HelpWindowGeometry(screen->availableGeometry(), asking ? asking->frameGeometry() : QRect(),
                                              kPreferredSize, kAssumedFrame);
    resize(geometry.size());
    move(geometry.topLeft() - QPoint(kAssumedFrame.left(), kAssumedFrame.top()));
}

void HelpWindow::bringForward() {
    if (!isVisible()) {
        fillContents();  // the pages as they are now
        placeOnScreen();
    }
    winId();  // the window handle the modal form's ownership needs
    standBesideModalForm();
    show();
    raise();
    activateWindow();
}

void HelpWindow::showMissingContext(int context) {
    current_.clear();
    browser_->setSearchPaths({HelpFolder()});
    browser_->setHtml(QStringLiteral("<h1>Tópico não encontrado</h1>"
                                     "<p>A ajuda do programa não tem um tópico para este assunto (contexto %1).</p>"
                                     "<p>Veja o <a href=\"index.html\">Conteúdo</a> da ajuda.</p>")
                          .arg(context));
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
