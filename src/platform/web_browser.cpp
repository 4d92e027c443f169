#include "platform/web_browser.h"

#include "platform/dialogs.h"
#include "platform/file_system.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStackedLayout>
#include <QUrl>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <memory>
#include <optional>

#include <unistd.h>

namespace {

// One profile for every browser of the program: nothing is kept on disk, and
// the cache lives in memory only.
QWebEngineProfile* sharedProfile()
{
    static QPointer<QWebEngineProfile> profile;
    if (!profile) {
        profile = new QWebEngineProfile(qApp);
        profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    }
    return profile;
}

// A page that opens the pages meant for a new window (links with a target,
// window.open) in itself: the control is the site's preview, with no other
// window to show them in, and the user follows every link of the site there.
class OwnWindowPage : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;

protected:
    QWebEnginePage* createWindow(WebWindowType) override { return this; }
};

} // namespace

void WebBrowser::allowEngineToStart()
{
#ifdef Q_OS_UNIX
    // The engine's sandbox refuses to run for root; without this the page
    // process would not start at all and the preview would stay blank.
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
}

QString WebBrowser::addressOf(const QString& pathOrAddress)
{
    const QString s = pathOrAddress.trimmed();
    if (s.isEmpty())
        return QStringLiteral("about:blank");
    // A full path (also "C:\..." style on Windows) is a local file.
    if (QDir::isAbsolutePath(s) && !s.contains(QLatin1String("://")))
        return QUrl::fromLocalFile(QDir::fromNativeSeparators(s)).toString();
    const QUrl url = QUrl::fromUserInput(s);
    return url.isValid() ? url.toString() : s;
}

WebBrowser::WebBrowser(QWidget* parent) : QWidget(parent)
{
    allowEngineToStart();
    stack_ = new QStackedLayout(this);
    stack_->setContentsMargins(0, 0, 0, 0);
    view_ = new QWebEngineView(this);
    view_->setPage(new OwnWindowPage(sharedProfile(), view_));
    failure_ = new QLabel(this);
    failure_->setAlignment(Qt::AlignCenter);
    failure_->setWordWrap(true);
    failure_->setAutoFillBackground(true);
    failure_->setMargin(12);
    stack_->addWidget(view_);
    stack_->addWidget(failure_);
    stack_->setCurrentWidget(view_);
    setFocusProxy(view_);

    QWebEnginePage* p = view_->page();
    connect(p, &QWebEnginePage::linkHovered, this, &WebBrowser::StatusTextChange);
    connect(p, &QWebEnginePage::loadStarted, this, [this] {
        loading_ = true;
        showPage();
    });
    connect(p, &QWebEnginePage::urlChanged, this,
            [this](const QUrl& url) { emit NavigateComplete(url.toString()); });
    connect(p, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        // A load cancelled by the navigation ends too, under its own address.
        switch (info.status()) {
        case QWebEngineLoadingInfo::LoadSucceededStatus:
            navigating_.clear();
            break;
        case QWebEngineLoadingInfo::LoadFailedStatus:
        case QWebEngineLoadingInfo::LoadStoppedStatus:
            if (info.url() == navigating_)
                navigating_.clear();
            break;
        default:
            break;
        }
    });
    connect(p, &QWebEnginePage::loadFinished, this, [this](bool) {
        loading_ = false;
        emit DocumentComplete();
    });
    connect(p, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status, int code) {
                if (status == QWebEnginePage::NormalTerminationStatus)
                    return;
                loading_ = false;
                navigating_.clear();
                showFailure(tr("This page cannot be shown: the web browser component stopped "
                               "(exit code %1). Navigate again to retry.")
                                .arg(code));
                emit DocumentComplete();
            });
    connect(qApp, &QApplication::focusChanged, this, &WebBrowser::focusMoved);
}

WebBrowser::~WebBrowser()
{
    // The focus leaves the page while the widget parts are taken down, after
    // this part of the object is gone: no word of it may reach focusMoved.
    disconnect(qApp, &QApplication::focusChanged, this, &WebBrowser::focusMoved);
    delete printer_;
}

void WebBrowser::showFailure(const QString& text)
{
    failure_->setText(text);
    stack_->setCurrentWidget(failure_);
}

void WebBrowser::showPage()
{
    if (stack_->currentWidget() != view_)
        stack_->setCurrentWidget(view_);
}

bool WebBrowser::showingFailure() const { return stack_->currentWidget() == failure_; }

QString WebBrowser::failureText() const { return showingFailure() ? failure_->text() : QString(); }

QWebEngineView* WebBrowser::view() const { return view_; }

QWebEnginePage* WebBrowser::page() const { return view_->page(); }

