#pragma once
// Every modal message and common dialog of the program goes through here.
// The program shows real Qt dialogs; tests install handlers that answer them,
// so no test ever waits on a modal window.

#include <QColor>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QFileDialog;
class QPrinter;
class QWidget;

namespace dialogs {

// The program's own title, used by messages that carry no title of their own.
QString applicationTitle();

enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Cancel, Yes, No, Retry };

struct Message {
    QString text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    QString title;  // already resolved: never empty
    // The button Enter presses. Unset: the first one (Ok, Yes or Retry). A
    // question whose Yes replaces or deletes a file passes No.
    std::optional<Answer> defaultButton;
};

// Shows a message box and returns the button chosen. An empty title means the
// application's title. Closing the box with Esc gives Cancel or No.
// defaultButton, one of the box's buttons, is the one Enter presses (a
// question whose careless answer would lose a file defaults to the safe one).
Answer message(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
               const QString& title = QString(), std::optional<Answer> defaultButton = std::nullopt);

// The open and save dialogs. The filter is written as the program's settings
// store it: pairs of description and pattern list, each item followed by '|'
// ("HTML (*.html;*.htm)|*.html;*.htm|").
struct FileRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString title;
    QString folder;        // initial folder
    QString filter;
    int filterIndex = 1;   // 1-based, as the settings describe it
    QString fileName;      // initial name
    bool mustExist = true;
    bool confirmOverwrite = false;
};
struct FileResult {
    QString path;    // "" when cancelled
    QString folder;  // the folder the dialog ended in
};
FileResult fileDialog(const FileRequest& request);

// Converts the pipe-separated filter into Qt's ";;" form: each description
// followed by its pattern list, space-separated in parentheses (patterns
// already written into the description give way to the list).
QString qtFilter(const QString& pipeFilter);
// Puts the request into a file dialog: title, folder, filters with the
// chosen one selected, mode and file name. fileDialog runs the dialog.
void setUpFileDialog(QFileDialog& dlg, const FileRequest& request);

std::optional<QColor> colorDialog(const QColor& initial, const QString& title = QString());

// Printer setup (the printer and its paper, no printing); true when the
// user confirmed. The print dialog is shown with copies, the output file
// and the page range disabled.
bool printerSetup(QPrinter& printer, const QString& title = QString());
// That dialog, built but not yet shown.
std::unique_ptr<QDialog> printerSetupDialog(QPrinter& printer, const QString& title = QString());
// The whole print dialog, for a print that takes its copies, output file
// and page range from it (the browser's page); true when the user confirmed.
bool printDialog(QPrinter& printer, const QString& title = QString());

// Runs one of the program's own modal windows and returns its result code.
int exec(QDialog& dialog);

// Work that may run for more than a second reports through one of these:
// a bar with Cancel (Esc cancels too), shown only once the work has gone on
// for a moment, so that quick runs show nothing. While it runs the windows
// keep repainting, but take no input.
class Progress {
public:
    virtual ~Progress() = default;
    // done of the total so far; false once the user has cancelled (the
    // work then stops and leaves things as they were).
    virtual bool step(qint64 done) = 0;
};
struct ProgressRequest {
    QString text;
    QString title;  // already resolved: never empty
    qint64 total = 0;
};
std::unique_ptr<Progress> progress(const QString& text, qint64 total, const QString& title = QString());

// ---- test seam -----------------------------------------------------------
using MessageHandler = std::function<Answer(const Message&)>;
using FileHandler = std::function<FileResult(const FileRequest&)>;
using ColorHandler = std::function<std::optional<QColor>(const QColor&)>;
using PrinterHandler = std::function<bool(QPrinter&)>;
using ModalHandler = std::function<int(QDialog&)>;
using ProgressHandler = std::function<std::unique_ptr<Progress>(const ProgressRequest&)>;

struct Handlers {
    MessageHandler message;
    FileHandler file;
    ColorHandler color;
    PrinterHandler printer;
    ModalHandler modal;
    ProgressHandler progress;
};

// Replaces the handlers; an empty handler means the real dialog. Returns the
// handlers that were in place, so a scope can put them back.
Handlers setHandlers(Handlers handlers);
Handlers handlers();

// The parent of the dialogs (the main window once it exists).
void setParentWindow(QWidget* parent);
QWidget* parentWindow();

} // namespace dialogs
