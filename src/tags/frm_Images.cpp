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
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

TESK_DEFINE_FORM(frm_Images, Images)

using namespace image_folders;

namespace {

// How long a file list's selection must rest before its picture is shown:
// arrow keys held down pass over pictures without opening them.
constexpr int kRestMs = 180;
// The frame around the picture box, each side.
constexpr int kPictureFrame = 2;

const QString kPane[2] = {QStringLiteral("\"From\""), QStringLiteral("\"To\"")};
const QString kCannotShow = QStringLiteral("Cannot show this picture");

QPushButton* button(QWidget* parent, const QString& caption, const QString& name)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    // Enter presses the focused button only.
    b->setAutoDefault(false);
    return b;
}

QComboBox* comboBox(QWidget* parent, const QString& name, bool editable)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(editable);
    if (editable)
        c->setInsertPolicy(QComboBox::NoInsert);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(12);
    c->setMaxVisibleItems(20);
    return c;
}

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

// ---- building -------------------------------------------------------------------------

void frm_Images::buildControls()
{
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("fra_Content"));
    auto* columns = new QHBoxLayout(content);
    columns->setContentsMargins(4, 4, 4, 4);
    columns->addWidget(buildPane(0), 0);
    columns->addWidget(buildPane(1), 0);
    columns->addWidget(buildPictureSide(), 1);

    // A pane too small for every control scrolls rather than cutting any.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scr_Images"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    scr_Images_ = scroll;

    lbl_Focus = new QLabel(this);
    lbl_Focus->setObjectName(QStringLiteral("lbl_Focus"));
    Make_Sunken(lbl_Focus);
    cmd_Size = button(this, QStringLiteral("&M"), QStringLiteral("cmd_Size"));
    cmd_Size->setToolTip(QStringLiteral("  Maximize/Restore Images Size "));
    cmd_Close = button(this, QStringLiteral("&X"), QStringLiteral("cmd_Close"));
    cmd_Close->setToolTip(QStringLiteral(" Close "));
    for (QPushButton* b : {cmd_Size, cmd_Close})
        b->setFixedWidth(std::max(b->sizeHint().height() + 6, fontMetrics().horizontalAdvance(b->text()) + 16));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lbl_Focus, 1);
    bottom->addWidget(cmd_Size);
    bottom->addWidget(cmd_Close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(scroll, 1);
    layout->addLayout(bottom);

    // The full-size view lies over the whole window while it shows.
    pic_Full_Frame = new QScrollArea(this);
    pic_Full_Frame->setObjectName(QStringLiteral("pic_Full_Frame"));
    pic_Full_Frame->setFocusPolicy(Qt::StrongFocus);
    pic_Full_Frame->setWidgetResizable(true);
    auto* full = new QWidget;
    auto* fullLayout = new QVBoxLayout(full);
    fullLayout->setContentsMargins(8, 8, 8, 8);
    auto* back = new QLabel(QStringLiteral("Click on Picture to Return Here."), full);
    back->setObjectName(QStringLiteral("lbl_Return"));
    pic_Full_Image = new QLabel(full);
    pic_Full_Image->setObjectName(QStringLiteral("pic_Full_Image"));
    pic_Full_Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fullLayout->addWidget(back);
    fullLayout->addWidget(pic_Full_Image, 1);
    pic_Full_Frame->setWidget(full);
    pic_Full_Frame->hide();

    // Tab order follows the columns, left to right, top to bottom.
    QWidget* order[] = {
        cbo_Folders[0], cmd_New[0], cmd_Delete[0], fil_Image[0], cmd_Refresh[0],
        cbo_Folders[1], cmd_New[1], cmd_Delete[1], fil_Image[1], cmd_Refresh[1],
        cmd_Rename, txt_Rename, cmd_Delete_Image,
        cbo_HTML_Pages, cbo_Page_Anchor, cbo_Target, txt_Name, txt_Border, rtb_Image,
        cmd_Add_to_List, cmd_View, cmd_Full_Size, cmd_Copy, cmd_Clipboard, cmd_Size, cmd_Close,
    };
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setFocusProxy(fil_Image[0]);
}

