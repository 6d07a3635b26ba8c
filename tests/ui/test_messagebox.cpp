// The standard message box: a short text still leaves room for the caption,
// a long one is shown whole.
#include "TestSupport.h"
#include "ui/Prompter.h"

#include <QLabel>
#include <QMessageBox>
#include <QTimer>

class MessageBoxTest : public QObject {
    Q_OBJECT
private slots:
    void textShownWhole_data();
    void textShownWhole();
};

void MessageBoxTest::textShownWhole_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("short") << "保存文档成功！";
    QTest::newRow("long, one line")
        << "LibreOffice无法打开文件“truncated.doc”：文件可能已损坏，或者不是Word文档。";
    QTest::newRow("long, no spaces") << QString(120, QChar(u'字'));
}

void MessageBoxTest::textShownWhole()
{
    QFETCH(QString, text);
    int labelWidth = 0;
    bool whole = false;
    QTimer::singleShot(0, this, [&] {
        QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        QVERIFY(label);
        labelWidth = label->width();
        // Every line of the wrapped text fits in the label.
        whole = label->hasHeightForWidth() ? label->heightForWidth(label->width()) <= label->height()
                                           : label->sizeHint().width() <= label->width();
        box->accept();
    });
    ui::showInformation(nullptr, text);
    QVERIFY(labelWidth >= 180);
    QVERIFY(whole);
}

ZELVO_TEST_MAIN(MessageBoxTest)
#include "test_messagebox.moc"
