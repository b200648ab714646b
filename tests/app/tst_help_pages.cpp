// The help pages as shipped: both languages have the same pages, every link and every
// help topic of the program leads to a page and an anchor that exist, every page can be
// reached from the contents, the Chinese pages are written in Traditional characters,
// and the messages page quotes the program's messages as the program shows them.
#include "document/ChannelEdit.h"
#include "link/ProgrammingExchange.h"
#include "radio/OwnTexts.h"
#include "radio/ScanInfo.h"
#include "ui/HelpTopics.h"
#include "tests/support/TestSuite.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextDocumentFragment>

class HelpPagesTest : public QObject {
    Q_OBJECT
private slots:
    void bothLanguagesHaveTheSamePages();
    void everyLinkResolves_data();
    void everyLinkResolves();
    void everyHelpTopicResolves_data();
    void everyHelpTopicResolves();
    void everyPageIsReachableFromTheContents_data();
    void everyPageIsReachableFromTheContents();
    void chinesePagesUseTraditionalCharacters();
    void messagesPageQuotesTheProgramsTexts_data();
    void messagesPageQuotesTheProgramsTexts();
};

namespace {

const char* const kLanguages[] = {"enHelp", "chHelp"};

// The pages as they are kept in the source tree (the build copies them as they are).
QString HelpFolder(const QString& language) {
    return QStringLiteral(TEST_SOURCE_DIR "/resources/help/") + language;
}

QStringList Pages(const QString& language) {
    return QDir(HelpFolder(language)).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QString PageText(const QString& language, const QString& page) {
    QFile file(HelpFolder(language) + u'/' + page);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QStringList Captures(const QString& text, const QRegularExpression& pattern) {
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

QStringList Links(const QString& html) {
    static const QRegularExpression href(QStringLiteral("href\\s*=\\s*\"([^\"]*)\""));
    return Captures(html, href);
}

QSet<QString> Anchors(const QString& html) {
    static const QRegularExpression name(
        QStringLiteral("<a\\s[^>]*name\\s*=\\s*\"([^\"]+)\""));
    static const QRegularExpression id(QStringLiteral("\\sid\\s*=\\s*\"([^\"]+)\""));
    const QStringList all = Captures(html, name) + Captures(html, id);
    return QSet<QString>(all.begin(), all.end());
}

bool IsExternal(const QString& link) {
    return link.startsWith(QLatin1String("http://")) || link.startsWith(QLatin1String("https://"));
}

// Why "page#anchor" (page empty: `fromPage`) does not resolve in `language`, or empty.
QString Unresolved(const QString& language, const QString& fromPage, const QString& link) {
    const QString page = link.section(u'#', 0, 0).isEmpty() ? fromPage : link.section(u'#', 0, 0);
    const QString anchor = link.section(u'#', 1);
    const QString html = PageText(language, page);
    if (html.isEmpty())
        return QStringLiteral("%1/%2: no page %3").arg(language, fromPage, page);
    if (!anchor.isEmpty() && !Anchors(html).contains(anchor))
        return QStringLiteral("%1/%2: no anchor %3 in %4").arg(language, fromPage, anchor, page);
    return QString();
}

void AddLanguageRows() {
    QTest::addColumn<QString>("language");
    for (const char* language : kLanguages)
        QTest::newRow(language) << QString::fromLatin1(language);
}

// The page's text with the texts the program shows (<samp>) taken out.
QString OwnWords(const QString& html) {
    static const QRegularExpression shown(QStringLiteral("<samp>.*?</samp>"),
                                          QRegularExpression::DotMatchesEverythingOption);
    return QString(html).remove(shown);
}

QString PlainText(const QString& html) {
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

} // namespace

void HelpPagesTest::bothLanguagesHaveTheSamePages() {
    const QStringList english = Pages(QStringLiteral("enHelp"));
    QVERIFY(english.contains(QStringLiteral("index.html")));
    QVERIFY(english.contains(QStringLiteral("messages.html")));
    QCOMPARE(Pages(QStringLiteral("chHelp")), english);
    for (const QString& page : english) {
        QVERIFY2(Anchors(PageText(QStringLiteral("chHelp"), page)) ==
                     Anchors(PageText(QStringLiteral("enHelp"), page)),
                 qPrintable(page + QStringLiteral(": the anchors differ")));
    }
}

void HelpPagesTest::everyLinkResolves_data() {
    AddLanguageRows();
}

void HelpPagesTest::everyLinkResolves() {
    QFETCH(QString, language);
    QStringList faults;
    for (const QString& page : Pages(language)) {
        for (const QString& link : Links(PageText(language, page))) {
            if (!IsExternal(link))
                faults << Unresolved(language, page, link);
        }
    }
    faults.removeAll(QString());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void HelpPagesTest::everyHelpTopicResolves_data() {
    AddLanguageRows();
}

void HelpPagesTest::everyHelpTopicResolves() {
    QFETCH(QString, language);
    QStringList faults;
    for (const QString& topic : AllHelpTopics())
        faults << Unresolved(language, QStringLiteral("(topic)"), topic);
    faults.removeAll(QString());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
}

void HelpPagesTest::everyPageIsReachableFromTheContents_data() {
    AddLanguageRows();
}

void HelpPagesTest::everyPageIsReachableFromTheContents() {
    QFETCH(QString, language);
    QSet<QString> reached{QStringLiteral("index.html")};
    QStringList toVisit{QStringLiteral("index.html")};
    while (!toVisit.isEmpty()) {
        const QString page = toVisit.takeFirst();
        for (const QString& link : Links(PageText(language, page))) {
            const QString target = link.section(u'#', 0, 0);
            if (!target.isEmpty() && !IsExternal(link) && !reached.contains(target)) {
                reached.insert(target);
                toVisit << target;
            }
        }
    }
    for (const QString& page : Pages(language))
        QVERIFY2(reached.contains(page), qPrintable(page));
}

void HelpPagesTest::chinesePagesUseTraditionalCharacters() {
    // Simplified forms of words the pages use; the Traditional pages have none of them
    // in their own words. Texts the program shows are quoted as shown, inside <samp>.
    const QString simplified = QStringLiteral(
        "这们个对机数据设选择时间无开关络连读写频调试键长电话题显帮单项认为发线报错误请输过应该"
        "节语导图标档编辑删复贴启动态将从与级别组织钮盖扫优号码备进条两还没样实际视觉旧书类后当"
        "业务");
    for (const QString& page : Pages(QStringLiteral("chHelp"))) {
        const QString words = OwnWords(PageText(QStringLiteral("chHelp"), page));
        for (const QChar c : words) {
            QVERIFY2(!simplified.contains(c),
                     qPrintable(QStringLiteral("%1: Simplified %2 outside <samp>").arg(page, c)));
        }
    }
}

void HelpPagesTest::messagesPageQuotesTheProgramsTexts_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("text");
    const struct {
        const char* name;
        QString english;
        QString chinese; // as the Chinese run shows it
    } messages[] = {
        {"port", QString::fromUtf8(kCouldNotOpenPortText), QString::fromUtf8(kCouldNotOpenPortText)},
        {"communication", QString::fromUtf8(kCommunicationErrorText),
         QString::fromUtf8(kCommunicationErrorText)},
        {"interrupt", QString::fromUtf8(kProgramInterruptText),
         QString::fromUtf8(kProgramInterruptText)},
        {"range", CommitMessage(CommitResult::OutOfRange), CommitMessage(CommitResult::OutOfRange)},
        {"step", CommitMessage(CommitResult::OffStep), CommitMessage(CommitResult::OffStep)},
        {"priority channel", PriorityChannelRefusal(Language::English),
         PriorityChannelRefusal(Language::Chinese)},
    };
    for (const auto& message : messages) {
        QTest::addRow("en %s", message.name) << "enHelp" << message.english;
        QTest::addRow("zh %s", message.name) << "chHelp" << message.chinese;
    }
    // The messages of both forms. Not on the pages: what only chprog says.
    const QStringList notShown = {QStringLiteral("the image is already kept as %1")};
    int count = 0;
    const OwnTextForms* table = OwnTextTable(&count);
    for (int i = 0; i < count; ++i) {
        if (notShown.contains(QString::fromUtf8(table[i].english)))
            continue;
        QTest::addRow("en: %s", table[i].english) << "enHelp" << QString::fromUtf8(table[i].english);
        QTest::addRow("zh: %s", table[i].english) << "chHelp" << QString::fromUtf8(table[i].chinese);
    }
}

// Every part of the text between its placeholders (%1, %2, ...) is on the page, which
// writes a placeholder as what it stands for, in italics.
void HelpPagesTest::messagesPageQuotesTheProgramsTexts() {
    QFETCH(QString, language);
    QFETCH(QString, text);
    const QString page = PlainText(PageText(language, QStringLiteral("messages.html")));
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    for (const QString& part : text.split(placeholder, Qt::SkipEmptyParts)) {
        const QString words = part.simplified();
        QVERIFY2(words.isEmpty() || page.contains(words), qPrintable(words));
    }
}

TEST_CLASS(HelpPagesTest)
#include "tst_help_pages.moc"
