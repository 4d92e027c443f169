#pragma once
// The "Options" dialog: the browser's home page, the editor's font and size,
// the colour-coding colours, the unit of the tab and indent distances, and
// the bookmark characters. Shown inside the main window in the dialog manner
// (tool windows hidden, menus disabled). There is no OK or Cancel: every
// change is in force at once, and the settings file keeps it at the end of
// the run. Every way out (X, Esc, the frame's close button) takes in the
// field being edited and gives the main window back.

#include "ui/forms.h"
#include "ui/tool_window.h"

#include <QHash>

#include <array>

class QComboBox;

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;

class frm_Options : public ToolWindow {
    Q_OBJECT
public:
    frm_Options();
    void Form_Load();

    // Window > Options: the settings into the controls, the dialog shown in
    // the dialog manner at its start place, the focus in the home page.
    static void Open_Dialog();

    // The settings into the controls (each time the dialog opens).
    void Prepare();
    // The start place: centred in the main window's inner area, or at the
    // top left with the help window pushed aside.
    void Form_Activate();

    // The two distances from the stored twips, in the current unit.
    void Show_Distances();
    // The colour (0..15) or location (0..3) selected: its box enlarged, the
    // group's sliders on its column and row.
    void Select_Color(int index);
    void Select_Location(int index);
    int selectedColor() const { return selectedColor_; }
    int selectedLocation() const { return selectedLocation_; }
    // "&Apply": the selected colour to the selected location.
    void Apply_Color();
    // 1 inches, 2 centimetres: the distances are shown again in the new unit.
    void Set_Units(int units);
    // Takes in every field the user edited and has not left yet.
    void Commit_Fields();
    void Close_Form();

    void closeRequested() override;
    bool windowKey(int keyCode, int shift) override;

    // ---- controls --------------------------------------------------------
    QTabWidget* tab_Options = nullptr;
    // Home
    QLabel* lbl_Home_Page = nullptr;
    QLabel* lbl_URL = nullptr;
    QLineEdit* txt_Home_Page = nullptr;
    QPushButton* cmd_Tesk_Home = nullptr;
    QPushButton* cmd_Open = nullptr;
    // Font
    QGroupBox* fra_Font = nullptr;
    QListWidget* lst_Fonts = nullptr;
    QGroupBox* fra_Size = nullptr;
    QListWidget* lst_Size = nullptr;
    QLabel* lbl_Sample = nullptr;
    QLabel* lbl_Example = nullptr;
    // Colors (the boxes paint their palette's Window colour)
    QLabel* lbl_Select_Color = nullptr;
    QGroupBox* fra_Select_Color = nullptr;
    std::array<QWidget*, 16> pic_Color{};
    QSlider* sld_Left_Right = nullptr;
    QSlider* sld_Up_Down = nullptr;
    QGroupBox* fra_Select_Loc = nullptr;
    std::array<QWidget*, 4> pic_Color_Loc{};
    QSlider* sld_Hor = nullptr;
    QSlider* sld_Ver = nullptr;
    QPushButton* cmd_Color = nullptr;
    // Indents
    QGroupBox* fra_Meas_In = nullptr;
    QRadioButton* opt_Inches = nullptr;
    QRadioButton* opt_Cms = nullptr;
    QGroupBox* fra_Indent = nullptr;
    QLineEdit* txt_Indent = nullptr;
    QGroupBox* fra_Tabs = nullptr;
    QLineEdit* txt_Tabs = nullptr;
    // Bookmark
    QGroupBox* fra_Bookmark = nullptr;
    QLineEdit* txt_Bookmark = nullptr;
    // Editing (options kept beside the settings file)
    QCheckBox* chk_Color_Typing = nullptr;
    QCheckBox* chk_Line_Numbers = nullptr;
    QCheckBox* chk_Close_Tags = nullptr;
    QCheckBox* chk_Complete_Names = nullptr;
    QCheckBox* chk_Reopen = nullptr;
    QCheckBox* chk_Match_Tags = nullptr;
    QCheckBox* chk_Modern_Markup = nullptr;
    QCheckBox* chk_Spell_Typing = nullptr;
    QCheckBox* chk_Accessibility = nullptr;
    QLabel* lbl_Dictionary = nullptr;
    QComboBox* cbo_Dictionary = nullptr;

    QPushButton* cmd_Close = nullptr;
    QLabel* lbl_Focus = nullptr;

signals:
    // The dialog closed: the editor takes the font, size and tab width, the
    // source window's colour boxes the colours.
    void optionsApplied();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QWidget* buildHomePage();
    QWidget* buildFontPage();
    QWidget* buildColorPage();
    QWidget* buildIndentPage();
    QWidget* buildBookmarkPage();
    QWidget* buildEditingPage();
    void connectControls();
    void watch(QWidget* control, int tab, const QString& hint);

    void Fill_Fonts();
    void Show_Sample();
    void Open_Home_File();
    void Set_Home_Page(const QString& page);
    void Commit_Home_Page();
    void Commit_Bookmark();
    void Commit_Distance(QLineEdit* field, int& stored);
    void Tab_Selected(int tab);
    void sliderMoved(bool location);
    void placeBox(QWidget* box, int index, bool location, bool selected);

    struct Hint {
        int tab = 0;
        QString text;
    };
    QHash<QObject*, Hint> hints_;
    int selectedColor_ = 0;
    int selectedLocation_ = 0;
    bool shown_ = false;    // the dialog is open: control events count
    bool loading_ = false;  // the controls are being filled by the dialog itself
};

TESK_DECLARE_FORM(frm_Options, Options)