QWidget* frm_Images::buildPane(int pane)
{
    const QString n = QString::number(pane);
    auto* column = new QWidget;
    auto* v = new QVBoxLayout(column);
    v->setContentsMargins(0, 0, 0, 0);

    fra_Folders[pane] = new QGroupBox(pane == 0 ? QStringLiteral(" &2. From Folder: ")
                                                : QStringLiteral(" &4. To Folder: "), column);
    fra_Folders[pane]->setObjectName(QStringLiteral("fra_Folders_") + n);
    cbo_Folders[pane] = comboBox(fra_Folders[pane], QStringLiteral("cbo_Folders_") + n, false);
    cmd_New[pane] = button(fra_Folders[pane], QStringLiteral("Add New Folder to List"), QStringLiteral("cmd_New_") + n);
    cmd_Delete[pane] = button(fra_Folders[pane], QStringLiteral("Remove Folder from List"),
                              QStringLiteral("cmd_Delete_") + n);
    QSizePolicy keep = cmd_Delete[pane]->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    cmd_Delete[pane]->setSizePolicy(keep);
    auto* fv = new QVBoxLayout(fra_Folders[pane]);
    fv->addWidget(cbo_Folders[pane]);
    fv->addWidget(cmd_New[pane]);
    fv->addWidget(cmd_Delete[pane]);

    fra_Files[pane] = new QGroupBox(pane == 0 ? QStringLiteral("&3.  \"From\" List of Files: ")
                                              : QStringLiteral(" &5. \"To\" List of Files: "), column);
    fra_Files[pane]->setObjectName(QStringLiteral("fra_Files_") + n);
    fil_Image[pane] = new QListWidget(fra_Files[pane]);
    fil_Image[pane]->setObjectName(QStringLiteral("fil_Image_") + n);
    fil_Image[pane]->setSelectionMode(QAbstractItemView::SingleSelection);
    fil_Image[pane]->setUniformItemSizes(true);
    fil_Image[pane]->setMinimumHeight(90);
    // Narrow lists leave the room to the picture; names are short.
    fil_Image[pane]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    cmd_Refresh[pane] = button(fra_Files[pane], QStringLiteral("Refresh List"), QStringLiteral("cmd_Refresh_") + n);
    auto* lv = new QVBoxLayout(fra_Files[pane]);
    lv->addWidget(fil_Image[pane], 1);
    lv->addWidget(cmd_Refresh[pane]);

    v->addWidget(fra_Folders[pane]);
    v->addWidget(fra_Files[pane], 1);

    if (pane == 1) {
        tb_To = new QWidget(column);
        tb_To->setObjectName(QStringLiteral("tb_To"));
        cmd_Rename = button(tb_To, QStringLiteral("Rename Image"), QStringLiteral("cmd_Rename"));
        cmd_Delete_Image = button(tb_To, QStringLiteral("Delete Image"), QStringLiteral("cmd_Delete_Image"));
        txt_Rename = new QLineEdit(tb_To);
        txt_Rename->setObjectName(QStringLiteral("txt_Rename"));
        // The field takes the rename button's place without widening the
        // column (which would shift every control on its right).
        txt_Rename->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        txt_Rename->setMinimumWidth(cmd_Rename->sizeHint().width());
        txt_Rename->hide();
        auto* h = new QHBoxLayout(tb_To);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(cmd_Rename);
        h->addWidget(txt_Rename, 1);
        h->addWidget(cmd_Delete_Image);
        QSizePolicy p = tb_To->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        tb_To->setSizePolicy(p);
        v->addWidget(tb_To);
    }
    return column;
}

