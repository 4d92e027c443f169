// The command line, and the list a second start sends the running editor.

#include "tesk_test.h"

#include "core/command_line.h"

using Action = Command_Line::Action;
using State = handover::Reader::State;

class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parsing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("action");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("bad");
        const auto row = [](const char* name, QStringList args, Action a, QStringList files, QString bad = {}) {
            QTest::newRow(name) << args << int(a) << files << bad;
        };
        row("files, relative and absolute", {"a.htm", "../b.rtf", "/x/./c.htm"}, Action::Run,
            {"/home/u/a.htm", "/home/b.rtf", "/x/c.htm"});
        row("help wins over files", {"a.htm", "--help"}, Action::Help, {"/home/u/a.htm"});
        row("version, a lone - is a file", {"--version", "-"}, Action::Version, {"/home/u/-"});
        row("unknown option", {"a.htm", "--frobnicate", "--help"}, Action::Bad, {"/home/u/a.htm"}, "--frobnicate");
        row("-- ends the options", {"--", "-x.htm", "--help"}, Action::Run, {"/home/u/-x.htm", "/home/u/--help"});
    }
    void parsing()
    {
        QFETCH(QStringList, args);
        const Command_Line c = Parse_Command_Line(args, QStringLiteral("/home/u"));
        QTEST(int(c.action), "action");
        QTEST(c.files, "files");
        QTEST(c.badOption, "bad");
    }

    // What arrives is judged as it comes: a list in any pieces, garbage
    // and limits at once, without waiting for the bytes announced.
    void reading_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("piece");
        QTest::addColumn<int>("state");
        QTest::addColumn<QStringList>("paths");
        const QByteArray two = handover::Encode({"/a b/ç.htm", ""});
        const QByteArray header = QByteArray("TWE1\0\0\0\1", 8);
        QTest::newRow("byte by byte") << two << 1 << int(State::Complete) << QStringList{"/a b/ç.htm", ""};
        QTest::newRow("cut short") << two.chopped(1) << 3 << int(State::Incomplete) << QStringList{"/a b/ç.htm"};
        QTest::newRow("garbage, first byte") << QByteArray("GET /") << 1 << int(State::Bad) << QStringList{};
        QTest::newRow("huge length") << header + "\x7f\xff\xff\xff" << 12 << int(State::Bad) << QStringList{};
        QTest::newRow("NUL in a path") << header + QByteArray("\0\0\0\2a\0", 6) << 9 << int(State::Bad) << QStringList{};
    }
    void reading()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, piece);  // bytes arrive in pieces of this size
        handover::Reader r;
        for (qsizetype at = 0; at < bytes.size(); at += piece)
            r.feed(QByteArrayView(bytes).sliced(at, qMin<qsizetype>(piece, bytes.size() - at)));
        QTEST(int(r.state()), "state");
        QTEST(r.paths(), "paths");
    }
};

TESK_TEST(CommandLineTest)
#include "command_line_test.moc"
