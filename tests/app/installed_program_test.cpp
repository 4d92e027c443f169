// The installed program: `cmake --install` into a throw-away prefix gives the
// program, its program folder, the menu entry and the icons; started from
// there (offscreen, with its own home and configuration folders) and ended
// as a desktop session ends it, it keeps its settings and References in the
// user's configuration folder, starts in "Tesk Sites" in the documents, and
// writes nothing into the prefix.

#include "tesk_test.h"
#include "logic_support.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>

using namespace tesk::test;

namespace {

QStringList treeOf(const QString& root)
{
    QStringList out;
    for (QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();) {
        const QFileInfo f(it.next());
        out << f.filePath() + QString::number(f.size()) + f.lastModified().toString(Qt::ISODateWithMs);
    }
    out.sort();
    return out;
}

} // namespace

class InstalledProgramTest : public QObject {
    Q_OBJECT
private slots:
    void runsFromThePrefixAndWritesOnlyForTheUser()
    {
        QTemporaryDir tmp;
        const QString prefix = tmp.path() + QStringLiteral("/prefix");
        QProcess install;
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral("cmake"), {QStringLiteral("--install"), QStringLiteral(TESK_BIN_DIR "/.."),
                              QStringLiteral("--prefix"), prefix});
        QVERIFY(install.waitForFinished(300000));
        QVERIFY2(install.exitCode() == 0, install.readAll().constData());
        for (const char* file : {"bin/tesk-web-editor", "share/tesk-web-editor/TeskEdit.htm",
                                 "share/tesk-web-editor/References/Button.but", "share/applications/invalid.tesk.WebEditor.desktop",
                                 "share/icons/hicolor/scalable/apps/tesk-web-editor.svg",
                                 "share/icons/hicolor/16x16/apps/tesk-web-editor.png"})
            QVERIFY2(QFileInfo::exists(prefix + QLatin1Char('/') + QLatin1String(file)), file);
        QVERIFY(!QFileInfo::exists(prefix + QStringLiteral("/share/tesk-web-editor/Working-Pages")));
        const QStringList installed = treeOf(prefix);

        const QString home = tmp.path() + QStringLiteral("/home");
        const QString config = tmp.path() + QStringLiteral("/config");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : {std::pair{"HOME", home}, {"XDG_CONFIG_HOME", config},
                                          {"QT_QPA_PLATFORM", QStringLiteral("offscreen")},
                                          {"QTWEBENGINE_DISABLE_SANDBOX", QStringLiteral("1")}})
            env.insert(QLatin1String(name), value);
        QProcess program;
        program.setProcessEnvironment(env);
        program.setStandardOutputFile(QProcess::nullDevice());
        program.setStandardErrorFile(QProcess::nullDevice());
        program.start(prefix + QStringLiteral("/bin/tesk-web-editor"), {});
        QVERIFY(program.waitForStarted(60000));
        const QString user = config + QStringLiteral("/Tesk Web Editor/");
        // The first working folder is laid out at start-up, after the end
        // request is caught: from here on it closes the program as a user would.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(home + QStringLiteral("/Documents/Tesk Sites/Final-Pages/Images")),
                                 120000);
        QVERIFY(QFileInfo::exists(user + QStringLiteral("References/Button.but")));
        program.terminate();
        QVERIFY(program.waitForFinished(120000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);

        const QByteArray settings = readFile(user + QStringLiteral("Tesk Web Editor.ini"));
        QVERIFY(settings.contains((home + QStringLiteral("/Documents/Tesk Sites/")).toUtf8()));
        QCOMPARE(treeOf(prefix), installed);
    }
};

TESK_TEST(InstalledProgramTest)
#include "installed_program_test.moc"
