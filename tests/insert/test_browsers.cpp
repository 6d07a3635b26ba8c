// Pages made with the insertion dialogs, saved and opened in the browsers
// of the system (headless Chromium, and Firefox where its headless
// screenshots work): WordArt shows its text, glow text its halo, each
// picture effect changes the picture as named, a background sound has its
// audio element. The design view draws the same page the same way.
//
// Agreement between the design view and Chromium is judged per object on its
// ink (pixels darker than near-white): the ink's bounds may differ by at most
// 8 pixels on each side and its amount by at most a third. The two engines
// are of different versions and smooth edges differently; the same object
// drawn from different markup (the editor's own sheet against a browser's
// drawing) differs by far more.
#include "TestSupport.h"
#include "engine/EngineView.h"
#include "insert/GlowText.h"
#include "insert/Images.h"
#include "insert/PageProperties.h"
#include "insert/WordArt.h"
#include "insert/WordArtLook.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

using namespace insert;

namespace {

constexpr int kWidth = 1400;
constexpr int kHeight = 900;

struct Placed {
    QString name;
    QRect area; // where the object's ink must lie, page coordinates
    QString fragment;
};

QString pageOf(const QList<Placed> &items)
{
    QString html = QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>t</title></head>"
                                  "<body style=\"margin:0; background:#fff\">\n");
    for (const Placed &p : items)
        html += QStringLiteral("<div style=\"position:absolute; left:%1px; top:%2px\">%3</div>\n")
                    .arg(p.area.left() + 16)
                    .arg(p.area.top() + 16)
                    .arg(p.fragment);
    return html + QStringLiteral("</body></html>");
}

bool isInk(QRgb c)
{
    return qRed(c) < 225 || qGreen(c) < 225 || qBlue(c) < 225;
}

struct Ink {
    QRect bounds;
    int amount = 0;
};

Ink inkIn(const QImage &shot, const QRect &area)
{
    Ink ink;
    const QRect r = area & shot.rect();
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (isInk(shot.pixel(x, y))) {
                ++ink.amount;
                left = qMin(left, x), right = qMax(right, x), top = qMin(top, y), bottom = qMax(bottom, y);
            }
    if (ink.amount)
        ink.bounds = QRect(QPoint(left, top), QPoint(right, bottom));
    return ink;
}

QString describe(const Ink &ink)
{
    return QStringLiteral("%1 pixels in %2,%3 %4x%5")
        .arg(ink.amount)
        .arg(ink.bounds.x())
        .arg(ink.bounds.y())
        .arg(ink.bounds.width())
        .arg(ink.bounds.height());
}

bool agree(const Ink &a, const Ink &b)
{
    if (!a.amount || !b.amount)
        return false;
    const int tolerance = 8;
    const bool bounds = qAbs(a.bounds.left() - b.bounds.left()) <= tolerance
        && qAbs(a.bounds.right() - b.bounds.right()) <= tolerance
        && qAbs(a.bounds.top() - b.bounds.top()) <= tolerance
        && qAbs(a.bounds.bottom() - b.bounds.bottom()) <= tolerance;
    const double ratio = double(a.amount) / b.amount;
    return bounds && ratio > 2.0 / 3 && ratio < 1.5;
}

// The picture every effect works on: four coloured quarters.
const QColor kQuarters[4] = {QColor(220, 0, 0), QColor(0, 0, 220), QColor(0, 160, 0), QColor(240, 200, 0)};
constexpr int kPictureWidth = 120, kPictureHeight = 80;

QColor averageIn(const QImage &shot, const QRect &r)
{
    qint64 red = 0, green = 0, blue = 0, n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = shot.pixel(x, y);
            red += qRed(c), green += qGreen(c), blue += qBlue(c), ++n;
        }
    return n ? QColor(int(red / n), int(green / n), int(blue / n)) : QColor();
}

} // namespace

class BrowsersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void wordArtInEveryStyle();
    void glowTextAndPictureEffects();
    void backgroundSoundPlaysInAudio();