QWidget* frm_Images::buildPictureSide()
{
    auto* side = new QWidget;
    auto* v = new QVBoxLayout(side);
    v->setContentsMargins(0, 0, 0, 0);

    fra_Attributes = new QGroupBox(QStringLiteral("&1. Image Attributes"), side);
    fra_Attributes->setObjectName(QStringLiteral("fra_Attributes"));
    cbo_HTML_Pages = comboBox(fra_Attributes, QStringLiteral("cbo_HTML_Pages"), false);
    cbo_Page_Anchor = comboBox(fra_Attributes, QStringLiteral("cbo_Page_Anchor"), true);
    cbo_Target = comboBox(fra_Attributes, QStringLiteral("cbo_Target"), true);
    txt_Name = new QLineEdit(fra_Attributes);
    txt_Name->setObjectName(QStringLiteral("txt_Name"));
    txt_Border = new QLineEdit(fra_Attributes);
    txt_Border->setObjectName(QStringLiteral("txt_Border"));
    txt_Border->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    lbl_HTML_Pages = new QLabel(QStringLiteral("Add Page Link:"), fra_Attributes);
    lbl_HTML_Pages->setBuddy(cbo_HTML_Pages);
    auto* form = new QFormLayout(fra_Attributes);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->addRow(lbl_HTML_Pages, cbo_HTML_Pages);
    form->addRow(QStringLiteral("Anchor:"), cbo_Page_Anchor);
    form->addRow(QStringLiteral("Target:"), cbo_Target);
    form->addRow(QStringLiteral("\"Alt\" Label on Page:"), txt_Name);
    form->addRow(QStringLiteral("Border:"), txt_Border);

    rtb_Image = new RichTextBox(side);
    rtb_Image->setObjectName(QStringLiteral("rtb_Image"));
    rtb_Image->setTabChangesFocus(true);
    rtb_Image->setFixedHeight(fontMetrics().lineSpacing() * 3 + 12);
    cmd_Add_to_List = button(side, QStringLiteral("&Add to List"), QStringLiteral("cmd_Add_to_List"));
    cmd_Add_to_List->setToolTip(QStringLiteral(" Save "));
    cmd_View = button(side, QStringLiteral("&View List"), QStringLiteral("cmd_View"));
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(cmd_Add_to_List);
    listRow->addWidget(cmd_View);
    listRow->addStretch(1);

    lbl_Image_Name = new QLabel(side);
    lbl_Image_Name->setObjectName(QStringLiteral("lbl_Image_Name"));
    lbl_Image_Name->setTextFormat(Qt::PlainText);
    lbl_Image_Name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    lbl_cur_Size = new QLabel(side);
    lbl_cur_Size->setObjectName(QStringLiteral("lbl_cur_Size"));
    lbl_cur_File_Size = new QLabel(side);
    lbl_cur_File_Size->setObjectName(QStringLiteral("lbl_cur_File_Size"));
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Current Image:"), side));
    nameRow->addWidget(lbl_Image_Name, 1);
    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(lbl_cur_Size);
    sizeRow->addSpacing(12);
    sizeRow->addWidget(lbl_cur_File_Size);
    sizeRow->addStretch(1);

    // The picture sits at the frame's top left corner in a box that draws a
    // frame around it; a picture larger than the frame is shown reduced.
    pic_cur_Frame = new QFrame(side);
    pic_cur_Frame->setObjectName(QStringLiteral("pic_cur_Frame"));
    pic_cur_Frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    pic_cur_Frame->setMinimumSize(120, 90);
    pic_cur_Frame->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    pic_cur_Image = new QLabel(pic_cur_Frame);
    pic_cur_Image->setObjectName(QStringLiteral("pic_cur_Image"));
    pic_cur_Image->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pic_cur_Image->setLineWidth(kPictureFrame);
    pic_cur_Image->setAlignment(Qt::AlignCenter);
    pic_cur_Image->hide();

    tb_Full_Size = new QWidget(side);
    tb_Full_Size->setObjectName(QStringLiteral("tb_Full_Size"));
    cmd_Full_Size = button(tb_Full_Size, QStringLiteral("Show Full Size"), QStringLiteral("cmd_Full_Size"));
    auto* fh = new QHBoxLayout(tb_Full_Size);
    fh->setContentsMargins(0, 0, 0, 0);
    fh->addWidget(cmd_Full_Size);
    QSizePolicy keep = tb_Full_Size->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    tb_Full_Size->setSizePolicy(keep);
    tb_Full_Size->hide();

    tb_Copy = new QWidget(side);
    tb_Copy->setObjectName(QStringLiteral("tb_Copy"));
    cmd_Copy = button(tb_Copy, QStringLiteral("&Copy to Folder"), QStringLiteral("cmd_Copy"));
    cmd_Clipboard = button(tb_Copy, QStringLiteral("C&opy to Clipboard"), QStringLiteral("cmd_Clipboard"));
    auto* ch = new QHBoxLayout(tb_Copy);
    ch->setContentsMargins(0, 0, 0, 0);
    ch->addWidget(cmd_Copy);
    ch->addWidget(cmd_Clipboard);
    QSizePolicy keepCopy = tb_Copy->sizePolicy();
    keepCopy.setRetainSizeWhenHidden(true);
    tb_Copy->setSizePolicy(keepCopy);
    tb_Copy->hide();
    auto* pictureBar = new QHBoxLayout;
    pictureBar->addWidget(tb_Full_Size);
    pictureBar->addStretch(1);
    pictureBar->addWidget(tb_Copy);

    v->addWidget(fra_Attributes);
    v->addWidget(rtb_Image);
    v->addLayout(listRow);
    v->addLayout(nameRow);
    v->addLayout(sizeRow);
    v->addWidget(pic_cur_Frame, 1);
    v->addLayout(pictureBar);
    return side;
}

