// The editor's runtime, tested from inside a design-mode document: its
// history, insertion, change count and line breaks (tests/engine/runtime_tests.js).
#include "TestSupport.h"
#include "engine/EngineView.h"

#include <QFile>

class RuntimeTest : public QObject {
    Q_OBJECT

    engine::EngineView *view = nullptr;

private slots:
    void initTestCase()
    {
        view = new engine::EngineView;
        view->resize(600, 400);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QVERIFY(view->Navigate(QStringLiteral("about:blank")));
        QVERIFY(view->SetEditMode(true));
        QFile tests(QFINDTESTDATA("runtime_tests.js"));
        QVERIFY(tests.open(QIODevice::ReadOnly));
        QVERIFY(view->evaluate(QString::fromUtf8(tests.readAll())).toBool());
    }
    void cleanupTestCase() { delete view; }

    void runtime_data()
    {
        QTest::addColumn<QString>("name");
        const QStringList names = view->evaluate(QStringLiteral("runtimeTests.names();")).toStringList();
        QVERIFY(names.size() >= 8);
        for (const QString &name : names)
            QTest::newRow(qPrintable(name)) << name;
    }
    void runtime()
    {
        QFETCH(QString, name);
        const QVariant outcome = view->evaluate(QStringLiteral("runtimeTests.run(%1);").arg(engine::EngineView::scriptLiteral(name)));
        QVERIFY2(outcome.isValid(), "the runtime did not answer");
        QVERIFY2(outcome.toString().isEmpty(), qPrintable(outcome.toString()));
    }
};

ZELVO_TEST_MAIN(RuntimeTest)
#include "test_runtime.moc"
