#pragma once
// The Color Selection tool window: the user composes the colour and pattern
// attributes of a page's body, of a table and its cells and of four font
// colours, picking colours from two palettes (or the system colour dialog)
// and patterns from the site's "Final-Pages/Backgrnd" folder, while the
// previews show the result. The composed tags go to the site's "Color.lst"
// and to the Source window's colour bar (colorEntriesAdded, connected by the
// program); a whole set of choices can be saved to and opened from a colour
// setting file (".clr").
//
// The choices live in one color_tags::Color_Choices; the controls show it.
// Composing, palettes and the file format are tesk_logic code
// (tags/color_tags.h, tags/palettes.h, tags/color_settings_file.h).

#include "tags/color_tags.h"
#include "ui/forms.h"
#include "ui/tool_window.h"

#include <QHash>
#include <QPixmap>

#include <array>

class ColorPreview;
class PaletteGrid;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;
class QTabWidget;
class RichTextBox;

class frm_Colors : public ToolWindow {
    Q_OBJECT
public:
    static constexpr int Palettes = 2;

    frm_Colors();
    ~frm_Colors() override;
    void Form_Load();

    // ---- controls -------------------------------------------------------------
    QTabWidget* tb_Colors = nullptr;   // 0 body, 1 tables, 2 fonts
    QTabWidget* tb_Select = nullptr;   // 0 safe colours, 1 named colours
    // Pattern or colour option per area (body, table, cells): [area][0 pattern, 1 colour].
    std::array<std::array<QRadioButton*, 2>, color_tags::Area_Count> opt_Area{};
    std::array<QComboBox*, color_tags::Area_Count> cbo_Backgrnd{};
    QPushButton* cmd_Backgrnd = nullptr;
    QLineEdit* txt_Backgrnd = nullptr;
    QFrame* cmd_Backgrnd_pic = nullptr;
    QPushButton* cmd_Text = nullptr;
    QLineEdit* txt_Text = nullptr;
    std::array<QPushButton*, 3> cmd_Link{};
    std::array<QLineEdit*, 3> txt_Link{};
    QPushButton* cmd_Border = nullptr;
    QLineEdit* txt_Border = nullptr;
    QFrame* cmd_Border_pic = nullptr;
    QLineEdit* txt_Space = nullptr;
    QPushButton* cmd_Cells = nullptr;
    QLineEdit* txt_Cells = nullptr;
    QFrame* cmd_Cells_pic = nullptr;
    std::array<QPushButton*, 5> cmd_Font{};  // 1 to 4
    std::array<QLineEdit*, 5> txt_Font{};
    ColorPreview* pic_Body = nullptr;
    ColorPreview* pic_Table = nullptr;
    ColorPreview* pic_Font = nullptr;

    std::array<PaletteGrid*, Palettes> pic_Color_Frame{};
    std::array<QLineEdit*, Palettes> txt_Color_cur{};
    std::array<QFrame*, Palettes> pic_Color_cur{};
    std::array<QLabel*, Palettes> lbl_Current_Color{};
    std::array<QSlider*, Palettes> sld_Left_Right{};
    std::array<QSlider*, Palettes> sld_Up_Down{};
    QLineEdit* txt_Find = nullptr;
    QPushButton* cmd_More_Colors = nullptr;

    RichTextBox* rtb_Choices = nullptr;
    QPushButton* cmd_View = nullptr;
    QPushButton* cmd_Add = nullptr;
    QPushButton* cmd_Open = nullptr;
    QPushButton* cmd_Save = nullptr;
    QPushButton* cmd_Save_As = nullptr;
    QPushButton* cmd_Size = nullptr;
    QPushButton* cmd_Close = nullptr;
    QLabel* lbl_Focus = nullptr;

    // ---- procedures --------------------------------------------------------------
    // The working folder changed (or the window became active): the pattern
    // lists show the current site's "Backgrnd" folder; each area keeps its
    // chosen pattern when the folder still holds it.
    void Working_Backgrounds();
    void Change_Color_Select();
    void Change_Boxes();
    void Change_Color_Number();
    void Change_Color_Name();
    // True when the cell found took the focus.
    bool Find_Color();
    void Open_Color_Box();
    void Display_Body_Patterns();
    void Display_Background_Colors();
    void Display_Text_Colors();
    void Display_Link_Colors();
    void Display_Border_Patterns();
    void Display_Border_Colors();
    void Display_Cell_Patterns();
    void Display_Cell_Colors();
    void Cell_Spacing();
    void Display_Font_Colors();
    void Display_Choices();
    void Body_Choices();
    void Table_Choices();
    void Font_Choices();
    void Add_to_List();
    void Open_Color_File();
    void Save_Color_File();
    void Save_As_Color_File();
    // Selects area's pattern in its list; a pattern the list lacks is reported
    // and cleared.
    void Find_Pattern(color_tags::Area area);

    // A colour button: the target takes the current colour of the palette shown.
    void Take_Current_Color(color_tags::Target target);
    // The palette tab's current cell (the sliders and keys move it).
    void Set_Current_Cell(int tab, int cell);

    const color_tags::Color_Choices& choices() const { return choices_; }
    int currentCell(int tab) const { return current_[size_t(tab)]; }
    QString colorFilePath() const { return filePath_; }

    QSize designSizeTwips() const override;
    QSize neededSizeTwips() const override;
    void maximizeRequested() override;
    void closeRequested() override;
    void frameActivated() override;
    bool windowKey(int keyCode, int shift) override;

Q_SIGNALS:
    // Lines added to the site's colour list, for the Source window's colour bar.
    void colorEntriesAdded(const QStringList& entries);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildBodyPage();
    QWidget* buildTablePage();
    QWidget* buildFontPage();
    QWidget* buildPalettePage(int tab);
    QWidget* buildColorRow(color_tags::Target target, QPushButton* button, QLineEdit* text, QFrame* sample);
    QGroupBox* buildAreaFrame(color_tags::Area area, const QString& title, const QString& patternCaption,
                              const QString& colorCaption, QPushButton* button, QLineEdit* text, QFrame* sample);
    void connectControls();

    void Area_Option_Changed(color_tags::Area area);
    void showChoices();
    void showSample(color_tags::Target target);
    QColor shown(qint32 value) const;
    QPixmap patternPicture(const QString& name);
    void selectPattern(color_tags::Area area);
    bool saveTo(const QString& path);
    void setHint(const QString& hint);
    // Finds (and with run, uses) the visible control whose access key is
    // Alt with qtKey.
    bool Access_Key(int qtKey, bool run);

    color_tags::Color_Choices choices_;
    std::array<int, Palettes> current_{};
    std::array<quint32, Palettes> currentValue_{};
    int selectTab_ = 0;
    bool dialogColor_ = false;  // the safe palette shows the colour dialog's choice
    QString patternFolder_;
    QHash<QString, QPixmap> pictures_;  // decoded patterns of this site
    std::array<QPushButton*, color_tags::Target_Count> targetButton_{};
    std::array<QLineEdit*, color_tags::Target_Count> targetText_{};
    std::array<QFrame*, color_tags::Target_Count> targetSample_{};
    QHash<QObject*, QString> hints_;
    QScrollArea* scroll_ = nullptr;
    // The colour setting file: its path, the folder it was chosen in, its name.
    QString filePath_;
    QString fileFolder_;
    QString fileShortName_;
    bool loaded_ = false;
};

TESK_DECLARE_FORM(frm_Colors, Colors)