private:
    QImage chromium(const QString &file);
    QImage firefox(const QString &file);
    QImage designView(const QList<Placed> &items);
    QString save(const QString &name, const QString &html);
    QString run(const QString &script) { return m_view->evaluate(script).toString(); }

    QString m_chromium;
    QString m_firefox;
    QString m_dir;
    int m_shots = 0;
    QImage m_lastShot;
    std::unique_ptr<QWidget> m_page;
    engine::EngineView *m_view = nullptr;
};

void BrowsersTest::initTestCase()
{
    m_chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    QVERIFY2(!m_chromium.isEmpty(), "Chromium is missing: scripts/install-packages.sh --with-test-tools");
    m_firefox = QStandardPaths::findExecutable(QStringLiteral("firefox-esr"));
    // ZELVO_TEST_SHOTS keeps the pages and their pictures in a folder to look at.
    m_dir = qEnvironmentVariable("ZELVO_TEST_SHOTS", testsupport::freshTempDir());
    QDir().mkpath(m_dir);

    QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    QPainter p(&picture);
    const int w = kPictureWidth / 2, h = kPictureHeight / 2;
    p.fillRect(0, 0, w, h, kQuarters[0]);
    p.fillRect(w, 0, w, h, kQuarters[1]);
    p.fillRect(0, h, w, h, kQuarters[2]);
    p.fillRect(w, h, w, h, kQuarters[3]);
    p.end();
    QVERIFY(picture.save(m_dir + QStringLiteral("/quarters.png")));

    m_page = std::make_unique<QWidget>();
    m_page->resize(kWidth, kHeight);
    m_view = new engine::EngineView(m_page.get());
    m_view->resize(kWidth, kHeight);
    m_page->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_page.get()));
    QVERIFY(m_view->Navigate(QStringLiteral("about:blank")));
    QVERIFY(m_view->SetEditMode(true));
    QVERIFY(m_view->setDocumentSheet(WordArtSheetName, WordArtDesignSheet()));
}

void BrowsersTest::cleanupTestCase()
{
    m_page.reset();
}

QString BrowsersTest::save(const QString &name, const QString &html)
{
    const QString path = m_dir + QLatin1Char('/') + name;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(html.toUtf8()) < 0)
        return {};
    return path;
}

QImage BrowsersTest::chromium(const QString &file)
{
    const QString shot = file + QStringLiteral(".chromium.png");
    QProcess browser;
    browser.setStandardErrorFile(QProcess::nullDevice());
    browser.start(m_chromium,
                  {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                   QStringLiteral("--hide-scrollbars"), QStringLiteral("--force-device-scale-factor=1"),
                   QStringLiteral("--no-first-run"), QStringLiteral("--user-data-dir=") + m_dir + QStringLiteral("/chromium"),
                   QStringLiteral("--window-size=%1,%2").arg(kWidth).arg(kHeight),
                   QStringLiteral("--screenshot=") + shot, QUrl::fromLocalFile(file).toString()});
    if (!browser.waitForFinished(120000))
        browser.kill();
    return QImage(shot).convertToFormat(QImage::Format_RGB32);
}

QImage BrowsersTest::firefox(const QString &file)
{
    if (m_firefox.isEmpty())
        return {};
    const QString shot = file + QStringLiteral(".firefox.png");
    QDir().mkpath(m_dir + QStringLiteral("/firefox"));
    QProcess browser;
    browser.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MOZ_HEADLESS"), QStringLiteral("1"));
    env.insert(QStringLiteral("HOME"), m_dir);
    browser.setProcessEnvironment(env);
    browser.start(m_firefox, {QStringLiteral("--headless"), QStringLiteral("--no-remote"), QStringLiteral("--profile"),
                              m_dir + QStringLiteral("/firefox"), QStringLiteral("--window-size=%1,%2").arg(kWidth).arg(kHeight),
                              QStringLiteral("--screenshot"), shot, QUrl::fromLocalFile(file).toString()});
    if (!browser.waitForFinished(120000))
        browser.kill();
    return QImage(shot).convertToFormat(QImage::Format_RGB32);
}

