// The effect pages run in a real browser engine with their scripts on, as
// in a preview: the stars fly, the carousel turns every two seconds and
// jumps on a click, the picture swaps under the pointer.
#include "TestSupport.h"
#include "insert/EffectPages.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <memory>

using insert::EffectPage;
using insert::EffectPageText;

class EffectPagesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();

    void pagesAreWhole_data();
    void pagesAreWhole();
    void starsFlyOutOfTheMiddle();
    void carouselTurnsAndJumps();
    void rolloverSwapsAndRestores();

private:
    bool load(EffectPage page);
    QVariant js(const QString &script);
    QPoint centreOf(const QString &selector);
    QWidget *input() const { return m_view->focusProxy() ? m_view->focusProxy() : m_view.get(); }

    std::unique_ptr<QWebEngineView> m_view;
};

void EffectPagesTest::initTestCase()
{
    m_view = std::make_unique<QWebEngineView>();
    m_view->resize(900, 650);
    m_view->page()->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    // The page's timers, as the page sets and clears them.
    QWebEngineScript timers;
    timers.setName(QStringLiteral("timers"));
    timers.setInjectionPoint(QWebEngineScript::DocumentCreation);
    timers.setWorldId(QWebEngineScript::MainWorld);
    timers.setSourceCode(QStringLiteral(
        "window.__timers = {intervals: [], cleared: [], timeouts: []};"
        "(function(){ var si = window.setInterval, ci = window.clearInterval, st = window.setTimeout;"
        "window.setInterval = function(f, d){ var id = si(f, d); __timers.intervals.push([id, d]); return id; };"
        "window.clearInterval = function(id){ __timers.cleared.push(id); return ci(id); };"
        "window.setTimeout = function(f, d){ __timers.timeouts.push(d); return st(f, d); }; })();"));
    m_view->page()->scripts().insert(timers);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void EffectPagesTest::cleanupTestCase()
{
    m_view.reset();
}

bool EffectPagesTest::load(EffectPage page)
{
    QSignalSpy loaded(m_view.get(), &QWebEngineView::loadFinished);
    m_view->setHtml(EffectPageText(page), QUrl(QStringLiteral("file:///effect.htm")));
    return loaded.wait(30000) && loaded.first().first().toBool();
}

QVariant EffectPagesTest::js(const QString &script)
{
    QVariant result;
    bool done = false;
    m_view->page()->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        qWarning("no answer to %s", qPrintable(script));
    return result;
}

QPoint EffectPagesTest::centreOf(const QString &selector)
{
    const QVariantList r = js(QStringLiteral("(function(){ var b = document.querySelector(%1).getBoundingClientRect();"
                                             "return [b.left + b.width / 2, b.top + b.height / 2]; })();")
                                  .arg(QStringLiteral("'") + selector + QStringLiteral("'")))
                               .toList();
    return r.size() == 2 ? QPoint(qRound(r.at(0).toDouble()), qRound(r.at(1).toDouble())) : QPoint();
}

void EffectPagesTest::pagesAreWhole_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    QTest::newRow("星空特效") << int(EffectPage::StarrySky) << "星空背景特效" << "请在浏览器中预览效果：动态星空背景！";
    QTest::newRow("鼠标经过图片") << int(EffectPage::RolloverImage) << "鼠标经过图片特效"
                                  << "请在浏览器中预览效果：鼠标滑过图片后，现有图片会变成另一张图片！";
    QTest::newRow("图片轮播") << int(EffectPage::Carousel) << "" << "请在浏览器中预览效果：图片轮播相册！";
}

