// The one number reader: configuration attributes and dialog fields.
#include "TestSupport.h"
#include "text/Numbers.h"

#include <climits>
#include <limits>

using namespace text;

class NumbersTest : public QObject
{
    Q_OBJECT

private slots:
    void numberConversion_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("colour") << QByteArray("16711680") << 16711680;
        QTest::newRow("fraction") << QByteArray("8.9") << 8;
        QTest::newRow("negative fraction") << QByteArray("-2.5") << -2;
        QTest::newRow("small negative") << QByteArray("-0.9") << 0;
        QTest::newRow("hex digits") << QByteArray("FF0000") << 0;
        QTest::newRow("hex prefix") << QByteArray("0x10") << 0;
        QTest::newRow("empty") << QByteArray("") << 0;
        QTest::newRow("blanks first") << QByteArray(" \t\r\n42") << 42;
        QTest::newRow("plus sign") << QByteArray("+7") << 7;
        QTest::newRow("sign then blank") << QByteArray("- 5") << 0;
        QTest::newRow("trailing text") << QByteArray("12px") << 12;
        QTest::newRow("exponent") << QByteArray("3.7e1") << 37;
        QTest::newRow("bare exponent mark") << QByteArray("5e") << 5;
        QTest::newRow("leading point") << QByteArray(".5") << 0;
        QTest::newRow("inf") << QByteArray("inf") << 0;
        QTest::newRow("nan") << QByteArray("nan") << 0;
        QTest::newRow("too large") << QByteArray("99999999999") << INT_MAX;
        QTest::newRow("too small") << QByteArray("-99999999999") << INT_MIN;
        QTest::newRow("huge exponent") << QByteArray("1e400") << INT_MAX;
        QTest::newRow("tiny exponent") << QByteArray("1e-400") << 0;
        // Hundreds of zeros: too small for a double, and still not an overflow.
        QTest::newRow("tiny by zeros") << QByteArray("0." + QByteArray(400, '0') + "1") << 0;
        QTest::newRow("tiny by zeros, negative") << QByteArray("-0." + QByteArray(400, '0') + "1") << 0;
        QTest::newRow("huge by digits") << QByteArray("1" + QByteArray(400, '0')) << INT_MAX;
        QTest::newRow("huge digits, small exponent") << QByteArray("1" + QByteArray(400, '0') + "e-390") << INT_MAX;
        QTest::newRow("tiny digits, large exponent") << QByteArray("0." + QByteArray(400, '0') + "1e399") << 0;
    }
    void numberConversion()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, value);
        QCOMPARE(ParseNumber(std::string_view(text.constData(), size_t(text.size()))), value);
    }

    void numberFromField_data();
    void numberFromField();
    void countFromField_data();
    void countFromField();
};

void NumbersTest::numberFromField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("number");
    QTest::newRow("integer") << "12" << 12.0;
    QTest::newRow("fraction") << "12.5" << 12.5;
    QTest::newRow("leading blanks") << "  \t7" << 7.0;
    QTest::newRow("stops at first non-number") << "3行" << 3.0;
    QTest::newRow("stops at second point") << "1.2.3" << 1.2;
    QTest::newRow("negative") << "-4" << -4.0;
    QTest::newRow("plus sign") << "+4" << 4.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("exponent without digits") << "2e" << 2.0;
    QTest::newRow("exponent sign without digits") << "2e+x" << 2.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("text") << "abc" << 0.0;
    QTest::newRow("lone sign") << "-" << 0.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("no hexadecimal") << "0x10" << 0.0;
    QTest::newRow("full-width digits") << "１２" << 12.0;
    QTest::newRow("full-width point and sign") << "－３．５" << -3.5;
    QTest::newRow("ideographic space skipped") << "\u3000５" << 5.0;
    QTest::newRow("comma is not a decimal point") << "1,5" << 1.0;
}

void NumbersTest::numberFromField()
{
    QFETCH(QString, field);
    QFETCH(double, number);
    QCOMPARE(NumberFromField(field), number);
}

void NumbersTest::countFromField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("count");
    QTest::newRow("truncated") << "2.9" << 2;
    QTest::newRow("negative toward zero") << "-2.9" << -2;
    QTest::newRow("full-width") << "３" << 3;
    QTest::newRow("not a number") << "x" << 0;
    QTest::newRow("huge held to int") << "1e30" << std::numeric_limits<int>::max();
    QTest::newRow("overflow held to int") << "1e999" << std::numeric_limits<int>::max();
    QTest::newRow("huge negative") << "-1e30" << std::numeric_limits<int>::min();
}

void NumbersTest::countFromField()
{
    QFETCH(QString, field);
    QFETCH(int, count);
    QCOMPARE(CountFromField(field), count);
}

ZELVO_TEST_MAIN(NumbersTest)
#include "test_numbers.moc"
