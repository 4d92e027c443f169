#pragma once
// What the page setup and Print Plus dialogs share: the hint line that names
// the focused control, boxes whose whole text is selected when entered, and
// their place in the main window (where the working folder dialog goes).

#include <QHash>
#include <QObject>
#include <QString>

class QLabel;
class QLineEdit;
class QWidget;
class ToolWindow;

class HintLine : public QObject {
public:
    HintLine(QLabel* label, QObject* parent);
    // hint is shown while w has the focus.
    void add(QWidget* w, const QString& hint);
    // The box's whole text is selected whenever it gets the focus.
    void selectAllOnFocus(QLineEdit* box);
    // A note in place of the hint (until the focus moves).
    void show(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* label_;
    QHash<QObject*, QString> hints_;
};

// Enter on a focused push button of the window presses it (as in a dialog
// box), for windows that are not QDialogs.
void Enter_Presses_Buttons(QWidget* window);

// The dialog's frame takes the size its controls need.
void Fit_Frame(ToolWindow* dialog);

// Centred in the main window's inner area, or at its top-left corner with the
// help window pushed aside when the help window is shown.
void Place_As_Working_Dialog(ToolWindow* dialog);