void EffectPagesTest::pagesAreWhole()
{
    QFETCH(int, page);
    QFETCH(QString, title);
    QFETCH(QString, message);
    const QString text = EffectPageText(EffectPage(page));
    QVERIFY(text.startsWith(QStringLiteral("<HTML><HEAD>")));
    QVERIFY(text.trimmed().endsWith(QStringLiteral("</BODY></HTML>")));
    QVERIFY(text.contains(QStringLiteral("charset=gb2312"), Qt::CaseInsensitive));
    // Pictures travel inside the page: nothing is fetched from elsewhere.
    QVERIFY(!QRegularExpression(QStringLiteral("(src|url)\\s*[=(]\\s*[\"']?https?:"), QRegularExpression::CaseInsensitiveOption)
                 .match(text).hasMatch());
    QVERIFY(load(EffectPage(page)));
    QCOMPARE(js(QStringLiteral("document.title;")).toString(), title);
    // The last line: the message in bold bright green.
    QCOMPARE(js(QStringLiteral("(function(){ var f = [].filter.call(document.querySelectorAll('font'),"
                               " function(e){ return e.textContent == %1; })[0];"
                               " return f ? f.color + ' ' + !!(f.closest('strong') || f.querySelector('strong')) : ''; })();")
                    .arg(QStringLiteral("'") + message + QStringLiteral("'")))
                 .toString(),
             QStringLiteral("#00ff00 true"));
    // Every picture of the page loads.
    QTRY_VERIFY(js(QStringLiteral("[].every.call(document.images, function(i){ return i.complete && i.naturalWidth > 0; });"))
                    .toBool());
}

void EffectPagesTest::starsFlyOutOfTheMiddle()
{
    QVERIFY(load(EffectPage::StarrySky));
    QCOMPARE(js(QStringLiteral("document.querySelectorAll('div.star').length;")).toInt(), 75);
    QCOMPARE(js(QStringLiteral("document.getElementById('star75').className;")).toString(), QStringLiteral("star"));
    QCOMPARE(js(QStringLiteral("getComputedStyle(document.body).backgroundColor;")).toString(), QStringLiteral("rgb(0, 0, 0)"));
    QTRY_COMPARE(js(QStringLiteral("stars.length;")).toInt(), 75);
    // Steps every 100 ms.
    QTRY_VERIFY(js(QStringLiteral("__timers.timeouts.indexOf(100) >= 0;")).toBool());

    const QString positions = QStringLiteral("stars.map(function(s){ return s.element.style.left + ',' + s.element.style.top; }).join(' ');");
    const QString before = js(positions).toString();
    QTRY_VERIFY(js(positions).toString() != before);
    // Stars grow as they fly, stay inside the window and start again from its middle.
    QTRY_VERIFY(js(QStringLiteral("stars.some(function(s){ return s.counter > 3; });")).toBool());
    QVERIFY(js(QStringLiteral("stars.every(function(s){ var w = parseFloat(s.element.style.width);"
                              " return Math.abs(w - s.counter / 3) < 0.01 && s.element.style.height == s.element.style.width; });")).toBool());
    QVERIFY(js(QStringLiteral("stars.every(function(s){ return s.x >= 0 && s.x <= innerWidth && s.y >= 0 && s.y <= innerHeight; });")).toBool());
    QVERIFY(js(QStringLiteral("stars.every(function(s){ return s.deltax >= 0 && s.deltax <= 11 && s.deltay >= 0 && s.deltay <= 11; });")).toBool());
    QTRY_VERIFY(js(QStringLiteral("stars.some(function(s){ return s.counter == 1 && s.x == Math.floor(innerWidth / 2); });")).toBool());

    // A resize is measured again.
    m_view->resize(700, 500);
    QTRY_COMPARE(js(QStringLiteral("winwidth;")).toInt(), js(QStringLiteral("innerWidth;")).toInt());
    // Browsers with layers load the page again 400 ms after a resize.
    QSignalSpy reloaded(m_view.get(), &QWebEngineView::loadFinished);
    js(QStringLiteral("document.layers = []; window.onresize(); true;"));
    QVERIFY(js(QStringLiteral("__timers.timeouts.indexOf(400) >= 0;")).toBool());
    QVERIFY(reloaded.wait(10000));
    m_view->resize(900, 650);
}

