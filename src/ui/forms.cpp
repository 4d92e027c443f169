#include "ui/forms.h"

#include <QList>

namespace forms {

namespace {
QList<QPointer<QWidget>>& tracked()
{
    static QList<QPointer<QWidget>> list;
    return list;
}

std::function<void(QWidget*)>& createdHook()
{
    static std::function<void(QWidget*)> hook;
    return hook;
}
} // namespace

void Track(QWidget* w) { tracked().append(w); }

void setCreatedHook(std::function<void(QWidget*)> hook) { createdHook() = std::move(hook); }

void Created(QWidget* w)
{
    if (createdHook())
        createdHook()(w);
}

void Unload_All()
{
    // Newest first: tool windows before the main window that holds them.
    QList<QPointer<QWidget>> list = tracked();
    tracked().clear();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        delete it->data();
}

} // namespace forms
