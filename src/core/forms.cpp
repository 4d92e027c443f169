#include "core/forms.h"

#include <QList>

namespace forms {

namespace {
QList<QPointer<QWidget>>& tracked()
{
    static QList<QPointer<QWidget>> list;
    return list;
}
} // namespace

void Track(QWidget* w) { tracked().append(w); }

void Unload_All()
{
    // Newest first: tool windows before the main window that holds them.
    QList<QPointer<QWidget>> list = tracked();
    tracked().clear();
    for (auto it = list.rbegin(); it != list.rend(); ++it)
        delete it->data();
}

} // namespace forms
