#include "platform/dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>

namespace dialogs {

namespace {
Handlers& current()
{
    static Handlers h;
    return h;
}
QPointer<QWidget>& parentRef()
{
    static QPointer<QWidget> p;
    return p;
}
// The real bar. It is made only when the work has run for a while, and the
// events are let through a few times a second, not at every step: a step
// may come every few thousand characters.
class ProgressWindow : public Progress {
public:
    explicit ProgressWindow(ProgressRequest r) : request_(std::move(r)) { clock_.start(); }

    bool step(qint64 done) override
    {
        const qint64 now = clock_.elapsed();
        if (now - lastEvents_ < kEventsEveryMs)
            return !cancelled();
        lastEvents_ = now;
        if (!window_ && now >= kShowAfterMs) {
            window_ = std::make_unique<QProgressDialog>(request_.text, QStringLiteral("Cancel"), 0, kSteps,
                                                        parentWindow());
            window_->setWindowTitle(request_.title);
            window_->setWindowModality(Qt::ApplicationModal);
            window_->setMinimumDuration(0);
            window_->setAutoClose(false);
            window_->setAutoReset(false);
            window_->show();
        }
        if (window_) {
            const int value = request_.total > 0 ? int(std::clamp(done, qint64(0), request_.total) * kSteps
                                                       / request_.total)
                                                 : 0;
            window_->setValue(value);
        }
        QCoreApplication::processEvents();
        return !cancelled();
    }

private:
    static constexpr int kSteps = 1000;
    static constexpr qint64 kShowAfterMs = 400;
    static constexpr qint64 kEventsEveryMs = 50;

    bool cancelled() const { return window_ && window_->wasCanceled(); }