QImage BrowsersTest::designView(const QList<Placed> &items)
{
    if (!m_view->WriteDocument(pageOf(items), m_dir))
        return {};
    // Drawn when every picture has come and the engine has painted twice.
    if (!QTest::qWaitFor([&] {
            return m_view->evaluate(QStringLiteral("Array.prototype.every.call(document.images, i => i.complete) && "
                                                   "document.fonts.status === 'loaded'"))
                .toBool();
        }, 10000))
        return {};
    // The view shows the new page once its picture has changed from the
    // last page's, every object has drawn something, and it holds still.
    QImage shot, before;
    const bool drawn = QTest::qWaitFor([&] {
        before = shot;
        shot = m_view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (shot == m_lastShot || shot != before)
            return false;
        for (const Placed &p : items)
            if (!inkIn(shot, p.area).amount)
                return false;
        return true;
    }, 20000);
    if (!drawn)
        return {};
    m_lastShot = shot;
    shot.save(m_dir + QStringLiteral("/design%1.png").arg(++m_shots));
    return shot;
}

void BrowsersTest::wordArtInEveryStyle()
{
    // Two pages of the lying styles, one of the standing ones.
    QList<QList<Placed>> pages(3);
    const QString text = QStringLiteral("Zelvo 艺术字");
    int lying = 0, standing = 0;
    for (int style = 1; style <= WordArtStyleCount; ++style) {
        const QString fragment = WordArtFragment(style, text);
        if (WordArtLookOf(style).vertical) {
            pages[2] << Placed{QString::number(style), QRect(30 + standing++ * 140, 20, 48 + 40, 528 + 80), fragment};
        } else {
            const int at = lying++ % 14;
            pages[lying > 14 ? 1 : 0]
                << Placed{QString::number(style), QRect(20 + (at % 2) * 660, 10 + (at / 2) * 125, 528 + 48, 110),
                          fragment};
        }
    }

    for (int n = 0; n < pages.size(); ++n) {
        const QString html = pageOf(pages.at(n));
        const QString file = save(QStringLiteral("wordart%1.htm").arg(n), html);
        const QImage browser = chromium(file);
        QVERIFY2(!browser.isNull(), "Chromium made no screenshot");
        const QImage design = designView(pages.at(n));
        QVERIFY(!design.isNull());
        const QImage other = firefox(file);
        for (const Placed &p : pages.at(n)) {
            const bool vertical = p.area.height() > p.area.width();
            const Ink seen = inkIn(browser, p.area);
            // The text fills its box: most of the box's length, a fair share of its area.
            const int length = vertical ? seen.bounds.height() : seen.bounds.width();
            QVERIFY2(length > 528 * 0.6 && seen.amount > 528 * 48 / 12,
                     qPrintable(QStringLiteral("style %1 in Chromium: %2").arg(p.name, describe(seen))));
            const Ink drawn = inkIn(design, p.area);
            QVERIFY2(agree(seen, drawn), qPrintable(QStringLiteral("style %1: Chromium %2, design view %3")
                                                        .arg(p.name, describe(seen), describe(drawn))));
            if (!other.isNull()) {
                const Ink fox = inkIn(other, p.area);
                const int foxLength = vertical ? fox.bounds.height() : fox.bounds.width();
                QVERIFY2(foxLength > 528 * 0.6 && fox.amount > 528 * 48 / 12,
                         qPrintable(QStringLiteral("style %1 in Firefox: %2").arg(p.name, describe(fox))));
            }
        }
    }

    // The drawing's text is text: the design view's search finds it, once per
    // WordArt, and the VML's string is not shown beside it.
    const text::FindResult found = m_view->find(QStringLiteral("艺术字"), {});
    QCOMPARE(found.count, 5);
    m_view->clearFind();
    QCOMPARE(run(QStringLiteral("getComputedStyle(document.querySelector('v\\\\:textpath'), '::before').content")),
             QStringLiteral("none"));
}

