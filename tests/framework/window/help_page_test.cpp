#include "framework/program_folder.h"
#include "framework/window/help_page.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace {

const QString kShippedHelp = QStringLiteral(QUILLMERE_HELP_SOURCE_DIR);

QString ReadText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The values of attribute `name` (as name="value") throughout `html`.
QStringList AttributeValues(const QString& html, const QString& name) {
    const QRegularExpression pattern(QStringLiteral("\\b") + name +
                                     QStringLiteral("\\s*=\\s*\"([^\"]*)\""));
    QStringList values;
    for (const QRegularExpressionMatch& match : pattern.globalMatch(html))
        values.append(match.captured(1));
    return values;
}

// Every link (href, src) of the HTML pages in `folder` that does not lead to
// a file of the folder or, with a "#fragment", to an element of that id in
// the target page; as "page: link". An address with a scheme or an absolute
// path counts as broken: help is read from beside the program, offline.
QStringList BrokenLinks(const QString& folder) {
    const QDir dir(folder);
    QStringList broken;
    for (const QString& page : dir.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        const QString html = ReadText(dir.filePath(page));
        for (const QString& link : AttributeValues(html, QStringLiteral("href")) +
                                       AttributeValues(html, QStringLiteral("src"))) {
            const qsizetype hash = link.indexOf(u'#');
            const QString file = hash < 0 ? link : link.left(hash);
            const QString fragment = hash < 0 ? QString() : link.mid(hash + 1);
            const QString target = file.isEmpty() ? page : file;
            const bool external = file.contains(u':') || file.startsWith(u'/');
            const QFileInfo info(dir.filePath(target));
            const bool found = !external && info.isFile() &&
                               (fragment.isEmpty() ||
                                AttributeValues(ReadText(info.filePath()), QStringLiteral("id"))
                                    .contains(fragment));
            if (!found)
                broken.append(page + QStringLiteral(": ") + link);
        }
    }
    return broken;
}

// Readable in a failure message.
std::string Listed(const QStringList& links) {
    return links.join(QStringLiteral(", ")).toStdString();
}

TEST(HelpLinks, BrokenLinksAreFound) {
    struct SCase {
        const char* name;
        std::map<QString, QString> files;
        QStringList broken;
    };
    const QString target = QStringLiteral("<h2 id=\"x\">X</h2><a href=\"#x\">X</a>");
    const SCase cases[] = {
        {"page and anchor exist",
         {{"a.html", "<a href=\"b.html#x\">b</a><img src=\"p.svg\">"},
          {"b.html", target},
          {"p.svg", "<svg/>"}},
         {}},
        {"anchor missing in the target",
         {{"a.html", "<a href=\"b.html#y\">b</a>"}, {"b.html", target}},
         {"a.html: b.html#y"}},
        {"page missing", {{"a.html", "<a href=\"c.html\">c</a>"}}, {"a.html: c.html"}},
        {"anchor missing in the page itself",
         {{"a.html", "<p id=\"top\"></p><a href=\"#bottom\">end</a>"}},
         {"a.html: #bottom"}},
        {"style sheet missing",
         {{"a.html", "<link rel=\"stylesheet\" href=\"help.css\">"}},
         {"a.html: help.css"}},
        {"address on the network",
         {{"a.html", "<a href=\"https://example.org/\">x</a>"}},
         {"a.html: https://example.org/"}},
        {"absolute path", {{"a.html", "<a href=\"/etc/hosts\">x</a>"}}, {"a.html: /etc/hosts"}},
    };
    for (const SCase& test : cases) {
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        for (const auto& [name, text] : test.files) {
            QFile file(folder.filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(text.toUtf8());
        }
        EXPECT_EQ(Listed(BrokenLinks(folder.path())), Listed(test.broken)) << test.name;
    }
}

TEST(HelpLinks, EveryLinkOfTheShippedPagesResolves) {
    ASSERT_GE(QDir(kShippedHelp).entryList({QStringLiteral("*.html")}).size(),
              qsizetype(NWindows::kHelpPages.size()));
    EXPECT_EQ(Listed(BrokenLinks(kShippedHelp)), "");
}

TEST(HelpPages, EveryPageTheProgramOpensShips) {
    for (const char16_t* page : NWindows::kHelpPages) {
        const QString name = QString::fromUtf16(page);
        EXPECT_TRUE(QFileInfo(QDir(kShippedHelp).filePath(name)).isFile()) << name.toStdString();
        EXPECT_EQ(NWindows::HelpPageUrl(name).fileName(), name);
    }
}

TEST(HelpPages, AddressIsTheFileInTheProgramsHelpFolder) {
    const QString program = QString::fromUtf16(NIO::ProgramFolder().Text());
    ASSERT_FALSE(program.isEmpty());
    EXPECT_EQ(NWindows::HelpFolder(), program + QStringLiteral("Data/Help/"));
    for (const char16_t* page : NWindows::kHelpPages) {
        const QUrl url = NWindows::HelpPageUrl(QString::fromUtf16(page));
        EXPECT_TRUE(url.isLocalFile()) << url.toString().toStdString();
        EXPECT_EQ(url.toLocalFile(),
                  program + QStringLiteral("Data/Help/") + QString::fromUtf16(page));
    }
}

} // namespace