void EffectPagesTest::carouselTurnsAndJumps()
{
    QVERIFY(load(EffectPage::Carousel));
    QTRY_VERIFY(js(QStringLiteral("!!document.getElementById('tit');")).toBool());
    QCOMPARE(js(QStringLiteral("PImgPlayer.intervalTime;")).toInt(), 2000);
    QCOMPARE(js(QStringLiteral("PImgPlayer._items.length;")).toInt(), 5);
    QCOMPARE(js(QStringLiteral("JSON.stringify(__timers.intervals.map(function(t){ return t[1]; }));")).toString(),
             QStringLiteral("[2000]"));
    // A 300 by 380 player, clipped; the transitions listed in their order.
    const QString box = QStringLiteral("getComputedStyle(document.getElementById('imgADPlayer')).");
    QCOMPARE(js(box + QStringLiteral("width;")).toString(), QStringLiteral("300px"));
    QCOMPARE(js(box + QStringLiteral("height;")).toString(), QStringLiteral("380px"));
    QCOMPARE(js(box + QStringLiteral("overflow;")).toString(), QStringLiteral("hidden"));
    QCOMPARE(js(box + QStringLiteral("position;")).toString(), QStringLiteral("relative"));
    QCOMPARE(js(QStringLiteral("PImgPlayer.transitions.map(function(t){ return /Microsoft\\.(\\w+)\\(/.exec(t)[1]; }).join(' ');"))
                 .toString(),
             QStringLiteral("Barn Barn Blinds CheckerBoard Fade GradientWipe Inset Iris Iris Iris Iris Iris RadialWipe "
                            "RadialWipe RandomBars RandomBars RandomDissolve Spiral Stretch Strips Wheel Zigzag"));
    // The title bar and the numbers.
    const QString title = QStringLiteral("getComputedStyle(document.getElementById('tit')).");
    QCOMPARE(js(title + QStringLiteral("height;")).toString(), QStringLiteral("24px"));
    QCOMPARE(js(title + QStringLiteral("backgroundColor;")).toString(), QStringLiteral("rgb(255, 255, 255)"));
    QCOMPARE(js(title + QStringLiteral("fontSize;")).toString(), QStringLiteral("14px"));
    QCOMPARE(js(title + QStringLiteral("fontWeight;")).toString(), QStringLiteral("700"));
    QCOMPARE(js(title + QStringLiteral("textAlign;")).toString(), QStringLiteral("center"));
    // The numbers, the title and the picture agree with the current item,
    // read in one go: the player may turn between two separate readings.
    const QString look = QStringLiteral(
        "JSON.stringify([PImgPlayer._index, [].map.call(document.getElementById('imgADPlayer_bar').children,"
        " function(n){ return n.textContent + ':' + getComputedStyle(n).backgroundColor; }).join(' '),"
        " document.getElementById('tit').textContent,"
        " document.getElementById('imgADPlayer_link').style.backgroundImage.indexOf(PImgPlayer._items[PImgPlayer._index].img) >= 0]);");
    const QStringList titles = {QStringLiteral("示例图片一"), QStringLiteral("示例图片二"), QStringLiteral("示例图片三"),
                                QStringLiteral("示例图片四"), QStringLiteral("示例图片五")};
    const auto expectedLook = [&](int index) {
        QStringList boxes;
        for (int n = 5; n >= 1; --n)
            boxes << QStringLiteral("%1:%2").arg(n).arg(n == index + 1 ? QStringLiteral("rgb(0, 255, 0)")
                                                                      : QStringLiteral("rgb(51, 51, 51)"));
        return QStringLiteral("[%1,\"%2\",\"%3\",true]").arg(index).arg(boxes.join(QLatin1Char(' ')), titles[index]);
    };
    const int shown = js(QStringLiteral("PImgPlayer._index;")).toInt();
    QTRY_COMPARE(js(look).toString(), expectedLook(js(QStringLiteral("PImgPlayer._index;")).toInt()));
    QCOMPARE(js(QStringLiteral("getComputedStyle(document.getElementById('imgADPlayer_bar').firstChild).width + ' ' +"
                               " getComputedStyle(document.getElementById('imgADPlayer_bar')).height;")).toString(),
             QStringLiteral("23px 16px"));

    // Every interval brings the next picture.
    QTRY_COMPARE_WITH_TIMEOUT(js(QStringLiteral("PImgPlayer._index;")).toInt(), (shown + 1) % 5, 10000);
    QTRY_COMPARE(js(look).toString(), expectedLook(js(QStringLiteral("PImgPlayer._index;")).toInt()));

    // The pointer over a number that is not current colours it red, and white again when it leaves.
    const auto numberBox = [](int n) { return QStringLiteral("#imgADPlayer_bar > div:nth-child(%1)").arg(6 - n); };
    QTest::mouseMove(input(), centreOf(numberBox(5)));
    QTRY_COMPARE(js(QStringLiteral("document.querySelector('%1').style.color;").arg(numberBox(5))).toString(),
                 QStringLiteral("rgb(255, 0, 0)"));
    QTest::mouseMove(input(), centreOf(numberBox(4)));
    QTRY_COMPARE(js(QStringLiteral("document.querySelector('%1').style.color;").arg(numberBox(5))).toString(),
                 QStringLiteral("rgb(255, 255, 255)"));

    // A click on a number jumps there and starts the interval afresh.
    const int runningTimer = js(QStringLiteral("PImgPlayer._timer;")).toInt();
    js(QStringLiteral("__timers.intervals = []; __timers.cleared = []; true;"));
    QTest::mouseClick(input(), Qt::LeftButton, {}, centreOf(numberBox(4)));
    QTRY_VERIFY(!js(QStringLiteral("JSON.stringify(__timers.intervals);")).toString().startsWith(QStringLiteral("[]")));
    QCOMPARE(js(QStringLiteral("JSON.stringify(__timers.cleared);")).toString(), QStringLiteral("[%1]").arg(runningTimer));
    QCOMPARE(js(QStringLiteral("JSON.stringify(__timers.intervals);")).toString(),
             QStringLiteral("[[%1,2000]]").arg(js(QStringLiteral("PImgPlayer._timer;")).toInt()));
    // The jump went to the fourth picture (the interval may have turned it on since).
    QVERIFY(QList<int>({3, 4}).contains(js(QStringLiteral("PImgPlayer._index;")).toInt()));
    QTRY_COMPARE_WITH_TIMEOUT(js(QStringLiteral("PImgPlayer._index;")).toInt(), 4, 10000);
    // After the last picture comes the first.
    QTRY_COMPARE_WITH_TIMEOUT(js(QStringLiteral("PImgPlayer._index;")).toInt(), 0, 10000);
}