void BrowsersTest::glowTextAndPictureEffects()
{
    QList<Placed> items;
    const quint32 red = 0x0000FF; // 0x00BBGGRR
    items << Placed{QStringLiteral("glow"), QRect(20, 20, 300, 60),
                    BuildGlowText({QStringLiteral("发光字 Glow"), red, QStringLiteral("4")})};
    const QStringList captions = ImageEffectCaptions();
    for (int effect = 0; effect < captions.size(); ++effect) {
        ImageFields fields;
        fields.path = QStringLiteral("quarters.png");
        fields.width = QString::number(kPictureWidth);
        fields.height = QString::number(kPictureHeight);
        fields.effectIndex = effect;
        items << Placed{captions.at(effect), QRect(20 + (effect % 5) * 260, 140 + (effect / 5) * 200, 200, 160),
                        BuildImage(fields).fragment()};
    }
    const QString html = pageOf(items);
    const QString file = save(QStringLiteral("effects.htm"), html);
    const QImage browser = chromium(file);
    QVERIFY2(!browser.isNull(), "Chromium made no screenshot");
    const QImage design = designView(items);
    QVERIFY(!design.isNull());

    for (int e = 0; e < 2; ++e) {
        const QImage &shot = e ? design : browser;
        const QString engine = e ? QStringLiteral("the design view") : QStringLiteral("Chromium");
        // The halo: reddish pixels around the dark letters.
        const QRect glow = items.first().area;
        int halo = 0;
        for (int y = glow.top(); y <= glow.bottom(); ++y)
            for (int x = glow.left(); x <= glow.right(); ++x) {
                const QRgb c = shot.pixel(x, y);
                halo += qRed(c) > 200 && qRed(c) - qGreen(c) > 40 && qAbs(qGreen(c) - qBlue(c)) < 30 ? 1 : 0;
            }
        QVERIFY2(halo > 300, qPrintable(QStringLiteral("no glow in %1: %2 reddish pixels").arg(engine).arg(halo)));

        // Each picture as drawn: where it lies, and the colour of each quarter.
        for (int effect = 0; effect < captions.size(); ++effect) {
            const Placed &p = items.at(effect + 1);
            const Ink ink = inkIn(shot, p.area);
            const QString where = QStringLiteral("%1 in %2 (%3)").arg(p.name, engine, describe(ink));
            QVERIFY2(ink.amount > 0, qPrintable(where));
            if (effect == 4) {
                // The wind leaves a trail down and to the left of the picture.
                const QRect picture(p.area.topLeft() + QPoint(16, 16), QSize(kPictureWidth, kPictureHeight));
                QVERIFY2(ink.bounds.left() < picture.left() - 3 && ink.bounds.bottom() > picture.bottom() + 3,
                         qPrintable(where));
                continue;
            }
            const QRect picture(ink.bounds.topLeft(), QSize(kPictureWidth, kPictureHeight));
            auto quarter = [&](int i) {
                const QPoint corner(picture.left() + (i % 2) * kPictureWidth / 2,
                                    picture.top() + (i / 2) * kPictureHeight / 2);
                return averageIn(shot, QRect(corner + QPoint(kPictureWidth / 8, kPictureHeight / 8),
                                             QSize(kPictureWidth / 4, kPictureHeight / 4)));
            };
            auto near = [](const QColor &a, const QColor &b, int by = 40) {
                return qAbs(a.red() - b.red()) <= by && qAbs(a.green() - b.green()) <= by
                    && qAbs(a.blue() - b.blue()) <= by;
            };
            auto faded = [](const QColor &c, qreal alpha) { // over white
                return QColor(int(255 + (c.red() - 255) * alpha), int(255 + (c.green() - 255) * alpha),
                              int(255 + (c.blue() - 255) * alpha));
            };
            auto grey = [](const QColor &c) { return qMax(c.red(), qMax(c.green(), c.blue())) - qMin(c.red(), qMin(c.green(), c.blue())) < 20; };
            QStringList seen;
            for (int i = 0; i < 4; ++i)
                seen << quarter(i).name();
            const QString detail = where + QStringLiteral(": ") + seen.join(QLatin1Char(' '));
            switch (effect) {
            case 0: // none
            case 5: // ripples move the picture about but keep its colours
                for (int i = 0; i < 4; ++i)
                    QVERIFY2(near(quarter(i), kQuarters[i], effect == 5 ? 60 : 20), qPrintable(detail));
                if (effect == 5) {
                    // The picture's left edge wanders from row to row.
                    int least = INT_MAX, most = -1;
                    for (int y = picture.top() + 2; y < picture.top() + kPictureHeight - 2; ++y)
                        for (int x = p.area.left(); x < picture.center().x(); ++x)
                            if (isInk(shot.pixel(x, y))) {
                                least = qMin(least, x), most = qMax(most, x);
                                break;
                            }
                    QVERIFY2(most - least >= 4, qPrintable(detail + QStringLiteral(", edge %1 to %2").arg(least).arg(most)));
                }
                break;
            case 1: // half transparent
                for (int i = 0; i < 4; ++i)
                    QVERIFY2(near(quarter(i), faded(kQuarters[i], 0.5), 25), qPrintable(detail));
                break;
            case 2: // fading in from the upper left
                QVERIFY2(near(quarter(0), QColor(Qt::white), 90) && near(quarter(3), kQuarters[3], 90), qPrintable(detail));
                break;
            case 3: // faint in the middle, strong towards the edges
                QVERIFY2(averageIn(shot, QRect(picture.center() - QPoint(4, 4), QSize(8, 8))).lightness() > 200, qPrintable(detail));
                break;
            case 6: // black and white
                for (int i = 0; i < 4; ++i)
                    QVERIFY2(grey(quarter(i)), qPrintable(detail));
                break;
            case 7: // upside down
                for (int i = 0; i < 4; ++i)
                    QVERIFY2(near(quarter(i), kQuarters[(i + 2) % 4], 20), qPrintable(detail));
                break;
            case 8: // mirrored
                for (int i = 0; i < 4; ++i)
                    QVERIFY2(near(quarter(i), kQuarters[i ^ 1], 20), qPrintable(detail));
                break;
            case 9: // X-ray: grey and inverted, the dark red light
                for (int i = 0; i < 4; ++i)
                    QVERIFY2(grey(quarter(i)), qPrintable(detail));
                QVERIFY2(quarter(0).lightness() > 128 && quarter(3).lightness() < quarter(0).lightness(), qPrintable(detail));
                break;
            case 10: // negative
                for (int i = 0; i < 4; ++i)
                    QVERIFY2(near(quarter(i), QColor(255 - kQuarters[i].red(), 255 - kQuarters[i].green(),
                                                     255 - kQuarters[i].blue()), 20),
                             qPrintable(detail));
                break;
            }
        }
    }
    // The two engines agree on every object.
    for (const Placed &p : items)
        QVERIFY2(agree(inkIn(browser, p.area), inkIn(design, p.area)),
                 qPrintable(QStringLiteral("%1: Chromium %2, design view %3")
                                .arg(p.name, describe(inkIn(browser, p.area)), describe(inkIn(design, p.area)))));
}

