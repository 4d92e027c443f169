// tesk-site: a site's links, markup and spelling from the command line, for
// scripts and CI.
//   tesk-site check SITE [--json] [--only links,html,spelling]
//                                          every broken link, markup error and
//                                          misspelt word, one per line
//   tesk-site rename SITE OLD NEW [--dry-run]
//   tesk-site search SITE TEXT [--case] [--word] [--regex]
//                                          every match, as grep lists them
//   tesk-site publish SITE DEST [--dry-run] [--identity FILE] [--delete]
//                     [--known-hosts FILE] [--cacert FILE] [--with-sources]
//                                          sends what changed since the last
//                                          publish to DEST (a folder,
//                                          sftp://user@host[:port]/path or the
//                                          same with ftps:// or ftp://); a
//                                          password is typed at the terminal
// SITE is a working folder (the one holding Final-Pages); OLD and NEW are
// paths below Final-Pages ("about.html", "Images/a.gif"). The web-page
// extensions and the source font come from the editor's settings file when
// there is one (beside the program, or the user's for an installed copy).
// Exit status: 0 clean or done, 1 problems found, the rename failed, nothing
// was found or a publish failed, 2 wrong arguments or an unreadable site.
// --json lists the links only.
//   tesk-site --help | --version

#include "core/installation.h"
#include "core/settings_file.h"
#include "core/shared_state.h"
#include "platform/file_system.h"
#include "sitekit/link_check.h"
#include "sitekit/link_rewrite.h"
#include "sitekit/site_checks.h"
#include "sitekit/publish_run.h"
#include "sitekit/site_search.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QStringList>

#include <cstdio>

#include <csignal>
#include <termios.h>
#include <unistd.h>

namespace {

void put(FILE* to, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), to);
}

const char* const Usage =
    "usage: tesk-site check SITE [--json] [--only links,html,spelling]\n"
    "       tesk-site rename SITE OLD NEW [--dry-run]\n"
    "       tesk-site search SITE TEXT [--case] [--word] [--regex]\n"
    "       tesk-site publish SITE DEST [--dry-run] [--identity FILE] [--delete]\n"
    "                         [--known-hosts FILE] [--cacert FILE] [--with-sources]\n"
    "       tesk-site --help | --version\n";

int usage()
{
    std::fputs(Usage, stderr);
    return 2;
}

int help()
{
    std::fputs(Usage, stdout);
    std::fputs("\n"
               "publish sends what changed since the last publish to DEST: a folder,\n"
               "sftp://user@host[:port]/path, ftps://user@host[:port]/path (TLS asked for\n"
               "on the server's FTP port and kept on the login and every file) or\n"
               "ftp://user@host[:port]/path (no encryption: a warning is printed).\n"
               "  --identity FILE     the SSH key to log in with (else the agent and ~/.ssh)\n"
               "  --known-hosts FILE  the SSH host keys to trust (else ~/.ssh/known_hosts)\n"
               "  --cacert FILE       the certificate authorities to trust for ftps://\n"
               "                      (else the system's)\n"
               "  --delete            delete on the server what was deleted here\n"
               "  --with-sources      send Working-Pages too\n"
               "A password (always for FTP, for SFTP when the server takes none of the\n"
               "keys) is typed at the terminal; it is never taken from an argument or the\n"
               "environment, so with no terminal such a publish fails.\n",
               stdout);
    return 0;
}

int refuse(const QString& why)
{
    put(stderr, QStringLiteral("tesk-site: %1\n").arg(why));
    return 2;
}

struct Settings {
    sitekit::SiteOptions options;
    sitekit::SourceFont font;
};

Settings readSettings()
{
    SharedState s;
    // An installed copy reads the settings the editor keeps in the user's
    // folder; it never writes there.
    QCoreApplication::setApplicationName(QStringLiteral("Tesk Web Editor"));
    const ProgramPlaces places = Program_Places(QCoreApplication::applicationDirPath(), Installed_Data_From_Bin(),
                                                QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation), QString());
    s.Program_Folder = places.programFolder;
    s.User_Folder = places.userFolder;
    Read_Settings_File(s);
    Settings out;
    out.options.pageExtensions = sitekit::pageExtensions(s.Web_Page_Filter);
    out.options.picturePattern = s.Image_Pattern + QLatin1Char(';') + s.Background_Pattern;
    out.options.referenceFolder = User_Files_Folder(s) + QStringLiteral("References");
    out.font = {s.Font_Name, s.Font_Size};
    return out;
}

