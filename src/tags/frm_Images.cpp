#include "tags/frm_Images.h"

#include "core/shared_state.h"
#include "platform/file_system.h"
#include "platform/rich_text_box.h"
#include "platform/vb_keys.h"
#include "tags/frm_Tags.h"
#include "tags/image_folders.h"
#include "tags/image_picture.h"
#include "tags/image_tag.h"
#include "tags/list_messages.h"
#include "tags/tag_list_files.h"
#include "ui/folder_controls.h"
#include "ui/window_manner.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>

#include <algorithm>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

TESK_DEFINE_FORM(frm_Images, Images)

using namespace image_folders;

namespace {

// How long a file list's selection must rest before its picture is shown:
// arrow keys held down pass over pictures without opening them.
constexpr int kRestMs = 180;

const QString kCannotShow = QStringLiteral("This picture could not be read");

QStringList items(const QComboBox* c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// Leaving a control for a popup, a message box or another program is not
// leaving it for the user's next control.
bool leftForGood(const QEvent* event)
{
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

bool isEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

frm_Images::frm_Images() : ToolWindow(QStringLiteral("Images"))
{
    setObjectName(QStringLiteral("frm_Images"));
    restTimer_ = new QTimer(this);
    restTimer_->setSingleShot(true);
    restTimer_->setInterval(kRestMs);
    refitTimer_ = new QTimer(this);
    refitTimer_->setSingleShot(true);
    refitTimer_->setInterval(kRestMs);
    buildControls();
    connectControls();
    setHints();
}

frm_Images::~frm_Images() = default;

void frm_Images::Form_Load()
{
    joinMainWindow();
    Retrieve_Image_Files();
    Retrieve_Target_Names();
    Show_To_Bar();
    loaded_ = true;
}

// ---- events ---------------------------------------------------------------------------------

bool frm_Images::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn) {
        const QVariant hint = watched->property("hint");
        if (hint.isValid())
            lbl_Focus->setText(hint.toString());
        if (watched == cbo_Page_Anchor)
            QTimer::singleShot(0, cbo_Page_Anchor->lineEdit(), &QLineEdit::selectAll);
        // An access key may land on a control scrolled out of sight.
        if (auto* w = qobject_cast<QWidget*>(watched); w && scr_Images_->widget()->isAncestorOf(w))
            scr_Images_->ensureWidgetVisible(w, 8, 8);
    }

    // A frame's access key goes to the control the user starts with there,
    // not back to whichever control of the frame had the focus last.
    if (type == QEvent::Shortcut) {
        QWidget* to = watched == fra_Attributes
                          ? (cbo_HTML_Pages->isVisible() ? cbo_HTML_Pages : static_cast<QWidget*>(cbo_Page_Anchor))
                          : nullptr;
        for (int p = 0; p < 2; ++p) {
            if (watched == fra_Folders[p])
                to = cbo_Folders[p];
            else if (watched == fra_Files[p])
                to = fil_Image[p];
        }
        if (to) {
            to->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
    }

    // The full-size view: a click or Esc, Enter or Space goes back.
    if (pic_Full_Frame->isVisible() && (watched == pic_Full_Frame || watched == pic_Full_Frame->viewport()
                                        || pic_Full_Frame->widget()->isAncestorOf(qobject_cast<QWidget*>(watched))
                                        || watched == pic_Full_Frame->widget())) {
        if (type == QEvent::MouseButtonRelease) {
            Display_Normal();
            return true;
        }
        if (type == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                Display_Normal();
                return true;
            }
        }
    }
    if (watched == pic_cur_Frame || watched == pic_cur_Image) {
        if (type == QEvent::MouseButtonRelease)
            Display_Normal();
        if (watched == pic_cur_Frame && type == QEvent::Resize && pictureShown_)
            refitTimer_->start();
        return false;
    }

    for (int p = 0; p < 2; ++p) {
        QListWidget* list = fil_Image[p];
        if (watched == list->viewport()) {
            if (type == QEvent::MouseButtonPress) {
                fil_Image[1 - p]->clearSelection();
                fil_Image[1 - p]->setCurrentRow(-1, QItemSelectionModel::Clear);
                if (p == 0)
                    Show_To_Bar();
            } else if (type == QEvent::MouseButtonRelease) {
                QTimer::singleShot(0, this, [this, p] {
                    if (fil_Image[p]->currentRow() < 0)
                        return;
                    restTimer_->stop();
                    Image_Side = p;
                    Image_Selected();
                });
            }
        } else if (watched == list && type == QEvent::KeyPress) {
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && list->currentRow() >= 0) {
                list->currentItem()->setSelected(true);
                restTimer_->stop();
                Image_Side = p;
                Image_Selected();
                return true;
            }
            keyPane_ = p;
            QTimer::singleShot(0, this, [this] { keyPane_ = -1; });
        }
    }

