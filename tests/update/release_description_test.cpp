#include "update/release_description.h"

#include <QBuffer>
#include <QString>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr char kDigest[] = "0123456789abcdef0123456789ABCDEF";

std::optional<NUpdate::SReleaseDescription> Read(const QByteArray& text) {
    QByteArray bytes = text;
    QBuffer body(&bytes);
    body.open(QIODevice::ReadOnly);
    return NUpdate::ReadReleaseDescription(body);
}

QByteArray Description(const QByteArray& digest, const QByteArray& version, const QByteArray& url) {
    return digest + "\n" + version + "\n" + url + "\n";
}

TEST(ReleaseDescription, WellFormedDescriptionsAreRead) {
    const struct {
        QByteArray text;
        const char* version;
        const char* url;
    } cases[] = {
        {Description(kDigest, "1.2.3", "https://example.org/files/quillmere-1.2.3.deb"), "1.2.3",
         "https://example.org/files/quillmere-1.2.3.deb"},
        // Windows line breaks, no break after the last line, spaces around.
        {QByteArray(kDigest) + "\r\n 2.0 \r\nhttps://example.org/q.msi", "2.0",
         "https://example.org/q.msi"},
        {Description(kDigest, "7", "http://127.0.0.1:8080/setup.deb") + "more lines\nignored\n",
         "7", "http://127.0.0.1:8080/setup.deb"},
        {Description(kDigest, "1.0", "https://example.org/" + QByteArray(1000, 'a')), "1.0",
         nullptr},
    };
    for (const auto& c : cases) {
        const auto release = Read(c.text);
        ASSERT_TRUE(release.has_value()) << c.text.toStdString();
        EXPECT_EQ(release->digest, QString::fromLatin1(kDigest).toLower());
        EXPECT_EQ(release->version, QString::fromLatin1(c.version));
        if (c.url != nullptr) {
            EXPECT_EQ(release->installerUrl, QUrl(QString::fromLatin1(c.url)));
        }
    }
}

TEST(ReleaseDescription, MalformedDescriptionsAreRefused) {
    const QByteArray cases[] = {
        "",
        QByteArray(kDigest) + "\n",
        QByteArray(kDigest) + "\n1.2.3\n",
        Description("0123456789abcdef", "1.2.3", "https://example.org/q.deb"),
        Description(QByteArray(kDigest) + "0", "1.2.3", "https://example.org/q.deb"),
        Description("0123456789abcdef0123456789abcdeg", "1.2.3", "https://example.org/q.deb"),
        Description(kDigest, "", "https://example.org/q.deb"),
        Description(kDigest, "1.2.3-beta", "https://example.org/q.deb"),
        Description(kDigest, "1..3", "https://example.org/q.deb"),
        Description(kDigest, "1.2.3", "http://example.org/q.deb"),
        Description(kDigest, "1.2.3", "ftp://example.org/q.deb"),
        Description(kDigest, "1.2.3", "https://example.org/"),
        Description(kDigest, "1.2.3", "not an address"),
        Description(kDigest, "1.2.3", "https://example.org/" + QByteArray(1010, 'a')),
        Description(kDigest, QByteArray(2000, '1'), "https://example.org/q.deb"),
    };
    for (const QByteArray& text : cases)
        EXPECT_FALSE(Read(text).has_value()) << text.left(120).toStdString();
}

TEST(ReleaseDescription, VersionsCompareAsDottedNumbers) {
    const struct {
        const char* candidate;
        const char* own;
        bool newer;
    } cases[] = {
        {"1.0.1339", "1.0.1338", true},
        {"1.0.1337", "1.0.1338", false},
        {"1.10", "1.9", true},
        {"2", "1.99.99", true},
        {"2.0", "2", false},
        {"2.0.1", "2", true},
        {"0.9", "1.0", false},
        {"01.2", "1.1", true},
        {"1.2.x", "1.0", false},
        {"2.0", "", false},
        {"", "1.0", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            NUpdate::IsNewerVersion(QString::fromLatin1(c.candidate), QString::fromLatin1(c.own)),
            c.newer)
            << c.candidate << " vs " << c.own;
}

} // namespace
