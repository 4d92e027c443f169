// Passwords kept in a real GNOME Keyring (run by common/with_keyring.sh in a
// session of its own), one per account.

#include "tesk_test.h"

#include "platform/keyring.h"


using keyring::Account;

class KeyringTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariable("TESK_PRIVATE_KEYRING") != "yes")
            QSKIP(qPrintable("no keyring of the test's own: " + qEnvironmentVariable("TESK_PRIVATE_KEYRING", "run through with_keyring.sh")));
        // The keyring daemon takes its name on the bus a moment after it starts.
        QTRY_COMPARE_WITH_TIMEOUT(keyring::unavailable(), QString(), 20000);
    }

    void keptPerAccount()
    {
        const Account a{"sftp", "ann", "example.org", 22}, otherPort{"sftp", "ann", "example.org", 2222},
            otherKind{"ftps", "ann", "example.org", 22};
        QString why;
        QCOMPARE(keyring::lookup(a, &why), std::nullopt);
        QCOMPARE(why, QString());  // none kept is no failure
        QCOMPARE(keyring::store(a, "first"), QString());
        QCOMPARE(keyring::store(a, "sécond"), QString());  // replaced, not added beside
        QCOMPARE(keyring::store(otherPort, "port"), QString());
        QCOMPARE(keyring::lookup(a), std::optional<QString>("sécond"));
        QCOMPARE(keyring::lookup(otherPort), std::optional<QString>("port"));
        QCOMPARE(keyring::lookup(otherKind), std::nullopt);
        QCOMPARE(keyring::forget(a), QString());
        QCOMPARE(keyring::lookup(a), std::nullopt);
        QCOMPARE(keyring::lookup(otherPort), std::optional<QString>("port"));
        // Without a session bus nothing is tried, and the reason is given.
        const QByteArray bus = qgetenv("DBUS_SESSION_BUS_ADDRESS"), runtime = qgetenv("XDG_RUNTIME_DIR");
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        qunsetenv("XDG_RUNTIME_DIR");
        QVERIFY(keyring::unavailable().contains("D-Bus"));
        QVERIFY(!keyring::store(a, "x").isEmpty() && !keyring::lookup(otherPort));
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus);
        qputenv("XDG_RUNTIME_DIR", runtime);
    }
};

TESK_TEST(KeyringTest)
#include "keyring_test.moc"
