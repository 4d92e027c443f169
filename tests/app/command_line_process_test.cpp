// The built program as a file manager runs it: options answer without a display,
// a file named on the command line opens, a second start hands its file over.

#include "tesk_test.h"
#include "test_support.h"
#include "app/single_instance.h"
#include "core/command_line.h"

#include <QFileInfo>
#include <QProcess>
#include <unistd.h>

using namespace tesk::test;

class CommandLineProcessTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Without a display: a window would be impossible, the answer is not.
    void options()
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(display));
        p.setProcessEnvironment(env);
        for (const auto& [option, code, out, err] : {std::tuple{"--version", 0, "tesk-web-editor " TESK_VERSION "\n", ""},
                                                      {"--frobnicate", 2, "", "tesk-web-editor: unknown option"}}) {
            p.start(QStringLiteral(TESK_BIN_DIR "/tesk-web-editor"), {option, "page.htm"});
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), code);
            QCOMPARE(p.readAllStandardOutput(), QByteArray(out));
            QVERIFY(p.readAllStandardError().startsWith(err));
        }
    }

    void filesOpenAndASecondStartHandsItsOver()
    {
        // A program folder of its own (the executable linked into it): the
        // program talks to no editor of the user's and keeps its settings here.
        QTemporaryDir tmp(QStringLiteral(TESK_BIN_DIR "/../command-line-XXXXXX"));
        const QString root = QFileInfo(tmp.path()).canonicalFilePath() + '/', program = root + "program/";
        for (const char* folder : {"program/References", "program/Working-Pages", "program/Final-Pages", "run"})
            QVERIFY(QDir().mkpath(root + folder));
        const QString exe = program + "tesk-web-editor";
        QVERIFY(::link(TESK_BIN_DIR "/tesk-web-editor", qPrintable(exe)) == 0
                || QFile::copy(QStringLiteral(TESK_BIN_DIR "/tesk-web-editor"), exe));
        for (const char* page : {"one.htm", "two.htm"})
            QVERIFY(writeFile(root + page, "<p>page</p>\r\n"));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] :
             {std::pair{"HOME", root}, {"XDG_CONFIG_HOME", root + "config"}, {"XDG_RUNTIME_DIR", root + "run"},
              {"QT_QPA_PLATFORM", QStringLiteral("offscreen")}, {"QTWEBENGINE_DISABLE_SANDBOX", QStringLiteral("1")}})
            env.insert(QLatin1String(name), value);
        const auto run = [&](QProcess& p, const QString& file) {
            p.setProcessEnvironment(env);
            p.setWorkingDirectory(root);
            p.setStandardOutputFile(QProcess::nullDevice());
            p.setStandardErrorFile(QProcess::nullDevice());
            p.start(exe, {file});
        };
        // What the running program has open: a later start without files
        // is told it.
        const QString socket = handover::Socket_Name(QString::number(::getuid()), program, root + "run");
        const auto openNow = [&] { return Hand_Over_Files(socket, {}).value_or(QStringList{"(no answer)"}); };

        QProcess first, second;
        run(first, "one.htm");
        QTRY_COMPARE_WITH_TIMEOUT(openNow(), QStringList{program + "Working-Pages/one.htm.rtf"}, 180000);
        run(second, "two.htm");
        QVERIFY(second.waitForFinished(60000));
        QCOMPARE(second.exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(openNow(), QStringList{program + "Working-Pages/two.htm.rtf"}, 60000);

        first.terminate();
        if (!first.waitForFinished(60000))
            first.kill();
        QCOMPARE(first.exitCode(), 0);
    }
};

TESK_TEST(CommandLineProcessTest)
#include "command_line_process_test.moc"