    // Enter presses the focused button (none is a default button).
    if (auto* b = qobject_cast<QPushButton*>(watched); b && isEnter(event)) {
        b->click();
        return true;
    }
    if (watched == cbo_HTML_Pages && isEnter(event)) {
        focusNextChild();
        return true;
    }
    if (watched == cbo_Page_Anchor) {
        if (isEnter(event) || (type == QEvent::FocusOut && leftForGood(event))) {
            New_Page_Anchor();
            Display_Image_Tag();
            return isEnter(event);
        }
    }
    if (watched == cbo_Target) {
        if (isEnter(event)) {
            rtb_Image->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (type == QEvent::FocusOut && leftForGood(event)) {
            Add_Target_Name();
            Display_Image_Tag();
        }
    }
    if (watched == txt_Name || watched == txt_Border) {
        if (isEnter(event) || (type == QEvent::FocusOut && leftForGood(event))) {
            Display_Image_Tag();
            return isEnter(event);
        }
    }
    if (watched == txt_Rename) {
        if (isEnter(event)) {
            fil_Image[1]->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            txt_Rename->clear();
            fil_Image[1]->setFocus(Qt::OtherFocusReason);
            return true;
        }
        if (type == QEvent::FocusOut && leftForGood(event))
            Rename_Image();
    }
    return ToolWindow::eventFilter(watched, event);
}

bool frm_Images::focusNextPrevChild(bool next)
{
    QWidget* from = focusWidget();
    if (next && from == cmd_Close) {
        cbo_Folders[0]->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (!next && from == cbo_Folders[0]) {
        cmd_Close->setFocus(Qt::BacktabFocusReason);
        return true;
    }
    return ToolWindow::focusNextPrevChild(next);
}

void frm_Images::resizeEvent(QResizeEvent* event)
{
    ToolWindow::resizeEvent(event);
    if (pic_Full_Frame->isVisible())
        pic_Full_Frame->setGeometry(rect());
}

QSize frm_Images::neededSizeTwips() const
{
    return Twips_Around(scr_Images_->widget()->minimumSizeHint(),
                        std::max(lbl_Focus->sizeHint().height(), cmd_Close->sizeHint().height()));
}

bool frm_Images::windowKey(int keyCode, int shift)
{
    const bool arrow = keyCode >= vb::Key_Left && keyCode <= vb::Key_Down;
    if (!arrow || (shift != vb::AltMask && shift != (vb::AltMask | vb::ShiftMask)))
        return false;
    int key = keyCode;
    return Move_Split_Keys(key, shift);
}

// The size button and the title bar's maximise: back into the pane from the
// whole area, else out to the whole area.
void frm_Images::maximizeRequested()
{
    SharedState& s = state();
    if (s.Image_Window_Pos < 2)
        s.Image_Window_Pos = s.Source_Window_Pos >= 1 ? 3 : 2;
    else
        s.Image_Window_Pos = 1;
    Arrange_Windows();
}

void frm_Images::closeRequested()
{
    SharedState& s = state();
    s.Tool_Pane_Window = 0;
    s.Image_Window_Pos = 0;
    Arrange_Windows();
}

void frm_Images::frameActivated()
{
    // The folder picker starts in the site's folder.
    state().Selected_Folder = state().Working_Folder;
}

// ---- lists ------------------------------------------------------------------------------------

void frm_Images::Retrieve_HTML_Pages()
{
    const SharedState& s = state();
    const bool site = !s.Working_Folder.isEmpty();
    lbl_HTML_Pages->setVisible(site);
    cbo_HTML_Pages->setVisible(site);
    if (!site)
        return;
    cbo_HTML_Pages->clear();
    cbo_HTML_Pages->addItem(image_tag::None_Item);
    for (const QString& name : fs::listFiles(s.Working_Pages_Folder))
        if (fs::extension(name) == QLatin1String("rtf"))
            cbo_HTML_Pages->addItem(fs::baseName(name));
    cbo_HTML_Pages->setCurrentIndex(0);

    cbo_Page_Anchor->clear();
    cbo_Page_Anchor->addItem(image_tag::None_Item);
    cbo_Page_Anchor->addItems(tag_lists::Read_All(tag_lists::Kind_Path(3, tag_lists::Place::Working)));
    cbo_Page_Anchor->setCurrentIndex(0);
    cbo_Page_Anchor->setEditText(image_tag::None_Item);

    // The page list starts again: no tag until a picture is chosen again.
    Clear_Picture();
}

void frm_Images::Retrieve_Target_Names()
{
    cbo_Target->clear();
    cbo_Target->addItems({image_tag::None_Item, QStringLiteral("_blank"), QStringLiteral("_parent"), QStringLiteral("_top")});
    cbo_Target->addItems(tag_lists::Read_All(tag_lists::Working_Path(tag_lists::Target_File_Name)));
    cbo_Target->setCurrentIndex(0);
}

void frm_Images::Add_Target_Name()
{
    const tag_lists::TargetChoice c = tag_lists::Choose_Target(cbo_Target->currentText(), items(cbo_Target), true);
    switch (c.What) {
    case tag_lists::TargetChoice::Select_First:
        cbo_Target->setCurrentIndex(0);
        break;
    case tag_lists::TargetChoice::Select_Existing:
        cbo_Target->setCurrentIndex(c.Index);
        break;
    case tag_lists::TargetChoice::Add:
        if (const QString path = tag_lists::Working_Path(tag_lists::Target_File_Name); !path.isEmpty())
            if (const fs::Result r = tag_lists::Append_One(path, c.Name); r != fs::Result::Ok)
                Show_List_Not_Saved(path, r);
        cbo_Target->addItem(c.Name);
        cbo_Target->setCurrentIndex(cbo_Target->count() - 1);
        emit targetAdded(c.Name);
        break;
    }
}

void frm_Images::Add_Target_Entry(const QString& name)
{
    if (cbo_Target->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        cbo_Target->addItem(name);
}

void frm_Images::New_Page_Anchor()
{
    const QString name = cbo_Page_Anchor->currentText();
    if (name.isEmpty())
        return;
    const QStringList listed = items(cbo_Page_Anchor);
    if (!tag_lists::Is_New_Anchor(name, listed)) {
        // A listed name typed again counts as choosing it.
        cbo_Page_Anchor->setCurrentIndex(int(listed.indexOf(name)));
        return;
    }
    cbo_Page_Anchor->addItem(name);
    if (const QString path = tag_lists::Kind_Path(3, tag_lists::Place::Working); !path.isEmpty())
        if (const fs::Result r = tag_lists::Append_One(path, name); r != fs::Result::Ok)
            Show_List_Not_Saved(path, r);
    emit anchorAdded(name);
    cbo_Page_Anchor->setCurrentIndex(cbo_Page_Anchor->count() - 1);
}

// ---- the current picture and its tag ---------------------------------------------------------

QSize frm_Images::Frame_Box() const
{
    return pic_cur_Frame->contentsRect().size() - QSize(2 * kPictureFrame, 2 * kPictureFrame);
}

void frm_Images::Image_Selected()
{
    const int pane = Image_Side;
    QListWidgetItem* item = fil_Image[pane]->currentItem();
    if (!item || shownFolder_[pane].isEmpty())
        return;
    const QString path = Target_Path(shownFolder_[pane], item->text());
    if (!fs::fileExists(path)) {
        // Gone since the list was read.
        Show_Files(pane, shownFolder_[pane]);
        return;
    }
    Image_Name = item->text();
    Image_Path = path;
    pictureSide_ = pane;
    // One list shows the current picture, however it was chosen.
    fil_Image[1 - pane]->clearSelection();
    txt_Name->clear();
    lbl_Image_Name->setText(Image_Name);
    lbl_cur_File_Size->setText(image_tag::File_Size_Text(fs::size(path)));
    Show_Picture();
    Display_Image_Tag();
    Show_To_Bar();
    Copy_Button_On();
}

void frm_Images::Show_Picture()
{
    const QSize box = Frame_Box();
    decodedFor_ = box;
    const image_picture::Picture_Info info = image_picture::Inspect(Image_Path);
    // Decode only the pixels the frame shows, at the screen's own density.
    const qreal dpr = devicePixelRatioF();
    QImage image;
    QSize shown;
    if (info.Readable) {
        shown = image_picture::Fit(info.Size, box);
        image = image_picture::Decode(Image_Path, shown == info.Size ? QSize() : (QSizeF(shown) * dpr).toSize());
    }
    pictureShown_ = !image.isNull();
    if (!pictureShown_) {
        pictureSize_ = QSize();
        Too_Large = false;
        pic_cur_Image->setPixmap(QPixmap());
        pic_cur_Image->setText(kCannotShow);
        pic_cur_Image->setGeometry(QRect(pic_cur_Frame->contentsRect().topLeft(),
                                         pic_cur_Image->sizeHint().boundedTo(pic_cur_Frame->contentsRect().size())));
        pic_cur_Image->show();
        lbl_cur_Size->clear();
        // The tag built for the previous picture would describe another
        // one; a tag the user wrote or changed by hand is theirs to keep.
        if (rtb_Image->Text() == builtTag_)
            rtb_Image->setText(QString());
        tb_Full_Size->hide();
        cmd_Clipboard->setEnabled(false);
        return;
    }
    pictureSize_ = info.Size;
    QPixmap pm = QPixmap::fromImage(image);
    if (shown != info.Size)
        pm.setDevicePixelRatio(qreal(image.width()) / shown.width());
    pic_cur_Image->setText(QString());
    pic_cur_Image->setPixmap(pm);
    pic_cur_Image->setGeometry(QRect(pic_cur_Frame->contentsRect().topLeft(),
                                     shown + QSize(2 * kPictureFrame, 2 * kPictureFrame)));
    pic_cur_Image->show();
    lbl_cur_Size->setText(image_tag::Size_Text(info.Size.width(), info.Size.height()));
    Too_Large = !pic_Full_Frame->isVisible() && shown != info.Size;
    tb_Full_Size->setVisible(Too_Large);
    cmd_Clipboard->setEnabled(true);
}

void frm_Images::Clear_Picture()
{
    Image_Path.clear();
    Image_Name.clear();
    pictureSide_ = -1;
    pictureShown_ = false;
    pictureSize_ = QSize();
    Too_Large = false;
    pic_cur_Image->setPixmap(QPixmap());
    pic_cur_Image->setText(QString());
    pic_cur_Image->hide();
    lbl_Image_Name->clear();
    lbl_cur_Size->clear();
    lbl_cur_File_Size->clear();
    tb_Full_Size->hide();
    if (pic_Full_Frame->isVisible())
        Display_Normal();
    Copy_Button_On();
}

void frm_Images::Display_Image_Tag()
{
    if (Image_Path.isEmpty() || !pictureShown_)
        return;
    const SharedState& s = state();
    image_tag::Attributes a;
    a.Image_Name = Image_Name;
    a.Width = pictureSize_.width();
    a.Height = pictureSize_.height();
    a.Alt = txt_Name->text();
    a.Border = txt_Border->text();
    if (!s.Working_Folder.isEmpty())
        a.Page = image_tag::Chosen(cbo_HTML_Pages->currentIndex(), cbo_HTML_Pages->currentText());
    a.Anchor = image_tag::Chosen(cbo_Page_Anchor->currentIndex(), cbo_Page_Anchor->currentText());
    a.Target = image_tag::Chosen(cbo_Target->currentIndex(), cbo_Target->currentText());
    a.Use_XHTML = s.Use_XHTML;
    a.Modern = s.More.Modern_Markup;
    a.Quote = s.Quote;
    rtb_Image->setText(image_tag::Image_Tag(a));
    builtTag_ = rtb_Image->Text();
}

void frm_Images::Add_to_List()
{
    if (!Working_Folder_Or_Tell())
        return;
    const QString text = rtb_Image->Text();
    if (const QString path = tag_lists::Kind_Path(1, tag_lists::Place::Working); !path.isEmpty())
        if (const fs::Result r = tag_lists::Append_One(path, text); r != fs::Result::Ok)
            Show_List_Not_Saved(path, r);
    // Each line of the box is a line of the file, and an entry of the bar.
    for (const QString& line : fs::splitLines(text))
        if (tag_lists::Is_Toolbar_Entry(line))
            emit imageTagAdded(line);
    cmd_View->setFocus(Qt::OtherFocusReason);
}

void frm_Images::View_List()
{
    frm_Tags::Show_Tags(1);
}

void frm_Images::Copy_to_Clipboard()
{
    if (Image_Path.isEmpty())
        return;
    const QImage image = image_picture::Decode(Image_Path);
    if (image.isNull())
        return;
    QClipboard* clip = QApplication::clipboard();
    clip->clear();
    clip->setImage(image);
}

void frm_Images::Display_Full_Size()
{
    if (Image_Path.isEmpty())
        return;
    const QImage image = image_picture::Decode(Image_Path);
    if (image.isNull())
        return;
    pic_Full_Image->setPixmap(QPixmap::fromImage(image));
    pic_Full_Frame->setGeometry(rect());
    pic_Full_Frame->raise();
    pic_Full_Frame->show();
    pic_Full_Frame->setFocus(Qt::OtherFocusReason);
    tb_Full_Size->hide();
}

void frm_Images::Display_Normal()
{
    if (Image_Path.isEmpty() && !pic_Full_Frame->isVisible())
        return;
    const bool wasFull = pic_Full_Frame->isVisible();
    tb_Full_Size->setVisible(Too_Large);
    // The focus goes back first, so that hiding the view hands it nowhere else.
    if (wasFull)
        (Too_Large ? static_cast<QWidget*>(cmd_Full_Size) : fil_Image[std::max(pictureSide_, 0)])->setFocus(Qt::OtherFocusReason);
    pic_Full_Frame->hide();
    // The whole picture is not kept once it is out of sight.
    pic_Full_Image->setPixmap(QPixmap());
}
