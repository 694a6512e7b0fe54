#include <QtTest>

class SettingsStoreTest : public QObject {
    Q_OBJECT
};

QTEST_MAIN(SettingsStoreTest)
#include "SettingsStoreTest.moc"
