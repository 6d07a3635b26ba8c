// The program's message boxes: the information box shows its whole text
// (short texts beside a caption that fits, a longer line in full, a very long
// text wrapped), and a box with the program's own button words reports which
// one was pressed.
#include "TestSupport.h"
#include "ui/Prompter.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTreeView>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {

// Hands the first modal box that opens to act, from inside the box's own
// event loop; no guessed delay.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QMessageBox *)> act) : m_act(std::move(act))
    {
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            m_poll.stop();
            m_act(box);
        });
        m_poll.start();
    }

private:
    QTimer m_poll;
    std::function<void(QMessageBox *)> m_act;
};

} // namespace

class PrompterTest : public QObject {
    Q_OBJECT
private slots:
    void informationShowsItsWholeText_data();
    void informationShowsItsWholeText();
    void chooseReportsTheButtonPressed_data()
    {
        QTest::addColumn<int>("press"); // -1: the Escape key
        QTest::addColumn<int>("answer");
        QTest::newRow("first") << 0 << 0;
        QTest::newRow("second") << 1 << 1;
        QTest::newRow("escape chooses the escape button") << -1 << 1;
    }
    void chooseReportsTheButtonPressed()
    {
        QFETCH(int, press);
        QFETCH(int, answer);
        const QStringList labels = {QStringLiteral("重新载入"), QStringLiteral("保留我的版本")};
        QStringList shown;
        ModalWatch watch([&](QMessageBox *box) {
            for (QAbstractButton *b : box->buttons()) {
                shown << b->text();
                if (press >= 0 && b->text() == labels.at(press))
                    b->click();
            }
            if (press < 0)
                QTest::keyClick(box, Qt::Key_Escape);
        });
        QCOMPARE(ui::prompter().choose(nullptr, QMessageBox::Question, QStringLiteral("文件已被修改"),
                                       QStringLiteral("重新载入吗？"), labels, 0, 1),
                 answer);
        shown.sort();
        QStringList expected = labels;
        expected.sort();
        QCOMPARE(shown, expected);
    }

    // The file dialog speaks the interface's language whatever the system's
    // (the tests run in the C locale): each filter shows once, as the
    // program words it, and the file list gives Chinese dates.
    void fileDialogIsChinese()
    {
        const QString dir = testsupport::freshTempDir();
        QFile file(QDir(dir).filePath(QStringLiteral("图.jpg")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QStringList filters;
        QString date, kind;
        QTimer poll;
        poll.setInterval(10);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            auto *list = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
            const QModelIndex row = list ? list->model()->index(0, 3, list->rootIndex()) : QModelIndex();
            if (!row.isValid())
                return; // the folder is still being read
            poll.stop();
            date = row.data().toString();
            kind = row.siblingAtColumn(2).data().toString();
            auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
            for (int i = 0; types && i < types->count(); ++i)
                filters << types->itemText(i);
            dialog->reject();
        });
        poll.start();
        ui::prompter().openFileName(nullptr, {QStringLiteral("JPG图片（*.jpg）|*.jpg|所有文件（*.*）|*.*"),
                                              QString(), dir, QString()});
        QCOMPARE(filters, QStringList({QStringLiteral("JPG图片（*.jpg）"), QStringLiteral("所有文件（*.*）")}));
        const QDateTime modified = QFileInfo(file).lastModified();
        QCOMPARE(date, QLocale(QLocale::Chinese, QLocale::China).toString(modified, QLocale::ShortFormat));
        QCOMPARE(kind, QStringLiteral("JPG 文件"));
    }
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
