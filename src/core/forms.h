#pragma once
// The one registry of the program's windows. A window is created on first
// use (X()) and may not exist yet (X_If_Loaded() returns nullptr). Windows
// reach each other only through here and the shared state.
//
// Each accessor is defined in its window's own source file with
// TESK_DEFINE_FORM, so a window joins the registry when its file lands.

#include <QPointer>
#include <QWidget>

class frm_Start;
class frm_Browser;
class frm_Source;
class frm_Images;
class frm_Colors;
class frm_Working_Folder;

namespace forms {

frm_Start* Start();
frm_Start* Start_If_Loaded();
frm_Browser* Browser();
frm_Browser* Browser_If_Loaded();
frm_Source* Source();
frm_Source* Source_If_Loaded();
frm_Images* Images();
frm_Images* Images_If_Loaded();
frm_Colors* Colors();
frm_Colors* Colors_If_Loaded();
frm_Working_Folder* Working_Folder();
frm_Working_Folder* Working_Folder_If_Loaded();

// Records a window so Unload_All can remove it.
void Track(QWidget* w);
// Deletes every window (end of the run, and between tests).
void Unload_All();

} // namespace forms

// Defines forms::Name() and forms::Name_If_Loaded() for Class.
#define TESK_DEFINE_FORM(Class, Name)                        \
    namespace forms {                                        \
    static QPointer<Class>& Name##_slot()                    \
    {                                                        \
        static QPointer<Class> p;                            \
        return p;                                            \
    }                                                        \
    Class* Name()                                            \
    {                                                        \
        if (!Name##_slot()) {                                \
            Name##_slot() = new Class();                     \
            Track(Name##_slot());                            \
            Name##_slot()->Form_Load();                      \
        }                                                    \
        return Name##_slot();                                \
    }                                                        \
    Class* Name##_If_Loaded() { return Name##_slot(); }      \
    }