void EffectPagesTest::rolloverSwapsAndRestores()
{
    QVERIFY(load(EffectPage::RolloverImage));
    const QString image = QStringLiteral("document.images.Image1.");
    QCOMPARE(js(image + QStringLiteral("width + 'x' + ") + image + QStringLiteral("height;")).toString(),
             QStringLiteral("198x93"));
    QCOMPARE(js(image + QStringLiteral("alt;")).toString(), QStringLiteral("鼠标经过图片特效"));
    QCOMPARE(js(image + QStringLiteral("getAttribute('border');")).toString(), QStringLiteral("0"));
    QTRY_COMPARE(js(QStringLiteral("(document.MM_p || []).length;")).toInt(), 1);
    QVERIFY(js(QStringLiteral("document.MM_p[0].src == hoverPicture && normalPicture != hoverPicture;")).toBool());

    QTest::mouseMove(input(), centreOf(QStringLiteral("img")));
    QTRY_VERIFY(js(image + QStringLiteral("src == hoverPicture;")).toBool());
    QTest::mouseMove(input(), QPoint(600, 400));
    QTRY_VERIFY(js(image + QStringLiteral("src == normalPicture;")).toBool());
    // And again: the second time swaps as the first.
    QTest::mouseMove(input(), centreOf(QStringLiteral("img")));
    QTRY_VERIFY(js(image + QStringLiteral("src == hoverPicture;")).toBool());
    QTest::mouseMove(input(), QPoint(600, 400));
    QTRY_VERIFY(js(image + QStringLiteral("src == normalPicture;")).toBool());
}

ZELVO_TEST_MAIN(EffectPagesTest)
#include "test_effectpages.moc"