void frm_Images::setHints()
{
    const QList<std::pair<QWidget*, QString>> hints = {
        {cbo_HTML_Pages, QStringLiteral(" Select a Page Link ")},
        {cbo_Page_Anchor, QStringLiteral(" Select or Enter an Anchor Link ")},
        {cbo_Target, QStringLiteral(" Select or Enter a Link Target ")},
        {txt_Name, QStringLiteral(" Enter an Alt Label ")},
        {txt_Border, QStringLiteral(" Enter a Border Value ")},
        {rtb_Image, QStringLiteral(" Current Image Tag ")},
        {cmd_Add_to_List, QStringLiteral(" Add Tag to List ")},
        {cmd_View, QStringLiteral(" View List of Tags ")},
        {cmd_Clipboard, QStringLiteral(" Copy to Clipboard ")},
        {cmd_Full_Size, QStringLiteral(" Show Full Image ")},
        {cmd_Size, QStringLiteral(" Change Size ")},
        {cmd_Close, QStringLiteral(" Close Images Tool ")},
        {cmd_Copy, QStringLiteral(" Copy to Folder ")},
        {cmd_Rename, QStringLiteral(" Rename Image ")},
        {cmd_Delete_Image, QStringLiteral(" Delete Image ")},
        {txt_Rename, QStringLiteral(" Enter a New Image Name ")},
    };
    for (const auto& [w, hint] : hints)
        w->setProperty("hint", hint);
    for (int p = 0; p < 2; ++p) {
        cbo_Folders[p]->setProperty("hint", QLatin1Char(' ') + kPane[p] + QStringLiteral(" Folders "));
        cmd_New[p]->setProperty("hint", QStringLiteral(" Add to ") + kPane[p] + QStringLiteral(" Folders "));
        cmd_Delete[p]->setProperty("hint", QStringLiteral(" Remove from ") + kPane[p] + QStringLiteral(" Folders "));
        fil_Image[p]->setProperty("hint", QLatin1Char(' ') + kPane[p] + QStringLiteral(" List of Files "));
        cmd_Refresh[p]->setProperty("hint", QStringLiteral(" Refresh ") + kPane[p] + QStringLiteral(" List of Files "));
    }
    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);
}

void frm_Images::connectControls()
{
    for (int p = 0; p < 2; ++p) {
        connect(cbo_Folders[p], &QComboBox::activated, this, [this, p] {
            Image_Side = p;
            Select_Folder();
        });
        connect(cmd_New[p], &QPushButton::clicked, this, [this, p] {
            Image_Side = p;
            Add_Folder_to_List();
        });
        connect(cmd_Delete[p], &QPushButton::clicked, this, [this, p] {
            Image_Side = p;
            Remove_Folder();
        });
        connect(cmd_Refresh[p], &QPushButton::clicked, this, [this, p] { Show_Files(p, shownFolder_[p]); });
        // Moving through a list with the keys shows the picture once the
        // selection rests (a list taking the focus moves nothing).
        connect(fil_Image[p], &QListWidget::currentRowChanged, this, [this, p](int row) {
            if (!loaded_ || row < 0)
                return;
            if (keyPane_ == p) {
                restingPane_ = p;
                restTimer_->start();
            }
            if (p == 1)
                Show_To_Bar();
        });
    }
    connect(restTimer_, &QTimer::timeout, this, [this] {
        if (fil_Image[restingPane_]->currentRow() < 0)
            return;
        Image_Side = restingPane_;
        Image_Selected();
    });
    connect(refitTimer_, &QTimer::timeout, this, [this] {
        if (pictureShown_ && Frame_Box() != decodedFor_)
            Show_Picture();
    });

    connect(cbo_HTML_Pages, &QComboBox::activated, this, [this] { Display_Image_Tag(); });
    connect(cbo_Page_Anchor, &QComboBox::activated, this, [this](int i) {
        if (i <= 0)
            cbo_Page_Anchor->setEditText(image_tag::None_Item);
        Display_Image_Tag();
    });
    connect(cbo_Target, &QComboBox::activated, this, [this](int i) {
        if (i <= 0)
            cbo_Target->setEditText(image_tag::None_Item);
        Display_Image_Tag();
    });
    connect(cmd_Add_to_List, &QPushButton::clicked, this, [this] { Add_to_List(); });
    connect(cmd_View, &QPushButton::clicked, this, [this] { View_List(); });
    connect(cmd_Clipboard, &QPushButton::clicked, this, [this] { Copy_to_Clipboard(); });
    connect(cmd_Full_Size, &QPushButton::clicked, this, [this] { Display_Full_Size(); });
    connect(cmd_Copy, &QPushButton::clicked, this, [this] { Copy_Image(); });
    connect(cmd_Rename, &QPushButton::clicked, this, [this] { Select_to_Rename(); });
    connect(cmd_Delete_Image, &QPushButton::clicked, this, [this] { Delete_Image(); });
    connect(cmd_Size, &QPushButton::clicked, this, [this] { maximizeRequested(); });
    connect(cmd_Close, &QPushButton::clicked, this, [this] { closeRequested(); });
}

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
    a.Quote = s.Quote;
    rtb_Image->setText(image_tag::Image_Tag(a));
}

void frm_Images::Add_to_List()
{
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