void WebBrowser::navigate(const QString& address, int flags)
{
    const QUrl url(addressOf(address));
    showPage();
    loading_ = true;
    navigating_ = url;
    if ((flags & NoReadFromCache) && url == view_->url()) {
        // The same page again: read it afresh, bypassing every cache, and
        // keep its history entry.
        view_->page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
        return;
    }
    view_->load(url);
}

bool WebBrowser::back()
{
    if (!view_->history()->canGoBack())
        return false;
    showPage();
    view_->back();
    return true;
}

bool WebBrowser::forward()
{
    if (!view_->history()->canGoForward())
        return false;
    showPage();
    view_->forward();
    return true;
}

void WebBrowser::home() { navigate(home_, Fresh); }

void WebBrowser::setHomePage(const QString& pathOrAddress) { home_ = pathOrAddress; }

QString WebBrowser::homePage() const { return home_; }

void WebBrowser::refresh()
{
    if (view_->url().isEmpty() || !navigating_.isEmpty())
        return;
    showPage();
    loading_ = true;
    view_->page()->triggerAction(QWebEnginePage::ReloadAndBypassCache);
}

void WebBrowser::stop()
{
    view_->stop();
    loading_ = false;
    navigating_.clear();
}

bool WebBrowser::busy() const { return loading_; }

QString WebBrowser::locationAddress() const
{
    const QUrl url = view_->url();
    return url.isEmpty() ? QString() : url.toString();
}

QString WebBrowser::locationName() const
{
    const QUrl url = view_->url();
    if (url.isEmpty())
        return QString();
    if (url.isLocalFile()) {
        QString name = QFileInfo(url.toLocalFile()).fileName();
        if (url.hasFragment())
            name += QLatin1Char('#') + url.fragment();
        return name;
    }
    const QString title = view_->title();
    // The engine gives the address as the title while a page has none.
    return title.isEmpty() ? url.toString() : title;
}

bool WebBrowser::execute(int command, int)
{
    QWebEnginePage* p = view_->page();
    switch (command) {
    case Copy:
        p->triggerAction(QWebEnginePage::Copy);
        return true;
    case SelectAll:
        p->triggerAction(QWebEnginePage::SelectAll);
        return true;
    case ClearSelection:
        p->triggerAction(QWebEnginePage::Unselect);
        return true;
    case PageSetup: {
        if (!printer_)
            printer_ = new QPrinter(QPrinter::HighResolution);
        QPageSetupDialog dlg(printer_, this);
        return dialogs::exec(dlg) == QDialog::Accepted;
    }
    case Print: {
        if (!printer_)
            printer_ = new QPrinter(QPrinter::HighResolution);
        if (!dialogs::printDialog(*printer_))
            return false;
        view_->print(printer_);
        return true;
    }
    case SaveAs: {
        const QUrl url = view_->url();
        if (url.isEmpty())
            return false;
        dialogs::FileRequest req;
        req.kind = dialogs::FileRequest::Kind::Save;
        req.title = tr("Save Web Page");
        req.filter = QStringLiteral("Web Page (*.htm;*.html)|*.htm;*.html|All Files (*.*)|*.*|");
        req.fileName = url.isLocalFile() ? QFileInfo(url.toLocalFile()).fileName()
                                         : QStringLiteral("page.htm");
        req.mustExist = false;
        req.confirmOverwrite = true;
        const dialogs::FileResult res = dialogs::fileDialog(req);
        if (res.path.isEmpty())
            return false;
        fs::Result r;
        if (url.isLocalFile()) {
            // The file as it is on disk, not the page as the engine rebuilt it.
            r = fs::copyFile(url.toLocalFile(), res.path, true);
        } else {
            // The engine hands the page over asynchronously.
            auto html = std::make_shared<std::optional<QString>>();
            p->toHtml([html](const QString& h) { *html = h; });
            QElapsedTimer waited;
            waited.start();
            while (!html->has_value() && waited.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            r = html->has_value() ? fs::writeText(res.path, **html) : fs::Result::IoError;
        }
        if (r != fs::Result::Ok) {
            dialogs::message(tr("The page could not be saved: %1.").arg(fs::describe(r)),
                             dialogs::Buttons::Ok, dialogs::Icon::Exclamation);
            return false;
        }
        return true;
    }
    default:
        return false;
    }
}

void WebBrowser::focusMoved(QWidget*, QWidget* now)
{
    const bool inside = now && (now == this || isAncestorOf(now));
    if (inside == hasFocus_)
        return;
    hasFocus_ = inside;
    if (inside)
        emit GotFocus();
    else
        emit LostFocus();
}
