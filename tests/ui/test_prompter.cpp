// The program's information box shows its whole text: short texts beside a
// caption that fits, a line longer than that minimum in full, and a very
// long text wrapped.
#include "TestSupport.h"
#include "ui/Prompter.h"

#include <QLabel>
#include <QMessageBox>
#include <QTimer>

class PrompterTest : public QObject {
    Q_OBJECT
private slots:
    void informationShowsItsWholeText_data();
    void informationShowsItsWholeText();
};

void PrompterTest::informationShowsItsWholeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("short") << QStringLiteral("短");
    QTest::newRow("a line past the minimum") << QStringLiteral("表格太大：单元格不能超过50万个！请减少行数或列数。");
    QTest::newRow("wrapped") << QStringLiteral("很长的信息").repeated(30);
}

void PrompterTest::informationShowsItsWholeText()
{
    QFETCH(QString, text);
    bool shown = false, cutOff = true;
    int labelWidth = 0;
    QString caption;
    // Looks at the box once it is up, then closes it.
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        shown = true;
        labelWidth = label->width();
        cutOff = label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                   : label->width() < label->fontMetrics().horizontalAdvance(text);
        caption = box->windowTitle();
        poll.stop();
        box->accept();
    });
    poll.start();
    ui::showInformation(nullptr, text);
    QVERIFY(shown);
    QCOMPARE(caption, QStringLiteral("信息："));
    QVERIFY2(!cutOff, "the text is cut off");
    QVERIFY(labelWidth >= 180);
}

ZELVO_TEST_MAIN(PrompterTest)
#include "test_prompter.moc"