    ProgressRequest request_;
    QElapsedTimer clock_;
    qint64 lastEvents_ = 0;
    std::unique_ptr<QProgressDialog> window_;
};

} // namespace

QString applicationTitle() { return QStringLiteral("Tesk Web Editor"); }

Handlers setHandlers(Handlers handlers)
{
    Handlers old = current();
    current() = std::move(handlers);
    return old;
}

Handlers handlers() { return current(); }

void setParentWindow(QWidget* parent) { parentRef() = parent; }
QWidget* parentWindow() { return parentRef().data(); }

Answer message(const QString& text, Buttons buttons, Icon icon, const QString& title,
               std::optional<Answer> defaultButton)
{
    Message m{text, buttons, icon, title.isEmpty() ? applicationTitle() : title, defaultButton};
    if (current().message)
        return current().message(m);

    QMessageBox box(parentWindow());
    // A message is a dialog: its caption and a close button only.
    box.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                       | Qt::WindowCloseButtonHint);
    box.setWindowTitle(m.title);
    box.setText(m.text);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case Buttons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    if (defaultButton) {
        static const std::pair<Answer, QMessageBox::StandardButton> standard[] = {
            {Answer::Ok, QMessageBox::Ok}, {Answer::Cancel, QMessageBox::Cancel}, {Answer::Yes, QMessageBox::Yes},
            {Answer::No, QMessageBox::No}, {Answer::Retry, QMessageBox::Retry}};
        for (const auto& [answer, button] : standard)
            if (answer == *defaultButton && box.button(button))
                box.setDefaultButton(button);
    }
    // Wide enough for its whole title (the window manager cuts a title
    // wider than the window), with room for the title bar's buttons; after
    // the icon and buttons, which lay the box out anew.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        QFont titleFont = box.font();
        titleFont.setBold(true);
        // Title bar fonts run wider than the dialog's; the icon and three
        // buttons take about eight line heights.
        const QFontMetrics title(titleFont);
        const int titleWidth = title.horizontalAdvance(m.title) * 5 / 4 + 8 * title.height();
        grid->addItem(new QSpacerItem(titleWidth, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    // The box stands over the main window; answered, the keys go back to
    // the window that asked (a dialog of its own beside the main window),
    // not to the main window's editor.
    const QPointer<QWidget> asking = QApplication::activeWindow();
    const int pressed = box.exec();
    if (asking && asking->isVisible())
        asking->activateWindow();
    switch (pressed) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    default: return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

QString qtFilter(const QString& pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    // Patterns written into the description, as in "HTML (*.html;*.htm)":
    // Qt would read them as the filter itself, and ";" is no separator to it.
    static const QRegularExpression written(QStringLiteral("\\s*\\(([^()]*[*?][^()]*)\\)\\s*$"));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        if (description.isEmpty())
            continue;
        // Qt wants its globs separated by spaces; "*.*" means every file, as
        // it does on Windows, also for names without an extension.
        QStringList globs = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& glob : globs) {
            glob = glob.trimmed();
            if (glob == QLatin1String("*.*"))
                glob = QStringLiteral("*");
        }
        globs.removeAll(QString());
        if (globs.isEmpty())
            globs << QStringLiteral("*");
        description.remove(written);
        out << description.trimmed() + QLatin1String(" (") + globs.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out.join(QLatin1String(";;"));
}

void setUpFileDialog(QFileDialog& dlg, const FileRequest& request)
{
    dlg.setWindowTitle(request.title);
    if (!request.folder.isEmpty())
        dlg.setDirectory(request.folder);
    const QString filters = qtFilter(request.filter);
    if (!filters.isEmpty()) {
        dlg.setNameFilter(filters);
        const QStringList list = filters.split(QLatin1String(";;"));
        const int i = request.filterIndex - 1;
        if (i >= 0 && i < list.size())
            dlg.selectNameFilter(list[i]);
    }
    if (request.kind == FileRequest::Kind::Open) {
        dlg.setAcceptMode(QFileDialog::AcceptOpen);
        dlg.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    } else {
        dlg.setAcceptMode(QFileDialog::AcceptSave);
        dlg.setFileMode(QFileDialog::AnyFile);
        dlg.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    }
    if (!request.fileName.isEmpty())
        dlg.selectFile(request.fileName);
}

FileResult fileDialog(const FileRequest& request)
{
    if (current().file)
        return current().file(request);

    QFileDialog dlg(parentWindow());
    dlg.setOption(QFileDialog::DontUseNativeDialog, false);
    setUpFileDialog(dlg, request);
    FileResult result;
    if (dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty())
        result.path = dlg.selectedFiles().constFirst();
    result.folder = dlg.directory().absolutePath();
    return result;
}

std::optional<QColor> colorDialog(const QColor& initial, const QString& title)
{
    if (current().color)
        return current().color(initial);
    const QColor c = QColorDialog::getColor(initial, parentWindow(), title);
    if (!c.isValid())
        return std::nullopt;
    return c;
}

namespace {

// The names Qt's print dialog gives the controls that setting up disables.
QStringList printingChoices()
{
    return {QStringLiteral("copies"),      QStringLiteral("collate"),      QStringLiteral("reverse"),
            QStringLiteral("gbPrintRange"), QStringLiteral("pagesLineEdit"), QStringLiteral("filename"),
            QStringLiteral("fileBrowser")};
}

// The print dialog used to choose the printer and its paper. Copies, an
// output file and a page range belong to printing, which asks for them
// itself (Print Plus, and the PDF file's name when there is no printer):
// here they would be chosen and then ignored, so they are disabled. Qt
// enables them again whenever the dialog is shown or another printer is
// chosen, so they are disabled after each time.
class PrinterSetupDialog : public QPrintDialog {
public:
    PrinterSetupDialog(QPrinter* printer, QWidget* parent) : QPrintDialog(printer, parent)
    {
        setOption(QAbstractPrintDialog::PrintPageRange, false);
        setOption(QAbstractPrintDialog::PrintSelection, false);
        setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        setOption(QAbstractPrintDialog::PrintCollateCopies, false);
        for (QComboBox* printers : findChildren<QComboBox*>(QStringLiteral("printers")))
            connect(printers, &QComboBox::currentIndexChanged, this, [this] { lockPrintingChoices(); });
        lockPrintingChoices();
    }
    void setVisible(bool visible) override
    {
        QPrintDialog::setVisible(visible);
        if (visible)
            lockPrintingChoices();
    }

private:
    void lockPrintingChoices()
    {
        for (const QString& name : printingChoices())
            for (QWidget* w : findChildren<QWidget*>(name))
                w->setEnabled(false);
    }
};

} // namespace

std::unique_ptr<QDialog> printerSetupDialog(QPrinter& printer, const QString& title)
{
    auto dlg = std::make_unique<PrinterSetupDialog>(&printer, parentWindow());
    if (!title.isEmpty())
        dlg->setWindowTitle(title);
    // Setting up chooses; it prints nothing.
    if (auto* box = dlg->findChild<QDialogButtonBox*>())
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    return dlg;
}

bool printerSetup(QPrinter& printer, const QString& title)
{
    if (current().printer)
        return current().printer(printer);
    const std::unique_ptr<QDialog> dlg = printerSetupDialog(printer, title);
    return dlg->exec() == QDialog::Accepted;
}

bool printDialog(QPrinter& printer, const QString& title)
{
    if (current().printer)
        return current().printer(printer);
    QPrintDialog dlg(&printer, parentWindow());
    if (!title.isEmpty())
        dlg.setWindowTitle(title);
    return dlg.exec() == QDialog::Accepted;
}

std::unique_ptr<Progress> progress(const QString& text, qint64 total, const QString& title)
{
    ProgressRequest r{text, title.isEmpty() ? applicationTitle() : title, total};
    if (current().progress)
        return current().progress(r);
    return std::make_unique<ProgressWindow>(std::move(r));
}

int exec(QDialog& dialog)
{
    if (current().modal)
        return current().modal(dialog);
    return dialog.exec();
}

} // namespace dialogs
