#include "sitekit/external_links.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace sitekit {

ExternalCheck::ExternalCheck(QObject* parent) : QObject(parent), net_(new QNetworkAccessManager(this)) {}

ExternalCheck::~ExternalCheck() = default;

void ExternalCheck::start(const QStringList& addresses)
{
    todo_.clear();
    for (const QString& a : addresses)
        if (!todo_.contains(a) && !a.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
            todo_ << a;
    total_ = int(todo_.size());
    done_ = busy_ = 0;
    cancelled_ = false;
    emit progress(0, total_);
    if (todo_.isEmpty()) {
        emit finished();
        return;
    }
    next();
}

bool ExternalCheck::running() const { return busy_ > 0 || !todo_.isEmpty(); }

void ExternalCheck::cancel()
{
    cancelled_ = true;
    todo_.clear();
    for (QNetworkReply* r : findChildren<QNetworkReply*>())
        r->abort();
}

void ExternalCheck::next()
{
    while (!cancelled_ && busy_ < kAtOnce && !todo_.isEmpty())
        ask(todo_.takeFirst(), false);
    if (busy_ == 0 && todo_.isEmpty())
        emit finished();
}

void ExternalCheck::ask(const QString& address, bool get)
{
    QUrl url(address.startsWith(QLatin1String("//")) ? QStringLiteral("https:") + address : address);
    QNetworkRequest request(url);
    request.setTransferTimeout(kTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    ++busy_;
    QNetworkReply* reply = get ? net_->get(request) : net_->head(request);
    reply->setParent(this);
    connect(reply, &QNetworkReply::finished, this, [this, reply, address, get] { answered(reply, address, get); });
}

void ExternalCheck::answered(QNetworkReply* reply, const QString& address, bool get)
{
    reply->deleteLater();
    --busy_;
    if (cancelled_) {
        if (busy_ == 0)
            emit finished();
        return;
    }
    const int code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // Some servers refuse HEAD (405, 501, or 403 for anything but GET).
    if (!get && (code == 405 || code == 501 || code == 403 || code == 400)) {
        ask(address, true);
        return;
    }
    QString status;
    bool ok = false;
    if (code > 0) {
        ok = code < 400;
        status = QStringLiteral("%1 %2").arg(code).arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    } else if (reply->error() == QNetworkReply::OperationCanceledError) {
        status = QStringLiteral("timed out");
    } else {
        status = QStringLiteral("no answer: ") + reply->errorString();
    }
    emit checked(address, ok, status.trimmed());
    emit progress(++done_, total_);
    next();
}

} // namespace sitekit
