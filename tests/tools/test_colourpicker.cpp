// The colour picker window: its controls, and picking a colour from the
// screen by dragging the eyedropper.
#include "TestSupport.h"

#include "tools/ColourPickerWindow.h"

#include <QCursor>
#include <QLineEdit>
#include <QPalette>
#include <QScreen>

using tools::ColourPickerWindow;
using tools::EyedropperBox;

namespace {

// A window of one plain colour, somewhere away from the picker.
class ColourField : public QWidget {
public:
    explicit ColourField(const QColor &colour)
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, colour);
        setPalette(p);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        setGeometry(area.left() + 10, area.top() + 10, 120, 120);
    }
};

QColor swatchColour(ColourPickerWindow &w)
{
    return w.swatch()->palette().color(QPalette::Window);
}

} // namespace

class ColourPickerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ColourPickerWindow> picker;

    void showPicker()
    {
        picker = std::make_unique<ColourPickerWindow>(nullptr);
        picker->move(QGuiApplication::primaryScreen()->availableGeometry().center());
        picker->show();
        QVERIFY(QTest::qWaitForWindowExposed(picker.get()));
    }

private slots:
    void init() { showPicker(); }
    void cleanup() { picker.reset(); }

    void controlsAtTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::newRow("eyedropper") << QStringLiteral("图片框5") << QRect(16, 16, 34, 34);
        QTest::newRow("swatch") << QStringLiteral("标签13") << QRect(56, 8, 144, 48);
        QTest::newRow("HTML") << QStringLiteral("编辑框_HTML") << QRect(56, 80, 144, 24);
        QTest::newRow("decimal") << QStringLiteral("编辑框_十进制") << QRect(56, 128, 144, 24);
        QTest::newRow("RGB") << QStringLiteral("编辑框_RGB") << QRect(56, 176, 144, 24);
        QTest::newRow("HSL") << QStringLiteral("编辑框_HSL") << QRect(56, 224, 144, 24);
        QTest::newRow("chart") << QStringLiteral("图片框3") << QRect(216, 8, 224, 196);
        QTest::newRow("strip") << QStringLiteral("图片框4") << QRect(216, 216, 224, 44);
        QTest::newRow("HTML label") << QStringLiteral("标签12") << QRect(16, 80, 40, 24);
        QTest::newRow("decimal label") << QStringLiteral("标签9") << QRect(16, 128, 40, 24);
        QTest::newRow("RGB label") << QStringLiteral("标签11") << QRect(16, 176, 40, 24);
        QTest::newRow("HSL label") << QStringLiteral("标签14") << QRect(16, 224, 40, 24);
    }
    void controlsAtTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        auto *control = picker->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), place);
    }

    void opensEmptyWithThePictures()
    {
        QCOMPARE(picker->windowTitle(), QStringLiteral("取色窗口"));
        QCOMPARE(picker->size(), QSize(452, 302));
        QCOMPARE(picker->palette().color(QPalette::Window), QColor(Qt::white));
        for (QLineEdit *box : {picker->htmlBox(), picker->decimalBox(), picker->rgbBox(), picker->hslBox()})
            QVERIFY(box->text().isEmpty());
        QVERIFY(!picker->eyedropper()->pixmap().isNull());
        QCOMPARE(picker->eyedropper()->pixmap().size(), QSize(32, 32));
        QCOMPARE(picker->eyedropper()->cursor().hotSpot(), QPoint(6, 0));
        QCOMPARE(EyedropperBox::eyedropperCursor().hotSpot(), QPoint(3, 1));
        for (const char *name : {"图片框3", "图片框4"})
            QVERIFY(!picker->findChild<QLabel *>(QString::fromUtf8(name))->pixmap().isNull());
    }

    void aDragFromTheEyedropperReadsTheScreen()
    {
        ColourField field(QColor(200, 100, 50));
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        EyedropperBox *box = picker->eyedropper();

        QTest::mousePress(box, Qt::LeftButton);
        QVERIFY(box->picking());
        QVERIFY(box->pixmap().isNull());
        QCOMPARE(box->cursor().hotSpot(), QPoint(3, 1));
        QCOMPARE(QWidget::mouseGrabber(), box);

        const QPoint target = field.mapToGlobal(field.rect().center());
        QCursor::setPos(target);
        QTest::mouseMove(box, box->mapFromGlobal(target));
        QTRY_COMPARE(picker->htmlBox()->text(), QStringLiteral("#C86432"));
        QCOMPARE(picker->decimalBox()->text(), QStringLiteral("3302600"));
        QCOMPARE(picker->rgbBox()->text(), QStringLiteral("R:200    G:100    B:50"));
        QCOMPARE(picker->hslBox()->text(), QStringLiteral("H:13    S:144    L:117"));
        QCOMPARE(swatchColour(*picker), QColor(200, 100, 50));

        // The release hands the mouse back and keeps the values.
        QTest::mouseRelease(box, Qt::LeftButton, {}, box->mapFromGlobal(target));
        QVERIFY(!box->picking());
        QVERIFY(!QWidget::mouseGrabber());
        QVERIFY(!box->pixmap().isNull());
        QCOMPARE(box->cursor().hotSpot(), QPoint(6, 0));
        QCOMPARE(picker->htmlBox()->text(), QStringLiteral("#C86432"));
        QCOMPARE(swatchColour(*picker), QColor(200, 100, 50));
    }

    void movingWithoutTheButtonChangesNothing()
    {
        ColourField field(QColor(51, 102, 153));
        field.show();
        QVERIFY(QTest::qWaitForWindowExposed(&field));
        const QColor swatch = swatchColour(*picker);
        EyedropperBox *box = picker->eyedropper();
        // Over the box and over the coloured window, the button up.
        QTest::mouseMove(box);
        const QPoint target = field.mapToGlobal(field.rect().center());
        QCursor::setPos(target);
        QMouseEvent move(QEvent::MouseMove, box->mapFromGlobal(target), target, Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(box, &move);
        QCoreApplication::processEvents();
        for (QLineEdit *edit : {picker->htmlBox(), picker->decimalBox(), picker->rgbBox(), picker->hslBox()})
            QVERIFY(edit->text().isEmpty());
        QCOMPARE(swatchColour(*picker), swatch);
        QVERIFY(!QWidget::mouseGrabber());

        // A press elsewhere in the window does not start picking either.
        QTest::mousePress(picker->swatch(), Qt::LeftButton);
        QCoreApplication::sendEvent(box, &move);
        QVERIFY(picker->htmlBox()->text().isEmpty());
        QTest::mouseRelease(picker->swatch(), Qt::LeftButton);
    }

    void closingDuringADragLetsTheMouseGo()
    {
        QTest::mousePress(picker->eyedropper(), Qt::LeftButton);
        QCOMPARE(QWidget::mouseGrabber(), picker->eyedropper());
        picker->close();
        QVERIFY(!QWidget::mouseGrabber());
        QTest::mouseRelease(picker->eyedropper(), Qt::LeftButton);
    }
};

ZELVO_TEST_MAIN(ColourPickerTest)
#include "test_colourpicker.moc"
