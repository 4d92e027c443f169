// A question asked from a window of its own (a dialog beside the main
// window) gives the keys back to that window once answered: the main
// window's editor must not get the keys the user meant for the dialog.

#include "tesk_test.h"
#include "test_support.h"

#include "platform/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

class MessageFocusTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { tesk::test::resetProgram(); }

    void answeredQuestionGivesTheKeysBack()
    {
        QMainWindow main;
        main.show();
        QDialog asking(&main);
        auto* field = new QLineEdit(&asking);
        asking.show();
        asking.activateWindow();
        field->setFocus();
        QTRY_COMPARE(QApplication::activeWindow(), &asking);
        const QWidget* previousParent = dialogs::parentWindow();
        dialogs::setParentWindow(&main);
        // The real box, answered by the keyboard as soon as it shows.
        const dialogs::Handlers scripted = dialogs::setHandlers({});
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::No)->click();
        });
        const dialogs::Answer answer = dialogs::message("Go on?", dialogs::Buttons::YesNo, dialogs::Icon::Question,
                                                        QString(), dialogs::Answer::No);
        dialogs::setHandlers(scripted);
        dialogs::setParentWindow(const_cast<QWidget*>(previousParent));
        QCOMPARE(answer, dialogs::Answer::No);
        QTRY_COMPARE(QApplication::activeWindow(), &asking);
        QCOMPARE(QApplication::focusWidget(), field);
    }
};

TESK_TEST(MessageFocusTest)
#include "message_focus_test.moc"
