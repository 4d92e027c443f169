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

// The tool's controls, their hints and connections; the behaviour is in
// frm_Images.cpp and image_panes.cpp.

using namespace image_folders;

namespace {

const QString kPane[2] = {QStringLiteral("\"From\""), QStringLiteral("\"To\"")};

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

} // namespace

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