int check(const QString& folder, bool json, const QStringList& only, const Settings& settings)
{
    const sitekit::Site site = sitekit::readSite(folder, settings.options);
    bool problems = false;
    if (only.contains(QLatin1String("links"))) {
        const std::vector<sitekit::Finding> findings = sitekit::checkLinks(site, settings.options.pageExtensions);
        if (json) {
            put(stdout, QString::fromUtf8(sitekit::findingsJson(findings)));
        } else {
            // External links are no problem of the site: the JSON lists them.
            for (const sitekit::Finding& f : findings)
                if (f.group != sitekit::Finding::Group::External)
                    put(stdout, sitekit::findingLine(f) + QLatin1Char('\n'));
        }
        problems = sitekit::hasBrokenLinks(findings);
    }
    sitekit::PageChecks what;
    what.markup = only.contains(QLatin1String("html"));
    what.spelling = only.contains(QLatin1String("spelling"));
    if (json || (!what.markup && !what.spelling))
        return problems ? 1 : 0;
    const sitekit::SiteChecks pages = sitekit::checkPages(site, what);
    for (const QString& p : pages.problems)
        put(stderr, QStringLiteral("tesk-site: %1\n").arg(p));
    for (const sitekit::PageFindings& page : pages.pages)
        for (const sitekit::PageMessage& m : page.messages)
            put(stdout, sitekit::messageLine(page.file, m) + QLatin1Char('\n'));
    return problems || !pages.pages.empty() ? 1 : 0;
}

int rename(const QString& folder, const QString& from, const QString& to, bool dryRun, Settings settings)
{
    settings.options.withSources = true;
    settings.options.mentioning = sitekit::mentionedName(from);
    const sitekit::Site site = sitekit::readSite(folder, settings.options);
    if (!site.existing.contains(from))
        return refuse(QStringLiteral("%1 is no file of Final-Pages").arg(from));
    if (from.contains(QStringLiteral("..")) || to.contains(QStringLiteral("..")) || to.isEmpty() || to.endsWith(QLatin1Char('/')))
        return refuse(QStringLiteral("%1 is no name for a file of Final-Pages").arg(to));
    const auto moves = sitekit::renameMoves(site, from, to, settings.options.pageExtensions);
    for (const auto& move : moves)
        if (fs::exists(move.second))
            return refuse(QStringLiteral("%1 exists already").arg(move.second));
    const sitekit::RenamePlan plan = sitekit::planRename(site, from, to, moves, settings.font);
    if (!plan.problem.isEmpty())
        return refuse(plan.problem);
    for (const QString& n : plan.notChecked)
        put(stderr, QStringLiteral("tesk-site: %1\n").arg(n));
    for (const auto& [a, b] : moves)
        put(stdout, QStringLiteral("rename %1 -> %2\n").arg(a, b));
    for (const sitekit::FileChange& c : plan.changes)
        put(stdout, QStringLiteral("update %1 (%2 links)\n").arg(c.shown).arg(c.edits.size()));
    if (dryRun)
        return 0;
    const sitekit::Applied done = sitekit::applyRename(plan, true);
    if (!done.ok) {
        put(stderr, QStringLiteral("tesk-site: nothing renamed: cannot write %1: %2\n").arg(done.file, done.why));
        return 1;
    }
    return 0;
}

// Sources and pages without a source: FILE:LINE:COLUMN: the line.
int search(const QString& folder, const sitekit::SearchRequest& request, const Settings& settings)
{
    if (const QString problem = sitekit::requestProblem(request); !problem.isEmpty())
        return refuse(problem);
    sitekit::SearchCache cache;
    const auto results = sitekit::searchSite(
        sitekit::searchFiles(folder, settings.options.pageExtensions, request.where), request, cache);
    bool found = false;
    for (const sitekit::FileResult& r : results) {
        if (!r.skipped.isEmpty())
            put(stderr, QStringLiteral("tesk-site: %1: skipped: %2\n").arg(r.file.shown, r.skipped));
        for (const sitekit::Hit& h : r.hits)
            put(stdout, QStringLiteral("%1:%2:%3: %4\n").arg(r.file.shown).arg(h.line).arg(h.column).arg(h.lineText));
        found = found || !r.hits.empty();
    }
    return found ? 0 : 1;
}

// Where ECHO goes back on if the password prompt is interrupted.
termios typedTerminal;

void restoreEcho(int signal)
{
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &typedTerminal);
    // The handler was reset on entry: the signal now does what it would have.
    ::raise(signal);
}

