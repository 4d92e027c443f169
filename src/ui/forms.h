#pragma once
// The registry of the program's windows. A window is created on first use
// (forms::X()) and may not exist yet (forms::X_If_Loaded() returns nullptr).
//
// A window's header declares its accessors with TESK_DECLARE_FORM and its
// source file defines them with TESK_DEFINE_FORM. Only the window's own
// folder and the program's wiring (app/) use them: windows of other folders
// are reached through signals that app/ connects when a window is created
// (setCreatedHook), or through core/main_window_port.h.

#include <QPointer>
#include <QWidget>

#include <functional>

namespace forms {

// Records a window so Unload_All can remove it.
void Track(QWidget* w);
// Deletes every window (end of the run, and between tests).
void Unload_All();

// Runs for every window the registry creates, before its Form_Load: the
// program connects the new window to the others here.
void setCreatedHook(std::function<void(QWidget*)> hook);
void Created(QWidget* w);

} // namespace forms

#define TESK_DECLARE_FORM(Class, Name)                       \
    namespace forms {                                        \
    Class* Name();                                           \
    Class* Name##_If_Loaded();                               \
    }

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
            Created(Name##_slot());                          \
            Name##_slot()->Form_Load();                      \
        }                                                    \
        return Name##_slot();                                \
    }                                                        \
    Class* Name##_If_Loaded() { return Name##_slot(); }      \
    }