void BrowsersTest::backgroundSoundPlaysInAudio()
{
    PageProperties properties;
    properties.title = QStringLiteral("sound");
    properties.sound = QStringLiteral("music.mp3");
    const QString page = BuildPropertiesPage(properties, QStringLiteral("<body><p>kept</p></body>"));
    // Set again, the page has one of each, not two.
    properties.sound = QStringLiteral("other.mp3");
    const QString again = BuildPropertiesPage(properties, page);
    QCOMPARE(again.count(QStringLiteral("<audio")), 1);
    QCOMPARE(again.count(QStringLiteral("<bgsound")), 1);

    const QString file = save(QStringLiteral("sound.htm"), again);
    QProcess browser;
    browser.start(m_chromium, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                               QStringLiteral("--disable-gpu"), QStringLiteral("--user-data-dir=") + m_dir + QStringLiteral("/chromium"),
                               QStringLiteral("--dump-dom"), QUrl::fromLocalFile(file).toString()});
    QVERIFY(browser.waitForFinished(120000));
    const QString dom = QString::fromUtf8(browser.readAllStandardOutput());
    QVERIFY2(dom.contains(QStringLiteral("<audio src=\"other.mp3\" autoplay=\"\" loop=\"\"></audio>")), qPrintable(dom));
    QVERIFY(dom.contains(QStringLiteral("<p>kept</p>")));
}

ZELVO_TEST_MAIN(BrowsersTest)
#include "test_browsers.moc"