// Typed at the terminal with echo off: an argument or a variable of the
// environment can be read by other users of the machine (ps, /proc).
bool askPassword(const sitekit::Destination& d, QString& password)
{
    const bool inClear = sitekit::sendsPasswordInClear(d);
    if (!::isatty(STDIN_FILENO)) {
        put(stderr, QStringLiteral("tesk-site: %1@%2 needs a password and there is no terminal to type it at "
                                   "(it is never taken from an argument or the environment)\n").arg(d.user, d.host));
        return false;
    }
    // Before the prompt: who will not have it so stops there.
    if (inClear)
        put(stderr, QStringLiteral("tesk-site: warning: ftp:// sends the password and the files unencrypted; anyone on "
                                   "the way can read them (ftps:// does not)\n"));
    const bool echoOff = ::tcgetattr(STDIN_FILENO, &typedTerminal) == 0;
    const int stopping[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
    struct sigaction restoring {}, before[4];
    restoring.sa_handler = restoreEcho;
    restoring.sa_flags = SA_RESETHAND;
    if (echoOff) {
        for (int i = 0; i < 4; ++i)
            ::sigaction(stopping[i], &restoring, &before[i]);
        termios quiet = typedTerminal;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    // Only now: what is typed on seeing it must not be flushed away with what came before.
    put(stderr, QStringLiteral("Password for %1@%2: ").arg(d.user, d.host));
    std::fflush(stderr);
    QByteArray line;
    line.reserve(256);  // no copies of a part left behind as it grows
    char c = 0;
    ssize_t n = 0;
    while ((n = ::read(STDIN_FILENO, &c, 1)) > 0 && c != '\n')
        line += c;
    if (echoOff) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &typedTerminal);
        for (int i = 0; i < 4; ++i)
            ::sigaction(stopping[i], &before[i], nullptr);
    }
    std::fputc('\n', stderr);
    if (line.endsWith('\r'))
        line.chop(1);
    password = QString::fromUtf8(line);
    line.fill('\0');
    if (password.isEmpty()) {
        put(stderr, QStringLiteral("tesk-site: no password typed: nothing sent\n"));
        return false;
    }
    return true;
}

// Never asks about a host key: one that is not known ends the run with
// what to do about it, so scripts and CI never hang. A password is asked for
// only where someone can type it.
int publish(const QString& folder, const QString& to, const sitekit::PlanOptions& options,
            sitekit::Connection connection, bool dryRun)
{
    QString why;
    const std::optional<sitekit::Destination> destination = sitekit::parseDestination(to, &why);
    if (!destination)
        return refuse(why);
    // The editor's name: its Publish window and this share the manifests.
    QCoreApplication::setApplicationName(QStringLiteral("Tesk Web Editor"));
    const QString manifestFile = sitekit::manifestPath(destination->text);
    const sitekit::Manifest last = sitekit::readManifest(manifestFile);
    const sitekit::PublishPlan plan = sitekit::planPublish(folder, last, options);
    for (const QString& u : plan.unreadable)
        put(stderr, QStringLiteral("tesk-site: not sent: %1\n").arg(u));
    if (dryRun) {
        for (const sitekit::PublishItem& i : plan.send)
            put(stdout, QStringLiteral("send %1\n").arg(i.remote));
        for (const QString& r : plan.remove)
            put(stdout, QStringLiteral("delete %1\n").arg(r));
        put(stdout, QStringLiteral("%1 files to send (%2 bytes), %3 to delete\n").arg(plan.send.size()).arg(plan.bytes).arg(plan.remove.size()));
        return plan.unreadable.isEmpty() ? 0 : 1;
    }
    const bool ftp = destination->kind == sitekit::Destination::Kind::Ftp || destination->kind == sitekit::Destination::Kind::Ftps;
    if (ftp && (!plan.send.empty() || !plan.remove.isEmpty()) && !askPassword(*destination, connection.password))
        return 1;
    sitekit::PublishHooks hooks;
    hooks.done = [](const QString& line) {
        put(stdout, line + QLatin1Char('\n'));
        std::fflush(stdout);
    };
    std::unique_ptr<sitekit::Transport> transport = sitekit::openTransport(*destination, connection);
    sitekit::PublishResult r = sitekit::runPublish(plan, last, *transport, destination->text, manifestFile, hooks);
    // The server took none of the keys, before anything was sent: its password then.
    if (r.loginRefused && !ftp && connection.password.isEmpty() && r.sent.isEmpty()) {
        put(stderr, QStringLiteral("tesk-site: %1\n").arg(r.failure));
        if (!askPassword(*destination, connection.password))
            return 1;
        transport = sitekit::openTransport(*destination, connection);
        r = sitekit::runPublish(plan, last, *transport, destination->text, manifestFile, hooks);
    }
    connection.password.fill(QLatin1Char('\0'));
    put(stdout, QStringLiteral("%1 of %2 files sent, %3 deleted\n").arg(r.sent.size()).arg(plan.send.size()).arg(r.removed.size()));
    if (!r.failure.isEmpty())
        put(stderr, QStringLiteral("tesk-site: %1\n").arg(r.failure));
    if (r.failure.contains(QStringLiteral("could not be verified")) && connection.caFile.isEmpty())
        put(stderr, QStringLiteral("tesk-site: an authority's certificate file to trust is given with --cacert FILE\n"));
    return r.failure.isEmpty() && plan.unreadable.isEmpty() ? 0 : 1;
}

