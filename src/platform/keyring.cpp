// libsecret's GLib headers name struct members "signals", which Qt's
// keywords would turn into something else: they come first.
#include <libsecret/secret.h>

#include "platform/keyring.h"

#include <QFileInfo>

namespace keyring {

namespace {

const SecretSchema* schema()
{
    static const SecretSchema s = {
        "org.tesk.WebEditor.Password", SECRET_SCHEMA_NONE,
        {{"protocol", SECRET_SCHEMA_ATTRIBUTE_STRING},
         {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
         {"host", SECRET_SCHEMA_ATTRIBUTE_STRING},
         {"port", SECRET_SCHEMA_ATTRIBUTE_INTEGER},
         {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
        0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};
    return &s;
}

// The attributes as libsecret takes them, alive as long as this is.
struct Attributes {
    explicit Attributes(const Account& a)
        : protocol(a.protocol.toUtf8()), user(a.user.toUtf8()), host(a.host.toUtf8()), port(a.port)
    {
    }
    QByteArray protocol, user, host;
    int port;
};

// Without a session bus GLib would start one of its own (dbus-launch),
// which outlives the program and holds no keyring anyway.
bool sessionBus()
{
    if (qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").isEmpty()
        && (qEnvironmentVariable("XDG_RUNTIME_DIR").isEmpty()
            || !QFileInfo::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus"))))
        return false;
    // GLib ends a program whose session bus goes away: the editor, with the
    // user's unsaved page, outlives it and only loses its keyring.
    static const bool kept = [] {
        if (GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr)) {
            g_dbus_connection_set_exit_on_close(bus, FALSE);
            g_object_unref(bus);
        }
        return true;
    }();
    return kept;
}

const char* kNoSession = "no desktop session (D-Bus) runs to hold a keyring";

QString taken(GError* error)
{
    const QString why = QString::fromUtf8(error->message);
    g_error_free(error);
    return why;
}

} // namespace

QString unavailable()
{
    if (!sessionBus())
        return QString::fromLatin1(kNoSession);
    // A lookup that finds nothing answers only when a keyring runs.
    QString why;
    lookup({QStringLiteral("probe"), {}, {}, 0}, &why);
    return why.isEmpty() ? QString() : QStringLiteral("no keyring answers: %1").arg(why);
}

std::optional<QString> lookup(const Account& account, QString* why)
{
    if (!sessionBus()) {
        if (why)
            *why = QString::fromLatin1(kNoSession);
        return std::nullopt;
    }
    const Attributes a(account);
    GError* error = nullptr;
    gchar* found = secret_password_lookup_sync(schema(), nullptr, &error, "protocol", a.protocol.constData(), "user",
                                               a.user.constData(), "host", a.host.constData(), "port", a.port, nullptr);
    if (error) {
        const QString message = taken(error);
        if (why)
            *why = message;
        return std::nullopt;
    }
    if (!found)
        return std::nullopt;
    const QString password = QString::fromUtf8(found);
    secret_password_free(found);
    return password;
}

QString store(const Account& account, const QString& password)
{
    if (!sessionBus())
        return QString::fromLatin1(kNoSession);
    const Attributes a(account);
    const QByteArray label = QStringLiteral("Tesk Web Editor: %1@%2").arg(account.user, account.host).toUtf8();
    QByteArray secret = password.toUtf8();
    GError* error = nullptr;
    secret_password_store_sync(schema(), SECRET_COLLECTION_DEFAULT, label.constData(), secret.constData(), nullptr, &error,
                               "protocol", a.protocol.constData(), "user", a.user.constData(), "host", a.host.constData(),
                               "port", a.port, nullptr);
    secret.fill('\0');
    return error ? taken(error) : QString();
}

QString forget(const Account& account)
{
    if (!sessionBus())
        return QString::fromLatin1(kNoSession);
    const Attributes a(account);
    GError* error = nullptr;
    secret_password_clear_sync(schema(), nullptr, &error, "protocol", a.protocol.constData(), "user", a.user.constData(),
                               "host", a.host.constData(), "port", a.port, nullptr);
    return error ? taken(error) : QString();
}

} // namespace keyring
