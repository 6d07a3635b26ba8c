// The standard prompter's real message boxes: long texts wrap inside the box
// instead of being cut off at its edge, and a box with the program's own
// button words reports which one was pressed.
#include "TestSupport.h"
#include "ui/Prompter.h"

#include <QLabel>
#include <QPushButton>

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
    void longMessagesWrapInsideTheBox()
    {
        const QString text = QStringLiteral("保存失败：无法写入文件“%1”。\n原因：文件所在的磁盘（文件系统）是只读的。")
                                 .arg(QStringLiteral("/很长的文件夹名字").repeated(30));
        bool wrapped = false;
        bool inside = false;
        ModalWatch watch([&](QMessageBox *box) {
            const auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
            wrapped = label && label->wordWrap();
            inside = label && label->geometry().right() <= box->rect().right() &&
                     label->height() >= label->heightForWidth(label->width());
            box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(ui::prompter().message(nullptr, QMessageBox::NoIcon, QStringLiteral("信息："), text, QMessageBox::Ok),
                 QMessageBox::Ok);
        QVERIFY(wrapped);
        QVERIFY(inside);
    }

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
};

ZELVO_TEST_MAIN(PrompterTest)
#include "test_prompter.moc"