// Removes "--name VALUE" from args; false when the value is missing.
bool takeValue(QStringList& args, const QString& name, QString& value)
{
    const qsizetype at = args.indexOf(name);
    if (at < 0)
        return true;
    if (at + 1 >= args.size())
        return false;
    value = args[at + 1];
    args.remove(at, 2);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args == QStringList{QStringLiteral("--help")} || args == QStringList{QStringLiteral("-h")})
        return help();
    if (args == QStringList{QStringLiteral("--version")}) {
        std::fputs("tesk-site " TESK_VERSION "\n", stdout);
        return 0;
    }
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    const bool dryRun = args.removeAll(QStringLiteral("--dry-run")) > 0;
    sitekit::PlanOptions planOptions;
    planOptions.deleteGone = args.removeAll(QStringLiteral("--delete")) > 0;
    planOptions.withSources = args.removeAll(QStringLiteral("--with-sources")) > 0;
    sitekit::Connection connection;
    if (!takeValue(args, QStringLiteral("--identity"), connection.identity)
        || !takeValue(args, QStringLiteral("--known-hosts"), connection.knownHosts)
        || !takeValue(args, QStringLiteral("--cacert"), connection.caFile))
        return usage();
    const bool publishOption = planOptions.deleteGone || planOptions.withSources || !connection.identity.isEmpty()
        || !connection.knownHosts.isEmpty() || !connection.caFile.isEmpty();
    // With --json only the links are looked at, as before there were more.
    QStringList only = json ? QStringList{QStringLiteral("links")}
                            : QStringList{QStringLiteral("links"), QStringLiteral("html"), QStringLiteral("spelling")};
    const qsizetype onlyAt = args.indexOf(QStringLiteral("--only"));
    if (onlyAt >= 0) {
        if (onlyAt + 1 >= args.size())
            return usage();
        only = args[onlyAt + 1].split(QLatin1Char(','), Qt::SkipEmptyParts);
        args.remove(onlyAt, 2);
        for (const QString& o : only)
            if (o != QLatin1String("links") && o != QLatin1String("html") && o != QLatin1String("spelling"))
                return usage();
        if (only.isEmpty() || (json && only != QStringList{QStringLiteral("links")}))
            return usage();
    }
    sitekit::SearchRequest request;
    request.matchCase = args.removeAll(QStringLiteral("--case")) > 0;
    request.wholeWord = args.removeAll(QStringLiteral("--word")) > 0;
    request.regularExpression = args.removeAll(QStringLiteral("--regex")) > 0;
    const bool searchOption = request.matchCase || request.wholeWord || request.regularExpression;
    if (args.size() < 2)
        return usage();
    const QString command = args[0];
    const QString folder = fs::withSeparator(args[1]);
    const bool searching = command == QLatin1String("search");
    const bool publishing = command == QLatin1String("publish");
    if (publishing) {
        if (args.size() != 3 || json || searchOption || onlyAt >= 0)
            return usage();
        if (!fs::folderReadable(folder + QStringLiteral("Final-Pages")))
            return refuse(QStringLiteral("%1 has no readable Final-Pages folder").arg(args[1]));
        for (const QString& file : {connection.identity, connection.knownHosts, connection.caFile})
            if (!file.isEmpty() && !fs::fileExists(file))
                return refuse(QStringLiteral("%1: no such file").arg(file));
        planOptions.pageExtensions = readSettings().options.pageExtensions;
        return publish(folder, args[2], planOptions, connection, dryRun);
    }
    if (publishOption)
        return usage();
    if ((command == QLatin1String("check") && args.size() != 2) || (command == QLatin1String("rename") && args.size() != 4)
        || (searching && (args.size() != 3 || args[2].isEmpty()))
        || (command != QLatin1String("check") && command != QLatin1String("rename") && !searching)
        || (json && command != QLatin1String("check")) || (dryRun && command != QLatin1String("rename"))
        || (searchOption && !searching) || (onlyAt >= 0 && command != QLatin1String("check")))
        return usage();
    if (!fs::folderReadable(folder + QStringLiteral("Final-Pages")))
        return refuse(QStringLiteral("%1 has no readable Final-Pages folder").arg(args[1]));
    const Settings settings = readSettings();
    if (command == QLatin1String("check"))
        return check(folder, json, only, settings);
    if (searching) {
        request.find = args[2];
        return search(folder, request, settings);
    }
    return rename(folder, args[2], args[3], dryRun, settings);
}
